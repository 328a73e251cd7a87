// SPDX-License-Identifier: GPL-3.0-or-later
#include "abbildungen.h"

#include "analyse/analyse.h"

#include <algorithm>
#include <QPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kTyp = QTextFormat::UserObject + 1;
enum Eigenschaft { PArt = QTextFormat::UserProperty + 1, PSpalten, PZeilen };

// Drawing units: tenths of a millimetre, whatever the device.
constexpr double kEinheitenJeMm = 10;
// Widest figure: fits the text width of A4 and Letter between the margins.
constexpr double kBreiteMm = 165;

using Art = Abbildungen::Art;

QChar buchstabe(int i) { return QChar(u'A' + i % 26); }

// The cell edge of the matrix grid, so that all columns fit the text width.
double gitterzelle(int spalten) { return std::min(9.0, kBreiteMm / std::max(spalten, 1)); }

QSizeF groesseInMm(Art art, int spalten, int zeilen)
{
    switch (art) {
    case Art::Scheibe:
        return { 120, 120 };
    case Art::Streifen:
        return { 26 * 6.0, 32 };
    case Art::Quadrat:
        return { 27 * 6.0, 27 * 6.0 };
    case Art::Gitter:
        return { spalten * gitterzelle(spalten), zeilen * gitterzelle(spalten) };
    case Art::Tabelle:
        return { 26 * 6.3, 2 * 8.0 };
    case Art::Balken:
        return { 26 * 6.3, 60 };
    }
    return {};
}

QFont schrift(double hoeheMm, bool fett = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(int(hoeheMm * kEinheitenJeMm));
    f.setBold(fett);
    return f;
}

QPen linie(double breiteMm, Qt::PenStyle stil = Qt::SolidLine)
{
    QPen stift(Qt::black, breiteMm * kEinheitenJeMm, stil);
    stift.setCosmetic(false);
    return stift;
}

// A row of cells of `zelle` mm, letters from `erster` on (or empty when < 0).
void zellenreihe(
    QPainter &p, QPointF links, int anzahl, QSizeF zelle, int erster, bool fett = false)
{
    p.setFont(schrift(zelle.height() * 0.55, fett));
    for (int i = 0; i < anzahl; ++i) {
        const QRectF r(links.x() + i * zelle.width(), links.y(), zelle.width(), zelle.height());
        const QRectF e(r.topLeft() * kEinheitenJeMm, r.size() * kEinheitenJeMm);
        p.drawRect(e);
        if (erster >= 0)
            p.drawText(e, Qt::AlignCenter, buchstabe(erster + i));
    }
}

void ring(QPainter &p, double innen, double aussen)
{
    const double mitte = (innen + aussen) / 2 * kEinheitenJeMm;
    p.drawEllipse(QPointF(), aussen * kEinheitenJeMm, aussen * kEinheitenJeMm);
    p.setFont(schrift((aussen - innen) * 0.45, true));
    for (int i = 0; i < 26; ++i) {
        const double winkel = i * 360.0 / 26;
        p.save();
        p.rotate(winkel + 180.0 / 26);
        p.drawLine(QPointF(0, -innen * kEinheitenJeMm), QPointF(0, -aussen * kEinheitenJeMm));
        p.restore();
        p.save();
        p.rotate(winkel);
        p.translate(0, -mitte);
        p.drawText(QRectF(-40, -40, 80, 80), Qt::AlignCenter, buchstabe(i));
        p.restore();
    }
}

// Two rings on one centre: the outer stays, the inner disk is cut out along
// its dashed edge and turned on a pin through the centre mark.
void scheibe(QPainter &p)
{
    p.translate(600, 600);
    p.setPen(linie(0.3));
    ring(p, 45, 58);
    ring(p, 32, 45);
    p.setPen(linie(0.4, Qt::DashLine));
    p.drawEllipse(QPointF(), 450, 450);
    p.setPen(linie(0.3));
    p.drawLine(QPointF(-40, 0), QPointF(40, 0));
    p.drawLine(QPointF(0, -40), QPointF(0, 40));
    p.drawEllipse(QPointF(), 8, 8);
}

void streifen(QPainter &p)
{
    p.setPen(linie(0.3));
    zellenreihe(p, { 0, 0 }, 26, { 6, 9 }, 0, true);
    p.setPen(linie(0.3, Qt::DashLine));
    zellenreihe(p, { 0, 18 }, 26, { 6, 9 }, 0);
}

