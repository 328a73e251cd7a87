// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The method window on its own, for its tests: a main window that records
// what the method window asks of it, the controls by name and a freshly
// created window. Whoever includes this links zifferon_method.

#include "method/option.h"
#include "schnittstellen/hauptfenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

namespace optionfenster {

using namespace Qt::StringLiterals;

// Records what the method window asks of the main window.
class FakeHaupt : public Hauptfenster
{
public:
    bool NurMethodenfenster() const override { return nurMethodenfenster; }
    void MethodenfensterGeschlossen() override
    {
        aufrufe << QStringLiteral("MethodenfensterGeschlossen");
        sichtbarBeimSchliessen = methodenfenster->isVisible();
    }
    void zeigen() override { aufrufe << QStringLiteral("zeigen"); }
    void ausserSicht() override { aufrufe << QStringLiteral("ausserSicht"); }

    bool nurMethodenfenster = false;
    QWidget *methodenfenster = nullptr;
    bool sichtbarBeimSchliessen = true;
    QStringList aufrufe;
};

// A control of the window by its name, as the user's tools find it.
template <typename T> T *steuer(const QWidget &form, const QString &name)
{
    auto *w = form.findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

inline QRadioButton *methodenknopf(const QWidget &form, Methode methode)
{
    return steuer<QRadioButton>(form, u"RadioGroupItem%1"_s.arg(int(methode)));
}

// A freshly created method window, as the program start leaves it.
struct Aufbau
{
    explicit Aufbau(bool nurMethodenfenster = false)
    {
        haupt.nurMethodenfenster = nurMethodenfenster;
        haupt.methodenfenster = &form;
        form.FormCreate();
    }
    // Shown and active, so focus and shortcuts work as for a user.
    bool zeige(Methode methode = Methode::Caesar)
    {
        form.setMethode(methode);
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }

    FakeHaupt haupt;
    TOptionForm form { haupt, [this] { haupt.aufrufe << QStringLiteral("EinstellungenLaden"); } };
    // The controls the tests work with.
    QComboBox *ComboBox = steuer<QComboBox>(form, u"ComboBox"_s);
    QSlider *TrackBar = steuer<QSlider>(form, u"TrackBar"_s);
    QLabel *Label1 = steuer<QLabel>(form, u"Label1"_s);
    QLabel *LVerschAusgabe = steuer<QLabel>(form, u"LVerschAusgabe"_s);
    QRadioButton *RBMatrixQuadratisch = steuer<QRadioButton>(form, u"RBMatrixQuadratisch"_s);
    QRadioButton *RBMatrixManSpalten = steuer<QRadioButton>(form, u"RBMatrixManSpalten"_s);
    QSpinBox *SpEdSpalten = steuer<QSpinBox>(form, u"SpEdSpalten"_s);
    QLineEdit *EdSchluessel = steuer<QLineEdit>(form, u"EdSchluessel"_s);
    QCheckBox *CBSonderignorieren = steuer<QCheckBox>(form, u"CBSonderignorieren"_s);
    QGroupBox *GBKlartext = steuer<QGroupBox>(form, u"GBKlartext"_s);
    QCheckBox *CBKlein = steuer<QCheckBox>(form, u"CBKlein"_s);
    QCheckBox *CBGross = steuer<QCheckBox>(form, u"CBGross"_s);
    QCheckBox *CBStayOnTop = steuer<QCheckBox>(form, u"CBStayOnTop"_s);
};

inline void waehleMethode(TOptionForm &form, Methode methode)
{
    QTest::mouseClick(methodenknopf(form, methode), Qt::LeftButton);
}

} // namespace optionfenster
