// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textdatei.h"
#include "programm/qtdialoge.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/zufallstext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <sys/stat.h>

using verschl::Text;
using Antwort = Dialoge::Antwort;

namespace {

QByteArray alleBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    return bytes;
}

QString mitTrenner(const QString &ordner)
{
    return QDir::toNativeSeparators(ordner + QLatin1Char('/'));
}

} // namespace

class TestDateien : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void speichernUndOeffnenGibtDieBytesZurueck_data();
    void speichernUndOeffnenGibtDieBytesZurueck();
    void zeilenendenBeimOeffnen_data();
    void zeilenendenBeimOeffnen();
    void gespeicherteTexteOeffnenUnveraendert_data();
    void gespeicherteTexteOeffnenUnveraendert();
    void nurRegulaereDateien_data();
    void nurRegulaereDateien();
    void dateinameWieGetippt_data();
    void dateinameWieGetippt();
    void oeffnenSetztDateizustand();
    void oeffnenFehlschlaege_data();
    void oeffnenFehlschlaege();
    void vieleKurzeZeilen_data();
    void vieleKurzeZeilen();
    void grosseTexte_data();
    void grosseTexte();
    void speichernUnterFragtVorDemUeberschreiben_data();
    void speichernUnterFragtVorDemUeberschreiben();
    void schnellspeichernOhneDatei();
    void schnellspeichernInDenEigenenOrdner();
    void fehlgeschlagenesSpeichern_data();
    void fehlgeschlagenesSpeichern();
    void schnellspeichernNachDemOeffnen_data();
    void schnellspeichernNachDemOeffnen();
    void fragenVorDemVerlust_data();
    void fragenVorDemVerlust();
    void jaOhneSpeichernBrichtAb();
    void beideJaAbbruchImErstenDialog();
    void schliessenFragt_data();
    void schliessenFragt();
};

void TestDateien::speichernUndOeffnenGibtDieBytesZurueck_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no line break at the end") << QByteArray("eins\r\nzwei");
    QTest::newRow("line break at the end") << QByteArray("eins\r\n");
    QTest::newRow("two empty lines at the end") << QByteArray("eins\r\n\r\n");
    QTest::newRow("lone CR and LF among CR LF") << QByteArray("a\r\nb\nc\rd\n\re");
    QTest::newRow("all 256 bytes") << alleBytes();
    QTest::newRow("rotation 128 of two lines")
        << QByteArray::fromStdString(verschl::Rot128("Hallo Welt\r\nzweite Zeile\r\n"));
}

void TestDateien::speichernUndOeffnenGibtDieBytesZurueck()
{
    QFETCH(QByteArray, text);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("text.txt"));
    Aufbau a;
    a.chiffre().setText(text.toStdString());
    a.speichereUnter(Aufbau::Feld::Chiffre, pfad);
    QCOMPARE(leseDatei(pfad), text);
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Chiffre));

    a.oeffneWieder(Aufbau::Feld::Chiffre, pfad);
    QCOMPARE(a.chiffre().text(), text.toStdString());
    QVERIFY(a.dialoge.fehler.isEmpty());
}

void TestDateien::zeilenendenBeimOeffnen_data()
{
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<QByteArray>("pane");
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR only") << QByteArray("a\rb") << QByteArray("a\r\nb");
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("mixed stays as it is") << QByteArray("a\nb\r\nc\r") << QByteArray("a\nb\r\nc\r");
    QTest::newRow("Unix text with umlauts") << QByteArray("Gr\xFC\xDF"
                                                          "e\naus K\xF6ln\n")
                                            << QByteArray("Gr\xFC\xDF"
                                                          "e\r\naus K\xF6ln\r\n");
    QTest::newRow("Unix text in UTF-8") << QByteArray("\xC3\x9C"
                                                      "bung macht den Meister \xE2\x80\x93 \xC4\x8C"
                                                      "apek sagt Gr\xC3\xBC\xC3\x9F Gott\n")
                                        << QByteArray("\xC3\x9C"
                                                      "bung macht den Meister \xE2\x80\x93 \xC4\x8C"
                                                      "apek sagt Gr\xC3\xBC\xC3\x9F Gott\r\n");
    const QByteArray skoda = QByteArray::fromStdString(verschl::Rot128("\x8Akoda f\xE4hrt"));
    QTest::newRow("rotation 128 of a line with Š stays") << skoda << skoda;
    QTest::newRow("control bytes stay") << QByteArray("\x01\x02\nab") << QByteArray("\x01\x02\nab");
    QTest::newRow("undefined byte stays") << QByteArray("a\x8D\nb") << QByteArray("a\x8D\nb");
}

