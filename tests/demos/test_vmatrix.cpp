// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration, opened from the main window of a fresh program:
// the running light through the table, the marking and its blinking, stepping
// in both modes, the new input of a mode switch, the field lock and the key
// field, the text buttons, what goes back to the main and method windows.

#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/demoszenarien.h"

#include <cctype>
#include <functional>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using verschl::Text;
using Stopps = QList<QList<QPoint>>;

namespace {

const Text kSatz = TVMatrixForm::kBeispielsatz;
constexpr DemoEinstellungen kOhneAnimation { false, 0, 300, 150, false };

void setzeFeld(QLineEdit *f, const Text &t) { f->setText(codepage::AlsZeichenkette(t)); }
void setzeFeld(Bytezeile *f, const Text &t) { f->setText(t); }

// A program with a Vigenère demonstration opened by the main window's command.
struct Demo
{
    explicit Demo(const Text &schluessel = "Sonnenbahn", const Text &klartext = {},
        DemoEinstellungen demo = kSchnell, const Text &chiffre = {})
    {
        a.option().setSchluessel(schluessel);
        a.klar().setText(klartext);
        a.chiffre().setText(chiffre);
        a.haupt().setDemoEinstellungen(demo);
        f = oeffne();
    }
    TVMatrixForm *oeffne() { return &a.oeffneNeues<TVMatrixForm>("VigenreMatrix1"); }
    // Unlocks the fields, puts the texts in and locks them again.
    void texte(const Text &schluessel, const Text &eingabe)
    {
        f->findChild<QCheckBox *>(u"CBEditSperren"_s)->setChecked(false);
        setzeFeld(f->findChild<QLineEdit *>(u"EdSchluessel"_s), schluessel);
        setzeFeld(f->findChild<Bytezeile *>(u"EdText1"_s), eingabe);
        f->findChild<QCheckBox *>(u"CBEditSperren"_s)->setChecked(true);
    }
    void schritte(int n)
    {
        for (int i = 0; i < n; ++i)
            f->findChild<QPushButton *>(u"BSchritt"_s)->click();
    }
    Aufbau a;
    QPointer<TVMatrixForm> f;
};

// The Vigenère table of the window.
const TStringAlignGrid &tabelle(const TVMatrixForm &f)
{
    return *f.findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s);
}

// What cell (c, r) shows: background and text colour, and whether bold.
struct Aussehen
{
    QColor hinten;
    QColor schrift;
    bool fett;
    bool operator==(const Aussehen &) const = default;
};
Aussehen aussehen(const TVMatrixForm &f, int c, int r)
{
    const TStringAlignGrid &g = tabelle(f);
    return { g.HintergrundVon(c, r), g.SchriftfarbeVon(c, r), g.SchriftVon(c, r).bold() };
}

// The marking of key row a and plaintext column b as the table shows it.
void pruefeMarkierung(const TVMatrixForm &f, int a, int b)
{
    const TStringAlignGrid &g = tabelle(f);
    const QColor farbe = Markierungsfarbe().aufgeloest(g.palette());
    const QColor weiss(Qt::white);
    QCOMPARE(f.MarkZeile(), a);
    QCOMPARE(f.MarkSpalte(), b);
    // Header cells bold in white on the marking colour, unless one is the result.
    if (b > 0)
        QCOMPARE(aussehen(f, 0, a), (Aussehen { farbe, weiss, true }));
    if (a > 0)
        QCOMPARE(aussehen(f, b, 0), (Aussehen { farbe, weiss, true }));
    QCOMPARE(aussehen(f, b, a), (Aussehen { weiss, farbe, a == 0 || b == 0 }));
    // The rest of the row and the column: marked; elsewhere the table as it was.
    const int c = (b + 7) % 25 + 1, r = (a + 7) % 25 + 1;
    QCOMPARE(aussehen(f, c, a), (Aussehen { farbe, weiss, a == 0 }));
    QCOMPARE(aussehen(f, b, r), (Aussehen { farbe, weiss, b == 0 }));
    const QColor text = g.SchriftfarbeVon(c, r);
    QVERIFY(text != weiss && g.HintergrundVon(c, r) != farbe);
    QVERIFY(!g.SchriftVon(c, r).bold());
    if (b != 0)
        QCOMPARE(aussehen(f, 0, r), (Aussehen { g.HintergrundVon(c, r), text, true }));
}

