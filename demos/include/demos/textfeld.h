#pragma once

// A multi-line text field of a demonstration. Its content is a Text; it is
// shown through the panes' lossless codec, so every byte 0..255 that goes in
// comes back out, a lone CR or LF and the no-break space included.

#include "cipher/verschl.h"

#include <QPlainTextEdit>

class Textfeld : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit Textfeld(QWidget *parent = nullptr);

    verschl::Text text() const;
    void setText(const verschl::Text &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
};
