// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Documents on paper. A window builds a QTextDocument once; the print
// preview, the printer and the PDF file all paint it through Drucke, so they
// agree page for page.

#include "cipher/verschl.h"

#include <functional>
#include <memory>
#include <QFont>

class QIODevice;
class QPagedPaintDevice;
class QString;
class QTextCursor;
class QTextDocument;
struct Druckauftrag;

namespace papier {

// An empty document in the body font whose lines wrap at the page width,
// inside a word where one is longer than a line (a ciphertext often is).
std::unique_ptr<QTextDocument> NeuesDokument();

// The font at the size it shows on a 96-dpi screen. A size in pixels, as the
// panes' font has, would otherwise mean printer dots and print tiny.
QFont Druckschrift(QFont schrift);

// A heading of `punkte` points, bold, in a paragraph of its own.
void Ueberschrift(QTextCursor &cursor, const QString &text, double punkte = 14);
// A paragraph of the body font.
void Absatz(QTextCursor &cursor, const QString &text);
// Whether a blank prints as a blank or as the open box ␣ that marks it.
enum class Leerzeichen { Normal, Sichtbar };
// The text as a pane shows it, stand-ins for control bytes included, one
// paragraph per line.
void Paneabsatz(QTextCursor &cursor, const verschl::Text &text, const QFont &schrift,
    Leerzeichen leerzeichen = Leerzeichen::Normal);

// Paints the document page by page, the page number at the foot of each.
void Drucke(const QTextDocument &dokument, QPagedPaintDevice &geraet);

// Writes through a temporary file in the same folder that replaces the old
// file only when complete; on any failure the old file stays.
bool SchreibeSicher(const QString &pfad, const std::function<bool(QIODevice &)> &schreibe);
// The print job as a PDF file carrying its title and "Zifferon" as creator.
bool SchreibePdf(const QString &pfad, const Druckauftrag &auftrag);

} // namespace papier
