// SPDX-License-Identifier: GPL-3.0-or-later
// The breaking window from the keyboard and on a small screen: the pages
// turned and walked with the keys alone, the window within the screen, and
// a key with open columns kept out of the method window.

#include "bausteine/alphabetstreifen.h"
#include "testhilfen/knackhilfen.h"

#include <algorithm>
#include <QApplication>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>

using namespace Qt::StringLiterals;
using namespace knackhilfen;
using verschl::Text;

class TestKnackbedienung : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void uebernahmeMitOffenenSpalten_data();
    void uebernahmeMitOffenenSpalten();
    void tabDurchDieSeite_data();
    void tabDurchDieSeite();
    void seitenPerTastatur_data();
    void seitenPerTastatur();
    void passtAufDenBildschirm();
};

void TestKnackbedienung::uebernahmeMitOffenenSpalten_data()
{
    QTest::addColumn<QString>("gewaehlt"); // a key letter per column, "?" open
    QTest::addColumn<QString>("hilfe");
    QTest::newRow("all open") << "??????"
                              << "Nichts übernommen: Die Spalten 1, 2, 3, 4, 5 und 6 haben";
    QTest::newRow("one open") << "SC?ULE"
                              << "Nichts übernommen: Spalte 3 hat";
    QTest::newRow("two open") << "?CHUL?"
                              << "Die Spalten 1 und 6 haben";
    QTest::newRow("A chosen, none open") << "SCHALE"
                                         << "Schlüssel SCHALE";
}

// A key with open columns leaves the method window as it was and names the
// columns; only a whole key goes over.
void TestKnackbedienung::uebernahmeMitOffenenSpalten()
{
    QFETCH(QString, gewaehlt);
    QFETCH(QString, hilfe);
    Aufbau a;
    a.option().setSchluessel("VORHER");
    TKnackenForm &f = oeffne(a, vigenere(true));
    f.show();
    vigenereBis(f, true, 2);
    teil<QSpinBox>(f, "SpEdLaenge").setValue(6);
    vigenereBis(f, true, 4);
    for (int k = 0; k < 6; ++k) {
        if (gewaehlt[k] == u'?')
            continue;
        teil<QSpinBox>(f, "SpEdSpalte").setValue(k + 1);
        // A shift of 0 is a choice as well: moved away and back.
        teil<Alphabetstreifen>(f, "SpaltenStreifen").setVerschiebung(1);
        teil<Alphabetstreifen>(f, "SpaltenStreifen").setVerschiebung(gewaehlt[k].unicode() - 'A');
    }
    klick(f, "BSchluesselUebernehmen");
    const QString text = teil<QLabel>(f, "LHilfe").text();
    QVERIFY2(text.contains(hilfe), qPrintable(text));
    const bool ganz = !gewaehlt.contains(u'?');
    QCOMPARE(a.option().einstellungen().methode, ganz ? Methode::Vigenere : Methode::Caesar);
    QCOMPARE(a.option().schluessel(), ganz ? gewaehlt.toStdString() : Text("VORHER"));
    // The last step shows the key as chosen, without letters for open columns.
    klick(f, "BWeiter");
    QVERIFY(teil<QLabel>(f, "LSchluesselText").text().contains(u"<b>%1</b>"_s.arg(gewaehlt)));
}

void TestKnackbedienung::tabDurchDieSeite_data()
{
    QTest::addColumn<int>("seite");
    QTest::addColumn<int>("schritt"); // from 0
    for (const auto &[seite, schritte] : { std::pair { 0, 3 }, { 1, 5 }, { 2, 1 } })
        for (int s = 0; s < schritte; ++s)
            QTest::addRow("page %d, step %d", seite, s + 1) << seite << s;
}

