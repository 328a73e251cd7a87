// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 text files through the main window's own commands: opening decodes
// them, saving keeps each pane's encoding where the text survives it, and
// every saved text opens to itself in either encoding.

#include "platform/codepage.h"
#include "platform/textdatei.h"
#include "programm/qtdialoge.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/zufallstext.h"

#include <algorithm>
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

using verschl::Text;

namespace {

const QString kUtf8Label = QStringLiteral("Chiffre (UTF-8)");

QByteArray bytes(const Text &text) { return QByteArray::fromStdString(text); }

Text zufallsbytes(QRandomGenerator &zufall)
{
    Text text(zufall.bounded(200), '\0');
    for (char &c : text)
        c = char(zufall.bounded(256));
    return text;
}

} // namespace

class TestUtf8 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void zufallstexteKommenUnveraendertZurueck_data();
    void zufallstexteKommenUnveraendertZurueck();
    void oeffnen_data();
    void oeffnen();
    void rundreiseMitUtf8Dateien_data();
    void rundreiseMitUtf8Dateien();
    void umlauteErsetzenNachUtf8();
    void kodierungBeimSpeichern_data();
    void kodierungBeimSpeichern();
    void schnellspeichernBehaeltKodierung_data();
    void schnellspeichernBehaeltKodierung();
    void filterWaehltKodierung_data();
    void filterWaehltKodierung();
};

void TestUtf8::zufallstexteKommenUnveraendertZurueck_data()
{
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<bool>("deutsch");
    QTest::newRow("German, Windows-1252") << false << true;
    QTest::newRow("German, UTF-8") << true << true;
    QTest::newRow("bytes, Windows-1252") << false << false;
    QTest::newRow("bytes, UTF-8") << true << false;
}

// A German text saved as UTF-8 is real UTF-8 that any program reads; random
// bytes come back exactly, whatever the encoding, unless the user agreed to
// the line ends that opening changes.
void TestUtf8::zufallstexteKommenUnveraendertZurueck()
{
    QFETCH(bool, utf8);
    QFETCH(bool, deutsch);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("t.txt"));
    Aufbau a;
    a.aktion("SMUeberschreibwarnung").setChecked(false);
    const quint32 saat = QRandomGenerator::system()->generate();
    QRandomGenerator zufall(saat);
    for (int runde = 0; runde < 40; ++runde) {
        const Text text = deutsch ? deutscherZufallstext(zufall, 1) : zufallsbytes(zufall);
        a.chiffre().setText(text);
        // Agreeing to changed line ends where asked.
        a.dialoge.okAntworten = { true };
        a.dialoge.fragen.clear();
        a.speichereUndOeffne(Aufbau::Feld::Chiffre, pfad, utf8);
        const QByteArray wo = QStringLiteral("seed %1, round %2").arg(saat).arg(runde).toUtf8();
        const bool gefragt = !a.dialoge.fragen.isEmpty();
        QVERIFY2(!(deutsch && gefragt), wo);
        const Text erwartet = gefragt ? textdatei::ZeilenendenVereinheitlichen(text) : text;
        QVERIFY2(a.chiffre().text() == erwartet, wo);
        if (deutsch) {
            const QByteArray datei = leseDatei(pfad);
            QVERIFY2(!utf8
                    || QString::fromUtf8(datei).replace(
                           QStringLiteral("\r\n"), QStringLiteral("\n"))
                        == codepage::AlsPanetext(text),
                wo);
            QVERIFY2(utf8 || datei == bytes(text), wo);
            // Plain ASCII reads the same in both, and opens as Windows-1252.
            const bool mehrbytig = std::any_of(text.begin(), text.end(),
                [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
            QVERIFY2(
                (a.steuer<QLabel>("Lchiffre").text() == kUtf8Label) == (utf8 && mehrbytig), wo);
        }
    }
    QVERIFY(a.dialoge.fehler.isEmpty());
}

void TestUtf8::oeffnen_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QByteArray>("pane");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("umlauts, Unix line ends") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                                           "e\naus K\xC3\xB6ln\n")
                                             << QByteArray("Gr\xFC\xDF"
                                                           "e\r\naus K\xF6ln\r\n")
                                             << true;
    QTest::newRow("euro and quotes") << QByteArray("\xE2\x82\xAC 5 \xE2\x80\x9E"
                                                   "a\xE2\x80\x9C")
                                     << QByteArray("\x80 5 \x84"
                                                   "a\x93")
                                     << true;
    QTest::newRow("control bytes are no hindrance")
        << QByteArray("\x01\xC3\xA4\x7F") << QByteArray("\x01\xE4\x7F") << true;
    QTest::newRow("č is no Windows-1252: bytes") << QByteArray("\xC4\x8D"
                                                               "apek \xC3\xBC")
                                                 << QByteArray("\xC4\x8D"
                                                               "apek \xC3\xBC")
                                                 << false;
    QTest::newRow("U+2400 is no NUL: bytes")
        << QByteArray("\xE2\x90\x80") << QByteArray("\xE2\x90\x80") << false;
    QTest::newRow("C1 control is no Windows-1252: bytes")
        << QByteArray("\xC2\x85") << QByteArray("\xC2\x85") << false;
    QTest::newRow("U+2422 is no undefined byte: bytes")
        << QByteArray("\xE2\x90\xA2\xC3\xA4") << QByteArray("\xE2\x90\xA2\xC3\xA4") << false;
    QTest::newRow("C1 stand-in of an undefined byte")
        << QByteArray("\xC2\x9D\xC3\xA4") << QByteArray("\x9D\xE4") << true;
    QTest::newRow("ASCII only") << QByteArray("abc") << QByteArray("abc") << false;
    QTest::newRow("Windows-1252 umlaut") << QByteArray("\xFC") << QByteArray("\xFC") << false;
    QTest::newRow("broken sequence")
        << QByteArray("\xC3\xBC\xC3") << QByteArray("\xC3\xBC\xC3") << false;
}

