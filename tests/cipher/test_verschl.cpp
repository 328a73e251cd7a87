// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the cipher engine on worked examples and edge cases.
//
// Texts are Windows-1252 bytes, so umlauts are written as "\xC4" and so on,
// never as UTF-8. Worked examples and edge cases as named table rows, and
// byte-level cases at the class boundaries.

#include "cipher/verschl.h"
#include "testhilfen/bytetext.h"

#include <algorithm>
#include <climits>
#include <QByteArray>
#include <QTest>
#include <random>

using namespace verschl;
using intern::Rechenweg;

class TestVerschl : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void vorbereitung_data();
    void vorbereitung();
    void buchstabeEinzeln();
    void caesar_data();
    void caesar();
    void rotation_data();
    void rotation();
    void matrixVerschluesseln_data();
    void matrixVerschluesseln();
    void matrixLaengeKMalKPlusEins();
    void vigenereTabelle();
    void vigenere_data();
    void vigenere();
    void vigenereLeererSchluessel();
    void substitution_data();
    void substitution();
    void substitutionRundreise();
    void schluesselwortAlphabet_data();
    void schluesselwortAlphabet();
    void ergaenzeAlphabet_data();
    void ergaenzeAlphabet();
};

// ---------------------------------------------------------------------------
// Preparations

enum Vorbereitung { Umlaute, Klein, Gross, Leer };

void TestVerschl::vorbereitung_data()
{
    QTest::addColumn<int>("funktion");
    QTest::addColumn<QByteArray>("ein");
    QTest::addColumn<QByteArray>("aus");

    const char *namen[]
        = { "ErsetzeUmlaute", "InKleinschrift", "InGrossschrift", "LoescheLeerzeichen" };
    for (int f : { Umlaute, Klein, Gross, Leer })
        QTest::addRow("empty, %s", namen[f]) << f << QByteArray() << QByteArray();

    QTest::newRow("Stra\xC3\x9F"
                  "e")
        << int(Umlaute)
        << B("Stra\xDF"
             "e")
        << B("Strasse");
    QTest::newRow("\xC3\x84RGER") << int(Umlaute) << B("\xC4RGER") << B("AeRGER");
    QTest::newRow("\xC3\x96l \xC3\xBC"
                  "ber \xC3\x84pfeln")
        << int(Umlaute)
        << B("\xD6l \xFC"
             "ber \xC4pfeln")
        << B("Oel ueber Aepfeln");
    QTest::newRow("all seven") << int(Umlaute) << B("\xC4\xD6\xDC\xE4\xF6\xFC\xDF")
                               << B("AeOeUeaeoeuess");
    QTest::newRow("sharp s small in capitals") << int(Umlaute)
                                               << B("STRA\xDF"
                                                    "E")
                                               << B("STRAssE");
    QTest::newRow("no umlauts unchanged")
        << int(Umlaute) << B("Hallo, Welt!\r\n\t\xA0") << B("Hallo, Welt!\r\n\t\xA0");
    QTest::newRow("other accents and NUL stay")
        << int(Umlaute) << B("\xC9\xE0\xC5\xF8\xE9\0\xFF") << B("\xC9\xE0\xC5\xF8\xE9\0\xFF");

    QTest::newRow("klein \xC3\x84\xC3\x96\xC3\x9C ABC \xC3\x9F \xC3\x89")
        << int(Klein) << B("\xC4\xD6\xDC ABC \xDF \xC9") << B("\xE4\xF6\xFC abc \xDF \xC9");
    QTest::newRow("klein boundaries") << int(Klein) << B("@AZ[`az{\xC3\xC5\xD5\xD7\xDB\xDD")
                                      << B("@az[`az{\xC3\xC5\xD5\xD7\xDB\xDD");
    QTest::newRow("gross \xC3\xA4\xC3\xB6\xC3\xBC abc \xC3\x9F \xC3\xA9")
        << int(Gross) << B("\xE4\xF6\xFC abc \xDF \xE9") << B("\xC4\xD6\xDC ABC \xDF \xE9");
    QTest::newRow("gross boundaries") << int(Gross) << B("`az{@AZ[\xE3\xE5\xF5\xF7\xFB\xFD\xFF")
                                      << B("`AZ{@AZ[\xE3\xE5\xF5\xF7\xFB\xFD\xFF");

    QTest::newRow("a  b c") << int(Leer) << B("a  b c") << B("abc");
    QTest::newRow("tab CR LF 160 stay") << int(Leer)
                                        << B(" a\tb \r\n c\xA0"
                                             "d ")
                                        << B("a\tb\r\nc\xA0"
                                             "d");
    QTest::newRow("spaces only") << int(Leer) << B("     ") << QByteArray();
}

