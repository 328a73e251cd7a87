// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/demofenster.h"

#include "bausteine/fensterart.h"
#include "bausteine/zentriert.h"
#include "platform/schriften.h"

#include <QCloseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

Demofenster::Demofenster(const char *name, const QString &titel)
    : QWidget(nullptr, kFensterArt)
{
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(titel);
    setFont(schriften::Fensterschrift(11));
}

verschl::Text Demofenster::oderBeispiel(const verschl::Text &text)
{
    return text.empty() ? verschl::Text(kBeispielsatz) : text;
}

void Demofenster::BSchliessenClick() { close(); }

// Centred once, with the frame counted in as soon as the window manager has
// given it one; later moves are the user's.
void Demofenster::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (!platziert) {
        platziert = true;
        Zentriere(*this, [this] {
            const QMargins rahmen = windowHandle()->frameMargins();
            passeAn(screen()->geometry().height() - rahmen.top() - rahmen.bottom());
        });
    }
    FormShow();
}

void Demofenster::closeEvent(QCloseEvent *event)
{
    geschlossen = true;
    QWidget::closeEvent(event);
}
