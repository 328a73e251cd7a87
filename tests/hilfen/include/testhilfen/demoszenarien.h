// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What every stepping demonstration goes through while its light runs, for a
// test's `Demo`: its window `f` (a QPointer), `oeffne()` for one more window
// of the same kind from the main window, and `schritte(n)` for n clicks on
// the step button. Each scenario does what the demonstrations share; the
// checks that differ between them stay with the test.

#include "testhilfen/demohilfen.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>

namespace demoszenario {

using namespace Qt::StringLiterals;

template <typename Form> TStringAlignGrid *gitter(Form *f)
{
    return f->template findChild<TStringAlignGrid *>();
}

inline void schliessenWaehrendLauflicht_data()
{
    QTest::addColumn<bool>("loeschen");
    QTest::newRow("closed") << false;
    QTest::newRow("deleted") << true;
}

// Closes the window by its close box, or deletes it as the program's end
// would, at the `stopp`-th paint of a step's light: the walk ends without
// touching the window again. Then opens another window for the test to show
// that the program goes on.
template <typename Demo>
void schliessenWaehrendLauflicht(QObject *kontext, Demo &d, int stopp, bool loeschen)
{
    d.f->show();
    int stopps = 0;
    beendeBeimMalen(kontext, gitter(d.f.data()), d.f, stopp, loeschen, stopps);
    d.schritte(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d.f.isNull());
    QCOMPARE(stopps, stopp);
    d.f = d.oeffne();
}

// Clicks the button `knopf` at the first paint of a step's light, through
// the desktop's queue or straight to the widget, and runs the step, whose
// light paints `stopps` times. A click from the desktop is still waiting in
// the queue when this returns.
template <typename Demo>
void klickWaehrendLauflicht(
    QObject *kontext, Demo &d, const QString &knopf, bool vomDesktop, int stopps)
{
    d.f->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.f));
    auto *ziel = d.f->template findChild<QAbstractButton *>(knopf);
    QVERIFY(ziel);
    TStringAlignGrid *grid = gitter(d.f.data());
    QObject zaehler;
    int gemalt = 0;
    QObject::connect(grid, &TStringAlignGrid::gemalt, &zaehler, [&gemalt] { ++gemalt; });
    klickeBeimErstenMalen(kontext, grid, ziel, QPoint(8, ziel->height() / 2), vomDesktop);
    d.schritte(1);
    QCOMPARE(gemalt, stopps);
}

// Steps `schritte` times in the window open, then opens a second window,
// readies it with `bereite`, switches its direction and steps once. Gives
// back the first window, for the test to check that each kept its own
// position, direction and marking.
template <typename Demo, typename Bereite>
auto zweiFenster(Demo &d, int schritte, const Bereite &bereite)
{
    d.schritte(schritte);
    const auto erstes = d.f;
    d.f = d.oeffne();
    bereite();
    auto *richtung = d.f->template findChild<QAbstractButton *>(u"SpBEntschluesseln"_s);
    if (!richtung)
        qFatal("no direction button");
    richtung->click();
    d.schritte(1);
    return erstes;
}

} // namespace demoszenario
