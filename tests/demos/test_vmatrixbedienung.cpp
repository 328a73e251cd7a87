// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration's controls: what it takes when it opens, the mode
// switch and its new input, the text buttons, the field lock, the key field,
// and what goes back to the main and method windows.

#include "testhilfen/vmatrixdemo.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace vmatrixdemo;
using verschl::Text;

class TestVMatrixBedienung : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void moduswechsel_data();
    void moduswechsel();
    void textknoepfe_data();
    void textknoepfe();
    void feldsperre();
    void schluesselfeld_data();
    void schluesselfeld();
    void rueckschreiben_data();
    void rueckschreiben();
    void start();
    void niedrigerBildschirm_data();
    void niedrigerBildschirm();
    void buchstabenAmBeamer_data();
    void buchstabenAmBeamer();
};

void TestVMatrixBedienung::moduswechsel_data()
{
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<int>("schritte");
    QTest::addColumn<bool>("zurueck");
    QTest::addColumn<QByteArray>("erwartet");
    const QByteArray sonnenbahn
        = QByteArray::fromStdString(*verschl::VigenereVerschluesseln(kSatz, "Sonnenbahn", false));
    QTest::newRow("nothing anywhere: the sentence encrypted")
        << QByteArray("Sonnenbahn") << QByteArray() << QByteArray() << 0 << false << sonnenbahn;
    QTest::newRow("key with a digit: encrypted with its letters")
        << QByteArray("Sonnen1bahn") << QByteArray() << QByteArray() << 0 << false << sonnenbahn;
    QTest::newRow("key without letters: encrypted with the stand-in key")
        << QByteArray("12") << QByteArray() << QByteArray() << 0 << false << sonnenbahn;
    QTest::newRow("ciphertext pane") << QByteArray("B") << QByteArray() << QByteArray("Xy\r\nz")
                                     << 0 << false << QByteArray("Xy\r\nz");
    QTest::newRow("three steps: three characters")
        << QByteArray("Sonnenbahn") << QByteArray() << QByteArray("ignored") << 3 << false
        << sonnenbahn.left(3);
    QTest::newRow("a blank it made stays")
        << QByteArray("B") << QByteArray("a b") << QByteArray() << 2 << false << QByteArray("b ");
    QTest::newRow("back, nothing anywhere: the sentence") << QByteArray(
        "B") << QByteArray() << QByteArray() << 0 << true << QByteArray::fromStdString(kSatz);
    QTest::newRow("back: plaintext pane") << QByteArray("B") << QByteArray("Hallo") << QByteArray()
                                          << 0 << true << QByteArray("Hallo");
}

// Every switch restarts with a new input: the output so far (without the
// filling blanks), else the main window's pane, else the sentence.
void TestVMatrixBedienung::moduswechsel()
{
    QFETCH(QByteArray, schluessel);
    QFETCH(QByteArray, klar);
    QFETCH(QByteArray, chiffre);
    QFETCH(int, schritte);
    QFETCH(bool, zurueck);
    QFETCH(QByteArray, erwartet);
    Demo d(alsText(schluessel), alsText(klar), kOhneAnimation, alsText(chiffre));
    d.schritte(schritte);
    d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    if (zurueck)
        d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)->click();
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(erwartet));
    QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
    QCOMPARE(d.f->TextPos(), -1);
    QCOMPARE(d.f->SchluesselPos(), -1);
    QVERIFY(unmarkiert(*d.f));
    QCOMPARE(d.f->ModusVerschluesseln(), zurueck);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)->isChecked(), zurueck);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->isChecked(), !zurueck);
    QCOMPARE(d.f->findChild<QPushButton *>(u"BSchritt"_s)->text(),
        zurueck ? u"&Buchstaben verschlüsseln" : u"&Buchstaben entschlüsseln");
    QCOMPARE(d.f->findChild<QLabel *>(u"LText1"_s)->text(), zurueck ? u"Klarte&xt" : u"&Chiffre");
    QCOMPARE(d.f->findChild<QLabel *>(u"LText2"_s)->text(), zurueck ? u"&Chiffre" : u"Klarte&xt");
    // The active mode's button again: only the focus moves.
    d.schritte(1);
    (zurueck ? d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)
             : d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s))
        ->click();
    QCOMPARE(d.f->TextPos(), 0);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(erwartet));
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->isChecked(), !zurueck);
}