bool unmarkiert(const TVMatrixForm &f)
{
    const TStringAlignGrid &g = tabelle(f);
    const QColor farbe = Markierungsfarbe().aufgeloest(g.palette());
    for (int c = 0; c < 26; ++c) {
        for (int r = 0; r < 26; ++r) {
            if (g.HintergrundVon(c, r) == farbe || g.SchriftVon(c, r).bold() != (c == 0 || r == 0))
                return false;
        }
    }
    return true;
}

QList<QPoint> p(std::initializer_list<QPoint> punkte) { return punkte; }

} // namespace

class TestVMatrix : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lauflicht_data();
    void lauflicht();
    void blinken();
    void satzHinUndZurueck_data();
    void satzHinUndZurueck();
    void seltsameEingaben_data();
    void seltsameEingaben();
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
    void klickWaehrendLauflicht_data();
    void klickWaehrendLauflicht();
    void schliessenWaehrendLauflicht_data();
    void schliessenWaehrendLauflicht();
    void zweiFensterUnabhaengig();
    void langeZeile();
};

void TestVMatrix::lauflicht_data()
{
    QTest::addColumn<bool>("verschluesseln");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<QByteArray>("zeichen");
    QTest::addColumn<QByteArray>("ergebnis");
    QTest::addColumn<Stopps>("stopps");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    const QPoint k(0, 2); // key cell of C
    QTest::newRow("encrypt D under C")
        << true << QByteArray("C") << QByteArray("D") << QByteArray("F")
        << Stopps { p({ { 0, 0 } }), p({ { 0, 1 } }), p({ k }), p({ { 0, 0 }, k }),
               p({ k, { 1, 0 } }), p({ k, { 2, 0 } }), p({ k, { 3, 0 } }) }
        << 2 << 3;
    QTest::newRow("decrypt F under C: key cell lit throughout")
        << false << QByteArray("C") << QByteArray("F") << QByteArray("D")
        << Stopps { p({ { 0, 0 } }), p({ { 0, 1 } }), p({ k }), p({ k }), p({ k, { 1, 2 } }),
               p({ k, { 2, 2 } }), p({ k, { 3, 2 } }) }
        << 2 << 3;
    QTest::newRow("encrypt A under A: the move along row 0 frees the key cell")
        << true << QByteArray("a") << QByteArray("b") << QByteArray("b")
        << Stopps { p({ { 0, 0 } }), p({ { 0, 0 } }), p({ { 1, 0 } }) } << 0 << 1;
    QTest::newRow("decrypt under A: along row 0, the key cell stays")
        << false << QByteArray("A") << QByteArray("C") << QByteArray("C")
        << Stopps { p({ { 0, 0 } }), p({ { 0, 0 } }), p({ { 0, 0 }, { 1, 0 } }),
               p({ { 0, 0 }, { 2, 0 } }) }
        << 0 << 2;
    QTest::newRow("encrypt A under C: one stop along row 0")
        << true << QByteArray("C") << QByteArray("a") << QByteArray("c")
        << Stopps { p({ { 0, 0 } }), p({ { 0, 1 } }), p({ k }), p({ { 0, 0 }, k }) } << 2 << 0;
    QTest::newRow("lower case z under z: 52 stops")
        << true << QByteArray("z") << QByteArray("z") << QByteArray("y") << Stopps() << 25 << 25;
    QTest::newRow("no animation") << true << QByteArray("C") << QByteArray("D") << QByteArray("F")
                                  << Stopps() << 2 << 3;
}

