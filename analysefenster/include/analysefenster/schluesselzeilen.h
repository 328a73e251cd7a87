// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The beginning of a Vigenère ciphertext in three aligned rows: each byte,
// the key letter that decrypts it, and what it decrypts to. Which byte takes
// which key letter is the engine's own rule, so the rows show exactly what
// "Entschlüsseln" will do. Mending one key letter marks the columns it
// changes, so a wrong letter is found by eye; a click on a column asks for
// its key letter. A substitution shows in two rows, the ciphertext over its
// decryption, marked and clicked alike.

#include "cipher/verschl.h"

#include <optional>
#include <QPlainTextEdit>
#include <string>
#include <vector>

class Schluesselzeilen : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit Schluesselzeilen(QWidget *parent = nullptr);

    // A key of the length shown before, on the same text in the same way,
    // marks the columns whose decryption it changes; any other change
    // clears the marks. A key of another length leaves the last key of the
    // old length to compare with, so that deleting a letter and typing its
    // replacement marks what the replacement changed.
    void zeige(const verschl::Text &geheim, const std::string &schluessel, bool ignorieren);
    // `alphabet`: the cipher letter of each plain letter A-Z, '?' where
    // none is known; a cipher letter that no place holds decrypts to '?'.
    // On the same text, the bytes that now decrypt otherwise are marked.
    void zeigeAlphabet(const verschl::Text &geheim, const verschl::Text &alphabet);
    void leere();

    // The row captions, all as wide, so that the columns line up.
    static const QString &kopf(int zeile);

Q_SIGNALS:
    // A click on a byte that takes key position `stelle`, or for a
    // substitution, whose cipher letter stands at place `stelle`.
    void stelleGewaehlt(int stelle);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // A substitution leaves out the middle row; the marks compare `klar`
    // with `vorher` where there is one.
    void setze(const verschl::Text &neuGeheim, verschl::Text neuMitte, verschl::Text neuKlar,
        const std::optional<verschl::Text> &vorher);
    int zeilenJeGruppe() const;
    int spaltenJeZeile() const;
    void baue();
    void markiere();

    verschl::Text geheim;
    std::string schluessel;
    std::string bezug; // the key the marks compare with
    bool ignorieren = true;
    bool substitution = false;
    std::vector<int> stellen; // per byte; -1: takes no key letter
    verschl::Text mitte; // the key letter under each byte
    verschl::Text klar; // empty without a key
    std::vector<bool> markiert; // per byte
    int breite = 0; // bytes per row as laid out
};
