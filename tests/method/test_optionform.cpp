// SPDX-License-Identifier: GPL-3.0-or-later
// The method window on real widgets: what the user clicks and types, what the
// settings loader and the demonstrations set from code, start-up and closing.

#include "method/option.h"
#include "schnittstellen/hauptfenster.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

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

QRadioButton *methodenknopf(const QWidget &form, Methode methode)
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

void waehleMethode(TOptionForm &form, Methode methode)
{
    QTest::mouseClick(methodenknopf(form, methode), Qt::LeftButton);
}

// Typing a letter into the closed list selects it, as a user does.
void waehleBuchstabe(TOptionForm &form, int verschiebung)
{
    QTest::keyClick(steuer<QComboBox>(form, u"ComboBox"_s), static_cast<char>('a' + verschiebung));
}

// Types each character with its own text, also those QTest cannot spell.
void tippe(QWidget *feld, const QString &text)
{
    for (const QChar zeichen : text) {
        const Qt::Key taste = zeichen == u'\b' ? Qt::Key_Backspace
            : zeichen == u'\r'                 ? Qt::Key_Return
                                               : Qt::Key(zeichen.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, feld, taste, QString(zeichen), Qt::NoModifier);
    }
}

QString verschiebungsText(int n) { return QStringLiteral("Verschiebung um %1 Buchstaben").arg(n); }

void pruefeVerschiebung(const TOptionForm &form, int erwartet)
{
    QCOMPARE(form.einstellungen().verschiebung, erwartet);
    QCOMPARE(steuer<QSlider>(form, u"TrackBar"_s)->value(), erwartet);
    QCOMPARE(steuer<QLabel>(form, u"LVerschAusgabe"_s)->text(), verschiebungsText(erwartet));
}

