// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/steuerelemente.h"

#include "platform/benannt.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

using namespace Qt::StringLiterals;

QLabel *beschriftung(QWidget *eltern, const char *name, const QString &text, int links, int oben)
{
    auto *label = benannt(new QLabel(text, eltern), name);
    label->move(links, oben);
    label->adjustSize();
    return label;
}

QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, const QRect &platz)
{
    auto *b = benannt(new QPushButton(text, eltern), name);
    b->setGeometry(platz);
    return b;
}

QFrame *vertieft(QWidget *eltern, const char *name, QFrame::Shape form, const QRect &platz)
{
    auto *rahmen = benannt(new QFrame(eltern), name);
    rahmen->setFrameShape(form);
    rahmen->setFrameShadow(QFrame::Sunken);
    rahmen->setGeometry(platz);
    return rahmen;
}

QString SonderzeichenHinweis()
{
    // Two lines: a tooltip of plain text is never wrapped.
    return QStringLiteral("Im Schlüsselwort nicht weiterwandern, wo ein Leerzeichen oder "
                          "Satzzeichen steht:\n„Hallo Welt“ wird mit LUNA zu „Suylz Qrle“ "
                          "statt zu „Suylz Jewn“.");
}

Verschiebungswahl erzeugeVerschiebungswahl(
    QWidget *eltern, const QRect &listenplatz, const QRect &reglerplatz)
{
    auto *liste = benannt(new QComboBox(eltern), "ComboBox");
    for (char16_t buchstabe = u'A'; buchstabe <= u'Z'; ++buchstabe)
        liste->addItem(QString(QChar(buchstabe)));
    liste->setMaxVisibleItems(10);
    // Most styles open the list with all 26 rows and ignore the 10 unless told.
    liste->setStyleSheet(u"QComboBox { combobox-popup: 0; }"_s);
    liste->setGeometry(listenplatz);

    auto *regler = benannt(new QSlider(Qt::Horizontal, eltern), "TrackBar");
    regler->setRange(0, liste->count() - 1);
    regler->setTickInterval(1);
    regler->setTickPosition(QSlider::TicksBelow);
    regler->setGeometry(reglerplatz);
    // No caption of its own; a screen reader names it so.
    regler->setAccessibleName(u"Verschiebung"_s);
    return { liste, regler };
}
