// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/bildwechsel.h"

#include "platform/benannt.h"
#include "bausteine/zentriert.h"

#include <QAction>
#include <QDialog>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>

static void ladeBilder() { Q_INIT_RESOURCE(hilfe); }

namespace bildwechsel {

QLabel *Bild(QWidget *eltern, const char *name, const QString &datei, bool sichtbar)
{
    ladeBilder();
    auto *bild = benannt(new QLabel(eltern), name);
    bild->setGeometry(8, eltern->height() - 40, 32, 32);
    bild->setPixmap(QIcon(datei).pixmap(32, 32));
    bild->setVisible(sichtbar);
    return bild;
}

void Wechsle(QLabel *icon, QLabel *icon2)
{
    const bool erstes = icon->isHidden();
    icon->setVisible(erstes);
    icon2->setVisible(!erstes);
}

// A double click arrives as press, release, double click, release: the first
// press and the double click each count, as the click and the double click
// of the desktop each invert the pictures once.
bool IstKlick(const QEvent *event)
{
    return event->type() == QEvent::MouseButtonPress
        || event->type() == QEvent::MouseButtonDblClick;
}

namespace {

class Zentrierer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *fenster, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous())
            Zentriere(*static_cast<QWidget *>(fenster));
        return false;
    }
};

} // namespace

void Dialograhmen(QDialog *fenster)
{
    fenster->setWindowFlags(
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    fenster->installEventFilter(new Zentrierer(fenster));
}

QMenu *Popup(QDialog *fenster)
{
    auto *menu = benannt(new QMenu(fenster), "PopupMenu1");
    QAction *schliessen = benannt(menu->addAction(QStringLiteral("Schließen")), "PopMSchliessen");
    QObject::connect(schliessen, &QAction::triggered, fenster, &QDialog::close);
    fenster->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(fenster, &QWidget::customContextMenuRequested, menu,
        [fenster, menu](const QPoint &punkt) { menu->popup(fenster->mapToGlobal(punkt)); });
    return menu;
}

} // namespace bildwechsel
