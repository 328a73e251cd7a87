#include "mainwindow/textpane.h"

#include "platform/codepage.h"

#include <QKeyEvent>
#include <QMimeData>

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

void TextPane::setText(const verschl::Text &text) { setPlainText(codepage::AlsPanetext(text)); }

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
    insertPlainText(codepage::AlsPanetext(codepage::AusPanetext(text)));
}