// Whatever a method made of a text, the file Zifferon saved opens to exactly
// the saved text, and decrypts again.
void TestDateien::gespeicherteTexteOeffnenUnveraendert_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<QString>("schalter");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("matrix, square") << Methode::Matrix << QString() << false;
    QTest::newRow("matrix, 7 columns")
        << Methode::Matrix << QStringLiteral("RBMatrixManSpalten") << false;
    QTest::newRow("Caesar, lower case") << Methode::Caesar << QStringLiteral("CBKlein") << false;
    QTest::newRow("rotation 13") << Methode::Rotation13 << QString() << false;
    QTest::newRow("rotation 128") << Methode::Rotation128 << QString() << false;
    QTest::newRow("rotation 128, upper case")
        << Methode::Rotation128 << QStringLiteral("CBGross") << false;
    QTest::newRow("rotation 128, umlauts replaced")
        << Methode::Rotation128 << QStringLiteral("CBUmlauteErsetzen") << false;
    QTest::newRow("rotation 128, blanks deleted")
        << Methode::Rotation128 << QStringLiteral("CBLeerzeichen") << false;
    QTest::newRow("Vigenère") << Methode::Vigenere << QString() << false;
    QTest::newRow("Vigenère, ignoring non-letters")
        << Methode::Vigenere << QStringLiteral("CBSonderignorieren") << false;
    QTest::newRow("UTF-8: matrix") << Methode::Matrix << QString() << true;
    QTest::newRow("UTF-8: rotation 128") << Methode::Rotation128 << QString() << true;
    QTest::newRow("UTF-8: Vigenère, ignoring non-letters")
        << Methode::Vigenere << QStringLiteral("CBSonderignorieren") << true;
}

void TestDateien::gespeicherteTexteOeffnenUnveraendert()
{
    QFETCH(Methode, methode);
    QFETCH(QString, schalter);
    QFETCH(bool, utf8);
    QTemporaryDir ordner;
    const QString klarPfad = ordner.filePath(QStringLiteral("klar.txt"));
    const QString chiffrePfad = ordner.filePath(QStringLiteral("chiffre.txt"));
    Aufbau a;
    a.option().setMethode(methode);
    if (!schalter.isEmpty())
        a.steuer<QAbstractButton>(qPrintable(schalter)).setChecked(true);
    a.aktion("SMUeberschreibwarnung").setChecked(false);
    const quint32 saat = QRandomGenerator::system()->generate();
    QRandomGenerator zufall(saat);
    for (int runde = 0; runde < 25; ++runde) {
        a.klar().setText(deutscherZufallstext(zufall));
        a.klick("BVerschluesseln");
        const Text klar = a.klar().text();
        const Text chiffre = a.chiffre().text();
        a.speichereUndOeffne(Aufbau::Feld::Klartext, klarPfad, utf8);
        a.speichereUndOeffne(Aufbau::Feld::Chiffre, chiffrePfad, utf8);
        const QByteArray wo = QStringLiteral("seed %1, round %2").arg(saat).arg(runde).toUtf8();
        QVERIFY2(a.klar().text() == klar, wo);
        QVERIFY2(a.chiffre().text() == chiffre, wo);
        a.klick("BEntschluesseln");
        QVERIFY2(a.klar().text() == klar, wo);
    }
    QVERIFY(a.dialoge.fehler.isEmpty());
}

// Only regular files open; a FIFO or a device neither opens as an empty text
// nor blocks, and saving never replaces one.
void TestDateien::nurRegulaereDateien_data()
{
    QTest::addColumn<QString>("art");
    QTest::addColumn<bool>("oeffnet");
    QTest::newRow("FIFO") << QStringLiteral("fifo") << false;
    QTest::newRow("device") << QStringLiteral("geraet") << false;
    QTest::newRow("link to a device") << QStringLiteral("link-geraet") << false;
    QTest::newRow("link to a FIFO") << QStringLiteral("link-fifo") << false;
    QTest::newRow("link to a file") << QStringLiteral("link-datei") << true;
}

