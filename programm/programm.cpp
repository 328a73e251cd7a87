// SPDX-License-Identifier: GPL-3.0-or-later
#include "programm/programm.h"

#include "analysefenster/analysefenster.h"
#include "arbeitsblatt/arbeitsblatt.h"
#include "demos/caesardemo.h"
#include "demos/gitterbild.h"
#include "demos/matrixdemo.h"
#include "demos/vmatrix.h"
#include "help/info.h"
#include "help/liesmich.h"
#include "knacken/knacken.h"

// `fenster` is only bound here, not used, before it is constructed.
Programm::Programm(Dialoge &dialoge, const QStringList &argumente)
    : haupt(dialoge, fenster, argumente)
    , option(haupt, [this] { einstellungen.EinstellungenLaden(); })
    , einstellungen(haupt, option)
    , fenster(dialoge)
{
    haupt.setMethodenfenster(option, einstellungen);
    // The demonstrations' grids offer their pictures.
    const auto mitBildern = [&dialoge](QWidget *demo) {
        GitterbilderAnbieten(*demo, dialoge);
        return demo;
    };
    fenster.setErzeuger(Fensterart::CaesarDemo,
        [this, mitBildern] { return mitBildern(new TCaesarDemoForm(haupt, option)); });
    fenster.setErzeuger(Fensterart::MatrixDemo,
        [this, mitBildern] { return mitBildern(new TMatrixDemoForm(haupt, option)); });
    fenster.setErzeuger(Fensterart::VigenereDemo,
        [this, mitBildern] { return mitBildern(new TVMatrixForm(haupt, option)); });
    fenster.setErzeuger(Fensterart::Analyse, [this] {
        auto *analyse = new TAnalyseForm(haupt, option);
        QObject::connect(analyse, &TAnalyseForm::knacken, analyse,
            [this](Fensterart art) { fenster.oeffne(art); });
        return analyse;
    });
    for (const Fensterart art : { Fensterart::KnackenCaesar, Fensterart::KnackenVigenere,
             Fensterart::KnackenMatrix, Fensterart::KnackenSubstitution }) {
        fenster.setErzeuger(
            art, [this, art] { return new TKnackenForm(haupt, haupt, option, art); });
    }
    fenster.setErzeuger(Fensterart::Arbeitsblatt,
        [this, &dialoge] { return new TArbeitsblattForm(haupt, option, dialoge); });
    fenster.setErzeuger(
        Fensterart::Info, [&dialoge] { return new TInfoForm(dialoge); },
        Fensterverwaltung::Modal::Ja);
    fenster.setErzeuger(
        Fensterart::Liesmich, [] { return new TLiesmichForm; }, Fensterverwaltung::Modal::Ja);
    option.FormCreate();
}
