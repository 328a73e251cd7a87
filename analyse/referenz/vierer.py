#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the German 4-gram model of the cryptanalysis (analyse/).

The model sees German as Caesar and Vigenère leave it: 29 symbols, the
letters A-Z (upper and lower case the same), a blank for any run of white
space, one symbol for the umlauts and ß (which no method shifts) and one for
any run of other characters (digits, punctuation). For every three symbols
it gives the probability of the fourth, smoothed by interpolating with the
shorter contexts (Witten-Bell), so that a 4-gram never seen still gets the
chance its 3-, 2- and 1-grams allow. Each probability is written as
round(-16 ln p), capped at 255, one byte per entry: 29^4 bytes (0.7 MB).
A second table is built the same way from the corpus with its spaces
deleted, as "Leerzeichen löschen" leaves a text: there every word runs into
the next, which the first table would take for a rare sequence.

Corpus (all free, all Debian packages; only counts derived from them are
kept, the text itself is not part of the project):
  - fortunes-de: German fortune cookies, Copyright 1999-2012 Andreas Tille,
    GPL-2+; the files *.u8 under /usr/share/games/fortunes/de/ without the
    ASCII pictures;
  - manpages-de: German manual pages, Copyright 2010-2023 Tobias Quathamer,
    Helge Kreutzmann and the translators, GPL-3+; the running text of the
    pages under /usr/share/man/de/, roff requests and font changes removed,
    only the paragraphs with more German than English function words.
Every tenth file of each (in sorted order, starting with the first) is held
out: it is not counted, and
    python3 analyse/referenz/vierer.py --pruefung > pruefung.txt
writes its sentence-like lines (Windows-1252) for measuring the analysis on
German text the model has never seen (see bench/bench_analyse.cpp).

Regenerate (Debian: apt-get install fortunes-de manpages-de):
    python3 analyse/referenz/vierer.py > analyse/referenz_vierer.inc
