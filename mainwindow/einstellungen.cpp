// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/einstellungen.h"

#include "platform/registry.h"

#include <algorithm>
#include <optional>
#include <QDataStream>
#include <QStandardPaths>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using einstellung::Eintrag;
using registry::Schluessel;
using registry::Wurzel;

const QString kProgrammschluessel = u"Software\\Nordhain\\Zifferon"_s;

QString schluessel(const Eintrag &eintrag) { return QStringView(eintrag.schluessel).toString(); }

std::size_t zeile(const Eintrag &eintrag)
{
    return static_cast<std::size_t>(&eintrag - einstellung::kTabelle.data());
}

einstellung::Wert liesWert(QDataStream &ein, einstellung::Typ typ)
{
    switch (typ) {
    case einstellung::Typ::Text: {
        QString text;
        ein >> text;
        return text;
    }
    case einstellung::Typ::Ganzzahl: {
        qint32 zahl = 0;
        ein >> zahl;
        return zahl;
    }
    case einstellung::Typ::Bool: {
        bool wahr = false;
        ein >> wahr;
        return wahr;
    }
    }
    Q_UNREACHABLE();
    return {};
}

// A value only when it is stored; a value of another type throws.
einstellung::Gelesen gelesen(const Schluessel &s, const Eintrag &eintrag)
{
    const QString name = schluessel(eintrag);
    if (!s.hatWert(name))
        return std::nullopt;
    switch (eintrag.typ) {
    case einstellung::Typ::Text:
        return s.leseText(name);
    case einstellung::Typ::Ganzzahl:
        return s.leseGanzzahl(name);
    case einstellung::Typ::Bool:
        return s.leseBool(name);
    }
    Q_UNREACHABLE();
    return std::nullopt;
}

// Deletes the program's key below a maker's key, and the maker's key too when
// nothing else is left below it. Failures are skipped silently.
void loescheProgrammschluessel(Wurzel wurzel, const QString &hersteller)
{
    const QString herstellerPfad = u"Software\\"_s + hersteller;
    const bool offen = registry::oeffnen(wurzel, herstellerPfad, false).has_value();
    if (offen)
        registry::loescheSchluessel(wurzel, herstellerPfad + u"\\Zifferon"_s);
    if (!(offen && registry::hatUnterschluessel(wurzel, herstellerPfad)))
        registry::loescheSchluessel(wurzel, herstellerPfad);
}

} // namespace

Einstellungsspeicher::Einstellungsspeicher(Hauptablage &haupt, Methodenablage &methode)
    : haupt(haupt)
    , methode(methode)
{ }

void Einstellungsspeicher::MaschinenEintraegeLoeschen()
{
    loescheProgrammschluessel(Wurzel::LokaleMaschine, u"Nordwerk"_s);
    loescheProgrammschluessel(Wurzel::LokaleMaschine, u"Nordhain"_s);
}

QString Einstellungsspeicher::EigeneDateienOrdner()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void Einstellungsspeicher::EinstellungenLoeschen()
{
    loescheProgrammschluessel(Wurzel::AktuellerBenutzer, u"Nordhain"_s);
}

void Einstellungsspeicher::EinstellungenLaden()
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, false);
    haupt.setImSpeicher(schluessel.has_value());
    if (!schluessel)
        return;
    // A value of the wrong type ends the load there; what was read stays.
    try {
        setzeAlle([&schluessel](const Eintrag &eintrag) { return gelesen(*schluessel, eintrag); });
    } catch (const registry::Fehler &fehler) {
        haupt.zeigeFehler(fehler.meldung());
    }
}

// In the table's order, each value after those that name it as the one they
// go before.
void Einstellungsspeicher::setzeAlle(
    const std::function<einstellung::Gelesen(const Eintrag &)> &quelle)
{
    const auto setze = [this, &quelle](const Eintrag &eintrag) {
        if (eintrag.bindung.setze)
            eintrag.bindung.setze(ziel(), eintrag, quelle(eintrag));
    };
    for (const Eintrag &eintrag : einstellung::kTabelle) {
        if (!eintrag.vor.empty())
            continue;
        for (const Eintrag &vorher : einstellung::kTabelle) {
            if (vorher.vor == eintrag.schluessel)
                setze(vorher);
        }
        setze(eintrag);
    }
}

QByteArray Einstellungsspeicher::GespeicherterSkalenfaktor()
{
    const auto gespeichert
        = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, false);
    const QString name = schluessel(einstellung::eintrag(u"Darstellungsgroesse"));
    try {
        if (gespeichert && gespeichert->hatWert(name))
            return darstellung::Skalenfaktor(gespeichert->leseGanzzahl(name));
    } catch (const registry::Fehler &) {
        // The load reports it, once there are windows to show it in.
    }
    return {};
}

// Every value of the table under its name, as the windows hold it now.
void Einstellungsspeicher::Uebergeben(QDataStream &aus) const
{
    aus << qint32(einstellung::kTabelle.size());
    for (const Eintrag &eintrag : einstellung::kTabelle) {
        aus << schluessel(eintrag);
        std::visit([&aus](const auto &w) { aus << w; }, eintrag.bindung.lies(ziel(), eintrag));
    }
}

// A value missing from the stream, or of another type, is left as it is.
void Einstellungsspeicher::Uebernehmen(QDataStream &ein)
{
    qint32 anzahl = 0;
    ein >> anzahl;
    // By the table's order, so that each value is found by its row.
    std::vector<std::optional<einstellung::Wert>> werte(einstellung::kTabelle.size());
    for (qint32 i = 0; i < anzahl && ein.status() == QDataStream::Ok; ++i) {
        QString name;
        ein >> name;
        const auto *eintrag
            = std::find_if(einstellung::kTabelle.begin(), einstellung::kTabelle.end(),
                [&name](const Eintrag &e) { return schluessel(e) == name; });
        if (eintrag == einstellung::kTabelle.end())
            return;
        werte[zeile(*eintrag)] = liesWert(ein, eintrag->typ);
    }
    if (ein.status() != QDataStream::Ok)
        return;
    const einstellung::Ziel z = ziel();
    setzeAlle([&werte, &z](const Eintrag &eintrag) -> einstellung::Gelesen {
        const auto &wert = werte[zeile(eintrag)];
        return wert ? *wert : eintrag.bindung.lies(z, eintrag);
    });
}

// All values in the table's order, in one write. A write that fails, the
// key's creation included (a FIFO or a device where its file belongs, a folder
// that cannot be written), shows the message, with the way out when the
// caller gives one, and the caller learns of it.
bool Einstellungsspeicher::EinstellungenSpeichern(const QString &ausweg)
{
    try {
        registry::schreibe(Wurzel::AktuellerBenutzer, kProgrammschluessel, einstellungswerte());
    } catch (const registry::Fehler &fehler) {
        haupt.zeigeFehler(ausweg.isEmpty() ? fehler.meldung() : fehler.meldung() + u'\n' + ausweg);
        return false;
    }
    return true;
}

QList<registry::Wert> Einstellungsspeicher::einstellungswerte() const
{
    QList<registry::Wert> werte;
    for (const Eintrag &eintrag : einstellung::kTabelle) {
        const einstellung::Wert inhalt = eintrag.bindung.lies(ziel(), eintrag);
        Q_ASSERT(inhalt.index() == std::size_t(eintrag.typ));
        werte.append(std::visit(
            [&eintrag](const auto &w) { return registry::Wert(schluessel(eintrag), w); }, inhalt));
    }
    return werte;
}
