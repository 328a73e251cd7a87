// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère demonstration's stepping: one input character per click, the
// running light through the table, the final marking and its blinking.

#include "bausteine/bytezeile.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"

#include <algorithm>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QSlider>
#include <QTimer>

namespace {

constexpr int kBuchstaben = 26;

} // namespace

// A step reads and writes single bytes: its cost does not grow with the text.
void TVMatrixForm::BSchrittClick()
{
    if (animationLaeuft)
        return;
    CBEditSperren->setChecked(true);
    const qsizetype laenge = EdText1->Laenge();
    if (qsizetype(textPos) >= laenge - 1) {
        EdSchluessel->deselect();
        EdText1->deselect();
        EdText2->deselect();
        loescheMarkierung();
        return;
    }
    const int pos = ++textPos;
    EdText2->deselect();
    EdText1->WaehleBytes(pos, 1);

    const unsigned char zeichen = static_cast<unsigned char>(EdText1->ByteAn(pos));
    int d = demo::BuchstabenIndex(zeichen);
    int e = -1;
    const bool ignorieren = CBSonderzeichenIgnorieren->isChecked();
    const verschl::Text schluessel = demo::Feldtext(*EdSchluessel);
    // A key without any character leaves the key position alone: there is
    // nothing to count through.
    if ((d >= 0 || !ignorieren) && !schluessel.empty()) {
        schluesselPos = (schluesselPos + 1) % int(schluessel.size());
        EdSchluessel->setSelection(schluesselPos, 1);
        e = demo::BuchstabenIndex(static_cast<unsigned char>(schluessel[size_t(schluesselPos)]));
    }

    verschl::Text neu(1, char(zeichen));
    if (d < 0 || e < 0) {
        loescheMarkierung();
    } else {
        const verschl::Text buchstabe(1, char(zeichen));
        const verschl::Text schluesselbuchstabe(1, schluessel[size_t(schluesselPos)]);
        const verschl::Text r = (modusVerschluesseln
                ? verschl::VigenereVerschluesseln(buchstabe, schluesselbuchstabe, ignorieren)
                : verschl::VigenereEntschluesseln(buchstabe, schluesselbuchstabe, ignorieren))
                                    .value_or(buchstabe);
        if (!modusVerschluesseln)
            d = demo::BuchstabenIndex(static_cast<unsigned char>(r.front()));
        if (!markiere(e, d))
            return; // closed during the running light
        neu = r;
    }
    schreibeAusgabe(neu, laenge);
    EdText2->WaehleBytes(pos, 1);
}

// The output made so far, then `neu`, then blanks as filler up to the
// input's `laenge`. Only what changes is written: the filler is blanks.
void TVMatrixForm::schreibeAusgabe(const verschl::Text &neu, qsizetype laenge)
{
    const qsizetype bisher = EdText2->Laenge();
    const qsizetype gemacht = bisher - std::min<qsizetype>(std::max(fuellzeichen, 0), bisher);
    const qsizetype n = qsizetype(neu.size());
    const qsizetype ziel = std::max(laenge, gemacht + n);
    EdText2->ErsetzeBytes(gemacht, n, neu);
    const qsizetype jetzt = EdText2->Laenge();
    if (jetzt < ziel)
        EdText2->ErsetzeBytes(jetzt, 0, verschl::Text(std::size_t(ziel - jetzt), ' '));
    else if (jetzt > ziel)
        EdText2->ErsetzeBytes(ziel, jetzt - ziel, {});
    fuellzeichen = int(ziel - gemacht - n);
}

void TVMatrixForm::loescheZelle(int spalte, int zeile)
{
    StrAGrVMatrix->ResetCellBrush(spalte, zeile);
    StrAGrVMatrix->ResetCellFont(spalte, zeile);
}

