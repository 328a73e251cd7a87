// SPDX-License-Identifier: GPL-3.0-or-later
// The letter grid and Warte on real widgets: which layer a cell takes its font
// and brush from, what a cell shows, when the grid paints, and that input
// made during a wait is handled afterwards, not during it and not lost.

#include "demos/stringaligngrid.h"
#include "demos/warte.h"
#include "testhilfen/demohilfen.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <QDeadlineTimer>
#include <QAccessible>
#include <QPushButton>
#include <QtTest>
#include <QVBoxLayout>

using Aufbau = std::function<void(TStringAlignGrid &)>;
Q_DECLARE_METATYPE(Aufbau)

namespace {

const QColor rot(200, 0, 0), gruen(0, 160, 0), blau(0, 0, 200), weiss(255, 255, 255),
    schwarz(0, 0, 0);

// Counts the paint events that reach the grid's drawing surface.
class Malzaehler : public QObject
{
public:
    int anzahl = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++anzahl;
        return false;
    }
};

// A small grid as the demonstrations use it: 4 x 3 cells of 19 pixels, each
// holding a capital letter, grid lines 0 so a cell's pixels are its own.
struct Gitter
{
    Gitter()
    {
        g.setColCount(4);
        g.setRowCount(3);
        g.setGridLineWidth(0);
        // Without smoothing a letter's stems take exactly the font colour.
        QFont schrift = g.font();
        schrift.setStyleStrategy(QFont::NoAntialias);
        g.setFont(schrift);
        g.resize(4 * 19 + 2, 3 * 19 + 2);
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 3; ++r)
                g.setCells(c, r, "H");
    }
    // The cell's pixels in the viewport's own image.
    QImage zelle(int col, int row)
    {
        const QImage bild = g.viewport()->grab().toImage();
        return bild.copy(col * 19, row * 19, 19, 19);
    }
    TStringAlignGrid g;
};

bool hatFarbe(const QImage &bild, QColor farbe)
{
    for (int y = 0; y < bild.height(); ++y)
        for (int x = 0; x < bild.width(); ++x)
            if (bild.pixelColor(x, y) == farbe)
                return true;
    return false;
}

} // namespace

class TestStringAlignGrid : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void vorrang_data();
    void vorrang();
    void ebenenJenseitsDerGroesse();
    void zuruecksetzen_data();
    void zuruecksetzen();
    void zellinhalt_data();
    void zellinhalt();
    void zeilenweise_data();
    void zeilenweise();
    void nurRepaintMaltSofort();
    void nimmtKeinenFokus();
    void zugangAlsTabelle_data();
    void zugangAlsTabelle();
    void vorbei_data();
    void vorbei();
    void warteMitTickquelle_data();
    void warteMitTickquelle();
    void eingabeWartetBisNachWarte();
    void uhrZaehltMillisekunden();
};

