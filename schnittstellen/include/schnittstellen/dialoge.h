// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything the program asks or tells the user goes through this seam. The
// program gets QtDialoge (programm/qtdialoge.h); tests pass a scripted
// stand-in that answers at once and records what was shown, so no test ever
// waits on a modal box.

#include <functional>
#include <memory>
#include <optional>
#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QUrl;
class QWidget;

// The panes' font together with its colour, which QFont does not carry.
struct Schrift
{
    QFont font;
    QColor farbe; // invalid: the desktop's text colour
};

// What a file dialog is set up with.
struct Dateiwahl
{
    QString titel;
    QString ordner;
    QString dateiname;
    // A save dialog preselects the UTF-8 filters (the file had UTF-8).
    bool utf8 = false;
};

// Where to save, and whether the user chose one of the UTF-8 filters.
struct Speicherziel
{
    QString pfad;
    bool utf8 = false;
};

// What the print preview shows: the same painting that a PDF gets, so the
// preview, the printer and the file agree page for page.
struct Druckauftrag
{
    QString titel;
    QPageSize seitengroesse = QPageSize(QPageSize::A4);
    // False when it painted nothing: the user cancelled, or was told why not.
    std::function<bool(QPagedPaintDevice &)> zeichne;
};

// How far a long job has come, in a window with "Abbrechen".
class Fortschritt
{
public:
    virtual ~Fortschritt() = default;
    // Shows the step and lets the program answer meanwhile; false once the
    // user has cancelled.
    virtual bool melde(const QString &schritt, int erledigt, int gesamt) = 0;
};

class Dialoge
{
public:
    enum class Antwort { Ja, Nein, Abbrechen };

    virtual ~Dialoge() = default;

    // Caption "Warnung", exclamation icon, one OK button.
    virtual void ZeigeWarnung(QWidget *eltern, const QString &text) = 0;
    // Caption "Fehler", error icon, one OK button.
    virtual void ZeigeFehler(QWidget *eltern, const QString &text) = 0;
    // Caption "Warnung", exclamation icon, Yes (default), No and Cancel.
    virtual Antwort FrageJaNeinAbbrechen(QWidget *eltern, const QString &text) = 0;
    // Caption "Warnung", exclamation icon, OK (default) and Cancel; true for OK.
    virtual bool FrageOkAbbrechen(QWidget *eltern, const QString &text) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> DateiOeffnen(QWidget *eltern, const Dateiwahl &wahl) = 0;
    virtual std::optional<Speicherziel> DateiSpeichern(QWidget *eltern, const Dateiwahl &wahl) = 0;
    // A save dialog for a PDF or a picture. `filter` as QFileDialog takes
    // them, the first preselected; the chosen filter's suffix is added to a
    // name typed without one.
    virtual std::optional<QString> DokumentSpeichern(
        QWidget *eltern, const Dateiwahl &wahl, const QStringList &filter)
        = 0;
    // Qt's print preview, from which the user prints: it needs no printer.
    virtual void Druckvorschau(QWidget *eltern, const Druckauftrag &auftrag) = 0;
    // Appears only when the job takes longer than a moment; goes with the
    // returned object. Meanwhile no other window takes input.
    virtual std::unique_ptr<Fortschritt> Fortschrittsanzeige(QWidget *eltern, const QString &titel)
        = 0;
    virtual std::optional<Schrift> Schriftart(QWidget *eltern, const Schrift &vorher) = 0;
    // Hands a web address to the desktop; whether that worked is not examined.
    virtual void OeffneAdresse(const QUrl &adresse) = 0;
    // Starts the program once more, drawn at `skalenfaktor` (QT_SCALE_FACTOR;
    // empty: Qt's own), to take over what the file `uebergabe` carries. False
    // when no new program started.
    virtual bool Neustart(const QString &uebergabe, const QByteArray &skalenfaktor) = 0;
};
