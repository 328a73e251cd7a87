// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaking the matrix transposition: the ciphertext written into grids of 2,
// 3, … columns and read row by row, until the rows read German. The column
// count that the square layout would take is marked.

#include "knacken/knackseite.h"

class QLabel;
class QPlainTextEdit;
class QSpinBox;

class Matrixseite : public Knackseite
{
    Q_OBJECT
public:
    explicit Matrixseite(verschl::Text geheim, QWidget *eltern = nullptr);

    QString zeigeLoesung() override;
    QString Schluessel() const override;
    void uebernimmSchluessel(Analyseuebernahme &methode) const override;
    verschl::Text entschluessele(const verschl::Text &ganz) const override;

private:
    void zeigeGitter();
    int Spalten() const;
    int Quadratisch() const;

    QSpinBox *SpEdSpalten = nullptr;
    QLabel *LForm = nullptr;
    QPlainTextEdit *MGitter = nullptr;
    QPlainTextEdit *MZeilen = nullptr;
};
