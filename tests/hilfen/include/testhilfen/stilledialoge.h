// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Dialogs for programs that run without anyone to answer (benchmarks, fuzz
// targets): every file dialog gets one fixed path, every question "No",
// every message goes nowhere.

#include "schnittstellen/dialoge.h"

class StilleDialoge : public Dialoge
{
public:
    explicit StilleDialoge(QString pfad = {})
        : pfad(std::move(pfad))
    { }
    void ZeigeWarnung(QWidget *, const QString &) override { }
    void ZeigeFehler(QWidget *, const QString &) override { }
    Antwort FrageJaNeinAbbrechen(QWidget *, const QString &) override { return Antwort::Nein; }
    bool FrageOkAbbrechen(QWidget *, const QString &) override { return true; }
    std::optional<QString> DateiOeffnen(QWidget *, const Dateiwahl &) override { return pfad; }
    std::optional<Speicherziel> DateiSpeichern(QWidget *, const Dateiwahl &) override
    {
        return Speicherziel { pfad };
    }
    std::optional<QString> DokumentSpeichern(
        QWidget *, const Dateiwahl &, const QStringList &) override
    {
        return pfad;
    }
    void Druckvorschau(QWidget *, const Druckauftrag &) override { }
    std::unique_ptr<Fortschritt> Fortschrittsanzeige(QWidget *, const QString &) override
    {
        struct Weiter : Fortschritt
        {
            bool melde(const QString &, int, int) override { return true; }
        };
        return std::make_unique<Weiter>();
    }
    std::optional<Schrift> Schriftart(QWidget *, const Schrift &) override { return std::nullopt; }
    void OeffneAdresse(const QUrl &) override { }
    bool Neustart(const QString &, const QByteArray &) override { return false; }

private:
    QString pfad;
};
