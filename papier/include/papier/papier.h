// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Documents on paper. A window builds a QTextDocument once; the print
// preview, the printer and the PDF file all paint it through Drucke, so they
// agree page for page.

#include "cipher/verschl.h"

#include <functional>
#include <memory>
#include <QFont>

class Dialoge;
class QIODevice;
class QPagedPaintDevice;
class QSizeF;
class QString;
class QTextCursor;
class QTextDocument;
class QWidget;
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

// The most pages printed on paper of this size (in points). Larger jobs are
// refused: they would take minutes, and far larger ones would overflow the
// text layout's coordinates.
int Seitengrenze(const QSizeF &papier);
// Lays the document out for the device's paper, 2 cm from each edge, and
// paints it page by page, the page number at the foot of each. A progress
// window from `dialoge` lets the user cancel. False when nothing was painted:
// the user cancelled, or the job would pass Seitengrenze, which a warning
// names. The document keeps that layout for the next paper of the same size.
bool Drucke(QTextDocument &dokument, QPagedPaintDevice &geraet, Dialoge &dialoge, QWidget *eltern);

// Writes through a temporary file in the same folder that replaces the old
// file only when complete; on any failure the old file stays.
bool SchreibeSicher(const QString &pfad, const std::function<bool(QIODevice &)> &schreibe);
// Unterlassen: the job painted nothing (cancelled or refused, the user knows
// why). Neither that nor an error touches a file that was there.
enum class Pdf { Geschrieben, Fehler, Unterlassen };
// The print job as a PDF file carrying its title and "Zifferon" as creator.
Pdf SchreibePdf(const QString &pfad, const Druckauftrag &auftrag);

} // namespace papier
