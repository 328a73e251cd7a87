// SPDX-License-Identifier: GPL-3.0-or-later
#include "arbeitsblatt/blatt.h"

#include "abbildungen.h"
#include "papier/papier.h"

#include <algorithm>
#include <QTextCursor>
#include <QTextDocument>

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

bool istBuchstabe(unsigned char b) { return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
int nummer(unsigned char b) { return verschl::GrossBuchstabe(b) - 'A'; }

// What the task says about a text of several lines.
QString zeilenregel(const Blattwahl &w)
{
    switch (w.aufgabe) {
    case Aufgabe::MatrixEntschluesseln:
        return QStringLiteral(" Wo im Klartext eine neue Zeile beginnt, steht ein Leerzeichen.");
    case Aufgabe::VigenereEntschluesseln:
        return w.sonderzeichenIgnorieren
            ? QString()
            : QStringLiteral(" Jedes Zeilenende bekommt wie ein Leerzeichen einen "
                             "Schlüsselbuchstaben.");
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::CaesarKnacken:
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
                "die innere Scheibe entlang der gestrichelten Linie aus, stecke sie mit "
                "einer Klammer durch die Mitte auf den äußeren Ring und drehe sie um "
                "die Verschiebung. Innen steht der Klartext, außen der Geheimtext.");
    case Aufgabe::VigenereEntschluesseln:
        return QStringLiteral(
            "Der Text unten wurde mit dem Vigenère-Verfahren verschlüsselt. Schreibe "
            "den Schlüssel immer wieder unter den Geheimtext. Suche die Zeile des "
            "Schlüsselbuchstabens, darin den Geheimtextbuchstaben: Der Kopf seiner "
            "Spalte ist der Klartextbuchstabe.");
    case Aufgabe::MatrixEntschluesseln:
        return QStringLiteral(
            "Der Text unten wurde mit der Matrix-Verschlüsselung verschlüsselt. "
            "Schreibe den Geheimtext Spalte für Spalte von oben nach unten in das "
            "Gitter, auch die Leerzeichen (␣). Dann lies ihn Zeile für Zeile.");
    case Aufgabe::CaesarKnacken:
        return QStringLiteral("Dieser Text wurde mit der Caesar-Verschiebung verschlüsselt, die "
                              "Verschiebung verraten wir nicht. Zähle, wie oft jeder Buchstabe "
                              "vorkommt, und vergleiche mit den Häufigkeiten im Deutschen: Der "
                              "häufigste Buchstabe ist oft ein E.");
    }
    return {};
}

// The setting the pupils are given; the cracking task gives none.
QString vorgabe(const Blattwahl &w)
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
    }
    return {};
}

void abbildungen(QTextCursor &cursor, const Blattwahl &w, std::size_t laenge)
{
    using Art = Abbildungen::Art;
    switch (w.aufgabe) {
    case Aufgabe::CaesarEntschluesseln:
        Abbildungen::FuegeEin(cursor, w.streifen ? Art::Streifen : Art::Scheibe);
        break;
    case Aufgabe::VigenereEntschluesseln:
        Abbildungen::FuegeEin(cursor, Art::Quadrat);
        break;
    case Aufgabe::MatrixEntschluesseln: {
        const int zeilen = Gitterzeilen(w, laenge);
        for (int oben = 0; oben < zeilen; oben += Abbildungen::kGitterzeilenJeTeil)
            Abbildungen::FuegeEin(cursor, Art::Gitter, w.spalten,
                std::min(Abbildungen::kGitterzeilenJeTeil, zeilen - oben));
        break;
    }
    case Aufgabe::CaesarKnacken:
        papier::Absatz(cursor, QStringLiteral("Deine Zählung:"));
        Abbildungen::FuegeEin(cursor, Art::Tabelle);
        papier::Absatz(cursor, QStringLiteral("Buchstabenhäufigkeiten im Deutschen (Prozent):"));
        Abbildungen::FuegeEin(cursor, Art::Balken);
        break;
    }
}

