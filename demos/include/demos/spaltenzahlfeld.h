// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The column-count field of the matrix demonstration. The user may type any
// text; the count it stands for is read with the method window's rule, and
// leaving the field corrects the text to that count.

#include <QSpinBox>

class QLineEdit;

class Spaltenzahlfeld : public QSpinBox
{
    Q_OBJECT
public:
    static constexpr int kMin = 1;
    static constexpr int kMax = 100;

    explicit Spaltenzahlfeld(QWidget *parent = nullptr);

    // The count the text stands for: clamped into 1..100, a text that is not
    // a whole number counts as 1.
    int spaltenzahl() const;
    static int spaltenzahlAus(QStringView text);

    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;

Q_SIGNALS:
    // Every change of the shown text, each keystroke included, and also
    // changes from code; none when the text stays the same.
    void textGeaendert();
};
