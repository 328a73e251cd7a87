// SPDX-License-Identifier: GPL-3.0-or-later
// Text files of the two panes: open, save, save as, clear, the unsaved-text
// and overwrite questions, and the close query.

#include "bausteine/textpane.h"
#include "mainwindow/einstellungen.h"
#include "mainwindow/haupt.h"
#include "platform/dateiname.h"
#include "platform/textdatei.h"
#include "schnittstellen/dialoge.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QSignalBlocker>
#include <QTextDocument>

namespace {

// The folder part of a path, ending with the separator.
QString ordnerVon(const QString &pfad)
{
    return QDir::toNativeSeparators(QFileInfo(pfad).absolutePath() + QLatin1Char('/'));
}

// Why a file that would not open to its text again was not written.
QString nichtGespeichertMeldung(const QString &datei, textdatei::Hindernis hindernis)
{
    const QString grund = [hindernis] {
        switch (hindernis) {
        case textdatei::Hindernis::ZuGross:
            return QStringLiteral(" wäre zu groß (über 64 MiB) und wurde nicht gespeichert.");
        case textdatei::Hindernis::ZeilenendenZuGross:
            return QStringLiteral(" wurde nicht gespeichert: Beim Öffnen bekäme ihr Text CR LF "
                                  "als Zeilenenden und wäre dann zu groß (über 64 MiB).");
        case textdatei::Hindernis::Utf8ZuGross:
            return QStringLiteral(" wurde nicht gespeichert: Als Windows-1252 läse sich der Text "
                                  "beim Öffnen als UTF-8 und käme verändert zurück, als UTF-8 "
                                  "wäre die Datei zu groß (über 64 MiB).");
        }
        return QString();
    }();
    return QStringLiteral("Die Datei ") + dateiname::FuerMeldung(datei) + grund;
}

// Opening reads a file whose line ends are all lone LF or all lone CR as a
// Unix or Mac text file; a ciphertext would then no longer decrypt.
QString zeilenendenFrage(const QString &datei, char zeilenende)
{
    const QString ende = zeilenende == '\n' ? QStringLiteral("Zeilenvorschub (LF)")
                                            : QStringLiteral("Wagenrücklauf (CR)");
    return QStringLiteral("Die Datei ") + dateiname::FuerMeldung(datei)
        + QStringLiteral(" öffnet nicht genau so wieder: Jeder einzelne ") + ende
        + QStringLiteral(" im Text wird beim Öffnen zu CR LF, und eine Chiffre lässt sich dann "
                         "nicht mehr richtig entschlüsseln. Trotzdem speichern?");
}

} // namespace

QString THauptform::ZuGrossMeldung(const QString &datei)
{
    return QStringLiteral("Die Datei ") + dateiname::FuerMeldung(datei)
        + QStringLiteral(" ist zu groß (über 64 MiB).");
}

THauptform::Seite THauptform::klartextSeite()
{
    return { *MKlar, KlartextDatei, KlartextGeaendert, KlartextOrdner, KlartextKodierung,
        QStringLiteral("Klartext öffnen"), QStringLiteral("Klartext speichern unter"),
        QStringLiteral("Der Klartext wurde noch nicht gespeichert. Jetzt speichern?") };
}

THauptform::Seite THauptform::chiffreSeite()
{
    return { *MChiffre, ChiffreDatei, ChiffreGeaendert, ChiffreOrdner, ChiffreKodierung,
        QStringLiteral("Chiffre öffnen"), QStringLiteral("Chiffre speichern unter"),
        QStringLiteral("Die Chiffre wurde noch nicht gespeichert. Jetzt speichern?") };
}

const QString &THauptform::datei(Bereich bereich) const
{
    return bereich == Bereich::Klartext ? KlartextDatei : ChiffreDatei;
}

bool THauptform::geaendert(Bereich bereich) const
{
    return bereich == Bereich::Klartext ? KlartextGeaendert : ChiffreGeaendert;
}

void THauptform::setzeDatei(Bereich bereich, const QString &datei, bool geaendert)
{
    const Seite seite = bereich == Bereich::Klartext ? klartextSeite() : chiffreSeite();
    seite.datei = datei;
    setzeGeaendert(seite, geaendert);
}

