// SPDX-License-Identifier: GPL-3.0-or-later
// Which file and folder each pane belongs to and whether it is saved, through
// the file dialogs, quick saves, failures and the questions before a text is
// overwritten or lost.
#include "demos/vmatrix.h"
#include "platform/dateiname.h"
#include "platform/textdatei.h"
#include "programm/qtdialoge.h"
#include "testhilfen/aufbau.h"

#include <memory>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTextDocument>

using verschl::Text;
using Antwort = Dialoge::Antwort;

namespace {

// Every byte, a line longer than a pane block and more lines than the pane
// gives blocks of their own, yet cheap to build.
QByteArray grosserText()
{
    QByteArray text;
    for (int byte = 0; byte < 256; ++byte)
        text += char(byte);
    text += QByteArray(TextPane::kStueck + 100, 'a') + "\r\n";
    return text + QByteArray("z\r\n").repeated(TextPane::kVieleZeilen + 1);
}

QString mitTrenner(const QString &ordner)
{
    return QDir::toNativeSeparators(ordner + QLatin1Char('/'));
}

} // namespace

class TestDateizustand : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void uebergabeBeimNeustart_data();
    void uebergabeBeimNeustart();
    void fremdeDateiIstKeineUebergabe();
    void dateinameWieGetippt_data();
    void dateinameWieGetippt();
    void oeffnenSetztDateizustand();
    void oeffnenFehlschlaege_data();
    void oeffnenFehlschlaege();
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
    void befehlRueckgaengig_data();
    void befehlRueckgaengig();
};

// ".txt" is added to a typed name only under the text filter.
void TestDateizustand::dateinameWieGetippt_data()
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

void TestDateizustand::dateinameWieGetippt()
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

void TestDateizustand::oeffnenSetztDateizustand()
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
void TestDateizustand::oeffnenFehlschlaege_data()
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

void TestDateizustand::oeffnenFehlschlaege()
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

void TestDateizustand::speichernUnterFragtVorDemUeberschreiben_data()
{
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QList<bool>>("antwort");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("OK overwrites") << true << QList<bool> { true } << QByteArray("neu");
    QTest::newRow("Cancel keeps the file") << true << QList<bool> { false } << QByteArray("alt");
    QTest::newRow("warning off: no question") << false << QList<bool>() << QByteArray("neu");
}

void TestDateizustand::speichernUnterFragtVorDemUeberschreiben()
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

void TestDateizustand::schnellspeichernOhneDatei()
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
    // ...but the comparison is case-sensitive. Another folder, because on Windows the name
    // would be the file saved above.
    QTemporaryDir andererOrdner;
    a.dialoge.dateien << andererOrdner.filePath(QStringLiteral("Unbenannt.txt"));
    a.klar().setText("y");
    a.klicke("Klartextspeichern1");
    QCOMPARE(a.dialoge.dateidialoge.size(), 3);
    QCOMPARE(leseDatei(andererOrdner.filePath(QStringLiteral("Unbenannt.txt"))), QByteArray("y"));
}

// A quick save writes where the pane's text came from, even after the other
// pane was opened from another folder.
void TestDateizustand::schnellspeichernInDenEigenenOrdner()
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

void TestDateizustand::fehlgeschlagenesSpeichern_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<QString>("gezeigt"); // the name as the message shows it
    QTest::newRow("folder does not exist") << QStringLiteral("fehlt/x.txt") << "x.txt";
    QTest::newRow("target is a folder") << QStringLiteral("ordner.txt") << "ordner.txt";
    QTest::newRow("parent is a file") << QStringLiteral("datei.txt/x.txt") << "x.txt";
    // A line break or a byte that is no UTF-8 must not break the message.
    QTest::newRow("name with line break and Latin-1")
        << dateiname::AusSystem("fehlt/a\nb\xE9.txt") << "a\\x0ab\\xe9.txt";
}

