// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/schriften.h"

#include <QStringList>

namespace schriften {

QFont Fensterschrift(int pixel)
{
    QFont schrift;
    schrift.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
        QStringLiteral("Arial") });
    schrift.setPixelSize(pixel);
    return schrift;
}

QFont Paneschrift()
{
    QFont schrift;
    schrift.setFamilies({ QStringLiteral("Courier New"), QStringLiteral("Liberation Mono") });
    schrift.setPointSize(10);
    schrift.setStyleHint(QFont::TypeWriter);
    return schrift;
}

QFont Schreibmaschine(int pixel)
{
    QFont schrift = Paneschrift();
    schrift.setPixelSize(pixel);
    return schrift;
}

} // namespace schriften