void TestUtf8::oeffnen()
{
    QFETCH(QByteArray, datei);
    QFETCH(QByteArray, pane);
    QFETCH(bool, utf8);
    QTemporaryDir ordner;
    Aufbau a;
    a.dialoge.dateien << schreibeDatei(ordner, QStringLiteral("t.txt"), datei);
    a.klicke("Chiffreffnen1");
    QCOMPARE(bytes(a.chiffre().text()), pane);
    QCOMPARE(a.steuer<QLabel>("Lchiffre").text(), utf8 ? kUtf8Label : QStringLiteral("Chiffre"));
    QCOMPARE(a.steuer<QLabel>("LKlartext").text(), QStringLiteral("Klartext"));
    // The same from the command line, into both panes.
    Aufbau b({ ordner.filePath(QStringLiteral("t.txt")) });
    QCOMPARE(bytes(b.klar().text()), pane);
    QCOMPARE(b.steuer<QLabel>("Lchiffre").text(), a.steuer<QLabel>("Lchiffre").text());
}

void TestUtf8::rundreiseMitUtf8Dateien_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QByteArray>("pane");
    QTest::newRow("BOM, umlauts") << QByteArray("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                                                "e\r\n")
                                  << QByteArray("Gr\xFC\xDF"
                                                "e\r\n");
    QTest::newRow("BOM, ASCII only") << QByteArray("\xEF\xBB\xBF"
                                                   "abc")
                                     << QByteArray("abc");
    QTest::newRow("BOM, em dash") << QByteArray("\xEF\xBB\xBF\xC3\xA4 \xE2\x80\x94 \xC3\xB6")
                                  << QByteArray("\xE4 \x97 \xF6");
    QTest::newRow("em dash") << QByteArray("\xC3\xA4 \xE2\x80\x94 \xC3\xB6")
                             << QByteArray("\xE4 \x97 \xF6");
    QTest::newRow("quotes") << QByteArray("\xE2\x80\x9E"
                                          "a\xE2\x80\x9D \xE2\x80\x9C"
                                          "b\xE2\x80\x9D")
                            << QByteArray("\x84"
                                          "a\x94 \x93"
                                          "b\x94");
    QTest::newRow("times") << QByteArray("3\xC3\x97"
                                         "4")
                           << QByteArray("3\xD7"
                                         "4");
    QTest::newRow("Ô Á Í Ï Ð Ý") << QByteArray("\xC3\x94\xC3\x81\xC3\x8D\xC3\x8F\xC3\x90\xC3\x9D")
                                 << QByteArray("\xD4\xC1\xCD\xCF\xD0\xDD");
}