// The unchanged state is also the document's, so that undoing back to this
// text finds it unchanged again.
void THauptform::setzeGeaendert(const Seite &seite, bool geaendert)
{
    seite.geaendert = geaendert;
    seite.pane.document()->setModified(geaendert);
}

void THauptform::Klartextffnen1Click() { oeffne(klartextSeite()); }
bool THauptform::Klartextspeichern1Click() { return speichere(klartextSeite()); }
bool THauptform::Klartextspeichernunter1Click() { return speichereUnter(klartextSeite()); }
void THauptform::Chiffreffnen1Click() { oeffne(chiffreSeite()); }
bool THauptform::Chiffrespeichern1Click() { return speichere(chiffreSeite()); }
bool THauptform::Chriffrespeichernunter1Click() { return speichereUnter(chiffreSeite()); }
void THauptform::MMKlartextloeschenClick() { loesche(klartextSeite()); }
void THauptform::MMChiffreloeschenClick() { loesche(chiffreSeite()); }
bool THauptform::PruefeKlartextGespeichert() { return pruefeGespeichert(klartextSeite()); }
bool THauptform::PruefeChiffreGespeichert() { return pruefeGespeichert(chiffreSeite()); }

void THauptform::oeffne(const Seite &seite)
{
    if (!pruefeGespeichert(seite))
        return;
    const auto pfad = dialoge.DateiOeffnen(this, { seite.oeffnenTitel, Pfad, seite.datei });
    if (!pfad || textdatei::ArtVon(*pfad) == textdatei::Art::Nichts)
        return;
    const auto ergebnis = textdatei::Oeffnen(*pfad);
    const auto *gelesen = std::get_if<textdatei::Gelesen>(&ergebnis);
    if (!gelesen) {
        dialoge.ZeigeFehler(this,
            std::get<textdatei::Lesefehler>(ergebnis) == textdatei::Lesefehler::ZuGross
                ? ZuGrossMeldung(QFileInfo(*pfad).fileName())
                : QStringLiteral("Fehler beim Öffnen der Datei!"));
        return;
    }
    // An opened file starts a fresh undo history.
    seite.pane.setText(gelesen->text);
    seite.datei = QFileInfo(*pfad).fileName();
    seite.ordner = ordnerVon(*pfad);
    seite.kodierung = gelesen->kodierung;
    Pfad = seite.ordner;
    setzeGeaendert(seite, false);
    zeigeKodierung();
}

bool THauptform::speichere(const Seite &seite)
{
    if (seite.datei == Unbenannt)
        return speichereUnter(seite);
    return schreibeDatei(seite, seite.ordner + seite.datei, seite.kodierung);
}

bool THauptform::speichereUnter(const Seite &seite)
{
    const bool utf8 = seite.kodierung != textdatei::Kodierung::Windows1252;
    const auto ziel
        = dialoge.DateiSpeichern(this, { seite.speichernTitel, Pfad, seite.datei, utf8 });
    if (!ziel || !UeberschreibenErlaubt(ziel->pfad))
        return false;
    // The new name holds even if writing fails, so the next quick save tries
    // the same file again.
    seite.datei = QFileInfo(ziel->pfad).fileName();
    seite.ordner = ordnerVon(ziel->pfad);
    Pfad = seite.ordner;
    // A byte-order mark stays as long as the file stays UTF-8.
    return schreibeDatei(seite, ziel->pfad,
        !ziel->utf8 ? textdatei::Kodierung::Windows1252
            : utf8  ? seite.kodierung
                    : textdatei::Kodierung::Utf8);
}

// The wished encoding gives way where it would not open to the same text;
// the pane then remembers what was really written.
bool THauptform::schreibeDatei(
    const Seite &seite, const QString &pfad, textdatei::Kodierung gewuenscht)
{
    const auto plan = textdatei::SchreibForm(seite.pane.text(), gewuenscht);
    const auto *form = std::get_if<textdatei::Dateiform>(&plan);
    // A file that would not open again is not written at all; one that opens
    // to another text only when the user says so.
    if (!form) {
        dialoge.ZeigeFehler(
            this, nichtGespeichertMeldung(seite.datei, std::get<textdatei::Hindernis>(plan)));
        return false;
    }
    if (form->zeilenende
        && !dialoge.FrageOkAbbrechen(this, zeilenendenFrage(seite.datei, *form->zeilenende)))
        return false;
    if (!textdatei::Schreiben(pfad, form->bytes)) {
        dialoge.ZeigeFehler(this, dateiname::Speicherfehler(seite.datei));
        return false;
    }
    seite.kodierung = form->kodierung;
    setzeGeaendert(seite, false);
    zeigeKodierung();
    return true;
}