void TestDateizustand::fehlgeschlagenesSpeichern()
{
    QFETCH(QString, ziel);
    QFETCH(QString, gezeigt);
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
        QStringList { QStringLiteral("Fehler beim Speichern der Datei ") + gezeigt + "!" });
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
void TestDateizustand::schnellspeichernNachDemOeffnen_data()
{
    QTest::addColumn<bool>("leeren");
    QTest::addColumn<QByteArray>("danach");
    QTest::newRow("shorter text") << false << QByteArray("kurz");
    QTest::newRow("cleared pane") << true << QByteArray();
}

void TestDateizustand::schnellspeichernNachDemOeffnen()
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

void TestDateizustand::fragenVorDemVerlust_data()
{
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QList<Antwort>>("antwort");
    QTest::addColumn<bool>("geleert");
    QTest::newRow("No clears") << true << QList<Antwort> { Antwort::Nein } << true;
    QTest::newRow("Cancel keeps") << true << QList<Antwort> { Antwort::Abbrechen } << false;
    QTest::newRow("warning off: no question") << false << QList<Antwort>() << true;
}

void TestDateizustand::fragenVorDemVerlust()
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
void TestDateizustand::jaOhneSpeichernBrichtAb()
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

    // Nor when the user would rather not save a text that reopens changed.
    a.klar().setText("wert\nvoll");
    a.dialoge.antworten << Antwort::Ja;
    a.dialoge.okAntworten << false;
    a.klicke("MMKlartextloeschen");
    QCOMPARE(a.klar().text(), Text("wert\nvoll"));
    QCOMPARE(leseDatei(ordner.filePath(QStringLiteral("fehlt/x.txt"))), QByteArray("wertvoll"));
}

// With both texts unsaved, cancelling the first save dialog stops there.
void TestDateizustand::beideJaAbbruchImErstenDialog()
{
    Aufbau a;
    a.klar().setText("neu");
    a.chiffre().setText("geheim");
    a.dialoge.antworten << Antwort::Ja;
    a.dialoge.dateien << std::nullopt << std::nullopt;
    QVERIFY(!a.schliesse());
    QCOMPARE(a.dialoge.dateidialoge.size(), 1);
}

void TestDateizustand::schliessenFragt_data()
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

void TestDateizustand::schliessenFragt()
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

// A command that replaces a pane's text is one step of that pane's undo
// history: Ctrl+Z or the pane's "Rückgängig" brings the text back byte for
// byte, saved or unsaved as it was.
void TestDateizustand::befehlRueckgaengig_data()
{
    QTest::addColumn<QByteArray>("befehl");
    QTest::addColumn<bool>("imKlartext"); // the pane whose text it replaces
    QTest::addColumn<QByteArray>("klartext");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<bool>("grossschrift");
    QTest::addColumn<bool>("gespeichert");
    QTest::addColumn<bool>("perMenue");
    const QByteArray geheim = "Jgkokpkuxqnn!";
    QTest::newRow("Verschlüsseln over a saved ciphertext")
        << QByteArray("MMVerschluesseln") << false << QByteArray("Treffen um acht") << geheim
        << false << true << false;
    QTest::newRow("Entschlüsseln over a classmate's unsaved text")
        << QByteArray("MMEntschluesseln") << true << QByteArray("Mein eigener Geheimtext") << geheim
        << false << false << false;
    QTest::newRow("Entschlüsseln, undone from the pop-up")
        << QByteArray("MMEntschluesseln") << true << QByteArray("Text") << geheim << false << true
        << true;
    QTest::newRow("Klartext ändern: upper case")
        << QByteArray("MMVerschluesseln") << true << QByteArray("gro\xDF und klein") << geheim
        << true << true << false;
    QTest::newRow("empty plaintext empties the ciphertext")
        << QByteArray("MMVerschluesseln") << false << QByteArray() << geheim << false << false
        << true;
    QTest::newRow("Texte tauschen, plaintext")
        << QByteArray("Textetauschen") << true << QByteArray("oben") << geheim << false << true
        << false;
    QTest::newRow("Texte tauschen, ciphertext")
        << QByteArray("Textetauschen") << false << QByteArray("oben") << geheim << false << false
        << false;
    QTest::newRow("Klartext löschen, saved")
        << QByteArray("MMKlartextloeschen") << true << QByteArray("weg?") << geheim << false << true
        << false;
    QTest::newRow("Chiffre löschen, unsaved") << QByteArray("MMChiffreloeschen") << false
                                              << QByteArray() << geheim << false << false << true;
    QTest::newRow("large text with every byte")
        << QByteArray("MMEntschluesseln") << true << grosserText() << geheim << false << true
        << false;
}

