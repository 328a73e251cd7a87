// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix transposition: the text written row by row into a rectangle and read column by column.

#include "kern.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace verschl {

namespace {

using namespace kern;
using intern::Rechenweg;

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

} // namespace

// A manual count below 1 is used as 1, so nothing divides by zero.
std::size_t MatrixSpalten(std::size_t laenge, Spaltenwahl wahl)
{
    if (wahl.manuell)
        return static_cast<std::size_t>(std::max(wahl.spalten, 1));
    return std::max<std::size_t>(wurzelAufgerundet(laenge), 1);
}

Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl)
{
    return intern::MatrixVerschluesseln(text, wahl, Rechenweg::Schnellster);
}

Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl)
{
    return intern::MatrixEntschluesseln(text, wahl, Rechenweg::Schnellster);
}

namespace intern {

Text MatrixVerschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg)
{
    if (text.empty())
        return {};
    const std::size_t n = MatrixSpalten(text.size(), wahl);
    const std::size_t m = (text.size() + n - 1) / n;
    // Written row by row into m x n, read column by column.
    return transponiere({ bytes(text), text.size(), m, n }, weg);
}

Text MatrixEntschluesseln(const Text &text, Spaltenwahl wahl, Rechenweg weg)
{
    if (text.empty())
        return {};
    const std::size_t n = MatrixSpalten(text.size(), wahl);
    const std::size_t m = (text.size() + n - 1) / n;
    // Written column by column: the ciphertext is n rows of m; read row by row.
    Text aus = transponiere({ bytes(text), text.size(), n, m }, weg);
    aus.erase(aus.find_last_not_of(' ') + 1); // npos + 1 == 0: spaces only
    return aus;
}

} // namespace intern

} // namespace verschl
