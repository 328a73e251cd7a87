// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the cipher engine.
//
// Texts are Windows-1252 bytes, so umlauts are written as "\xC4" and so on,
// never as UTF-8. Three groups: worked examples and edge cases
// as named table rows; byte-level cases at the class boundaries; round trips
// and comparisons with a slow, literal model of the rules over
// random byte strings. The comparisons run both code paths of the engine
// (SIMD and portable, see verschl::intern), so the fallback that ARM builds
// take is checked on x86 too.

#include "cipher/verschl.h"

#include <algorithm>
#include <climits>
#include <QByteArray>
#include <QTest>
#include <random>
#include <vector>

using namespace verschl;
using intern::Rechenweg;

namespace {

using Byte = unsigned char;

// A literal keeps embedded NUL bytes.
template <std::size_t N> QByteArray B(const char (&s)[N]) { return QByteArray(s, N - 1); }

Text T(const QByteArray &b) { return Text(b.constData(), static_cast<std::size_t>(b.size())); }

QByteArray Q(const Text &t) { return QByteArray(t.data(), static_cast<qsizetype>(t.size())); }

const Rechenweg kWege[] = { Rechenweg::Schnellster, Rechenweg::Portabel };

const char *name(Rechenweg w)
{
    return w == Rechenweg::Schnellster ? "fastest path" : "portable path";
}

Text ohneEndLeerzeichen(Text t)
{
    while (!t.empty() && t.back() == ' ')
        t.pop_back();
    return t;
}

// --- The rules as a slow, literal model (1-based where it counts) ---------

Text vorbildMatrix(const Text &text, Spaltenwahl wahl, bool verschluesseln)
{
    const std::size_t L = text.size();
    if (L == 0)
        return {};
    std::size_t n = 0;
    if (wahl.manuell)
        n = wahl.spalten < 1 ? 1 : static_cast<std::size_t>(wahl.spalten);
    else
        while (n * n < L)
            ++n;
    const std::size_t m = L % n == 0 ? L / n : L / n + 1;
    Text t = text;
    while (t.size() < m * n)
        t += ' ';
    std::vector<std::vector<char>> feld(m, std::vector<char>(n));
    Text aus;
    if (verschluesseln) {
        for (std::size_t k = 0; k < m * n; ++k)
            feld[k / n][k % n] = t[k];
        for (std::size_t c = 0; c < n; ++c)
            for (std::size_t r = 0; r < m; ++r)
                aus += feld[r][c];
        return aus;
    }
    for (std::size_t k = 0; k < m * n; ++k)
        feld[k % m][k / m] = t[k];
    for (std::size_t r = 0; r < m; ++r)
        for (std::size_t c = 0; c < n; ++c)
            aus += feld[r][c];
    return ohneEndLeerzeichen(aus);
}

bool vorbildBuchstabe(Byte x) { return (x >= 65 && x <= 90) || (x >= 97 && x <= 122); }

// Key bytes that are no letters: the documented rule (GrossBuchstabe(x) - 65) mod 26.
int vorbildSchluesselIndex(Byte k) { return ((GrossBuchstabe(k) - 65) % 26 + 26) % 26; }

Text vorbildVigenere(const Text &text, const Text &schluessel, bool ignorieren, bool verschl)
{
    Text aus = text;
    std::size_t a = 1;
    const auto weiter = [&] { a = (a % schluessel.size()) + 1; };
    for (std::size_t i = 1; i <= text.size(); ++i) {
        const Byte x = static_cast<Byte>(text[i - 1]);
        if (!vorbildBuchstabe(x)) {
            if (!ignorieren)
                weiter();
            continue;
        }
        const int K = vorbildSchluesselIndex(static_cast<Byte>(schluessel[a - 1]));
        Byte r = 0;
        if (verschl) {
            r = static_cast<Byte>(VigenereTabelle(GrossBuchstabe(x) - 65, K));
        } else {
            int j = 0; // search column K for the capital form of x
            while (static_cast<Byte>(VigenereTabelle(j, K)) != GrossBuchstabe(x))
                ++j;
            r = static_cast<Byte>(VigenereTabelle(j, 0));
        }
        weiter();
        aus[i - 1] = static_cast<char>(x >= 97 ? KleinBuchstabe(r) : r);
    }
    return aus;
}

Text vorbildUmlaute(const Text &text)
{
    Text aus;
    for (const char c : text) {
        switch (static_cast<Byte>(c)) {
        case 196:
            aus += "Ae";
            break;
        case 214:
            aus += "Oe";
            break;
        case 220:
            aus += "Ue";
            break;
        case 228:
            aus += "ae";
            break;
        case 246:
            aus += "oe";
            break;
        case 252:
            aus += "ue";
            break;
        case 223:
            aus += "ss";
            break;
        default:
            aus += c;
        }
    }
    return aus;
}

Text vorbildFall(const Text &text, bool klein)
{
    Text aus = text;
    for (char &c : aus) {
        const auto b = static_cast<Byte>(c);
        if (klein && ((b >= 65 && b <= 90) || b == 196 || b == 214 || b == 220))
            c = static_cast<char>(b + 32);
        if (!klein && ((b >= 97 && b <= 122) || b == 228 || b == 246 || b == 252))
            c = static_cast<char>(b - 32);
    }
    return aus;
}

// --- Random texts --------------------------------------------------------------

// Half uniform over all 256 byte values, half "text-like" (mostly letters of
// both cases, spaces, CR LF, umlauts), so that long runs of letters and of
// non-letters both occur. Lengths 0..40 each, then varied up to 2500, and
// the last few longer than the engine's 4096-byte work blocks (and, for the
// matrix, wider than its 128-column stripes).
std::vector<Text> zufallsTexte()
{
    const std::size_t lang[] = { 4095, 4096, 4097, 9001, 17000 };
    std::mt19937 gen(20240607);
    const char textig[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZeeenn    \r\n"
                          "\xC4\xD6\xDC\xE4\xF6\xFC\xDF.,;!1\x80\xA0";
    std::vector<Text> texte;
    for (int i = 0; i < 300; ++i) {
        const std::size_t laenge = i <= 40 ? static_cast<std::size_t>(i)
            : i >= 295                     ? lang[i - 295]
                                           : gen() % 2500;
        Text t(laenge, '\0');
        for (char &c : t)
            c = i % 2 == 0 ? static_cast<char>(gen() % 256) : textig[gen() % (sizeof textig - 1)];
        texte.push_back(std::move(t));
    }
    return texte;
}

const std::vector<Text> &texte()
{
    static const std::vector<Text> t = zufallsTexte();
    return t;
}

Text zufallsSchluessel(std::mt19937 &gen)
{
    Text k(1 + gen() % 30, 'A');
    for (char &c : k)
        c = static_cast<char>((gen() % 2 ? 'a' : 'A') + gen() % 26);
    return k;
}

} // namespace

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
    void matrixEntschluesseln_data();
    void matrixEntschluesseln();
    void matrixLaengeKMalKPlusEins();
    void vigenereTabelle();
    void vigenere_data();
    void vigenere();
    void vigenereLeererSchluessel();
    void vigenereEinBuchstabeIstCaesar();
    void vigenereSchluesselOhneBuchstaben();

