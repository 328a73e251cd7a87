// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration's table and steps: the running light, the
// marking and its blinking, whole sentences both ways, odd inputs, clicks and
// closing while the light runs, two windows side by side and a long line.

#include "testhilfen/demoszenarien.h"
#include "testhilfen/vmatrixdemo.h"

#include <cctype>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace Qt::StringLiterals;
using namespace vmatrixdemo;
using verschl::Text;
using Stopps = QList<QList<QPoint>>;

namespace {

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
