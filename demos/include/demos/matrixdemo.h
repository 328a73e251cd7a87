// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The matrix demonstration: the text written row by row into a grid of
// letter cells, with as many columns as the matrix transposition would use;
// read column by column, the grid gives the ciphertext. The window computes
// the matrix itself and sees the other windows only through their
// demonstration interfaces.

#include "bausteine/demofenster.h"
#include "cipher/verschl.h"

#include <QRect>

class Demohauptfenster;
class Demomethode;
class QLabel;
class QPushButton;
class QRadioButton;
class Spaltenzahlfeld;
class Textfeld;
class TStringAlignGrid;

// The shape of the matrix for a text of n bytes: `spalten` columns of the
// column field's count (at least 1), or as close to a square as n allows.
struct Matrixform
{
    int spalten = 1;
    int zeilen = 1;
    bool operator==(const Matrixform &) const = default;
};
Matrixform MatrixformFuer(qsizetype n, bool quadratisch, int spalten);

class TMatrixDemoForm : public Demofenster
{
    Q_OBJECT
public:
    // The designed area of the grid: fifteen cells of 20 pixels plus the frame.
    static constexpr int kFlaeche = 303;
    static constexpr int kStartZellen = 15;

    TMatrixDemoForm(Demohauptfenster &haupt, Demomethode &methode);
    ~TMatrixDemoForm() override;

    // Where the grid of that shape sits in the matrix area, scroll bars
    // included when a 16th column or row needs them.
    static QRect GitterPlatz(Matrixform form);

public Q_SLOTS:
    void RBQuadratischClick();
    void RBSpaltenzahlClick();
    void SpEdSpaltenzahlChange();
    void BAktualisierenClick();
    void BTextUebernehmenClick();
    void BLoeschenClick();
    void SAGridEnter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow() override;
    void erzeugeSteuerelemente();
    void verbindeHandler();
    // Back to the design: 15 x 15 empty cells, no scroll bars, the whole area.
    void leereGitter();

    Demohauptfenster &haupt;
    Demomethode &methode;

    // Others reach the controls by their object names.
    TStringAlignGrid *SAGrid = nullptr;
    QPushButton *BTextUebernehmen = nullptr;
    QLabel *LKlartext = nullptr;
    Textfeld *MKlartext = nullptr;
    QRadioButton *RBQuadratisch = nullptr;
    QRadioButton *RBSpaltenzahl = nullptr;
    Spaltenzahlfeld *SpEdSpaltenzahl = nullptr;
    QPushButton *BAktualisieren = nullptr;
    QPushButton *BLoeschen = nullptr;
    QPushButton *BSchliessen = nullptr;
};