void TestVMatrixBedienung::textknoepfe_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<QByteArray>("eingabe");
    QTest::newRow("umlauts") << "BUmlaute" << QByteArray("Mue") << QByteArray("Aerger mit Strass");
    QTest::newRow("blanks") << "BLeerzeichen" << QByteArray("M\xfc")
                            << QByteArray("\xc4rgermitStra\xdf");
    QTest::newRow("small") << "BKlein" << QByteArray("m\xfc")
                           << QByteArray("\xe4rger mit stra\xdf");
    QTest::newRow("capital") << "BGross" << QByteArray("M\xdc")
                             << QByteArray("\xc4RGER MIT STRA\xdf");
}

// Each converts the key and the input, never the output, and resets.
void TestVMatrixBedienung::textknoepfe()
{
    QFETCH(QString, knopf);
    QFETCH(QByteArray, schluessel);
    QFETCH(QByteArray, eingabe);
    Demo d("M\xfc", "\xc4rger mit Stra\xdf", kOhneAnimation);
    d.schritte(2);
    d.f->findChild<QPushButton *>(knopf)->click();
    QCOMPARE(feld(d.f->findChild<QLineEdit *>(u"EdSchluessel"_s)), alsText(schluessel));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(eingabe));
    QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
    QCOMPARE(d.f->TextPos(), -1);
    QCOMPARE(d.f->SchluesselPos(), -1);
    QVERIFY(unmarkiert(*d.f));
    QCOMPARE(d.a.option().schluesselfeld(), Text("M\xfc"));
}

// Locked fields are read-only and hand the focus on; a step locks them again;
// unlocked, changing a text after a step starts afresh.
void TestVMatrixBedienung::feldsperre()
{
    Demo d("B", "abc", kOhneAnimation);
    d.f->show();
    QVERIFY(QTest::qWaitForWindowActive(d.f));
    const auto gesperrt = [&](auto *f) {
        QVERIFY(f->isReadOnly());
        f->setFocus();
        QCOMPARE(QApplication::focusWidget(), d.f->findChild<QPushButton *>(u"BSchritt"_s));
    };
    const auto entsperrt = [&](auto *f) {
        d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->click();
        QVERIFY(!f->isReadOnly());
        f->setFocus();
        QCOMPARE(QApplication::focusWidget(), f);
        d.schritte(1);
        QVERIFY(f->isReadOnly() && d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->isChecked());
        d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->click();
        QTest::keyClick(f, Qt::Key_End);
        QTest::keyClicks(f, "d");
        QCOMPARE(d.f->TextPos(), -1);
        QCOMPARE(d.f->SchluesselPos(), -1);
        QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
        d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->click();
    };
    const auto fuerAlle = [&](const auto &pruefe) {
        pruefe(d.f->findChild<QLineEdit *>(u"EdSchluessel"_s));
        pruefe(d.f->findChild<Bytezeile *>(u"EdText1"_s));
        pruefe(d.f->findChild<Bytezeile *>(u"EdText2"_s));
    };
    fuerAlle(gesperrt);
    fuerAlle(entsperrt);
    // A click on the table hands the focus to the step button.
    d.f->findChild<QPushButton *>(u"BSchliessen"_s)->setFocus();
    QTest::mouseClick(
        d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), d.f->findChild<QPushButton *>(u"BSchritt"_s));
}

void TestVMatrixBedienung::schluesselfeld_data()
{
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QByteArray>("eingefuegt");
    QTest::addColumn<bool>("uebernehmen");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("typed: only letters") << "a1B- c" << QByteArray() << true << QByteArray("aBc");
    QTest::newRow("pasted: cleaned on leaving")
        << "" << QByteArray("x1\xdfy") << true << QByteArray("xy");
    QTest::newRow("no letters: Sonnenbahn")
        << "" << QByteArray("12") << true << QByteArray("Sonnenbahn");
    QTest::newRow("empty: Sonnenbahn, not adopted")
        << "" << QByteArray() << false << QByteArray("Sonnenbahn");
}

