// SPDX-License-Identifier: GPL-3.0-or-later
#include "papier/papier.h"

#include "platform/codepage.h"
#include "schnittstellen/dialoge.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPageRanges>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QtMath>

// Qt's own printing scales a document's margins by it (qfont_p.h).
Q_GUI_EXPORT int qt_defaultDpiY();

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

namespace {

// Qt lays out a paragraph as a whole, and draws a page of it by walking all
// its lines: one line of 4 MiB, as a ciphertext without blanks often is, held
// the window for seconds and printed 25 pages a second. A longer line prints
// as paragraphs of at most this many characters, each ending after a blank
// where there is one, so the break falls where word wrap might have put it.
constexpr qsizetype kStueck = 4096;

QString inStuecken(const QString &text)
{
    QString aus;
    aus.reserve(text.size() + text.size() / kStueck + 1);
    qsizetype anfang = 0;
    while (anfang < text.size()) {
        const qsizetype umbruch = text.indexOf(u'\n', anfang);
        const qsizetype ende = umbruch < 0 ? text.size() : umbruch + 1;
        if (ende - anfang <= kStueck) {
            aus += QStringView(text).sliced(anfang, ende - anfang);
            anfang = ende;
            continue;
        }
        const qsizetype blank = text.lastIndexOf(u' ', anfang + kStueck - 1);
        const qsizetype schnitt = blank >= anfang ? blank + 1 : anfang + kStueck;
        aus += QStringView(text).sliced(anfang, schnitt - anfang);
        aus += u'\n';
        anfang = schnitt;
    }
    return aus;
}

} // namespace

void Paneabsatz(
    QTextCursor &cursor, const verschl::Text &text, const QFont &schrift, Leerzeichen leerzeichen)
{
    QTextCharFormat format;
    format.setFont(Druckschrift(schrift));
    neuerAbsatz(cursor, format);
    QString gezeigt = inStuecken(codepage::AlsPanetext(text));
    if (leerzeichen == Leerzeichen::Sichtbar)
        gezeigt.replace(u' ', u'\u2423');
    // Inserting '\n' starts a new paragraph, which keeps this format.
    cursor.insertText(gezeigt, format);
}

namespace {

// Qt's text layout keeps positions as 26.6 fixed-point numbers in 32 bits, so
// a document taller than 2^31 / 64 units wraps round to a negative height and
// prints as one blank page. Qt lays out at the printer's 1200 dots per inch,
// where that is about 2,390 A4 pages; in points (72 per inch) it is about
// 39,000. Some 40 % of that height is kept as a margin: the layout step that
// runs past the limit must not reach the wrap-round before it is seen.
constexpr double kSichereHoehe = 20e6;
// A print job of more pages takes minutes and a stack of paper no one wants.
constexpr int kHoechstseiten = 20000;
// About 10 ms of layout or less: the window answers between two steps.
constexpr int kZeichenProSchritt = 10000;

constexpr double kRand = 2 / 2.54 * 72; // 2 cm in points

// The layout's resolution: one unit is one point on paper.
QPaintDevice &punktraster()
{
    static QImage raster = [] {
        QImage bild(1, 1, QImage::Format_Mono);
        bild.setDotsPerMeterX(qRound(72 / 0.0254));
        bild.setDotsPerMeterY(qRound(72 / 0.0254));
        return bild;
    }();
    return raster;
}

// The layout runs its own steps from a timer as well, up to 200,000
// characters at once; held back, it lays out only as far as asked.
class Zurueckhalten : public QObject
{
public:
    explicit Zurueckhalten(QObject *satz)
        : satz(satz)
    {
        satz->installEventFilter(this);
    }
    ~Zurueckhalten() override { satz->removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Timer; }

private:
    QObject *satz;
};

// Prepares the document for pages of `papier` points; it keeps a layout made
// for them before.
void richteEin(QTextDocument &dokument, const QSizeF &papier)
{
    dokument.documentLayout()->setPaintDevice(&punktraster());
    // Unhinted widths, which do not depend on the resolution: the same lines
    // at 72 dots per inch as at 1200.
    if (!dokument.useDesignMetrics())
        dokument.setUseDesignMetrics(true);
    // The layout scales a frame's margins from the screen's resolution to
    // its device's, as it does for a printer. Margins keep the pages apart:
    // Qt draws one line above the part of the page it is asked for, which
    // then falls outside the paper rather than into the file's text.
    const double rand = kRand * qt_defaultDpiY() / 72;
    QTextFrameFormat rahmen = dokument.rootFrame()->frameFormat();
    if (rahmen.margin() != rand) {
        rahmen.setMargin(rand);
        dokument.rootFrame()->setFrameFormat(rahmen);
    }
    if (dokument.pageSize() != papier)
        dokument.setPageSize(papier);
}

// Lays the document out in steps, the window answering between them. The
// count of pages, more than `grenze` when it stopped there, or nothing when
// the user cancelled.
std::optional<int> setze(
    QTextDocument &dokument, const QSizeF &papier, int grenze, Fortschritt &fortschritt)
{
    QAbstractTextDocumentLayout &satz = *dokument.documentLayout();
    const Zurueckhalten zurueck(&satz);
    richteEin(dokument, papier);
    const int zeichen = dokument.characterCount();
    const QString schritt = QStringLiteral("Der Text wird auf Seiten verteilt …");
    double unten = 0;
    for (QTextBlock block = dokument.begin(); block.isValid(); block = block.next()) {
        block = dokument.findBlock(std::min(block.position() + kZeichenProSchritt, zeichen - 1));
        const double bis = satz.blockBoundingRect(block).bottom();
        // Lower than before: a block so tall that it wrapped round.
        if (bis < unten || bis > grenze * papier.height())
            return grenze + 1;
        unten = bis;
        if (!fortschritt.melde(schritt, block.position(), zeichen))
            return std::nullopt;
    }
    return std::max(1, qCeil(satz.documentSize().height() / papier.height()));
}

// Page `seite` (from 0) on a painter whose unit is the point on paper.
void zeichneSeite(QPainter &maler, const QTextDocument &dokument, int seite)
{
    const QRectF sicht(QPointF(0, seite * dokument.pageSize().height()), dokument.pageSize());
    maler.save();
    maler.translate(0, -sicht.top());
    maler.setClipRect(sicht);
    QAbstractTextDocumentLayout::PaintContext kontext;
    kontext.clip = sicht;
    // Black on paper, whatever the desktop's text colour is.
    kontext.palette.setColor(QPalette::Text, Qt::black);
    dokument.documentLayout()->draw(&maler, kontext);
    maler.setClipping(false);
    // A font set on the painter would be sized for the device's dots: laid
    // out in points, the number scales as the text does.
    QTextLayout nummer(
        QString::number(seite + 1), QFont(dokument.defaultFont(), &punktraster()), &punktraster());
    nummer.beginLayout();
    const QTextLine zeile = nummer.createLine();
    nummer.endLayout();
    // Right-aligned, its top 5 points below the text.
    nummer.draw(&maler,
        QPointF(sicht.right() - kRand - zeile.naturalTextWidth(), sicht.bottom() - kRand + 5));
    maler.restore();
}

} // namespace