void TestVerschl::vorbereitung()
{
    QFETCH(int, funktion);
    QFETCH(QByteArray, ein);
    QFETCH(QByteArray, aus);
    const Text t = T(ein);
    switch (funktion) {
    case Umlaute:
        QCOMPARE(Q(ErsetzeUmlaute(t)), aus);
        break;
    case Klein:
        QCOMPARE(Q(InKleinschrift(t)), aus);
        break;
    case Gross:
        QCOMPARE(Q(InGrossschrift(t)), aus);
        break;
    case Leer:
        QCOMPARE(Q(LoescheLeerzeichen(t)), aus);
        break;
    }
}

// Every byte value through the one-byte functions and the case preparations:
// exactly the 26 letters and the three umlauts change, each by 32.
void TestVerschl::buchstabeEinzeln()
{
    QCOMPARE(GrossBuchstabe(228), Byte { 228 });
    QCOMPARE(GrossBuchstabe('1'), Byte { '1' });
    int gross = 0, klein = 0, grossText = 0, kleinText = 0;
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<Byte>(b);
        const Text ein(1, static_cast<char>(c));
        const auto g = GrossBuchstabe(c), k = KleinBuchstabe(c);
        gross += g != c;
        klein += k != c;
        if (g != c)
            QVERIFY(c >= 'a' && c <= 'z' && g == c - 32);
        if (k != c)
            QVERIFY(c >= 'A' && c <= 'Z' && k == c + 32);
        const auto gt = static_cast<Byte>(InGrossschrift(ein)[0]);
        const auto kt = static_cast<Byte>(InKleinschrift(ein)[0]);
        grossText += gt != c;
        kleinText += kt != c;
        QVERIFY(gt == c || gt == c - 32);
        QVERIFY(kt == c || kt == c + 32);
        if (c != 196 && c != 214 && c != 220 && c != 228 && c != 246 && c != 252 && c != 223)
            QCOMPARE(ErsetzeUmlaute(ein), ein);
    }
    QCOMPARE(gross, 26);
    QCOMPARE(klein, 26);
    QCOMPARE(grossText, 29);
    QCOMPARE(kleinText, 29);
}

// ---------------------------------------------------------------------------
// Shifts

void TestVerschl::caesar_data()
{
    QTest::addColumn<QByteArray>("ein");
    QTest::addColumn<int>("n");
    QTest::addColumn<QByteArray>("aus");

    QTest::newRow("Zebra +3") << B("Zebra") << 3 << B("Cheud");
    QTest::newRow("abc -1") << B("abc") << -1 << B("zab");
    QTest::newRow("AaZz -1") << B("AaZz") << -1 << B("ZzYy");
    QTest::newRow("shift 0") << B("Zebra, 42!") << 0 << B("Zebra, 42!");
    QTest::newRow("shift 26") << B("Zebra, 42!") << 26 << B("Zebra, 42!");
    QTest::newRow("shift -26") << B("Zebra, 42!") << -26 << B("Zebra, 42!");
    QTest::newRow("shift -25 = +1") << B("azAZ") << -25 << B("baBA");
    QTest::newRow("shift 25") << B("azAZ") << 25 << B("zyZY");
    QTest::newRow("shift 27 = 1 (reduced)") << B("azAZ") << 27 << B("baBA");
    QTest::newRow("\xC3\x84"
                  "1 \xC3\xBC! +5 unchanged")
        << B("\xC4"
             "1 \xFC!")
        << 5
        << B("\xC4"
             "1 \xFC!");
    QTest::newRow("class boundaries stay")
        << B("@[`{\0\x7F\xC1\xE1\r\n") << 13 << B("@[`{\0\x7F\xC1\xE1\r\n");
    QTest::newRow("empty") << QByteArray() << 7 << QByteArray();
}

