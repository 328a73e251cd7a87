// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The pause between two steps of a running light.

#include <functional>
#include <QtGlobal>

// Returns once more than `ms` milliseconds have passed on the system's 32-bit
// tick counter. Meanwhile painting, timers and the desktop's pings go on, but
// mouse and keyboard input waits in the queue and is handled after the walk;
// the wait uses no CPU. A caller must check afterwards that its window still
// exists (QPointer): it may have been closed meanwhile.
void Warte(int ms);

namespace warte {

// Milliseconds since some start, 32 bits, wrapping around.
using Tickquelle = std::function<quint32()>;
// For tests; an empty function restores the system's counter.
void setzeTickquelle(Tickquelle quelle);
// Whether `ms` is over: the difference taken modulo 2^32 is greater than ms.
bool Vorbei(quint32 start, quint32 jetzt, int ms);

} // namespace warte
