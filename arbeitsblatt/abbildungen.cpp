// SPDX-License-Identifier: GPL-3.0-or-later
#include "abbildungen.h"

#include "analyse/analyse.h"

#include <algorithm>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int kTyp = QTextFormat::UserObject + 1;
enum Eigenschaft {
    PArt = QTextFormat::UserProperty + 1,
    PSpalten,
    PZeilen,
    PText,
    PFeld,
    PAlle,
    PKopf,
    PTabellenkopf,
    PBreiten,
    PHoehe,
    PZellen,
    PTitel
};

// Drawing units: tenths of a millimetre, whatever the device.
constexpr double kEinheitenJeMm = 10;
// Widest figure: fits the text width of A4 and Letter between the margins.
constexpr double kBreiteMm = 165;

using Art = Abbildungen::Art;

// A line of ciphertext with its room to answer: a character every
// kSchrittMm in a row kTextMm high, each row to write in kReiheMm high, and
// kAbstandMm to keep them apart from the next line's ciphertext.
constexpr double kSchrittMm = 5;
constexpr double kTextMm = 6;
constexpr double kReiheMm = 8;
constexpr double kAbstandMm = 3;
constexpr double kKaestchenMm = 4.4;
// The heading over the first line, and room for it to be read in full.
constexpr double kKopfMm = 8;
constexpr double kKopfbreiteMm = 30;
// A table's title line, part of its figure so that no page parts them.
constexpr double kTitelMm = 7;

QChar buchstabe(int i) { return QChar(u'A' + i % 26); }

// The cell edge of the matrix grid, so that all columns fit the text width.
double gitterzelle(int spalten) { return std::min(9.0, kBreiteMm / std::max(spalten, 1)); }

QSizeF zeichnungInMm(const QTextFormat &format)
{
    const int spalten = format.intProperty(PSpalten);
    const int zeilen = format.intProperty(PZeilen);
    switch (Art(format.intProperty(PArt))) {
    case Art::Scheibe:
        return { kBreiteMm, 92 };
    case Art::Streifen:
        return { 26 * 6.0, 32 };
    case Art::Quadrat:
        return { 27 * 6.0, 27 * 6.0 };
    case Art::Gitter:
        return { spalten * gitterzelle(spalten), zeilen * gitterzelle(spalten) };
    case Art::Tabelle: {
        double breite = 0;
        for (const QVariant &b : format.property(PBreiten).toList())
            breite += b.toDouble();
        return { breite, (zeilen + 1) * format.doubleProperty(PHoehe) };
    }
    case Art::Balken:
        return { 26 * 6.3, 60 };
    case Art::Antwort: {
        const bool kopf = format.boolProperty(PKopf);
        return { std::max(spalten * kSchrittMm, kopf ? kKopfbreiteMm : 0),
            (kopf ? kKopfMm : 0) + kTextMm + zeilen * kReiheMm + kAbstandMm };
    }
    }
    return {};
}

