// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaking the five methods as a lesson does it: letter frequencies, every
// Caesar shift scored against German, the Vigenère key length from the index
// of coincidence and from repeated trigrams, and the transposition's column
// count from German letter pairs. Pure functions on the engine's Text; no Qt.
// Every result carries a confidence a pupil can read, never a bare guess.

#include "cipher/verschl.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace analyse {

using verschl::Text;

enum class Sicherheit { sicher, wahrscheinlich, unsicher };
// "sicher", "wahrscheinlich", "unsicher"
const char *SicherheitText(Sicherheit sicherheit);

// Letters of a text: A-Z with upper and lower case folded together; the
// umlauts (Ä/ä, Ö/ö, Ü/ü) and ß counted apart, since no method shifts them.
struct Haeufigkeiten
{
    std::array<std::uint64_t, 26> buchstaben {};
    std::array<std::uint64_t, 4> umlaute {}; // Ä, Ö, Ü, ß
    std::uint64_t summe = 0; // letters A-Z only
    // The chance that two letters A-Z drawn from the text are equal; 0 below
    // two letters. German text gives about 0.076, random letters 0.038.
    double koinzidenzindex = 0;
};
Haeufigkeiten Zaehle(const Text &text);

// German reference tables, computed from a German corpus by
// analyse/referenz/tabellen.py: relative letter frequencies A-Z (summing to
// 1) and the natural logarithm of the probability of each letter pair, where
// pairs are taken from the corpus's letters with everything else removed.
const std::array<double, 26> &DeutscheBuchstaben();
double DeutschesPaar(int erster, int zweiter); // letter indices 0..25

// One candidate: a key length or column count with its score.
struct Kandidat
{
    int wert = 0;
    double punkte = 0; // meaning depends on the list; see each result
    // What the list is ordered by, highest first: punkte itself, or punkte
    // with the list's own lead (see each result). A list shows this number,
    // so that its order can be seen.
    double wertung = 0;
};

struct CaesarErgebnis
{
    // Chi-squared of the letter counts against German for every shift n,
    // where CaesarVerschieben(klartext, n) gives the ciphertext; lower fits
    // better. Index = shift 0..25.
    std::array<double, 26> chiQuadrat {};
    // How German each shift's decryption reads: the mean natural log
    // probability per symbol under the German 4-gram model (higher fits
    // better; German text about -1.9). Index = shift 0..25.
    std::array<double, 26> wertung {};
    // The shift with the highest wertung (the smaller one on a tie): which
    // letters follow which decides, not the letter count alone. It is
    // "unsicher" when the letter count would choose another.
    int verschiebung = 0;
    Sicherheit sicherheit = Sicherheit::unsicher;
};

// A Vigenère key worth trying, with the way it counts key positions and the
// mean natural log probability per symbol of its decryption under the German
// 4-gram model (higher fits better; German text about -1.9).
struct SchluesselKandidat
{
    std::string schluessel;
    bool sonderzeichenIgnorieren = true;
    double punkte = 0;
    // What the candidates are ordered by, highest first: punkte less the
    // charge for each key letter spread over the symbols, so that a longer
    // key does not win by fitting noise.
    double wertung = 0;
};

struct VigenereErgebnis
{
    // Key lengths 1..30 for the chart, best first (wertung = punkte).
    // laengenKoinzidenz: the mean index of coincidence of the columns
    // (higher fits better); laengenKasiski: how many times more often than
    // by chance the length divides the distances of repeated trigrams (the
    // share it divides times the length: 1 is chance, so length 1 always
    // scores 1; higher fits better, and a multiple of the key length ties
    // with it).
    std::vector<Kandidat> laengenKoinzidenz;
    std::vector<Kandidat> laengenKasiski;
    // The key in capital letters, reduced to its shortest period, and whether
    // only letters use up key positions (the method window's
    // "Sonderzeichen ignorieren"). Every key length 1..20 is solved in both
    // ways, and the decryption that fits German best wins once each key
    // letter is charged the fit it could buy by chance.
    std::string schluessel;
    bool sonderzeichenIgnorieren = true;
    // The winner first, then the best key of each other length and way.
    std::vector<SchluesselKandidat> schluesselKandidaten;
    Sicherheit sicherheit = Sicherheit::unsicher;
};

