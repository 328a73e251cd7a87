// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/bytezeile.h"

#include "platform/codepage.h"

#include <algorithm>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

Bytezeile::Bytezeile(QWidget *parent)
    : TextPane(parent)
{
    setLineWrapMode(NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One row of text in the height of a line edit.
    document()->setDocumentMargin(1);
}

// The line has no line break of its own: each block after the first
// continues it.
qsizetype Bytezeile::Laenge() const
{
    return document()->characterCount() - document()->blockCount();
}

char Bytezeile::ByteAn(qsizetype i) const
{
    return char(codepage::Byte(document()->characterAt(stelle(i))));
}

// The document position of a byte: one block separator more for every
// block before the byte's own. The blocks need not be of equal length, as
// after typing, so the block is found by halving.
int Bytezeile::stelle(qsizetype byte) const
{
    int unten = 0;
    int oben = document()->blockCount() - 1;
    while (unten < oben) {
        const int mitte = (unten + oben + 1) / 2;
        if (document()->findBlockByNumber(mitte).position() - mitte <= byte)
            unten = mitte;
        else
            oben = mitte - 1;
    }
    return int(byte) + unten;
}

void Bytezeile::WaehleBytes(qsizetype anfang, qsizetype anzahl)
{
    QTextCursor cursor(document());
    cursor.setPosition(stelle(anfang));
    if (anzahl > 0)
        cursor.setPosition(stelle(anfang + anzahl - 1) + 1, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void Bytezeile::deselect()
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
}

qsizetype Bytezeile::AuswahlAnfang() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return -1;
    const int anfang = cursor.selectionStart();
    return anfang - document()->findBlock(anfang).blockNumber();
}

void Bytezeile::ErsetzeBytes(qsizetype anfang, qsizetype anzahl, const verschl::Text &neu)
{
    const qsizetype laenge = Laenge();
    anfang = std::clamp<qsizetype>(anfang, 0, laenge);
    anzahl = std::clamp<qsizetype>(anzahl, 0, laenge - anfang);
    QTextCursor cursor(document());
    cursor.setPosition(stelle(anfang));
    if (anzahl > 0)
        cursor.setPosition(stelle(anfang + anzahl - 1) + 1, QTextCursor::KeepAnchor);
    document()->setUndoRedoEnabled(false);
    ersetzeAuswahl(cursor, alsAnzeige(neu));
    document()->setUndoRedoEnabled(true);
}

QString Bytezeile::alsAnzeige(const verschl::Text &text) const
{
    return codepage::AlsZeichenkette(text);
}

verschl::Text Bytezeile::ausAnzeige(QStringView anzeige) const
{
    return codepage::AusZeichenkette(anzeige);
}

// Enter, with any modifier, belongs to the window, as in a line edit: the
// line never gets a break of its own.
bool Bytezeile::eigeneTaste(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return true;
    }
    return TextPane::eigeneTaste(event);
}

// Pasted and dropped text keeps every character as its byte, CR LF as two.
void Bytezeile::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText())
        fuegeEin(alsAnzeige(ausAnzeige(source->text())));
}

// One row shows, centred in the height like a line edit's text; the next
// block of a long line stays out of sight below.
void Bytezeile::resizeEvent(QResizeEvent *event)
{
    const int zeile = fontMetrics().height() + 2 * int(document()->documentMargin());
    const int frei = std::max(contentsRect().height() - zeile, 0);
    setViewportMargins(0, frei / 2, 0, frei - frei / 2);
    TextPane::resizeEvent(event);
}
