// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the demonstration tests share: their fields' bytes, a record of the
// running light, and what they do while it is on: clicks that come through
// the window system's queue, as a user's do (handled when the event loop
// takes them, not at once like QTest's), and closing the window.

#include "bausteine/bytezeile.h"
#include "demos/stringaligngrid.h"
#include "platform/codepage.h"
#include "schnittstellen/hauptfenster.h"

#include <QLineEdit>
#include <qpa/qwindowsysteminterface.h>
#include <QPointer>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// One millisecond per stop: fast, yet every stop really waits.
inline constexpr DemoEinstellungen kSchnell { true, 0, 2, 1, false };
inline constexpr DemoEinstellungen kOhneLicht { false, 0, 2, 1, false };

inline verschl::Text feld(const QLineEdit *f) { return codepage::AusZeichenkette(f->text()); }
inline verschl::Text feld(const Bytezeile *f) { return f->text(); }
inline verschl::Text alsText(const QByteArray &b)
{
    return verschl::Text(b.constData(), size_t(b.size()));
}

// Letters without a line break, as long as a whole text.
inline verschl::Text buchstabenzeile(std::size_t laenge)
{
    verschl::Text zeile(laenge, 'a');
    for (std::size_t i = 0; i < laenge; ++i)
        zeile[i] = char('a' + i % 26);
    return zeile;
}

// A stepping demonstration's fields after the step to byte `stelle` of a
// long line, past its first soft break: the line in blocks and whole, the
// byte selected in both fields, `erwartet` written, the filler after it.
inline void pruefeLangeZeile(const Bytezeile &eingabe, const Bytezeile &ausgabe,
    const verschl::Text &zeile, qsizetype stelle, char erwartet)
{
    QCOMPARE_GT(eingabe.document()->blockCount(), 1);
    QCOMPARE(eingabe.text(), zeile);
    QCOMPARE(eingabe.AuswahlAnfang(), stelle);
    QCOMPARE(ausgabe.AuswahlAnfang(), stelle);
    QCOMPARE(ausgabe.ByteAn(stelle), erwartet);
    QCOMPARE(ausgabe.ByteAn(stelle + 1), ' ');
    QCOMPARE(ausgabe.Laenge(), qsizetype(zeile.size()));
}

// Which of the first `spalten` x `zeilen` cells had a brush of their own at
// each repaint: the light's stops, each listed row by row or column by column.
struct Lichtprotokoll
{
    enum class Folge { Zeilenweise, Spaltenweise };

    Lichtprotokoll(TStringAlignGrid *grid, int spalten, int zeilen, Folge folge)
    {
        QObject::connect(grid, &TStringAlignGrid::gemalt, grid, [=, this] {
            QList<QPoint> an;
            const int aussen = folge == Folge::Zeilenweise ? zeilen : spalten;
            const int innen = folge == Folge::Zeilenweise ? spalten : zeilen;
            for (int i = 0; i < aussen; ++i) {
                for (int j = 0; j < innen; ++j) {
                    const QPoint zelle = folge == Folge::Zeilenweise ? QPoint(j, i) : QPoint(i, j);
                    if (grid->HatZellBrush(zelle.x(), zelle.y()))
                        an << zelle;
                }
            }
            stopps << an;
        });
    }
    QList<QList<QPoint>> stopps;
};

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
