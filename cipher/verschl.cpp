#include "cipher/verschl.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// SIMD is optional: SSE2 is part of every x86-64 target, SSSE3 (pshufb) is
// not, so its kernel is compiled with a target attribute and chosen at run
// time. Every other target (ARM, other compilers) takes the portable path,
// which the tests also run on x86 through verschl::intern.
#if defined(__SSE2__)
#include <emmintrin.h>
#define VERSCHL_SSE2 1
#endif
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__))                                \
    && (defined(__GNUC__) || defined(__clang__))
#include <tmmintrin.h>
#define VERSCHL_SSSE3 1
#endif

namespace verschl {

namespace {

using Byte = unsigned char;
using intern::Rechenweg;

const Byte *bytes(const Text &t) { return reinterpret_cast<const Byte *>(t.data()); }

const char *zeichen(const Byte *b) { return reinterpret_cast<const char *>(b); }

// ---------------------------------------------------------------------------
// Producing a new Text

constexpr std::size_t kBlock = 4096;

// Asks for the bytes [p, ende) ahead of their use, one cache line at a time.
// Each block appended to a growing result costs a page fault, and after the
// fault the processor's own prefetcher meets the next block of the text cold:
// reading the next block ahead made the Vigenère kernel 1.4 times faster
// on a 64 MiB text (measured). A no-op for compilers without the builtin.
inline void vorausLesen([[maybe_unused]] const Byte *p, [[maybe_unused]] const Byte *ende)
{
#if defined(__GNUC__) || defined(__clang__)
    for (std::ptrdiff_t i = 0; i < ende - p; i += 64)
        __builtin_prefetch(p + i);
#endif
}

// Every engine function returns a new Text. Filling it through a small buffer
// that stays in L1 and appending that buffer touches the fresh memory once;
// "copy, then change in place" and "construct zero-filled, then write" both
// touch it twice, which costs up to twice the time on a large text (measured:
// the page faults of fresh memory dominate). `kern(quelle, ziel, n, pos)`
// turns n input bytes starting at text position pos into n output bytes.
template <typename Kern> Text blockweise(const Text &ein, Kern &&kern)
{
    Text aus;
    aus.reserve(ein.size());
    alignas(64) Byte puffer[kBlock];
    for (std::size_t pos = 0; pos < ein.size(); pos += kBlock) {
        const std::size_t n = std::min(kBlock, ein.size() - pos);
        vorausLesen(bytes(ein) + pos + n, bytes(ein) + std::min(pos + 2 * kBlock, ein.size()));
        kern(bytes(ein) + pos, puffer, n, pos);
        aus.append(zeichen(puffer), n);
    }
    return aus;
}

// ---------------------------------------------------------------------------
// Byte classes, written without branches so that loops over them vectorise.

// Letter index 0..25 of a letter, or a value >= 26 for any other byte:
// or-ing 0x20 maps A-Z onto a-z and no other byte into a-z.
inline Byte buchstabenIndex(Byte c) { return static_cast<Byte>((c | 0x20) - 'a'); }

inline bool istBuchstabe(Byte c) { return buchstabenIndex(c) < 26; }

// Moves a letter s (0..25) places on in its own alphabet; other bytes stay.
// The new index is min(t, t - 26) in byte arithmetic: below 26, t - 26 wraps
// round to a value above t. With the letter test as a 0x00/0xFF mask this is
// about ten vector instructions per 16 bytes (pminub, pcmpeqb, ...).
inline Byte verschiebe(Byte c, Byte s)
{
    const Byte p = buchstabenIndex(c);
    const Byte t = static_cast<Byte>(p + s);
    const Byte neu = std::min(t, static_cast<Byte>(t - 26));
    const auto maske = static_cast<Byte>(p < 26 ? 0xFF : 0);
    return static_cast<Byte>(c + (static_cast<Byte>(neu - p) & maske));
}

// Shift of a Caesar shift n, reduced to 0..25; for every n >= -26 that is
// the same as the cyclic formula with 26 added before the remainder.
inline Byte reduziert(std::int64_t n)
{
    const std::int64_t r = n % 26;
    return static_cast<Byte>(r < 0 ? r + 26 : r);
}

// Shift of a Vigenère key byte: its letter index. Callers pass letters only;
// any other byte still gives a shift in 0..25 (GrossBuchstabe(x) - 65 reduced
// modulo 26), so a stray byte can never index outside the table.
inline Byte schluesselSchiebung(Byte k, bool entschluesseln)
{
    const Byte s = reduziert(std::int64_t { GrossBuchstabe(k) } - 'A');
    return entschluesseln ? static_cast<Byte>((26 - s) % 26) : s;
}

// ---------------------------------------------------------------------------
// Matrix transposition

// 16 x 16 byte tiles: the unit the SSE2 kernel handles in registers.
constexpr std::size_t kKachel = 16;

// Portable tile kernel: z[t * zs + i] = q[i * qs + t] for a full tile.
void kachelPortabel(const Byte *q, std::size_t qs, Byte *z, std::size_t zs)
{
    for (std::size_t t = 0; t < kKachel; ++t)
        for (std::size_t i = 0; i < kKachel; ++i)
            z[t * zs + i] = q[i * qs + t];
}

#if defined(VERSCHL_SSE2)
// The same in registers. One round of unpacking rows k and k+8 rotates the
// 8-bit "row|column" index of every byte left by one bit; four rounds swap
// row and column, which is the transposition.
void kachelSse2(const Byte *q, std::size_t qs, Byte *z, std::size_t zs)
{
    __m128i r[kKachel];
    for (std::size_t k = 0; k < kKachel; ++k)
        r[k] = _mm_loadu_si128(reinterpret_cast<const __m128i *>(q + k * qs));
    for (int runde = 0; runde < 4; ++runde) {
        __m128i n[kKachel];
        for (std::size_t k = 0; k < 8; ++k) {
            n[2 * k] = _mm_unpacklo_epi8(r[k], r[k + 8]);
            n[2 * k + 1] = _mm_unpackhi_epi8(r[k], r[k + 8]);
        }
        std::copy(n, n + kKachel, r);
    }
    for (std::size_t k = 0; k < kKachel; ++k)
        _mm_storeu_si128(reinterpret_cast<__m128i *>(z + k * zs), r[k]);
}
#endif

// The source of a transposition: R rows of C bytes, row by row; positions at
// or beyond the text's length L read as the padding space.
struct Quelle
{
    const Byte *q;
    std::size_t L, R, C;
};

// Source columns per stripe: two cache lines of each source row. Every
// stripe visits every source row, that is for a square text one page per
// row, so wider stripes mean fewer TLB misses (64 columns: 1.3 times slower).
constexpr std::size_t kStreifen = 128;

void kachel16(
    const Byte *q, std::size_t qs, Byte *z, std::size_t zs, [[maybe_unused]] Rechenweg weg)
{
#if defined(VERSCHL_SSE2)
    if (weg == Rechenweg::Schnellster)
        return kachelSse2(q, qs, z, zs);
#endif
    kachelPortabel(q, qs, z, zs);
}

// Source rows [i0, i0+h) and columns [j0, j0+w) byte by byte, with the
// padding check: only for the last rows of the text.
void kachelRand(const Quelle &s, std::size_t i0, std::size_t h, std::size_t j0, std::size_t w,
    Byte *z, std::size_t zs)
{
    for (std::size_t t = 0; t < w; ++t)
        for (std::size_t i = i0; i < i0 + h; ++i) {
            const std::size_t idx = i * s.C + j0 + t;
            z[t * zs + i] = idx < s.L ? s.q[idx] : Byte { ' ' };
        }
}

// Writes source columns [j0, j0+w), w <= kStreifen, as w rows of R bytes to
// z (row stride zs): target row t, byte i = source row i, column j0 + t.
//
// 16 source rows at a time: their w bytes are first copied into a small
// block, from which 16 x 16 tiles go to the target. A tile with fewer than 16
// rows or columns (at the edges, or few columns in manual mode) is
// transposed whole from the block into a scratch tile and copied from there
// in part, so that only the rows at the padded end of the text are moved
// byte by byte.
void streifen(
    const Quelle &s, std::size_t j0, std::size_t w, Byte *z, std::size_t zs, Rechenweg weg)
{
    alignas(64) Byte block[kKachel * kStreifen] = {};
    alignas(64) Byte rest[kKachel * kKachel];
    for (std::size_t i0 = 0; i0 < s.R; i0 += kKachel) {
        const std::size_t h = std::min(kKachel, s.R - i0);
        if ((i0 + h - 1) * s.C + j0 + w > s.L) {
            kachelRand(s, i0, h, j0, w, z, zs);
            continue;
        }
        for (std::size_t k = 0; k < h; ++k)
            std::memcpy(block + k * kStreifen, s.q + (i0 + k) * s.C + j0, w);
        for (std::size_t t = 0; t < w; t += kKachel) {
            if (h == kKachel && t + kKachel <= w) {
                kachel16(block + t, kStreifen, z + t * zs + i0, zs, weg);
                continue;
            }
            kachel16(block + t, kStreifen, rest, kKachel, weg);
            for (std::size_t r = 0; r < std::min(kKachel, w - t); ++r)
                std::memcpy(z + (t + r) * zs + i0, rest + r * kKachel, h);
        }
    }
}

// A stripe up to this size is built in a buffer that stays in L2 and then
// appended (the fresh memory of the result is touched once, see blockweise).
constexpr std::size_t kStreifenPuffer = std::size_t { 2 } << 20;

// Transposes the R x C source into a new Text of C rows of R bytes.
Text transponiere(const Quelle &s, Rechenweg weg)
{
    Text aus;
    // Long buffer rows get 64 bytes more than R: at a multiple of 4 KiB all
    // rows of a tile would fall into one cache set (1024 x 1024 bytes went
    // from 7 to 18 GB/s with it, measured). Short rows stay packed, so that
    // the stripe is appended in one piece.
    const std::size_t zs = s.R >= 1024 ? s.R + 64 : s.R;
    if (kStreifen * zs <= kStreifenPuffer) {
        aus.reserve(s.R * s.C);
        const auto puffer = std::make_unique_for_overwrite<Byte[]>(kStreifen * zs);
        for (std::size_t j0 = 0; j0 < s.C; j0 += kStreifen) {
            const std::size_t w = std::min(kStreifen, s.C - j0);
            streifen(s, j0, w, puffer.get(), zs, weg);
            if (zs == s.R)
                aus.append(zeichen(puffer.get()), w * s.R);
            else
                for (std::size_t t = 0; t < w; ++t)
                    aus.append(zeichen(puffer.get() + t * zs), s.R);
        }
        return aus;
    }
    // Very long target rows (few columns in manual mode): write in place.
    aus.assign(s.R * s.C, ' ');
    Byte *z = reinterpret_cast<Byte *>(aus.data());
    for (std::size_t j0 = 0; j0 < s.C; j0 += kStreifen)
        streifen(s, j0, std::min(kStreifen, s.C - j0), z + j0 * s.R, s.R, weg);
    return aus;
}

// Smallest n with n * n >= L.
std::size_t wurzelAufgerundet(std::size_t L)
{
    auto n = static_cast<std::size_t>(std::sqrt(static_cast<double>(L)));
    while (n > 0 && n * n >= L)
        --n;
    while (n * n < L)
        ++n;
    return n;
}

// Column count n of the matrix rule; a manual count below 1 is
// used as 1, so nothing divides by zero.
std::size_t spaltenzahl(std::size_t L, Spaltenwahl wahl)
{
    if (wahl.manuell)
        return static_cast<std::size_t>(std::max(wahl.spalten, 1));
    return wurzelAufgerundet(L);
}

// ---------------------------------------------------------------------------
// Vigenère

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

// ErsetzeUmlaute: what each byte becomes, as first byte | second byte << 8 |
// length << 16 (a length of 1 ignores the second byte).
constexpr auto kErsatz = [] {
    std::array<std::uint32_t, 256> t {};
    for (std::uint32_t c = 0; c < 256; ++c)
        t[c] = c | 1u << 16;
    const auto zwei = [](char a, char b) {
        return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 | 2u << 16;
    };
    t[196] = zwei('A', 'e');
    t[214] = zwei('O', 'e');
    t[220] = zwei('U', 'e');
    t[228] = zwei('a', 'e');
    t[246] = zwei('o', 'e');
    t[252] = zwei('u', 'e');
    t[223] = zwei('s', 's');
    return t;
}();

// Writes what byte c becomes to z and returns its length. Branch-free: both
// bytes are always written, the length says how many count.
inline std::size_t ersetze(Byte c, Byte *z)
{
    const std::uint32_t e = kErsatz[c];
    z[0] = static_cast<Byte>(e);
    z[1] = static_cast<Byte>(e >> 8);
    return e >> 16;
}

} // namespace

// ---------------------------------------------------------------------------
// Text preparation and alphabet shifts

Text ErsetzeUmlaute(const Text &text)
{
    const Byte *q = bytes(text);
    const std::size_t L = text.size();
    // Room for one replacement in 16 bytes; German text needs one in 30 or
    // fewer, and more only makes the string grow once. (Counting them first
    // cost more than a third of the whole function, measured.)
    Text aus;
    aus.reserve(L + L / 16);
    alignas(64) Byte puffer[2 * kBlock];
    for (std::size_t pos = 0; pos < L; pos += kBlock) {
        const std::size_t ende = pos + std::min(kBlock, L - pos);
        vorausLesen(q + ende, q + std::min(ende + kBlock, L));
        std::size_t k = 0, i = pos;
        // All replaced bytes are >= 128: 8 bytes without such a byte are
        // copied as a whole, which most groups of 8 in German text are.
        for (; i + 8 <= ende; i += 8) {
            std::uint64_t acht;
            std::memcpy(&acht, q + i, 8);
            if ((acht & 0x8080808080808080u) == 0) {
                std::memcpy(puffer + k, &acht, 8);
                k += 8;
                continue;
            }
            for (std::size_t j = i; j < i + 8; ++j)
                k += ersetze(q[j], puffer + k);
        }
        for (; i < ende; ++i)
            k += ersetze(q[i], puffer + k);
        aus.append(zeichen(puffer), k);
    }
    return aus;
}

Text InKleinschrift(const Text &text)
{
    return blockweise(text, [](const Byte *q, Byte *z, std::size_t n, std::size_t) {
        for (std::size_t i = 0; i < n; ++i) {
            const Byte c = q[i];
            const bool gross = static_cast<Byte>(c - 'A') < 26 || c == 196 || c == 214 || c == 220;
            z[i] = static_cast<Byte>(c + (gross ? 32 : 0)); // Ä Ö Ü lie 32 below ä ö ü
        }
    });
}

Text InGrossschrift(const Text &text)
{
    return blockweise(text, [](const Byte *q, Byte *z, std::size_t n, std::size_t) {
        for (std::size_t i = 0; i < n; ++i) {
            const Byte c = q[i];
            const bool klein = static_cast<Byte>(c - 'a') < 26 || c == 228 || c == 246 || c == 252;
            z[i] = static_cast<Byte>(c - (klein ? 32 : 0));
        }
    });
}

Text LoescheLeerzeichen(const Text &text)
{
    Text aus;
    aus.reserve(text.size());
    alignas(64) Byte puffer[kBlock];
    for (std::size_t pos = 0; pos < text.size(); pos += kBlock) {
        const std::size_t n = std::min(kBlock, text.size() - pos);
        const Byte *q = bytes(text) + pos;
        vorausLesen(q + n, bytes(text) + std::min(pos + 2 * kBlock, text.size()));
        // Branch-free: write every byte, advance only past the kept ones
        // (spaces are too frequent in text for a branch to predict well).
        std::size_t k = 0;
        for (std::size_t i = 0; i < n; ++i) {
            puffer[k] = q[i];
            k += q[i] != ' ';
        }
        aus.append(zeichen(puffer), k);
    }
    return aus;
}

Text CaesarVerschieben(const Text &text, std::int32_t n)
{
    const Byte s = reduziert(n);
    return blockweise(text, [s](const Byte *q, Byte *z, std::size_t len, std::size_t) {
        for (std::size_t i = 0; i < len; ++i)
            z[i] = verschiebe(q[i], s);
    });
}

Text Rot13(const Text &text) { return CaesarVerschieben(text, 13); }

Text Rot128(const Text &text)
{
    return blockweise(text, [](const Byte *q, Byte *z, std::size_t n, std::size_t) {
        for (std::size_t i = 0; i < n; ++i)
            z[i] = static_cast<Byte>(q[i] ^ 0x80); // + 128 mod 256
    });
}

unsigned char GrossBuchstabe(unsigned char b)
{
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 32) : b;
}

unsigned char KleinBuchstabe(unsigned char b)
{
    return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + 32) : b;
}

// ---------------------------------------------------------------------------
// Matrix transposition

Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl)
{
    return intern::MatrixVerschluesseln(text, wahl, Rechenweg::Schnellster);
}

Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl)
{
    return intern::MatrixEntschluesseln(text, wahl, Rechenweg::Schnellster);
}

// ---------------------------------------------------------------------------
// Vigenère

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

namespace intern {

Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg)
{
    if (text.empty())
        return {};
    const std::size_t n = spaltenzahl(text.size(), wahl);
    const std::size_t m = (text.size() + n - 1) / n;
    // Written row by row into m x n, read column by column.
    return transponiere({ bytes(text), text.size(), m, n }, weg);
}

Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg)
{
    if (text.empty())
        return {};
    const std::size_t n = spaltenzahl(text.size(), wahl);
    const std::size_t m = (text.size() + n - 1) / n;
    // Written column by column: the ciphertext is n rows of m; read row by row.
    Text aus = transponiere({ bytes(text), text.size(), n, m }, weg);
    aus.erase(aus.find_last_not_of(' ') + 1); // npos + 1 == 0: spaces only
    return aus;
}

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
