// SPDX-License-Identifier: GPL-3.0-or-later
// The method window's method and shift: start-up, the method choice and its
// layout, the shift controls, what the settings loader and the demonstrations
// set from code, the window's first showing and its closing.

#include "testhilfen/optionfenster.h"

#include <QAbstractItemView>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace optionfenster;

namespace {

// Typing a letter into the closed list selects it, as a user does.
void waehleBuchstabe(TOptionForm &form, int verschiebung)
{
    QTest::keyClick(steuer<QComboBox>(form, u"ComboBox"_s), static_cast<char>('a' + verschiebung));
}

QString verschiebungsText(int n) { return QStringLiteral("Verschiebung um %1 Buchstaben").arg(n); }

void pruefeVerschiebung(const TOptionForm &form, int erwartet)
{
    QCOMPARE(form.einstellungen().verschiebung, erwartet);
    QCOMPARE(steuer<QSlider>(form, u"TrackBar"_s)->value(), erwartet);
    QCOMPARE(steuer<QLabel>(form, u"LVerschAusgabe"_s)->text(), verschiebungsText(erwartet));
}

// The controls whose visibility depends on the method.
const QStringList kMethodenSteuerelemente
    = { "Label1", "ComboBox", "TrackBar", "LVerschAusgabe", "RBMatrixQuadratisch",
          "RBMatrixManSpalten", "SpEdSpalten", "LSchluessel", "EdSchluessel", "CBSonderignorieren",
          "LSubstitution", "EdSubstitution", "LGeheimalphabet", "BZufallsalphabet" };

} // namespace

class TestOptionForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void creationDefaults()
    {
        Aufbau a;
        const Methodeneinstellungen e = a.form.einstellungen();
        QCOMPARE(e.methode, Methode::Caesar);
        pruefeVerschiebung(a.form, 2);
        QCOMPARE(a.ComboBox->currentText(), QStringLiteral("C"));
        QCOMPARE(a.form.GemerkteVerschiebung(), 2);
        QVERIFY(!e.spalten.manuell);
        QCOMPARE(e.spalten.spalten, 5);
        QCOMPARE(e.schluessel, verschl::Text("Wolkenturm"));
        QVERIFY(!e.sonderzeichenIgnorieren && !e.umlauteErsetzen && !e.leerzeichenLoeschen);
        QVERIFY(!e.kleinschrift && !e.grossschrift);
        QVERIFY(a.CBStayOnTop->isChecked());
        QVERIFY(a.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!a.form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(a.form.windowTitle(), QStringLiteral("Zifferon: Methode"));
        QCOMPARE(a.form.minimumSize(), QSize(233, 385));
        QCOMPARE(a.form.maximumSize(), QSize(233, 385));
    }

    void methodLayout_data()
    {
        QTest::addColumn<Methode>("methode");
        QTest::addColumn<bool>("perCode");
        QTest::addColumn<bool>("manuelleSpalten");
        QTest::addColumn<QStringList>("sichtbar");
        QTest::addColumn<QStringList>("aktiv");
        const QStringList matrix = { "RBMatrixQuadratisch", "RBMatrixManSpalten", "SpEdSpalten" };
        const QStringList rbMatrix = matrix.mid(0, 2);
        const QStringList caesar = { "Label1", "ComboBox", "TrackBar", "LVerschAusgabe" };
        const QStringList regler = caesar.mid(1, 2);
        const QStringList vigenere = { "LSchluessel", "EdSchluessel", "CBSonderignorieren" };
        const QStringList substitution
            = { "LSubstitution", "EdSubstitution", "LGeheimalphabet", "BZufallsalphabet" };
        const QStringList keine;
        for (const bool perCode : { false, true }) {
            const char *wie = perCode ? "from code" : "clicked";
            QTest::addRow("0 Matrix, square, %s", wie)
                << Methode::Matrix << perCode << false << matrix << rbMatrix;
            QTest::addRow("0 Matrix, column count, %s", wie)
                << Methode::Matrix << perCode << true << matrix << matrix;
            QTest::addRow("1 Caesar, %s", wie)
                << Methode::Caesar << perCode << false << caesar << regler;
            QTest::addRow("2 Rotation 13, %s", wie)
                << Methode::Rotation13 << perCode << false << caesar << keine;
            QTest::addRow("3 Rotation 128, %s", wie)
                << Methode::Rotation128 << perCode << false << keine << keine;
            QTest::addRow("4 Vigenere, %s", wie)
                << Methode::Vigenere << perCode << false << vigenere << vigenere.mid(1);
            QTest::addRow("5 Substitution, %s", wie)
                << Methode::Substitution << perCode << false << substitution << substitution;
        }
    }

    void methodLayout()
    {
        QFETCH(Methode, methode);
        QFETCH(bool, perCode);
        QFETCH(bool, manuelleSpalten);
        QFETCH(QStringList, sichtbar);
        QFETCH(QStringList, aktiv);
        Aufbau a;
        QVERIFY(a.zeige());
        a.form.setQuadratisch(!manuelleSpalten);
        // Caesar is the start method: visit another one first, so its handler runs.
        const Methode besuch
            = methode == Methode::Rotation128 ? Methode::Vigenere : Methode::Rotation128;
        for (const Methode m : { besuch, methode }) {
            if (perCode)
                a.form.setMethode(m);
            else
                waehleMethode(a.form, m);
        }
        QCOMPARE(a.form.einstellungen().methode, methode);
        for (const QString &name : kMethodenSteuerelemente) {
            const QWidget *w = a.form.findChild<QWidget *>(name);
            QVERIFY2(w && w->isVisible() == sichtbar.contains(name), qPrintable(name));
            // Labels are only shown or hidden.
            const bool label = qobject_cast<const QLabel *>(w);
            QVERIFY2(label || w->isEnabled() == aktiv.contains(name), qPrintable(name));
        }
        QVERIFY(a.GBKlartext->isVisible() && a.CBStayOnTop->isVisible());
    }

    // The start layout stays: a value that names no method changes nothing.
    void outOfRangeMethodIgnored()
    {
        Aufbau a;
        for (const Methode falsch : { Methode::Keine, Methode(6) }) {
            a.form.setMethode(falsch);
            QCOMPARE(a.form.einstellungen().methode, Methode::Caesar);
            QVERIFY(!a.TrackBar->isHidden() && a.TrackBar->isEnabled());
            QVERIFY(a.EdSchluessel->isHidden() && a.RBMatrixQuadratisch->isHidden());
        }
    }

    void shiftSurvivesMethodChange_data()
    {
        QTest::addColumn<int>("verschiebung"); // chosen in the list; -1: left at the start value
        QTest::addColumn<Methode>("besuch");
        QTest::newRow("Caesar 5, Rotation 13, Caesar") << 5 << Methode::Rotation13;
        QTest::newRow("Caesar 0, Rotation 13, Caesar") << 0 << Methode::Rotation13;
        QTest::newRow("Caesar 13, Rotation 13, Caesar") << 13 << Methode::Rotation13;
        QTest::newRow("Caesar 25, Matrix, Caesar") << 25 << Methode::Matrix;
        QTest::newRow("Caesar 7, Vigenere, Caesar") << 7 << Methode::Vigenere;
        for (const Methode besuch :
            { Methode::Matrix, Methode::Rotation13, Methode::Rotation128, Methode::Vigenere })
            QTest::addRow("first start, method %d, Caesar", int(besuch)) << -1 << besuch;
    }

    void shiftSurvivesMethodChange()
    {
        QFETCH(int, verschiebung);
        QFETCH(Methode, besuch);
        const int erwartet = verschiebung < 0 ? 2 : verschiebung;
        Aufbau a;
        QVERIFY(a.zeige());
        if (verschiebung >= 0)
            waehleBuchstabe(a.form, verschiebung);
        waehleMethode(a.form, besuch);
        waehleMethode(a.form, Methode::Caesar);
        pruefeVerschiebung(a.form, erwartet);
        QCOMPARE(a.form.GemerkteVerschiebung(), erwartet);
    }

    void rotation13ShowsNGreyed()
    {
        Aufbau a;
        QVERIFY(a.zeige());
        waehleBuchstabe(a.form, 5);
        waehleMethode(a.form, Methode::Rotation13);
        QCOMPARE(a.ComboBox->currentText(), QStringLiteral("N"));
        pruefeVerschiebung(a.form, 13);
        QVERIFY(!a.ComboBox->isEnabled() && !a.TrackBar->isEnabled());
        QCOMPARE(a.form.GemerkteVerschiebung(), 5);
        a.TrackBar->setValue(13); // the position it has: runs nothing
        QCOMPARE(a.form.GemerkteVerschiebung(), 5);

        waehleMethode(a.form, Methode::Rotation128);
        QVERIFY(a.ComboBox->isHidden() && a.TrackBar->isHidden());
        QVERIFY(a.LVerschAusgabe->isHidden() && a.Label1->isHidden());
        pruefeVerschiebung(a.form, 13);
    }

    void sliderDrivesListAndLabel_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("erwartet");
        QTest::newRow("shift 0 says 0") << 0 << 0;
        QTest::newRow("shift 1, same words") << 1 << 1;
        QTest::newRow("shift 25") << 25 << 25;
        QTest::newRow("above 25 clamped") << 30 << 25;
        QTest::newRow("below 0 clamped") << -4 << 0;
    }

    // From code and by the keyboard alike, the list, the label and the
    // remembered shift follow the slider.
    void sliderDrivesListAndLabel()
    {
        QFETCH(int, position);
        QFETCH(int, erwartet);
        Aufbau perCode;
        perCode.TrackBar->setValue(position);
        pruefeVerschiebung(perCode.form, erwartet);
        QCOMPARE(perCode.form.GemerkteVerschiebung(), erwartet);

        Aufbau perTaste;
        QVERIFY(perTaste.zeige());
        for (int i = 0; i < std::abs(erwartet - 2); ++i)
            QTest::keyClick(perTaste.TrackBar, erwartet > 2 ? Qt::Key_Right : Qt::Key_Left);
        QCOMPARE(perTaste.ComboBox->currentText(), QString(QChar('A' + erwartet)));
        pruefeVerschiebung(perTaste.form, erwartet);
    }

    void listFromCodeRunsNothing()
    {
        Aufbau a;
        a.ComboBox->setCurrentIndex(7);
        QCOMPARE(a.TrackBar->value(), 2);
        QCOMPARE(a.LVerschAusgabe->text(), verschiebungsText(2));
        QCOMPARE(a.form.GemerkteVerschiebung(), 2);
        // Back to Caesar the list follows the remembered shift, though the
        // slider does not move.
        a.form.setMethode(Methode::Vigenere);
        a.form.setMethode(Methode::Caesar);
        pruefeVerschiebung(a.form, 2);
        // The demonstrations' hand-over: slider first, then the list.
        a.form.setVerschiebung(9);
        pruefeVerschiebung(a.form, 9);
        QCOMPARE(a.form.GemerkteVerschiebung(), 9);
    }

    void settersRoundTrip_data()
    {
        QTest::addColumn<Methode>("methode");
        QTest::addColumn<int>("verschiebung");
        QTest::addColumn<bool>("quadratisch");
        QTest::addColumn<QByteArray>("schluessel");
        QTest::newRow("Matrix, column count")
            << Methode::Matrix << 2 << false << QByteArray("Wolkenturm");
        QTest::newRow("Matrix, square") << Methode::Matrix << 2 << true << QByteArray("Wolkenturm");
        QTest::newRow("Caesar 0") << Methode::Caesar << 0 << true << QByteArray("Wolkenturm");
        QTest::newRow("Caesar 25") << Methode::Caesar << 25 << true << QByteArray("Wolkenturm");
        QTest::newRow("Vigenere, mixed-case key")
            << Methode::Vigenere << 2 << true << QByteArray("QuellWasser");
        QTest::newRow("Rotation 128, column count")
            << Methode::Rotation128 << 2 << false << QByteArray("abc");
    }

    // What the settings loader writes, in its order, reads back unchanged.
    void settersRoundTrip()
    {
        QFETCH(Methode, methode);
        QFETCH(int, verschiebung);
        QFETCH(bool, quadratisch);
        QFETCH(QByteArray, schluessel);
        Aufbau a;
        a.form.setGemerkteVerschiebung(verschiebung);
        a.form.setVerschiebung(verschiebung);
        a.form.setMethode(methode);
        a.form.setQuadratisch(quadratisch);
        a.form.setSchluessel(schluessel.toStdString());
        const Methodeneinstellungen e = a.form.einstellungen();
        QCOMPARE(e.methode, methode);
        pruefeVerschiebung(a.form, verschiebung);
        QCOMPARE(e.spalten.manuell, !quadratisch);
        QCOMPARE(e.schluessel, schluessel.toStdString());
        // The column-count choice greys or enables the field whatever the method.
        QCOMPARE(a.SpEdSpalten->isEnabled(), !quadratisch);
    }

    // What a demonstration sets runs the same rules as the user's change.
    void demonstrationSetztMitDenRegeln()
    {
        Aufbau a;
        Demomethode &demo = a.form;
        demo.setSchieberegler(7);
        pruefeVerschiebung(a.form, 7);
        QCOMPARE(a.form.GemerkteVerschiebung(), 7);
        demo.setBuchstabe(9);
        QCOMPARE(demo.buchstabe(), 9);
        QCOMPARE(demo.schieberegler(), 7); // the list alone moves no slider
        demo.setQuadratisch(false);
        QVERIFY(a.SpEdSpalten->isEnabled() && !demo.quadratisch());
        demo.setSonderzeichenIgnorieren(true);
        QVERIFY(a.form.einstellungen().sonderzeichenIgnorieren);
        demo.setSchluessel("K\xF6 ln");
        QCOMPARE(demo.schluesselfeld(), verschl::Text("K\xF6 ln"));
        QCOMPARE(a.form.schluessel(), verschl::Text("Kln"));
    }

    void formCreateShowsTheRightWindow_data()
    {
        QTest::addColumn<bool>("nurMethodenfenster");
        QTest::addColumn<QStringList>("aufrufe");
        QTest::newRow("normal: main window shown, this hidden")
            << false << QStringList { "EinstellungenLaden", "zeigen" };
        QTest::newRow("option-only: main window out of sight")
            << true << QStringList { "EinstellungenLaden", "ausserSicht" };
    }

    void formCreateShowsTheRightWindow()
    {
        QFETCH(bool, nurMethodenfenster);
        Aufbau a(nurMethodenfenster);
        QTEST(a.haupt.aufrufe, "aufrufe");
        QCOMPARE(a.form.isVisible(), nurMethodenfenster);
        if (!nurMethodenfenster)
            return;
        QVERIFY(QTest::qWaitForWindowActive(&a.form));
        const QRect bildschirm = a.form.screen()->geometry();
        const QRect aussen = a.form.frameGeometry();
        QCOMPARE(aussen.left() - bildschirm.left(), (bildschirm.width() - aussen.width()) / 2);
        QCOMPARE(aussen.top() - bildschirm.top(), (bildschirm.height() - aussen.height()) / 2);
    }

    void focusOnCheckedMethod_data()
    {
        QTest::addColumn<Methode>("vorher"); // shown before with this method; Keine: first showing
        QTest::addColumn<Methode>("methode");
        QTest::newRow("Caesar at start") << Methode::Keine << Methode::Caesar;
        QTest::newRow("Vigenere set before the first showing")
            << Methode::Keine << Methode::Vigenere;
        QTest::newRow("changed while hidden") << Methode::Rotation13 << Methode::Rotation128;
    }

    // Space on the focused method keeps the method.
    void focusOnCheckedMethod()
    {
        QFETCH(Methode, vorher);
        QFETCH(Methode, methode);
        Aufbau a;
        if (vorher != Methode::Keine) {
            QVERIFY(a.zeige(vorher));
            a.form.hide();
        }
        QVERIFY(a.zeige(methode));
        QCOMPARE(a.form.focusWidget(), methodenknopf(a.form, methode));
        QTest::keyClick(a.form.focusWidget(), Qt::Key_Space);
        QCOMPARE(a.form.einstellungen().methode, methode);
    }

    void letterListShowsTenRows()
    {
        Aufbau a;
        QVERIFY(a.zeige());
        a.ComboBox->showPopup();
        const QAbstractItemView *liste = a.ComboBox->view();
        QVERIFY(liste->verticalScrollBar()->isVisible());
        QCOMPARE(liste->viewport()->height() / liste->sizeHintForRow(0), 10);
        a.ComboBox->hidePopup();
    }

    void closingOnlyHides()
    {
        Aufbau a;
        for (int mal = 1; mal <= 2; ++mal) {
            QVERIFY(a.zeige());
            QVERIFY(a.form.close());
            QVERIFY(!a.form.isVisible() && !a.haupt.sichtbarBeimSchliessen);
            QCOMPARE(a.haupt.aufrufe.count(QStringLiteral("MethodenfensterGeschlossen")), mal);
        }
    }
};

QTEST_MAIN(TestOptionForm)
#include "test_optionform.moc"
