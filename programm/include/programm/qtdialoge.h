// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real dialogs of the program.

#include "schnittstellen/dialoge.h"

#include <memory>
#include <QFileDialog>

// The open or save dialog as QtDialoge shows it; apart for tests.
std::unique_ptr<QFileDialog> BaueDateidialog(
    QWidget *eltern, const Dateiwahl &wahl, QFileDialog::AcceptMode modus);
// Whether the dialog's chosen filter is one of the UTF-8 ones.
bool Utf8Gewaehlt(const QFileDialog &dialog);

// The environment variable that names the carry-over file to the program
// that Neustart starts.
inline constexpr char kUebergabeVariable[] = "ZIFFERON_UEBERGABE";

class QtDialoge : public Dialoge
{
public:
    void ZeigeWarnung(QWidget *eltern, const QString &text) override;
    void ZeigeFehler(QWidget *eltern, const QString &text) override;
    Antwort FrageJaNeinAbbrechen(QWidget *eltern, const QString &text) override;
    bool FrageOkAbbrechen(QWidget *eltern, const QString &text) override;
    std::optional<QString> DateiOeffnen(QWidget *eltern, const Dateiwahl &wahl) override;
    std::optional<Speicherziel> DateiSpeichern(QWidget *eltern, const Dateiwahl &wahl) override;
    std::optional<QString> DokumentSpeichern(
        QWidget *eltern, const Dateiwahl &wahl, const QStringList &filter) override;
    void Druckvorschau(QWidget *eltern, const Druckauftrag &auftrag) override;
    std::unique_ptr<Fortschritt> Fortschrittsanzeige(
        QWidget *eltern, const QString &titel) override;
    std::optional<Schrift> Schriftart(QWidget *eltern, const Schrift &vorher) override;
    void OeffneAdresse(const QUrl &adresse) override;
    bool Neustart(const QString &uebergabe, const QByteArray &skalenfaktor) override;
};
