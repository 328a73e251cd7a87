#pragma once

// A text pane of the main window. Its content is a Text; the widget shows it
// through the lossless codec, so any bytes can be written and read back.
// Word wrap breaks at word boundaries, or anywhere while the text holds a run
// without a break opportunity that is longer than any word. A line too long
// to be laid out unwrapped wraps even with word wrap off.

#include "cipher/verschl.h"

#include <QPlainTextEdit>

class TextPane : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit TextPane(QWidget *parent = nullptr);

    verschl::Text text() const;
    // Replaces the whole text; emits textChanged() like any edit.
    void setText(const verschl::Text &text);
    // The word wrap command; use it instead of setLineWrapMode().
    void setzeZeilenumbruch(bool an);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void setzeUeberlang(bool ja);
    void wendeZeilenumbruchAn();

    bool zeilenumbruch = true;
    bool ueberlang = false;
};