// The ciphertext the pupils get: the sheet's plaintext encrypted as the task says.
verschl::Text Geheimtext(const Blattwahl &w, const verschl::Text &klartext)
{
    switch (w.aufgabe) {
    case Aufgabe::VigenereEntschluesseln:
        return verschl::VigenereVerschluesseln(klartext, w.schluessel, w.sonderzeichenIgnorieren)
            .value_or(klartext);
    case Aufgabe::MatrixEntschluesseln:
        return verschl::MatrixVerschluesseln(klartext, { true, w.spalten });
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

void loesung(
    QTextCursor &cursor, const Blattwahl &w, const verschl::Text &klar, const verschl::Text &geheim)
{
    QTextBlockFormat umbruch;
    umbruch.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(umbruch, QTextCharFormat());
    papier::Ueberschrift(cursor, QStringLiteral("Lösung: ") + w.titel, 16);
    papier::Ueberschrift(cursor, QStringLiteral("Klartext"), 12);
    papier::Paneabsatz(cursor, alsZeilen(klar), schreibmaschine());
    papier::Absatz(cursor, {});
    if (w.aufgabe == Aufgabe::CaesarKnacken)
        papier::Absatz(cursor, QStringLiteral("Verschiebung: %1").arg(w.verschiebung));
    else
        papier::Absatz(cursor, vorgabe(w));
    if (w.aufgabe != Aufgabe::MatrixEntschluesseln) {
        papier::Ueberschrift(cursor, QStringLiteral("Die ersten drei Buchstaben"), 12);
        for (const QString &schritt : vorgerechnet(w, klar, geheim))
            papier::Absatz(cursor, schritt);
    }
}

} // namespace

// Rows and lines are counted from the text alone: a sheet beyond the bounds
// is never built, as printing or previewing it would never finish.
QString Hindernis(const Blattwahl &w, const verschl::Text &klartext)
{
    if (klartext.size() > kHoechstlaenge)
        return QStringLiteral("Der Text ist für ein Arbeitsblatt zu lang: Es sind %1 Zeichen, "
                              "höchstens %2 passen. Kürzen Sie ihn oder drucken Sie ihn mit "
                              "„Datei › Drucken...“.")
            .arg(klartext.size())
            .arg(kHoechstlaenge);
    if (w.aufgabe == Aufgabe::VigenereEntschluesseln && w.schluessel.empty())
        return QStringLiteral("Der Schlüssel ist leer.");
    const verschl::Text klar = Blattklartext(w, klartext);
    if (const int zeilen = Gitterzeilen(w, klar.size()); zeilen > kHoechsteGitterzeilen)
        return QStringLiteral("Das Gitter hätte %1 Zeilen, höchstens %2 passen auf ein "
                              "Arbeitsblatt. Wählen Sie mindestens %3 Spalten oder kürzen Sie "
                              "den Text.")
            .arg(zeilen)
            .arg(kHoechsteGitterzeilen)
            .arg((klar.size() + kHoechsteGitterzeilen - 1) / kHoechsteGitterzeilen);
    if (const auto zeilen = std::count(klar.begin(), klar.end(), '\n') + 1;
        zeilen > kHoechsteTextzeilen)
        return QStringLiteral("Der Text hat %1 Zeilen, höchstens %2 passen auf ein Arbeitsblatt. "
                              "Kürzen Sie ihn.")
            .arg(zeilen)
            .arg(kHoechsteTextzeilen);
    return {};
}

int Gitterzeilen(const Blattwahl &w, std::size_t laenge)
{
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
    const char zeilenende = w.aufgabe == Aufgabe::MatrixEntschluesseln ? ' ' : '\n';
    verschl::Text klar;
    klar.reserve(klartext.size());
    for (std::size_t i = 0; i < klartext.size(); ++i) {
        const char b = klartext[i];
        if (b == '\r' && i + 1 < klartext.size() && klartext[i + 1] == '\n')
            continue; // the LF that follows ends the line
        klar += b == '\r' || b == '\n' ? zeilenende : b;
    }
    return klar;
}

std::unique_ptr<QTextDocument> BaueArbeitsblatt(const Blattwahl &w, const verschl::Text &klartext)
{
    std::unique_ptr<QTextDocument> dokument = papier::NeuesDokument();
    Abbildungen::Anmelden(*dokument);
    const verschl::Text klar = Blattklartext(w, klartext);
    const verschl::Text geheim = Geheimtext(w, klar);
    QTextCursor cursor(dokument.get());
    papier::Ueberschrift(cursor, w.titel, 18);
    if (w.namenszeile)
        papier::Absatz(cursor,
            QStringLiteral("Name: ____________________   Klasse: ________   Datum: ____________"));
    const bool mehrzeilig = klartext.find_first_of("\r\n") != verschl::Text::npos;
    papier::Absatz(cursor, aufgabentext(w) + (mehrzeilig ? zeilenregel(w) : QString()));
    papier::Ueberschrift(cursor, QStringLiteral("Geheimtext"), 12);
    // Every blank takes a cell of the grid, and a blank where a line wraps
    // would not show: the matrix task marks each one.
    papier::Paneabsatz(cursor, alsZeilen(geheim), schreibmaschine(),
        w.aufgabe == Aufgabe::MatrixEntschluesseln ? papier::Leerzeichen::Sichtbar
                                                   : papier::Leerzeichen::Normal);
    papier::Absatz(cursor, {});
    if (const QString v = vorgabe(w); !v.isEmpty())
        papier::Absatz(cursor, v);
    abbildungen(cursor, w, geheim.size());
    if (w.loesung)
        loesung(cursor, w, klar, geheim);
    return dokument;
}
