// SPDX-License-Identifier: GPL-3.0-or-later
#include "arbeitsblatt/blatt.h"

#include "abbildungen.h"
#include "knackblatt.h"
#include "papier/papier.h"
#include "platform/codepage.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <string_view>

namespace {

// Ciphertext and plaintext in the panes' typewriter face, a little larger
// than on screen so pupils can write below it.
QFont schreibmaschine() { return QFont(QStringLiteral("Courier New"), 12); }

// Back to the panes' line breaks, which the document shows as paragraphs.
verschl::Text alsZeilen(const verschl::Text &text)
{
    verschl::Text zeilen;
    zeilen.reserve(text.size());
    for (const char b : text) {
        if (b == '\n')
            zeilen += '\r';
        zeilen += b;
    }
    return zeilen;
}

// The preparations of "Klartext ändern", in its order.
struct Vorbereitung
{
    bool Blattwahl::*an;
    verschl::Text (*schritt)(const verschl::Text &);
};
constexpr Vorbereitung kVorbereitungen[] = {
    { &Blattwahl::umlauteErsetzen, verschl::ErsetzeUmlaute },
    { &Blattwahl::grossschrift, verschl::InGrossschrift },
    { &Blattwahl::leerzeichenLoeschen, verschl::LoescheLeerzeichen },
};

// Without blanks and line ends, a blank after every fifth character: the
// word lengths no longer give the text away.
verschl::Text inFuenfergruppen(const verschl::Text &text)
{
    verschl::Text gruppen;
    gruppen.reserve(text.size() + text.size() / 5);
    int inGruppe = 0;
    for (const char b : text) {
        if (b == ' ' || b == '\n')
            continue;
        if (inGruppe == 5) {
            gruppen += ' ';
            inGruppe = 0;
        }
        gruppen += b;
        ++inGruppe;
    }
    return gruppen;
}

bool istMatrix(Aufgabe a)
{
    return a == Aufgabe::MatrixEntschluesseln || a == Aufgabe::MatrixKnacken;
}
bool istVigenere(Aufgabe a)
{
    return a == Aufgabe::VigenereEntschluesseln || a == Aufgabe::VigenereKnacken;
}

bool istBuchstabe(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
int nummer(unsigned char b) { return verschl::GrossBuchstabe(b) - 'A'; }

// What the task says about a text of several lines.
QString zeilenregel(const Blattwahl &w)
{
    switch (w.aufgabe) {
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::MatrixKnacken:
        return QStringLiteral(" Wo im Klartext eine neue Zeile beginnt, steht ein Leerzeichen.");
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::VigenereKnacken:
        return w.sonderzeichenIgnorieren
            ? QString()
            : QStringLiteral(" Jedes Zeilenende bekommt wie ein Leerzeichen einen "
                             "Schlüsselbuchstaben.");
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::CaesarKnacken:
    case Aufgabe::SubstitutionKnacken:
        return {};
    }
    return {};
}

QString aufgabentext(const Blattwahl &w)
{
    switch (w.aufgabe) {
    case Aufgabe::CaesarEntschluesseln:
        return w.streifen
            ? QStringLiteral(
                "Der Text unten wurde mit der Caesar-Verschiebung verschlüsselt. Schneide "
                "den unteren Streifen aus und lege ihn so unter den oberen, dass unter "
                "dem A der Buchstabe steht, um den verschoben wurde. Dann findest du "
                "jeden Geheimtextbuchstaben unten und seinen Klartextbuchstaben "
                "darüber.")
            : QStringLiteral(
                "Der Text unten wurde mit der Caesar-Verschiebung verschlüsselt. Schneide "
                "beide Scheiben entlang der dicken Linie aus, lege die kleine auf die große "
                "und stecke eine Musterklammer durch beide Mittelpunkte. Drehe die kleine "
                "Scheibe um die Verschiebung: Innen steht der Klartext, außen der "
                "Geheimtext.");
    case Aufgabe::VigenereEntschluesseln:
        return QStringLiteral(
            "Der Text unten wurde mit dem Vigenère-Verfahren verschlüsselt. Schreibe "
            "den Schlüssel immer wieder in die erste Reihe unter den Geheimtext. Suche "
            "die Zeile des Schlüsselbuchstabens, darin den Geheimtextbuchstaben: Der "
            "Kopf seiner Spalte ist der Klartextbuchstabe.");
    case Aufgabe::MatrixEntschluesseln:
        return QStringLiteral(
            "Der Text unten wurde mit der Matrix-Verschlüsselung verschlüsselt. "
            "Schreibe den Geheimtext Spalte für Spalte von oben nach unten in das "
            "Gitter, auch die Leerzeichen (␣). Dann lies ihn Zeile für Zeile und schreibe "
            "ihn unter den Geheimtext.");
    case Aufgabe::CaesarKnacken:
        return QStringLiteral("Dieser Text wurde mit der Caesar-Verschiebung verschlüsselt, die "
                              "Verschiebung verraten wir nicht. Zähle, wie oft jeder Buchstabe "
                              "vorkommt, und vergleiche mit den Häufigkeiten im Deutschen: Der "
                              "häufigste Buchstabe ist oft ein E.");
    case Aufgabe::VigenereKnacken:
    case Aufgabe::MatrixKnacken:
    case Aufgabe::SubstitutionKnacken:
        return knackblatt::Aufgabentext(w);
    }
    return {};
}

// The setting the pupils are given; the cracking tasks give none, or a hint.
QString vorgabe(const Blattwahl &w, std::size_t geheimlaenge)
{
    switch (w.aufgabe) {
    case Aufgabe::CaesarEntschluesseln:
        return QStringLiteral("Verschiebung: %1").arg(w.verschiebung);
    case Aufgabe::VigenereEntschluesseln:
        return QStringLiteral("Schlüssel: %1 (Sonderzeichen ignorieren: %2)")
            .arg(QString::fromLatin1(w.schluessel),
                w.sonderzeichenIgnorieren ? QStringLiteral("ja") : QStringLiteral("nein"));
    case Aufgabe::MatrixEntschluesseln:
        return QStringLiteral("Spaltenzahl: %1").arg(w.spalten);
    case Aufgabe::CaesarKnacken:
        return {};
    case Aufgabe::VigenereKnacken:
    case Aufgabe::MatrixKnacken:
    case Aufgabe::SubstitutionKnacken:
        return knackblatt::Vorgabe(w, geheimlaenge);
    }
    return {};
}

void abbildungen(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    using Art = Abbildungen::Art;
    switch (w.aufgabe) {
    case Aufgabe::CaesarEntschluesseln:
        Abbildungen::FuegeEin(cursor, w.streifen ? Art::Streifen : Art::Scheibe);
        break;
    case Aufgabe::VigenereEntschluesseln:
        Abbildungen::FuegeEin(cursor, Art::Quadrat);
        break;
    case Aufgabe::MatrixEntschluesseln:
        Abbildungen::Gitter(cursor, w.spalten, Gitterzeilen(w, geheim.size()));
        break;
    case Aufgabe::CaesarKnacken:
        knackblatt::Zaehlhilfe(cursor);
        break;
    case Aufgabe::VigenereKnacken:
    case Aufgabe::MatrixKnacken:
    case Aufgabe::SubstitutionKnacken:
        knackblatt::Abbildungen(cursor, w, geheim);
        break;
    }
}

// The ciphertext the pupils get: the sheet's plaintext encrypted as the task says.
verschl::Text Geheimtext(const Blattwahl &w, const verschl::Text &klartext)
{
    switch (w.aufgabe) {
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::VigenereKnacken:
        return verschl::VigenereVerschluesseln(klartext, w.schluessel, w.sonderzeichenIgnorieren)
            .value_or(klartext);
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::MatrixKnacken:
        return verschl::MatrixVerschluesseln(klartext, { true, w.spalten });
    case Aufgabe::SubstitutionKnacken:
        return verschl::SubstitutionVerschluesseln(
            klartext, Geheimalphabet(w.substitution).value_or(verschl::Text()))
            .value_or(klartext);
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::CaesarKnacken:
        break;
    }
    return verschl::CaesarVerschieben(klartext, w.verschiebung);
}

// The first three letters worked through as the demonstrations show them.
QStringList vorgerechnet(const Blattwahl &w, const verschl::Text &klar, const verschl::Text &geheim)
{
    QStringList schritte;
    for (std::size_t i = 0; i < klar.size() && schritte.size() < 3; ++i) {
        const auto k = static_cast<unsigned char>(klar[i]);
        const auto g = static_cast<unsigned char>(geheim[i]);
        if (!istBuchstabe(k))
            continue;
        const QChar gz = QChar(char16_t { verschl::GrossBuchstabe(g) });
        const QChar kz = QChar(char16_t { verschl::GrossBuchstabe(k) });
        if (w.aufgabe == Aufgabe::VigenereEntschluesseln) {
            const QChar schluessel = QChar(u'A' + (nummer(g) - nummer(k) + 26) % 26);
            schritte << QStringLiteral("%1 mit Schlüsselbuchstabe %2: In der Zeile %2 steht %1 in "
                                       "der Spalte %3, also %3.")
                            .arg(gz, schluessel, kz);
        } else {
            schritte << QStringLiteral("%1 um %2 Stellen zurück im Alphabet: %3")
                            .arg(gz)
                            .arg(w.verschiebung)
                            .arg(kz);
        }
    }
    return schritte;
}

// The first block of a document starts its first page; later ones a new page.
void neueSeite(QTextCursor &cursor)
{
    if (cursor.block().previous().isValid()) {
        QTextBlockFormat umbruch = cursor.blockFormat();
        umbruch.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(umbruch);
    }
}

// The ciphertext line by line, broken after the last blank that fits, with
// room to answer under each line.
void antwortzeilen(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    const bool gitter = istMatrix(w.aufgabe);
    // Vigenère: a row for the key letters above the answer.
    const int reihen = istVigenere(w.aufgabe) ? 2 : 1;
    const std::string_view text(geheim);
    std::size_t anfang = 0;
    while (anfang <= text.size()) {
        std::size_t ende = std::min(text.find('\n', anfang), text.size());
        std::size_t weiter = ende + 1;
        if (ende - anfang > Abbildungen::kZeichenJeZeile) {
            const std::size_t blank
                = text.substr(anfang, Abbildungen::kZeichenJeZeile).find_last_of(' ');
            ende = anfang
                + (blank == std::string_view::npos ? Abbildungen::kZeichenJeZeile - 1 : blank) + 1;
            weiter = ende;
        }
        QString zeile = codepage::AlsPanetext(verschl::Text(text.substr(anfang, ende - anfang)));
        // A blank takes a cell of the grid, and one at the end would not show.
        if (gitter)
            zeile.replace(u' ', u'\u2423');
        // An empty line keeps its gap, with nothing to answer.
        Abbildungen::Antwortzeile(
            cursor, zeile, w.antwortfeld, zeile.isEmpty() ? 0 : reihen, gitter, anfang == 0);
        anfang = weiter;
    }
}

// One variant's sheet, on pages of its own.
void blatt(
    QTextCursor &cursor, const Blattwahl &w, int nummer, const verschl::Text &klar, bool mehrzeilig)
{
    papier::Ueberschrift(cursor, w.titel, 18);
    neueSeite(cursor);
    if (w.varianten > 1)
        papier::Ueberschrift(cursor, QStringLiteral("Variante %1").arg(nummer), 12);
    if (w.namenszeile)
        papier::Absatz(cursor,
            QStringLiteral("Name: ____________________   Klasse: ________   Datum: ____________"));
    papier::Absatz(cursor, aufgabentext(w) + (mehrzeilig ? zeilenregel(w) : QString()));
    const verschl::Text geheim = Geheimtext(w, klar);
    if (const QString v = vorgabe(w, geheim.size()); !v.isEmpty())
        papier::Absatz(cursor, v);
    abbildungen(cursor, w, geheim);
    antwortzeilen(cursor, w, geheim);
}

// The answer key of every variant: the plaintext they share, then each
// variant's key and first letters worked through.
void loesungen(
    QTextCursor &cursor, const std::vector<Blattwahl> &varianten, const verschl::Text &klar)
{
    const Blattwahl &w = varianten.front();
    papier::Ueberschrift(cursor, QStringLiteral("Lösung: ") + w.titel, 16);
    neueSeite(cursor);
    papier::Ueberschrift(cursor,
        varianten.size() > 1 ? QStringLiteral("Klartext aller Varianten")
                             : QStringLiteral("Klartext"),
        12);
    papier::Paneabsatz(cursor, alsZeilen(klar), schreibmaschine());
    papier::Absatz(cursor, {});
    for (std::size_t i = 0; i < varianten.size(); ++i) {
        const Blattwahl &v = varianten[i];
        if (varianten.size() > 1) {
            papier::Ueberschrift(cursor, QStringLiteral("Variante %1").arg(i + 1), 12);
            // A cracking task's answer fills a page or more: each starts one.
            if (i > 0 && knackblatt::IstKnackaufgabe(v.aufgabe))
                neueSeite(cursor);
        }
        const verschl::Text geheim = Geheimtext(v, klar);
        if (knackblatt::IstKnackaufgabe(v.aufgabe)) {
            knackblatt::Loesung(cursor, v, geheim);
            continue;
        }
        if (v.aufgabe == Aufgabe::CaesarKnacken)
            papier::Absatz(cursor, QStringLiteral("Verschiebung: %1").arg(v.verschiebung));
        else
            papier::Absatz(cursor, vorgabe(v, geheim.size()));
        if (v.aufgabe == Aufgabe::MatrixEntschluesseln)
            continue;
        papier::Absatz(cursor, QStringLiteral("Die ersten drei Buchstaben:"));
        for (const QString &schritt : vorgerechnet(v, klar, geheim))
            papier::Absatz(cursor, schritt);
    }
}

} // namespace

// Rows and lines are counted from the text alone: a sheet beyond the bounds
// is never built, as printing or previewing it would never finish.
QString Hindernis(const Blattwahl &w, const verschl::Text &klartext)
{
    if (istVigenere(w.aufgabe) && w.schluessel.empty())
        return QStringLiteral("Der Schlüssel ist leer.");
    // The Kasiski table ticks the divisors up to the longest key.
    if (w.aufgabe == Aufgabe::VigenereKnacken
        && w.schluessel.size() > std::size_t(knackblatt::kLaengsterSchluessel))
        return QStringLiteral("Zum Knacken darf der Schlüssel höchstens %1 Buchstaben haben.")
            .arg(knackblatt::kLaengsterSchluessel);
    if (w.aufgabe == Aufgabe::SubstitutionKnacken && w.substitution.empty())
        return QStringLiteral("Es fehlt ein Schlüsselwort oder Geheimalphabet.");
    const std::size_t anzahl = std::size_t(std::max(w.varianten, 1));
    const QString varianten
        = anzahl > 1 ? QStringLiteral(" (in %1 Varianten zusammen)").arg(anzahl) : QString();
    const auto zuLang = [&](std::size_t zeichen) {
        return QStringLiteral("Der Text ist für ein Arbeitsblatt zu lang: Es sind %1 Zeichen%3, "
                              "höchstens %2 passen. Kürzen Sie ihn oder drucken Sie ihn mit "
                              "„Datei › Drucken...“.")
            .arg(zeichen)
            .arg(kHoechstlaenge)
            .arg(varianten);
    };
    // Preparing a pane of MiBs would hold the window for a second, and only
    // a text of mostly blanks could shrink below the bound.
    if (klartext.size() > 4 * kHoechstlaenge)
        return zuLang(klartext.size() * anzahl);
    const verschl::Text klar = Blattklartext(w, klartext);
    if (klar.size() * anzahl > kHoechstlaenge)
        return zuLang(klar.size() * anzahl);
    int zeilen = 0;
    for (const Blattwahl &v : Varianten(w, klar))
        zeilen += Gitterzeilen(v, klar.size());
    if (zeilen > kHoechsteGitterzeilen)
        return anzahl > 1 || w.aufgabe == Aufgabe::MatrixKnacken
            ? QStringLiteral("Die Gitter hätten %1 Zeilen%3, höchstens %2 passen auf ein "
                             "Arbeitsblatt. Wählen Sie %4 oder kürzen Sie den Text.")
                  .arg(zeilen)
                  .arg(kHoechsteGitterzeilen)
                  .arg(varianten,
                      anzahl > 1 ? QStringLiteral("weniger Varianten")
                                 : QStringLiteral("mehr Spalten"))
            : QStringLiteral("Das Gitter hätte %1 Zeilen, höchstens %2 passen auf ein "
                             "Arbeitsblatt. Wählen Sie mindestens %3 Spalten oder kürzen Sie "
                             "den Text.")
                  .arg(zeilen)
                  .arg(kHoechsteGitterzeilen)
                  .arg((klar.size() + kHoechsteGitterzeilen - 1) / kHoechsteGitterzeilen);
    if (const auto zeilen = std::size_t(std::count(klar.begin(), klar.end(), '\n') + 1) * anzahl;
        zeilen > kHoechsteTextzeilen)
        return QStringLiteral("Der Text hat %1 Zeilen%3, höchstens %2 passen auf ein "
                              "Arbeitsblatt. Kürzen Sie ihn.")
            .arg(zeilen)
            .arg(kHoechsteTextzeilen)
            .arg(varianten);
    // Breaking a text that was never encrypted teaches nothing: a key of
    // only A, an alphabet in order, a single row or column.
    const verschl::Text geheim = Geheimtext(w, klar);
    if (knackblatt::IstKnackaufgabe(w.aufgabe) && geheim.compare(0, klar.size(), klar) == 0)
        return QStringLiteral("Mit diesem Schlüssel bliebe der Text, wie er ist. Wählen Sie "
                              "einen anderen.");
    return {};
}

QString Hinweis(const Blattwahl &w, const verschl::Text &klartext)
{
    if (w.aufgabe != Aufgabe::VigenereKnacken)
        return {};
    const verschl::Text klar = Blattklartext(w, klartext);
    const std::vector<Blattwahl> varianten = Varianten(w, klar);
    QStringList ohne;
    for (std::size_t i = 0; i < varianten.size(); ++i) {
        if (!knackblatt::HatWiederholungen(varianten[i], Geheimtext(varianten[i], klar)))
            ohne << QString::number(i + 1);
    }
    if (ohne.isEmpty())
        return {};
    const QString wo = varianten.size() == 1
        ? QStringLiteral("Im Geheimtext")
        : QStringLiteral("Im Geheimtext der Variante %1").arg(ohne.join(QStringLiteral(", ")));
    return wo
        + QStringLiteral(" wiederholt sich keine Gruppe aus drei oder mehr Buchstaben: Die "
                         "Kasiski-Tabelle bleibt leer. Ein längerer Text oder ein kürzerer "
                         "Schlüssel hilft.");
}

int Gitterzeilen(const Blattwahl &w, std::size_t laenge)
{
    if (w.aufgabe == Aufgabe::MatrixKnacken)
        return knackblatt::Gitterzeilen(w, laenge);
    if (w.aufgabe != Aufgabe::MatrixEntschluesseln)
        return 0;
    const auto spalten = std::size_t(std::max(w.spalten, 1));
    return int((laenge + spalten - 1) / spalten);
}

verschl::Text Beispieltext()
{
    return "Treffpunkt ist morgen um drei Uhr am alten Leuchtturm. Bringt eine Taschenlampe mit!";
}

verschl::Text Blattklartext(const Blattwahl &w, const verschl::Text &klartext)
{
    verschl::Text vorbereitet = klartext;
    for (const auto &[an, schritt] : kVorbereitungen) {
        if (w.*an)
            vorbereitet = schritt(vorbereitet);
    }
    const char zeilenende = istMatrix(w.aufgabe) ? ' ' : '\n';
    verschl::Text klar;
    klar.reserve(vorbereitet.size());
    for (std::size_t i = 0; i < vorbereitet.size(); ++i) {
        const char b = vorbereitet[i];
        if (b == '\r' && i + 1 < vorbereitet.size() && vorbereitet[i + 1] == '\n')
            continue; // the LF that follows ends the line
        // A tab would break the answer boxes' columns; pupils write a blank.
        klar += b == '\r' || b == '\n' ? zeilenende : b == '\t' ? ' ' : b;
    }
    return w.fuenfergruppen ? inFuenfergruppen(klar) : klar;
}

std::unique_ptr<QTextDocument> BaueArbeitsblatt(
    const Blattwahl &w, const verschl::Text &klartext, Teil teil)
{
    std::unique_ptr<QTextDocument> dokument = papier::NeuesDokument();
    Abbildungen::Anmelden(*dokument);
    const verschl::Text klar = Blattklartext(w, klartext);
    const std::vector<Blattwahl> varianten = Varianten(w, klar);
    QTextCursor cursor(dokument.get());
    if (teil != Teil::Loesungen) {
        // Groups of five leave no line ends to explain.
        const bool mehrzeilig
            = !w.fuenfergruppen && klartext.find_first_of("\r\n") != verschl::Text::npos;
        for (std::size_t i = 0; i < varianten.size(); ++i)
            blatt(cursor, varianten[i], int(i) + 1, klar, mehrzeilig);
    }
    if (teil == Teil::Loesungen || (teil == Teil::Alles && w.loesung))
        loesungen(cursor, varianten, klar);
    return dokument;
}
