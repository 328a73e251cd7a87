// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fensterplatz.h"

#include <algorithm>
#include <QEvent>
#include <QTimer>
#include <QWindow>

namespace fensterplatz {

namespace {

// A window larger than the screen (a large Darstellungsgröße) keeps its title
// bar and its left edge on the screen: that is where the user takes hold of it.
QPoint innen(QPoint aussen, const QRect &bildschirm, const QMargins &rahmen)
{
    return QPoint(std::max(aussen.x(), bildschirm.x()), std::max(aussen.y(), bildschirm.y()))
        + QPoint(rahmen.left(), rahmen.top());
}

// Waits for the window manager to report the frame. It does so only after it
// has framed the window, and a frame of 0 may still be the truth (no window
// manager at all): so it waits for the first move or exposure that brings a
// frame, and never fights the user after that.
class Rahmenwaechter : public QObject
{
    Q_OBJECT
public:
    Rahmenwaechter(QWindow &fenster, std::function<void()> platziere)
        : QObject(&fenster)
        , fenster(fenster)
        , platziere(std::move(platziere))
    {
        fenster.installEventFilter(this);
    }

    void setPlatziere(std::function<void()> neu) { platziere = std::move(neu); }

protected:
    bool eventFilter(QObject *, QEvent *ereignis) override
    {
        const bool geaendert
            = ereignis->type() == QEvent::Expose || ereignis->type() == QEvent::Move;
        if (geaendert && IstRahmen(fenster.frameMargins())) {
            fenster.removeEventFilter(this);
            // After the events that came with the frame, so the window's own
            // geometry is up to date when it is placed.
            QTimer::singleShot(0, &fenster, std::move(platziere));
            deleteLater();
        }
        return false;
    }

private:
    QWindow &fenster;
    std::function<void()> platziere;
};

} // namespace

QPoint AmLinkenRand(const QRect &bildschirm, const QMargins &rahmen, QSize groesse, int links)
{
    const int hoehe = groesse.grownBy(rahmen).height();
    return innen({ bildschirm.x() + links, bildschirm.y() + (bildschirm.height() - hoehe) / 2 },
        bildschirm, rahmen);
}

QPoint Mittig(const QRect &bildschirm, const QMargins &rahmen, QSize groesse)
{
    const int breite = groesse.grownBy(rahmen).width();
    return AmLinkenRand(bildschirm, rahmen, groesse, (bildschirm.width() - breite) / 2);
}

QPoint Daneben(const QRect &bildschirm, const QRect &nachbar, const QMargins &rahmen, QSize groesse)
{
    const int breite = groesse.grownBy(rahmen).width();
    const int links
        = std::min(nachbar.x() + nachbar.width(), bildschirm.x() + bildschirm.width() - breite);
    return innen({ links, nachbar.y() }, bildschirm, rahmen);
}

QPoint ImBild(const QRect &bildschirm, const QMargins &rahmen, QSize groesse, QPoint aussen)
{
    const QSize gross = groesse.grownBy(rahmen);
    return innen({ std::min(aussen.x(), bildschirm.x() + bildschirm.width() - gross.width()),
                     std::min(aussen.y(), bildschirm.y() + bildschirm.height() - gross.height()) },
        bildschirm, rahmen);
}

bool IstRahmen(const QMargins &rahmen)
{
    return !rahmen.isNull() && rahmen.left() >= 0 && rahmen.top() >= 0 && rahmen.right() >= 0
        && rahmen.bottom() >= 0;
}

void NachRahmen(QWindow &fenster, std::function<void()> platziere)
{
    platziere();
    if (IstRahmen(fenster.frameMargins()))
        return;
    // Placed again on a later showing before the frame came: one watcher is enough.
    if (auto *waechter = fenster.findChild<Rahmenwaechter *>(QString(), Qt::FindDirectChildrenOnly))
        waechter->setPlatziere(std::move(platziere));
    else
        new Rahmenwaechter(fenster, std::move(platziere));
}

} // namespace fensterplatz

#include "fensterplatz.moc"