// Cell (1, 1) is the one looked at; every row builds some layers around it.
void TestStringAlignGrid::vorrang_data()
{
    QTest::addColumn<Aufbau>("aufbau");
    QTest::addColumn<QColor>("schrift"); // invalid: the grid's own text colour
    QTest::addColumn<bool>("fett");
    QTest::addColumn<QColor>("hintergrund"); // invalid: the grid's own background

    QTest::newRow("no entry: grid font on grid background")
        << Aufbau([](TStringAlignGrid &) {}) << QColor() << false << QColor();
    QTest::newRow("column white beats row black") << Aufbau([](TStringAlignGrid &g) {
        g.ColFont(1).setColor(weiss);
        g.RowFont(1).setColor(schwarz);
    }) << weiss << false << QColor();
    QTest::newRow("cell font beats column and row") << Aufbau([](TStringAlignGrid &g) {
        g.ColFont(1).setColor(weiss);
        g.RowFont(1).setColor(schwarz);
        g.CellFont(1, 1).setColor(rot);
    }) << rot << false << QColor();
    QTest::newRow("row alone") << Aufbau([](TStringAlignGrid &g) {
        g.RowFont(1).setColor(gruen);
        g.RowBrush(1).setColor(blau);
    }) << gruen << false << blau;
    QTest::newRow("other column and row do not reach the cell") << Aufbau([](TStringAlignGrid &g) {
        g.ColBrush(0).setColor(rot);
        g.RowFont(2).setColor(rot);
        g.CellBrush(1, 0).setColor(rot);
    }) << QColor() << false << QColor();
    QTest::newRow("font from column, brush from row") << Aufbau([](TStringAlignGrid &g) {
        g.ColFont(1).setColor(rot);
        g.RowFont(1).setColor(blau);
        g.RowBrush(1).setColor(gruen);
    }) << rot << false << gruen;
    QTest::newRow("brush from cell, font from row") << Aufbau([](TStringAlignGrid &g) {
        g.RowFont(1).setColor(weiss);
        g.ColBrush(1).setColor(gruen);
        g.CellBrush(1, 1).setColor(blau);
    }) << weiss << false << blau;
    QTest::newRow("a column font alone gives no brush")
        << Aufbau([](TStringAlignGrid &g) { g.ColFont(1).setColor(blau); }) << blau << false
        << QColor();
    QTest::newRow("bold through the column")
        << Aufbau([](TStringAlignGrid &g) { g.ColFont(1).setStyle(TMyFont::Fett); }) << QColor()
        << true << QColor();
    QTest::newRow("bold column reset: plain again") << Aufbau([](TStringAlignGrid &g) {
        g.ColFont(1).setStyle(TMyFont::Fett);
        g.ColBrush(1).setColor(blau);
        g.ResetAllColFonts();
    }) << QColor() << false << blau;
    QTest::newRow("new cell font copies the grid, not the bold row") << Aufbau(
        [](TStringAlignGrid &g) {
            g.RowFont(1).setStyle(TMyFont::Fett);
            g.CellFont(1, 1).setColor(weiss);
            g.CellBrush(1, 1).setColor(blau);
        }) << weiss << false << blau;
    QTest::newRow("grid colours changed later still apply") << Aufbau([](TStringAlignGrid &g) {
        g.setFontColor(gruen);
        g.setColor(blau);
    }) << gruen << false << blau;
    QTest::newRow("entry copies the grid colours of its moment") << Aufbau([](TStringAlignGrid &g) {
        g.setFontColor(gruen);
        g.setColor(blau);
        g.CellFont(1, 1);
        g.CellBrush(1, 1);
        g.setFontColor(rot);
        g.setColor(rot);
    }) << gruen << false << blau;
}

void TestStringAlignGrid::vorrang()
{
    QFETCH(Aufbau, aufbau);
    QFETCH(QColor, schrift);
    QFETCH(bool, fett);
    QFETCH(QColor, hintergrund);
    Gitter t;
    aufbau(t.g);
    const QPalette &pal = t.g.palette();
    if (!schrift.isValid())
        schrift = t.g.FontColor().aufgeloest(pal);
    if (!hintergrund.isValid())
        hintergrund = t.g.Color().aufgeloest(pal);
    QCOMPARE(t.g.SchriftfarbeVon(1, 1), schrift);
    QCOMPARE(t.g.SchriftVon(1, 1).bold(), fett);
    QCOMPARE(t.g.HintergrundVon(1, 1), hintergrund);
    // What is drawn: the corner shows the brush, the letter's stems the font.
    const QImage zelle = t.zelle(1, 1);
    QCOMPARE(zelle.pixelColor(0, 0), hintergrund);
    QCOMPARE(zelle.pixelColor(18, 18), hintergrund);
    QVERIFY(hatFarbe(zelle, schrift));
}

void TestStringAlignGrid::ebenenJenseitsDerGroesse()
{
    Gitter t;
    t.g.ColBrush(40).setColor(rot);
    t.g.RowFont(1000).setColor(gruen);
    t.g.CellBrush(100, 7).setColor(blau);
    QCOMPARE(t.g.ColCount(), 4);
    QCOMPARE(t.g.RowCount(), 3);
    // The entries wait there until the grid grows to show them.
    t.g.setColCount(101);
    t.g.setRowCount(1001);
    QCOMPARE(t.g.HintergrundVon(40, 2), rot);
    QCOMPARE(t.g.SchriftfarbeVon(3, 1000), gruen);
    QCOMPARE(t.g.HintergrundVon(100, 7), blau);
    QCOMPARE(t.g.HintergrundVon(41, 7), t.g.Color().aufgeloest(t.g.palette()));
}