Standard library only; the output depends on nothing but the package files.
"""

import glob
import gzip
import math
import os
import re
import sys

FORTUNES = "/usr/share/games/fortunes/de"
MANPAGES = "/usr/share/man/de"
OHNE = {"asciiart.u8"}  # pictures, not language
ZURUECK = 10  # every tenth file is held out

SYMBOLE = 29
LEER, UMLAUT, ANDERES = 26, 27, 28
UMLAUTE = set("ÄÖÜäöüßẞ")
SKALA = 16


def dateien():
    fortunes = sorted(glob.glob(os.path.join(FORTUNES, "*.u8")))
    fortunes = [d for d in fortunes if os.path.basename(d) not in OHNE]
    manpages = sorted(glob.glob(os.path.join(MANPAGES, "man*", "*.gz")))
    return fortunes, manpages


def aufteilen(liste):
    """(counted, held out)"""
    return ([d for i, d in enumerate(liste) if i % ZURUECK != 0],
            [d for i, d in enumerate(liste) if i % ZURUECK == 0])


ROFF_SCHRIFT = re.compile(r"\\f(\[[^\]]*\]|\(..|.)")
ROFF_ZEICHEN = re.compile(r"\\(\(..|\[[^\]]*\]|\*(\(..|\[[^\]]*\]|.)|[&:/,|^%0cde-])")
ROFF_SCHRIFTMAKRO = re.compile(r"^\.(B|I|BI|BR|IB|IR|RB|RI|SM|SB)\s+(.*)$")


def manseite(datei):
    """The running text of a manual page: text lines and the words of font
    macros; every other request and all escapes removed."""
    with gzip.open(datei, "rt", encoding="utf-8", errors="replace") as f:
        zeilen = []
        for zeile in f:
            zeile = zeile.rstrip("\n")
            if zeile.startswith((".", "'")):
                treffer = ROFF_SCHRIFTMAKRO.match(zeile)
                if not treffer:
                    zeilen.append("")  # a request ends a paragraph
                    continue
                zeile = treffer.group(2).replace('"', "")
            zeile = ROFF_SCHRIFT.sub("", zeile)
            zeile = ROFF_ZEICHEN.sub(lambda m: "-" if m.group(0) == "\\-" else "", zeile)
            zeilen.append(zeile)
        return "\n".join(zeilen)


DEUTSCH = set("der die das und ist nicht ein eine zu den mit sich von auf für wird werden im dem des".split())
ENGLISCH = set("the and is of to a in that for with this are be not it by".split())


def deutsch(absatz):
    """Whether a paragraph of a manual page is German: some pages are left
    partly untranslated."""
    woerter = absatz.lower().split()
    return sum(w in DEUTSCH for w in woerter) > sum(w in ENGLISCH for w in woerter)


def lies(datei):
    if datei.endswith(".gz"):
        absaetze = re.split(r"\n\s*\n", manseite(datei))
        return "\n\n".join(a for a in absaetze if deutsch(a))
    with open(datei, encoding="utf-8", errors="replace") as f:
        return f.read()


def symbole(text):
    """The text as the model's symbols, runs of blanks and of other
    characters each one symbol."""
    vorher = None
    for zeichen in text:
        if "A" <= zeichen <= "Z":
            s = ord(zeichen) - ord("A")
        elif "a" <= zeichen <= "z":
            s = ord(zeichen) - ord("a")
        elif zeichen.isspace():
            s = LEER
        elif zeichen in UMLAUTE:
            s = UMLAUT
        else:
            s = ANDERES
        if s == vorher and s in (LEER, ANDERES):
            continue
        vorher = s
        yield s


def zaehle(texte):
    """Counts of 1- to 4-grams, each n-gram as an integer in base 29."""
    zaehlungen = [dict() for _ in range(5)]
    for text in texte:
        fenster = 0
        for i, s in enumerate(symbole(text)):
            fenster = (fenster * SYMBOLE + s) % SYMBOLE**4
            for n in range(1, min(i + 1, 4) + 1):
                g = fenster % SYMBOLE**n
                zaehlungen[n][g] = zaehlungen[n].get(g, 0) + 1
    return zaehlungen


def modell(zaehlungen):
    """-ln P(d | a b c) for every 4-gram, interpolated Witten-Bell."""
    eins = zaehlungen[1]
    gesamt = sum(eins.values())
    p = [(eins.get(s, 0) + 1) / (gesamt + SYMBOLE) for s in range(SYMBOLE)]
    for n in range(2, 5):
        kontext = {}  # history -> (count, distinct followers)
        for g, c in zaehlungen[n].items():
            h = g // SYMBOLE
            anzahl, arten = kontext.get(h, (0, 0))
            kontext[h] = (anzahl + c, arten + 1)
        neu = [0.0] * SYMBOLE**n
        for g in range(SYMBOLE**n):
            h = g // SYMBOLE
            kuerzer = p[g % SYMBOLE ** (n - 1)]
            anzahl, arten = kontext.get(h, (0, 0))
            if anzahl == 0:
                neu[g] = kuerzer
            else:
                neu[g] = (zaehlungen[n].get(g, 0) + arten * kuerzer) / (anzahl + arten)
        p = neu
    return [min(255, round(-SKALA * math.log(x))) for x in p]


def pruefung(texte):
    """The held-out lines that read like sentences, in Windows-1252."""
    for text in texte:
        for zeile in text.splitlines():
            zeile = " ".join(zeile.split())
            if len(zeile.split()) < 6:
                continue
            sprachlich = sum(z.isalpha() or z in " ,.;:!?-»«\"'()" for z in zeile)
            if sprachlich < 0.95 * len(zeile):
                continue
            yield zeile.encode("cp1252", errors="replace") + b"\r\n"


def main():
    fortunes, manpages = dateien()
    if not fortunes or not manpages:
        sys.exit("Kein Korpus gefunden: fortunes-de und manpages-de installieren.")
    gezaehlt_f, zurueck_f = aufteilen(fortunes)
    gezaehlt_m, zurueck_m = aufteilen(manpages)
    if sys.argv[1:] == ["--pruefung"]:
        for zeile in pruefung(lies(d) for d in zurueck_f + zurueck_m):
            sys.stdout.buffer.write(zeile)
        return
    texte = [lies(d) for d in gezaehlt_f + gezaehlt_m]
    zaehlungen = zaehle(texte)
    mit = modell(zaehlungen)
    ohne = modell(zaehle(t.replace(" ", "") for t in texte))
    print("// Generated by analyse/referenz/vierer.py; do not edit by hand.")
    print("// Corpus: Debian packages fortunes-de (GPL-2+) and manpages-de (GPL-3+),")
    print(f"// every tenth file held out; {sum(zaehlungen[1].values())} symbols. Regenerate:")
    print("//   python3 analyse/referenz/vierer.py > analyse/referenz_vierer.inc")
    print()
    print("// round(-16 ln P(d | a b c)) at index ((a * 29 + b) * 29 + c) * 29 + d, where")
    print("// 0..25 are A-Z, 26 a blank, 27 an umlaut or ß and 28 anything else; for")
    print("// text as written and for text without spaces.")
    for name, werte in (("kVierer", mit), ("kViererOhneLeerzeichen", ohne)):
        print(f"constexpr std::array<std::uint8_t, {SYMBOLE}ul * {SYMBOLE} * {SYMBOLE} * {SYMBOLE}> {name} {{")
        for i in range(0, len(werte), 32):
            print("    " + ",".join(str(w) for w in werte[i : i + 32]) + ",")
        print("};")


if __name__ == "__main__":
    main()