void TestDateien::nurRegulaereDateien()
{
    QFETCH(QString, art);
    QFETCH(bool, oeffnet);
    QTemporaryDir ordner;
    const QString fifo = ordner.filePath(QStringLiteral("rohr.txt"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString datei = schreibeDatei(ordner, QStringLiteral("datei.txt"), "Inhalt");
    const QString link = ordner.filePath(QStringLiteral("link.txt"));
    const QString ziel = art == u"fifo" ? fifo
        : art == u"geraet"              ? QStringLiteral("/dev/null")
                                        : link;
    const QString linkZiel = art == u"link-geraet" ? QStringLiteral("/dev/null")
        : art == u"link-fifo"                      ? fifo
                                                   : datei;
    QVERIFY(QFile::link(linkZiel, link));

    Aufbau a;
    a.klar().setText("vorher");
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, THauptform::Unbenannt, false);
    a.dialoge.dateien << ziel;
    a.klicke("Klartextffnen1");
    QCOMPARE(a.klar().text(), oeffnet ? Text("Inhalt") : Text("vorher"));
    QCOMPARE(a.dialoge.fehler,
        oeffnet ? QStringList() : QStringList { QStringLiteral("Fehler beim Öffnen der Datei!") });

    // A quick save onto the FIFO is refused and leaves it a FIFO.
    a.dialoge.fehler.clear();
    a.aktion("SMUeberschreibwarnung").setChecked(false);
    a.dialoge.dateien << fifo;
    a.klicke("Klartextspeichernunter1");
    QCOMPARE(a.dialoge.fehler,
        QStringList { QStringLiteral("Fehler beim Speichern der Datei rohr.txt!") });
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
}

// ".txt" is added to a typed name only under the text filter.
void TestDateien::dateinameWieGetippt_data()
{
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("gewaehlt");
    QTest::newRow("text filter adds .txt")
        << 0 << QStringLiteral("notiz") << QStringLiteral("notiz.txt");
    QTest::newRow("all files: as typed") << 1 << QStringLiteral("notiz") << QStringLiteral("notiz");
    QTest::newRow("own suffix stays")
        << 0 << QStringLiteral("brief.md") << QStringLiteral("brief.md");
}

void TestDateien::dateinameWieGetippt()
{
    QFETCH(int, filter);
    QFETCH(QString, getippt);
    QFETCH(QString, gewaehlt);
    QTemporaryDir ordner;
    const auto dialog = BaueDateidialog(nullptr,
        { QStringLiteral("Chiffre speichern unter"), ordner.path(),
            QStringLiteral("unbenannt.txt") },
        QFileDialog::AcceptSave);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->open();
    auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->clear();
    QTest::keyClicks(name, getippt);
    auto *filterwahl = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    QVERIFY(filterwahl);
    for (int i = 0; i < filter; ++i)
        QTest::keyClick(filterwahl, Qt::Key_Down);
    QCOMPARE(filterwahl->currentIndex(), filter);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(filterwahl->currentIndex(), filter);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(dialog->selectedFiles(), QStringList { ordner.filePath(gewaehlt) });
}

void TestDateien::zeilenendenBeimOeffnen()
{
    QFETCH(QByteArray, datei);
    QFETCH(QByteArray, pane);
    QTemporaryDir ordner;
    Aufbau a;
    a.dialoge.dateien << schreibeDatei(ordner, QStringLiteral("t.txt"), datei);
    a.klicke("Klartextffnen1");
    QCOMPARE(a.klar().text(), pane.toStdString());
    // Saved again, the file has the pane's line ends.
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(ordner.filePath(QStringLiteral("t.txt"))), pane);
}

