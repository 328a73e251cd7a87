// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Knacken – Schritt für Schritt": the pupils break the ciphertext pane's
// text themselves, one page per method, in numbered steps. Each step has a
// tip on what to look at and the engine's answer for the teacher to reveal;
// the key found goes over into the method window, and the last step
// decrypts into the plaintext pane as one step of its undo history.

#include "bausteine/demofenster.h"
#include "schnittstellen/fensterfabrik.h"

class Analyseuebernahme;
class Demohauptfenster;
class Knackhauptfenster;
class Knackseite;
class QLabel;
class QPushButton;
class QScrollArea;
class QTabWidget;

class TKnackenForm : public Demofenster
{
    Q_OBJECT
public:
    // A longer text is worked on its first this many letters.
    static constexpr std::size_t kHoechstBuchstaben = 2000;

    // All three must outlive the window; `art` names the page it opens on.
    TKnackenForm(Demohauptfenster &haupt, Knackhauptfenster &ziel, Analyseuebernahme &methode,
        Fensterart art = Fensterart::KnackenCaesar);
    ~TKnackenForm() override;

public Q_SLOTS:
    void BZurueckClick();
    void BWeiterClick();
    void BTippClick();
    void BLoesungClick();
    void BSchluesselUebernehmenClick();
    void BEntschluesselnClick();

protected:
    void FormShow() override;
    void passeAn(int hoehe) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void erzeugeSteuerelemente();
    // Ctrl+Tab and Ctrl+Shift+Tab wherever the focus is; Tab from the tab bar
    // into the open page, from its last control to the buttons below.
    void richteTastaturEin();
    void blaettere(int richtung);
    void zeigeHinweis(const QString &hinweis);
    Knackseite &seite() const;
    void geheZu(int schritt);
    // Buttons and the key line follow the open page and its step.
    void zeigeStand();

    Demohauptfenster &haupt;
    Knackhauptfenster &ziel;
    Analyseuebernahme &methode;

    // Others reach the controls by their object names.
    QLabel *LHinweis = nullptr;
    QScrollArea *Rolle = nullptr; // around the pages
    QTabWidget *Seiten = nullptr;
    QLabel *LHilfe = nullptr;
    QLabel *LSchluessel = nullptr;
    QPushButton *BZurueck = nullptr;
    QPushButton *BWeiter = nullptr;
    QPushButton *BTipp = nullptr;
    QPushButton *BLoesung = nullptr;
    QPushButton *BSchluesselUebernehmen = nullptr;
    QPushButton *BEntschluesseln = nullptr;
    QPushButton *BSchliessen = nullptr;
};
