// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaking a monoalphabetic substitution by hand in two steps: the cipher's
// most frequent letters, pairs, runs of three and doubled letters set
// against German's, then the assignment board, where the pupil writes a
// plain letter under each cipher letter and sees the text turn readable.

#include "analyse/analyse.h"
#include "knacken/knackseite.h"

#include <array>

class Zuordnungstafel;
class QPlainTextEdit;
class QTableWidget;

class Substitutionsseite : public Knackseite
{
    Q_OBJECT
public:
    explicit Substitutionsseite(verschl::Text geheim, QWidget *eltern = nullptr);

    QString zeigeTipp() override;
    QString zeigeLoesung() override;
    QString Schluessel() const override;
    // Cipher letters of the text without a guess, or a plain letter guessed
    // for two: the alphabet would not be the one the pupil sees.
    QString Fehlend() const override;
    void uebernimmSchluessel(Analyseuebernahme &methode) const override;
    verschl::Text entschluessele(const verschl::Text &ganz) const override;

    // For each plain letter A-Z the cipher letter guessed for it, '?' where
    // none is; of two cipher letters guessed as one plain letter, the first.
    verschl::Text Alphabet() const;

private:
    QWidget *erzeugeZaehlen();
    QWidget *erzeugeZuordnen();
    QTableWidget *erzeugeVergleich(QWidget *eltern, const char *name);
    void fuelleVergleich(QTableWidget *tabelle) const;
    void zeigeZuordnung();
    // The cipher letter that occurs most, -1 without letters.
    int haeufigster() const;

    const analyse::Haeufigkeiten haeufigkeiten;
    // Letters, pairs, runs of three, doubled letters: German's and the cipher's.
    std::array<std::vector<analyse::Gruppe>, 4> deutsch, chiffre;

    Zuordnungstafel *Tafel = nullptr;
    QPlainTextEdit *MText = nullptr;
    QTableWidget *TWVergleichZaehlen = nullptr;
    QTableWidget *TWVergleich = nullptr;
};