void TestDateien::oeffnenSetztDateizustand()
{
    QTemporaryDir ordner;
    Aufbau a;
    a.haupt().setPfad(QStringLiteral("/start/"));
    a.dialoge.dateien << schreibeDatei(ordner, QStringLiteral("geheim.txt"), "Inhalt");
    a.klicke("Chiffreffnen1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 1);
    QCOMPARE(a.dialoge.dateidialoge[0].titel, QStringLiteral("Chiffre öffnen"));
    QCOMPARE(a.dialoge.dateidialoge[0].ordner, QStringLiteral("/start/"));
    QCOMPARE(a.dialoge.dateidialoge[0].dateiname, QStringLiteral("unbenannt.txt"));
    QCOMPARE(a.chiffre().text(), Text("Inhalt"));
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Chiffre), QStringLiteral("geheim.txt"));
    QCOMPARE(a.haupt().pfad(), mitTrenner(ordner.path()));
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Chiffre));
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext), QStringLiteral("unbenannt.txt"));
}

// A failed open leaves pane, name, folder and flag as they were.
void TestDateien::oeffnenFehlschlaege_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("meldung");
    const QStringList fehler { QStringLiteral("Fehler beim Öffnen der Datei!") };
    QTest::newRow("missing file: silently ignored") << QStringLiteral("fehlt.txt") << QStringList();
    QTest::newRow("a folder") << QStringLiteral("ordner") << fehler;
    QTest::newRow("too large to hold")
        << QStringLiteral("riesig.txt")
        << QStringList { QStringLiteral("Die Datei riesig.txt ist zu groß (über 64 MiB).") };
}

void TestDateien::oeffnenFehlschlaege()
{
    QFETCH(QString, name);
    QFETCH(QStringList, meldung);
    QTemporaryDir ordner;
    QDir(ordner.path()).mkdir(QStringLiteral("ordner"));
    QFile riesig(schreibeDatei(ordner, QStringLiteral("riesig.txt"), "x"));
    QVERIFY(riesig.resize(textdatei::Hoechstgroesse + 1));
    Aufbau a;
    a.klar().setText("vorher");
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, QStringLiteral("alt.txt"), false);
    a.haupt().setPfad(QStringLiteral("/alt/"));
    a.dialoge.dateien << ordner.filePath(name);
    a.klicke("Klartextffnen1");
    QCOMPARE(a.dialoge.fehler, meldung);
    QCOMPARE(a.klar().text(), Text("vorher"));
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext), QStringLiteral("alt.txt"));
    QCOMPARE(a.haupt().pfad(), QStringLiteral("/alt/"));
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Klartext));
}

// A file of very many short lines (which the pane keeps in few blocks, to
// spare memory) is edited and copied line by line as any other.
void TestDateien::vieleKurzeZeilen_data()
{
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<QKeySequence>("tasten");
    QTest::addColumn<int>("stelle"); // where the bytes below go in the file's text
    QTest::addColumn<int>("entfernt");
    QTest::addColumn<QByteArray>("eingefuegt");
    QTest::addColumn<QString>("kopiert");
    const auto an = [](int zeile, int spalte) { return 8 * zeile + spalte; };
    const QKeyCombination x(Qt::Key_X);
    QTest::newRow("Enter") << 1000 << 3 << QKeySequence(Qt::Key_Return) << an(1000, 3) << 0
                           << QByteArray("\r\n") << QString();
    QTest::newRow("Backspace at a line's start") << 1000 << 0 << QKeySequence(Qt::Key_Backspace)
                                                 << an(1000, -2) << 2 << QByteArray() << QString();
    QTest::newRow("Delete at a line's end") << 1000 << 6 << QKeySequence(Qt::Key_Delete)
                                            << an(1000, 6) << 2 << QByteArray() << QString();
    QTest::newRow("Backspace where blocks meet") << 585 << 0 << QKeySequence(Qt::Key_Backspace)
                                                 << an(585, -2) << 2 << QByteArray() << QString();
    QTest::newRow("Down keeps the column")
        << 1000 << 3 << QKeySequence(QKeyCombination(Qt::Key_Down), x) << an(1001, 3) << 0
        << QByteArray("x") << QString();
    QTest::newRow("End ends the line") << 1000 << 3 << QKeySequence(QKeyCombination(Qt::Key_End), x)
                                       << an(1000, 6) << 0 << QByteArray("x") << QString();
    QTest::newRow("undo") << 1000 << 3
                          << QKeySequence(x, QKeyCombination(Qt::Key_Return), Qt::CTRL | Qt::Key_Z,
                                 Qt::CTRL | Qt::Key_Z)
                          << 0 << 0 << QByteArray() << QString();
    QTest::newRow("copy across a line break")
        << 1000 << 3 << QKeySequence(Qt::SHIFT | Qt::Key_Down, Qt::CTRL | Qt::Key_C) << 0 << 0
        << QByteArray() << QStringLiteral("000\nz01");
}