void TestStringAlignGrid::zuruecksetzen_data()
{
    QTest::addColumn<Aufbau>("aufbau");
    QTest::addColumn<bool>("zellFont");
    QTest::addColumn<bool>("zellBrush");
    QTest::addColumn<QColor>("hintergrund");

    QTest::newRow("resets of absent entries create nothing") << Aufbau([](TStringAlignGrid &g) {
        g.ResetCellFont(1, 1);
        g.ResetCellBrush(1, 1);
        g.ResetAllCellFonts();
        g.ResetAllColFonts();
        g.ResetAllColBrushes();
        g.ResetAllRowFonts();
        g.ResetAllRowBrushes();
    }) << false << false << QColor();
    QTest::newRow("font reset keeps the cell's brush") << Aufbau([](TStringAlignGrid &g) {
        g.CellBrush(1, 1).setColor(rot);
        g.ResetCellFont(1, 1);
    }) << false << true << rot;
    QTest::newRow("brush reset keeps the cell's font") << Aufbau([](TStringAlignGrid &g) {
        g.CellFont(1, 1).setColor(rot);
        g.CellBrush(1, 1).setColor(rot);
        g.ResetCellBrush(1, 1);
    }) << true << false << QColor();
    QTest::newRow("all cell fonts: brushes stay") << Aufbau([](TStringAlignGrid &g) {
        g.CellFont(1, 1).setColor(rot);
        g.CellBrush(1, 1).setColor(gruen);
        g.CellFont(3, 2).setColor(rot);
        g.ResetAllCellFonts();
    }) << false << true << gruen;
    QTest::newRow("column brushes reset, row brush shows") << Aufbau([](TStringAlignGrid &g) {
        g.ColBrush(1).setColor(rot);
        g.RowBrush(1).setColor(blau);
        g.ResetAllColBrushes();
    }) << false << false << blau;
    QTest::newRow("row fonts reset, row brush stays") << Aufbau([](TStringAlignGrid &g) {
        g.RowFont(1).setColor(rot);
        g.RowBrush(1).setColor(gruen);
        g.ResetAllRowFonts();
        g.ResetAllRowFonts();
    }) << false << false << gruen;
    QTest::newRow("a reset entry starts afresh") << Aufbau([](TStringAlignGrid &g) {
        g.CellBrush(1, 1).setColor(rot);
        g.ResetCellBrush(1, 1);
        g.CellBrush(1, 1);
    }) << false << true << QColor();
}

void TestStringAlignGrid::zuruecksetzen()
{
    QFETCH(Aufbau, aufbau);
    QFETCH(bool, zellFont);
    QFETCH(bool, zellBrush);
    QFETCH(QColor, hintergrund);
    Gitter t;
    aufbau(t.g);
    QCOMPARE(t.g.HatZellFont(1, 1), zellFont);
    QCOMPARE(t.g.HatZellBrush(1, 1), zellBrush);
    if (!hintergrund.isValid())
        hintergrund = t.g.Color().aufgeloest(t.g.palette());
    QCOMPARE(t.zelle(1, 1).pixelColor(0, 0), hintergrund);
}

// Every byte shows as something: control bytes and the undefined ones as
// their stand-ins, "&" as itself rather than as a mnemonic marker.
// "ABCDE" filled into 3 x 2 cells of a 4 x 3 grid, then changed; the cells
// row by row, "." for an empty one, and how many entries single cells hold.
void TestStringAlignGrid::zeilenweise_data()
{
    QTest::addColumn<Aufbau>("aufbau");
    QTest::addColumn<QByteArray>("zellen");
    QTest::addColumn<int>("eintraege");
    QTest::newRow("row by row, blank after the text")
        << Aufbau([](TStringAlignGrid &) {}) << QByteArray("ABC.DE .....") << 0;
    QTest::newRow("a cell set over it")
        << Aufbau([](TStringAlignGrid &g) { g.setCells(1, 0, "x"); }) << QByteArray("AxC.DE .....")
        << 1;
    QTest::newRow("a cell emptied over it")
        << Aufbau([](TStringAlignGrid &g) { g.setCells(0, 1, {}); }) << QByteArray("ABC..E .....")
        << 1;
    QTest::newRow("an empty cell emptied again")
        << Aufbau([](TStringAlignGrid &g) { g.setCells(3, 2, {}); }) << QByteArray("ABC.DE .....")
        << 0;
    QTest::newRow("filled anew, without what was set") << Aufbau([](TStringAlignGrid &g) {
        g.setCells(1, 0, "x");
        g.CellFont(2, 2).setColor(rot);
        g.setZellenZeilenweise("Z", 1, 1);
    }) << QByteArray("Z...........") << 1;
}

