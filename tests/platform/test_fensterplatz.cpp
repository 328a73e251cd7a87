// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fensterplatz.h"

#include <QTest>

// Where the windows go, for frames of known size: the client area's corner
// on a 1280 x 1024 screen and on a second screen right of it.
class TestFensterplatz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void platz_data();
    void platz();
    void rahmen_data();
    void rahmen();
};

namespace {

enum Art { AmLinkenRand, Mittig, Daneben, ImBild };

const QRect kBildschirm(0, 0, 1280, 1024);
const QRect kZweiter(1280, 0, 1024, 768);
const QMargins kHauptRahmen(1, 20, 1, 5);
const QMargins kMethodenRahmen(1, 20, 1, 1);
const QSize kHaupt(550, 412);
const QSize kMethode(233, 327);

} // namespace

void TestFensterplatz::platz_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<QRect>("bildschirm");
    QTest::addColumn<QMargins>("rahmen");
    QTest::addColumn<QSize>("groesse");
    // Daneben: the outer rectangle of the main window; ImBild: its corner is the wished place.
    QTest::addColumn<QRect>("nachbar");
    QTest::addColumn<QPoint>("erwartet");

    QTest::newRow("main: frame at 5, centred with its frame")
        << int(AmLinkenRand) << kBildschirm << kHauptRahmen << kHaupt << QRect() << QPoint(6, 313);
    QTest::newRow("main: without a frame")
        << int(AmLinkenRand) << kBildschirm << QMargins() << kHaupt << QRect() << QPoint(5, 306);
    QTest::newRow("main: second screen")
        << int(AmLinkenRand) << kZweiter << kHauptRahmen << kHaupt << QRect() << QPoint(1286, 185);
    QTest::newRow("option-only: centred with its frame")
        << int(Mittig) << kBildschirm << kMethodenRahmen << kMethode << QRect() << QPoint(523, 358);
    QTest::newRow("option-only: second screen")
        << int(Mittig) << kZweiter << kMethodenRahmen << kMethode << QRect() << QPoint(1675, 230);
    QTest::newRow("beside: frames touch")
        << int(Daneben) << kBildschirm << kMethodenRahmen << kMethode << QRect(5, 293, 552, 437)
        << QPoint(558, 313);
    QTest::newRow("beside: ends at the right edge")
        << int(Daneben) << kBildschirm << kMethodenRahmen << kMethode << QRect(905, 193, 552, 437)
        << QPoint(1046, 213);
    QTest::newRow("beside: not above the top")
        << int(Daneben) << kBildschirm << kMethodenRahmen << kMethode << QRect(100, -50, 552, 437)
        << QPoint(653, 20);
    QTest::newRow("beside: right edge of the second screen")
        << int(Daneben) << kZweiter << kMethodenRahmen << kMethode << QRect(1800, 10, 552, 437)
        << QPoint(2070, 30);

    // At a large Darstellungsgröße a window may not fit: its title bar stays in reach.
    const QSize gross(1400, 1100);
    QTest::newRow("main: taller than the screen") << int(AmLinkenRand) << kZweiter << kHauptRahmen
                                                  << QSize(550, 840) << QRect() << QPoint(1286, 20);
    QTest::newRow("centred: larger than the screen")
        << int(Mittig) << kBildschirm << kMethodenRahmen << gross << QRect() << QPoint(1, 20);
    QTest::newRow("beside: wider than the screen")
        << int(Daneben) << kBildschirm << kMethodenRahmen << QSize(1300, 300)
        << QRect(5, 293, 552, 437) << QPoint(1, 313);
    QTest::newRow("carried over: stays where it stood")
        << int(ImBild) << kBildschirm << kHauptRahmen << kHaupt << QRect(100, 100, 1, 1)
        << QPoint(101, 120);
    QTest::newRow("carried over: comes back onto the screen")
        << int(ImBild) << kBildschirm << kHauptRahmen << kHaupt << QRect(1000, 900, 1, 1)
        << QPoint(729, 607);
    QTest::newRow("carried over: larger than the screen")
        << int(ImBild) << kZweiter << kHauptRahmen << gross << QRect(1500, 300, 1, 1)
        << QPoint(1281, 20);
}

void TestFensterplatz::platz()
{
    QFETCH(int, art);
    QFETCH(QRect, bildschirm);
    QFETCH(QMargins, rahmen);
    QFETCH(QSize, groesse);
    QFETCH(QRect, nachbar);
    const QPoint ort = art == AmLinkenRand
        ? fensterplatz::AmLinkenRand(bildschirm, rahmen, groesse, 5)
        : art == Mittig  ? fensterplatz::Mittig(bildschirm, rahmen, groesse)
        : art == Daneben ? fensterplatz::Daneben(bildschirm, nachbar, rahmen, groesse)
                         : fensterplatz::ImBild(bildschirm, rahmen, groesse, nachbar.topLeft());
    QTEST(ort, "erwartet");
}

void TestFensterplatz::rahmen_data()
{
    QTest::addColumn<QMargins>("rahmen");
    QTest::addColumn<bool>("echt");
    QTest::newRow("none yet") << QMargins() << false;
    QTest::newRow("framed") << kHauptRahmen << true;
    QTest::newRow("title bar only") << QMargins(0, 24, 0, 0) << true;
    // What a window manager still framing the main window was seen to report.
    QTest::newRow("frame not yet sized") << QMargins(0, 0, -549, -411) << false;
    QTest::newRow("one side negative") << QMargins(1, 20, 1, -1) << false;
}

void TestFensterplatz::rahmen()
{
    QFETCH(QMargins, rahmen);
    QFETCH(bool, echt);
    QCOMPARE(fensterplatz::IstRahmen(rahmen), echt);
}

QTEST_GUILESS_MAIN(TestFensterplatz)
#include "test_fensterplatz.moc"