// The light runs down column 0 to the key letter, then along row 0 to the
// plaintext letter (encrypting) or along the key's row to the ciphertext
// letter (decrypting); then row, column, headers and the inverse result.
void TestVMatrix::lauflicht()
{
    QFETCH(bool, verschluesseln);
    QFETCH(QByteArray, schluessel);
    QFETCH(QByteArray, zeichen);
    QFETCH(QByteArray, ergebnis);
    QFETCH(Stopps, stopps);
    QFETCH(int, a);
    QFETCH(int, b);
    const bool animation = !QByteArray(QTest::currentDataTag()).startsWith("no animation");
    Demo d("A", {}, animation ? kSchnell : kOhneAnimation);
    if (!verschluesseln)
        d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    d.texte(alsText(schluessel), alsText(zeichen));
    Lichtprotokoll licht(d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s), 26, 26,
        Lichtprotokoll::Folge::Spaltenweise);
    d.schritte(1);
    if (a == 25) {
        QCOMPARE(licht.stopps.size(), 52);
        QCOMPARE(licht.stopps.back(), p({ { 0, 25 }, { 25, 0 } }));
    } else {
        QCOMPARE(licht.stopps, stopps);
    }
    pruefeMarkierung(*d.f, a, b);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ergebnis));
    QCOMPARE(d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->Cells(b, a),
        Text(1, char(verschluesseln ? ergebnis.toUpper()[0] : zeichen.toUpper()[0])));
    QVERIFY(!d.f->AnimationLaeuft());
    QVERIFY(!d.f->findChild<QTimer *>(u"BlinkAn"_s)->isActive());
}

// With blinking on the result cell takes its row's look and turns inverse
// again, tick by tick, until the marking is cleared; switching blinking off
// does not stop a blinking already running.
void TestVMatrix::blinken()
{
    Demo d("C", {}, { false, 0, 300, 150, true });
    const auto *blinkAn = d.f->findChild<QTimer *>(u"BlinkAn"_s);
    QVERIFY(d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s)->isChecked());
    d.texte("C", "Dx");
    d.schritte(1);
    QVERIFY(blinkAn->isActive());
    QCOMPARE(blinkAn->interval(), 600);
    const QColor farbe = Markierungsfarbe().aufgeloest(
        d.f->findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s)->palette());
    const Aussehen invers { Qt::white, farbe, false }, zeile { farbe, Qt::white, false };
    for (const Aussehen &erwartet : { zeile, invers, zeile }) {
        const int zaehler = d.f->BlinkZaehler();
        d.f->BlinkAnTimer();
        QCOMPARE(aussehen(*d.f, 3, 2), erwartet);
        QCOMPARE(d.f->BlinkZaehler(), zaehler + 1);
    }
    d.f->findChild<QCheckBox *>(u"CBMitBlinken"_s)->setChecked(false);
    QVERIFY(blinkAn->isActive());
    d.schritte(1); // the next step clears the marking
    QVERIFY(!blinkAn->isActive());
    d.f->BRueckClick();
    d.schritte(1); // blinking off: the result stays inverse
    QVERIFY(!blinkAn->isActive());
    QCOMPARE(aussehen(*d.f, 3, 2), invers);
}

void TestVMatrix::satzHinUndZurueck_data()
{
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::newRow("special characters use up key letters") << false << QByteArray("Sonnenbahn");
    QTest::newRow("special characters ignored") << true << QByteArray("Sonnenbahn");
    QTest::newRow("key of one letter") << true << QByteArray("k");
}

