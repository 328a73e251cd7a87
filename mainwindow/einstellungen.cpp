// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/einstellungen.h"

#include "platform/codepage.h"
#include "platform/registry.h"
#include "schnittstellen/methodenfenster.h"

#include <optional>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

using einstellung::Name;
using registry::Schluessel;
using registry::Wurzel;
using Haken = Hauptablage::Haken;
using Schalter = Methodenablage::Schalter;

static_assert(einstellung::min(Name::Methode) == int(Methode::Matrix)
        && einstellung::max(Name::Methode) == int(Methode::Vigenere),
    "the stored method numbers are those of Methode");

const QString kProgrammschluessel = u"Software\\Nordhain\\Zifferon"_s;
// The stored Vigenère key is scrambled with this fixed key.
const verschl::Text kVerschleierung = "quellwasserklingen";

// The switches of the method window and the check marks of the main window
// that the store keeps.
constexpr std::pair<Name, Schalter> kSchalter[] = {
    { Name::MatrixQuadratisch, Schalter::MatrixQuadratisch },
    { Name::SonderzeichenIgnorieren, Schalter::SonderzeichenIgnorieren },
    { Name::Kleinschrift, Schalter::Kleinschrift },
    { Name::Grossschrift, Schalter::Grossschrift },
    { Name::LeerzeichenLoeschen, Schalter::LeerzeichenLoeschen },
    { Name::UmlauteErsetzen, Schalter::UmlauteErsetzen },
    { Name::ImVordergrund, Schalter::ImVordergrund },
};
constexpr std::pair<Name, Haken> kHaken[] = {
    { Name::WordWrap, Haken::Zeilenumbruch },
    { Name::HintergrundFarbig, Haken::HintergrundFarbig },
    { Name::NichtGespeichertWarnung, Haken::NichtGespeichertWarnung },
    { Name::UeberschreibWarnung, Haken::UeberschreibWarnung },
    { Name::DemoOptUebernehmen, Haken::DemoOptUebernehmen },
};

template <typename Ziel, std::size_t N>
std::optional<Ziel> gesucht(const std::pair<Name, Ziel> (&paare)[N], Name name)
{
    for (const auto &[wer, ziel] : paare) {
        if (wer == name)
            return ziel;
    }
    return std::nullopt;
}

QString schluessel(Name name)
{
    return QStringView(einstellung::eintrag(name).schluessel).toString();
}

bool imBereich(Name name, qint32 wert)
{
    return wert >= einstellung::min(name) && wert <= einstellung::max(name);
}

// Each value only when it is stored; a value of another type throws.
std::optional<QString> text(const Schluessel &s, Name name)
{
    return s.hatWert(schluessel(name)) ? std::optional(s.leseText(schluessel(name))) : std::nullopt;
}

std::optional<qint32> ganzzahl(const Schluessel &s, Name name)
{
    return s.hatWert(schluessel(name)) ? std::optional(s.leseGanzzahl(schluessel(name)))
                                       : std::nullopt;
}

std::optional<bool> an(const Schluessel &s, Name name)
{
    return s.hatWert(schluessel(name)) ? std::optional(s.leseBool(schluessel(name))) : std::nullopt;
}

