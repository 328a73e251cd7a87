#pragma once

// A text pane of the main window. Its content is a Text; the widget shows it
// through the lossless codec, so any bytes can be written and read back.
// A line longer than a few thousand characters is shown as several blocks:
// each block after the first continues the line without a line break.

#include "cipher/verschl.h"

#include <QPlainTextEdit>

class TextPane : public QPlainTextEdit
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

    explicit TextPane(QWidget *parent = nullptr);

    verschl::Text text() const;
    // Replaces the whole text; emits textChanged() like any edit.
    void setText(const verschl::Text &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    void fuegeEin(const QString &anzeige);
    bool loescheUeberFortsetzung(bool zurueck);
    QString ohneWeicheUmbrueche(const QString &roh, int anfang) const;
};
