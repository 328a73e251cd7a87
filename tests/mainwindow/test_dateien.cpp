// SPDX-License-Identifier: GPL-3.0-or-later
// What a file holds after Zifferon opens or saves it: bytes, line ends and
// sizes, and which kinds of file open at all.
#include "platform/textdatei.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/zufallstext.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>
#include <sys/stat.h>

using verschl::Text;

namespace {

QByteArray alleBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes += char(b);
    return bytes;
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
    void einzelneZeilenenden_data();
    void einzelneZeilenenden();
    void nurRegulaereDateien_data();
    void nurRegulaereDateien();
    void vieleKurzeZeilen_data();
    void vieleKurzeZeilen();
    void grosseTexte_data();
    void grosseTexte();
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

// A ciphertext whose line ends are all lone LF or all lone CR would open as
// a Unix or Mac text file, with CR LF. Saving says so first: cancelled,
// nothing is written; agreed, the file opens with CR LF. Every other text
// opens to itself.
void TestDateien::einzelneZeilenenden_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<QByteArray>("klartext");
    QTest::addColumn<QByteArray>("ende"); // that opening turns into CR LF
    QTest::addColumn<bool>("utf8");
    const struct
    {
        const char *name;
        Methode methode;
        QByteArray klartext;
        QByteArray ende;
    } zeilen[] = {
        { "rotation 128 of Š: lone LF", Methode::Rotation128, "\xE4\xE4\xE4\xE4\x8A\xE4\xE4\xE4",
            "\n" },
        { "rotation 128 of 0x8D: lone CR", Methode::Rotation128, "\xE4\xE4\x8D\xE4\xE4", "\r" },
        { "rotation 128: lone LF and lone CR", Methode::Rotation128, "\xE4\x8A\xE4\x8D\xE4", {} },
        { "rotation 128: lone LF and CR LF", Methode::Rotation128, "\xE4\x8D\x8A\xE4\x8A\xE4", {} },
        { "rotation 128: lone CR and CR LF", Methode::Rotation128, "\xE4\x8D\x8A\xE4\x8D\xE4", {} },
        { "rotation 128 of a German line with Š", Methode::Rotation128, "\x8Akoda f\xE4hrt", {} },
        { "matrix moves CR and LF apart", Methode::Matrix, "abc\r\ndef\r\nghi", {} },
        { "matrix: lone LF", Methode::Matrix, "abcd\nefgh\nij", "\n" },
        { "Caesar: lone CR", Methode::Caesar, "abc\rdef", "\r" },
        { "Vigenère: lone LF", Methode::Vigenere, "abc\ndef", "\n" },
        { "Vigenère: lone LF and lone CR", Methode::Vigenere, "ab\ncd\ref", {} },
    };
    for (const bool utf8 : { false, true }) {
        for (const auto &z : zeilen) {
            QTest::addRow("%s, %s", z.name, utf8 ? "UTF-8" : "Windows-1252")
                << z.methode << z.klartext << z.ende << utf8;
        }
    }
}

void TestDateien::einzelneZeilenenden()
{
    QFETCH(Methode, methode);
    QFETCH(QByteArray, klartext);
    QFETCH(QByteArray, ende);
    QFETCH(bool, utf8);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("c.txt"));
    Aufbau a;
    a.option().setMethode(methode);
    a.klar().setText(klartext.toStdString());
    a.klick("BVerschluesseln");
    const QByteArray chiffre = QByteArray::fromStdString(a.chiffre().text());
    QVERIFY(chiffre.contains('\n') || chiffre.contains('\r'));
    if (!ende.isEmpty()) {
        a.dialoge.okAntworten << false;
        a.speichereUnter(Aufbau::Feld::Chiffre, pfad, utf8);
        QCOMPARE(a.dialoge.fragen.size(), 1);
        QVERIFY(a.dialoge.fragen.first().contains(
            ende == "\n" ? QStringLiteral("(LF)") : QStringLiteral("(CR)")));
        QVERIFY(!QFileInfo::exists(pfad));
        QVERIFY(a.haupt().geaendert(THauptform::Bereich::Chiffre));
        a.dialoge.okAntworten << true;
        a.klicke("Chiffrespeichern1");
        QCOMPARE(a.dialoge.fragen.size(), 2);
    } else {
        a.speichereUnter(Aufbau::Feld::Chiffre, pfad, utf8);
        QCOMPARE(a.dialoge.fragen, QStringList());
    }
    QVERIFY(!a.haupt().geaendert(THauptform::Bereich::Chiffre));
    a.oeffneWieder(Aufbau::Feld::Chiffre, pfad);
    const QByteArray geoeffnet
        = ende.isEmpty() ? chiffre : QByteArray(chiffre).replace(ende, "\r\n");
    QCOMPARE(QByteArray::fromStdString(a.chiffre().text()), geoeffnet);
    a.klick("BEntschluesseln");
    if (ende.isEmpty())
        QCOMPARE(QByteArray::fromStdString(a.klar().text()), klartext);
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
#ifndef Q_OS_UNIX
    QSKIP("FIFOs and devices such as /dev/null are Unix's");
#else
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
#endif
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
    QTest::newRow("lone LFs past 64 MiB only with CR LF")
        << QByteArray("\n") << grenze / 2 + 1 << false << false << false
        << QStringLiteral("Die Datei t.txt wurde nicht gespeichert: Beim Öffnen bekäme ihr Text "
                          "CR LF als Zeilenenden und wäre dann zu groß (über 64 MiB).");
    // Its Windows-1252 bytes are the UTF-8 of "ä".
    QTest::newRow("reads as UTF-8, UTF-8 too large")
        << QByteArray("\xC3\xA4") << grenze / 2 + 2 << false << false << true
        << QStringLiteral("Die Datei t.txt wurde nicht gespeichert: Als Windows-1252 läse sich "
                          "der Text beim Öffnen als UTF-8 und käme verändert zurück, als UTF-8 "
                          "wäre die Datei zu groß (über 64 MiB).");
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
    Text text = muster.toStdString();
    while (qint64(text.size()) < groesse)
        text += text;
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

QTEST_MAIN(TestDateien)
#include "test_dateien.moc"
