// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Random text for round trips through files: German words, mostly ASCII as
// German text is, with umlauts, ß, €, typographic quotes and more of
// Windows-1252's letters, joined by blanks and CR LF. "Škoda" is there for
// the byte that rotation by 128 turns into a line feed.

#include "cipher/verschl.h"
#include "platform/codepage.h"

#include <QRandomGenerator>
#include <QStringList>

using namespace Qt::StringLiterals;

// Between `mindestens` and `mindestens` + 59 words.
inline verschl::Text deutscherZufallstext(QRandomGenerator &zufall, int mindestens = 0)
{
    static const QStringList woerter
        = u"Škoda fährt über die Brücke; Größe Öl Äpfel und Straße Zebra 1848 Tür, (Bär) €5 "
          "Café Maß HALLO Wort! „zitiert“ Œuvre š – Ende. Grüße aus Köln, Übung ‚halb‘ ½ © "
          "¿qué? — „Zitat” 3×4 Ôl Ágnes Íris Ïle Ðor Ýr"_s.split(u' ');
    verschl::Text text;
    const int anzahl = mindestens + int(zufall.bounded(60));
    for (int i = 0; i < anzahl; ++i) {
        if (i > 0)
            text += zufall.bounded(6) == 0 ? "\r\n" : " ";
        text += codepage::AusZeichenkette(woerter[int(zufall.bounded(woerter.size()))]);
    }
    return text;
}