struct MatrixErgebnis
{
    // Column counts 1..100, best first, scored by the mean log probability of
    // the decryption's letter pairs (higher fits better). Their wertung puts
    // that score on a scale where German letters in random order give 0 and
    // German text gives 1, with a lead of 0.1 for a count whose rectangle the
    // ciphertext fills.
    std::vector<Kandidat> kandidaten;
    // The column count that MatrixEntschluesseln(geheim, {true, spalten})
    // needs, and whether it is also the count the square layout takes for
    // this length (then {false, ...} decrypts the same).
    int spalten = 1;
    bool quadratisch = false;
    Sicherheit sicherheit = Sicherheit::unsicher;
};

struct SubstitutionErgebnis
{
    // For each plain letter A-Z the capital cipher letter it becomes, '?'
    // where the text holds no cipher letter for it.
    std::string geheimalphabet;
    // The mean natural log probability per symbol of the decryption under the
    // German 4-gram model (higher fits better; German text about -1.9).
    double punkte = 0;
    // How many of the search's climbs ended at the answer's score.
    int treffer = 0;
    Sicherheit sicherheit = Sicherheit::unsicher;
};

struct Ergebnis
{
    Haeufigkeiten haeufigkeiten;
    CaesarErgebnis caesar;
    VigenereErgebnis vigenere;
    MatrixErgebnis matrix;
};

// Below this many letters A-Z no statement is sound: the whole analysis
// needs kMindestBuchstaben, Caesar answers from there; Vigenère and the
// matrix need kMindestBuchstabenSchluessel and are "unsicher" below it.
constexpr std::uint64_t kMindestBuchstaben = 10;
constexpr std::uint64_t kMindestBuchstabenSchluessel = 20;

// Each part alone, for the window's slices and the tests.
CaesarErgebnis AnalysiereCaesar(const Text &geheim, const Haeufigkeiten &haeufigkeiten);
VigenereErgebnis AnalysiereVigenere(const Text &geheim);
MatrixErgebnis AnalysiereMatrix(const Text &geheim);
// Verfeinert: the program's search. Neustarts, not for the program: the plain
// 4-gram hill climber, restarts from random alphabets without the word
// bonus, which the benchmark measures it against.
enum class Suchart { Verfeinert, Neustarts };
SubstitutionErgebnis AnalysiereSubstitution(const Text &geheim, Suchart art = Suchart::Verfeinert);

// A letter group of three or more that a Vigenère ciphertext repeats (the
// Kasiski test): the group in capitals and each occurrence, first to last.
// Only letters count; a group may run over the non-letters between them.
struct Wiederholung
{
    struct Vorkommen
    {
        // The key position counter of its first letter: the letter number
        // when only letters use up key positions, else the byte position.
        std::size_t stelle = 0;
        std::size_t von = 0, bis = 0; // its bytes [von, bis)
    };
    std::string gruppe;
    std::vector<Vorkommen> vorkommen; // at least two
};
// The groups as long as they repeat, each once, by their first occurrence.
std::vector<Wiederholung> Wiederholungen(const Text &geheim, bool sonderzeichenIgnorieren);

// Groups of letters A-Z side by side, case folded, that any other byte
// parts: single letters, pairs, runs of three, and pairs of one letter twice
// (counted among all pairs).
enum class Gruppenart { Einzeln, Paare, Dreier, Doppelte };
struct Gruppe
{
    std::string buchstaben; // capitals
    std::uint64_t anzahl = 0; // in the text; 0 for German
    double anteil = 0; // of all groups of its length
};
// A text's most frequent groups, most first (alphabetical on a tie).
std::vector<Gruppe> HaeufigsteGruppen(const Text &text, Gruppenart art, std::size_t hoechstens);
// German's, as the 4-gram model sees them: in text as written, or in text
// that has lost its blanks, where groups run on over the ends of words.
std::vector<Gruppe> DeutscheGruppen(Gruppenart art, bool leerzeichen, std::size_t hoechstens);
// Whether a text keeps the blanks between its words, as the model judges.
bool HatLeerzeichen(const Text &text);

// The Caesar shift of one Vigenère column: the lowest chi-squared of its
// letter counts against German (the smaller shift on a tie).
int BesteVerschiebung(const Haeufigkeiten &spalte);

// The whole analysis; std::nullopt-like failure is reported by the caller
// checking haeufigkeiten.summe < kMindestBuchstaben first ("Zu wenig
// Buchstaben für eine Analyse"): Analysiere itself never fails, and gives
// "unsicher" everywhere for too few letters.
Ergebnis Analysiere(const Text &geheim);

} // namespace analyse
