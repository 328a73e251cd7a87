// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/spaltenzahlfeld.h"

#include <algorithm>
#include <QLineEdit>

Spaltenzahlfeld::Spaltenzahlfeld(QWidget *parent)
    : QSpinBox(parent)
{
    setRange(kMin, kMax);
    // The spin box reports a text only once it is a valid value; the handler
    // must see every keystroke, "250" and "" too.
    connect(lineEdit(), &QLineEdit::textChanged, this, &Spaltenzahlfeld::textGeaendert);
}

int Spaltenzahlfeld::spaltenzahl() const { return spaltenzahlAus(cleanText()); }

int Spaltenzahlfeld::spaltenzahlAus(QStringView text)
{
    bool zahl = false;
    const int spalten = text.trimmed().toInt(&zahl);
    return zahl ? std::clamp(spalten, kMin, kMax) : kMin;
}

// Anything may be typed: 0, 250 and letters stay in the field as typed
// until it is left.
QValidator::State Spaltenzahlfeld::validate(QString &text, int &pos) const
{
    return QSpinBox::validate(text, pos) == QValidator::Acceptable ? QValidator::Acceptable
                                                                   : QValidator::Intermediate;
}

// Qt corrects a text that is not acceptable when the field is left, on Enter
// and on stepping; it takes the count the text stands for instead of falling
// back to the previous value.
void Spaltenzahlfeld::fixup(QString &text) const { text = QString::number(spaltenzahlAus(text)); }