void TestDateien::vieleKurzeZeilen()
{
    QFETCH(int, zeile);
    QFETCH(int, spalte);
    QFETCH(QKeySequence, tasten);
    QFETCH(int, stelle);
    QFETCH(int, entfernt);
    QFETCH(QByteArray, eingefuegt);
    QFETCH(QString, kopiert);
    const int zeilen = 60000;
    QByteArray text;
    for (int i = 0; i < zeilen; ++i)
        text += QStringLiteral("z%1\r\n").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
    // A long line among them, cut into blocks, with a lone CR.
    text.insert(8 * 30000, QByteArray(3 * TextPane::kStueck, 'L') + "\r\r\n");
    QTemporaryDir ordner;
    Aufbau a;
    a.haupt().show();
    a.dialoge.dateien << schreibeDatei(ordner, QStringLiteral("z.txt"), text);
    a.klicke("Klartextffnen1");
    TextPane &pane = a.klar();
    QVERIFY(pane.document()->blockCount() < zeilen / 100);
    QCOMPARE(QByteArray::fromStdString(pane.text()), text);
    QTextCursor cursor = pane.textCursor();
    cursor.setPosition(7 * zeile + spalte);
    pane.setTextCursor(cursor);
    QTest::keySequence(&pane, tasten);
    QCOMPARE(QByteArray::fromStdString(pane.text()),
        text.sliced(0, stelle) + eingefuegt + text.sliced(stelle + entfernt));
    if (!kopiert.isEmpty())
        QCOMPARE(QApplication::clipboard()->text(), kopiert);
}

void TestDateien::grosseTexte_data()
{
    QTest::addColumn<QByteArray>("muster"); // repeated to `groesse` bytes
    QTest::addColumn<qint64>("groesse");
    QTest::addColumn<bool>("ausDatei"); // else typed into the pane
    QTest::addColumn<bool>("umlauteErsetzen"); // then encrypted with that preparation
    QTest::addColumn<bool>("utf8"); // the save's wish
    QTest::addColumn<QString>("meldung");
    const qint64 grenze = textdatei::Hoechstgroesse;
    QTest::newRow("Unix lines past 64 MiB with CR LF")
        << QByteArray(4095, 'a') + '\n'
        << grenze - 100 << true << false << false
        << QStringLiteral("Die Datei t.txt ist zu groß (über 64 MiB).");
    QTest::newRow("umlauts replaced past 64 MiB")
        << QByteArray("\xE4") << grenze / 2 + 1 << false << true << false
        << QStringLiteral("Mit ersetzten Umlauten wäre der Klartext größer als 64 MiB und ließe "
                          "sich nicht mehr speichern. Bitte den Text kürzen.");
    QTest::newRow("typed past 64 MiB")
        << QByteArray("a") << grenze + 1 << false << false << false
        << QStringLiteral(
               "Die Datei t.txt wäre zu groß (über 64 MiB) und wurde nicht gespeichert.");
    QTest::newRow("UTF-8 too large: Windows-1252")
        << QByteArray("\xE4") << grenze / 2 + 1 << false << false << true << QString();
}