void TestDateizustand::befehlRueckgaengig()
{
    QFETCH(QByteArray, befehl);
    QFETCH(bool, imKlartext);
    QFETCH(QByteArray, klartext);
    QFETCH(QByteArray, chiffre);
    QFETCH(bool, grossschrift);
    QFETCH(bool, gespeichert);
    QFETCH(bool, perMenue);
    Aufbau a;
    a.aktion("SMNichtgespeichertWarnung").setChecked(false);
    a.steuer<QCheckBox>("CBGross").setChecked(grossschrift);
    a.klar().setText(klartext.toStdString());
    a.chiffre().setText(chiffre.toStdString());
    const auto bereich = imKlartext ? THauptform::Bereich::Klartext : THauptform::Bereich::Chiffre;
    a.haupt().setzeDatei(bereich, QStringLiteral("alt.txt"), !gespeichert);
    TextPane &pane = imKlartext ? a.klar() : a.chiffre();
    const Text vorher = pane.text();

    a.klicke(befehl.constData());
    QVERIFY(pane.text() != vorher);
    if (perMenue) {
        const std::unique_ptr<QMenu> menue(pane.createStandardContextMenu());
        auto *rueckgaengig = menue->findChild<QAction *>(QStringLiteral("edit-undo"));
        QVERIFY(rueckgaengig && rueckgaengig->isEnabled());
        rueckgaengig->trigger();
    } else
        QTest::keyClick(&pane, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(pane.text() == vorher);
    QCOMPARE(a.haupt().geaendert(bereich), !gespeichert);
}

void TestDateizustand::uebergabeBeimNeustart_data()
{
    QTest::addColumn<QByteArray>("klartext"); // of a file, where it comes from one
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<bool>("ausDatei"); // the plaintext opened from a file
    QTest::addColumn<bool>("klartextGeaendert");
    QTest::addColumn<bool>("chiffreGeaendert");
    QTest::newRow("typed, unsaved") << QByteArray("Hallo Klasse 8b,\r\nheute Caesar!")
                                    << QByteArray() << false << true << false;
    QTest::newRow("every byte, lone CR and LF, long lines")
        << grosserText() << QByteArray("a\rb\nc\r\n\r") << false << true << true;
    QTest::newRow("opened file, unchanged")
        << QByteArray("Brief\r\n") << QByteArray("Jcnnq") << true << false << true;
    QTest::newRow("UTF-8 file") << QByteArray("Gr\xc3\xbc\xc3\x9f\xe2\x80\x94"
                                              "e\r\n")
                                << QByteArray("x") << true << false << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << false << false << false;
}

// A restart for another Darstellungsgröße finds the program as it was left:
// texts to the byte, files, unsaved states, the method settings with the
// store off, the font, the method window and the demonstration.
void TestDateizustand::uebergabeBeimNeustart()
{
    QFETCH(QByteArray, klartext);
    QFETCH(QByteArray, chiffre);
    QFETCH(bool, ausDatei);
    QFETCH(bool, klartextGeaendert);
    QFETCH(bool, chiffreGeaendert);
    QTemporaryDir ordner;
    const QString pfad = ordner.filePath(QStringLiteral("brief.txt"));
    const QFont schrift(QStringLiteral("Liberation Serif"), 14, QFont::Bold);
    QString uebergabe;
    Text klartextVorher;
    QString beschriftung;
    {
        Aufbau a;
        if (ausDatei)
            a.oeffne(Aufbau::Feld::Klartext,
                schreibeDatei(ordner, QStringLiteral("brief.txt"), klartext));
        else
            a.klar().setText(klartext.toStdString());
        a.chiffre().setText(chiffre.toStdString());
        a.haupt().setzeDatei(
            THauptform::Bereich::Chiffre, QStringLiteral("geheim.txt"), chiffreGeaendert);
        if (!ausDatei)
            a.haupt().setzeDatei(
                THauptform::Bereich::Klartext, THauptform::Unbenannt, klartextGeaendert);
        a.option().setMethode(Methode::Vigenere);
        a.option().setSchluessel("GeHeim");
        a.steuer<QCheckBox>("CBSonderignorieren").setChecked(true);
        a.dialoge.schriften << Schrift { schrift, QColor(255, 0, 0) };
        a.klicke("Schriftartwaehlen");
        a.klick("BOptionen");
        a.oeffneNeues<TVMatrixForm>("VigenreMatrix1");
        klartextVorher = a.klar().text();
        beschriftung = a.steuer<QLabel>("LKlartext").text();
        a.klicke("MGroesse150");
        QCOMPARE(a.dialoge.neustarts.size(), 1);
        uebergabe = a.dialoge.neustarts.first().first;
    }
    Aufbau b;
    QVERIFY(b.haupt().Uebernehmen(uebergabe));
    QVERIFY(!QFile::exists(uebergabe));
    QCOMPARE(b.klar().text(), klartextVorher);
    QCOMPARE(b.chiffre().text(), chiffre.toStdString());
    QCOMPARE(b.haupt().geaendert(THauptform::Bereich::Klartext), klartextGeaendert);
    QCOMPARE(b.haupt().geaendert(THauptform::Bereich::Chiffre), chiffreGeaendert);
    QCOMPARE(b.haupt().datei(THauptform::Bereich::Klartext),
        ausDatei ? QStringLiteral("brief.txt") : THauptform::Unbenannt);
    QCOMPARE(b.haupt().datei(THauptform::Bereich::Chiffre), QStringLiteral("geheim.txt"));
    QCOMPARE(b.steuer<QLabel>("LKlartext").text(), beschriftung);
    const Methodeneinstellungen e = b.option().einstellungen();
    QCOMPARE(e.methode, Methode::Vigenere);
    QCOMPARE(b.option().schluessel(), Text("GeHeim"));
    QVERIFY(b.steuer<QCheckBox>("CBSonderignorieren").isChecked());
    QCOMPARE(b.klar().font().family(), schrift.family());
    QCOMPARE(b.klar().font().pointSize(), 14);
    QVERIFY(b.klar().font().bold());
    QCOMPARE(b.klar().palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(b.haupt().auswahl("Darstellungsgroesse"), 150);
    QVERIFY(b.haupt().methodenfensterOffen() && b.option().isVisible());
    QCOMPARE(Aufbau::offene<TVMatrixForm>().size(), 1);
    // Nothing was stored on the way, the store being off.
    QVERIFY(!b.aktion("OptInRegistry").isChecked());
    QVERIFY(QDir(b.wurzeln.benutzer.path()).isEmpty());
    if (!ausDatei)
        return;
    // A quick save writes to the same file in the same encoding, asking nothing.
    QVERIFY(b.haupt().Klartextspeichern1Click());
    QVERIFY(b.dialoge.dateidialoge.isEmpty());
    QCOMPARE(leseDatei(pfad), klartext);
}

// The carry-over's name comes from the environment: any other file named
// there is neither taken nor deleted.
void TestDateizustand::fremdeDateiIstKeineUebergabe()
{
    QTemporaryDir ordner;
    const QString pfad = schreibeDatei(ordner, QStringLiteral("brief.txt"), "Hallo Welt\r\n");
    Aufbau a;
    QVERIFY(!a.haupt().Uebernehmen(pfad));
    QCOMPARE(leseDatei(pfad), QByteArray("Hallo Welt\r\n"));
    QVERIFY(a.klar().text().empty());
}

QTEST_MAIN(TestDateizustand)
#include "test_dateizustand.moc"