int Seitengrenze(const QSizeF &papier)
{
    return std::min(kHoechstseiten, int(kSichereHoehe / papier.height()));
}

bool Drucke(QTextDocument &dokument, QPagedPaintDevice &geraet, Dialoge &dialoge, QWidget *eltern)
{
    const QPageLayout seite = geraet.pageLayout();
    const QSizeF papier = seite.fullRect(QPageLayout::Point).size();
    const int grenze = Seitengrenze(papier);
    auto fortschritt = dialoge.Fortschrittsanzeige(eltern, QStringLiteral("Drucken"));
    const std::optional<int> seiten = setze(dokument, papier, grenze, *fortschritt);
    if (!seiten)
        return false;
    if (*seiten > grenze) {
        fortschritt.reset();
        dialoge.ZeigeWarnung(eltern,
            QStringLiteral("Der Druck hätte mehr als %1 Seiten. So viele Seiten druckt Zifferon "
                           "nicht: Kürzen Sie den Text oder wählen Sie eine kleinere Schrift.")
                .arg(grenze));
        return false;
    }
    QPainter maler(&geraet);
    if (!maler.isActive())
        return false;
    // Points on paper, from the paper's corner rather than the printable area's.
    maler.scale(geraet.logicalDpiX() / 72.0, geraet.logicalDpiY() / 72.0);
    maler.translate(-seite.paintRect(QPageLayout::Point).topLeft());
    // The pages chosen in the print dialog, or all.
    const QPageRanges auswahl = geraet.pageRanges();
    bool erste = true;
    for (int i = 0; i < *seiten; ++i) {
        if (!fortschritt->melde(
                QStringLiteral("Seite %1 von %2 …").arg(i + 1).arg(*seiten), i, *seiten))
            return false;
        if (!auswahl.isEmpty() && !auswahl.contains(i + 1))
            continue;
        if (!erste && !geraet.newPage())
            return false;
        erste = false;
        zeichneSeite(maler, dokument, i);
    }
    return true;
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

Pdf SchreibePdf(const QString &pfad, const Druckauftrag &auftrag)
{
    bool unterlassen = false;
    const bool geschrieben = SchreibeSicher(pfad, [&](QIODevice &datei) {
        {
            QPdfWriter pdf(&datei);
            pdf.setTitle(auftrag.titel);
            pdf.setCreator(QStringLiteral("Zifferon"));
            pdf.setPageSize(auftrag.seitengroesse);
            unterlassen = !auftrag.zeichne(pdf);
        } // the writer finishes the file when it goes
        // A failed write shows in the commit.
        return !unterlassen;
    });
    if (geschrieben)
        return Pdf::Geschrieben;
    return unterlassen ? Pdf::Unterlassen : Pdf::Fehler;
}

} // namespace papier
