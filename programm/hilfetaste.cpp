// SPDX-License-Identifier: GPL-3.0-or-later
#include "programm/hilfetaste.h"

#include "help/liesmich.h"

#include <QApplication>
#include <QKeyEvent>

Hilfetaste::Hilfetaste(Fensterfabrik &fabrik)
    : fabrik(fabrik)
{
    qApp->installEventFilter(this);
}

// A key press reaches the application's filters once for each widget it is
// offered to, and first for the window system's window: only a widget's turn
// counts, and taking it there ends the offering.
bool Hilfetaste::eventFilter(QObject *ziel, QEvent *ereignis)
{
    if (ereignis->type() != QEvent::KeyPress || !ziel->isWidgetType()
        || static_cast<QKeyEvent *>(ereignis)->keyCombination() != QKeyCombination(Qt::Key_F1))
        return false;
    if (!qobject_cast<TLiesmichForm *>(static_cast<QWidget *>(ziel)->window()))
        fabrik.oeffne(Fensterart::Liesmich);
    return true;
}