// The sentence step by step gives what the cipher gives for the whole
// sentence; its result, switched over, decrypts back. The key letter in use
// is selected; after the end a click only clears selections and marking.
void TestVMatrix::satzHinUndZurueck()
{
    QFETCH(bool, ignorieren);
    QFETCH(QByteArray, schluessel);
    const Text key = alsText(schluessel);
    Demo d(key, {}, kOhneAnimation);
    d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s)->setChecked(ignorieren);
    const Text chiffre = *verschl::VigenereVerschluesseln(kSatz, key, ignorieren);
    for (const bool hin : { true, false }) {
        const Text ziel = hin ? chiffre : kSatz;
        int k = -1;
        for (size_t i = 0; i < kSatz.size(); ++i) {
            d.schritte(1);
            if (!ignorieren || std::isalpha(static_cast<unsigned char>(kSatz[i])))
                k = (k + 1) % int(key.size());
            QCOMPARE(d.f->SchluesselPos(), k);
            QCOMPARE(d.f->findChild<QLineEdit *>(u"EdSchluessel"_s)->selectionStart(), k);
            const Text aus = feld(d.f->findChild<Bytezeile *>(u"EdText2"_s));
            QCOMPARE(aus, ziel.substr(0, i + 1) + Text(kSatz.size() - i - 1, ' '));
            QCOMPARE(d.f->Fuellzeichen(), int(kSatz.size() - i - 1));
            QCOMPARE(d.f->findChild<Bytezeile *>(u"EdText2"_s)->AuswahlAnfang(), qsizetype(i));
            QCOMPARE(
                d.f->findChild<Bytezeile *>(u"EdText1"_s)->textCursor().selectedText().size(), 1);
        }
        d.schritte(2);
        QCOMPARE(d.f->TextPos(), int(kSatz.size()) - 1);
        QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), ziel);
        QVERIFY(unmarkiert(*d.f));
        QVERIFY(!d.f->findChild<Bytezeile *>(u"EdText1"_s)->hatAuswahl()
            && !d.f->findChild<Bytezeile *>(u"EdText2"_s)->hatAuswahl()
            && !d.f->findChild<QLineEdit *>(u"EdSchluessel"_s)->hasSelectedText());
        (hin ? d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)
             : d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s))
            ->click();
        QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), ziel);
    }
}

void TestVMatrix::seltsameEingaben_data()
{
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QByteArray>("eingabe");
    QTest::addColumn<int>("schritte");
    QTest::addColumn<QByteArray>("ausgabe");
    QTest::addColumn<int>("schluesselPos");
    QTest::newRow("key with a digit: its steps copy")
        << QByteArray("B1") << false << QByteArray("aaaa") << 4 << QByteArray("baba") << 1;
    QTest::newRow("empty key: everything copied")
        << QByteArray() << false << QByteArray("Abc") << 3 << QByteArray("Abc") << -1;
    QTest::newRow("key without letters")
        << QByteArray("1 2") << false << QByteArray("ab") << 2 << QByteArray("ab") << 1;
    QTest::newRow("empty input: the first press is the end")
        << QByteArray("B") << false << QByteArray() << 2 << QByteArray() << -1;
    QTest::newRow("umlauts and sharp s") << QByteArray("B") << false << QByteArray("\xc4\xdf\xfc x")
                                         << 5 << QByteArray("\xc4\xdf\xfc y") << 0;
    QTest::newRow("line break uses two key letters")
        << QByteArray("BCD") << false << QByteArray("a\r\nb") << 4 << QByteArray("b\r\nc") << 0;
    QTest::newRow("line break ignored")
        << QByteArray("BCD") << true << QByteArray("a\r\nb") << 4 << QByteArray("b\r\nd") << 1;
    QTest::newRow("control bytes")
        << QByteArray("B") << true << QByteArray("\x00\x01z\x7f\xff", 5) << 3
        << QByteArray("\x00\x01"
                      "a  ",
               5)
        << 0;
}

// Any byte goes through the fields; only letters under letters are enciphered,
// and no key ever divides by zero. The key comes from the method window as
// it stands, unfiltered.
void TestVMatrix::seltsameEingaben()
{
    QFETCH(QByteArray, schluessel);
    QFETCH(bool, ignorieren);
    QFETCH(QByteArray, eingabe);
    QFETCH(int, schritte);
    QFETCH(QByteArray, ausgabe);
    QFETCH(int, schluesselPos);
    Demo d(alsText(schluessel), {}, kSchnell);
    QCOMPARE(feld(d.f->findChild<QLineEdit *>(u"EdSchluessel"_s)), alsText(schluessel));
    d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s)->setChecked(ignorieren);
    d.texte(alsText(schluessel), alsText(eingabe));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(eingabe));
    d.schritte(schritte);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ausgabe));
    QCOMPARE(d.f->SchluesselPos(), schluesselPos);
    QCOMPARE(d.f->TextPos(), std::min(schritte, int(eingabe.size())) - 1);
}

void TestVMatrix::moduswechsel_data()
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
void TestVMatrix::moduswechsel()
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

void TestVMatrix::textknoepfe_data()
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
void TestVMatrix::textknoepfe()
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
void TestVMatrix::feldsperre()
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

