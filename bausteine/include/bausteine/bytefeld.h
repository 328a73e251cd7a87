// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A multi-line field whose content is a Text. It shows the text through the
// panes' lossless codec, so every byte 0..255 that goes in comes back out, a
// lone CR or LF and the no-break space included; typed, pasted and dropped
// text is held to the same bytes. Tab leaves the field.
//
// A field that shows its text differently from how it holds it (the main
// window's panes split long lines into several blocks) overrides the hooks.

#include "cipher/verschl.h"

#include <QPlainTextEdit>

class Bytefeld : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit Bytefeld(QWidget *parent = nullptr);

    verschl::Text text() const;
    // The text's beginning: what the first `zeichen` shown characters hold,
    // read without converting the rest.
    verschl::Text anfang(int zeichen) const;
    // How many characters the field shows, every break between two of its
    // blocks counted as one.
    int zeichenzahl() const;
    // Replaces the whole text; emits textChanged() like any edit.
    void setText(const verschl::Text &text);

protected:
    // The codec between the Text and what the field shows: the panes' one,
    // where CR LF is a line break.
    virtual QString alsAnzeige(const verschl::Text &text) const;
    virtual verschl::Text ausAnzeige(QStringView anzeige) const;
    // Shows `anzeige`, the codec's form of a whole text, as the document.
    virtual void zeige(const QString &anzeige);
    // Inserts shown text in place of the selection, as one step of the undo
    // history.
    virtual void fuegeEin(const QString &anzeige);
    // Raw document text that starts at position `anfang`, with the line
    // breaks of the text only.
    virtual QString ohneWeicheUmbrueche(const QString &roh, int anfang) const;
    // A key the field handles itself instead of the editor's default; the
    // window's Alt keys never get here.
    virtual bool eigeneTaste(QKeyEvent *event);

    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
};
