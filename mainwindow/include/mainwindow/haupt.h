// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window: the two text panes and their files, encrypt and decrypt,
// the command line, the method-window toggle, menus, tool bar and view
// commands. Its implementation is split by concern: haupt.cpp (construction
// and layout), haupt_start.cpp, haupt_verschl.cpp, haupt_dateien.cpp,
// haupt_ansicht.cpp.

#include "cipher/verschl.h"
#include "platform/textdatei.h"
#include "schnittstellen/darstellung.h"
#include "schnittstellen/einstellungstabelle.h"
#include "schnittstellen/hauptablage.h"
#include "schnittstellen/hauptfenster.h"

#include <optional>
#include <QColor>
#include <QMainWindow>
#include <QStringList>

class Dialoge;
struct Druckauftrag;
class QFont;
class Einstellungsspeicher;
class Fensterfabrik;
class Methodenfenster;
struct Methodeneinstellungen;
class TextPane;
class QAction;
class QActionGroup;
class QDataStream;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;

class THauptform : public QMainWindow,
                   public Hauptfenster,
                   public Demohauptfenster,
                   public Knackhauptfenster,
                   public Hauptablage
{
    Q_OBJECT
public:
    // `argumente` are the command-line arguments after the program name.
    THauptform(Dialoge &dialoge, Fensterfabrik &fabrik, const QStringList &argumente);

    // Wired once by the program start, before the method window shows anything.
    void setMethodenfenster(Methodenfenster &fenster, Einstellungsspeicher &speicher);

    // Hauptfenster
    bool NurMethodenfenster() const override { return nurMethodenfenster; }
    void MethodenfensterGeschlossen() override;
    void zeigen() override;
    void ausserSicht() override;

    // Demohauptfenster
    verschl::Text klartext() const override;
    verschl::Text chiffre() const override;
    bool DemoOptionenUebernehmen() const override;
    DemoEinstellungen demoEinstellungen() const override;
    void setDemoEinstellungen(const DemoEinstellungen &einstellungen) override;

    // Knackhauptfenster
    int chiffreZeichen() const override;
    verschl::Text chiffreAnfang(int zeichen) const override;
    void schreibeKlartext(const verschl::Text &text) override;

    // Hauptablage
    bool haken(const char *aktion) const override;
    void setHaken(const char *aktion, bool an) override;
    int auswahl(const char *gruppe) const override;
    bool setAuswahl(const char *gruppe, int wert) override;
    void setImSpeicher(bool an) override;
    QString pfad() const override { return Pfad; }
    void setPfad(const QString &pfad) override { Pfad = pfad; }
    QFont schrift() const override;
    void setSchrift(const QFont &schrift) override;
    void zeigeFehler(const QString &meldung) override;

    // The file name of a pane that has no file yet.
    static inline const QString Unbenannt = QStringLiteral("unbenannt.txt");

    // A pane's file state, for checks.
    enum class Bereich { Klartext, Chiffre };
    const QString &datei(Bereich bereich) const;
    bool geaendert(Bereich bereich) const;
    // For tests that start from a pane with a file: the state an open or a
    // save leaves.
    void setzeDatei(Bereich bereich, const QString &datei, bool geaendert);
    bool methodenfensterOffen() const { return MethodenfensterOffen; }
    // Whether "-firstoption" still waits for the first showing.
    bool methodenfensterZuerst() const { return MethodenfensterZuerst; }

public Q_SLOTS:
    void BVerschluesselnClick();
    void BEntschluesselnClick();
    void BOptionenClick();
    void Beenden1Click();

    void Klartextffnen1Click();
    bool Klartextspeichern1Click();
    bool Klartextspeichernunter1Click();
    void Chiffreffnen1Click();
    bool Chiffrespeichern1Click();
    bool Chriffrespeichernunter1Click();
    void MMKlartextloeschenClick();
    void MMChiffreloeschenClick();

    void TextetauschenClick();
    void SchriftartwaehlenClick();
    void ZeilenumbruchautomatischClick();
    void MMHintergrundfarbigClick();
    void MMDemoOptUebernehmenClick();
    void StatusBar1Click();
    void LMethodeClick();
    void MatrixVerschlsselung1Click();
    void CaesarVerschlsselung1Click();
    void VigenreMatrix1Click();
    void MAnalyseClick();
    void MKnackenClick();
    void Ueber1Click();
    void Liesmich1Click();
    void OptInRegistryClick();

public:
    bool PruefeKlartextGespeichert();
    bool PruefeChiffreGespeichert();
    bool PruefeBeideGespeichert();
    bool UeberschreibenErlaubt(const QString &pfad);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One pane with its file state and its own words, so that both panes run
    // the same file code.
    struct Seite
    {
        TextPane &pane;
        QString &datei;
        bool &geaendert;
        QString &ordner;
        textdatei::Kodierung &kodierung;
        QString oeffnenTitel;
        QString speichernTitel;
        QString frage;
    };
    Seite klartextSeite();
    Seite chiffreSeite();
    void oeffne(const Seite &seite);
    bool speichere(const Seite &seite);
    bool speichereUnter(const Seite &seite);
    bool schreibeDatei(const Seite &seite, const QString &pfad, textdatei::Kodierung gewuenscht);
    // The open error for a file over textdatei::Hoechstgroesse, named as given.
    static QString ZuGrossMeldung(const QString &datei);
    void loesche(const Seite &seite);
    static void setzeGeaendert(const Seite &seite, bool geaendert);
    bool pruefeGespeichert(const Seite &seite);
    // The pane labels name the encoding of a UTF-8 file.
    void zeigeKodierung();

    void erzeugeSteuerelemente();
    void erzeugeAktionen();
    void erzeugeMenues();
    void erzeugeWerkzeugleiste();
    void erzeugePopupMenue();
    void erzeugeStatuszeile();
    template <typename Handler>
    QAction *aktion(const char *name, const QString &text, int bild, Handler handler);
    QAction *schalter(
        const char *name, const QString &text, bool an, void (THauptform::*handler)());

    void FormCreate(const QStringList &argumente);
    void FormShow();
    void FormResize();
    void FormCloseQuery(QCloseEvent *event);
    void FormMouseDown(QMouseEvent *event);
    void platziereFenster(QSize groesse, std::optional<QPoint> ort = std::nullopt);
    void DemoRichtlinieAnwenden();
    void AnalyseRichtlinieAnwenden();
    void KommandozeileAuswerten(const QStringList &argumente);
    void setzeMethodenfensterAnzeige(bool offen);
    void platziereMethodenfenster();
    void wendeFarbenAn();
    bool menueKuerzel(const QKeyEvent *taste) const;
    void naechstesMenue();

    // A command writes a pane only when the text differs, as one step of the
    // pane's undo history; the pane's change signal then runs the change rule.
    static void schreibe(TextPane &pane, const verschl::Text &text);
    // The method line right of the ciphertext caption, elided to the gap.
    void zeigeMethode();
    void MKlarChange();
    void MChiffreChange();

    // Pane file state.
    QString KlartextDatei = Unbenannt;
    QString ChiffreDatei = Unbenannt;
    bool KlartextGeaendert = false;
    bool ChiffreGeaendert = false;
    // The shared starting folder of all file dialogs.
    QString Pfad;
    // The folder of each pane's own file: a quick save writes there, so it
    // never lands beside an unrelated file of the same name.
    QString KlartextOrdner;
    QString ChiffreOrdner;
    // The encoding of each pane's file: what it was opened in or last saved
    // in; a quick save writes it again.
    textdatei::Kodierung KlartextKodierung = textdatei::Kodierung::Windows1252;
    textdatei::Kodierung ChiffreKodierung = textdatei::Kodierung::Windows1252;

    // Read and written by the demonstrations.
    DemoEinstellungen demo;

    bool MethodenfensterOffen = false;
    bool MethodenfensterZuerst = false;
    bool WordWrap = einstellung::standardAn(u"WordWrap");

    Dialoge &dialoge;
    Fensterfabrik &fabrik;
    Methodenfenster *methodenfenster = nullptr;
    Einstellungsspeicher *einstellungen = nullptr;
    bool nurMethodenfenster = false;
    QColor schriftfarbe; // invalid: the desktop's text colour
    int letztesMenueKuerzel = -1;

    TextPane *MKlar = nullptr;
    TextPane *MChiffre = nullptr;
    QLabel *LKlartext = nullptr;
    QLabel *Lchiffre = nullptr;
    QLabel *LMethode = nullptr;
    QPushButton *BVerschluesseln = nullptr;
    QPushButton *BEntschluesseln = nullptr;
    QPushButton *BOptionen = nullptr;
    QPushButton *BBeenden = nullptr;
    QWidget *arbeitsflaeche = nullptr;
    QLabel *StatusBar1 = nullptr;

    QToolBar *ToolBar = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QMenu *Datei1 = nullptr;
    QMenu *Demos1 = nullptr;

    QAction *Klartextffnen1 = nullptr;
    QAction *Klartextspeichern1 = nullptr;
    QAction *Klartextspeichernunter1 = nullptr;
    QAction *Chiffreffnen1 = nullptr;
    QAction *Chiffrespeichern1 = nullptr;
    QAction *Chriffrespeichernunter1 = nullptr;
    QAction *Beenden1 = nullptr;
    QAction *MMKlartextloeschen = nullptr;
    QAction *MMChiffreloeschen = nullptr;
    QAction *Textetauschen = nullptr;
    QAction *Schriftartwaehlen = nullptr;
    QAction *Zeilenumbruchautomatisch = nullptr;
    QAction *MMHintergrundfarbig = nullptr;
    QAction *MMVerschluesseln = nullptr;
    QAction *MMEntschluesseln = nullptr;
    QAction *Optionsfester = nullptr;
    QAction *MAnalyse = nullptr;
    QAction *MKnacken = nullptr;
    QAction *MatrixVerschlsselung1 = nullptr;
    QAction *CaesarVerschlsselung1 = nullptr;
    QAction *VigenreMatrix1 = nullptr;
    QAction *SMNichtgespeichertWarnung = nullptr;
    QAction *SMUeberschreibwarnung = nullptr;
    QAction *MMDemoOptUebernehmen = nullptr;
    QAction *OptInRegistry = nullptr;
    QAction *Liesmich1 = nullptr;
    QAction *ber1 = nullptr;
    QAction *PopMenueTrennstrich = nullptr;
    QAction *PopMDemoMatrix = nullptr;
    QAction *PopMDemoCaesar = nullptr;
    QAction *PopMDemoVigenere = nullptr;

    // The Darstellungsgröße and the restart that brings it (haupt_darstellung.cpp).
public:
    // Takes over what a program restarted for another Darstellungsgröße left
    // in the file `pfad`, and deletes the file. False, with nothing taken
    // and the file left alone, for a file that is not such a carry-over.
    bool Uebernehmen(const QString &pfad);

private:
    void erzeugeDarstellungsmenue(QMenu *ansicht);
    void DarstellungsgroesseClick(QAction *gewaehlt);
    bool starteNeu(int prozent);
    void Uebergeben(QDataStream &aus);
    void uebernimmSeite(QDataStream &ein, const Seite &seite);
    // The size this run is drawn at; a click only asks for a restart.
    const int laufendeGroesse = darstellung::Laufend();
    QActionGroup *Darstellungsgroesse = nullptr;

    // Paper: printing the texts and the worksheet maker (haupt_drucken.cpp).
public Q_SLOTS:
    void DruckenClick();
    void AlsPdfSpeichernClick();
    void ArbeitsblattClick();

private:
    Druckauftrag textauftrag();
    QAction *Drucken1 = nullptr;
    QAction *AlsPdfSpeichern1 = nullptr;
    QAction *MArbeitsblatt = nullptr;
};
