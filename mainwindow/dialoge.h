#pragma once

// Everything the program asks or tells the user goes through this seam. The
// program gets QtDialoge; tests pass a scripted stand-in that answers at once
// and records what was shown, so no test ever waits on a modal box.

#include <memory>
#include <optional>
#include <QColor>
#include <QFileDialog>
#include <QFont>
#include <QString>

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
    virtual std::optional<QString> DateiSpeichern(QWidget *eltern, const Dateiwahl &wahl) = 0;
    virtual std::optional<Schrift> Schriftart(QWidget *eltern, const Schrift &vorher) = 0;
    // Hands a web address to the desktop; whether that worked is not examined.
    virtual void OeffneAdresse(const QUrl &adresse) = 0;
};

// The open or save dialog as QtDialoge shows it; apart for tests.
std::unique_ptr<QFileDialog> BaueDateidialog(
    QWidget *eltern, const Dateiwahl &wahl, QFileDialog::AcceptMode modus);

class QtDialoge : public Dialoge
{
public:
    void ZeigeWarnung(QWidget *eltern, const QString &text) override;
    void ZeigeFehler(QWidget *eltern, const QString &text) override;
    Antwort FrageJaNeinAbbrechen(QWidget *eltern, const QString &text) override;
    bool FrageOkAbbrechen(QWidget *eltern, const QString &text) override;
    std::optional<QString> DateiOeffnen(QWidget *eltern, const Dateiwahl &wahl) override;
    std::optional<QString> DateiSpeichern(QWidget *eltern, const Dateiwahl &wahl) override;
    std::optional<Schrift> Schriftart(QWidget *eltern, const Schrift &vorher) override;
    void OeffneAdresse(const QUrl &adresse) override;
};
