// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysefenster/schluesselzeilen.h"

#include "platform/codepage.h"
#include "platform/schriften.h"

#include <algorithm>
#include <array>
#include <QMouseEvent>
#include <QTextBlock>

using verschl::Text;

namespace {

// One column per byte: what a fixed-pitch font cannot show in one cell
// (line breaks, tabs, the other control bytes and the stand-ins for
// undefined bytes) becomes a middle dot.
QChar zelle(unsigned char b)
{
    const QChar c = codepage::Zeichen(b);
    return c == u'\t' || (c.unicode() >= 0x2300 && c.unicode() < 0x2500) ? QChar(u'·') : c;
}

// Light enough that the marked text stays readable, dark text on it on any
// palette.
QColor markierungsfarbe() { return { 0xff, 0xd2, 0x5a }; }

} // namespace

Schluesselzeilen::Schluesselzeilen(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(schriften::Paneschrift());
    setAccessibleName(QStringLiteral("Schlüsselbuchstaben unter der Chiffre"));
    setToolTip(QStringLiteral(
        "Unter jedem Zeichen der Chiffre steht der Schlüsselbuchstabe, der es entschlüsselt,\n"
        "darunter der Klartext. Ein Klick wählt den Schlüsselbuchstaben zum Ändern aus."));
}

const QString &Schluesselzeilen::kopf(int zeile)
{
    static const std::array<QString, 3> koepfe { QStringLiteral("Chiffre:   "),
        QStringLiteral("Schlüssel: "), QStringLiteral("Klartext:  ") };
    return koepfe.at(std::size_t(zeile));
}

void Schluesselzeilen::zeige(
    const Text &neuGeheim, const std::string &neuSchluessel, bool neuIgnorieren)
{
    const bool selberText = !substitution && neuGeheim == geheim && neuIgnorieren == ignorieren;
    substitution = false;
    ignorieren = neuIgnorieren;
    schluessel = neuSchluessel;
    stellen = verschl::VigenereSchluesselstellen(neuGeheim, schluessel.size(), ignorieren);
    Text neuMitte(neuGeheim.size(), ' ');
    for (std::size_t i = 0; i < neuGeheim.size(); ++i) {
        if (stellen[i] >= 0)
            neuMitte[i] = static_cast<char>(verschl::GrossBuchstabe(
                static_cast<unsigned char>(schluessel[std::size_t(stellen[i])])));
    }
    std::optional<Text> vorher;
    if (!selberText)
        bezug = schluessel;
    else if (bezug.size() == schluessel.size() && !schluessel.empty()) {
        vorher = verschl::VigenereEntschluesseln(neuGeheim, bezug, ignorieren);
        bezug = schluessel;
    }
    setze(neuGeheim, std::move(neuMitte),
        verschl::VigenereEntschluesseln(neuGeheim, schluessel, ignorieren).value_or(Text()),
        vorher);
}

void Schluesselzeilen::zeigeAlphabet(const Text &neuGeheim, const Text &alphabet)
{
    std::optional<Text> vorher;
    if (substitution && neuGeheim == geheim)
        vorher = klar;
    substitution = true;
    std::array<int, 26> platz; // of each cipher letter in the alphabet
    platz.fill(-1);
    for (std::size_t p = 0; p < std::min<std::size_t>(alphabet.size(), 26); ++p) {
        const unsigned char c = verschl::GrossBuchstabe(static_cast<unsigned char>(alphabet[p]));
        if (c >= 'A' && c <= 'Z' && platz[c - 'A'] < 0)
            platz[c - 'A'] = int(p);
    }
    Text neuKlar = neuGeheim;
    stellen.assign(neuGeheim.size(), -1);
    for (std::size_t i = 0; i < neuGeheim.size(); ++i) {
        const auto b = static_cast<unsigned char>(neuGeheim[i]);
        const unsigned char gross = verschl::GrossBuchstabe(b);
        if (gross < 'A' || gross > 'Z')
            continue;
        const int p = stellen[i] = platz[gross - 'A'];
        neuKlar[i] = p < 0 ? '?' : static_cast<char>((b == gross ? 'A' : 'a') + p);
    }
    setze(neuGeheim, {}, std::move(neuKlar), vorher);
}