// A key press is taken only for letters, backspace and Enter; leaving the
// field reduces it to its letters, and with the option adopted the method
// window gets the cleaned key.
void TestVMatrixBedienung::schluesselfeld()
{
    QFETCH(QString, getippt);
    QFETCH(QByteArray, eingefuegt);
    QFETCH(bool, uebernehmen);
    QFETCH(QByteArray, danach);
    Demo d("", {}, kOhneAnimation);
    auto *schluessel = d.f->findChild<QLineEdit *>(u"EdSchluessel"_s);
    if (uebernehmen)
        d.a.klicke("MMDemoOptUebernehmen");
    d.f->show();
    QVERIFY(QTest::qWaitForWindowActive(d.f));
    d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->click();
    schluessel->setFocus();
    setzeFeld(schluessel, alsText(eingefuegt));
    QTest::keyClicks(schluessel, getippt);
    QTest::sendKeyEvent(QTest::Click, schluessel, Qt::Key_Adiaeresis, QString(QChar(0xe4)), {});
    d.f->findChild<QPushButton *>(u"BRueck"_s)->setFocus();
    QCOMPARE(feld(schluessel), alsText(danach));
    QCOMPARE(d.a.option().schluesselfeld(), uebernehmen ? alsText(danach) : Text());
}

void TestVMatrixBedienung::rueckschreiben_data()
{
    QTest::addColumn<bool>("uebernehmen");
    QTest::newRow("options adopted") << true;
    QTest::newRow("not adopted") << false;
}

// The ignore flag reaches the method window only with "&Demo-Optionen
// übernehmen"; animation, speed and blinking always reach the main window.
void TestVMatrixBedienung::rueckschreiben()
{
    QFETCH(bool, uebernehmen);
    Demo d;
    if (uebernehmen)
        d.a.klicke("MMDemoOptUebernehmen");
    d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s)->click();
    QCOMPARE(d.a.steuer<QCheckBox>("CBSonderignorieren").isChecked(), uebernehmen);
    d.f->findChild<QSlider *>(u"TrackBar"_s)->setValue(2);
    d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s)->click();
    d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->click();
    DemoEinstellungen demo = d.a.haupt().demoEinstellungen();
    QCOMPARE(demo.AnimationAktuell, 2);
    QCOMPARE(demo.Animation, false);
    QCOMPARE(demo.Blinken, true);
    QVERIFY(d.f->findChild<QSlider *>(u"TrackBar"_s)->isHidden());
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->text(), u"&Animation");
    d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->click();
    QCOMPARE(
        d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->text(), u"&Animation   Geschwindigkeit:");
    QVERIFY(!d.f->findChild<QSlider *>(u"TrackBar"_s)->isHidden());
    QCOMPARE(d.a.haupt().demoEinstellungen().Animation, true);
}

