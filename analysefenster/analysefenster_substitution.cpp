// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's substitution page: the alphabet the search found,
// mended letter by letter, and the ciphertext's beginning decrypted with it.

#include "analysefenster/analysefenster.h"
#include "analysefenster/schluesselzeilen.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using verschl::Text;

namespace {

char platzhalter(char c)
{
    const auto gross = verschl::GrossBuchstabe(static_cast<unsigned char>(c));
    return gross >= 'A' && gross <= 'Z' ? static_cast<char>(gross) : '?';
}

// A letter that stood elsewhere goes to the place `x` frees, so that the
// alphabet stays a permutation of the letters it knows.
void setzeBuchstabe(Text &alphabet, std::size_t stelle, char x)
{
    if (const std::size_t alt = alphabet.find(x); x != '?' && alt != Text::npos && alt != stelle)
        alphabet[alt] = alphabet[stelle];
    alphabet[stelle] = x;
}

// The field after an edit of `alt` into `neu`, with the cursor where the
// edit left it: what was typed overwrites the places from where it was
// typed, as many as it has letters, and a place deleted without being
// typed over becomes '?'. So the field keeps its 26 places whatever the
// keys did, and the cursor moves on past what was typed.
Text flicke(const Text &alt, const Text &neu, int &cursor)
{
    const std::size_t ende = std::min(std::size_t(std::max(cursor, 0)), neu.size());
    std::size_t hinten = 0; // unchanged behind the edit
    while (hinten < neu.size() - ende && hinten < alt.size()
        && neu[neu.size() - 1 - hinten] == alt[alt.size() - 1 - hinten])
        ++hinten;
    std::size_t vorn = 0; // unchanged before it
    while (vorn < std::min(alt.size(), neu.size()) - hinten && neu[vorn] == alt[vorn])
        ++vorn;
    Text alphabet = alt;
    std::size_t stelle = vorn;
    for (std::size_t i = vorn; i < neu.size() - hinten && stelle < alphabet.size(); ++i)
        setzeBuchstabe(alphabet, stelle++, platzhalter(neu[i]));
    for (std::size_t i = stelle; i < alt.size() - hinten; ++i)
        alphabet[i] = '?';
    cursor = int(stelle);
    return alphabet;
}

} // namespace

// Every change shows at once what the alphabet makes of the text.
void TAnalyseForm::setzeSubstitutionsalphabet(const Text &alphabet)
{
    substitutionsalphabet = alphabet;
    EdSubstitutionAlphabet->setText(QString::fromLatin1(alphabet));
    MSubstitutionszeilen->zeigeAlphabet(auswertung.anfang, alphabet);
}

void TAnalyseForm::EdSubstitutionAlphabetEdited()
{
    int cursor = EdSubstitutionAlphabet->cursorPosition();
    setzeSubstitutionsalphabet(flicke(
        substitutionsalphabet, EdSubstitutionAlphabet->text().toLatin1().toStdString(), cursor));
    EdSubstitutionAlphabet->setCursorPosition(cursor);
}

// The place of the clicked letter's cipher letter, selected: typing mends it.
void TAnalyseForm::MSubstitutionszeilenClick(int stelle)
{
    if (!EdSubstitutionAlphabet->isEnabled())
        return;
    EdSubstitutionAlphabet->setFocus();
    EdSubstitutionAlphabet->setSelection(stelle, 1);
}

void TAnalyseForm::BSubstitutionUebernehmenClick()
{
    if (!substitutionsalphabet.empty())
        methode.uebernimmSubstitution(substitutionsalphabet);
}
