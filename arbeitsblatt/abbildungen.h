// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The worksheet's figures as vector drawings inside the document: the Caesar
// disk and strip, the Vigenère square, the empty matrix grid, the blank
// frequency table and the German reference bar chart. Being objects of the
// document, they move to the next page with the text around them and print
// sharp at any resolution.

#include <QObject>
#include <QTextObjectInterface>

class QTextCursor;
class QTextDocument;

class Abbildungen : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    enum class Art { Scheibe, Streifen, Quadrat, Gitter, Tabelle, Balken };

    // Lets the document draw figures; the handler belongs to the document.
    static void Anmelden(QTextDocument &dokument);
    // A figure in a paragraph of its own; `spalten` and `zeilen` size the grid.
    static void FuegeEin(QTextCursor &cursor, Art art, int spalten = 0, int zeilen = 0);
    // Grid rows per figure: a longer grid is split so that each part fits a page.
    static constexpr int kGitterzeilenJeTeil = 18;

    QSizeF intrinsicSize(QTextDocument *dokument, int position, const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rechteck, QTextDocument *dokument,
        int position, const QTextFormat &format) override;

private:
    using QObject::QObject;
};