// What the window takes when it opens, and its make-up.
void TestVMatrixBedienung::start()
{
    Demo d("Ab1", "Zeile\r\n\x01", { true, 100, 200, 250, true });
    QCOMPARE(feld(d.f->findChild<QLineEdit *>(u"EdSchluessel"_s)), Text("Ab1"));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), Text("Zeile\r\n\x01"));
    QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
    QCOMPARE(d.f->findChild<QSlider *>(u"TrackBar"_s)->minimum(), 100);
    QCOMPARE(d.f->findChild<QSlider *>(u"TrackBar"_s)->value(), 200);
    QVERIFY(d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->isChecked()
        && d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s)->isChecked());
    QCOMPARE(d.a.haupt().demoEinstellungen().AnimationAktuell, 250);
    QCOMPARE(d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->Cells(25, 25), "Y");
    QCOMPARE(d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->Cells(3, 2), "F");
    QCOMPARE(d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->GridLineWidth(), 0);
    QVERIFY(unmarkiert(*d.f));
    QCOMPARE(d.f->windowTitle(), u"Vigenère-Demonstration");
    QCOMPARE(d.f->size(), QSize(676, 499));
    QVERIFY(d.f->isWindow() && !d.f->parent() && d.f->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBEditSperren"_s)->toolTip(),
        u"Deaktivieren zum Ändern der Texte");
    QVERIFY(d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s)
                ->toolTip()
                .startsWith(u"Im Schlüsselwort nicht weiterwandern"));
    const QList<QWidget *> reihe = { d.f->findChild<QCheckBox *>(u"CBEditSperren"_s),
        d.f->findChild<QLineEdit *>(u"EdSchluessel"_s), d.f->findChild<Bytezeile *>(u"EdText1"_s),
        d.f->findChild<Bytezeile *>(u"EdText2"_s), d.f->findChild<QPushButton *>(u"BSchritt"_s),
        d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s),
        d.f->findChild<QCheckBox *>(u"CBAnimation"_s), d.f->findChild<QSlider *>(u"TrackBar"_s),
        d.f->findChild<QPushButton *>(u"BRueck"_s), d.f->findChild<QPushButton *>(u"BUmlaute"_s),
        d.f->findChild<QPushButton *>(u"BLeerzeichen"_s),
        d.f->findChild<QPushButton *>(u"BKlein"_s), d.f->findChild<QPushButton *>(u"BGross"_s),
        d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s),
        d.f->findChild<QPushButton *>(u"BSchliessen"_s) };
    QWidget *w = reihe.front();
    for (QWidget *naechster : reihe.mid(1)) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus);
        QCOMPARE(w, naechster);
    }
    Demo leer("B", {}, kSchnell);
    QCOMPARE(feld(leer.f->findChild<Bytezeile *>(u"EdText1"_s)), kSatz);
}

void TestVMatrixBedienung::niedrigerBildschirm_data()
{
    QTest::addColumn<int>("frei"); // the screen's height less the frame
    QTest::addColumn<int>("zeile"); // the table's row height
    QTest::newRow("designed height") << 499 << 19;
    QTest::newRow("1366 x 768 at 100 %") << 741 << 19;
    QTest::newRow("1366 x 768 at 150 %") << 495 << 18;
    QTest::newRow("lower than the controls allow") << 300 << 18;
}

// A screen too low for the designed window (a large Darstellungsgröße) takes
// height from the table's rows; every control stays inside, the close button
// at the bottom and clear of the one above it.
void TestVMatrixBedienung::niedrigerBildschirm()
{
    QFETCH(int, frei);
    QFETCH(int, zeile);
    Demo d;
    d.f->passeAn(frei);
    const int hoehe = 26 * zeile + 5;
    QCOMPARE(d.f->size(), QSize(676, hoehe));
    QCOMPARE(tabelle(*d.f).DefaultRowHeight(), zeile);
    QCOMPARE(tabelle(*d.f).height(), hoehe);
    for (const QWidget *w : d.f->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(d.f->rect().contains(w->geometry()), qPrintable(w->objectName()));
    const QRect schliessen = d.f->findChild<QPushButton *>(u"BSchliessen"_s)->geometry();
    QCOMPARE(schliessen.bottom(), hoehe - 9);
    QVERIFY(schliessen.top() > d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s)->geometry().bottom());
}

void TestVMatrixBedienung::buchstabenAmBeamer_data()
{
    QTest::addColumn<QByteArray>("faktor"); // QT_SCALE_FACTOR as the program start set it
    QTest::addColumn<int>("pixel");
    QTest::newRow("none") << QByteArray() << 11;
    QTest::newRow("125 %") << QByteArray("1.25") << 15;
    QTest::newRow("150 %") << QByteArray("1.5") << 15;
    QTest::newRow("200 %") << QByteArray("2") << 15;
}

// Scaled alone, the table's letters stay too small for the back of the room.
void TestVMatrixBedienung::buchstabenAmBeamer()
{
    QFETCH(QByteArray, faktor);
    QFETCH(int, pixel);
    if (!faktor.isEmpty())
        qputenv("QT_SCALE_FACTOR", faktor);
    Demo d;
    qunsetenv("QT_SCALE_FACTOR");
    QCOMPARE(tabelle(*d.f).font().pixelSize(), pixel);
}

QTEST_MAIN(TestVMatrixBedienung)
#include "test_vmatrixbedienung.moc"
