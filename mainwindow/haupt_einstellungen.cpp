// The settings store: what survives a restart while the user wants it to.
// The key's mere presence means that the option is on.

#include "mainwindow/dialoge.h"
#include "mainwindow/haupt.h"
#include "mainwindow/textpane.h"
#include "method/methodenfenster.h"
#include "platform/codepage.h"
#include "platform/registry.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

using registry::Schluessel;
using registry::Wurzel;
using Schalter = Methodenfenster::Schalter;

const QString kProgrammschluessel = QStringLiteral("Software\\Nordhain\\Zifferon");
// The stored Vigenère key is scrambled with this fixed key.
const verschl::Text kVerschleierung = "quellwasserklingen";

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

int punktgroesse(const QFont &schrift)
{
    // A font given in pixels is counted at 96 dots per inch.
    return schrift.pointSize() > 0 ? schrift.pointSize() : qRound(schrift.pixelSize() * 0.75);
}

} // namespace

void THauptform::MaschinenEintraegeLoeschen()
{
    loescheProgrammschluessel(Wurzel::LokaleMaschine, QStringLiteral("Nordwerk"));
    loescheProgrammschluessel(Wurzel::LokaleMaschine, QStringLiteral("Nordhain"));
}

QString THauptform::EigeneDateienOrdner()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void THauptform::EinstellungenLoeschen()
{
    loescheProgrammschluessel(Wurzel::AktuellerBenutzer, QStringLiteral("Nordhain"));
}

void THauptform::OptInRegistryClick()
{
    OptInRegistry->setChecked(!OptInRegistry->isChecked());
    if (OptInRegistry->isChecked())
        EinstellungenSpeichern();
    else
        EinstellungenLoeschen();
}

void THauptform::EinstellungenLaden()
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, false);
    OptInRegistry->setChecked(schluessel.has_value());
    if (!schluessel)
        return;
    // A value of the wrong type ends the load there; what was read stays.
    try {
        ladeAnsicht(*schluessel);
        ladeMethode(*schluessel);
        ladeOptionen(*schluessel);
        ladeAnimation(*schluessel);
    } catch (const registry::Fehler &fehler) {
        dialoge.ZeigeFehler(this, fehler.meldung());
    }
}

void THauptform::ladeAnsicht(const Schluessel &s)
{
    if (s.hatWert(QStringLiteral("Pfad")))
        Pfad = s.leseText(QStringLiteral("Pfad"));
    if (s.hatWert(QStringLiteral("WordWrap"))) {
        WordWrap = !s.leseBool(QStringLiteral("WordWrap"));
        ZeilenumbruchautomatischClick();
    }
    if (s.hatWert(QStringLiteral("HintergrundFarbig"))) {
        MMHintergrundfarbig->setChecked(!s.leseBool(QStringLiteral("HintergrundFarbig")));
        MMHintergrundfarbigClick();
    }
    QFont schrift = MKlar->font();
    if (s.hatWert(QStringLiteral("Font")))
        schrift.setFamilies({ s.leseText(QStringLiteral("Font")) });
    if (s.hatWert(QStringLiteral("Fontsize")))
        schrift.setPointSize(s.leseGanzzahl(QStringLiteral("Fontsize")));
    // The style is rebuilt from nothing: a key without style values gives plain text.
    auto stil = [&s](const char *name) {
        const QString wert = QLatin1String(name);
        return s.hatWert(wert) && s.leseBool(wert);
    };
    schrift.setBold(stil("FontBold"));
    schrift.setItalic(stil("FontItalic"));
    schrift.setUnderline(stil("FontUnderline"));
    schrift.setStrikeOut(stil("FontStrikeOut"));
    MKlar->setFont(schrift);
    MChiffre->setFont(schrift);
}

// The shift comes before the method, so selecting Caesar shows the loaded shift.
void THauptform::ladeMethode(const Schluessel &s)
{
    Methodenfenster &m = *methodenfenster;
    if (s.hatWert(QStringLiteral("CaesarVerschiebung"))) {
        const int v = s.leseGanzzahl(QStringLiteral("CaesarVerschiebung"));
        if (v >= 0 && v <= 25) {
            m.setGemerkteVerschiebung(v);
            m.setVerschiebung(v);
        }
    }
    if (s.hatWert(QStringLiteral("Methode")))
        m.setMethode(s.leseGanzzahl(QStringLiteral("Methode")));
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
void THauptform::ladeOptionen(const Schluessel &s)
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
            methodenfenster->setSchalter(wer, s.leseBool(QLatin1String(name)));
    }
    const std::pair<const char *, QAction *> haken[] = {
        { "NichtGespeichertWarnung", SMNichtgespeichertWarnung },
        { "UeberschreibWarnung", SMUeberschreibwarnung },
    };
    for (const auto &[name, aktion] : haken) {
        if (s.hatWert(QLatin1String(name)))
            aktion->setChecked(s.leseBool(QLatin1String(name)));
    }
    if (s.hatWert(QStringLiteral("ImVordergrund")))
        methodenfenster->setSchalter(
            Schalter::ImVordergrund, s.leseBool(QStringLiteral("ImVordergrund")));
    if (s.hatWert(QStringLiteral("DemoOptUebernehmen")))
        MMDemoOptUebernehmen->setChecked(s.leseBool(QStringLiteral("DemoOptUebernehmen")));
}