void TestVerschl::caesar()
{
    QFETCH(QByteArray, ein);
    QFETCH(int, n);
    QFETCH(QByteArray, aus);
    QCOMPARE(Q(CaesarVerschieben(T(ein), n)), aus);
}

void TestVerschl::rotation_data()
{
    QTest::addColumn<bool>("rot128");
    QTest::addColumn<QByteArray>("ein");
    QTest::addColumn<QByteArray>("aus");

    QTest::newRow("Hallo, Welt!") << false << B("Hallo, Welt!") << B("Unyyb, Jryg!");
    QTest::newRow("rot13 umlauts stay") << false << B("\xE4\xDF z") << B("\xE4\xDF m");
    QTest::newRow("rot13 empty") << false << QByteArray() << QByteArray();
    QTest::newRow("CR LF -> 141 138") << true << B("\r\n") << B("\x8D\x8A");
    QTest::newRow("128 <-> 0") << true << B("\x80\0") << B("\0\x80");
    QTest::newRow("space -> 160, 255 -> 127") << true
                                              << B(" \xFF"
                                                   "A")
                                              << B("\xA0\x7F\xC1");
    QTest::newRow("rot128 empty") << true << QByteArray() << QByteArray();
}

void TestVerschl::rotation()
{
    QFETCH(bool, rot128);
    QFETCH(QByteArray, ein);
    QFETCH(QByteArray, aus);
    const auto f = rot128 ? Rot128 : Rot13;
    QCOMPARE(Q(f(T(ein))), aus);
    QCOMPARE(Q(f(T(aus))), ein);
}

// ---------------------------------------------------------------------------
// Matrix

void TestVerschl::matrixVerschluesseln_data()
{
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<bool>("manuell");
    QTest::addColumn<int>("spalten");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<QByteArray>("zurueck");

    QTest::newRow("empty auto") << QByteArray() << false << 5 << QByteArray() << QByteArray();
    QTest::newRow("empty manual") << QByteArray() << true << 5 << QByteArray() << QByteArray();
    QTest::newRow("one byte") << B("X") << false << 5 << B("X") << B("X");
    QTest::newRow("two bytes") << B("XY") << false << 5 << B("XY") << B("XY");
    QTest::newRow("HALLO") << B("HALLO") << false << 5 << B("HLAOL ") << B("HALLO");
    QTest::newRow("ABC") << B("ABC") << false << 5 << B("ACB ") << B("ABC");
    QTest::newRow("ABCDEFGHI square")
        << B("ABCDEFGHI") << false << 5 << B("ADGBEHCFI") << B("ABCDEFGHI");
    QTest::newRow("GEHEIMNIS 4 columns")
        << B("GEHEIMNIS") << true << 4 << B("GISEM HN EI ") << B("GEHEIMNIS");
    QTest::newRow("ABC 5 columns") << B("ABC") << true << 5 << B("ABC  ") << B("ABC");
    QTest::newRow("AB and two spaces") << B("AB  ") << false << 5 << B("A B ") << B("AB");
    QTest::newRow("A CR LF B") << B("A\r\nB") << false << 5 << B("A\n\rB") << B("A\r\nB");
    QTest::newRow("inner spaces stay") << B("A B C") << false << 5 << B("A  CB ") << B("A B C");
    QTest::newRow("NUL and 255 move")
        << B("\0\xFF\0") << true << 2 << B("\0\0\xFF ") << B("\0\xFF\0");
    QTest::newRow("1 column") << B("HALLO") << true << 1 << B("HALLO") << B("HALLO");
    QTest::newRow("count 0 used as 1") << B("HALLO") << true << 0 << B("HALLO") << B("HALLO");
    QTest::newRow("count -7 used as 1") << B("HALLO") << true << -7 << B("HALLO") << B("HALLO");
    QTest::newRow("count INT_MIN used as 1") << B("AB") << true << INT_MIN << B("AB") << B("AB");
    QTest::newRow("spaces only") << B("   ") << false << 5 << B("    ") << QByteArray();
}