// From the tab bar the Tab key walks through the open step's controls, then
// the buttons below, and comes back round to the tab bar: nothing keeps it.
void TestKnackbedienung::tabDurchDieSeite()
{
    QFETCH(int, seite);
    QFETCH(int, schritt);
    Aufbau a;
    TKnackenForm &f = oeffne(a, vigenere(true));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto &seiten = teil<QTabWidget>(f, "Seiten");
    seiten.setCurrentIndex(seite);
    for (int s = 0; s < schritt; ++s)
        klick(f, "BWeiter");
    seiten.tabBar()->setFocus(Qt::TabFocusReason);
    QList<QWidget *> weg;
    for (int i = 0; i < 60 && (weg.isEmpty() || QApplication::focusWidget() != seiten.tabBar());
         ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        weg << QApplication::focusWidget();
    }
    QCOMPARE(weg.last(), seiten.tabBar());
    QWidget *imSchritt = teil<QStackedWidget>(*seiten.currentWidget(), "Stapel").currentWidget();
    QVERIFY2(imSchritt->isAncestorOf(weg.first()), qPrintable(weg.first()->objectName()));
    // The buttons below are the window's own children.
    const auto knoepfe = std::find_if(
        weg.begin(), weg.end(), [&f](const QWidget *w) { return w->parentWidget() == &f; });
    QVERIFY(knoepfe != weg.begin());
    for (auto w = weg.begin(); w != knoepfe; ++w)
        QVERIFY2(imSchritt->isAncestorOf(*w), qPrintable((*w)->objectName()));
    QVERIFY(weg.contains(&teil<QPushButton>(f, "BSchliessen")));
}

void TestKnackbedienung::seitenPerTastatur_data()
{
    QTest::addColumn<QString>("fokus"); // a control on the first page or below it
    QTest::addColumn<Qt::Key>("taste");
    QTest::addColumn<Qt::KeyboardModifiers>("tasten");
    QTest::addColumn<int>("richtung");
    const Qt::KeyboardModifiers strg = Qt::ControlModifier, zurueck = strg | Qt::ShiftModifier;
    for (const char *fokus : { "Seiten", "DZaehlen", "BWeiter", "BSchliessen" }) {
        QTest::addRow("Ctrl+Tab on %s", fokus) << fokus << Qt::Key_Tab << strg << 1;
        QTest::addRow("Ctrl+Shift+Tab on %s", fokus) << fokus << Qt::Key_Tab << zurueck << -1;
        QTest::addRow("Ctrl+Shift+Backtab on %s", fokus)
            << fokus << Qt::Key_Backtab << zurueck << -1;
    }
}

// Wherever the focus is, Ctrl+Tab turns to the next page and Ctrl+Shift+Tab
// to the one before, round from the last to the first; the focus goes to
// the tab bar, from where Tab goes into the page.
void TestKnackbedienung::seitenPerTastatur()
{
    QFETCH(QString, fokus);
    QFETCH(Qt::Key, taste);
    QFETCH(Qt::KeyboardModifiers, tasten);
    QFETCH(int, richtung);
    Aufbau a;
    TKnackenForm &f = oeffne(a, vigenere(true));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto &seiten = teil<QTabWidget>(f, "Seiten");
    QWidget &start = fokus == u"Seiten"_s ? *seiten.tabBar() : teil<QWidget>(f, qPrintable(fokus));
    start.setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), &start);
    for (int i = 1; i <= seiten.count(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), taste, tasten);
        QCOMPARE(seiten.currentIndex(), (seiten.count() + i * richtung) % seiten.count());
        QCOMPARE(QApplication::focusWidget(), seiten.tabBar());
    }
}

// On a screen smaller than the window's designed size (the test screen is
// 800 x 600) it takes the screen's size, and the pages scroll.
void TestKnackbedienung::passtAufDenBildschirm()
{
    Aufbau a;
    TKnackenForm &f = oeffne(a, vigenere(true));
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QRect bildschirm = f.screen()->availableGeometry();
    QVERIFY(bildschirm.width() < 960 || bildschirm.height() < 660);
    QVERIFY2(bildschirm.contains(f.frameGeometry()),
        qPrintable(u"%1 x %2"_s.arg(f.frameGeometry().width()).arg(f.frameGeometry().height())));
    for (const char *knopf : { "BWeiter", "BSchliessen" })
        QVERIFY(bildschirm.contains(teil<QPushButton>(f, knopf).geometry().translated(f.pos())));
}

QTEST_MAIN(TestKnackbedienung)
#include "test_knackbedienung.moc"
