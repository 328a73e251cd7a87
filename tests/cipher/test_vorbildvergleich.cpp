// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the cipher engine against a slow, literal model of the rules.
//
// Round trips and comparisons with the model over random byte strings
// (Windows-1252 bytes), and hand-typed ciphertexts the model decrypts too.
// The comparisons run both code paths of the engine (SIMD and portable, see
// verschl::intern).

#include "cipher/verschl.h"
#include "testhilfen/bytetext.h"

#include <algorithm>
#include <QByteArray>
#include <QTest>
#include <random>
#include <vector>

using namespace verschl;
using intern::Rechenweg;

namespace {

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

class TestVorbildvergleich : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matrixEntschluesseln_data();
    void matrixEntschluesseln();
    void vigenereEinBuchstabeIstCaesar();
    void vigenereSchluesselOhneBuchstaben();

    void zufallsTexteVerschiebungUndVorbereitung();
    void rundreiseMatrix();
    void matrixGrosseFormen();
    void rundreiseVigenere();
};

// ---------------------------------------------------------------------------
// Hand-typed ciphertexts and unusual keys

// Ciphertexts that MatrixVerschluesseln cannot produce (typed by hand).
void TestVorbildvergleich::matrixEntschluesseln_data()
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

void TestVorbildvergleich::matrixEntschluesseln()
{
    QFETCH(QByteArray, chiffre);
    QFETCH(bool, manuell);
    QFETCH(int, spalten);
    QFETCH(QByteArray, klar);
    for (Rechenweg w : kWege)
        QCOMPARE(Q(intern::MatrixEntschluesseln(T(chiffre), { manuell, spalten }, w)), klar);
    QCOMPARE(Q(vorbildMatrix(T(chiffre), { manuell, spalten }, false)), klar);
}

// A key of one letter with index k enciphers like the Caesar shift by k.
void TestVorbildvergleich::vigenereEinBuchstabeIstCaesar()
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
void TestVorbildvergleich::vigenereSchluesselOhneBuchstaben()
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
void TestVorbildvergleich::zufallsTexteVerschiebungUndVorbereitung()
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
void TestVorbildvergleich::rundreiseMatrix()
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
void TestVorbildvergleich::matrixGrosseFormen()
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
void TestVorbildvergleich::rundreiseVigenere()
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

QTEST_GUILESS_MAIN(TestVorbildvergleich)
#include "test_vorbildvergleich.moc"