    void zufallsTexteVerschiebungUndVorbereitung();
    void rundreiseMatrix();
    void matrixGrosseFormen();
    void rundreiseVigenere();
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

// Ciphertexts that MatrixVerschluesseln cannot produce (typed by hand).
void TestVerschl::matrixEntschluesseln_data()
{
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<bool>("manuell");
    QTest::addColumn<int>("spalten");
    QTest::addColumn<QByteArray>("klar");

    // L = 5: n = 3, m = 2, padded "ABCDE ", columns AB CD E_.
    QTest::newRow("hand-typed length 5") << B("ABCDE") << false << 5 << B("ACEBD");
    // L = 7, 4 columns: m = 2, columns AB CD EF G_.
    QTest::newRow("hand-typed 7 with 4 columns") << B("ABCDEFG") << true << 4 << B("ACEGBDF");
    QTest::newRow("more columns than bytes") << B("AB") << true << 5 << B("AB");
    QTest::newRow("padding beyond one column") << B("ABCDEFG") << true << 6 << B("ACEG  BDF");
    QTest::newRow("count 0 used as 1") << B("AB C  ") << true << 0 << B("AB C");
}

void TestVerschl::matrixEntschluesseln()
{
    QFETCH(QByteArray, chiffre);
    QFETCH(bool, manuell);
    QFETCH(int, spalten);
    QFETCH(QByteArray, klar);
    for (Rechenweg w : kWege)
        QCOMPARE(Q(intern::MatrixEntschluesseln(T(chiffre), { manuell, spalten }, w)), klar);
    QCOMPARE(Q(vorbildMatrix(T(chiffre), { manuell, spalten }, false)), klar);
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

// A key of one letter with index k enciphers like the Caesar shift by k.
void TestVerschl::vigenereEinBuchstabeIstCaesar()
{
    const Text &t = texte().back();
    for (int k = 0; k < 26; ++k)
        for (char basis : { 'A', 'a' })
            for (bool ig : { false, true })
                for (Rechenweg w : kWege) {
                    const Text key(1, static_cast<char>(basis + k));
                    QCOMPARE(intern::VigenereVerschluesseln(t, key, ig, w).value(),
                        CaesarVerschieben(t, k));
                    QCOMPARE(intern::VigenereEntschluesseln(t, key, ig, w).value(),
                        CaesarVerschieben(t, -k));
                }
}

// Callers never pass such keys, but the functions must stay in bounds and
// follow the documented rule; every byte value appears in some key.
void TestVerschl::vigenereSchluesselOhneBuchstaben()
{
    std::mt19937 gen(99);
    for (int r = 0; r < 40; ++r) {
        Text key(1 + gen() % 20, '\0');
        for (char &c : key)
            c = static_cast<char>(r < 16 ? r * 16 + static_cast<int>(gen() % 16) : gen() % 256);
        const Text &t = texte()[200 + r];
        for (bool ig : { false, true })
            for (Rechenweg w : kWege) {
                const Text c = intern::VigenereVerschluesseln(t, key, ig, w).value();
                QCOMPARE(c, vorbildVigenere(t, key, ig, true));
                QCOMPARE(intern::VigenereEntschluesseln(c, key, ig, w).value(), t);
            }
    }
}

// ---------------------------------------------------------------------------
// Round trips and comparisons over random byte strings

// Shifts and preparations over the random texts.
void TestVerschl::zufallsTexteVerschiebungUndVorbereitung()
{
    for (const Text &t : texte()) {
        for (int s = -25; s <= 25; ++s) {
            const Text c = CaesarVerschieben(t, s);
            QCOMPARE(c.size(), t.size());
            QCOMPARE(CaesarVerschieben(c, -s), t);
        }
        // Position by position against the model's formula.
        const Text c = CaesarVerschieben(t, 11);
        for (std::size_t i = 0; i < t.size(); ++i) {
            const int x = static_cast<Byte>(t[i]);
            int e = x;
            if (x >= 97 && x <= 122)
                e = 97 + ((x - 97) + 11 + 26) % 26;
            else if (x >= 65 && x <= 90)
                e = 65 + ((x - 65) + 11 + 26) % 26;
            QCOMPARE(static_cast<Byte>(c[i]), static_cast<Byte>(e));
        }
        QCOMPARE(Rot13(t), CaesarVerschieben(t, 13));
        QCOMPARE(Rot13(Rot13(t)), t);
        const Text r = Rot128(t);
        QCOMPARE(r.size(), t.size());
        for (std::size_t i = 0; i < t.size(); ++i)
            QCOMPARE(static_cast<Byte>(r[i]), static_cast<Byte>(static_cast<Byte>(t[i]) + 128));
        QCOMPARE(Rot128(r), t);
        // The preparations, against the model.
        QCOMPARE(InKleinschrift(t), vorbildFall(t, true));
        QCOMPARE(InGrossschrift(t), vorbildFall(t, false));
        QCOMPARE(ErsetzeUmlaute(t), vorbildUmlaute(t));
        Text ohneLeer = t;
        std::erase(ohneLeer, ' ');
        QCOMPARE(LoescheLeerzeichen(t), ohneLeer);
    }
}

// Automatic mode and every manual count 1..100, both code paths: equal to
// the model's rectangle, and decrypting gives the text back without
// its trailing spaces. Each count takes every 8th text so the test stays fast.
void TestVerschl::rundreiseMatrix()
{
    const auto &alle = texte();
    for (int spalten = 0; spalten <= 100; ++spalten) {
        const Spaltenwahl wahl { spalten > 0, spalten };
        for (std::size_t i = spalten == 0 ? 0 : spalten % 8; i < alle.size();
             i += spalten == 0 ? 1 : 8) {
            const Text &t = alle[i];
            const Text erwartet = vorbildMatrix(t, wahl, true);
            for (Rechenweg w : kWege) {
                const Text c = intern::MatrixVerschluesseln(t, wahl, w);
                if (c != erwartet)
                    QFAIL(qPrintable(QStringLiteral("text %1, columns %2, %3")
                                         .arg(i)
                                         .arg(spalten)
                                         .arg(name(w))));
                QCOMPARE(intern::MatrixEntschluesseln(c, wahl, w), ohneEndLeerzeichen(t));
            }
        }
    }
    // Hand-typed ciphertexts: any text decrypts as the model says.
    for (std::size_t i = 0; i < alle.size(); i += 3)
        for (const Spaltenwahl wahl : { Spaltenwahl { false, 5 }, Spaltenwahl { true, 7 } })
            for (Rechenweg w : kWege)
                QCOMPARE(intern::MatrixEntschluesseln(alle[i], wahl, w),
                    vorbildMatrix(alle[i], wahl, false));
}

// Shapes whose target rows are too long for the engine's stripe buffer
// (it then writes in place; 3 x 20001 and 17 x 16401 also end in a group of
// fewer than 16 rows without padding), and squares beyond one stripe.
void TestVerschl::matrixGrosseFormen()
{
    std::mt19937 gen(3);
    const auto zufall = [&gen](std::size_t n) {
        Text t(n, '\0');
        for (char &c : t)
            c = static_cast<char>(gen() % 256);
        t.back() = 'E';
        return t;
    };
    const struct
    {
        std::size_t laenge;
        Spaltenwahl wahl;
    } faelle[] = { { 60001, { true, 3 } }, { 60003, { true, 3 } }, { 17 * 16401, { true, 17 } },
        { 30001, { true, 20000 } }, { 40000, { false, 5 } }, { 39999, { false, 5 } } };
    for (const auto &f : faelle) {
        const Text t = zufall(f.laenge);
        for (Rechenweg w : kWege) {
            const Text c = intern::MatrixVerschluesseln(t, f.wahl, w);
            QVERIFY(c == vorbildMatrix(t, f.wahl, true));
            QVERIFY(intern::MatrixEntschluesseln(c, f.wahl, w) == t);
            QVERIFY(intern::MatrixEntschluesseln(t, f.wahl, w) == vorbildMatrix(t, f.wahl, false));
        }
    }
}

// Random letter keys of 1..30 letters in mixed case, both settings, both
// code paths: equal to the model's table walk, and a round trip.
void TestVerschl::rundreiseVigenere()
{
    std::mt19937 gen(12345);
    for (const Text &t : texte()) {
        const Text key = zufallsSchluessel(gen);
        for (bool ig : { false, true }) {
            const Text erwartet = vorbildVigenere(t, key, ig, true);
            for (Rechenweg w : kWege) {
                const Text c = intern::VigenereVerschluesseln(t, key, ig, w).value();
                if (c != erwartet)
                    QFAIL(qPrintable(QStringLiteral("key %1, ignore %2, %3, length %4")
                                         .arg(QString::fromLatin1(key))
                                         .arg(ig)
                                         .arg(name(w))
                                         .arg(t.size())));
                QCOMPARE(intern::VigenereEntschluesseln(c, key, ig, w).value(), t);
            }
            QCOMPARE(
                VigenereEntschluesseln(t, key, ig).value(), vorbildVigenere(t, key, ig, false));
        }
    }
}

QTEST_GUILESS_MAIN(TestVerschl)
#include "test_verschl.moc"
