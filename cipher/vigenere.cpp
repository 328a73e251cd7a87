// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère table and cipher.

#include "kern.h"

#include <array>
#include <vector>

namespace verschl {

namespace {

using namespace kern;
using intern::Rechenweg;

// Shift of a Vigenère key byte: its letter index. Callers pass letters only;
// any other byte still gives a shift in 0..25 (GrossBuchstabe(x) - 65 reduced
// modulo 26), so a stray byte can never index outside the table.
inline Byte schluesselSchiebung(Byte k, bool entschluesseln)
{
    const Byte s = reduziert(std::int64_t { GrossBuchstabe(k) } - 'A');
    return entschluesseln ? static_cast<Byte>((26 - s) % 26) : s;
}

// The key's shifts written out repeatedly, so that kernels read a run of
// shifts without taking positions modulo the key length per byte.
struct Schluessel
{
    std::vector<Byte> schiebung; // shifts of key positions 0, 1, 2, ... (repeating)
    std::size_t laenge; // key length
    std::size_t periode; // a multiple of laenge, >= kSimd; positions count modulo this
};

// Bytes per SIMD block of the Vigenère kernel.
constexpr std::size_t kSimd = 16;

// A run of kBlock shifts starts at every position below the period, so a
// block of the text never has to wrap round the key inside its loop.
Schluessel erweitere(const Text &schluessel, bool entschluesseln)
{
    Schluessel s { {}, schluessel.size(), 0 };
    s.periode = s.laenge * ((kSimd + s.laenge - 1) / s.laenge);
    s.schiebung.resize(s.periode + kBlock);
    for (std::size_t i = 0; i < s.schiebung.size(); ++i)
        s.schiebung[i] = schluesselSchiebung(bytes(schluessel)[i % s.laenge], entschluesseln);
    return s;
}

// SonderzeichenIgnorieren false: every byte uses up a key position, so the
// shift of position i is fixed in advance and the loop vectorises.
Text vigenereJedesZeichen(const Text &text, const Schluessel &s)
{
    return blockweise(text, [&s](const Byte *q, Byte *z, std::size_t n, std::size_t pos) {
        const Byte *k = s.schiebung.data() + pos % s.laenge;
        for (std::size_t i = 0; i < n; ++i)
            z[i] = verschiebe(q[i], k[i]);
    });
}

// SonderzeichenIgnorieren true: only letters use up a key position. Portable
// loop; `pos` is the key position modulo the period, carried across blocks.
// The run of shifts is long enough for a whole block from any position, so
// the wrap round the period waits until the block's end and the loop's only
// dependency from byte to byte is one add (a wrap per byte: 1.3 times slower).
void nurBuchstabenPortabel(
    const Byte *q, Byte *z, std::size_t n, const Schluessel &s, std::size_t &pos)
{
    const Byte *lauf = s.schiebung.data() + pos;
    std::size_t k = 0;
    for (std::size_t i = 0; i < n; ++i) {
        z[i] = verschiebe(q[i], lauf[k]);
        k += istBuchstabe(q[i]);
    }
    pos = (pos + k) % s.periode;
}

#if defined(VERSCHL_SSSE3)
// The same, 16 bytes at a time (7 times the portable loop's speed, measured).
// The shift of a byte depends on how many letters came before it, so the
// compiler cannot vectorise the loop. Here the letters of a block take the
// next run of key shifts in order: the shift of byte j is run[number of
// letters before j]. That count is a prefix sum of the letter mask (four
// shifted adds), and pshufb picks the shifts from the run. The key position
// then advances once per block by the block's letter count.
__attribute__((target("ssse3"))) void nurBuchstabenSsse3(
    const Byte *q, Byte *z, std::size_t n, const Schluessel &s, std::size_t &pos)
{
    const __m128i klein = _mm_set1_epi8(0x20), kleinA = _mm_set1_epi8('a');
    const __m128i eins = _mm_set1_epi8(1), v25 = _mm_set1_epi8(25), v26 = _mm_set1_epi8(26);
    const Byte *schiebung = s.schiebung.data();
    const std::size_t periode = s.periode;
    std::size_t a = pos, i = 0;
    for (; i + kSimd <= n; i += kSimd) {
        // buchstabenIndex() and the letter mask (p <= 25 unsigned) for 16 bytes.
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i *>(q + i));
        const __m128i p = _mm_sub_epi8(_mm_or_si128(c, klein), kleinA);
        const __m128i maske = _mm_cmpeq_epi8(_mm_min_epu8(p, v25), p);
        const __m128i m1 = _mm_and_si128(maske, eins);
        __m128i summe = _mm_add_epi8(m1, _mm_slli_si128(m1, 1));
        summe = _mm_add_epi8(summe, _mm_slli_si128(summe, 2));
        summe = _mm_add_epi8(summe, _mm_slli_si128(summe, 4));
        summe = _mm_add_epi8(summe, _mm_slli_si128(summe, 8));
        const __m128i davor = _mm_sub_epi8(summe, m1);
        const __m128i lauf = _mm_loadu_si128(reinterpret_cast<const __m128i *>(schiebung + a));
        // verschiebe() for 16 bytes.
        const __m128i t = _mm_add_epi8(p, _mm_shuffle_epi8(lauf, davor));
        const __m128i neu = _mm_min_epu8(t, _mm_sub_epi8(t, v26));
        const __m128i delta = _mm_and_si128(_mm_sub_epi8(neu, p), maske);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(z + i), _mm_add_epi8(c, delta));
        a += static_cast<unsigned>(_mm_extract_epi16(summe, 7)) >> 8; // letters in block
        a = a >= periode ? a - periode : a; // at most 16 letters, period >= 16
    }
    pos = a;
    nurBuchstabenPortabel(q + i, z + i, n - i, s, pos);
}