void THauptform::zeigeKodierung()
{
    const auto beschriftung = [](const char *name, textdatei::Kodierung kodierung) {
        const QString text = QString::fromUtf8(name);
        return kodierung == textdatei::Kodierung::Windows1252 ? text
                                                              : text + QStringLiteral(" (UTF-8)");
    };
    LKlartext->setText(beschriftung("Klartext", KlartextKodierung));
    Lchiffre->setText(beschriftung("Chiffre", ChiffreKodierung));
    // The layout rule sizes the labels to their text only on a resize.
    for (QLabel *label : { LKlartext, Lchiffre })
        label->resize(label->sizeHint().width(), label->height());
    zeigeMethode();
}

void THauptform::loesche(const Seite &seite)
{
    if (!pruefeGespeichert(seite))
        return;
    {
        // Clearing is no edit: the change rule does not run. It can be
        // undone all the same.
        const QSignalBlocker stumm(seite.pane);
        seite.pane.ersetze({});
    }
    // The document keeps its own state, so that undoing the clear finds the
    // text as saved or unsaved as it was.
    seite.geaendert = false;
}

// After "Yes" the action that asked goes on only when the text was saved.
bool THauptform::pruefeGespeichert(const Seite &seite)
{
    if (!seite.geaendert || !SMNichtgespeichertWarnung->isChecked())
        return true;
    switch (dialoge.FrageJaNeinAbbrechen(this, seite.frage)) {
    case Dialoge::Antwort::Ja:
        return speichere(seite);
    case Dialoge::Antwort::Nein:
        return true;
    case Dialoge::Antwort::Abbrechen:
        break;
    }
    return false;
}

// Asks whenever a text is unsaved: about both together, else about the one.
bool THauptform::PruefeBeideGespeichert()
{
    if (!(KlartextGeaendert && ChiffreGeaendert))
        return KlartextGeaendert ? PruefeKlartextGespeichert() : PruefeChiffreGespeichert();
    if (!SMNichtgespeichertWarnung->isChecked())
        return true;
    switch (dialoge.FrageJaNeinAbbrechen(
        this, QStringLiteral("Beide Texte wurden noch nicht gespeichert. Jetzt speichern?"))) {
    case Dialoge::Antwort::Ja:
        // A plaintext that was not saved cancels the action anyway, so the
        // user is not taken through a second save dialog for nothing.
        return Klartextspeichern1Click() && Chiffrespeichern1Click();
    case Dialoge::Antwort::Nein:
        return true;
    case Dialoge::Antwort::Abbrechen:
        break;
    }
    return false;
}

bool THauptform::UeberschreibenErlaubt(const QString &pfad)
{
    if (!QFileInfo::exists(pfad) || !SMUeberschreibwarnung->isChecked())
        return true;
    return dialoge.FrageOkAbbrechen(this,
        QStringLiteral("Die Datei ") + dateiname::FuerMeldung(pfad)
            + QStringLiteral(" existiert schon. Überschreiben?"));
}

// The settings come first, so they are saved or deleted even when the
// question then cancels the close; settings that cannot be written keep the
// window open, and since every close attempt saves again, the message tells
// the way out. (With only the method window on screen there is no menu to
// take it: the program ends instead.)
void THauptform::FormCloseQuery(QCloseEvent *event)
{
    bool schliessen = true;
    if (OptInRegistry->isChecked()) {
        schliessen = einstellungen->EinstellungenSpeichern(isVisible()
                ? QStringLiteral("Zum Beenden ohne Speichern die Option „Einstellungen in "
                                 "Registrierung speichern“ ausschalten.")
                : QString());
    } else
        einstellungen->EinstellungenLoeschen();
    event->setAccepted(schliessen && PruefeBeideGespeichert());
}
