// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Arbeitsblatt erstellen": a worksheet with its answer key from the
// plaintext pane (or a German example), for one of seven tasks, prepared as
// the teacher chooses, in up to 40 variants with keys of their own, with a
// preview, printing through the print preview and a PDF file, the answer
// key in a file of its own if wished.

#include "arbeitsblatt/blatt.h"

#include <memory>
#include <optional>
#include <QPrinter>
#include <QWidget>

class Demohauptfenster;
class Dialoge;
class Methodenfenster;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QPushButton;
class QSpinBox;
class QTextDocument;
class QTimer;
struct Druckauftrag;

class TArbeitsblattForm : public QWidget
{
    Q_OBJECT
public:
    // All three must outlive the window; the method window gives the start setting.
    TArbeitsblattForm(Demohauptfenster &haupt, Methodenfenster &methode, Dialoge &dialoge);
    ~TArbeitsblattForm() override;

public Q_SLOTS:
    void Aktualisieren();
    void BDruckenClick();
    void BPdfClick();

private:
    void erzeugeSteuerelemente();
    // An option has changed: the sheet is built again once changes settle.
    void geaendert();
    // Only the options of the chosen task can be set.
    void freigeben(Aufgabe aufgabe);
    void uebernimmMethode(const Methodenfenster &methode);
    void BZufallsalphabetClick();
    Blattwahl wahl() const;
    // The worksheet's plaintext: the pane's, or the example sentence with a
    // note why; nothing when the pane has no letters and no example is wanted.
    struct Vorlage
    {
        verschl::Text text;
        QString hinweis;
    };
    std::optional<Vorlage> klartext() const;
    // The current worksheet, or nothing after telling the user why.
    std::optional<Druckauftrag> auftrag();
    Druckauftrag auftragFuer(std::shared_ptr<QTextDocument> blatt);

    Demohauptfenster &haupt;
    Dialoge &dialoge;

    // Others reach the controls by their object names.
    QComboBox *CBAufgabe = nullptr;
    QSpinBox *SpVerschiebung = nullptr;
    QLineEdit *EdSchluessel = nullptr;
    QCheckBox *CBSonderzeichenIgnorieren = nullptr;
    QSpinBox *SpSpalten = nullptr;
    QCheckBox *CBLaengeVerraten = nullptr;
    QLineEdit *EdAlphabet = nullptr;
    QPushButton *BZufallsalphabet = nullptr;
    QCheckBox *CBStreifen = nullptr;
    QLineEdit *EdTitel = nullptr;
    QCheckBox *CBNamenszeile = nullptr;
    QCheckBox *CBLoesung = nullptr;
    QCheckBox *CBLoesungenGetrennt = nullptr;
    QCheckBox *CBBeispiel = nullptr;
    QCheckBox *CBUmlaute = nullptr;
    QCheckBox *CBGrossschrift = nullptr;
    QCheckBox *CBLeerzeichen = nullptr;
    QCheckBox *CBFuenfergruppen = nullptr;
    QComboBox *CBAntwortfeld = nullptr;
    QSpinBox *SpVarianten = nullptr;
    QComboBox *CBPapier = nullptr;
    QLabel *LHinweis = nullptr;
    QLabel *LStatus = nullptr;
    QPrintPreviewWidget *Vorschau = nullptr;
    QPushButton *BAktualisieren = nullptr;
    QPushButton *BDrucken = nullptr;
    QPushButton *BPdf = nullptr;
    QPushButton *BSchliessen = nullptr;
    QTimer *Aufschub = nullptr;

    QPrinter drucker;
    std::shared_ptr<QTextDocument> dokument;
};