void TestVerschl::matrixVerschluesseln()
{
    QFETCH(QByteArray, klar);
    QFETCH(bool, manuell);
    QFETCH(int, spalten);
    QFETCH(QByteArray, chiffre);
    QFETCH(QByteArray, zurueck);
    for (Rechenweg w : kWege) {
        const Spaltenwahl wahl { manuell, spalten };
        QCOMPARE(Q(intern::MatrixVerschluesseln(T(klar), wahl, w)), chiffre);
        QCOMPARE(Q(intern::MatrixEntschluesseln(T(chiffre), wahl, w)), zurueck);
    }
    QCOMPARE(Q(MatrixVerschluesseln(T(klar), { manuell, spalten })), chiffre);
    QCOMPARE(Q(MatrixEntschluesseln(T(chiffre), { manuell, spalten })), zurueck);
}

// Automatic mode: ciphertexts of length k(k+1) decrypt with n = k + 1, m = k;
// plaintexts of k*k + 1 .. k(k+1) bytes give exactly such ciphertexts.
void TestVerschl::matrixLaengeKMalKPlusEins()
{
    std::mt19937 gen(7);
    for (std::size_t k = 1; k <= 40; ++k) {
        Text chiffre(k * (k + 1), 'x');
        for (char &c : chiffre)
            c = static_cast<char>('A' + gen() % 26);
        const Text klar = MatrixEntschluesseln(chiffre, {});
        QCOMPARE(klar.size(), chiffre.size());
        for (std::size_t i = 0; i < k; ++i)
            for (std::size_t j = 0; j <= k; ++j)
                QCOMPARE(klar[i * (k + 1) + j], chiffre[j * k + i]);
        QCOMPARE(MatrixVerschluesseln(klar, {}), chiffre);
        for (std::size_t L = k * k + 1; L <= k * (k + 1); ++L)
            QCOMPARE(MatrixVerschluesseln(Text(L, 'q'), {}).size(), k * (k + 1));
        QCOMPARE(MatrixVerschluesseln(Text((k + 1) * (k + 1), 'q'), {}).size(), (k + 1) * (k + 1));
    }
}

// ---------------------------------------------------------------------------
// Vigenère

void TestVerschl::vigenereTabelle()
{
    QCOMPARE(VigenereTabelle(0, 0), 'A');
    QCOMPARE(VigenereTabelle(0, 25), 'Z');
    QCOMPARE(VigenereTabelle(25, 0), 'Z');
    QCOMPARE(VigenereTabelle(25, 25), 'Y');
    for (int r = 0; r < 26; ++r)
        for (int c = 0; c < 26; ++c) {
            QCOMPARE(VigenereTabelle(r, c), static_cast<char>('A' + (r + c) % 26));
            QCOMPARE(VigenereTabelle(r, c), VigenereTabelle(c, r));
        }
    // Outside 0..25 the indices are taken modulo 26 (robustness, no reading outside).
    QCOMPARE(VigenereTabelle(26, 0), 'A');
    QCOMPARE(VigenereTabelle(-1, 0), 'Z');
    QCOMPARE(VigenereTabelle(INT_MIN, INT_MAX), VigenereTabelle(INT_MIN % 26 + 26, INT_MAX % 26));
}