// A text that reaches its size limit is stopped with a message at the step
// that grows it; whatever is saved opens again to the same text.
void TestDateien::grosseTexte()
{
    QFETCH(QByteArray, muster);
    QFETCH(qint64, groesse);
    QFETCH(bool, ausDatei);
    QFETCH(bool, umlauteErsetzen);
    QFETCH(bool, utf8);
    QFETCH(QString, meldung);
    Text text;
    while (qint64(text.size()) < groesse)
        text += muster.toStdString();
    text.resize(std::size_t(groesse));
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("t.txt"));
    Aufbau a;
    if (ausDatei) {
        schreibeDatei(ordner, QStringLiteral("t.txt"), QByteArray::fromStdString(text));
        a.dialoge.dateien << pfad;
        a.klicke("Klartextffnen1");
        text.clear();
    } else {
        a.klar().setText(text);
        a.steuer<QCheckBox>("CBUmlauteErsetzen").setChecked(umlauteErsetzen);
        a.klick("BVerschluesseln");
        a.speichereUnter(Aufbau::Feld::Klartext, pfad, utf8);
    }
    QCOMPARE(a.dialoge.fehler + a.dialoge.warnungen,
        meldung.isEmpty() ? QStringList() : QStringList { meldung });
    QVERIFY(a.klar().text() == text);
    if (ausDatei || !QFileInfo::exists(pfad))
        return;
    a.oeffneWieder(Aufbau::Feld::Klartext, pfad);
    QVERIFY(a.dialoge.fehler.isEmpty());
    QVERIFY(a.klar().text() == text);
}

void TestDateien::speichernUnterFragtVorDemUeberschreiben_data()
{
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QList<bool>>("antwort");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("OK overwrites") << true << QList<bool> { true } << QByteArray("neu");
    QTest::newRow("Cancel keeps the file") << true << QList<bool> { false } << QByteArray("alt");
    QTest::newRow("warning off: no question") << false << QList<bool>() << QByteArray("neu");
}

void TestDateien::speichernUnterFragtVorDemUeberschreiben()
{
    QFETCH(bool, warnung);
    QFETCH(QList<bool>, antwort);
    QFETCH(QByteArray, danach);
    QTemporaryDir ordner;
    const QString pfad = schreibeDatei(ordner, QStringLiteral("da.txt"), "alt");
    Aufbau a;
    a.aktion("SMUeberschreibwarnung").setChecked(warnung);
    a.haupt().setPfad(QStringLiteral("/vorher/"));
    a.klar().setText("neu");
    a.dialoge.dateien << pfad;
    a.dialoge.okAntworten = antwort;
    a.klicke("Klartextspeichernunter1");
    QCOMPARE(a.dialoge.dateidialoge[0].titel, QStringLiteral("Klartext speichern unter"));
    QCOMPARE(a.dialoge.fragen,
        warnung ? QStringList { QStringLiteral("Die Datei ") + pfad
            + QStringLiteral(" existiert schon. Überschreiben?") }
                : QStringList());
    QCOMPARE(leseDatei(pfad), danach);
    const bool ueberschrieben = danach == "neu";
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext),
        ueberschrieben ? QStringLiteral("da.txt") : QStringLiteral("unbenannt.txt"));
    QCOMPARE(
        a.haupt().pfad(), ueberschrieben ? mitTrenner(ordner.path()) : QStringLiteral("/vorher/"));
    QCOMPARE(a.haupt().geaendert(THauptform::Bereich::Klartext), !ueberschrieben);
}

