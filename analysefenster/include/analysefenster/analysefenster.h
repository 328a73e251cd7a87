// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Geheimtext analysieren": breaks the ciphertext pane as a lesson would. Letter
// frequencies beside German's with a slider to line them up, the 26 Caesar
// shifts scored, the Vigenère key length and key, the transposition's column
// count, the substitution's alphabet; every finding with its confidence, and
// a button that takes it over into the method window. The analysis runs on a
// worker thread; a window closed meanwhile simply drops its result.

#include "analysefenster/auswertung.h"
#include "schnittstellen/fensterfabrik.h"

#include <atomic>
#include <memory>
#include <QFutureWatcher>
#include <QWidget>

class Analyseuebernahme;
class Demohauptfenster;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QTreeWidget;
class Saeulendiagramm;
class Schluesselzeilen;

class TAnalyseForm : public QWidget
{
    Q_OBJECT
public:
    // Both must outlive the window.
    TAnalyseForm(Demohauptfenster &haupt, Analyseuebernahme &methode);
    ~TAnalyseForm() override;

    bool Laeuft() const { return laeuft; }

Q_SIGNALS:
    // The pupils want to find the key themselves, step by step.
    void knacken(Fensterart art);

public Q_SLOTS:
    void BNeuAnalysierenClick();
    void TBVerschiebungChange();
    void BVerschiebungUebernehmenClick();
    void BSchluesselUebernehmenClick();
    void LVVigenereChange();
    void EdVigenereSchluesselChange();
    void BSpaltenzahlUebernehmenClick();
    void MSchluesselzeilenClick(int stelle);
    void EdSubstitutionAlphabetEdited();
    void MSubstitutionszeilenClick(int stelle);
    void BSubstitutionUebernehmenClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // analysefenster_layout.cpp
    void erzeugeSteuerelemente();
    QWidget *erzeugeHaeufigkeitsseite();
    QWidget *erzeugeCaesarseite();
    QWidget *erzeugeVigenereseite();
    QWidget *erzeugeMatrixseite();
    QWidget *erzeugeSubstitutionsseite();
    void setzeTabulatorfolge();
    void knackknopf(QWidget *seite, const char *name, Fensterart art);

    void fertig();
    // Shows what there is; a window without a result has its parts disabled.
    void setzeErgebnisbereit(bool bereit);
    void zeigeCaesar();
    QString zuWenigFuer(const QString &verfahren) const;
    void zeigeVigenere();
    void zeigeMatrix();
    void zeigeSubstitution();
    // analysefenster_substitution.cpp
    void setzeSubstitutionsalphabet(const verschl::Text &alphabet);

    Demohauptfenster &haupt;
    Analyseuebernahme &methode;

    // Others reach the controls by their object names.
    QLabel *LStatus = nullptr; // progress, the result in brief, or why there is none
    QProgressBar *Fortschritt = nullptr;
    QPushButton *BNeuAnalysieren = nullptr;
    QPushButton *BSchliessen = nullptr;
    QTabWidget *Seiten = nullptr;

    Saeulendiagramm *DHaeufigkeiten = nullptr;
    QSlider *TBVerschiebung = nullptr;
    QLabel *LVerschiebung = nullptr;

    QLabel *LCaesar = nullptr;
    QTreeWidget *LVCaesar = nullptr;
    QPushButton *BVerschiebungUebernehmen = nullptr;

    Saeulendiagramm *DSchluessellaengen = nullptr;
    QLabel *LVigenere = nullptr;
    QTreeWidget *LVVigenere = nullptr;
    // The chosen key, to be mended letter by letter; the rows below show
    // the ciphertext's beginning with it at every change, and the take-over
    // takes it as it stands.
    QLineEdit *EdVigenereSchluessel = nullptr;
    Schluesselzeilen *MSchluesselzeilen = nullptr;
    QPushButton *BSchluesselUebernehmen = nullptr;

    QLabel *LMatrix = nullptr;
    QTreeWidget *LVMatrix = nullptr;
    QPushButton *BSpaltenzahlUebernehmen = nullptr;

    QLabel *LSubstitution = nullptr;
    QLineEdit *EdKlaralphabet = nullptr; // A-Z, above the cipher letters
    // The cipher letter of each plain letter above it, to be mended letter
    // by letter as the Vigenère key is.
    QLineEdit *EdSubstitutionAlphabet = nullptr;
    Schluesselzeilen *MSubstitutionszeilen = nullptr;
    QPushButton *BSubstitutionUebernehmen = nullptr;

    auswertung::Auswertung auswertung;
    bool laeuft = false;
    bool vigenereIgnorieren = true; // the way of the key being edited
    // As the field shows it, 26 places of A-Z or '?'; empty without a result.
    verschl::Text substitutionsalphabet;
    // Shared with the running worker, which outlives a closed window.
    std::shared_ptr<std::atomic<bool>> abbrechen;
    QFutureWatcher<auswertung::Auswertung> waechter;
};