bool hatSsse3()
{
    static const bool ja = __builtin_cpu_supports("ssse3");
    return ja;
}
#endif

Text vigenereNurBuchstaben(const Text &text, const Schluessel &s, [[maybe_unused]] Rechenweg weg)
{
    std::size_t pos = 0;
#if defined(VERSCHL_SSSE3)
    if (weg == Rechenweg::Schnellster && hatSsse3())
        return blockweise(text, [&](const Byte *q, Byte *z, std::size_t n, std::size_t) {
            nurBuchstabenSsse3(q, z, n, s, pos);
        });
#endif
    return blockweise(text, [&](const Byte *q, Byte *z, std::size_t n, std::size_t) {
        nurBuchstabenPortabel(q, z, n, s, pos);
    });
}

std::optional<Text> vigenere(
    const Text &text, const Text &schluessel, bool ignorieren, bool entschluesseln, Rechenweg weg)
{
    if (schluessel.empty())
        return std::nullopt;
    const Schluessel s = erweitere(schluessel, entschluesseln);
    return ignorieren ? vigenereNurBuchstaben(text, s, weg) : vigenereJedesZeichen(text, s);
}

// The 26 x 26 table, computed by the compiler.
constexpr auto kTabelle = [] {
    std::array<std::array<char, 26>, 26> t {};
    for (int r = 0; r < 26; ++r)
        for (int c = 0; c < 26; ++c)
            t[r][c] = static_cast<char>('A' + (r + c) % 26);
    return t;
}();

int tabellenIndex(int i)
{
    const int r = i % 26;
    return r < 0 ? r + 26 : r;
}

} // namespace

// The table is a compile-time constant, so it is filled before anyone can
// read it; the function stays for the program's start-up sequence and may
// be called any number of times.
void ErzeugeVigenereTabelle() { }

// Indices outside 0..25 are taken modulo 26, so no call reads outside the table.
char VigenereTabelle(int zeile, int spalte)
{
    return kTabelle[tabellenIndex(zeile)][tabellenIndex(spalte)];
}

std::optional<Text> VigenereVerschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren)
{
    return vigenere(text, schluessel, SonderzeichenIgnorieren, false, Rechenweg::Schnellster);
}

std::optional<Text> VigenereEntschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren)
{
    return vigenere(text, schluessel, SonderzeichenIgnorieren, true, Rechenweg::Schnellster);
}

std::vector<int> VigenereSchluesselstellen(
    const Text &text, std::size_t schluesselLaenge, bool SonderzeichenIgnorieren)
{
    std::vector<int> stellen(text.size(), -1);
    if (schluesselLaenge == 0)
        return stellen;
    std::size_t stelle = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!SonderzeichenIgnorieren || istBuchstabe(bytes(text)[i]))
            stellen[i] = static_cast<int>(stelle++ % schluesselLaenge);
    return stellen;
}

namespace intern {

std::optional<Text> VigenereVerschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren, Rechenweg weg)
{
    return vigenere(text, schluessel, SonderzeichenIgnorieren, false, weg);
}

std::optional<Text> VigenereEntschluesseln(
    const Text &text, const Text &schluessel, bool SonderzeichenIgnorieren, Rechenweg weg)
{
    return vigenere(text, schluessel, SonderzeichenIgnorieren, true, weg);
}

} // namespace intern

} // namespace verschl
