#include "mainwindow/textpane.h"

#include "platform/codepage.h"

#include <QKeyEvent>
#include <QMimeData>

namespace {

// Longer than any word or address in ordinary text. A run of characters
// without a blank or line break that is longer than this wraps anywhere.
constexpr qsizetype kLaengsterLauf = 256;

// Qt measures a line in 1/64 pixel in a 32-bit integer, so an unwrapped line
// wider than about 33 million pixels overflows: the pane could no longer
// scroll to its end (and laying it out as one line costs seconds and hundreds
// of MiB). A line longer than this wraps even with word wrap off; the bound
// stays well below that width even in wide stand-in glyphs.
constexpr qsizetype kLaengsteZeile = qsizetype { 1 } << 20;

// What of the shown text word wrap has to care about. The no-break space
// (byte 160) is no break opportunity.
struct Zeilenmass
{
    bool langerLauf = false;
    bool ueberlangeZeile = false;
};

Zeilenmass miss(QStringView anzeige)
{
    Zeilenmass mass;
    qsizetype lauf = 0;
    qsizetype zeile = 0;
    for (const QChar z : anzeige) {
        const bool zeilenende = z == u'\n' || z == QChar::ParagraphSeparator;
        lauf = zeilenende || z == u' ' || z == u'\t' ? 0 : lauf + 1;
        zeile = zeilenende ? 0 : zeile + 1;
        mass.langerLauf |= lauf > kLaengsterLauf;
        mass.ueberlangeZeile |= zeile > kLaengsteZeile;
    }
    return mass;
}

} // namespace

TextPane::TextPane(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setTabChangesFocus(true);
}

verschl::Text TextPane::text() const
{
    // toPlainText() would turn the no-break space (byte 160, what rotation by
    // 128 makes of every blank) into a plain space; the raw text keeps it.
    return codepage::AusPanetext(document()->toRawText());
}

// Qt's word wrap that falls back to breaking anywhere still looks ahead to the
// next break opportunity for every line it makes, so a line without any (a
// binary file; a ciphertext of rotation by 128, which has neither blanks nor
// line breaks) takes time quadratic in its length: minutes for a few MiB.
// Breaking anywhere is linear, but it would cut ordinary words, so the pane
// breaks anywhere only while its text has such a run. Qt lays out the last
// block again whenever the rule changes, so neither the old text nor the new
// one may meet a slow rule: the change goes through breaking anywhere.
void TextPane::setText(const verschl::Text &text)
{
    const QString anzeige = codepage::AlsPanetext(text);
    const Zeilenmass mass = miss(anzeige);
    setWordWrapMode(QTextOption::WrapAnywhere);
    if (mass.ueberlangeZeile)
        setzeUeberlang(true);
    setPlainText(anzeige);
    setzeUeberlang(mass.ueberlangeZeile);
    if (!mass.langerLauf)
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

void TextPane::setzeZeilenumbruch(bool an)
{
    zeilenumbruch = an;
    wendeZeilenumbruchAn();
}

void TextPane::setzeUeberlang(bool ja)
{
    ueberlang = ja;
    wendeZeilenumbruchAn();
}

void TextPane::wendeZeilenumbruchAn()
{
    setLineWrapMode(zeilenumbruch || ueberlang ? WidgetWidth : NoWrap);
}

void TextPane::keyPressEvent(QKeyEvent *event)
{
    // Alt+letter belongs to the window's buttons and menus; without this the
    // pane would type the letter on some platforms.
    const auto mods = event->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextPane::insertFromMimeData(const QMimeData *source)
{
    // Pasted text goes through the codec at once, so the pane shows what it
    // will hold: CR LF is one line break, a lone CR stays a CR byte (the
    // document would otherwise make it a line break), and characters outside
    // Windows-1252 show as the '?' they become.
    if (!source->hasText())
        return;
    const QString text = source->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString anzeige = codepage::AlsPanetext(codepage::AusPanetext(text));
    // Decided before the text arrives, so it is never laid out by a slow rule.
    const Zeilenmass mass = miss(anzeige);
    if (mass.langerLauf)
        setWordWrapMode(QTextOption::WrapAnywhere);
    if (mass.ueberlangeZeile)
        setzeUeberlang(true);
    insertPlainText(anzeige);
}