// Opened as text, saved back to the very same file, and a rotation-128
// ciphertext of it (undefined bytes included) saved as UTF-8 opens to itself.
void TestUtf8::rundreiseMitUtf8Dateien()
{
    QFETCH(QByteArray, datei);
    QFETCH(QByteArray, pane);
    QTemporaryDir ordner;
    const QString pfad = schreibeDatei(ordner, QStringLiteral("t.txt"), datei);
    Aufbau a;
    a.oeffne(Aufbau::Feld::Klartext, pfad);
    QCOMPARE(bytes(a.klar().text()), pane);
    const auto &label = a.steuer<QLabel>("LKlartext");
    QCOMPARE(label.text(), QStringLiteral("Klartext (UTF-8)"));
    QVERIFY(label.width() >= label.sizeHint().width());
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(pfad), datei);
    a.option().setMethode(Methode::Rotation128);
    a.klick("BVerschluesseln");
    const Text chiffre = a.chiffre().text();
    a.aktion("SMUeberschreibwarnung").setChecked(false);
    a.speichereUndOeffne(Aufbau::Feld::Chiffre, ordner.filePath(QStringLiteral("c.txt")), true);
    QCOMPARE(bytes(a.chiffre().text()), bytes(chiffre));
    QVERIFY(a.dialoge.fehler.isEmpty());
}

void TestUtf8::umlauteErsetzenNachUtf8()
{
    QTemporaryDir ordner;
    Aufbau a;
    a.dialoge.dateien << schreibeDatei(ordner, QStringLiteral("t.txt"),
        "Gr\xC3\xBC\xC3\x9F"
        "e aus K\xC3\xB6ln");
    a.klicke("Klartextffnen1");
    a.steuer<QAbstractButton>("CBUmlauteErsetzen").setChecked(true);
    a.klick("BVerschluesseln");
    QCOMPARE(bytes(a.klar().text()), QByteArray("Gruesse aus Koeln"));
}

// Where the wished encoding would not give the text back, the other is
// written, and the label tells which.
void TestUtf8::kodierungBeimSpeichern_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QByteArray>("datei");
    QTest::newRow("umlaut in UTF-8") << QByteArray("\xFC") << true << QByteArray("\xC3\xBC");
    QTest::newRow("umlaut in Windows-1252") << QByteArray("\xFC") << false << QByteArray("\xFC");
    const QByteArray rot128 = bytes(verschl::Rot128("Gr\xFC\xDF"
                                                    "e\r\naus K\xF6ln\r\n"));
    QTest::newRow("rotation 128 in Windows-1252") << rot128 << false << rot128;
    QTest::newRow("undefined byte in UTF-8")
        << QByteArray("\x81") << true << QByteArray("\xC2\x81");
    QTest::newRow("em dash") << QByteArray("a\x97") << true << QByteArray("a\xE2\x80\x94");
    // Its own bytes would read as "—": only UTF-8 keeps it.
    QTest::newRow("mojibake of an em dash")
        << QByteArray("\xE2\x80\x94") << false << QByteArray("\xC3\xA2\xE2\x82\xAC\xE2\x80\x9D");
    QTest::newRow("BOM's own bytes") << QByteArray("\xEF\xBB\xBF"
                                                   "a")
                                     << false
                                     << QByteArray("\xC3\xAF\xC2\xBB\xC2\xBF"
                                                   "a");
    // Rotation by 128 of "C " reads as UTF-8 "à": only UTF-8 keeps it.
    QTest::newRow("bytes that read as UTF-8")
        << QByteArray("\xC3\xA0") << false << QByteArray("\xC3\x83\xC2\xA0");
}

