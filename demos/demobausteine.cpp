// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/demobausteine.h"

#include "bausteine/bytezeile.h"
#include "demos/warte.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/hauptfenster.h"

#include <limits>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcutEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace demo {

namespace {

// The selection shows in the active colours also while the focus is
// elsewhere, since it shows which character is in work; after a change of the
// desktop's colour scheme too.
void auswahlImmerAktiv(QWidget &feld)
{
    QPalette farben = feld.palette();
    bool geaendert = false;
    for (const QPalette::ColorRole rolle : { QPalette::Highlight, QPalette::HighlightedText }) {
        const QColor aktiv = farben.color(QPalette::Active, rolle);
        geaendert = geaendert || farben.color(QPalette::Inactive, rolle) != aktiv;
        farben.setColor(QPalette::Inactive, rolle, aktiv);
    }
    // Only a real difference: setting the palette sends the next change.
    if (geaendert)
        feld.setPalette(farben);
}

// A one-line field that keeps its selection when its window becomes active
// again; Qt's drops it then unless the field has the focus.
class AuswahlhaltendeZeile : public QLineEdit
{
public:
    explicit AuswahlhaltendeZeile(QWidget *eltern)
        : QLineEdit(eltern)
    {
        auswahlImmerAktiv(*this);
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::WindowActivate)
            return QWidget::event(e);
        if (e->type() == QEvent::PaletteChange)
            auswahlImmerAktiv(*this);
        return QLineEdit::event(e);
    }
};

class Schrittzeile : public Bytezeile
{
public:
    explicit Schrittzeile(QWidget *eltern)
        : Bytezeile(eltern)
    {
        auswahlImmerAktiv(*this);
    }

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::PaletteChange)
            auswahlImmerAktiv(*this);
        return Bytezeile::event(e);
    }
};

class Knopf : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::Shortcut || !isEnabled())
            return QPushButton::event(e);
        if (static_cast<QShortcutEvent *>(e)->isAmbiguous())
            setFocus(Qt::ShortcutFocusReason);
        else
            click();
        return true;
    }
};

template <typename Aenderung> void aendere(Demohauptfenster &haupt, Aenderung aenderung)
{
    DemoEinstellungen einstellungen = haupt.demoEinstellungen();
    aenderung(einstellungen);
    haupt.setDemoEinstellungen(einstellungen);
}

} // namespace

QLineEdit *Zeilenfeld(QWidget *eltern, const char *name)
{
    auto *feld = benannt(new AuswahlhaltendeZeile(eltern), name);
    feld->setFont(schriften::Schreibmaschine(11));
    // The panes may hold any length; Qt would cut a text at 32767 characters.
    feld->setMaxLength(std::numeric_limits<int>::max());
    return feld;
}

Bytezeile *Textzeile(QWidget *eltern, const char *name)
{
    auto *feld = benannt(new Schrittzeile(eltern), name);
    feld->setFont(schriften::Schreibmaschine(11));
    return feld;
}

verschl::Text Feldtext(const QLineEdit &feld) { return codepage::AusZeichenkette(feld.text()); }

void setzeFeld(QLineEdit &feld, const verschl::Text &text)
{
    feld.setText(codepage::AlsZeichenkette(text));
}

QToolButton *Richtungsknopf(
    QWidget *eltern, const char *name, const QString &text, const QRect &platz)
{
    auto *b = benannt(new QToolButton(eltern), name);
    b->setText(text);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setGeometry(platz);
    return b;
}

QPushButton *Sofortknopf(QWidget *eltern, const char *name, const QString &text)
{
    return benannt(new Knopf(text, eltern), name);
}

int BuchstabenIndex(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        return c - 'a';
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    return -1;
}

void setzeGeschwindigkeit(QSlider &regler, const DemoEinstellungen &einstellungen)
{
    const QSignalBlocker still(&regler);
    regler.setRange(einstellungen.AnimationMin, einstellungen.AnimationMax);
    regler.setValue(einstellungen.AnimationAktuell); // clamped into the range
}

void zeigeAnimation(QCheckBox &animation, QSlider &regler)
{
    const bool an = animation.isChecked();
    regler.setVisible(an);
    animation.setText(
        an ? QStringLiteral("&Animation   Geschwindigkeit:") : QStringLiteral("&Animation"));
}

void WarteSchritt(const QSlider &regler)
{
    Warte(regler.maximum() + regler.minimum() - regler.value());
}

void schreibeAnimation(Demohauptfenster &haupt, bool an)
{
    aendere(haupt, [an](DemoEinstellungen &e) { e.Animation = an; });
}

void schreibeGeschwindigkeit(Demohauptfenster &haupt, int position)
{
    aendere(haupt, [position](DemoEinstellungen &e) { e.AnimationAktuell = position; });
}

void schreibeBlinken(Demohauptfenster &haupt, bool an)
{
    aendere(haupt, [an](DemoEinstellungen &e) { e.Blinken = an; });
}

} // namespace demo
