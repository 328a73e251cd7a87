// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/einstellungen.h"

#include "mainwindow/haupt.h"
#include "platform/codepage.h"
#include "platform/registry.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/methodenfenster.h"
#include "bausteine/textpane.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

using registry::Schluessel;
using registry::Wurzel;
using Schalter = Methodenablage::Schalter;

const QString kProgrammschluessel = QStringLiteral("Software\\Nordhain\\Zifferon");
// The stored Vigenère key is scrambled with this fixed key.
const verschl::Text kVerschleierung = "quellwasserklingen";
// The point sizes that Qt's font dialog lets the user type; a larger stored size leaves the
// panes blank.
constexpr int kKleinsteSchrift = 1;
constexpr int kGroessteSchrift = 512;

// Deletes the program's key below a maker's key, and the maker's key too when
// nothing else is left below it. Failures are skipped silently.
void loescheProgrammschluessel(Wurzel wurzel, const QString &hersteller)
{
    const QString herstellerPfad = QStringLiteral("Software\\") + hersteller;
    const bool offen = registry::oeffnen(wurzel, herstellerPfad, false).has_value();
    if (offen)
        registry::loescheSchluessel(wurzel, herstellerPfad + QStringLiteral("\\Zifferon"));
    if (!(offen && registry::hatUnterschluessel(wurzel, herstellerPfad)))
        registry::loescheSchluessel(wurzel, herstellerPfad);
}

QString verschleiert(const verschl::Text &schluessel)
{
    return codepage::AlsZeichenkette(
        *verschl::VigenereVerschluesseln(schluessel, kVerschleierung, false));
}

verschl::Text entschleiert(const QString &gespeichert)
{
    return *verschl::VigenereEntschluesseln(
        codepage::AusZeichenkette(codepage::NurBuchstaben(gespeichert)), kVerschleierung, false);
}

// A stored number that names no method leaves the selection as it is.
Methode methodeAus(int gespeichert)
{
    const bool bekannt
        = gespeichert >= int(Methode::Matrix) && gespeichert <= int(Methode::Vigenere);
    return bekannt ? Methode(gespeichert) : Methode::Keine;
}

int punktgroesse(const QFont &schrift)
{
    // A font given in pixels is counted at 96 dots per inch.
    return schrift.pointSize() > 0 ? schrift.pointSize() : qRound(schrift.pixelSize() * 0.75);
}

} // namespace

Einstellungsspeicher::Einstellungsspeicher(THauptform &haupt, Methodenablage &methode)
    : haupt(haupt)
    , methode(methode)
{ }

void Einstellungsspeicher::MaschinenEintraegeLoeschen()
{
    loescheProgrammschluessel(Wurzel::LokaleMaschine, QStringLiteral("Nordwerk"));
    loescheProgrammschluessel(Wurzel::LokaleMaschine, QStringLiteral("Nordhain"));
}

QString Einstellungsspeicher::EigeneDateienOrdner()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void Einstellungsspeicher::EinstellungenLoeschen()
{
    loescheProgrammschluessel(Wurzel::AktuellerBenutzer, QStringLiteral("Nordhain"));
}

void Einstellungsspeicher::EinstellungenLaden()
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, false);
    haupt.OptInRegistry->setChecked(schluessel.has_value());
    if (!schluessel)
        return;
    // A value of the wrong type ends the load there; what was read stays.
    try {
        ladeAnsicht(*schluessel);
        ladeMethode(*schluessel);
        ladeOptionen(*schluessel);
        ladeAnimation(*schluessel);
    } catch (const registry::Fehler &fehler) {
        haupt.dialoge.ZeigeFehler(&haupt, fehler.meldung());
    }
}

