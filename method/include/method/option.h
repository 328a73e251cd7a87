// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The method window: the cipher method, its parameters and the plaintext
// preparations live in its controls, and whoever needs a setting reads the
// control at that moment.

#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <functional>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStyle;
class Spaltenzahlfeld;

class TOptionForm : public QWidget,
                    public Methodenfenster,
                    public Methodenablage,
                    public Demomethode,
                    public Analyseuebernahme
{
    Q_OBJECT
public:
    // `einstellungenLaden` fills the controls from the settings store; it runs
    // during FormCreate, after the presets and before the window to show is chosen.
    TOptionForm(Hauptfenster &haupt, std::function<void()> einstellungenLaden);
    ~TOptionForm() override;

    // Methodenfenster and Demomethode
    Methodeneinstellungen einstellungen() const override;
    void setGemerkteVerschiebung(int verschiebung) override;
    QWidget &fenster() override { return *this; }
    void setAenderungsmeldung(std::function<void()> meldung) override;

    // Spaltenzahlquelle
    int spaltenzahl() const override;
    void setSpaltenzahl(int spalten) override;
    bool quadratisch() const override;
    void setQuadratisch(bool quadratisch) override;

    // Methodenablage. Setting from code runs the same handlers as the user's
    // change would.
    bool schalter(const char *kaestchen) const override;
    void setSchalter(const char *kaestchen, bool an) override;
    Methode methode() const override;
    void setMethode(Methode methode) override;
    int GemerkteVerschiebung() const override { return gemerkteVerschiebung; }
    // Slider first (a new position runs TrackBarChange), then the list;
    // outside 0..25 is clamped.
    void setVerschiebung(int verschiebung) override;
    verschl::Text schluessel() const override;
    // Methodenablage and Demomethode
    void setSchluessel(const verschl::Text &schluessel) override;
    verschl::Text substitutionsschluessel() const override;
    // Taken as it is; the field cleans it only when the user leaves it.
    void setSubstitutionsschluessel(const verschl::Text &schluessel) override;

    // Demomethode
    int schieberegler() const override;
    void setSchieberegler(int position) override;
    int buchstabe() const override;
    void setBuchstabe(int index) override;
    verschl::Text schluesselfeld() const override;
    bool sonderzeichenIgnorieren() const override;
    void setSonderzeichenIgnorieren(bool ignorieren) override;

    // Analyseuebernahme
    void uebernimmCaesar(int verschiebung) override;
    void uebernimmVigenere(const verschl::Text &schluessel, bool sonderzeichenIgnorieren) override;
    void uebernimmMatrix(int spalten, bool quadratisch) override;
    void uebernimmSubstitution(const verschl::Text &alphabet) override;

    void FormCreate();

public Q_SLOTS:
    void RadioGroupClick();
    void TrackBarChange();
    void ComboBoxChange();
    void CBKleinClick();
    void CBGrossClick();
    void EdSchluesselExit();
    void EdSubstitutionExit();
    void BZufallsalphabetClick();
    void RBMatrixQuadratischClick();
    void RBMatrixManSpaltenClick();
    void SpEdSpaltenExit();
    void CBStayOnTopClick();
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether a key press may reach the key field.
    static bool EdSchluesselKeyPress(const QKeyEvent &taste);
    static QString verschiebungsText(int verschiebung);

    void erzeugeSteuerelemente();
    void erzeugeVerschiebung();
    void erzeugeMatrix();
    void erzeugeVigenere();
    void erzeugeSubstitution();
    // The plain alphabet over the cipher alphabet of the key as it stands.
    void zeigeGeheimalphabet();
    void erzeugeKlartextGruppe();
    void verbindeHandler();
    void verbindeAenderungsmeldung();
    // Visibility and enabled state of the per-method controls.
    void ordneAn(Methode methode);
    void zeigeNurMethodenfenster();

    // The controls are the settings: the window reads and writes them
    // directly; others reach them through the interfaces above, tests by
    // their object names.
    QGroupBox *RadioGroup = nullptr;
    QButtonGroup *RadioGroupItems = nullptr; // ids 0..5 are the method indexes
    QRadioButton *RBMatrixQuadratisch = nullptr;
    QRadioButton *RBMatrixManSpalten = nullptr;
    Spaltenzahlfeld *SpEdSpalten = nullptr;
    QComboBox *ComboBox = nullptr;
    QSlider *TrackBar = nullptr;
    QGroupBox *GBKlartext = nullptr;
    QCheckBox *CBKlein = nullptr;
    QCheckBox *CBGross = nullptr;
    QCheckBox *CBLeerzeichen = nullptr;
    QCheckBox *CBUmlauteErsetzen = nullptr;
    QCheckBox *CBSonderignorieren = nullptr;
    QLineEdit *EdSchluessel = nullptr;
    QCheckBox *CBStayOnTop = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *LVerschAusgabe = nullptr;
    QLabel *LSchluessel = nullptr;
    QFrame *Trennlinie = nullptr;
    QLabel *LSubstitution = nullptr;
    QLineEdit *EdSubstitution = nullptr;
    QLabel *LGeheimalphabet = nullptr;
    QPushButton *BZufallsalphabet = nullptr;

    Hauptfenster &haupt;
    std::function<void()> einstellungenLaden;
    std::function<void()> aenderungsmeldung;
    QStyle *rahmenStil = nullptr; // draws the group boxes' frames
    int gemerkteVerschiebung = 2;
};