void TestDateien::schnellspeichernOhneDatei()
{
    QTemporaryDir ordner;
    Aufbau a;
    a.klar().setText("x");
    // "unbenannt.txt" counts as no file, even after saving under that name...
    a.dialoge.dateien << ordner.filePath(QStringLiteral("unbenannt.txt"));
    a.klicke("Klartextspeichern1");
    QCOMPARE(a.dialoge.dateidialoge.last().titel, QStringLiteral("Klartext speichern unter"));
    QCOMPARE(a.dialoge.dateidialoge.last().dateiname, QStringLiteral("unbenannt.txt"));
    a.dialoge.dateien << std::nullopt;
    a.klicke("Klartextspeichern1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 2);
    // ...but the comparison is case-sensitive.
    a.dialoge.dateien << ordner.filePath(QStringLiteral("Unbenannt.txt"));
    a.klar().setText("y");
    a.klicke("Klartextspeichern1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 3);
    QCOMPARE(leseDatei(ordner.filePath(QStringLiteral("Unbenannt.txt"))), QByteArray("y"));
}

// A quick save writes where the pane's text came from, even after the other
// pane was opened from another folder.
void TestDateien::schnellspeichernInDenEigenenOrdner()
{
    QTemporaryDir ordnerA;
    QTemporaryDir ordnerB;
    const QString klarPfad = schreibeDatei(ordnerA, QStringLiteral("brief.txt"), "Brief");
    const QString fremd = schreibeDatei(ordnerB, QStringLiteral("brief.txt"), "fremd");
    Aufbau a;
    a.dialoge.dateien << klarPfad << schreibeDatei(ordnerB, QStringLiteral("c.txt"), "C");
    a.klicke("Klartextffnen1");
    a.klicke("Chiffreffnen1");
    QCOMPARE(a.haupt().pfad(), mitTrenner(ordnerB.path()));
    a.klar().setText("Brief, neu");
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(klarPfad), QByteArray("Brief, neu"));
    QCOMPARE(leseDatei(fremd), QByteArray("fremd"));
    QVERIFY(a.dialoge.fragen.isEmpty()); // a quick save never asks
}

void TestDateien::fehlgeschlagenesSpeichern_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::newRow("folder does not exist") << QStringLiteral("fehlt/x.txt");
    QTest::newRow("target is a folder") << QStringLiteral("ordner.txt");
    QTest::newRow("parent is a file") << QStringLiteral("datei.txt/x.txt");
}

void TestDateien::fehlgeschlagenesSpeichern()
{
    QFETCH(QString, ziel);
    QTemporaryDir ordner;
    QDir(ordner.path()).mkdir(QStringLiteral("ordner.txt"));
    schreibeDatei(ordner, QStringLiteral("datei.txt"), "bleibt");
    Aufbau a;
    a.aktion("SMUeberschreibwarnung").setChecked(false);
    a.chiffre().setText("Chiffre");
    a.dialoge.dateien << ordner.filePath(ziel);
    a.klicke("Chriffrespeichernunter1");
    const QString name = QFileInfo(ziel).fileName();
    QCOMPARE(a.dialoge.fehler,
        QStringList { QStringLiteral("Fehler beim Speichern der Datei ") + name + "!" });
    QVERIFY(a.haupt().geaendert(THauptform::Bereich::Chiffre));
    // The name holds: the next quick save tries the same file again.
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Chiffre), name);
    a.klicke("Chiffrespeichern1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 1);
    QCOMPARE(a.dialoge.fehler.size(), 2);
    QCOMPARE(leseDatei(ordner.filePath(QStringLiteral("datei.txt"))), QByteArray("bleibt"));
    QVERIFY(QFileInfo(ordner.filePath(QStringLiteral("ordner.txt"))).isDir());
    // No temporary file is left behind.
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
        QStringList { QStringLiteral("datei.txt") });
}

// After opening, a quick save replaces the whole file: with a shorter text,
// and with nothing after clearing, which marks the pane saved and keeps its
// name.
void TestDateien::schnellspeichernNachDemOeffnen_data()
{
    QTest::addColumn<bool>("leeren");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("shorter text") << false << QByteArray("kurz");
    QTest::newRow("cleared pane") << true << QByteArray();
}

void TestDateien::schnellspeichernNachDemOeffnen()
{
    QFETCH(bool, leeren);
    QFETCH(QByteArray, danach);
    QTemporaryDir ordner;
    const QString pfad = schreibeDatei(ordner, QStringLiteral("k.txt"), "ein langer alter Text");
    Aufbau a;
    a.dialoge.dateien << pfad;
    a.klicke("Klartextffnen1");
    if (leeren) {
        a.klicke("MMKlartextloeschen");
        QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Klartext));
        QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext), QStringLiteral("k.txt"));
    } else {
        a.klar().setText("kurz");
    }
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(pfad), danach);
}

void TestDateien::fragenVorDemVerlust_data()
{
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QList<Antwort>>("antwort");
    QTest::addColumn<bool>("geleert");
    QTest::newRow("No clears") << true << QList<Antwort> { Antwort::Nein } << true;
    QTest::newRow("Cancel keeps") << true << QList<Antwort> { Antwort::Abbrechen } << false;
    QTest::newRow("warning off: no question") << false << QList<Antwort>() << true;
}