void TestUtf8::kodierungBeimSpeichern()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, utf8);
    QFETCH(QByteArray, datei);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("c.txt"));
    Aufbau a;
    a.chiffre().setText(text.toStdString());
    a.speichereUnter(Aufbau::Feld::Chiffre, pfad, utf8);
    QCOMPARE(leseDatei(pfad), datei);
    QCOMPARE(a.steuer<QLabel>("Lchiffre").text(),
        datei != text ? kUtf8Label : QStringLiteral("Chiffre"));
    a.oeffneWieder(Aufbau::Feld::Chiffre, pfad);
    QCOMPARE(bytes(a.chiffre().text()), text);
}

void TestUtf8::schnellspeichernBehaeltKodierung_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QByteArray>("danach");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("UTF-8 stays UTF-8")
        << QByteArray("\xC3\xA4") << QByteArray("\xC3\xA4\xC3\xB6") << true;
    QTest::newRow("Windows-1252 stays") << QByteArray("\xE4") << QByteArray("\xE4\xF6") << false;
}

// Also the save-as dialog starts on the file's encoding, and swapping the
// texts swaps what the labels say.
void TestUtf8::schnellspeichernBehaeltKodierung()
{
    QFETCH(QByteArray, datei);
    QFETCH(QByteArray, danach);
    QFETCH(bool, utf8);
    QTemporaryDir ordner;
    const QString pfad = schreibeDatei(ordner, QStringLiteral("k.txt"), datei);
    Aufbau a;
    a.oeffne(Aufbau::Feld::Klartext, pfad);
    a.klar().setText("\xE4\xF6");
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(pfad), danach);
    a.dialoge.dateien << std::nullopt;
    a.klicke("Klartextspeichernunter1");
    QCOMPARE(a.dialoge.dateidialoge.last().utf8, utf8);
    a.chiffre().setText("x"); // an empty pane would drop the file on the swap
    a.klicke("Textetauschen");
    QCOMPARE(a.steuer<QLabel>("Lchiffre").text(), utf8 ? kUtf8Label : QStringLiteral("Chiffre"));
    QCOMPARE(a.steuer<QLabel>("LKlartext").text(), QStringLiteral("Klartext"));
    // An emptied pane has no file any more, and new files are Windows-1252.
    a.chiffre().setText("");
    QCOMPARE(a.steuer<QLabel>("Lchiffre").text(), QStringLiteral("Chiffre"));
}

void TestUtf8::filterWaehltKodierung_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("gewaehlt");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("text filter") << 0 << QStringLiteral("notiz.txt") << false;
    QTest::newRow("UTF-8 text filter adds .txt") << 2 << QStringLiteral("notiz.txt") << true;
    QTest::newRow("UTF-8 all files: as typed") << 3 << QStringLiteral("notiz") << true;
}

void TestUtf8::filterWaehltKodierung()
{
    QFETCH(int, filter);
    QFETCH(QString, gewaehlt);
    QFETCH(bool, utf8);
    QTemporaryDir ordner;
    const auto dialog = BaueDateidialog(nullptr,
        { QStringLiteral("Chiffre speichern unter"), ordner.path(), QStringLiteral("x.txt") },
        QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->open();
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    auto *filterwahl = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(name && filterwahl);
    name->clear();
    QTest::keyClicks(name, QStringLiteral("notiz"));
    for (int i = 0; i < filter; ++i)
        QTest::keyClick(filterwahl, Qt::Key_Down);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(dialog->selectedFiles(), QStringList { ordner.filePath(gewaehlt) });
    QCOMPARE(Utf8Gewaehlt(*dialog), utf8);
}

QTEST_MAIN(TestUtf8)
#include "test_utf8.moc"
