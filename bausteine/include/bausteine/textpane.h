// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text pane of the main window, and the base of the demonstrations' text
// fields: a Bytefeld, whose content is a Text shown through the lossless
// codec, so any bytes can be written and read back. A line longer than a few
// thousand characters is shown as several blocks: each block after the first
// continues the line without a line break.

#include "bausteine/bytefeld.h"

class TextPane : public Bytefeld
{
    Q_OBJECT
public:
    // Qt lays out only the blocks on screen, but each block as a whole: a
    // line of 16 Mi characters in one block took seconds and hundreds of MiB
    // before its first screen showed. A longer line is shown as blocks of
    // this many characters. Smaller blocks cost more when a large text
    // arrives, larger ones when a screenful of them is laid out (without word
    // wrap each block is one row). Short blocks also keep word wrap's look-
    // ahead for a break opportunity, slow in a line without any, and the
    // width of an unwrapped row small, so no line needs a wrap rule of its own.
    static constexpr qsizetype kStueck = 4096;
    // Qt keeps a text layout of some hundred bytes for every block once the
    // wrap width has changed, and lays out all blocks again then: a file of
    // millions of short lines took gigabytes and a minute. A text of more
    // lines than this shows its short lines together in blocks of up to
    // kStueck characters, separated by U+2028 LINE SEPARATOR, which the codec
    // never makes and which reads as a line break like any other. Fewer lines
    // keep a block each, so that a triple click still selects one line.
    static constexpr qsizetype kVieleZeilen = 50000;
    // Each step of the undo history keeps the whole text that a command
    // replaced: three steps of 64 MiB took 1.4 GB. Where the old or the new
    // text has more characters than this, only the latest replacement can be
    // undone.
    static constexpr qsizetype kNurEinSchritt = qsizetype { 4 } << 20;

    using Bytefeld::Bytefeld;

    // Replaces the whole text as one step of the undo history, so Ctrl+Z
    // brings the text before back; setText() starts a fresh history instead.
    void ersetze(const verschl::Text &text);

protected:
    void zeige(const QString &anzeige) override;
    void fuegeEin(const QString &anzeige) override;
    QString ohneWeicheUmbrueche(const QString &roh, int anfang) const override;
    bool eigeneTaste(QKeyEvent *event) override;
    // Inserts shown text in place of the cursor's selection, as one step of
    // the undo history; the cursor ends behind it.
    void ersetzeAuswahl(QTextCursor &cursor, const QString &anzeige);

private:
    bool loescheUeberFortsetzung(bool zurueck);
};
