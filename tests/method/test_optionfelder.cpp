// SPDX-License-Identifier: GPL-3.0-or-later
// The method window's fields and check boxes as the user types and clicks:
// the key field, the column count, letter case, clicks over the captions and
// keeping the window on top.

#include "testhilfen/optionfenster.h"

#include <QClipboard>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace optionfenster;

namespace {

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

} // namespace

class TestOptionFelder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

    // The field is left with Tab; what stays is what the cipher uses.
    void substitutionKey_data()
    {
        QTest::addColumn<QString>("getippt");
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("geheim");
        QTest::newRow("key word in capitals") << "zifferon"
                                              << "ZIFFERON"
                                              << "ZIFERONABCDGHJKLMPQSTUVWXY";
        QTest::newRow("digits, blanks and umlauts never typed") << "z1ä f"
                                                                << "ZF"
                                                                << "ZFABCDEGHIJKLMNOPQRSTUVWXY";
        QTest::newRow("whole alphabet") << "qwertzuiopasdfghjklyxcvbnm"
                                        << "QWERTZUIOPASDFGHJKLYXCVBNM"
                                        << "QWERTZUIOPASDFGHJKLYXCVBNM";
        QTest::newRow("emptied field gives the start key") << ""
                                                           << "ZIFFERON"
                                                           << "ZIFERONABCDGHJKLMPQSTUVWXY";
    }

    void substitutionKey()
    {
        QFETCH(QString, getippt);
        QFETCH(QString, feld);
        QFETCH(QString, geheim);
        Aufbau a;
        QVERIFY(a.zeige(Methode::Substitution));
        auto *EdSubstitution = steuer<QLineEdit>(a.form, u"EdSubstitution"_s);
        EdSubstitution->setFocus();
        EdSubstitution->clear();
        tippe(EdSubstitution, getippt);
        QTest::keyClick(EdSubstitution, Qt::Key_Tab);
        QCOMPARE(EdSubstitution->text(), feld);
        QCOMPARE(a.form.einstellungen().substitution, feld.toStdString());
        QCOMPARE(steuer<QLabel>(a.form, u"LGeheimalphabet"_s)->text(),
            u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\n"_s + geheim);
    }

    void randomAlphabetIsAPermutation()
    {
        Aufbau a;
        QVERIFY(a.zeige());
        // Alt+S selects the substitution while no method control takes it.
        QTest::keyClick(&a.form, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(a.form.einstellungen().methode, Methode::Substitution);
        QSet<QString> gezogen;
        for (int i = 0; i < 3; ++i) {
            QTest::mouseClick(steuer<QPushButton>(a.form, u"BZufallsalphabet"_s), Qt::LeftButton);
            QString alphabet = steuer<QLineEdit>(a.form, u"EdSubstitution"_s)->text();
            QVERIFY(steuer<QLabel>(a.form, u"LGeheimalphabet"_s)->text().endsWith(alphabet));
            gezogen << alphabet;
            std::sort(alphabet.begin(), alphabet.end());
            QCOMPARE(alphabet, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
        }
        QVERIFY(gezogen.size() > 1);
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

QTEST_MAIN(TestOptionFelder)
#include "test_optionfelder.moc"