// A title takes a line above the drawing, as wide as the text.
QSizeF groesseInMm(const QTextFormat &format)
{
    QSizeF mm = zeichnungInMm(format);
    if (format.hasProperty(PTitel))
        mm = { std::max(mm.width(), kBreiteMm), mm.height() + kTitelMm };
    return mm;
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

// The centre where the split pin goes through.
void mitte(QPainter &p)
{
    p.setPen(linie(0.3));
    p.drawLine(QPointF(-40, 0), QPointF(40, 0));
    p.drawLine(QPointF(0, -40), QPointF(0, 40));
    p.drawEllipse(QPointF(), 8, 8);
}

// One disk: letters on a ring at its edge, a word in the middle that tells
// which text it turns, the centre mark, and a solid cut line thick enough to
// show at any print resolution.
void eineScheibe(QPainter &p, double innen, double aussen, const QString &wofuer)
{
    p.setPen(linie(0.3));
    ring(p, innen, aussen);
    p.drawEllipse(QPointF(), innen * kEinheitenJeMm, innen * kEinheitenJeMm);
    p.setFont(schrift(3));
    p.drawText(QRectF(-innen * 8, -innen * 6, innen * 16, innen * 4), Qt::AlignCenter, wofuer);
    mitte(p);
    p.setPen(linie(0.5));
    p.drawEllipse(QPointF(), aussen * kEinheitenJeMm, aussen * kEinheitenJeMm);
}

// Two disks side by side, cut out apart: the small one lies on the large
// one, its edge on the inner edge of the large one's ring, a pin through
// both centre marks.
void scheibe(QPainter &p)
{
    p.translate(450, 460);
    eineScheibe(p, 33, 44, QStringLiteral("Geheimtext"));
    p.translate(870, 0);
    eineScheibe(p, 22, 33, QStringLiteral("Klartext"));
}

// The lower strip is cut out along its solid edge, drawn as thick as the
// disks' cut lines.
void streifen(QPainter &p)
{
    p.setPen(linie(0.3));
    zellenreihe(p, { 0, 0 }, 26, { 6, 9 }, 0, true);
    zellenreihe(p, { 0, 18 }, 26, { 6, 9 }, 0);
    p.setPen(linie(0.5));
    p.drawRect(QRectF(0, 180, 26 * 60, 90));
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

// Empty cells, or the cells filled row by row with `inhalt`.
void gitter(QPainter &p, int spalten, int zeilen, const QStringList &inhalt)
{
    const double z = gitterzelle(spalten);
    p.setPen(linie(0.3));
    for (int zeile = 0; zeile < zeilen; ++zeile)
        zellenreihe(p, { 0, zeile * z }, spalten, { z, z }, -1);
    p.setFont(schrift(z * 0.55));
    for (qsizetype i = 0; i < inhalt.size(); ++i) {
        const QRectF zelle(QPointF(double(i % spalten), double(i / spalten)) * z * kEinheitenJeMm,
            QSizeF(z, z) * kEinheitenJeMm);
        p.drawText(zelle, Qt::AlignCenter, inhalt[i]);
    }
}

// Text in a cell, smaller where it would not fit at the row's size, and
// cut short where it would be too small to read (a long repeated group).
void zelltext(QPainter &p, const QRectF &zelle, const QString &text, bool fett)
{
    constexpr double kKleinste = 0.6;
    QFont f = schrift(zelle.height() * 0.55 / kEinheitenJeMm, fett);
    const double platz = zelle.width() * 0.9;
    const double breite = QFontMetricsF(f).horizontalAdvance(text);
    if (breite > platz)
        f.setPixelSize(std::max(1, int(f.pixelSize() * std::max(kKleinste, platz / breite))));
    p.setFont(f);
    p.drawText(
        zelle, Qt::AlignCenter, p.fontMetrics().elidedText(text, Qt::ElideRight, int(platz)));
}

void tabelle(QPainter &p, const QTextFormat &format)
{
    const QVariantList breiten = format.property(PBreiten).toList();
    const QStringList kopf = format.property(PTabellenkopf).toStringList();
    const QStringList zellen = format.property(PZellen).toStringList();
    const double hoehe = format.doubleProperty(PHoehe) * kEinheitenJeMm;
    p.setPen(linie(0.3));
    for (int zeile = 0; zeile <= format.intProperty(PZeilen); ++zeile) {
        double links = 0;
        for (qsizetype spalte = 0; spalte < breiten.size(); ++spalte) {
            const double breite = breiten[spalte].toDouble() * kEinheitenJeMm;
            const QRectF zelle(links, zeile * hoehe, breite, hoehe);
            p.drawRect(zelle);
            const qsizetype nummer = (zeile - 1) * breiten.size() + spalte;
            zelltext(p, zelle, zeile == 0 ? kopf.value(spalte) : zellen.value(nummer), zeile == 0);
            links += breite;
        }
    }
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

bool istBuchstabe(QChar c) { return c.unicode() < 128 && c.isLetter(); }

// A line of ciphertext, a character in each cell, and under it rows to
// write in: ruled lines, or a box under each character that pupils have to
// work out. Text and rows are one figure, so a page never parts them.
void antwort(QPainter &p, const QTextFormat &format)
{
    const QString geheim = format.stringProperty(PText);
    const bool alle = format.boolProperty(PAlle);
    const bool kaestchen = Antwortfeld(format.intProperty(PFeld)) == Antwortfeld::Kaestchen;
    const double schritt = kSchrittMm * kEinheitenJeMm;
    if (format.boolProperty(PKopf)) {
        p.setFont(schrift(4.2, true));
        p.drawText(QRectF(0, 0, kKopfbreiteMm * kEinheitenJeMm, kKopfMm * kEinheitenJeMm),
            Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Geheimtext"));
        p.translate(0, kKopfMm * kEinheitenJeMm);
    }
    QFont schreibmaschine(QStringLiteral("Courier New"));
    schreibmaschine.setStyleHint(QFont::TypeWriter);
    schreibmaschine.setPixelSize(int(4.2 * kEinheitenJeMm));
    p.setFont(schreibmaschine);
    for (qsizetype i = 0; i < geheim.size(); ++i)
        p.drawText(QRectF(i * schritt, 0, schritt, kTextMm * kEinheitenJeMm), Qt::AlignCenter,
            QString(geheim[i]));
    const double rand = (kSchrittMm - kKaestchenMm) / 2 * kEinheitenJeMm;
    p.setPen(linie(0.3));
    for (int reihe = 0; reihe < format.intProperty(PZeilen); ++reihe) {
        const double unten = (kTextMm + (reihe + 1) * kReiheMm - 1) * kEinheitenJeMm;
        if (!kaestchen) {
            p.drawLine(QPointF(rand, unten), QPointF(geheim.size() * schritt - rand, unten));
            continue;
        }
        const double hoehe = (kReiheMm - 2) * kEinheitenJeMm;
        for (qsizetype i = 0; i < geheim.size(); ++i) {
            if (alle || istBuchstabe(geheim[i]))
                p.drawRect(QRectF(i * schritt + rand, unten - hoehe, schritt - 2 * rand, hoehe));
        }
    }
}

} // namespace

void Abbildungen::Antwortzeile(
    QTextCursor &cursor, const QString &geheim, Antwortfeld feld, int reihen, bool alle, bool kopf)
{
    QTextCharFormat format;
    format.setProperty(PKopf, kopf);
    format.setProperty(PText, geheim);
    format.setProperty(PFeld, int(feld));
    format.setProperty(PAlle, alle);
    fuegeEin(cursor, format, Art::Antwort, int(geheim.size()), reihen);
}

void Abbildungen::Anmelden(QTextDocument &dokument)
{
    dokument.documentLayout()->registerHandler(kTyp, new Abbildungen(&dokument));
}

void Abbildungen::FuegeEin(QTextCursor &cursor, Art art, int spalten, int zeilen,
    const QStringList &inhalt, const QString &titel)
{
    QTextCharFormat format;
    if (!inhalt.isEmpty())
        format.setProperty(PZellen, inhalt);
    if (!titel.isEmpty())
        format.setProperty(PTitel, titel);
    fuegeEin(cursor, format, art, spalten, zeilen);
}

void Abbildungen::Gitter(
    QTextCursor &cursor, int spalten, int zeilen, const QStringList &inhalt, const QString &titel)
{
    for (int oben = 0; oben < zeilen; oben += kGitterzeilenJeTeil) {
        const int teil = std::min(kGitterzeilenJeTeil, zeilen - oben);
        FuegeEin(cursor, Art::Gitter, spalten, teil, inhalt.mid(oben * spalten, teil * spalten),
            oben == 0 ? titel : QString());
    }
}

void Abbildungen::FuegeEin(QTextCursor &cursor, const Tabelle &tabelle)
{
    QTextCharFormat format;
    format.setProperty(PTabellenkopf, tabelle.kopf);
    QVariantList breiten;
    for (const double b : tabelle.breitenMm)
        breiten << b;
    format.setProperty(PBreiten, breiten);
    format.setProperty(PHoehe, tabelle.hoeheMm);
    format.setProperty(PZellen, tabelle.zellen);
    if (!tabelle.titel.isEmpty())
        format.setProperty(PTitel, tabelle.titel);
    fuegeEin(cursor, format, Art::Tabelle, int(tabelle.kopf.size()), tabelle.zeilen);
}

// A label column as wide as "Geheim" needs, the letters sharing the rest.
Abbildungen::Tabelle Abbildungen::Buchstabentabelle(const QString &kopf, const QString &zeile)
{
    constexpr double kKopfspalteMm = 18;
    Tabelle t;
    t.kopf << kopf;
    t.breitenMm << kKopfspalteMm;
    for (int i = 0; i < 26; ++i) {
        t.kopf << buchstabe(i);
        t.breitenMm << (kBreiteMm - kKopfspalteMm) / 26;
    }
    t.zellen << zeile;
    return t;
}

void Abbildungen::fuegeEin(
    QTextCursor &cursor, QTextCharFormat format, Art art, int spalten, int zeilen)
{
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
    return groesseInMm(format) * punkteJeMm;
}

void Abbildungen::drawObject(
    QPainter *painter, const QRectF &rechteck, QTextDocument *, int, const QTextFormat &format)
{
    const Art art = Art(format.intProperty(PArt));
    const int spalten = format.intProperty(PSpalten);
    const QSizeF mm = groesseInMm(format);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rechteck.topLeft());
    painter->scale(rechteck.width() / (mm.width() * kEinheitenJeMm),
        rechteck.height() / (mm.height() * kEinheitenJeMm));
    if (format.hasProperty(PTitel)) {
        painter->setFont(schrift(3.5));
        painter->drawText(QRectF(0, 0, kBreiteMm * kEinheitenJeMm, (kTitelMm - 1) * kEinheitenJeMm),
            Qt::AlignLeft | Qt::AlignBottom, format.stringProperty(PTitel));
        painter->translate(0, kTitelMm * kEinheitenJeMm);
    }
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
        gitter(*painter, spalten, format.intProperty(PZeilen),
            format.property(PZellen).toStringList());
        break;
    case Art::Tabelle:
        tabelle(*painter, format);
        break;
    case Art::Balken:
        balken(*painter);
        break;
    case Art::Antwort:
        antwort(*painter, format);
        break;
    }
    painter->restore();
}
