// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Vigenère demonstration opened from the main window of a fresh program,
// for its tests: the window, its texts put in through the field lock, steps,
// and whether the table shows any marking. Whoever includes this links
// zifferon_programm and Qt6::GuiPrivate.

#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/demohilfen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace vmatrixdemo {

using namespace Qt::StringLiterals;

inline const verschl::Text kSatz = TVMatrixForm::kBeispielsatz;
inline constexpr DemoEinstellungen kOhneAnimation { false, 0, 300, 150, false };

inline void setzeFeld(QLineEdit *f, const verschl::Text &t)
{
    f->setText(codepage::AlsZeichenkette(t));
}
inline void setzeFeld(Bytezeile *f, const verschl::Text &t) { f->setText(t); }

// A program with a Vigenère demonstration opened by the main window's command.
struct Demo
{
    explicit Demo(const verschl::Text &schluessel = "Sonnenbahn",
        const verschl::Text &klartext = {}, DemoEinstellungen demo = kSchnell,
        const verschl::Text &chiffre = {})
    {
        a.option().setSchluessel(schluessel);
        a.klar().setText(klartext);
        a.chiffre().setText(chiffre);
        a.haupt().setDemoEinstellungen(demo);
        f = oeffne();
    }
    TVMatrixForm *oeffne() { return &a.oeffneNeues<TVMatrixForm>("VigenreMatrix1"); }
    // Unlocks the fields, puts the texts in and locks them again.
    void texte(const verschl::Text &schluessel, const verschl::Text &eingabe)
    {
        f->findChild<QCheckBox *>(u"CBEditSperren"_s)->setChecked(false);
        setzeFeld(f->findChild<QLineEdit *>(u"EdSchluessel"_s), schluessel);
        setzeFeld(f->findChild<Bytezeile *>(u"EdText1"_s), eingabe);
        f->findChild<QCheckBox *>(u"CBEditSperren"_s)->setChecked(true);
    }
    void schritte(int n)
    {
        for (int i = 0; i < n; ++i)
            f->findChild<QPushButton *>(u"BSchritt"_s)->click();
    }
    Aufbau a;
    QPointer<TVMatrixForm> f;
};

// The Vigenère table of the window.
inline const TStringAlignGrid &tabelle(const TVMatrixForm &f)
{
    return *f.findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s);
}

inline bool unmarkiert(const TVMatrixForm &f)
{
    const TStringAlignGrid &g = tabelle(f);
    const QColor farbe = Markierungsfarbe().aufgeloest(g.palette());
    for (int c = 0; c < 26; ++c) {
        for (int r = 0; r < 26; ++r) {
            if (g.HintergrundVon(c, r) == farbe || g.SchriftVon(c, r).bold() != (c == 0 || r == 0))
                return false;
        }
    }
    return true;
}

} // namespace vmatrixdemo
