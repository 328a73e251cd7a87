// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaking Vigenère in five steps: repeated letter groups and the divisors
// of their distances (Kasiski), the columns' index of coincidence for each
// key length, the text written in columns, each column solved as a Caesar,
// and the decryption with the key found. The way key positions are counted
// ("Sonderzeichen ignorieren" or not) is chosen first; every step follows it.

#include "analyse/analyse.h"
#include "knacken/knackseite.h"

#include <optional>

class Alphabetstreifen;
class Buchstabendiagramm;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTextEdit;
class Saeulendiagramm;
class Gruppenfarben;
class Spaltenfarben;

class Vigenereseite : public Knackseite
{
    Q_OBJECT
public:
    static constexpr int kLaengste = 20;

    explicit Vigenereseite(verschl::Text geheim, QWidget *eltern = nullptr);

    QString Tipp() const override;
    QString zeigeLoesung() override;
    QString Schluessel() const override;
    QString Fehlend() const override;
    void uebernimmSchluessel(Analyseuebernahme &methode) const override;
    verschl::Text entschluessele(const verschl::Text &ganz) const override;

    void setIgnorieren(bool ignorieren);
    void setLaenge(int laenge); // clamped into 1..kLaengste
    // Column `spalte` (from 0) was shifted on by `verschiebung`.
    void setVerschiebung(int spalte, int verschiebung);

private:
    QWidget *erzeugeWiederholungen();
    QWidget *erzeugeLaengen();
    QWidget *erzeugeSpalten();
    QWidget *erzeugeCaesar();
    QWidget *erzeugeEntschluesseln();
    // What follows the way of counting, the length, a key letter.
    void zeigeWiederholungen();
    void zeigeLaengen();
    void zeigeSpalten();
    void zeigeSpalte();
    void zeigeSchluessel();

    // Key position of each byte for the chosen way and a length; -1: none.
    std::vector<int> stellen(int laenge) const;
    // The letters of each column at a length.
    std::vector<analyse::Haeufigkeiten> spalten(int laenge) const;
    // The key letters, open columns as A; one column's letter, open as "?".
    std::string schluesselText() const;
    QString gewaehlt(std::size_t spalte) const;
    QString gewaehlteBuchstaben() const; // open columns as "?"
    bool liestSichDeutsch() const;
    const analyse::VigenereErgebnis &analyse();

    bool ignorieren = true;
    int laenge = 1;
    std::vector<double> koinzidenz; // per length, from 1
    std::vector<int> verschiebungen; // per column; -1 not chosen yet
    std::optional<analyse::VigenereErgebnis> ergebnis;

    QRadioButton *RBIgnorieren = nullptr;
    QRadioButton *RBMitzaehlen = nullptr;
    QTextEdit *MWiederholungen = nullptr;
    Gruppenfarben *gruppenfarben = nullptr;
    QTableWidget *TWWiederholungen = nullptr;
    Saeulendiagramm *DTeiler = nullptr;
    Saeulendiagramm *DLaengen = nullptr;
    QSpinBox *SpEdLaenge = nullptr;
    QLabel *LLaenge = nullptr;
    QPlainTextEdit *MSpalten = nullptr;
    Spaltenfarben *farben = nullptr;
    QSpinBox *SpEdSpalte = nullptr;
    Buchstabendiagramm *DSpalte = nullptr;
    Alphabetstreifen *Streifen = nullptr;
    QLabel *LSchluesselbuchstaben = nullptr;
    QPlainTextEdit *MTeilweise = nullptr;
    QLabel *LSchluesselText = nullptr;
    QPlainTextEdit *MKlartext = nullptr;
};
