// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/warte.h"

#include <algorithm>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace warte {

namespace {

quint32 systemTicks()
{
    // A monotonic millisecond count; only differences modulo 2^32 matter.
    return static_cast<quint32>(QDeadlineTimer::current(Qt::PreciseTimer).deadline());
}

Tickquelle &quelle()
{
    static Tickquelle q = systemTicks;
    return q;
}

} // namespace

void setzeTickquelle(Tickquelle neu) { quelle() = neu ? std::move(neu) : Tickquelle(systemTicks); }

bool Vorbei(quint32 start, quint32 jetzt, int ms)
{
    const quint32 vergangen = jetzt - start; // unsigned: wraps modulo 2^32
    return qint64(vergangen) > qint64(ms);
}

} // namespace warte

void Warte(int ms)
{
    const warte::Tickquelle tick = warte::quelle();
    const quint32 start = tick();
    QEventLoop schleife;
    QTimer wecker;
    wecker.setSingleShot(true);
    wecker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wecker, &QTimer::timeout, &schleife, &QEventLoop::quit);
    for (quint32 jetzt = start; !warte::Vorbei(start, jetzt, ms); jetzt = tick()) {
        // Sleep until the counter should have passed ms; the loop checks
        // again, since a timer may fire a little early or the counter lag.
        const qint64 rest = qint64(ms) + 1 - qint64(jetzt - start);
        wecker.start(int(std::clamp<qint64>(rest, 1, 1 << 30)));
        // Painting, timers and the desktop's pings go on; mouse and keyboard
        // input stays queued until the caller's walk is over.
        schleife.exec(QEventLoop::ExcludeUserInputEvents);
    }
}