void TestVerschl::vigenere_data()
{
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QByteArray>("chiffre");

    for (bool ig : { false, true }) {
        const char *f = ig ? "ignore" : "count";
        QTest::addRow("ATTACKATDAWN LEMON, %s", f)
            << B("ATTACKATDAWN") << B("LEMON") << ig << B("LXFOPVEFRNHR");
        QTest::addRow("all-A key, %s", f) << B("Hallo Welt") << B("AaA") << ig << B("Hallo Welt");
        QTest::addRow("case kept, %s", f) << B("aBc") << B("B") << ig << B("bCd");
        QTest::addRow("key lower case, %s", f)
            << B("ATTACKATDAWN") << B("lemon") << ig << B("LXFOPVEFRNHR");
        QTest::addRow("key mixed case, %s", f)
            << B("attackatdawn") << B("LeMoN") << ig << B("lxfopvefrnhr");
        QTest::addRow("Z wraps, %s", f) << B("zZ") << B("B") << ig << B("aA");
        QTest::addRow("no letters, %s", f)
            << B("123 !?\r\n\0\xC4\xFF") << B("QWERTZ") << ig << B("123 !?\r\n\0\xC4\xFF");
        QTest::addRow("long key, first letters only, %s", f)
            << B("abc") << B("BCDEFGHIJ") << ig << B("bdf");
        QTest::addRow("empty text, %s", f) << QByteArray() << B("KEY") << ig << QByteArray();
    }
    QTest::newRow("two words, count") << B("ab cd") << B("BC") << false << B("bd ee");
    QTest::newRow("two words, ignore") << B("ab cd") << B("BC") << true << B("bd df");
    QTest::newRow("umlaut copied, counts, count") << B("a\xE4"
                                                       "a")
                                                  << B("BC") << false
                                                  << B("b\xE4"
                                                       "b");
    QTest::newRow("umlaut copied, ignore") << B("a\xE4"
                                                "a")
                                           << B("BC") << true
                                           << B("b\xE4"
                                                "c");
    QTest::newRow("line break is two bytes, count")
        << B("a\r\na") << B("BCD") << false << B("b\r\nb");
    QTest::newRow("line break skipped, ignore") << B("a\r\na") << B("BCD") << true << B("b\r\nc");
}

void TestVerschl::vigenere()
{
    QFETCH(QByteArray, klar);
    QFETCH(QByteArray, schluessel);
    QFETCH(bool, ignorieren);
    QFETCH(QByteArray, chiffre);
    const Text k = T(schluessel);
    for (Rechenweg w : kWege) {
        const auto c = intern::VigenereVerschluesseln(T(klar), k, ignorieren, w);
        QVERIFY(c.has_value());
        QCOMPARE(Q(*c), chiffre);
        const auto p = intern::VigenereEntschluesseln(T(chiffre), k, ignorieren, w);
        QVERIFY(p.has_value());
        QCOMPARE(Q(*p), klar);
    }
    QCOMPARE(Q(VigenereVerschluesseln(T(klar), k, ignorieren).value()), chiffre);
    QCOMPARE(Q(VigenereEntschluesseln(T(chiffre), k, ignorieren).value()), klar);
}

void TestVerschl::vigenereLeererSchluessel()
{
    for (bool ig : { false, true })
        for (const Text &t : { Text(), Text("Hallo") }) {
            QVERIFY(!VigenereVerschluesseln(t, Text(), ig).has_value());
            QVERIFY(!VigenereEntschluesseln(t, Text(), ig).has_value());
            for (Rechenweg w : kWege) {
                QVERIFY(!intern::VigenereVerschluesseln(t, Text(), ig, w).has_value());
                QVERIFY(!intern::VigenereEntschluesseln(t, Text(), ig, w).has_value());
            }
        }
}

// An empty cipher text: the alphabet is no permutation of A-Z.
void TestVerschl::substitution_data()
{
    QTest::addColumn<QByteArray>("alphabet");
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<QByteArray>("geheim");
    QTest::newRow("Atbash") << B("ZYXWVUTSRQPONMLKJIHGFEDCBA") << B("Hallo Welt")
                            << B("Szool Dvog");
    QTest::newRow("key word ZIFFERON, umlauts stay") << B("ZIFERONABCDGHJKLMPQSTUVWXY")
                                                     << B("Hallo Welt, Gr\xFC\xDF"
                                                          "e!")
                                                     << B("Azggk Vrgs, Np\xFC\xDF"
                                                          "r!");
    QTest::newRow("lower-case alphabet, every other byte stays")
        << B("defghijklmnopqrstuvwxyzabc") << B("Xyz\r\n\0\x80\xFF[`{")
        << B("Abc\r\n\0\x80\xFF[`{");
    QTest::newRow("25 letters") << B("ABCDEFGHIJKLMNOPQRSTUVWXY") << B("Hallo") << QByteArray();
    QTest::newRow("a letter twice")
        << B("AACDEFGHIJKLMNOPQRSTUVWXYZ") << B("Hallo") << QByteArray();
    QTest::newRow("an umlaut among them") << B("\xC4"
                                               "BCDEFGHIJKLMNOPQRSTUVWXYZ")
                                          << B("Hallo") << QByteArray();
}