void TestStringAlignGrid::zeilenweise()
{
    QFETCH(Aufbau, aufbau);
    QFETCH(QByteArray, zellen);
    QFETCH(int, eintraege);
    TStringAlignGrid g;
    g.setColCount(4);
    g.setRowCount(3);
    g.setZellenZeilenweise("ABCDE", 3, 2);
    aufbau(g);
    QByteArray gezeigt;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const verschl::Text t = g.Cells(c, r);
            gezeigt += t.empty() ? QByteArray(".") : QByteArray::fromStdString(t);
        }
    }
    QCOMPARE(gezeigt, zellen);
    QCOMPARE(g.Zelleintraege(), std::size_t(eintraege));
}

void TestStringAlignGrid::zellinhalt_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR") << QByteArray("\r");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("NUL") << QByteArray(1, '\0');
    QTest::newRow("ampersand") << QByteArray("&");
    QTest::newRow("undefined 0x81") << QByteArray("\x81");
    QTest::newRow("no-break space is blank") << QByteArray("\xa0");
}

void TestStringAlignGrid::zellinhalt()
{
    QFETCH(QByteArray, bytes);
    const verschl::Text text(bytes.constData(), std::size_t(bytes.size()));
    Gitter t;
    t.g.setCells(2, 1, text);
    QCOMPARE(t.g.Cells(2, 1), text);
    const QColor hintergrund = t.g.Color().aufgeloest(t.g.palette());
    const QImage zelle = t.zelle(2, 1);
    int tinte = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x)
            tinte += zelle.pixelColor(x, y) != hintergrund;
    // Without any font (Qt's window-less platform on Windows finds none) every
    // character is drawn as a box.
    if (text == "\xa0" && !QFontMetrics(t.g.font()).inFontUcs4(0xA0))
        QSKIP("no font that holds the no-break space");
    QCOMPARE(tinte > 0, text != "\xa0");
    t.g.setCells(2, 1, {});
    QCOMPARE(t.g.Cells(2, 1), verschl::Text());
}

void TestStringAlignGrid::nurRepaintMaltSofort()
{
    Gitter t;
    t.g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.g));
    QCoreApplication::processEvents();
    Malzaehler zaehler;
    t.g.viewport()->installEventFilter(&zaehler);
    QSignalSpy gemalt(&t.g, &TStringAlignGrid::gemalt);

    t.g.CellBrush(1, 1).setColor(rot);
    t.g.ColFont(2).setStyle(TMyFont::Fett);
    t.g.setCells(0, 0, "Q");
    t.g.ResetAllColFonts();
    QCOMPARE(zaehler.anzahl, 0); // only invalidated
    t.g.Repaint();
    QCOMPARE(zaehler.anzahl, 1);
    QCOMPARE(gemalt.count(), 1);
    QCOMPARE(t.zelle(1, 1).pixelColor(0, 0), rot);
    t.g.Repaint();
    t.g.Repaint();
    QCOMPARE(gemalt.count(), 3);
}

void TestStringAlignGrid::nimmtKeinenFokus()
{
    QWidget fenster;
    auto *schicht = new QVBoxLayout(&fenster);
    auto *grid = new TStringAlignGrid;
    auto *knopf = new QPushButton(QStringLiteral("Schritt"));
    schicht->addWidget(grid);
    schicht->addWidget(knopf);
    fenster.show();
    fenster.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fenster));
    knopf->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(QApplication::focusWidget(), knopf);
}

