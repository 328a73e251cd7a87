// SPDX-License-Identifier: GPL-3.0-or-later
// Text preparation and the letter shifts.

#include "kern.h"

#include <array>
#include <cstring>

namespace verschl {

namespace {

using namespace kern;

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

} // namespace verschl
