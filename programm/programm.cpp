#include "programm/programm.h"

#include "analysefenster/analysefenster.h"
#include "arbeitsblatt/arbeitsblatt.h"
#include "demos/caesardemo.h"
#include "demos/matrixdemo.h"
#include "demos/vmatrix.h"
#include "help/info.h"
#include "help/liesmich.h"

// `fenster` is only bound here, not used, before it is constructed.
Programm::Programm(Dialoge &dialoge, const QStringList &argumente)
    : haupt(dialoge, fenster, argumente)
    , option(haupt, [this] { einstellungen.EinstellungenLaden(); })
    , einstellungen(haupt, option)
    , fenster(dialoge)
{
    haupt.setMethodenfenster(option, einstellungen);
    fenster.setErzeuger(
        Fensterart::CaesarDemo, [this] { return new TCaesarDemoForm(haupt, option); });
    fenster.setErzeuger(
        Fensterart::MatrixDemo, [this] { return new TMatrixDemoForm(haupt, option); });
    fenster.setErzeuger(
        Fensterart::VigenereDemo, [this] { return new TVMatrixForm(haupt, option); });
    fenster.setErzeuger(Fensterart::Analyse, [this] { return new TAnalyseForm(haupt, option); });
    fenster.setErzeuger(Fensterart::Arbeitsblatt,
        [this, &dialoge] { return new TArbeitsblattForm(haupt, option, dialoge); });
    fenster.setErzeuger(
        Fensterart::Info, [&dialoge] { return new TInfoForm(dialoge); },
        Fensterverwaltung::Modal::Ja);
    fenster.setErzeuger(
        Fensterart::Liesmich, [] { return new TLiesmichForm; }, Fensterverwaltung::Modal::Ja);
    option.FormCreate();
}
