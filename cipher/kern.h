// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the engine's source files share: byte access, the one-pass way of
// producing a new Text, and branch-free byte classes. Internal to the engine.

#include "cipher/verschl.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

namespace verschl::kern {

using Byte = unsigned char;

inline const Byte *bytes(const Text &t) { return reinterpret_cast<const Byte *>(t.data()); }

inline const char *zeichen(const Byte *b) { return reinterpret_cast<const char *>(b); }

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
template <typename Kern> inline Text blockweise(const Text &ein, Kern &&kern)
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

} // namespace verschl::kern
