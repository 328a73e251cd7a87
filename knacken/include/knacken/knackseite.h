// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One method's page of the breaking window: numbered steps, each with its
// controls, a tip on what to look at, and the engine's answer for the step.
// The page keeps the pupil's choices while the window steps back and forth,
// and knows the key they amount to. A new method is one more subclass.

#include "cipher/verschl.h"

#include <QVector>
#include <QWidget>

class Analyseuebernahme;
class QLabel;
class QStackedWidget;

class Knackseite : public QWidget
{
    Q_OBJECT
public:
    // `geheim`: the text the steps work on.
    explicit Knackseite(verschl::Text geheim, QWidget *eltern = nullptr);

    const verschl::Text &Geheim() const { return geheim; }
    int Schritte() const;
    int Schritt() const { return schritt; }
    void setSchritt(int schritt); // clamped into the steps
    // The focus to the step's first control, so the keys work there at once.
    void fokussiereSchritt();
    virtual QString Tipp() const;
    // The tip the "Tipp" button shows; a page may also act on it.
    virtual QString zeigeTipp() { return Tipp(); }
    // Sets the step's controls to what the engine finds, and says it.
    virtual QString zeigeLoesung() = 0;

    // The key the pupil's choices amount to, in words, and its take-over
    // into the method window.
    virtual QString Schluessel() const = 0;
    // What the pupil has yet to choose before the key can be taken over, in
    // words; empty when nothing is missing.
    virtual QString Fehlend() const { return {}; }
    virtual void uebernimmSchluessel(Analyseuebernahme &methode) const = 0;
    // The whole ciphertext decrypted with that key.
    virtual verschl::Text entschluessele(const verschl::Text &ganz) const = 0;

Q_SIGNALS:
    void schrittGewechselt();
    void schluesselGeaendert();

protected:
    // Adds the next step; the page's constructor adds them in order.
    void neuerSchritt(const QString &titel, const QString &tipp, QWidget *inhalt);

    const verschl::Text geheim;

private:
    struct Eintrag
    {
        QString titel, tipp;
    };
    QVector<Eintrag> eintraege;
    QLabel *LSchritt = nullptr;
    QStackedWidget *Stapel = nullptr;
    int schritt = 0;
};

// Helpers for the pages' texts.
namespace knacken {
// Bytes as one line of text: line breaks and other control bytes as blanks.
QString Zeile(verschl::Text text);
// The first line of a text with a letter in it, at most `hoechstens` bytes.
verschl::Text ErsteZeile(const verschl::Text &text, std::size_t hoechstens);
// Why the engine has no answer: fewer letters than it needs.
QString ZuWenig(const verschl::Text &text, std::uint64_t mindestens);
// The text before its letter number `anzahl` + 1 (A-Z, either case).
verschl::Text ErsteBuchstaben(const verschl::Text &text, std::size_t anzahl);
} // namespace knacken