// Each range check uses the values read just before it.
void THauptform::ladeAnimation(const Schluessel &s)
{
    if (s.hatWert(QStringLiteral("Animation")))
        Animation = s.leseBool(QStringLiteral("Animation"));
    if (!s.hatWert(QStringLiteral("AnimationMin"))) {
        AnimationMin = 0;
    } else if (const int v = s.leseGanzzahl(QStringLiteral("AnimationMin")); v >= 0 && v <= 3000) {
        AnimationMin = v;
    }
    if (!s.hatWert(QStringLiteral("AnimationMax"))) {
        AnimationMax = AnimationMin + 300;
    } else if (const int v = s.leseGanzzahl(QStringLiteral("AnimationMax"));
               v >= AnimationMin && v <= 5000) {
        AnimationMax = v;
    } else {
        AnimationMin = 0;
        AnimationMax = 300;
    }
    const int mitte = (AnimationMin + AnimationMax) / 2;
    if (!s.hatWert(QStringLiteral("AnimationAktuell"))) {
        AnimationAktuell = mitte;
    } else {
        const int v = s.leseGanzzahl(QStringLiteral("AnimationAktuell"));
        AnimationAktuell = (v >= AnimationMin && v <= AnimationMax) ? v : mitte;
    }
    if (s.hatWert(QStringLiteral("Blinken")))
        Blinken = s.leseBool(QStringLiteral("Blinken"));
}

// All values in their fixed order, in one write. A write that fails shows the
// message, with the way out when the caller gives one, and the caller learns
// of it.
bool THauptform::EinstellungenSpeichern(const QString &ausweg)
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kProgrammschluessel, true);
    if (!schluessel)
        return true; // the key cannot be created: nothing is written, nothing said
    try {
        schluessel->schreibe(einstellungswerte());
    } catch (const registry::Fehler &fehler) {
        dialoge.ZeigeFehler(
            this, ausweg.isEmpty() ? fehler.meldung() : fehler.meldung() + u'\n' + ausweg);
        return false;
    }
    return true;
}

QList<registry::Wert> THauptform::einstellungswerte() const
{
    const Methodenfenster &m = *methodenfenster;
    const Methodeneinstellungen methode = m.einstellungen();
    const QFont schrift = MKlar->font();
    const auto wert
        = [](const char *name, auto inhalt) { return registry::Wert(QLatin1String(name), inhalt); };
    return {
        wert("Programmpfad",
            QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/'))),
        wert("Pfad", Pfad),
        wert("WordWrap", Zeilenumbruchautomatisch->isChecked()),
        wert("HintergrundFarbig", MMHintergrundfarbig->isChecked()),
        wert("Font", schrift.family()),
        wert("Fontsize", punktgroesse(schrift)),
        wert("FontBold", schrift.bold()),
        wert("FontItalic", schrift.italic()),
        wert("FontUnderline", schrift.underline()),
        wert("FontStrikeOut", schrift.strikeOut()),
        wert("Methode", methode.methode),
        wert("MatrixQuadratisch", m.schalter(Schalter::MatrixQuadratisch)),
        wert("Spaltenzahl", m.spaltenzahl()),
        wert("CaesarVerschiebung", m.GemerkteVerschiebung()),
        // The key as the ciphers use it (letters only), so that stored ciphertexts still
        // decrypt with the key that comes back.
        wert("VigenereSchluessel", verschleiert(methode.schluessel)),
        wert("SonderzeichenIgnorieren", m.schalter(Schalter::SonderzeichenIgnorieren)),
        wert("Kleinschrift", m.schalter(Schalter::Kleinschrift)),
        wert("Grossschrift", m.schalter(Schalter::Grossschrift)),
        wert("LeerzeichenLoeschen", m.schalter(Schalter::LeerzeichenLoeschen)),
        wert("UmlauteErsetzen", m.schalter(Schalter::UmlauteErsetzen)),
        wert("NichtGespeichertWarnung", SMNichtgespeichertWarnung->isChecked()),
        wert("UeberschreibWarnung", SMUeberschreibwarnung->isChecked()),
        wert("ImVordergrund", m.schalter(Schalter::ImVordergrund)),
        wert("DemoOptUebernehmen", MMDemoOptUebernehmen->isChecked()),
        wert("Animation", Animation),
        wert("AnimationMin", AnimationMin),
        wert("AnimationMax", AnimationMax),
        wert("AnimationAktuell", AnimationAktuell),
        wert("Blinken", Blinken),
    };
}