void TestVerschl::substitution()
{
    QFETCH(QByteArray, alphabet);
    QFETCH(QByteArray, klar);
    QFETCH(QByteArray, geheim);
    const auto v = SubstitutionVerschluesseln(T(klar), T(alphabet));
    const auto e = SubstitutionEntschluesseln(T(geheim), T(alphabet));
    QCOMPARE(v.has_value(), !geheim.isEmpty());
    QCOMPARE(e.has_value(), !geheim.isEmpty());
    if (v) {
        QCOMPARE(Q(*v), geheim);
        QCOMPARE(Q(*e), klar);
    }
}

// Random alphabets over random bytes, longer than one of the engine's blocks.
void TestVerschl::substitutionRundreise()
{
    std::mt19937 gen(27);
    Text alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int runde = 0; runde < 50; ++runde) {
        std::shuffle(alphabet.begin(), alphabet.end(), gen);
        Text text(std::size_t(gen() % 9000), '\0');
        for (char &c : text)
            c = static_cast<char>(gen());
        const Text geheim = *SubstitutionVerschluesseln(text, alphabet);
        QCOMPARE(Q(*SubstitutionEntschluesseln(geheim, alphabet)), Q(text));
        QCOMPARE(InGrossschrift(*SubstitutionVerschluesseln(InGrossschrift(text), alphabet)),
            InGrossschrift(geheim));
    }
}

void TestVerschl::schluesselwortAlphabet_data()
{
    QTest::addColumn<QByteArray>("wort");
    QTest::addColumn<QByteArray>("alphabet");
    QTest::newRow("repeats go") << B("ZIFFERON") << B("ZIFERONABCDGHJKLMPQSTUVWXY");
    QTest::newRow("umlaut as two letters") << B("Schl\xFCssel") << B("SCHLUEABDFGIJKMNOPQRTVWXYZ");
    QTest::newRow("sharp s and capital umlaut") << B("Stra\xDF"
                                                     "e \xD6l")
                                                << B("STRAEOLBCDFGHIJKMNPQUVWXYZ");
    QTest::newRow("digits and signs dropped")
        << B("7b: K\x80ln!") << B("BKLNACDEFGHIJMOPQRSTUVWXYZ");
    QTest::newRow("empty") << QByteArray() << B("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

void TestVerschl::schluesselwortAlphabet()
{
    QFETCH(QByteArray, wort);
    QFETCH(QByteArray, alphabet);
    QCOMPARE(Q(SchluesselwortAlphabet(T(wort))), alphabet);
}

void TestVerschl::ergaenzeAlphabet_data()
{
    QTest::addColumn<QByteArray>("teilweise");
    QTest::addColumn<QByteArray>("alphabet");
    QTest::newRow("whole stays") << B("ZIFERONABCDGHJKLMPQSTUVWXY")
                                 << B("ZIFERONABCDGHJKLMPQSTUVWXY");
    QTest::newRow("open places in order")
        << B("?X??????????????????????Y?") << B("AXBCDEFGHIJKLMNOPQRSTUVWYZ");
    QTest::newRow("repeat and lower case") << B("qq?") << B("QABCDEFGHIJKLMNOPRSTUVWXYZ");
    QTest::newRow("too long is cut")
        << B("ABCDEFGHIJKLMNOPQRSTUVWXYZA") << B("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

void TestVerschl::ergaenzeAlphabet()
{
    QFETCH(QByteArray, teilweise);
    QFETCH(QByteArray, alphabet);
    QCOMPARE(Q(ErgaenzeAlphabet(T(teilweise))), alphabet);
}

QTEST_GUILESS_MAIN(TestVerschl)
#include "test_verschl.moc"