void Einstellungsspeicher::ladeAnsicht(const Schluessel &s)
{
    if (s.hatWert(QStringLiteral("Pfad")))
        haupt.Pfad = s.leseText(QStringLiteral("Pfad"));
    if (s.hatWert(QStringLiteral("WordWrap"))) {
        haupt.WordWrap = !s.leseBool(QStringLiteral("WordWrap"));
        haupt.ZeilenumbruchautomatischClick();
    }
    if (s.hatWert(QStringLiteral("HintergrundFarbig"))) {
        haupt.MMHintergrundfarbig->setChecked(!s.leseBool(QStringLiteral("HintergrundFarbig")));
        haupt.MMHintergrundfarbigClick();
    }
    QFont schrift = haupt.MKlar->font();
    if (s.hatWert(QStringLiteral("Font")))
        schrift.setFamilies({ s.leseText(QStringLiteral("Font")) });
    if (s.hatWert(QStringLiteral("Fontsize"))) {
        const int groesse = s.leseGanzzahl(QStringLiteral("Fontsize"));
        if (groesse >= kKleinsteSchrift && groesse <= kGroessteSchrift)
            schrift.setPointSize(groesse);
    }
    // The style is rebuilt from nothing: a key without style values gives plain text.
    auto stil = [&s](const char *name) {
        const QString wert = QLatin1String(name);
        return s.hatWert(wert) && s.leseBool(wert);
    };
    schrift.setBold(stil("FontBold"));
    schrift.setItalic(stil("FontItalic"));
    schrift.setUnderline(stil("FontUnderline"));
    schrift.setStrikeOut(stil("FontStrikeOut"));
    haupt.MKlar->setFont(schrift);
    haupt.MChiffre->setFont(schrift);
}

// The shift comes before the method, so selecting Caesar shows the loaded shift.
void Einstellungsspeicher::ladeMethode(const Schluessel &s)
{
    Methodenablage &m = methode;
    if (s.hatWert(QStringLiteral("CaesarVerschiebung"))) {
        const int v = s.leseGanzzahl(QStringLiteral("CaesarVerschiebung"));
        if (v >= 0 && v <= 25) {
            m.setGemerkteVerschiebung(v);
            m.setVerschiebung(v);
        }
    }
    if (s.hatWert(QStringLiteral("Methode")))
        m.setMethode(methodeAus(s.leseGanzzahl(QStringLiteral("Methode"))));
    if (s.hatWert(QStringLiteral("MatrixQuadratisch")))
        m.setSchalter(Schalter::MatrixQuadratisch, s.leseBool(QStringLiteral("MatrixQuadratisch")));
    if (s.hatWert(QStringLiteral("Spaltenzahl"))) {
        const int v = s.leseGanzzahl(QStringLiteral("Spaltenzahl"));
        if (v >= 1 && v <= 100)
            m.setSpaltenzahl(v);
    }
    if (s.hatWert(QStringLiteral("VigenereSchluessel"))) {
        const verschl::Text schluessel
            = entschleiert(s.leseText(QStringLiteral("VigenereSchluessel")));
        m.setSchluessel(schluessel.empty() ? verschl::Text("Wolkenturm") : schluessel);
    }
}

// Kleinschrift before Grossschrift: when both are stored as set, only
// Grossschrift stays checked.
void Einstellungsspeicher::ladeOptionen(const Schluessel &s)
{
    const std::pair<const char *, Schalter> schalter[] = {
        { "SonderzeichenIgnorieren", Schalter::SonderzeichenIgnorieren },
        { "Kleinschrift", Schalter::Kleinschrift },
        { "Grossschrift", Schalter::Grossschrift },
        { "LeerzeichenLoeschen", Schalter::LeerzeichenLoeschen },
        { "UmlauteErsetzen", Schalter::UmlauteErsetzen },
    };
    for (const auto &[name, wer] : schalter) {
        if (s.hatWert(QLatin1String(name)))
            methode.setSchalter(wer, s.leseBool(QLatin1String(name)));
    }
    const std::pair<const char *, QAction *> haken[] = {
        { "NichtGespeichertWarnung", haupt.SMNichtgespeichertWarnung },
        { "UeberschreibWarnung", haupt.SMUeberschreibwarnung },
    };
    for (const auto &[name, aktion] : haken) {
        if (s.hatWert(QLatin1String(name)))
            aktion->setChecked(s.leseBool(QLatin1String(name)));
    }
    if (s.hatWert(QStringLiteral("ImVordergrund")))
        methode.setSchalter(Schalter::ImVordergrund, s.leseBool(QStringLiteral("ImVordergrund")));
    if (s.hatWert(QStringLiteral("DemoOptUebernehmen")))
        haupt.MMDemoOptUebernehmen->setChecked(s.leseBool(QStringLiteral("DemoOptUebernehmen")));
}

