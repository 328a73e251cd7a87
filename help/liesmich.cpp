// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/liesmich.h"

#include "help/bildwechsel.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "platform/textdatei.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {
const QString kDatei = QStringLiteral("liesmich.txt");
}

QStringList TLiesmichForm::Suchordner()
{
    const QString programm = QCoreApplication::applicationDirPath();
    QStringList ordner { programm,
        QDir::cleanPath(programm + QStringLiteral("/../share/zifferon")) };
    for (const QString &daten :
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        ordner << QDir(daten).filePath(QStringLiteral("zifferon"));
    return ordner;
}

TLiesmichForm::TLiesmichForm(const QStringList &ordner, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Liesmich"));
    setWindowTitle(QStringLiteral("Lies mich!"));
    bildwechsel::Dialograhmen(this);
    setFont(schriften::Fensterschrift(11));
    setFixedSize(463, 330);

    Mliesmich = benannt(new QPlainTextEdit(this), "Mliesmich");
    Mliesmich->setGeometry(7, 7, 449, 273);
    Mliesmich->setReadOnly(true);
    Mliesmich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Mliesmich->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The window's grey, taken by role, so a new colour scheme reaches it too.
    Mliesmich->viewport()->setBackgroundRole(QPalette::Window);
    Mliesmich->setAccessibleName(QStringLiteral("Kurzanleitung"));
    Mliesmich->installEventFilter(this);

    Icon = bildwechsel::Bild(this, "Icon", QStringLiteral(":/hilfe/zifferon"), true);
    Icon2 = bildwechsel::Bild(this, "Icon2", QStringLiteral(":/hilfe/zifferon2"), false);
    Icon->installEventFilter(this);
    Icon2->installEventFilter(this);

    BSchliessen = benannt(new QPushButton(QStringLiteral("&Schließen"), this), "BSchliessen");
    BSchliessen->setGeometry(155, 292, 153, 25);
    BSchliessen->setDefault(true);
    connect(BSchliessen, &QPushButton::clicked, this, &QDialog::close);

    PopupMenu1 = bildwechsel::Popup(this);
    FormCreate(ordner);
    BSchliessen->setFocus();
}

// A missing or unreadable file is no failure worth a message: the window
// just stays empty.
void TLiesmichForm::FormCreate(const QStringList &ordner)
{
    for (const QString &o : ordner) {
        const QString pfad = QDir(o).filePath(kDatei);
        if (textdatei::ArtVon(pfad) != textdatei::Art::Datei)
            continue;
        if (const auto gelesen = textdatei::Lesen(pfad)) {
            Mliesmich->setPlainText(codepage::AlsPanetext(gelesen->text));
            return;
        }
    }
}

void TLiesmichForm::MliesmichEnter() { BSchliessen->setFocus(); }

bool TLiesmichForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Icon || watched == Icon2) && bildwechsel::IstKlick(event)) {
        bildwechsel::Wechsle(Icon, Icon2);
    } else if (watched == Mliesmich && event->type() == QEvent::FocusIn) {
        MliesmichEnter();
    } else if (watched == Mliesmich && event->type() == QEvent::KeyPress) {
        // Typed characters go nowhere; the field is read-only anyway, but a
        // key must not scroll or select behind the user's back either.
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