// A stored number outside the table's range counts as not stored.
std::optional<qint32> zahlImBereich(const Schluessel &s, Name name)
{
    const auto wert = ganzzahl(s, name);
    return wert && imBereich(name, *wert) ? wert : std::nullopt;
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
Methode methodeAus(qint32 gespeichert)
{
    return imBereich(Name::Methode, gespeichert) ? Methode(gespeichert) : Methode::Keine;
}

int punktgroesse(const QFont &schrift)
{
    // A font given in pixels is counted at 96 dots per inch.
    return schrift.pointSize() > 0 ? schrift.pointSize() : qRound(schrift.pixelSize() * 0.75);
}

// Each range check uses the values read just before it.
void ladeAnimation(const Schluessel &s, DemoEinstellungen &demo)
{
    const DemoEinstellungen start;
    if (const auto wert = an(s, Name::Animation))
        demo.Animation = *wert;
    if (const auto min = ganzzahl(s, Name::AnimationMin); !min)
        demo.AnimationMin = start.AnimationMin;
    else if (imBereich(Name::AnimationMin, *min))
        demo.AnimationMin = *min;
    if (const auto max = ganzzahl(s, Name::AnimationMax); !max) {
        demo.AnimationMax = demo.AnimationMin + (start.AnimationMax - start.AnimationMin);
    } else if (*max >= demo.AnimationMin && imBereich(Name::AnimationMax, *max)) {
        demo.AnimationMax = *max;
    } else {
        demo.AnimationMin = start.AnimationMin;
        demo.AnimationMax = start.AnimationMax;
    }
    const auto aktuell = ganzzahl(s, Name::AnimationAktuell);
    demo.AnimationAktuell
        = aktuell && *aktuell >= demo.AnimationMin && *aktuell <= demo.AnimationMax
        ? *aktuell
        : (demo.AnimationMin + demo.AnimationMax) / 2;
    if (const auto wert = an(s, Name::Blinken))
        demo.Blinken = *wert;
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
    haupt.setHaken(Haken::InRegistry, schluessel.has_value());
    if (!schluessel)
        return;
    // A value of the wrong type ends the load there; what was read stays,
    // the demonstration settings read before it too.
    DemoEinstellungen demo = haupt.demoEinstellungen();
    try {
        ladeAnsicht(*schluessel);
        ladeMethode(*schluessel);
        ladeOptionen(*schluessel);
        ladeAnimation(*schluessel, demo);
    } catch (const registry::Fehler &fehler) {
        haupt.setDemoEinstellungen(demo);
        haupt.zeigeFehler(fehler.meldung());
        return;
    }
    haupt.setDemoEinstellungen(demo);
}

void Einstellungsspeicher::ladeAnsicht(const Schluessel &s)
{
    if (const auto pfad = text(s, Name::Pfad))
        haupt.setPfad(*pfad);
    for (const Name name : { Name::WordWrap, Name::HintergrundFarbig }) {
        if (const auto wert = an(s, name))
            haupt.setHaken(*gesucht(kHaken, name), *wert);
    }
    QFont schrift = haupt.schrift();
    if (const auto familie = text(s, Name::Font))
        schrift.setFamilies({ *familie });
    if (const auto groesse = zahlImBereich(s, Name::Fontsize))
        schrift.setPointSize(*groesse);
    // The style is rebuilt from nothing: a key without style values gives plain text.
    schrift.setBold(an(s, Name::FontBold).value_or(false));
    schrift.setItalic(an(s, Name::FontItalic).value_or(false));
    schrift.setUnderline(an(s, Name::FontUnderline).value_or(false));
    schrift.setStrikeOut(an(s, Name::FontStrikeOut).value_or(false));
    haupt.setSchrift(schrift);
}

// The shift comes before the method, so selecting Caesar shows the loaded shift.
void Einstellungsspeicher::ladeMethode(const Schluessel &s)
{
    if (const auto verschiebung = zahlImBereich(s, Name::CaesarVerschiebung)) {
        methode.setGemerkteVerschiebung(*verschiebung);
        methode.setVerschiebung(*verschiebung);
    }
    if (const auto nummer = ganzzahl(s, Name::Methode))
        methode.setMethode(methodeAus(*nummer));
    if (const auto quadratisch = an(s, Name::MatrixQuadratisch))
        methode.setSchalter(Schalter::MatrixQuadratisch, *quadratisch);
    if (const auto spalten = zahlImBereich(s, Name::Spaltenzahl))
        methode.setSpaltenzahl(*spalten);
    if (const auto gespeichert = text(s, Name::VigenereSchluessel)) {
        const verschl::Text schluessel = entschleiert(*gespeichert);
        methode.setSchluessel(schluessel.empty()
                ? codepage::AusZeichenkette(
                    QStringView(einstellung::eintrag(Name::VigenereSchluessel).text).toString())
                : schluessel);
    }
}

// In the table's order: Kleinschrift before Grossschrift, so when both are
// stored as set, only Grossschrift stays checked.
void Einstellungsspeicher::ladeOptionen(const Schluessel &s)
{
    for (int i = int(Name::SonderzeichenIgnorieren); i <= int(Name::DemoOptUebernehmen); ++i) {
        const Name name = Name(i);
        const auto wert = an(s, name);
        if (!wert)
            continue;
        if (const auto schalter = gesucht(kSchalter, name))
            methode.setSchalter(*schalter, *wert);
        else
            haupt.setHaken(*gesucht(kHaken, name), *wert);
    }
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
    for (const einstellung::Eintrag &eintrag : einstellung::kTabelle) {
        const auto inhalt = wert(eintrag.name);
        Q_ASSERT(inhalt.index() == std::size_t(eintrag.typ));
        werte.append(std::visit(
            [&eintrag](const auto &w) { return registry::Wert(schluessel(eintrag.name), w); },
            inhalt));
    }
    return werte;
}

std::variant<QString, qint32, bool> Einstellungsspeicher::wert(Name name) const
{
    if (const auto schalter = gesucht(kSchalter, name))
        return methode.schalter(*schalter);
    if (const auto haken = gesucht(kHaken, name))
        return haupt.haken(*haken);
    const QFont schrift = haupt.schrift();
    const DemoEinstellungen demo = haupt.demoEinstellungen();
    switch (name) {
    case Name::Programmpfad:
        return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/');
    case Name::Pfad:
        return haupt.pfad();
    case Name::Font:
        return schrift.family();
    case Name::Fontsize:
        return qint32(punktgroesse(schrift));
    case Name::FontBold:
        return schrift.bold();
    case Name::FontItalic:
        return schrift.italic();
    case Name::FontUnderline:
        return schrift.underline();
    case Name::FontStrikeOut:
        return schrift.strikeOut();
    case Name::Methode:
        return qint32(methode.methode());
    case Name::Spaltenzahl:
        return qint32(methode.spaltenzahl());
    case Name::CaesarVerschiebung:
        return qint32(methode.GemerkteVerschiebung());
    // The key as the ciphers use it (letters only), so that stored ciphertexts still
    // decrypt with the key that comes back.
    case Name::VigenereSchluessel:
        return verschleiert(methode.schluessel());
    case Name::Animation:
        return demo.Animation;
    case Name::AnimationMin:
        return qint32(demo.AnimationMin);
    case Name::AnimationMax:
        return qint32(demo.AnimationMax);
    case Name::AnimationAktuell:
        return qint32(demo.AnimationAktuell);
    case Name::Blinken:
        return demo.Blinken;
    default: // the switches and check marks above
        break;
    }
    Q_UNREACHABLE();
    return {};
}
