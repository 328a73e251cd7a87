// SPDX-License-Identifier: GPL-3.0-or-later
#include "knackblatt.h"

#include "abbildungen.h"
#include "analyse/analyse.h"
#include "papier/papier.h"
#include "platform/codepage.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QTextCursor>

namespace knackblatt {

namespace {

constexpr int kKleinsterTeiler = 2;
// Count tables on a sheet that keeps the key length to itself: enough for
// the keys a class is given, and the sheet says to draw more for longer ones.
constexpr int kOffeneSpalten = 6;
// A long text repeats hundreds of groups: the table takes this many
// distances, at least kLeereZeilen empty ones, in parts that fit a page.
constexpr int kKasiskiZeilen = 30;
constexpr int kLeereZeilen = 8;
constexpr int kKasiskiZeilenJeTeil = 15;
constexpr int kProbegitter = 4;

const verschl::Text kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

QStringList zeichen(const QString &text)
{
    QStringList einzeln;
    for (const QChar z : text)
        einzeln << QString(z == u' ' ? u'\u2423' : z);
    return einzeln;
}

QString anzahlen(const analyse::Haeufigkeiten &h, int i)
{
    return QString::number(h.buchstaben[std::size_t(i)]);
}

// The count row of a table headed `kopf`, filled from `zaehlung` when given.
Abbildungen::Tabelle zaehltabelle(
    const QString &kopf, const analyse::Haeufigkeiten *zaehlung, const QString &titel = {})
{
    Abbildungen::Tabelle t = Abbildungen::Buchstabentabelle(kopf, QStringLiteral("Anzahl"));
    t.titel = titel;
    for (int i = 0; zaehlung && i < 26; ++i)
        t.zellen << anzahlen(*zaehlung, i);
    return t;
}

// Two neighbouring occurrences of a repeated group, a row of the table, as
// the Knacken window lists them.
struct Abstand
{
    QString gruppe;
    std::size_t von = 0, bis = 0; // key position counters
};

std::vector<Abstand> abstaende(const Blattwahl &w, const verschl::Text &geheim)
{
    std::vector<Abstand> liste;
    for (const analyse::Wiederholung &g :
        analyse::Wiederholungen(geheim, w.sonderzeichenIgnorieren)) {
        for (std::size_t k = 1; k < g.vorkommen.size(); ++k)
            liste.push_back({ QString::fromLatin1(g.gruppe), g.vorkommen[k - 1].stelle,
                g.vorkommen[k].stelle });
    }
    return liste;
}

// Pupils count from 1, and tick each divisor of the distance.
QStringList kasiskizeile(const Abstand &a)
{
    const std::size_t abstand = a.bis - a.von;
    QStringList zeile { a.gruppe, QStringLiteral("%1, %2").arg(a.von + 1).arg(a.bis + 1),
        QString::number(abstand) };
    for (int t = kKleinsterTeiler; t <= kLaengsterSchluessel; ++t)
        zeile << (abstand % std::size_t(t) == 0 ? QStringLiteral("✓") : QString());
    return zeile;
}

// `zeilen` rows, the first ones filled with `zellen`.
void kasiski(QTextCursor &cursor, int zeilen, const QStringList &zellen)
{
    Abbildungen::Tabelle t;
    t.kopf << QStringLiteral("Gruppe") << QStringLiteral("Positionen") << QStringLiteral("Abstand");
    t.breitenMm << 18 << 28 << 16;
    constexpr int teiler = kLaengsterSchluessel - kKleinsterTeiler + 1;
    for (int teil = kKleinsterTeiler; teil <= kLaengsterSchluessel; ++teil) {
        t.kopf << QString::number(teil);
        t.breitenMm << (165.0 - 62) / teiler;
    }
    t.hoeheMm = 7;
    const auto breite = t.kopf.size();
    for (int oben = 0; oben < zeilen; oben += kKasiskiZeilenJeTeil) {
        t.titel = oben == 0 ? QStringLiteral("Kasiski-Tabelle")
                            : QStringLiteral("Kasiski-Tabelle, weiter");
        t.zeilen = std::min(kKasiskiZeilenJeTeil, zeilen - oben);
        t.zellen = zellen.mid(oben * breite, t.zeilen * breite);
        Abbildungen::FuegeEin(cursor, t);
    }
}

// Each column's letters as the cipher took its key letters.
std::vector<analyse::Haeufigkeiten> spaltenzaehlung(const Blattwahl &w, const verschl::Text &geheim)
{
    const std::vector<int> stellen = verschl::VigenereSchluesselstellen(
        geheim, w.schluessel.size(), w.sonderzeichenIgnorieren);
    std::vector<verschl::Text> spalten(w.schluessel.size());
    for (std::size_t i = 0; i < geheim.size(); ++i) {
        if (stellen[i] >= 0)
            spalten[std::size_t(stellen[i])] += geheim[i];
    }
    std::vector<analyse::Haeufigkeiten> zaehlung;
    for (const verschl::Text &spalte : spalten)
        zaehlung.push_back(analyse::Zaehle(spalte));
    return zaehlung;
}

void vigenereBlatt(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    kasiski(
        cursor, std::clamp(int(abstaende(w, geheim).size()) + 2, kLeereZeilen, kKasiskiZeilen), {});
    const int spalten = w.laengeVerraten ? int(w.schluessel.size()) : kOffeneSpalten;
    for (int n = 1; n <= spalten; ++n)
        Abbildungen::FuegeEin(cursor,
            zaehltabelle(QStringLiteral("Spalte %1").arg(n), nullptr,
                n == 1 ? QStringLiteral("Buchstaben je Spalte") : QString()));
}

void vigenereLoesung(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    papier::Absatz(cursor,
        QStringLiteral("Schlüssel: %1 (Sonderzeichen ignorieren: %2)")
            .arg(QString::fromLatin1(verschl::InGrossschrift(w.schluessel)),
                w.sonderzeichenIgnorieren ? QStringLiteral("ja") : QStringLiteral("nein")));
    papier::Absatz(cursor, QStringLiteral("Schlüssellänge: %1").arg(w.schluessel.size()));
    const std::vector<Abstand> liste = abstaende(w, geheim);
    if (liste.empty()) {
        papier::Absatz(cursor,
            QStringLiteral("Im Geheimtext wiederholt sich keine Gruppe aus drei oder mehr "
                           "Buchstaben."));
    } else {
        const int zeilen = std::min(int(liste.size()), kKasiskiZeilen);
        QStringList zellen;
        for (int i = 0; i < zeilen; ++i)
            zellen << kasiskizeile(liste[std::size_t(i)]);
        kasiski(cursor, zeilen, zellen);
        if (int(liste.size()) > zeilen)
            papier::Absatz(
                cursor, QStringLiteral("… und %1 weitere Abstände.").arg(liste.size() - zeilen));
    }
    const std::vector<analyse::Haeufigkeiten> zaehlung = spaltenzaehlung(w, geheim);
    for (std::size_t n = 0; n < zaehlung.size(); ++n) {
        const char buchstabe = char(verschl::GrossBuchstabe(w.schluessel[n]));
        const verschl::Text e = verschl::CaesarVerschieben("E", buchstabe - 'A');
        Abbildungen::FuegeEin(cursor,
            zaehltabelle(QStringLiteral("Spalte %1").arg(n + 1), &zaehlung[n],
                QStringLiteral("Spalte %1: Schlüsselbuchstabe %2, aus E wird %3")
                    .arg(n + 1)
                    .arg(QString(QLatin1Char(buchstabe)), QString::fromLatin1(e))));
    }
}

int zeilen(std::size_t laenge, int spalten)
{
    return int((laenge + std::size_t(spalten) - 1) / std::size_t(spalten));
}

void matrixBlatt(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    for (const int n : Probespalten(w.spalten, geheim.size()))
        Abbildungen::Gitter(cursor, n, zeilen(geheim.size(), n), {},
            QStringLiteral("Gitter mit %1 Spalten").arg(n));
}

void matrixLoesung(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    const int spalten = std::max(w.spalten, 1);
    papier::Absatz(cursor, QStringLiteral("Spaltenzahl: %1").arg(spalten));
    const verschl::Text klar = verschl::MatrixEntschluesseln(geheim, { true, spalten });
    Abbildungen::Gitter(cursor, spalten, zeilen(geheim.size(), spalten),
        zeichen(codepage::AlsPanetext(klar)),
        QStringLiteral("Das Gitter, Zeile für Zeile gelesen der Klartext"));
}

void substitutionBlatt(QTextCursor &cursor)
{
    Zaehlhilfe(cursor);
    Abbildungen::Tabelle zuordnung
        = Abbildungen::Buchstabentabelle(QStringLiteral("Geheim"), QStringLiteral("Klar"));
    zuordnung.titel = QStringLiteral("Deine Zuordnung: Schreibe unter jeden "
                                     "Geheimtextbuchstaben den Klartextbuchstaben, den du "
                                     "vermutest.");
    Abbildungen::FuegeEin(cursor, zuordnung);
}

void substitutionLoesung(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    const verschl::Text alphabet = Geheimalphabet(w.substitution).value_or(kAlphabet);
    papier::Absatz(cursor, QStringLiteral("Geheimalphabet: %1").arg(QString::fromLatin1(alphabet)));
    if (!IstAlphabet(w.substitution))
        papier::Absatz(
            cursor, QStringLiteral("Schlüsselwort: %1").arg(QString::fromLatin1(w.substitution)));
    Abbildungen::Tabelle zuordnung
        = Abbildungen::Buchstabentabelle(QStringLiteral("Geheim"), QStringLiteral("Klar"));
    zuordnung.titel = QStringLiteral("Die Zuordnung");
    zuordnung.zellen << zeichen(QString::fromLatin1(
        verschl::SubstitutionEntschluesseln(kAlphabet, alphabet).value_or(kAlphabet)));
    Abbildungen::FuegeEin(cursor, zuordnung);
    const analyse::Haeufigkeiten zaehlung = analyse::Zaehle(geheim);
    Abbildungen::FuegeEin(cursor,
        zaehltabelle(QStringLiteral("Buchstabe"), &zaehlung, QStringLiteral("Die Zählung")));
}

} // namespace

bool IstKnackaufgabe(Aufgabe aufgabe)
{
    return aufgabe == Aufgabe::VigenereKnacken || aufgabe == Aufgabe::MatrixKnacken
        || aufgabe == Aufgabe::SubstitutionKnacken;
}

QString Aufgabentext(const Blattwahl &w)
{
    switch (w.aufgabe) {
    case Aufgabe::VigenereKnacken:
        return QStringLiteral(
                   "Dieser Text wurde mit dem Vigenère-Verfahren verschlüsselt, den Schlüssel "
                   "verraten wir nicht. Suche Gruppen aus drei oder mehr Buchstaben, die sich "
                   "wiederholen, und trage sie mit ihren Positionen und ihrem Abstand in die "
                   "Kasiski-Tabelle ein. Kreuze an, durch welche Zahlen der Abstand teilbar "
                   "ist: Die Zahl mit den meisten Kreuzen ist wahrscheinlich die "
                   "Schlüssellänge L. Zur Spalte 1 gehören die Positionen 1, 1 + L, 1 + 2·L "
                   "und so weiter. Zähle die Buchstaben jeder Spalte: Der häufigste ist oft "
                   "ein E, und wie weit er im Alphabet von E entfernt ist, verrät den "
                   "Schlüsselbuchstaben. ")
            + (w.sonderzeichenIgnorieren
                    ? QStringLiteral("Zähle beim Nummerieren nur die Buchstaben.")
                    : QStringLiteral("Zähle beim Nummerieren jedes Zeichen mit, auch "
                                     "Leerzeichen und Satzzeichen."));
    case Aufgabe::MatrixKnacken:
        return QStringLiteral(
            "Dieser Text wurde mit der Matrix-Verschlüsselung verschlüsselt, die Spaltenzahl "
            "verraten wir nicht. Schreibe den Geheimtext in die Gitter, Spalte für Spalte von "
            "oben nach unten, auch die Leerzeichen (␣), und lies ihn Zeile für Zeile. In einem "
            "Gitter ergibt sich ein deutscher Text. Tipp: Die Verschlüsselung füllt die letzte "
            "Zeile mit Leerzeichen auf, die Zahl der Zeichen ist also ein Vielfaches der "
            "Spaltenzahl.");
    case Aufgabe::SubstitutionKnacken:
        return QStringLiteral(
            "Dieser Text wurde mit einem Geheimalphabet verschlüsselt: Jeder Buchstabe steht "
            "immer für denselben anderen. Zähle, wie oft jeder Buchstabe vorkommt, und "
            "vergleiche mit den Häufigkeiten im Deutschen. Häufige Paare wie EN, ER und CH "
            "und kurze Wörter wie DER, DIE und UND helfen weiter.");
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::CaesarKnacken:
        break;
    }
    return {};
}

QString Vorgabe(const Blattwahl &w, std::size_t geheimlaenge)
{
    switch (w.aufgabe) {
    case Aufgabe::VigenereKnacken:
        return w.laengeVerraten
            ? QStringLiteral("Der Schlüssel hat %1 Buchstaben.").arg(w.schluessel.size())
            : QStringLiteral("Die Schlüssellänge verraten wir nicht. Die Tabellen unten reichen "
                             "für %1 Spalten; ist der Schlüssel länger, zeichne weitere dazu.")
                  .arg(kOffeneSpalten);
    case Aufgabe::MatrixKnacken: {
        QStringList zahlen;
        for (const int n : Probespalten(w.spalten, geheimlaenge))
            zahlen << QString::number(n);
        return QStringLiteral("Der Geheimtext hat %1 Zeichen. Eine dieser Spaltenzahlen ist die "
                              "richtige: %2.")
            .arg(geheimlaenge)
            .arg(zahlen.join(QStringLiteral(", ")));
    }
    case Aufgabe::SubstitutionKnacken:
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::CaesarKnacken:
        break;
    }
    return {};
}

namespace {

// A cracking task's figures on the pupils' sheet and on the answer page.
struct Teile
{
    using Zeichner = void (*)(QTextCursor &, const Blattwahl &, const verschl::Text &);
    Zeichner blatt, loesung;
};

const Teile *teile(Aufgabe aufgabe)
{
    static const Teile vigenere { vigenereBlatt, vigenereLoesung };
    static const Teile matrix { matrixBlatt, matrixLoesung };
    static const Teile substitution { [](QTextCursor &cursor, const Blattwahl &,
                                          const verschl::Text &) { substitutionBlatt(cursor); },
        substitutionLoesung };
    switch (aufgabe) {
    case Aufgabe::VigenereKnacken:
        return &vigenere;
    case Aufgabe::MatrixKnacken:
        return &matrix;
    case Aufgabe::SubstitutionKnacken:
        return &substitution;
    case Aufgabe::CaesarEntschluesseln:
    case Aufgabe::VigenereEntschluesseln:
    case Aufgabe::MatrixEntschluesseln:
    case Aufgabe::CaesarKnacken:
        break;
    }
    return nullptr;
}

} // namespace

void Abbildungen(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    if (const Teile *t = teile(w.aufgabe))
        t->blatt(cursor, w, geheim);
}

void Loesung(QTextCursor &cursor, const Blattwahl &w, const verschl::Text &geheim)
{
    if (const Teile *t = teile(w.aufgabe))
        t->loesung(cursor, w, geheim);
}

bool HatWiederholungen(const Blattwahl &w, const verschl::Text &geheim)
{
    return !analyse::Wiederholungen(geheim, w.sonderzeichenIgnorieren).empty();
}

void Zaehlhilfe(QTextCursor &cursor)
{
    Abbildungen::FuegeEin(cursor,
        zaehltabelle(QStringLiteral("Buchstabe"), nullptr, QStringLiteral("Deine Zählung")));
    papier::Absatz(cursor, QStringLiteral("Buchstabenhäufigkeiten im Deutschen (Prozent):"));
    Abbildungen::FuegeEin(cursor, Abbildungen::Art::Balken);
}

// A 1-column grid is the ciphertext itself: it is offered only when it is
// the right one.
std::vector<int> Probespalten(int spalten, std::size_t geheimlaenge)
{
    spalten = std::max(spalten, 1);
    // No more columns than characters: their grids would hold one row.
    const int hoechstens
        = std::max(spalten, int(std::min<std::size_t>(geheimlaenge, spalten + kProbegitter)));
    std::vector<int> kandidaten;
    for (int n = std::min(2, spalten); n <= hoechstens; ++n)
        kandidaten.push_back(n);
    const auto rang = [&](int n) {
        return std::pair { geheimlaenge % std::size_t(n) != 0, std::abs(n - spalten) };
    };
    std::stable_sort(
        kandidaten.begin(), kandidaten.end(), [&](int a, int b) { return rang(a) < rang(b); });
    kandidaten.resize(std::min<std::size_t>(kandidaten.size(), kProbegitter));
    std::sort(kandidaten.begin(), kandidaten.end());
    return kandidaten;
}

int Gitterzeilen(const Blattwahl &w, std::size_t klarlaenge)
{
    const int spalten = std::max(w.spalten, 1);
    const std::size_t geheimlaenge
        = std::size_t(zeilen(klarlaenge, spalten)) * std::size_t(spalten);
    int summe = zeilen(geheimlaenge, spalten);
    for (const int n : Probespalten(spalten, geheimlaenge))
        summe += zeilen(geheimlaenge, n);
    return summe;
}

} // namespace knackblatt