void TestVMatrix::schluesselfeld_data()
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
void TestVMatrix::schluesselfeld()
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

void TestVMatrix::rueckschreiben_data()
{
    QTest::addColumn<bool>("uebernehmen");
    QTest::newRow("options adopted") << true;
    QTest::newRow("not adopted") << false;
}

// The ignore flag reaches the method window only with "&Demo-Optionen
// übernehmen"; animation, speed and blinking always reach the main window.
void TestVMatrix::rueckschreiben()
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
void TestVMatrix::start()
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
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBSonderzeichenIgnorieren"_s)->toolTip(),
        u"Im Schlüsselwort nicht weiterwandern");
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

void TestVMatrix::klickWaehrendLauflicht_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<bool>("vomDesktop");
    QTest::addColumn<int>("textPos");
    QTest::addColumn<QByteArray>("ausgabe");
    for (const char *knopf : { "BSchritt", "BRueck", "SpBEntschluesseln", "BGross" })
        QTest::addRow("%s during the light: ignored", knopf)
            << knopf << false << 0 << QByteArray("D ");
    QTest::newRow("step from the desktop: after") << "BSchritt" << true << 1 << QByteArray("Dc");
    QTest::newRow("reset from the desktop: after") << "BRueck" << true << -1 << QByteArray();
    QTest::newRow("mode from the desktop: after")
        << "SpBEntschluesseln" << true << -1 << QByteArray();
}

// A click from the desktop waits in the queue while the light runs and is
// handled once it is over; one that reaches the window anyway changes nothing.
void TestVMatrix::klickWaehrendLauflicht()
{
    QFETCH(QString, knopf);
    QFETCH(bool, vomDesktop);
    QFETCH(int, textPos);
    QFETCH(QByteArray, ausgabe);
    Demo d("C", "Ba");
    demoszenario::klickWaehrendLauflicht(this, d, knopf, vomDesktop, 5);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), Text("D "));
    pruefeMarkierung(*d.f, 2, 1);
    QCoreApplication::processEvents();
    QCOMPARE(d.f->TextPos(), textPos);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ausgabe));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)),
        Text(knopf == "SpBEntschluesseln" && vomDesktop ? "D" : "Ba"));
    QVERIFY(!d.f->AnimationLaeuft());
}

void TestVMatrix::schliessenWaehrendLauflicht_data()
{
    demoszenario::schliessenWaehrendLauflicht_data();
}

void TestVMatrix::schliessenWaehrendLauflicht()
{
    QFETCH(bool, loeschen);
    Demo d("Z", "Z");
    demoszenario::schliessenWaehrendLauflicht(this, d, 30, loeschen);
    if (QTest::currentTestFailed())
        return;
    d.texte("B", "b");
    d.schritte(1);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), Text("c"));
}

// A line of 1 MiB, stepped with the key "B" to the first byte after a soft
// break.
void TestVMatrix::langeZeile()
{
    const Text zeile = buchstabenzeile(1 << 20);
    Demo d("B", zeile, kOhneAnimation);
    const int stelle = int(Bytezeile::kStueck);
    d.schritte(stelle + 1);
    pruefeLangeZeile(*d.f->findChild<Bytezeile *>(u"EdText1"_s),
        *d.f->findChild<Bytezeile *>(u"EdText2"_s), zeile, stelle,
        verschl::CaesarVerschieben(zeile.substr(stelle, 1), 1).front());
}

void TestVMatrix::zweiFensterUnabhaengig()
{
    Demo d("C", {}, kOhneAnimation);
    // "Kryp" under C: the "p" marks row 2, column 15.
    const auto erstes = demoszenario::zweiFenster(d, 4, [] {});
    QCOMPARE(erstes->TextPos(), 3);
    QCOMPARE(erstes->SchluesselPos(), 0);
    QVERIFY(erstes->ModusVerschluesseln());
    pruefeMarkierung(*erstes, 2, 15);
    QCOMPARE(d.f->TextPos(), 0);
    QVERIFY(!d.f->ModusVerschluesseln());
    pruefeMarkierung(*d.f, 2, 10); // "M" decrypts to "K"
}

QTEST_MAIN(TestVMatrix)
#include "test_vmatrix.moc"
