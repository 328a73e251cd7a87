// SPDX-License-Identifier: GPL-3.0-or-later
#include "papier/papier.h"

#include "platform/codepage.h"
#include "schnittstellen/dialoge.h"

#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>

namespace papier {

std::unique_ptr<QTextDocument> NeuesDokument()
{
    auto dokument = std::make_unique<QTextDocument>();
    dokument->setDefaultFont(QFont(QStringLiteral("Arial"), 11));
    QTextOption umbruch = dokument->defaultTextOption();
    umbruch.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    dokument->setDefaultTextOption(umbruch);
    return dokument;
}

QFont Druckschrift(QFont schrift)
{
    if (schrift.pixelSize() > 0)
        schrift.setPointSizeF(schrift.pixelSize() * 72.0 / 96.0);
    return schrift;
}

namespace {

void neuerAbsatz(QTextCursor &cursor, const QTextCharFormat &format)
{
    if (!cursor.atStart())
        cursor.insertBlock(QTextBlockFormat(), format);
    cursor.setCharFormat(format);
    cursor.setBlockCharFormat(format);
}

} // namespace

void Ueberschrift(QTextCursor &cursor, const QString &text, double punkte)
{
    QTextCharFormat format;
    format.setFontPointSize(punkte);
    format.setFontWeight(QFont::Bold);
    neuerAbsatz(cursor, format);
    QTextBlockFormat abstand = cursor.blockFormat();
    abstand.setTopMargin(punkte * 0.6);
    abstand.setBottomMargin(punkte * 0.3);
    cursor.setBlockFormat(abstand);
    cursor.insertText(text);
}

void Absatz(QTextCursor &cursor, const QString &text)
{
    neuerAbsatz(cursor, QTextCharFormat());
    cursor.insertText(text);
}

void Paneabsatz(
    QTextCursor &cursor, const verschl::Text &text, const QFont &schrift, Leerzeichen leerzeichen)
{
    QTextCharFormat format;
    format.setFont(Druckschrift(schrift));
    neuerAbsatz(cursor, format);
    QString gezeigt = codepage::AlsPanetext(text);
    if (leerzeichen == Leerzeichen::Sichtbar)
        gezeigt.replace(u' ', u'\u2423');
    // Inserting '\n' starts a new paragraph, which keeps this format.
    cursor.insertText(gezeigt, format);
}

void Drucke(const QTextDocument &dokument, QPagedPaintDevice &geraet)
{
    // Qt paginates a document without a page size of its own at the device's
    // page and numbers the pages.
    dokument.print(&geraet);
}

bool SchreibeSicher(const QString &pfad, const std::function<bool(QIODevice &)> &schreibe)
{
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly))
        return false;
    if (!schreibe(datei)) {
        datei.cancelWriting();
        return false;
    }
    return datei.commit();
}

bool SchreibePdf(const QString &pfad, const Druckauftrag &auftrag)
{
    return SchreibeSicher(pfad, [&auftrag](QIODevice &datei) {
        {
            QPdfWriter pdf(&datei);
            pdf.setTitle(auftrag.titel);
            pdf.setCreator(QStringLiteral("Zifferon"));
            pdf.setPageSize(auftrag.seitengroesse);
            auftrag.zeichne(pdf);
        } // the writer finishes the file when it goes
        // A failed write shows in the commit.
        return true;
    });
}

} // namespace papier