void TestStringAlignGrid::zugangAlsTabelle_data()
{
    QTest::addColumn<Aufbau>("aufbau");
    QTest::addColumn<QList<QPoint>>("markiert");
    QTest::newRow("nothing") << Aufbau([](TStringAlignGrid &) {}) << QList<QPoint>();
    QTest::newRow("bold row") << Aufbau([](TStringAlignGrid &g) {
        g.RowFont(0).setStyle(TMyFont::Fett);
    }) << QList<QPoint>();
    QTest::newRow("cell") << Aufbau([](TStringAlignGrid &g) {
        g.CellBrush(2, 1).setColor(Markierungsfarbe());
        g.CellFont(2, 1).setColor(Markierungsschrift());
    }) << QList<QPoint> { { 2, 1 } };
    // White on the grid's white: only the text colour tells it.
    QTest::newRow("inverse cell") << Aufbau([](TStringAlignGrid &g) {
        g.CellBrush(3, 0).setColor(Markierungsschrift());
        g.CellFont(3, 0).setColor(Markierungsfarbe());
    }) << QList<QPoint> { { 3, 0 } };
    QTest::newRow("column") << Aufbau([](TStringAlignGrid &g) {
        g.ColBrush(1).setColor(Markierungsfarbe());
        g.ColFont(1).setColor(Markierungsschrift());
    }) << QList<QPoint> { { 1, 0 }, { 1, 1 }, { 1, 2 } };
}

// What a screen reader gets: a table of the cells with their letters, the
// marked ones selected; a cell whose place is gone is no longer valid.
void TestStringAlignGrid::zugangAlsTabelle()
{
    QFETCH(Aufbau, aufbau);
    QFETCH(QList<QPoint>, markiert);
    Gitter t;
    t.g.setCells(1, 2, "\xDF");
    aufbau(t.g);
    QAccessibleInterface *tabelle = QAccessible::queryAccessibleInterface(&t.g);
    QVERIFY(tabelle && tabelle->tableInterface());
    QCOMPARE(tabelle->role(), QAccessible::Table);
    QAccessibleTableInterface *tab = tabelle->tableInterface();
    QCOMPARE(tab->rowCount(), 3);
    QCOMPARE(tab->columnCount(), 4);
    QCOMPARE(tabelle->childCount(), 12);
    QAccessibleInterface *scharfesS = tab->cellAt(2, 1);
    QCOMPARE(scharfesS->role(), QAccessible::Cell);
    QCOMPARE(scharfesS->text(QAccessible::Name), u"ß");
    QCOMPARE(tabelle->child(2 * 4 + 1), scharfesS);
    QList<QPoint> gefunden;
    for (QAccessibleInterface *zelle : tab->selectedCells()) {
        QVERIFY(zelle->state().selected);
        QCOMPARE(zelle->text(QAccessible::Description), u"markiert");
        gefunden << QPoint(
            zelle->tableCellInterface()->columnIndex(), zelle->tableCellInterface()->rowIndex());
    }
    QCOMPARE(gefunden, markiert);
    QCOMPARE(tab->selectedColumnCount(), markiert.size() == 3 ? 1 : 0);
    QAccessibleInterface *frei = tab->cellAt(2, 0); // marked in no row
    QVERIFY(!frei->state().selected && frei->text(QAccessible::Description).isEmpty());
    t.g.setRowCount(2);
    QVERIFY(!scharfesS->isValid());
    QCOMPARE(tab->cellAt(2, 1), nullptr);
}

void TestStringAlignGrid::vorbei_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<quint32>("jetzt");
    QTest::addColumn<int>("ms");
    QTest::addColumn<bool>("vorbei");

    QTest::newRow("0 ms, same tick") << 5u << 5u << 0 << false;
    QTest::newRow("0 ms, next tick") << 5u << 6u << 0 << true;
    QTest::newRow("150 ms exactly: not yet") << 1000u << 1150u << 150 << false;
    QTest::newRow("150 ms plus one") << 1000u << 1151u << 150 << true;
    QTest::newRow("top of range, next tick wraps") << 0xFFFFFFFFu << 0u << 0 << true;
    QTest::newRow("wrap: 31 ticks are not over 31 ms") << 0xFFFFFFF0u << 0xFu << 31 << false;
    QTest::newRow("wrap: 31 ticks are over 30 ms") << 0xFFFFFFF0u << 0xFu << 30 << true;
    QTest::newRow("before the wrap, short of it") << 0xFFFFFF00u << 0xFFFFFFFFu << 300 << false;
    QTest::newRow("wrap: 300 ms after near the top") << 0xFFFFFF00u << 0x2Du << 300 << true;
    QTest::newRow("wrap: 299 ticks after near the top") << 0xFFFFFF00u << 0x2Bu << 300 << false;
    QTest::newRow("negative wait is over at once") << 7u << 7u << -1 << true;
}

