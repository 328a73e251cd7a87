// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The controls that both files of the Vigenère page make alike.

#include "platform/benannt.h"
#include "platform/schriften.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace vigenere {

inline QLabel *erklaerung(QWidget *eltern, const QString &text)
{
    auto *l = new QLabel(text, eltern);
    l->setWordWrap(true);
    return l;
}

template <typename Feld> Feld *textfeld(QWidget *eltern, const char *name, const QString &zugang)
{
    auto *feld = benannt(new Feld(eltern), name);
    feld->setReadOnly(true);
    feld->setFont(schriften::Paneschrift());
    feld->setAccessibleName(zugang);
    return feld;
}

inline QSpinBox *zahlfeld(QWidget *eltern, const char *name, const QString &zugang)
{
    auto *feld = benannt(new QSpinBox(eltern), name);
    feld->setAccessibleName(zugang);
    return feld;
}

// One row of a label and its field, the label naming the field.
inline QHBoxLayout *feldzeile(QWidget *eltern, const QString &text, QWidget *feld)
{
    auto *zeile = new QHBoxLayout;
    auto *beschriftung = new QLabel(text, eltern);
    beschriftung->setBuddy(feld);
    zeile->addWidget(beschriftung);
    zeile->addWidget(feld);
    return zeile;
}

inline QString zaehlweise(bool ignorieren)
{
    return ignorieren ? QStringLiteral("Sonderzeichen ignorieren")
                      : QStringLiteral("Sonderzeichen mitzählen");
}

} // namespace vigenere
