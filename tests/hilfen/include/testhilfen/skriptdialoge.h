// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stands in for every dialog in tests: answers from a script prepared in
// advance, records what was asked, waits for nothing. An unscripted question
// fails the test instead of blocking.

#include "schnittstellen/dialoge.h"

#include <QBuffer>
#include <QList>
#include <QPdfWriter>
#include <QStringList>
#include <QTest>
#include <QUrl>

class SkriptDialoge : public Dialoge
{
public:
    void ZeigeWarnung(QWidget *, const QString &text) override { warnungen << text; }
    void ZeigeFehler(QWidget *, const QString &text) override { fehler << text; }

    Antwort FrageJaNeinAbbrechen(QWidget *, const QString &text) override
    {
        fragen << text;
        return naechste(antworten, Antwort::Abbrechen);
    }
    bool FrageOkAbbrechen(QWidget *, const QString &text) override
    {
        fragen << text;
        return naechste(okAntworten, false);
    }
    std::optional<QString> DateiOeffnen(QWidget *, const Dateiwahl &wahl) override
    {
        dateidialoge << wahl;
        return naechste(dateien, std::optional<QString>());
    }
    // The encoding comes from utf8Wahl, front first; Windows-1252 when empty.
    std::optional<Speicherziel> DateiSpeichern(QWidget *, const Dateiwahl &wahl) override
    {
        dateidialoge << wahl;
        const std::optional<QString> pfad = naechste(dateien, std::optional<QString>());
        const bool utf8 = !utf8Wahl.isEmpty() && utf8Wahl.takeFirst();
        if (!pfad)
            return std::nullopt;
        return Speicherziel { *pfad, utf8 };
    }
    std::optional<QString> DokumentSpeichern(
        QWidget *, const Dateiwahl &wahl, const QStringList &filter) override
    {
        dateidialoge << wahl;
        dokumentfilter << filter;
        return naechste(dateien, std::optional<QString>());
    }
    // Paints what the preview would show, so its drawing runs under the test.
    void Druckvorschau(QWidget *, const Druckauftrag &auftrag) override
    {
        vorschauen << auftrag.titel;
        letzterAuftrag = auftrag;
        QBuffer puffer;
        puffer.open(QIODevice::WriteOnly);
        QPdfWriter geraet(&puffer);
        geraet.setPageSize(auftrag.seitengroesse);
        auftrag.zeichne(geraet);
    }
    // Every window's reports go to `meldungen` as "step done/total"; the
    // report numbered `abbrechenBei` (from 1), if set, cancels.
    std::unique_ptr<Fortschritt> Fortschrittsanzeige(QWidget *, const QString &titel) override
    {
        struct Bericht : Fortschritt
        {
            explicit Bericht(SkriptDialoge &d)
                : d(d)
            { }
            bool melde(const QString &schritt, int erledigt, int gesamt) override
            {
                d.meldungen << QStringLiteral("%1 %2/%3").arg(schritt).arg(erledigt).arg(gesamt);
                return d.meldungen.size() != d.abbrechenBei;
            }
            SkriptDialoge &d;
        };
        fortschrittsfenster << titel;
        return std::make_unique<Bericht>(*this);
    }
    std::optional<Schrift> Schriftart(QWidget *, const Schrift &vorher) override
    {
        schriftVorher = vorher;
        return naechste(schriften, std::optional<Schrift>());
    }
    void OeffneAdresse(const QUrl &adresse) override { adressen << adresse; }
    // Starts nothing; records the carry-over file and the scale factor.
    bool Neustart(const QString &uebergabe, const QByteArray &skalenfaktor) override
    {
        neustarts << std::pair(uebergabe, skalenfaktor);
        return neustartGelingt;
    }

    // Answers, used front first.
    QList<Antwort> antworten;
    QList<bool> okAntworten;
    QList<std::optional<QString>> dateien;
    QList<std::optional<Schrift>> schriften;
    QList<bool> utf8Wahl;
    qsizetype abbrechenBei = -1;
    bool neustartGelingt = true;

    // What was shown.
    QStringList warnungen;
    QStringList fehler;
    QStringList fragen;
    QList<Dateiwahl> dateidialoge;
    QList<QStringList> dokumentfilter;
    QStringList vorschauen;
    Druckauftrag letzterAuftrag;
    QStringList fortschrittsfenster;
    QStringList meldungen;
    QList<QUrl> adressen;
    QList<std::pair<QString, QByteArray>> neustarts;
    Schrift schriftVorher;

private:
    template <typename T> static T naechste(QList<T> &liste, T sonst)
    {
        if (liste.isEmpty()) {
            QTest::qFail("unscripted dialog", __FILE__, __LINE__);
            return sonst;
        }
        return liste.takeFirst();
    }
};