// The controls whose visibility depends on the method.
const QStringList kMethodenSteuerelemente = { "Label1", "ComboBox", "TrackBar", "LVerschAusgabe",
    "RBMatrixQuadratisch", "RBMatrixManSpalten", "SpEdSpalten", "LSchluessel", "EdSchluessel",
    "CBSonderignorieren" };

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
        QCOMPARE(a.form.minimumSize(), QSize(233, 327));
        QCOMPARE(a.form.maximumSize(), QSize(233, 327));
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
        for (const Methode falsch : { Methode::Keine, Methode(5) }) {
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

    void lowerUpperExclusive_data()
    {
        QTest::addColumn<bool>("kleinVorher");
        QTest::addColumn<bool>("grossVorher");
        QTest::addColumn<QString>("geklickt");
        QTest::addColumn<bool>("perCode");
        QTest::addColumn<bool>("klein");
        QTest::addColumn<bool>("gross");
        for (const bool c : { false, true }) {
            const char *wie = c ? "from code" : "clicked";
            QTest::addRow("Klein checked unchecks Gross, %s", wie)
                << false << true << "CBKlein" << c << true << false;
            QTest::addRow("Gross checked unchecks Klein, %s", wie)
                << true << false << "CBGross" << c << false << true;
            QTest::addRow("Klein unchecked leaves Gross off, %s", wie)
                << true << false << "CBKlein" << c << false << false;
            QTest::addRow("Gross unchecked leaves Klein off, %s", wie)
                << false << true << "CBGross" << c << false << false;
        }
    }

    void lowerUpperExclusive()
    {
        QFETCH(bool, kleinVorher);
        QFETCH(bool, grossVorher);
        QFETCH(QString, geklickt);
        QFETCH(bool, perCode);
        Aufbau a;
        QVERIFY(a.zeige());
        a.CBKlein->setChecked(kleinVorher);
        a.CBGross->setChecked(grossVorher);
        auto *kaestchen = a.form.findChild<QCheckBox *>(geklickt);
        if (perCode)
            kaestchen->setChecked(!kaestchen->isChecked());
        else
            QTest::mouseClick(kaestchen, Qt::LeftButton);
        QTEST(a.form.einstellungen().kleinschrift, "klein");
        QTEST(a.form.einstellungen().grossschrift, "gross");
    }

    void keyFilterTyping_data()
    {
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("erwartet");
        QTest::newRow("letters of both cases") << "KryptoLogie"
                                               << "KryptoLogie";
        QTest::newRow("digits have no effect") << "a1b2c3"
                                               << "abc";
        QTest::newRow("umlauts and sharp s have no effect") << "\u00e4T\u00d6\u00fc\u00dfx"
                                                            << "Tx";
        QTest::newRow("blank has no effect") << "Wolken turm"
                                             << "Wolkenturm";
        QTest::newRow("punctuation has no effect") << "a-b.c!?"
                                                   << "abc";
        QTest::newRow("backspace still deletes") << "abc\b"
                                                 << "ab";
        QTest::newRow("enter reaches the field, changes nothing") << "ab\r"
                                                                  << "ab";
    }

    void keyFilterTyping()
    {
        QFETCH(QString, getippt);
        Aufbau a;
        QVERIFY(a.zeige(Methode::Vigenere));
        a.EdSchluessel->setFocus();
        a.EdSchluessel->clear();
        tippe(a.EdSchluessel, getippt);
        QTEST(a.EdSchluessel->text(), "erwartet");
    }

    void keyPastedAndLeft_data()
    {
        QTest::addColumn<bool>("alsSteuerzeichen");
        // Window systems differ in the text that comes with Ctrl+letter.
        QTest::newRow("Ctrl+V carrying the letter") << false;
        QTest::newRow("Ctrl+V carrying control character 22") << true;
    }

    // Ctrl shortcuts still reach the field; leaving it keeps only the letters.
    void keyPastedAndLeft()
    {
        QFETCH(bool, alsSteuerzeichen);
        Aufbau a;
        QVERIFY(a.zeige(Methode::Vigenere));
        const QString eingefuegt = QStringLiteral("Z\u00e4h 1 lig-T\u00fcr");
        QGuiApplication::clipboard()->setText(eingefuegt);
        a.EdSchluessel->setFocus();
        for (const auto &[taste, b] :
            { std::pair { Qt::Key_A, 'a' }, std::pair { Qt::Key_V, 'v' } }) {
            const QChar text = alsSteuerzeichen ? QChar(b - 'a' + 1) : QChar(b);
            QTest::sendKeyEvent(QTest::Click, a.EdSchluessel, taste, text, Qt::ControlModifier);
        }
        QCOMPARE(a.EdSchluessel->text(), eingefuegt);
        QCOMPARE(a.form.einstellungen().schluessel, verschl::Text("ZhligTr"));
        QTest::keyClick(a.EdSchluessel, Qt::Key_Tab);
        QVERIFY(!a.EdSchluessel->hasFocus());
        QCOMPARE(a.EdSchluessel->text(), QStringLiteral("ZhligTr"));
    }

    void keyCleanedOnLeaving_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("erwartet");
        QTest::addColumn<QByteArray>("vorher"); // what a reader gets before leaving
        QTest::newRow("letters keep order and case") << "MiXeD"
                                                     << "MiXeD" << QByteArray("MiXeD");
        QTest::newRow("non-letters dropped") << "Zug 3\u00e4!"
                                             << "Zug" << QByteArray("Zug");
        QTest::newRow("no letter left: Wolkenturm") << "12 \u00e4\u00f6"
                                                    << "Wolkenturm" << QByteArray();
        QTest::newRow("empty: Wolkenturm") << ""
                                           << "Wolkenturm" << QByteArray();
    }

    void keyCleanedOnLeaving()
    {
        QFETCH(QString, text);
        QFETCH(QString, erwartet);
        QFETCH(QByteArray, vorher);
        Aufbau a;
        QVERIFY(a.zeige(Methode::Vigenere));
        a.EdSchluessel->setFocus();
        a.EdSchluessel->setText(text);
        QCOMPARE(a.form.einstellungen().schluessel, vorher.toStdString());
        QTest::mouseClick(a.CBSonderignorieren, Qt::LeftButton);
        QCOMPARE(a.EdSchluessel->text(), erwartet);
        QCOMPARE(a.form.einstellungen().schluessel, erwartet.toStdString());
    }

    // Switching to another window does not leave the field: an empty key
    // stays empty, and a reader gets no key.
    void keyKeptWhenOnlyTheWindowChanges()
    {
        Aufbau a;
        QVERIFY(a.zeige(Methode::Vigenere));
        a.EdSchluessel->setFocus();
        a.EdSchluessel->clear();
        QWidget anderes;
        anderes.show();
        anderes.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&anderes));
        QCOMPARE(a.EdSchluessel->text(), QString());
        QVERIFY(a.form.einstellungen().schluessel.empty());
        // "&Schlüssel" brings the user back to the field.
        QVERIFY(a.zeige(Methode::Vigenere));
        a.CBStayOnTop->setFocus();
        QTest::keyClick(&a.form, Qt::Key_S, Qt::AltModifier);
        QVERIFY(a.EdSchluessel->hasFocus());
    }

    void columnFieldGreyedAndEnabled()
    {
        Aufbau a;
        QVERIFY(a.zeige());
        waehleMethode(a.form, Methode::Matrix);
        QVERIFY(a.SpEdSpalten->isVisible() && !a.SpEdSpalten->isEnabled());
        QTest::mouseClick(a.RBMatrixManSpalten, Qt::LeftButton);
        QVERIFY(a.SpEdSpalten->isEnabled() && a.form.einstellungen().spalten.manuell);
        QTest::mouseClick(a.RBMatrixQuadratisch, Qt::LeftButton);
        QVERIFY(!a.SpEdSpalten->isEnabled() && !a.form.einstellungen().spalten.manuell);
        // Alt+S is "&Spaltenzahl:" while the matrix controls are shown.
        QTest::keyClick(&a.form, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(a.RBMatrixManSpalten->isChecked() && a.SpEdSpalten->isEnabled());
    }

    void columnCountClampedOnLeaving_data()
    {
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<int>("gelesen"); // what a reader gets before the field is left
        QTest::addColumn<QString>("korrigiert");
        QTest::newRow("0 becomes 1") << "0" << 1 << "1";
        QTest::newRow("250 becomes 100, read as 250 before") << "250" << 250 << "100";
        QTest::newRow("no digits becomes 1") << "abc" << 1 << "1";
        QTest::newRow("negative becomes 1") << "-7" << 1 << "1";
        QTest::newRow("empty becomes 1") << "" << 1 << "1";
        QTest::newRow("42 stays") << "42" << 42 << "42";
    }

    // Leaving by Tab, and Enter, which Qt's spin box also corrects on.
    void columnCountClampedOnLeaving()
    {
        QFETCH(QString, getippt);
        QFETCH(int, gelesen);
        QFETCH(QString, korrigiert);
        for (const Qt::Key taste : { Qt::Key_Tab, Qt::Key_Return }) {
            Aufbau a;
            a.form.setQuadratisch(false);
            QVERIFY(a.zeige(Methode::Matrix));
            a.SpEdSpalten->setFocus();
            a.SpEdSpalten->selectAll();
            QTest::keyClick(a.SpEdSpalten, Qt::Key_Backspace);
            QTest::keyClicks(a.SpEdSpalten, getippt);
            QCOMPARE(a.SpEdSpalten->text(), getippt);
            QCOMPARE(a.form.einstellungen().spalten.spalten, gelesen);
            // Everyone but the engine reads the count clamped, as leaving will make it.
            QCOMPARE(a.form.spaltenzahl(), korrigiert.toInt());
            QTest::keyClick(a.SpEdSpalten, taste);
            QCOMPARE(a.SpEdSpalten->text(), korrigiert);
            QCOMPARE(a.form.einstellungen().spalten.spalten, korrigiert.toInt());
        }
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

    void clickOverDesignedWidth_data()
    {
        QTest::addColumn<Methode>("methode");
        QTest::addColumn<QString>("name");
        QTest::newRow("Fenster im Vordergrund") << Methode::Caesar << "CBStayOnTop";
        QTest::newRow("Umlaute ersetzen") << Methode::Caesar << "CBUmlauteErsetzen";
        QTest::newRow("Leerzeichen loeschen") << Methode::Caesar << "CBLeerzeichen";
        QTest::newRow("Kleinschrift") << Methode::Caesar << "CBKlein";
        QTest::newRow("Grossschrift") << Methode::Caesar << "CBGross";
        QTest::newRow("Sonderzeichen ignorieren") << Methode::Vigenere << "CBSonderignorieren";
        QTest::newRow("Spaltenzahl") << Methode::Matrix << "RBMatrixManSpalten";
        QTest::newRow("method Matrix") << Methode::Caesar << "RadioGroupItem0";
    }

    // A click right of the caption, inside the designed width, still counts.
    void clickOverDesignedWidth()
    {
        QFETCH(Methode, methode);
        QFETCH(QString, name);
        Aufbau a;
        QVERIFY(a.zeige(methode));
        auto *knopf = a.form.findChild<QAbstractButton *>(name);
        const bool vorher = knopf->isChecked();
        QTest::mouseClick(
            knopf, Qt::LeftButton, {}, QPoint(knopf->width() - 2, knopf->height() / 2));
        QCOMPARE(knopf->isChecked(), !vorher);
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

    void stayOnTopToggles_data()
    {
        QTest::addColumn<bool>("sichtbar");
        QTest::newRow("shown window stays shown in place") << true;
        QTest::newRow("hidden window stays hidden") << false;
    }

    void stayOnTopToggles()
    {
        QFETCH(bool, sichtbar);
        Aufbau a;
        a.form.move(140, 90);
        if (sichtbar)
            QVERIFY(a.zeige());
        const QPoint ort = a.form.pos();
        for (const bool oben : { false, true }) {
            if (sichtbar)
                QTest::mouseClick(a.CBStayOnTop, Qt::LeftButton);
            else
                a.CBStayOnTop->setChecked(oben);
            QCOMPARE(a.form.windowFlags().testFlag(Qt::WindowStaysOnTopHint), oben);
            QCOMPARE(a.form.isVisible(), sichtbar);
            QCOMPARE(a.form.pos(), ort);
        }
    }
};

QTEST_MAIN(TestOptionForm)
#include "test_optionform.moc"
