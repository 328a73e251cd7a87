// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/spaltenzahlfeld.h"

#include <algorithm>
#include <QLineEdit>

namespace {

// A text that is no whole number counts as the minimum, and so does any
// number below it.
int mindestensMin(QStringView text)
{
    bool zahl = false;
    const int spalten = text.trimmed().toInt(&zahl);
    return zahl ? std::max(spalten, Spaltenzahlfeld::kMin) : Spaltenzahlfeld::kMin;
}

int geklemmt(QStringView text) { return std::min(mindestensMin(text), Spaltenzahlfeld::kMax); }

} // namespace

Spaltenzahlfeld::Spaltenzahlfeld(QWidget *parent)
    : QSpinBox(parent)
{
    setRange(kMin, kMax);
    // The spin box reports a text only once it is a valid value; a handler
    // may need to see every keystroke, "250" and "" too.
    connect(lineEdit(), &QLineEdit::textChanged, this, &Spaltenzahlfeld::textGeaendert);
}

int Spaltenzahlfeld::spaltenzahl() const { return geklemmt(cleanText()); }

int Spaltenzahlfeld::getippteSpaltenzahl() const { return mindestensMin(cleanText()); }

// Anything may be typed: 0, 250 and letters stay in the field as typed
// until it is left.
QValidator::State Spaltenzahlfeld::validate(QString &text, int &pos) const
{
    return QSpinBox::validate(text, pos) == QValidator::Acceptable ? QValidator::Acceptable
                                                                   : QValidator::Intermediate;
}

// Qt corrects a text that is not acceptable when the field is left, on Enter,
// on stepping and when the window loses the focus; it takes the count the
// text stands for instead of falling back to the previous value.
void Spaltenzahlfeld::fixup(QString &text) const { text = QString::number(geklemmt(text)); }

void Spaltenzahlfeld::focusOutEvent(QFocusEvent *event)
{
    Q_EMIT verlassen();
    QSpinBox::focusOutEvent(event);
}
