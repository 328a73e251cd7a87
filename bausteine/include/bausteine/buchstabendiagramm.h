// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A text's letters A-Z counted, as bars beside German's expected frequencies,
// both in percent, with the text's most frequent letter marked. Shifted by n,
// the text's bar of letter p + n stands over German's letter p: the shift
// that lays the two rows of bars over each other is a Caesar key.

#include "analyse/analyse.h"

#include <QWidget>

class Buchstabendiagramm : public QWidget
{
    Q_OBJECT
public:
    explicit Buchstabendiagramm(QWidget *eltern = nullptr);

    void setHaeufigkeiten(const analyse::Haeufigkeiten &haeufigkeiten);
    void setVerschiebung(int verschiebung); // taken modulo 26
    int Verschiebung() const { return verschiebung; }
    // Index A = 0 of the text's most frequent letter; -1 without letters.
    int HaeufigsterBuchstabe() const { return haeufigster; }
    // With it, the arrow keys ask for the next shift.
    void setVerschiebbar(bool verschiebbar);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void verschiebungGewaehlt(int verschiebung);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // What the chart shows, in words, for a screen reader.
    void beschreibe();
    double anteil(int buchstabe) const; // the text's share in percent

    analyse::Haeufigkeiten haeufigkeiten;
    int verschiebung = 0;
    int haeufigster = -1;
    bool verschiebbar = false;
};