void Schluesselzeilen::setze(
    const Text &neuGeheim, Text neuMitte, Text neuKlar, const std::optional<Text> &vorher)
{
    geheim = neuGeheim;
    mitte = std::move(neuMitte);
    klar = std::move(neuKlar);
    markiert.assign(geheim.size(), false);
    if (vorher && !klar.empty()) {
        for (std::size_t i = 0; i < geheim.size(); ++i)
            markiert[i] = (*vorher)[i] != klar[i];
    }
    baue();
}

void Schluesselzeilen::leere()
{
    schluessel.clear();
    bezug.clear();
    stellen.clear();
    setze({}, {}, {}, std::nullopt);
}

// The rows and a blank line between groups.
int Schluesselzeilen::zeilenJeGruppe() const { return substitution ? 3 : 4; }

int Schluesselzeilen::spaltenJeZeile() const
{
    const int zeichen = fontMetrics().horizontalAdvance(QLatin1Char('M'));
    const int platz = viewport()->width() - 2 * int(document()->documentMargin());
    return std::max(8, platz / zeichen - int(kopf(0).size()));
}

void Schluesselzeilen::baue()
{
    breite = spaltenJeZeile();
    QStringList zeilen;
    for (std::size_t anfang = 0; anfang < geheim.size(); anfang += std::size_t(breite)) {
        const std::size_t ende = std::min(geheim.size(), anfang + std::size_t(breite));
        QString oben = kopf(0), schluesselzeile = kopf(1), unten = kopf(2);
        for (std::size_t i = anfang; i < ende; ++i) {
            oben += zelle(static_cast<unsigned char>(geheim[i]));
            if (!substitution)
                schluesselzeile += zelle(static_cast<unsigned char>(mitte[i]));
            unten += klar.empty() ? QChar(u' ') : zelle(static_cast<unsigned char>(klar[i]));
        }
        if (!zeilen.isEmpty())
            zeilen << QString();
        zeilen << oben;
        if (!substitution)
            zeilen << schluesselzeile;
        zeilen << unten;
    }
    setPlainText(zeilen.join(u'\n'));
    markiere();
}

// Each marked byte gets its colour in all its rows: the key letter to
// mend stands in the same column as what it changed.
void Schluesselzeilen::markiere()
{
    QTextCharFormat format;
    format.setBackground(markierungsfarbe());
    format.setForeground(Qt::black);
    QList<QTextEdit::ExtraSelection> auswahl;
    for (std::size_t i = 0; i < markiert.size(); ++i) {
        if (!markiert[i])
            continue;
        const int gruppe = int(i) / breite, spalte = int(kopf(0).size()) + int(i) % breite;
        for (int zeile = 0; zeile < zeilenJeGruppe() - 1; ++zeile) {
            QTextCursor feld(document()->findBlockByNumber(gruppe * zeilenJeGruppe() + zeile));
            feld.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, spalte);
            feld.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor);
            auswahl.append({ feld, format });
        }
    }
    setExtraSelections(auswahl);
}

void Schluesselzeilen::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    if (spaltenJeZeile() != breite)
        baue();
}

void Schluesselzeilen::mouseReleaseEvent(QMouseEvent *event)
{
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || textCursor().hasSelection())
        return;
    const QPoint punkt = event->position().toPoint();
    // The nearest cursor position may lie right of the byte under the click.
    QTextCursor stelle = cursorForPosition(punkt);
    if (cursorRect(stelle).left() > punkt.x())
        stelle.movePosition(QTextCursor::Left);
    const int zeile = stelle.blockNumber() % zeilenJeGruppe();
    const int spalte = stelle.positionInBlock() - int(kopf(0).size());
    if (zeile == zeilenJeGruppe() - 1 || spalte < 0 || spalte >= breite)
        return;
    const auto i = std::size_t(stelle.blockNumber() / zeilenJeGruppe() * breite + spalte);
    if (i < stellen.size() && stellen[i] >= 0)
        Q_EMIT stelleGewaehlt(stellen[i]);
}
