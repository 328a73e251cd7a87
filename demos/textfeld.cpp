#include "demos/textfeld.h"

#include "platform/codepage.h"

#include <QKeyEvent>
#include <QMimeData>

Textfeld::Textfeld(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Tab leaves the field, as in the rest of the window's controls.
    setTabChangesFocus(true);
}

verschl::Text Textfeld::text() const
{
    // toPlainText() would turn the no-break space (byte 160) into a blank;
    // the raw text keeps it.
    return codepage::AusPanetext(document()->toRawText());
}

void Textfeld::setText(const verschl::Text &text) { setPlainText(codepage::AlsPanetext(text)); }

void Textfeld::keyPressEvent(QKeyEvent *event)
{
#ifndef Q_OS_MACOS
    // Alt+letter belongs to the window's buttons; without this the field
    // would type the letter on some platforms. On macOS the Option key types
    // characters such as @ and [ instead.
    const auto mods = event->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
#endif
    QPlainTextEdit::keyPressEvent(event);
}

void Textfeld::insertFromMimeData(const QMimeData *source)
{
    // Through the codec at once, so the field shows what it will hold: CR LF
    // is one line break, a lone CR stays a CR byte (the document would make it
    // a line break of its own), and characters outside Windows-1252 show as
    // the '?' they become.
    if (!source->hasText())
        return;
    const QString text = source->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    insertPlainText(codepage::AlsPanetext(codepage::AusPanetext(text)));
}

// The default copy would make the no-break space a blank.
QMimeData *Textfeld::createMimeDataFromSelection() const
{
    auto *daten = new QMimeData;
    daten->setText(textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    return daten;
}
