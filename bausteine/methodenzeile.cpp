// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/methodenzeile.h"

QString Methodenzeile(const Methodeneinstellungen &e)
{
    switch (e.methode) {
    case Methode::Matrix:
        if (!e.spalten.manuell)
            return QStringLiteral("Matrix · quadratisch");
        return e.spalten.spalten == 1
            ? QStringLiteral("Matrix · 1 Spalte")
            : QStringLiteral("Matrix · %1 Spalten").arg(e.spalten.spalten);
    case Methode::Caesar:
        return QStringLiteral("Caesar · Verschiebung %1 (%2)")
            .arg(QChar(u'A' + e.verschiebung))
            .arg(e.verschiebung);
    case Methode::Rotation13:
        return QStringLiteral("Rotation 13");
    case Methode::Rotation128:
        return QStringLiteral("Rotation 128");
    case Methode::Vigenere:
        return QStringLiteral("Vigenère · ")
            + (e.schluessel.empty()
                    ? QStringLiteral("kein Schlüssel")
                    : QStringLiteral("Schlüssel ") + QString::fromLatin1(e.schluessel))
            + (e.sonderzeichenIgnorieren
                    ? QStringLiteral(" · Satzzeichen verbrauchen keine Schlüsselbuchstaben")
                    : QStringLiteral(" · Satzzeichen verbrauchen Schlüsselbuchstaben"));
    case Methode::Substitution:
        if (e.substitution.empty())
            return QStringLiteral("Substitution · kein Schlüssel");
        return (IstAlphabet(e.substitution) ? QStringLiteral("Substitution · Alphabet ")
                                            : QStringLiteral("Substitution · Schlüsselwort "))
            + QString::fromLatin1(e.substitution);
    case Methode::Keine:
        break;
    }
    return QStringLiteral("keine Methode gewählt");
}