void TestDateien::fragenVorDemVerlust()
{
    QFETCH(bool, warnung);
    QFETCH(QList<Antwort>, antwort);
    QFETCH(bool, geleert);
    Aufbau a;
    a.aktion("SMNichtgespeichertWarnung").setChecked(warnung);
    a.chiffre().setText("ungespeichert");
    a.dialoge.antworten = antwort;
    a.klicke("MMChiffreloeschen");
    QCOMPARE(a.dialoge.fragen.size(), antwort.size());
    if (warnung)
        QCOMPARE(a.dialoge.fragen[0],
            QStringLiteral("Die Chiffre wurde noch nicht gespeichert. Jetzt speichern?"));
    QCOMPARE(a.chiffre().text().empty(), geleert);
}

// After "Yes", a save that is cancelled or fails stops the action that asked.
void TestDateien::jaOhneSpeichernBrichtAb()
{
    QTemporaryDir ordner;
    Aufbau a;
    a.klar().setText("wertvoll");
    a.dialoge.antworten << Antwort::Ja;
    a.dialoge.dateien << std::nullopt; // save-as dialog cancelled
    a.klicke("Klartextffnen1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 1); // no open dialog followed
    QCOMPARE(a.klar().text(), Text("wertvoll"));

    a.dialoge.antworten << Antwort::Ja;
    a.dialoge.dateien << ordner.filePath(QStringLiteral("fehlt/x.txt")); // save fails
    a.klicke("MMKlartextloeschen");
    QCOMPARE(a.klar().text(), Text("wertvoll"));

    // Once the folder exists, "Yes" saves under the name chosen before.
    QVERIFY(QDir(ordner.path()).mkdir(QStringLiteral("fehlt")));
    a.dialoge.antworten << Antwort::Ja;
    a.klicke("MMKlartextloeschen");
    QCOMPARE(a.klar().text(), Text());
    QCOMPARE(leseDatei(ordner.filePath(QStringLiteral("fehlt/x.txt"))), QByteArray("wertvoll"));
}

// With both texts unsaved, cancelling the first save dialog stops there.
void TestDateien::beideJaAbbruchImErstenDialog()
{
    Aufbau a;
    a.klar().setText("neu");
    a.chiffre().setText("geheim");
    a.dialoge.antworten << Antwort::Ja;
    a.dialoge.dateien << std::nullopt << std::nullopt;
    QVERIFY(!a.schliesse());
    QCOMPARE(a.dialoge.dateidialoge.size(), 1);
}

void TestDateien::schliessenFragt_data()
{
    QTest::addColumn<bool>("klartext");
    QTest::addColumn<bool>("chiffre");
    QTest::addColumn<QString>("frage");
    QTest::newRow("nothing unsaved") << false << false << QString();
    QTest::newRow("plaintext unsaved")
        << true << false
        << QStringLiteral("Der Klartext wurde noch nicht gespeichert. Jetzt speichern?");
    QTest::newRow("ciphertext unsaved")
        << false << true
        << QStringLiteral("Die Chiffre wurde noch nicht gespeichert. Jetzt speichern?");
    QTest::newRow("both unsaved")
        << true << true
        << QStringLiteral("Beide Texte wurden noch nicht gespeichert. Jetzt speichern?");
}

void TestDateien::schliessenFragt()
{
    QFETCH(bool, klartext);
    QFETCH(bool, chiffre);
    QFETCH(QString, frage);
    Aufbau a;
    a.haupt().setzeDatei(THauptform::Bereich::Klartext, THauptform::Unbenannt, klartext);
    a.haupt().setzeDatei(THauptform::Bereich::Chiffre, THauptform::Unbenannt, chiffre);
    a.dialoge.antworten << Antwort::Abbrechen << Antwort::Nein;
    QCOMPARE(a.schliesse(), frage.isEmpty());
    if (frage.isEmpty())
        return;
    QCOMPARE(a.dialoge.fragen, QStringList { frage });
    QVERIFY(a.schliesse()); // "No" closes and drops the text
    a.aktion("SMNichtgespeichertWarnung").setChecked(false);
    QVERIFY(a.schliesse());
    QCOMPARE(a.dialoge.fragen.size(), 2);
}

QTEST_MAIN(TestDateien)
#include "test_dateien.moc"
