// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The worksheet's figures as vector drawings inside the document: the Caesar
// disks and strip, the Vigenère square, the empty matrix grid, the blank
// frequency table, the German reference bar chart and the lines of
// ciphertext with room to answer. Being objects of the document, they move
// to the next page with the text around them and print sharp at any
// resolution.

#include "arbeitsblatt/blatt.h"

#include <QObject>
#include <QTextObjectInterface>

class QTextCharFormat;
class QTextCursor;
class QTextDocument;

class Abbildungen : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    enum class Art { Scheibe, Streifen, Quadrat, Gitter, Tabelle, Balken, Antwort };

    // Lets the document draw figures; the handler belongs to the document.
    static void Anmelden(QTextDocument &dokument);
    // A figure in a paragraph of its own; `spalten` and `zeilen` size the grid.
    static void FuegeEin(QTextCursor &cursor, Art art, int spalten = 0, int zeilen = 0);
    // Grid rows per figure: a longer grid is split so that each part fits a page.
    static constexpr int kGitterzeilenJeTeil = 18;

    // A line of ciphertext, a character every 5 mm, and under it `reihen`
    // rows to write in, as one figure that no page break parts. Boxes go
    // under the letters, or under every character when `alle`. The first
    // line carries the heading "Geheimtext" (`kopf`), so that no page parts
    // them either. The line is the one text property of the figure's format.
    static void Antwortzeile(QTextCursor &cursor, const QString &geheim, Antwortfeld feld,
        int reihen, bool alle, bool kopf);
    static constexpr int kZeichenJeZeile = 33;

    QSizeF intrinsicSize(QTextDocument *dokument, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rechteck, QTextDocument *dokument,
        int position, const QTextFormat &format) override;

private:
    using QObject::QObject;
    static void fuegeEin(
        QTextCursor &cursor, QTextCharFormat format, Art art, int spalten, int zeilen);
};