// The tabula recta with its header row and column shaded.
void quadrat(QPainter &p)
{
    const QColor grau(220, 220, 220);
    p.fillRect(QRectF(0, 0, 27 * 60, 60), grau);
    p.fillRect(QRectF(0, 0, 60, 27 * 60), grau);
    p.setPen(linie(0.2));
    const QSizeF zelle(6, 6);
    zellenreihe(p, { 0, 0 }, 1, zelle, -1);
    zellenreihe(p, { 6, 0 }, 26, zelle, 0, true);
    for (int zeile = 1; zeile < 27; ++zeile) {
        zellenreihe(p, { 0, zeile * 6.0 }, 1, zelle, zeile - 1, true);
        zellenreihe(p, { 6, zeile * 6.0 }, 26, zelle, zeile - 1);
    }
}

void gitter(QPainter &p, int spalten, int zeilen)
{
    const double z = gitterzelle(spalten);
    p.setPen(linie(0.3));
    for (int zeile = 0; zeile < zeilen; ++zeile)
        zellenreihe(p, { 0, zeile * z }, spalten, { z, z }, -1);
}

void tabelle(QPainter &p)
{
    p.setPen(linie(0.3));
    zellenreihe(p, { 0, 0 }, 26, { 6.3, 8 }, 0, true);
    zellenreihe(p, { 0, 8 }, 26, { 6.3, 8 }, -1);
}

// German letter frequencies in per cent, a bar per letter.
void balken(QPainter &p)
{
    const auto &anteile = analyse::DeutscheBuchstaben();
    const double hoechster = *std::max_element(anteile.begin(), anteile.end());
    const double grund = 52 * kEinheitenJeMm;
    const double hoehe = 44 * kEinheitenJeMm;
    p.setPen(linie(0.2));
    p.drawLine(QPointF(0, grund), QPointF(26 * 63, grund));
    for (int i = 0; i < 26; ++i) {
        const double h = anteile[std::size_t(i)] / hoechster * hoehe;
        const QRectF saeule(i * 63 + 10, grund - h, 43, h);
        p.fillRect(saeule, QColor(150, 150, 150));
        p.drawRect(saeule);
        p.setFont(schrift(3.2, true));
        p.drawText(QRectF(i * 63, grund, 63, 70), Qt::AlignCenter, buchstabe(i));
        p.setFont(schrift(2.2));
        p.drawText(QRectF(i * 63 - 10, grund - h - 40, 83, 40), Qt::AlignCenter,
            QString::number(anteile[std::size_t(i)] * 100, 'f', 1));
    }
}

} // namespace

void Abbildungen::Anmelden(QTextDocument &dokument)
{
    dokument.documentLayout()->registerHandler(kTyp, new Abbildungen(&dokument));
}

void Abbildungen::FuegeEin(QTextCursor &cursor, Art art, int spalten, int zeilen)
{
    QTextCharFormat format;
    format.setObjectType(kTyp);
    format.setProperty(PArt, int(art));
    format.setProperty(PSpalten, spalten);
    format.setProperty(PZeilen, zeilen);
    cursor.insertBlock();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// Sizes are in the document's units, the pixels of the device it is laid
// out for: screen pixels on the screen, printer dots when printing.
QSizeF Abbildungen::intrinsicSize(QTextDocument *dokument, int, const QTextFormat &format)
{
    const QPaintDevice *geraet = dokument->documentLayout()->paintDevice();
    const double punkteJeMm = (geraet ? geraet->logicalDpiX() : 96) / 25.4;
    return groesseInMm(Art(format.intProperty(PArt)), format.intProperty(PSpalten),
               format.intProperty(PZeilen))
        * punkteJeMm;
}

void Abbildungen::drawObject(
    QPainter *painter, const QRectF &rechteck, QTextDocument *, int, const QTextFormat &format)
{
    const Art art = Art(format.intProperty(PArt));
    const int spalten = format.intProperty(PSpalten);
    const QSizeF mm = groesseInMm(art, spalten, format.intProperty(PZeilen));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rechteck.topLeft());
    painter->scale(rechteck.width() / (mm.width() * kEinheitenJeMm),
        rechteck.height() / (mm.height() * kEinheitenJeMm));
    switch (art) {
    case Art::Scheibe:
        scheibe(*painter);
        break;
    case Art::Streifen:
        streifen(*painter);
        break;
    case Art::Quadrat:
        quadrat(*painter);
        break;
    case Art::Gitter:
        gitter(*painter, spalten, format.intProperty(PZeilen));
        break;
    case Art::Tabelle:
        tabelle(*painter);
        break;
    case Art::Balken:
        balken(*painter);
        break;
    }
    painter->restore();
}
