// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The column-count field of the matrix transposition, in the method window
// and in the matrix demonstration. The user may type any text, 0 and 250
// included; it is corrected into 1..100 when the field is left, not while
// typing.

#include "schnittstellen/einstellungstabelle.h"

#include <QSpinBox>

class Spaltenzahlfeld : public QSpinBox
{
    Q_OBJECT
public:
    static constexpr int kMin = einstellung::min(u"Spaltenzahl");
    static constexpr int kMax = einstellung::max(u"Spaltenzahl");

    explicit Spaltenzahlfeld(QWidget *parent = nullptr);

    // The count the text stands for, as leaving the field will make it:
    // clamped into 1..100, a text that is no whole number counts as 1.
    int spaltenzahl() const;
    // The same, but a count above 100 stands as typed until the field is
    // left: the method window's cipher takes it so.
    int getippteSpaltenzahl() const;

    QValidator::State validate(QString &text, int &pos) const override;
    void fixup(QString &text) const override;

Q_SIGNALS:
    // Every change of the shown text, each keystroke included, and also
    // changes from code; none when the text stays the same.
    void textGeaendert();
    // Sent before the spin box's own handling of the focus loss.
    void verlassen();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
