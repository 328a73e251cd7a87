#pragma once

// What the demonstration tests do while a running light is on: clicks that
// come through the window system's queue, as a user's do (handled when the
// event loop takes them, not at once like QTest's), and closing the window.

#include "demos/stringaligngrid.h"

#include <qpa/qwindowsysteminterface.h>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// A left click at `stelle` inside `ziel`, queued.
inline void klickeUeberDesktop(QWidget *ziel, QPoint stelle)
{
    QWidget *oben = ziel->window();
    QWindow *fenster = oben->windowHandle();
    const QPointF lokal = ziel->mapTo(oben, stelle);
    const QPointF global = fenster->mapToGlobal(lokal);
    using W = QWindowSystemInterface;
    W::handleMouseEvent<W::AsynchronousDelivery>(
        fenster, lokal, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    W::handleMouseEvent<W::AsynchronousDelivery>(
        fenster, lokal, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
}

// Clicks `ziel` the first time the grid paints during a walk: through the
// desktop's queue, or straight to the widget as a click that gets there
// anyway.
inline void klickeBeimErstenMalen(
    QObject *kontext, TStringAlignGrid *gitter, QWidget *ziel, QPoint stelle, bool vomDesktop)
{
    QObject::connect(
        gitter, &TStringAlignGrid::gemalt, kontext,
        [=] {
            if (vomDesktop)
                klickeUeberDesktop(ziel, stelle);
            else
                QTest::mouseClick(ziel, Qt::LeftButton, {}, stelle);
        },
        Qt::SingleShotConnection);
}

// Closes `fenster`, or deletes it as the program's end would, when the grid
// paints for the `stopp`-th time; `stopps` counts the paints.
template <typename Fenster>
void beendeBeimMalen(QObject *kontext, TStringAlignGrid *gitter, QPointer<Fenster> &fenster,
    int stopp, bool loeschen, int &stopps)
{
    QObject::connect(gitter, &TStringAlignGrid::gemalt, kontext, [=, &fenster, &stopps] {
        if (++stopps != stopp)
            return;
        if (loeschen)
            QTimer::singleShot(0, kontext, [&fenster] { delete fenster.data(); });
        else
            fenster->close();
    });
}
