// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Byte strings for the cipher engine's tests: table rows hold QByteArray, the
// engine takes verschl::Text. Checks run on both of the engine's code paths,
// so the portable fallback that ARM builds take is checked on x86 too.

#include "cipher/verschl.h"

#include <cstddef>
#include <QByteArray>

using Byte = unsigned char;

// A literal keeps embedded NUL bytes.
template <std::size_t N> QByteArray B(const char (&s)[N]) { return QByteArray(s, N - 1); }

inline verschl::Text T(const QByteArray &b)
{
    return verschl::Text(b.constData(), static_cast<std::size_t>(b.size()));
}

inline QByteArray Q(const verschl::Text &t)
{
    return QByteArray(t.data(), static_cast<qsizetype>(t.size()));
}

inline constexpr verschl::intern::Rechenweg kWege[]
    = { verschl::intern::Rechenweg::Schnellster, verschl::intern::Rechenweg::Portabel };
