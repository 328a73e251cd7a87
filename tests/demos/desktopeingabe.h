#pragma once

// Input that comes through the window system's queue, as a user's does: it
// is handled when the event loop takes it, not at once like QTest's.

#include "demos/stringaligngrid.h"

#include <qpa/qwindowsysteminterface.h>
#include <QTest>
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