// Each range check uses the values read just before it.
void Einstellungsspeicher::ladeAnimation(const Schluessel &s)
{
    if (s.hatWert(QStringLiteral("Animation")))
        haupt.Animation = s.leseBool(QStringLiteral("Animation"));
    if (!s.hatWert(QStringLiteral("AnimationMin"))) {
        haupt.AnimationMin = 0;
    } else if (const int v = s.leseGanzzahl(QStringLiteral("AnimationMin")); v >= 0 && v <= 3000) {
        haupt.AnimationMin = v;
    }
    if (!s.hatWert(QStringLiteral("AnimationMax"))) {
        haupt.AnimationMax = haupt.AnimationMin + 300;
    } else if (const int v = s.leseGanzzahl(QStringLiteral("AnimationMax"));
               v >= haupt.AnimationMin && v <= 5000) {
        haupt.AnimationMax = v;
    } else {
        haupt.AnimationMin = 0;
        haupt.AnimationMax = 300;
    }
    const int mitte = (haupt.AnimationMin + haupt.AnimationMax) / 2;
    if (!s.hatWert(QStringLiteral("AnimationAktuell"))) {
        haupt.AnimationAktuell = mitte;
    } else {
        const int v = s.leseGanzzahl(QStringLiteral("AnimationAktuell"));
        haupt.AnimationAktuell = (v >= haupt.AnimationMin && v <= haupt.AnimationMax) ? v : mitte;
    }
    if (s.hatWert(QStringLiteral("Blinken")))
        haupt.Blinken = s.leseBool(QStringLiteral("Blinken"));
}

// All values in their fixed order, in one write. A write that fails shows the
// message, with the way out when the caller gives one, and the caller learns
// of it.
bool Einstellungsspeicher::EinstellungenSpeichern(const QString &ausweg)
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, true);
    if (!schluessel)
        return true; // the key cannot be created: nothing is written, nothing said
    try {
        schluessel->schreibe(einstellungswerte());
    } catch (const registry::Fehler &fehler) {
        haupt.dialoge.ZeigeFehler(
            &haupt, ausweg.isEmpty() ? fehler.meldung() : fehler.meldung() + u'\n' + ausweg);
        return false;
    }
    return true;
}

QList<registry::Wert> Einstellungsspeicher::einstellungswerte() const
{
    const Methodenablage &m = methode;
    const QFont schrift = haupt.MKlar->font();
    const auto wert
        = [](const char *name, auto inhalt) { return registry::Wert(QLatin1String(name), inhalt); };
    return {
        wert("Programmpfad",
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'))),
        wert("Pfad", haupt.Pfad),
        wert("WordWrap", haupt.Zeilenumbruchautomatisch->isChecked()),
        wert("HintergrundFarbig", haupt.MMHintergrundfarbig->isChecked()),
        wert("Font", schrift.family()),
        wert("Fontsize", punktgroesse(schrift)),
        wert("FontBold", schrift.bold()),
        wert("FontItalic", schrift.italic()),
        wert("FontUnderline", schrift.underline()),
        wert("FontStrikeOut", schrift.strikeOut()),
        wert("Methode", int(m.methode())),
        wert("MatrixQuadratisch", m.schalter(Schalter::MatrixQuadratisch)),
        wert("Spaltenzahl", m.spaltenzahl()),
        wert("CaesarVerschiebung", m.GemerkteVerschiebung()),
        // The key as the ciphers use it (letters only), so that stored ciphertexts still
        // decrypt with the key that comes back.
        wert("VigenereSchluessel", verschleiert(m.schluessel())),
        wert("SonderzeichenIgnorieren", m.schalter(Schalter::SonderzeichenIgnorieren)),
        wert("Kleinschrift", m.schalter(Schalter::Kleinschrift)),
        wert("Grossschrift", m.schalter(Schalter::Grossschrift)),
        wert("LeerzeichenLoeschen", m.schalter(Schalter::LeerzeichenLoeschen)),
        wert("UmlauteErsetzen", m.schalter(Schalter::UmlauteErsetzen)),
        wert("NichtGespeichertWarnung", haupt.SMNichtgespeichertWarnung->isChecked()),
        wert("UeberschreibWarnung", haupt.SMUeberschreibwarnung->isChecked()),
        wert("ImVordergrund", m.schalter(Schalter::ImVordergrund)),
        wert("DemoOptUebernehmen", haupt.MMDemoOptUebernehmen->isChecked()),
        wert("Animation", haupt.Animation),
        wert("AnimationMin", haupt.AnimationMin),
        wert("AnimationMax", haupt.AnimationMax),
        wert("AnimationAktuell", haupt.AnimationAktuell),
        wert("Blinken", haupt.Blinken),
    };
}
