// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A German text of any size for the benchmarks, built deterministically:
// words of a German paragraph (Windows-1252, with umlauts and ß) drawn with a
// fixed seed into lines of about 70 bytes joined by CR LF, cut to the size.

#include "cipher/verschl.h"

#include <random>
#include <vector>

namespace deutschtext {

using verschl::Text;

// Written in UTF-8 for readability; umlauts, ß and è are turned into their
// Windows-1252 bytes below (all of them are two-byte sequences C3 xx).
inline const char kAbsatz[]
    = "Über den Hügeln zog am frühen Morgen ein kühler Wind, und die Bäume am Straßenrand "
      "ließen ihre Blätter fallen. Die Schülerinnen und Schüler der achten Klasse saßen im "
      "Informatikraum und übten das Verschlüsseln von Nachrichten. Frau Müller erklärte zuerst "
      "die Verschiebung nach Caesar: Jeder Buchstabe wird um eine feste Anzahl von Stellen im "
      "Alphabet weitergerückt, und wer den Schlüssel kennt, kann die Nachricht mühelos "
      "zurückverwandeln. Danach folgte die Matrix, bei der die Zeichen zeilenweise in ein "
      "Rechteck geschrieben und spaltenweise wieder ausgelesen werden. Größere Schwierigkeiten "
      "bereitete das Verfahren von Vigenère, denn hier ändert sich die Verschiebung mit jedem "
      "Buchstaben des Schlüsselworts. Jörg fragte, ob man ein solches Verfahren überhaupt "
      "knacken könne, und Frau Müller lächelte: Mit genügend Geduld und etwas Statistik gelingt "
      "es häufig, die Länge des Schlüssels zu bestimmen. Die Häufigkeit der Buchstaben verrät "
      "viel über die Sprache, denn im Deutschen ist das E der häufigste Buchstabe, gefolgt von "
      "N, I, S und R. Ältere Verfahren wurden schon im Mittelalter gebrochen, während moderne "
      "Methoden auf mathematischen Problemen beruhen, die selbst schnelle Rechner nicht in "
      "vernünftiger Zeit lösen können. Nach der Pause schrieb jede Gruppe einen kurzen Text über "
      "ihre Heimatstadt, verschlüsselte ihn und tauschte ihn mit der Nachbargruppe aus. Ümit "
      "entschlüsselte als Erster die Botschaft über den Fußballverein, Özlem fand den Schlüssel "
      "der zweiten Gruppe durch geschicktes Raten. Am Ende der Stunde waren sich alle einig, "
      "dass Geheimschriften spannender sind als gedacht, und dass man Passwörter niemals auf "
      "einen Zettel unter der Tastatur schreiben sollte. 1234 Äpfel, 56 Öfen & 7 Übungen!";

inline std::vector<Text> woerter()
{
    std::vector<Text> w(1);
    for (std::size_t i = 0; kAbsatz[i] != '\0'; ++i) {
        auto c = static_cast<unsigned char>(kAbsatz[i]);
        if (c == 0xC3)
            c = static_cast<unsigned char>(static_cast<unsigned char>(kAbsatz[++i]) + 0x40);
        if (c == ' ')
            w.emplace_back();
        else
            w.back() += static_cast<char>(c);
    }
    return w;
}

inline Text erzeuge(std::size_t groesse)
{
    const std::vector<Text> w = woerter();
    std::mt19937 gen(1252);
    Text t;
    t.reserve(groesse + 256);
    std::size_t zeilenAnfang = 0;
    while (t.size() < groesse) {
        t += w[gen() % w.size()];
        if (t.size() - zeilenAnfang >= 70) {
            t += "\r\n";
            zeilenAnfang = t.size();
        } else {
            t += ' ';
        }
    }
    t.resize(groesse);
    return t;
}

} // namespace deutschtext