bool TVMatrixForm::zeigePosition(int spalte, int zeile, const QPoint *vorher)
{
    StrAGrVMatrix->CellBrush(spalte, zeile).setColor(Markierungsfarbe());
    StrAGrVMatrix->CellFont(spalte, zeile).setColor(Markierungsschrift());
    if (vorher)
        loescheZelle(vorher->x(), vorher->y());
    StrAGrVMatrix->Repaint();
    const QPointer<TVMatrixForm> selbst(this);
    demo::WarteSchritt(*TrackBar);
    return selbst && !Geschlossen();
}

// Row a is the key letter, column b the plaintext letter.
bool TVMatrixForm::markiere(int a, int b)
{
    loescheMarkierung();
    if (CBAnimation->isChecked()) {
        animationLaeuft = true;
        for (int j = 0; j <= a; ++j) {
            const QPoint vorher(0, j - 1);
            if (!zeigePosition(0, j, j > 0 ? &vorher : nullptr))
                return false;
        }
        // Along row 0 to the plaintext letter, or along the key's row to
        // the ciphertext letter; the key cell stays lit on the way.
        const int zeile = modusVerschluesseln ? 0 : a;
        for (int j = 0; j <= b; ++j) {
            const QPoint vorher(j - 1, zeile);
            const bool frei = j > 0 && (modusVerschluesseln || j > 1);
            if (!zeigePosition(j, zeile, frei ? &vorher : nullptr))
                return false;
        }
        loescheZelle(0, a);
        loescheZelle(b, zeile);
        animationLaeuft = false;
    }
    markZeile = a;
    markSpalte = b;
    StrAGrVMatrix->ColBrush(b).setColor(Markierungsfarbe());
    StrAGrVMatrix->ColFont(b).setColor(Markierungsschrift());
    StrAGrVMatrix->RowBrush(a).setColor(Markierungsfarbe());
    StrAGrVMatrix->RowFont(a).setColor(Markierungsschrift());
    for (TMyFont *kopf : { &StrAGrVMatrix->CellFont(0, a), &StrAGrVMatrix->CellFont(b, 0) }) {
        kopf->setColor(Markierungsschrift());
        kopf->setStyle(TMyFont::Fett);
    }
    StrAGrVMatrix->CellFont(b, a).setColor(Markierungsfarbe());
    StrAGrVMatrix->CellBrush(b, a).setColor(Markierungsschrift());
    blinkZaehler = 0;
    if (CBMitBlinken->isChecked())
        BlinkAn->start();
    return true;
}

void TVMatrixForm::loescheMarkierung()
{
    BlinkAn->stop();
    // There is no way to drop every cell brush at once; the result cell's
    // goes by its place.
    if (markSpalte >= 0 && markSpalte < kBuchstaben && markZeile >= 0 && markZeile < kBuchstaben)
        loescheZelle(markSpalte, markZeile);
    StrAGrVMatrix->ResetAllColBrushes();
    StrAGrVMatrix->ResetAllColFonts();
    StrAGrVMatrix->ResetAllRowBrushes();
    StrAGrVMatrix->ResetAllRowFonts();
    StrAGrVMatrix->ResetAllCellFonts();
    StrAGrVMatrix->ColFont(0).setStyle(TMyFont::Fett);
    StrAGrVMatrix->RowFont(0).setStyle(TMyFont::Fett);
}

// Odd counts show the result cell inverse, even ones in its row's look.
void TVMatrixForm::BlinkAnTimer()
{
    if (markSpalte < 0 || markSpalte >= kBuchstaben || markZeile < 0 || markZeile >= kBuchstaben)
        return;
    const bool invers = blinkZaehler % 2 != 0;
    StrAGrVMatrix->CellFont(markSpalte, markZeile)
        .setColor(invers ? Markierungsfarbe() : Markierungsschrift());
    StrAGrVMatrix->CellBrush(markSpalte, markZeile)
        .setColor(invers ? Markierungsschrift() : Markierungsfarbe());
    ++blinkZaehler;
}
