// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/saeulendiagramm.h"

#include <algorithm>
#include <cmath>
#include <QLocale>
#include <QPainter>

using namespace Qt::StringLiterals;

Saeulendiagramm::Saeulendiagramm(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void Saeulendiagramm::setDaten(const QStringList &neueKategorien, std::vector<Reihe> reihen,
    Massstab neuerMassstab, const QString &neueEinheit)
{
    kategorien = neueKategorien;
    daten = std::move(reihen);
    massstab = neuerMassstab;
    einheit = neueEinheit;
    update();
}

void Saeulendiagramm::setBezugslinien(std::vector<Bezugslinie> linien)
{
    bezugslinien = std::move(linien);
    update();
}

void Saeulendiagramm::setMarkiert(int kategorie)
{
    markiert = kategorie;
    update();
}

double Saeulendiagramm::hoechsterWert(const Reihe &reihe) const
{
    double hoechster = 0;
    if (massstab == Massstab::JeReihe) {
        for (double w : reihe.werte)
            hoechster = std::max(hoechster, w);
    } else {
        for (const Reihe &r : daten) {
            for (double w : r.werte)
                hoechster = std::max(hoechster, w);
        }
    }
    for (const Bezugslinie &linie : bezugslinien) {
        if (linie.reihe < daten.size() && &daten[linie.reihe] == &reihe)
            hoechster = std::max(hoechster, linie.wert);
    }
    return hoechster > 0 ? hoechster : 1;
}

void Saeulendiagramm::zeichneBezugslinien(QPainter &maler, const QRect &flaeche) const
{
    QPen stift(palette().color(QPalette::Text), 1, Qt::DashLine);
    for (const Bezugslinie &linie : bezugslinien) {
        if (linie.reihe >= daten.size())
            continue;
        const int y = flaeche.bottom()
            - int(std::lround(linie.wert / hoechsterWert(daten[linie.reihe]) * flaeche.height()));
        maler.setPen(stift);
        maler.drawLine(flaeche.left(), y, flaeche.right(), y);
        // On the base colour, so the bars behind do not hide the text.
        const QRect text = fontMetrics().boundingRect(linie.text).adjusted(-3, 0, 3, 0);
        const QRect platz(
            flaeche.right() - text.width(), y - text.height(), text.width(), text.height());
        maler.fillRect(platz, palette().color(QPalette::Base));
        maler.setPen(palette().color(QPalette::Text));
        maler.drawText(platz, Qt::AlignCenter, linie.text);
    }
}

// Entries side by side, wrapping where the width ends; gives the height used.
int Saeulendiagramm::zeichneLegende(QPainter &maler, const QRect &flaeche) const
{
    const QFontMetrics metrik = fontMetrics();
    const int kante = metrik.height() - 4;
    int links = flaeche.left();
    int oben = flaeche.top();
    for (const Reihe &reihe : daten) {
        const int breite = kante + 6 + metrik.horizontalAdvance(reihe.name);
        if (links > flaeche.left() && links + breite > flaeche.right()) {
            links = flaeche.left();
            oben += metrik.height() + 2;
        }
        maler.fillRect(QRect(links, oben + 2, kante, kante), reihe.farbe);
        maler.drawText(links + kante + 6, oben + metrik.ascent(), reihe.name);
        links += breite + 18;
    }
    return oben + metrik.height() - flaeche.top();
}

// Grid lines at round steps, labelled with the unit; only a common scale has them.
void Saeulendiagramm::zeichneGitter(QPainter &maler, const QRect &flaeche, double oben) const
{
    const double roh = oben / 4;
    const double zehner = std::pow(10.0, std::floor(std::log10(roh)));
    const double schritt = std::ceil(roh / zehner) * zehner;
    QColor linie = palette().color(QPalette::Text);
    linie.setAlphaF(0.2);
    for (double w = schritt; w <= oben; w += schritt) {
        const int y = flaeche.bottom() - int(w / oben * flaeche.height());
        maler.setPen(linie);
        maler.drawLine(flaeche.left(), y, flaeche.right(), y);
        maler.setPen(palette().color(QPalette::Text));
        maler.drawText(QRect(0, y - 10, flaeche.left() - 4, 20), Qt::AlignRight | Qt::AlignVCenter,
            QLocale().toString(w, 'g', 3) + einheit);
    }
}

void Saeulendiagramm::paintEvent(QPaintEvent *)
{
    QPainter maler(this);
    maler.fillRect(rect(), palette().color(QPalette::Base));
    maler.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrik = fontMetrics();
    const int zeile = metrik.height();
    const int links
        = massstab == Massstab::Gemeinsam ? metrik.horizontalAdvance(u"00,0 %"_s) + 8 : 6;
    const int legende = zeichneLegende(maler, rect().adjusted(links, 4, -6, 0));
    const QRect flaeche = rect().adjusted(links, legende + 12, -6, -zeile - 6);
    const qsizetype anzahl = kategorien.size();
    if (anzahl == 0 || daten.empty() || flaeche.height() <= 0)
        return;
    if (massstab == Massstab::Gemeinsam)
        zeichneGitter(maler, flaeche, hoechsterWert(daten.front()));

    const double gruppe = double(flaeche.width()) / double(anzahl);
    const double saeule = gruppe * 0.8 / double(daten.size());
    for (qsizetype k = 0; k < anzahl; ++k) {
        const int x = flaeche.left() + int(double(k) * gruppe);
        const QRect spalte(x, flaeche.top(), int(gruppe), flaeche.height() + zeile + 6);
        if (k == markiert) {
            QColor hinterlegt = palette().color(QPalette::Highlight);
            hinterlegt.setAlphaF(0.25);
            maler.fillRect(spalte, hinterlegt);
        }
        for (std::size_t r = 0; r < daten.size(); ++r) {
            const Reihe &reihe = daten[r];
            const double wert
                = std::size_t(k) < reihe.werte.size() ? reihe.werte[std::size_t(k)] : 0;
            const int hoehe = int(std::lround(wert / hoechsterWert(reihe) * flaeche.height()));
            const double sx = double(x) + gruppe * 0.1 + double(r) * saeule;
            maler.fillRect(
                QRectF(sx, flaeche.bottom() - hoehe + 1, std::max(saeule - 1, 1.0), hoehe),
                reihe.farbe);
        }
        maler.drawText(
            QRect(x, flaeche.bottom() + 3, int(gruppe), zeile), Qt::AlignCenter, kategorien[k]);
    }
    maler.drawLine(flaeche.bottomLeft(), flaeche.bottomRight());
    zeichneBezugslinien(maler, flaeche);
}
