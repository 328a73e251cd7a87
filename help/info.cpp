// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/info.h"

#include "help/bildwechsel.h"
#include "platform/benannt.h"
#include "platform/farben.h"
#include "platform/schriften.h"
#include "schnittstellen/dialoge.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

namespace {
const QString kTrenner = QStringLiteral("\n\r");
constexpr int kLizenzzeile = 14;
}

QString TInfoForm::Infotext()
{
    return QStringLiteral("Zifferon Version 1.5") + kTrenner + kTrenner
        + QStringLiteral("Ein Programm zur Demonstration verschiedener einfacher "
                         "Verschlüsselungsverfahren z. B. im Informatikunterricht")
        + kTrenner + kTrenner + kTrenner + QStringLiteral("Nordhain, Dezember 2026") + kTrenner
        + QStringLiteral("Freie Software nach der GNU GPL, Version 3 oder später");
}

QString TInfoForm::Adresse() { return QStringLiteral("https://zifferon.example/"); }

TInfoForm::TInfoForm(Dialoge &dialoge, QWidget *parent)
    : QDialog(parent)
    , dialoge(dialoge)
{
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Info"));
    bildwechsel::Dialograhmen(this);
    setFont(schriften::Fensterschrift(11));
    // One line taller than designed, for the licence below the author.
    setFixedSize(306, 200 + kLizenzzeile);

    Panel1 = benannt(new QFrame(this), "Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(6, 6, 295, 139 + kLizenzzeile);

    myLabel1 = benannt(new QLabel(Panel1), "myLabel1");
    myLabel1->setGeometry(6, 6, 283, 103 + kLizenzzeile);
    myLabel1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    myLabel1->setWordWrap(true);
    myLabel1->setTextFormat(Qt::PlainText);
    // The text keeps its own separator, LF CR; a label would break the line
    // at each of the two bytes, so each pair becomes one break.
    myLabel1->setText(Infotext().replace(kTrenner, QStringLiteral("\n")));

    myLabel2 = benannt(new QLabel(Panel1), "myLabel2");
    myLabel2->setGeometry(18, 116 + kLizenzzeile, 259, 13);
    myLabel2->setAlignment(Qt::AlignCenter);
    myLabel2->setTextFormat(Qt::PlainText);
    // Shown without scheme and without the slash of the bare path.
    QString ohneSchema = QUrl(Adresse()).toString(QUrl::RemoveScheme).mid(2);
    if (ohneSchema.endsWith(u'/'))
        ohneSchema.chop(1);
    myLabel2->setText(ohneSchema);
    faerbeAdresse();
    myLabel2->setCursor(Qt::PointingHandCursor);
    // A link the keyboard reaches too: Tab, then Enter or Space. A screen
    // reader hears the address as text; the description says what it does.
    myLabel2->setFocusPolicy(Qt::TabFocus);
    myLabel2->setAccessibleDescription(QStringLiteral("Link: öffnet die Homepage im Browser"));
    myLabel2->installEventFilter(this);

    Icon = bildwechsel::Bild(this, "Icon", QStringLiteral(":/hilfe/zifferon"), true);
    Icon2 = bildwechsel::Bild(this, "Icon2", QStringLiteral(":/hilfe/zifferon2"), false);
    Icon->installEventFilter(this);
    Icon2->installEventFilter(this);

    BOk = benannt(new QPushButton(QStringLiteral("&OK"), this), "BOk");
    BOk->setGeometry(80, 160 + kLizenzzeile, 145, 25);
    BOk->setDefault(true);
    connect(BOk, &QPushButton::clicked, this, &QDialog::close);

    PopupMenu1 = bildwechsel::Popup(this);
    BOk->setFocus();
}

void TInfoForm::myLabel2Click() { dialoge.OeffneAdresse(QUrl(Adresse())); }

// The desktop's link colour, as blue as it is in a light colour scheme, but
// never too dark to read on a dark window.
void TInfoForm::faerbeAdresse()
{
    QPalette farben = myLabel2->palette();
    farben.setColor(QPalette::WindowText,
        farben::Lesbar(palette().color(QPalette::Link), palette().color(QPalette::Window)));
    myLabel2->setPalette(farben);
}

void TInfoForm::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && myLabel2)
        faerbeAdresse();
}

// A label draws no focus frame; the underline shows where Enter goes.
bool TInfoForm::adresseTaste(QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        QFont schrift = myLabel2->font();
        schrift.setUnderline(event->type() == QEvent::FocusIn);
        myLabel2->setFont(schrift);
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int taste = static_cast<QKeyEvent *>(event)->key();
    if (taste != Qt::Key_Return && taste != Qt::Key_Enter && taste != Qt::Key_Space)
        return false;
    myLabel2Click();
    return true;
}

void TInfoForm::IconClick() { bildwechsel::Wechsle(Icon, Icon2); }

bool TInfoForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Icon || watched == Icon2) && bildwechsel::IstKlick(event))
        IconClick();
    else if (watched == myLabel2 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && myLabel2->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        myLabel2Click();
    else if (watched == myLabel2 && adresseTaste(event))
        return true;
    return QDialog::eventFilter(watched, event);
}
