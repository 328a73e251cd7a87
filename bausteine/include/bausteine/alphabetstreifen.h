// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Two alphabets one above the other: the plain one stays, the cipher one
// below slides. At shift n plain letter p stands over cipher letter p + n, as
// a Caesar shift by n encrypts. The pupil slides it by dragging the lower
// row, with the arrow keys (the row moves the way the arrow points), or by
// choosing the shift from the list beside it.

#include <QWidget>

class QComboBox;

class Alphabetstreifen : public QWidget
{
    Q_OBJECT
public:
    explicit Alphabetstreifen(QWidget *eltern = nullptr);

    int Verschiebung() const { return verschiebung; }
    // Taken modulo 26; verschiebungGeaendert follows a change from code too.
    void setVerschiebung(int verschiebung);

Q_SIGNALS:
    void verschiebungGeaendert(int verschiebung);

private:
    class Streifen;
    Streifen *streifen = nullptr;
    QComboBox *liste = nullptr;
    int verschiebung = 0;
};