void TestStringAlignGrid::vorbei()
{
    QFETCH(quint32, start);
    QFETCH(quint32, jetzt);
    QFETCH(int, ms);
    QFETCH(bool, vorbei);
    QCOMPARE(warte::Vorbei(start, jetzt, ms), vorbei);
}

void TestStringAlignGrid::warteMitTickquelle_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<quint32>("schritt");
    QTest::addColumn<int>("ms");

    QTest::newRow("0 ms: the next tick") << 100u << 1u << 0;
    QTest::newRow("0 ms at the top of the range") << 0xFFFFFFFFu << 1u << 0;
    QTest::newRow("10 ms across the wrap") << 0xFFFFFFFAu << 3u << 10;
    QTest::newRow("20 ms at the top") << 0xFFFFFFF0u << 7u << 20;
    QTest::newRow("counter jumps far past") << 0xFFFFFFFEu << 500u << 20;
}

// The counter is read until, and only until, more than ms have passed; the
// event loop runs meanwhile (a zero timer fires during the wait).
void TestStringAlignGrid::warteMitTickquelle()
{
    QFETCH(quint32, start);
    QFETCH(quint32, schritt);
    QFETCH(int, ms);
    QList<quint32> gelesen;
    quint32 zaehler = start;
    warte::setzeTickquelle([&] {
        gelesen << zaehler;
        const quint32 wert = zaehler;
        zaehler += schritt;
        return wert;
    });
    bool timerLief = false;
    QTimer::singleShot(0, this, [&] { timerLief = true; });
    Warte(ms);
    warte::setzeTickquelle({});
    QVERIFY(gelesen.size() >= 2);
    QCOMPARE(gelesen.first(), start);
    QVERIFY(warte::Vorbei(start, gelesen.last(), ms));
    for (qsizetype i = 0; i + 1 < gelesen.size(); ++i)
        QVERIFY(!warte::Vorbei(start, gelesen[i], ms));
    QVERIFY(timerLief);
}

// Input from the desktop arrives through the window system's queue; during
// Warte it stays there and reaches the button once the wait is over.
void TestStringAlignGrid::eingabeWartetBisNachWarte()
{
    QPushButton knopf(QStringLiteral("Schritt"));
    knopf.resize(80, 30);
    knopf.show();
    QVERIFY(QTest::qWaitForWindowExposed(&knopf));
    int klicks = 0;
    connect(&knopf, &QPushButton::clicked, this, [&] { ++klicks; });
    bool eingereiht = false;
    QTimer::singleShot(0, this, [&] {
        klickeUeberDesktop(&knopf, QPoint(40, 15));
        eingereiht = true;
    });
    Warte(30);
    QVERIFY(eingereiht);
    QCOMPARE(klicks, 0);
    QTRY_COMPARE(klicks, 1);
}

// Warte counts in the precise clock. Windows' coarse timer would let it step
// in about 16 ms, which the animations' shortest waits would feel.
void TestStringAlignGrid::uhrZaehltMillisekunden()
{
    const auto jetzt = [] { return QDeadlineTimer::current(Qt::PreciseTimer).deadline(); };
    qint64 kleinsterSchritt = std::numeric_limits<qint64>::max();
    qint64 vorher = jetzt();
    for (int schritte = 0; schritte < 20;) {
        const qint64 t = jetzt();
        if (t != vorher) {
            kleinsterSchritt = std::min(kleinsterSchritt, t - vorher);
            vorher = t;
            ++schritte;
        }
    }
    QCOMPARE(kleinsterSchritt, 1);
}

QTEST_MAIN(TestStringAlignGrid)
#include "test_stringaligngrid.moc"
