// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/textpane.h"

#include <algorithm>
#include <QKeyEvent>
#include <QTextBlock>
#include <vector>

namespace {

// Marks a block that continues the line of the block before it (a soft
// break). It lives in the block format, not in QTextBlock::userState: Qt keeps
// the format of the first block when two blocks join and gives a block's
// format back on undo and redo, while a joined block takes the user state of
// the second one and undo restores no user state at all. The format's one
// drawback, insertBlock() copying it into the new block, is mended where this
// pane inserts.
constexpr int kFortsetzung = QTextFormat::UserProperty;

bool istFortsetzung(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().hasProperty(kFortsetzung);
}

// The shown text with a line break after every kStueck characters of a long
// line; `fortsetzungen` receives the numbers of the blocks made so (the first
// block is 0), in order. In a text of many lines, short lines share blocks.
QString teile(const QString &anzeige, std::vector<int> &fortsetzungen)
{
    const bool zusammen = anzeige.count(u'\n') > TextPane::kVieleZeilen;
    QString geteilt;
    if (zusammen)
        geteilt.reserve(anzeige.size());
    int block = 0;
    qsizetype kopiert = 0;
    qsizetype imBlock = 0; // characters in the block so far
    for (qsizetype zeile = 0; zeile <= anzeige.size();) {
        qsizetype ende = anzeige.indexOf(u'\n', zeile);
        if (ende < 0)
            ende = anzeige.size();
        if (zeile > 0 && zusammen && imBlock + 1 + (ende - zeile) <= TextPane::kStueck) {
            geteilt += QStringView(anzeige).sliced(kopiert, zeile - 1 - kopiert);
            geteilt += QChar::LineSeparator;
            kopiert = zeile;
            imBlock += 1 + (ende - zeile);
        } else {
            block += zeile > 0;
            imBlock = ende - zeile;
        }
        for (qsizetype stueck = zeile + TextPane::kStueck; stueck < ende;
             stueck += TextPane::kStueck) {
            geteilt += QStringView(anzeige).sliced(kopiert, stueck - kopiert);
            geteilt += u'\n';
            kopiert = stueck;
            fortsetzungen.push_back(++block);
            imBlock = ende - stueck;
        }
        zeile = ende + 1;
    }
    if (kopiert == 0)
        return anzeige;
    geteilt += QStringView(anzeige).sliced(kopiert);
    return geteilt;
}

// Gives the `anzahl` blocks after `block` exactly the marks that
// `fortsetzungen` lists (numbers counted from `block`), as one edit: one
// change reported, not one per block.
void markiere(QTextBlock block, int anzahl, const std::vector<int> &fortsetzungen)
{
    QTextCursor cursor(block);
    cursor.beginEditBlock();
    auto naechste = fortsetzungen.begin();
    for (int nummer = 1; nummer <= anzahl; ++nummer) {
        block = block.next();
        const bool soll = naechste != fortsetzungen.end() && *naechste == nummer;
        if (soll)
            ++naechste;
        if (istFortsetzung(block) == soll)
            continue;
        QTextBlockFormat format = block.blockFormat();
        if (soll)
            format.setProperty(kFortsetzung, true);
        else
            format.clearProperty(kFortsetzung);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();
}

} // namespace

// Long lines become several blocks, each continuation marked.
void TextPane::zeige(const QString &anzeige)
{
    std::vector<int> fortsetzungen;
    setPlainText(teile(anzeige, fortsetzungen));
    if (fortsetzungen.empty())
        return;
    // The marks belong to the new text: no undo may take them away.
    document()->setUndoRedoEnabled(false);
    markiere(document()->begin(), fortsetzungen.back(), fortsetzungen);
    document()->setUndoRedoEnabled(true);
}

void TextPane::ersetze(const verschl::Text &text)
{
    const QString anzeige = alsAnzeige(text);
    // Clearing the undo stacks would leave the text of the old steps in the
    // document's buffer: the text is shown afresh instead, saved or not as
    // before.
    if (document()->isUndoAvailable()
        && std::max<qsizetype>(document()->characterCount(), anzeige.size()) > kNurEinSchritt) {
        const bool geaendert = document()->isModified();
        zeige(alsAnzeige(this->text()));
        document()->setModified(geaendert);
    }
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    ersetzeAuswahl(cursor, anzeige);
    // As after setText(): the reader starts at the top of the new text.
    moveCursor(QTextCursor::Start);
}

// Raw text that starts at position `anfang` of the document, without the
// block separators in front of continuation blocks, and with a line break
// where lines share a block.
QString TextPane::ohneWeicheUmbrueche(const QString &roh, int anfang) const
{
    if (roh.contains(QChar::LineSeparator))
        return ohneWeicheUmbrueche(QString(roh).replace(QChar::LineSeparator, u'\n'), anfang);
    // Every block's format is among the document's formats, so a document
    // that never had a mark, as after setText() of short lines, needs no walk.
    const QList<QTextFormat> formate = document()->allFormats();
    if (std::none_of(formate.begin(), formate.end(),
            [](const QTextFormat &format) { return format.hasProperty(kFortsetzung); }))
        return roh;
    QString ohne;
    ohne.reserve(roh.size());
    qsizetype kopiert = 0;
    for (QTextBlock block = document()->findBlock(anfang).next();
         block.isValid() && block.position() - anfang <= roh.size(); block = block.next()) {
        if (!istFortsetzung(block))
            continue;
        const qsizetype trenner = block.position() - 1 - anfang;
        ohne += QStringView(roh).sliced(kopiert, trenner - kopiert);
        kopiert = trenner + 1;
    }
    ohne += QStringView(roh).sliced(kopiert);
    return ohne;
}

void TextPane::fuegeEin(const QString &anzeige)
{
    QTextCursor cursor = textCursor();
    ersetzeAuswahl(cursor, anzeige);
    setTextCursor(cursor);
}

// New blocks would copy the mark of the block they split; each gets the mark
// it stands for.
void TextPane::ersetzeAuswahl(QTextCursor &cursor, const QString &anzeige)
{
    std::vector<int> fortsetzungen;
    const QString geteilt = teile(anzeige, fortsetzungen);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int erster = cursor.blockNumber();
    cursor.insertText(geteilt);
    markiere(document()->findBlockByNumber(erster), cursor.blockNumber() - erster, fortsetzungen);
    cursor.endEditBlock();
}

// Backspace at the start of a continuation block, or Delete at the end of a
// block that one follows, would remove only the soft break, which the user
// cannot see: it removes the next character that way along with it.
bool TextPane::loescheUeberFortsetzung(bool zurueck)
{
    QTextCursor cursor = textCursor();
    const auto amWeichenUmbruch = [&] {
        return zurueck ? cursor.atBlockStart() && istFortsetzung(cursor.block())
                       : cursor.atBlockEnd() && istFortsetzung(cursor.block().next());
    };
    if (cursor.hasSelection() || !amWeichenUmbruch())
        return false;
    const auto richtung = zurueck ? QTextCursor::PreviousCharacter : QTextCursor::NextCharacter;
    while (amWeichenUmbruch())
        cursor.movePosition(richtung, QTextCursor::KeepAnchor);
    cursor.movePosition(richtung, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    return true;
}

bool TextPane::eigeneTaste(QKeyEvent *event)
{
    if (isReadOnly())
        return false;
    // Enter starts a new line, also within a continuation block.
    if (event->matches(QKeySequence::InsertParagraphSeparator)) {
        fuegeEin(QStringLiteral("\n"));
        return true;
    }
    const bool rueckwaerts
        = event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    return (rueckwaerts || event->matches(QKeySequence::Delete))
        && loescheUeberFortsetzung(rueckwaerts);
}
