// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The worksheet's figures as vector drawings inside the document: the Caesar
// disks and strip, the Vigenère square, the matrix grid, the tables to
// count and note in, the German reference bar chart and the lines of
// ciphertext with room to answer. Being objects of the document, they move
// to the next page with the text around them and print sharp at any
// resolution.

#include "arbeitsblatt/blatt.h"

#include <QList>
#include <QObject>
#include <QStringList>
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
    // A figure in a paragraph of its own, under its `titel` if it has one;
    // `spalten` and `zeilen` size the grid, and `inhalt` fills its cells row
    // by row.
    static void FuegeEin(QTextCursor &cursor, Art art, int spalten = 0, int zeilen = 0,
        const QStringList &inhalt = {}, const QString &titel = {});

    // A table under its `titel`, with a bold header row and `zeilen` rows
    // under it, each `hoeheMm` high; `zellen` fills them row by row, and the
    // cells it does not reach stay empty for pupils to write in.
    struct Tabelle
    {
        QString titel;
        QStringList kopf;
        QList<double> breitenMm; // one for each column
        int zeilen = 1;
        double hoeheMm = 8;
        QStringList zellen;
    };
    static void FuegeEin(QTextCursor &cursor, const Tabelle &tabelle);
    // A row of letters A-Z headed `kopf`, and one row under it headed
    // `zeile`, as counting and assigning letters need.
    static Tabelle Buchstabentabelle(const QString &kopf, const QString &zeile);
    // A grid of `zeilen` rows, empty or filled row by row with `inhalt`, in
    // parts of kGitterzeilenJeTeil rows: each part fits a page.
    static void Gitter(QTextCursor &cursor, int spalten, int zeilen, const QStringList &inhalt = {},
        const QString &titel = {});
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
