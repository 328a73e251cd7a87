// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A one-line field for any Text: one character per byte, CR and LF shown as
// their stand-ins, so byte i is character i of the line. Like the panes it
// shows a long line in blocks, so that neither showing nor changing a byte
// lays out the whole line; the byte positions below see through them.

#include "bausteine/textpane.h"

class Bytezeile : public TextPane
{
    Q_OBJECT
public:
    explicit Bytezeile(QWidget *parent = nullptr);

    // The text's length in bytes, and one of its bytes.
    qsizetype Laenge() const;
    char ByteAn(qsizetype i) const;
    // Selects bytes and shows them; the cursor ends behind them.
    void WaehleBytes(qsizetype anfang, qsizetype anzahl);
    void deselect();
    // The first selected byte, or -1 without a selection.
    qsizetype AuswahlAnfang() const;
    bool hatAuswahl() const { return textCursor().hasSelection(); }
    // Puts `neu` in place of `anzahl` bytes from `anfang` (as far as the
    // text reaches); as a text set from outside, it leaves nothing to undo.
    void ErsetzeBytes(qsizetype anfang, qsizetype anzahl, const verschl::Text &neu);

protected:
    QString alsAnzeige(const verschl::Text &text) const override;
    verschl::Text ausAnzeige(QStringView anzeige) const override;
    bool eigeneTaste(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int stelle(qsizetype byte) const;
};
