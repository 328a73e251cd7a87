// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/bytefeld.h"

#include "platform/codepage.h"

#include <QKeyEvent>
#include <QMimeData>

Bytefeld::Bytefeld(QWidget *parent)
    : QPlainTextEdit(parent)
{
    // Tab leaves the field, as in the rest of the window's controls.
    setTabChangesFocus(true);
}

verschl::Text Bytefeld::text() const
{
    // toPlainText() would turn the no-break space (byte 160, what rotation by
    // 128 makes of every blank) into a plain space; the raw text keeps it.
    return ausAnzeige(ohneWeicheUmbrueche(document()->toRawText(), 0));
}

verschl::Text Bytefeld::anfang(int zeichen) const
{
    QTextCursor auswahl(document());
    auswahl.setPosition(std::clamp(zeichen, 0, zeichenzahl()), QTextCursor::KeepAnchor);
    // Like the raw text, the selection keeps the no-break space.
    return ausAnzeige(ohneWeicheUmbrueche(auswahl.selectedText(), 0));
}

int Bytefeld::zeichenzahl() const { return document()->characterCount() - 1; }

void Bytefeld::setText(const verschl::Text &text) { zeige(alsAnzeige(text)); }

QString Bytefeld::alsAnzeige(const verschl::Text &text) const
{
    return codepage::AlsPanetext(text);
}

verschl::Text Bytefeld::ausAnzeige(QStringView anzeige) const
{
    return codepage::AusPanetext(anzeige);
}

void Bytefeld::zeige(const QString &anzeige) { setPlainText(anzeige); }

void Bytefeld::fuegeEin(const QString &anzeige)
{
    insertPlainText(anzeige);
    // A paste from the context menu or a drop would otherwise leave the
    // inserted text out of sight; Qt's own paste scrolls there too.
    ensureCursorVisible();
}

// A field without soft breaks shows each line of its text as one block.
QString Bytefeld::ohneWeicheUmbrueche(const QString &roh, int) const { return roh; }

bool Bytefeld::eigeneTaste(QKeyEvent *) { return false; }

void Bytefeld::keyPressEvent(QKeyEvent *event)
{
#ifndef Q_OS_MACOS
    // Alt+letter belongs to the window's buttons and menus; without this the
    // field would type the letter on some platforms. On macOS the Option key
    // types characters such as @ and [ instead, and menus have no Alt keys.
    const auto mods = event->modifiers();
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
#endif
    if (!eigeneTaste(event))
        QPlainTextEdit::keyPressEvent(event);
}

void Bytefeld::insertFromMimeData(const QMimeData *source)
{
    // Pasted and dropped text goes through the codec at once, so the field
    // shows what it will hold: CR LF is one line break, a lone CR stays a CR
    // byte (the document would otherwise make it a line break), and characters
    // outside Windows-1252 show as the '?' they become.
    if (!source->hasText())
        return;
    const QString text = source->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    fuegeEin(codepage::AlsPanetext(codepage::AusPanetext(text)));
}

// Copied text has a line break where the field's text has one, never at a
// soft break, and keeps the no-break space (the default copy would make it a
// blank).
QMimeData *Bytefeld::createMimeDataFromSelection() const
{
    const QTextCursor auswahl = textCursor();
    auto *daten = new QMimeData;
    daten->setText(ohneWeicheUmbrueche(auswahl.selectedText(), auswahl.selectionStart())
                       .replace(QChar::ParagraphSeparator, u'\n'));
    return daten;
}
