// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Caesar demonstration: the plain alphabet above the shifted one, and a
// short text encrypted or decrypted one character per click, each letter's
// column marked after an optional running light along the alphabet. With a
// substitution chosen in the method window it shows that cipher alphabet
// instead of a shift, and steps through the text with it.

#include "bausteine/demofenster.h"
#include "cipher/verschl.h"

#include <optional>

class Bytezeile;
class Demohauptfenster;
class Demomethode;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;
class TStringAlignGrid;

class TCaesarDemoForm : public Demofenster
{
    Q_OBJECT
public:
    // Reads its starting shift or substitution alphabet from `methode` and
    // its starting text and animation settings from `haupt`; both must
    // outlive the window.
    TCaesarDemoForm(Demohauptfenster &haupt, Demomethode &methode);
    ~TCaesarDemoForm() override;

    // The stepping state, for whoever watches the window.
    int Schrittindex() const { return schrittindex; }
    int Auffuellzahl() const { return auffuellzahl; }
    bool RichtungVerschluesseln() const { return richtungVerschluesseln; }
    bool AnimationLaeuft() const { return animationLaeuft; }

public Q_SLOTS:
    void TrackBarChange();
    void ComboBoxChange();
    void BMehrClick();
    void SpBVerschluesselnClick();
    void SpBEntschluesselnClick();
    void BSchrittClick();
    void BRueckClick();
    void CBAnimationClick();
    void TBGeschwChange();
    void SAGridEnter();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void erzeugeSteuerelemente();
    void erzeugeEingabeteil();
    // In place of the shift controls, which an alphabet has no use for.
    void erzeugeVerfahrenszeile(const QString &zeile);
    void verbindeHandler();
    void FormCreate();

    void GibAlphabetAus();
    // One character or a text through the window's cipher, either way.
    verschl::Text wandle(const verschl::Text &text, bool verschluesseln) const;
    // False when the window was closed or deleted during the running light.
    bool markiere(int zeile, int spalte);
    void loeschemarkierung();
    // Blanks make the result as long as the input's `laenge` bytes.
    void FuelleErgebnisAuf(qsizetype laenge);
    void EntferneAuffuellung(verschl::Text &text);
    void wechsleRichtung(bool verschluesseln);
    void zeigeRichtung();
    void uebernimmVerschiebung(int verschiebung);

    // Byte i of the result becomes `zeichen`, and is shown selected.
    void setzeErgebnis(int i, char zeichen);

    Demohauptfenster &haupt;
    Demomethode &methode;

    // Others reach the controls by their object names.
    TStringAlignGrid *SAGrid = nullptr;
    QLabel *LAzu = nullptr;
    QComboBox *ComboBox = nullptr;
    QSlider *TrackBar = nullptr;
    QPushButton *BMehr = nullptr;
    QPushButton *BSchliessen = nullptr;
    QFrame *Trennlinie = nullptr;
    QLabel *LText1 = nullptr;
    Bytezeile *EdText1 = nullptr;
    QLabel *LText2 = nullptr;
    Bytezeile *EdText2 = nullptr;
    QToolButton *SpBVerschluesseln = nullptr;
    QToolButton *SpBEntschluesseln = nullptr;
    QPushButton *BSchritt = nullptr;
    QFrame *Rahmen = nullptr;
    QPushButton *BRueck = nullptr;
    QCheckBox *CBAnimation = nullptr;
    QSlider *TBGeschw = nullptr;
    QLabel *LVerfahren = nullptr; // only with a substitution alphabet

    // 26 cipher letters for A-Z; none: the shift of the slider.
    std::optional<verschl::Text> geheimalphabet;
    bool erweitert = false;

    int schrittindex = -1;
    int auffuellzahl = 0;
    bool richtungVerschluesseln = true;
    bool animationLaeuft = false;
    int markierteZeile = -1;
    int markierteSpalte = -1;
};
