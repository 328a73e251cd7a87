// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Vigenère demonstration: the 26 x 26 table, and a short text encrypted
// or decrypted one character per click. Each letter's key row and plaintext
// column are found by a running light, then marked with the result cell,
// which may blink.

#include "bausteine/demofenster.h"
#include "cipher/verschl.h"

class Bytezeile;
class Demohauptfenster;
class Demomethode;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;
class TStringAlignGrid;

class TVMatrixForm : public Demofenster
{
    Q_OBJECT
public:
    // Reads its key and flag from `methode`, its text and animation settings
    // from `haupt`; both must outlive the window.
    TVMatrixForm(Demohauptfenster &haupt, Demomethode &methode);
    ~TVMatrixForm() override;

    // The key that stands in for a key without letters.
    static constexpr char kErsatzschluessel[] = "Sonnenbahn";

    // Fits the window into `hoehe` pixels, as far as its controls allow: on a
    // screen too low for its designed height (at a large Darstellungsgröße)
    // the table's rows give up height, and the close button stays at the
    // bottom. At the designed height or more it is as designed.
    void passeAn(int hoehe) override;

    // The stepping state, for whoever watches the window.
    bool ModusVerschluesseln() const { return modusVerschluesseln; }
    int TextPos() const { return textPos; }
    int SchluesselPos() const { return schluesselPos; }
    int MarkZeile() const { return markZeile; }
    int MarkSpalte() const { return markSpalte; }
    int Fuellzeichen() const { return fuellzeichen; }
    int BlinkZaehler() const { return blinkZaehler; }
    bool AnimationLaeuft() const { return animationLaeuft; }

public Q_SLOTS:
    void CBEditSperrenClick();
    void SpBVerschluesselnClick();
    void SpBEntschluesselnClick();
    void EdSchluesselExit();
    void TextChange();
    void BSchrittClick();
    void CBSonderzeichenIgnorierenClick();
    void CBMitBlinkenClick();
    void CBAnimationClick();
    void TrackBarChange();
    void BRueckClick();
    void BUmlauteClick();
    void BLeerzeichenClick();
    void BKleinClick();
    void BGrossClick();
    void BlinkAnTimer();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void erzeugeSteuerelemente();
    void erzeugeTextknoepfe();
    void verbindeHandler();
    void FormCreate();

    void wechsleModus(bool verschluesseln);
    void wandleTexte(verschl::Text (*funktion)(const verschl::Text &));
    bool EdSchluesselKeyPress(const QKeyEvent &taste) const;
    void schiebeFokusWeiter(QObject *feld);
    verschl::Text gesaeuberterSchluessel() const;
    void schreibeAusgabe(const verschl::Text &neu, qsizetype laenge);

    // False when the window was closed or deleted during the running light.
    bool markiere(int zeile, int spalte);
    void loescheMarkierung();
    // Shows one stop of the running light; `vorher` is the cell it leaves, if any.
    bool zeigePosition(int spalte, int zeile, const QPoint *vorher);
    void loescheZelle(int spalte, int zeile);

    Demohauptfenster &haupt;
    Demomethode &methode;

    // Others reach the controls by their object names.
    TStringAlignGrid *StrAGrVMatrix = nullptr;
    QCheckBox *CBEditSperren = nullptr;
    QToolButton *SpBVerschluesseln = nullptr;
    QToolButton *SpBEntschluesseln = nullptr;
    QLabel *LSchluessel = nullptr;
    QLineEdit *EdSchluessel = nullptr;
    QLabel *LText1 = nullptr;
    Bytezeile *EdText1 = nullptr;
    QLabel *LText2 = nullptr;
    Bytezeile *EdText2 = nullptr;
    QPushButton *BSchritt = nullptr;
    QCheckBox *CBSonderzeichenIgnorieren = nullptr;
    QCheckBox *CBMitBlinken = nullptr;
    QCheckBox *CBAnimation = nullptr;
    QSlider *TrackBar = nullptr;
    QPushButton *BRueck = nullptr;
    QPushButton *BUmlaute = nullptr;
    QPushButton *BLeerzeichen = nullptr;
    QPushButton *BKlein = nullptr;
    QPushButton *BGross = nullptr;
    QPushButton *BSchliessen = nullptr;
    QTimer *BlinkAn = nullptr;

    bool modusVerschluesseln = true;
    int textPos = -1;
    int schluesselPos = -1;
    int markZeile = -1;
    int markSpalte = -1;
    int fuellzeichen = 0;
    int blinkZaehler = 0;
    bool animationLaeuft = false;
};
