// SPDX-License-Identifier: GPL-3.0-or-later
#include "testhilfen/aufbau.h"
#include "testhilfen/wurzelordner.h"

#include <limits>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using verschl::Text;

namespace {

const QString kDatei = QStringLiteral("Nordhain/Zifferon.conf");

// Lays out a stored key holding the given ini lines.
std::function<void(const Wurzeln &)> gespeichert(const QByteArray &zeilen)
{
    return [zeilen](const Wurzeln &w) {
        QDir(w.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
        schreibeDatei(w.benutzer, kDatei, "[General]\n" + zeilen);
    };
}

QByteArray dword(int wert)
{
    return "dword:" + QByteArray::number(quint32(wert), 16).rightJustified(8, '0');
}

QSettings gelesen(const Aufbau &a)
{
    return QSettings(a.wurzeln.benutzer.filePath(kDatei), QSettings::IniFormat);
}

// Set for a child process that runs one test row on behalf of its parent.
const char *const kKind = "ZIFFERON_TESTKIND";

// Runs the current test row again in a child process, so that a start or a
// close that blocks or eats memory fails the row instead of hanging the suite.
void laufeImKindprozess()
{
    QProcess kind;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QLatin1String(kKind), QStringLiteral("1"));
    kind.setProcessEnvironment(umgebung);
    kind.setProcessChannelMode(QProcess::MergedChannels);
    kind.start(QCoreApplication::applicationFilePath(),
        { QString::fromUtf8(QTest::currentTestFunction()) + u':'
            + QString::fromUtf8(QTest::currentDataTag()) });
    QVERIFY(kind.waitForStarted());
    const bool fertig = kind.waitForFinished(20000);
    if (!fertig) {
        kind.kill();
        kind.waitForFinished();
    }
    QVERIFY2(fertig, "the program hangs");
    QVERIFY2(kind.exitStatus() == QProcess::NormalExit && kind.exitCode() == 0,
        kind.readAll().constData());
}

// What lies at a path, links not followed.
QString artVon(const QString &pfad)
{
    const QFileInfo info(pfad);
    if (info.isSymLink())
        return QStringLiteral("link to ") + info.symLinkTarget();
    return info.isDir() ? QStringLiteral("folder")
        : info.isFile() ? QStringLiteral("file")
        : info.exists() ? QStringLiteral("special")
                        : QStringLiteral("nothing");
}

} // namespace

class TestEinstellungen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { verschl::ErzeugeVigenereTabelle(); }
    void ersterStartOhneSchluessel();
    void einschaltenSchreibtAlleWerte();
    void alleEinstellungenUeberstehenEinenNeustart();
    void methodeBleibtDieGespeicherteZahl_data();
    void methodeBleibtDieGespeicherteZahl();
    void ausschaltenLoeschtDenSchluessel();
    void bereicheBeimLaden_data();
    void bereicheBeimLaden();
    void schriftgroesse_data();
    void schriftgroesse();
    void nurRegulaereDateien_data();
    void nurRegulaereDateien();
    void ladenLiestDieDateiEinmal();
    void schliessenSpeichertVorDerFrage_data();
    void schliessenSpeichertVorDerFrage();
    void animationsbereich_data();
    void animationsbereich();
    void kleinUndGrossZugleich();
    void schluesselUebersteht_data();
    void schluesselUebersteht();
    void gespeicherterSchluesselMitFremdzeichen_data();
    void gespeicherterSchluesselMitFremdzeichen();
    void stilOhneSchriftwerte();
    void wortumbruchAus();
    void falscherTypBeendetDasLaden();
    void unbrauchbareDateien_data();
    void unbrauchbareDateien();
    void nichtSchreibbarHaeltDasFensterOffen_data();
    void nichtSchreibbarHaeltDasFensterOffen();
    void nurMethodenfensterEndetTrotzFehler();
    void fremdeDateienBleiben_data();
    void fremdeDateienBleiben();
    void maschinenEintraegeWerdenEntfernt();
};

void TestEinstellungen::ersterStartOhneSchluessel()
{
    Aufbau a;
    QVERIFY(!a.aktion("OptInRegistry").isChecked());
    QVERIFY(a.schliesse());
    QVERIFY(QDir(a.wurzeln.benutzer.path()).isEmpty());
}

void TestEinstellungen::einschaltenSchreibtAlleWerte()
{
    Aufbau a;
    a.klicke("OptInRegistry");
    QVERIFY(a.aktion("OptInRegistry").isChecked());
    const QStringList namen = gelesen(a).allKeys();
    QCOMPARE(namen.size(), 29);
    for (const char *name :
        { "Programmpfad", "Pfad", "Font", "Methode", "VigenereSchluessel", "Blinken" })
        QVERIFY2(namen.contains(QLatin1String(name)), name);
    QCOMPARE(
        gelesen(a).value(QStringLiteral("Methode")).toString(), QStringLiteral("dword:00000001"));
    Aufbau danach({}, gespeichert(leseDatei(a.wurzeln.benutzer.filePath(kDatei)).mid(10)));
    QVERIFY(danach.aktion("OptInRegistry").isChecked());
}

// Everything the user sets comes back after a restart.
void TestEinstellungen::alleEinstellungenUeberstehenEinenNeustart()
{
    QByteArray datei;
    QFont schrift(QStringLiteral("Liberation Serif"), 14);
    schrift.setBold(true);
    schrift.setUnderline(true);
    {
        Aufbau a;
        a.option().setMethode(Methode::Vigenere);
        a.option().setVerschiebung(7);
        a.option().setSchluessel("GeHeim");
        a.steuer<QCheckBox>("CBSonderignorieren").setChecked(true);
        a.steuer<QCheckBox>("CBUmlauteErsetzen").setChecked(true);
        a.steuer<QCheckBox>("CBStayOnTop").setChecked(false);
        a.steuer<QRadioButton>("RBMatrixManSpalten").setChecked(true);
        a.steuer<QSpinBox>("SpEdSpalten").setValue(42);
        a.dialoge.schriften << Schrift { schrift, QColor(255, 0, 0) };
        a.klicke("Schriftartwaehlen");
        a.klicke("Zeilenumbruchautomatisch");
        a.klicke("MMHintergrundfarbig");
        a.klicke("SMUeberschreibwarnung");
        a.klicke("MMDemoOptUebernehmen");
        a.haupt().Pfad = QStringLiteral("/texte/");
        a.haupt().AnimationMin = 10;
        a.haupt().AnimationMax = 90;
        a.haupt().AnimationAktuell = 20;
        a.haupt().Blinken = true;
        a.haupt().Animation = false;
        a.klicke("OptInRegistry");
        QVERIFY(a.schliesse());
        datei = leseDatei(a.wurzeln.benutzer.filePath(kDatei));
    }
    Aufbau b({}, gespeichert(datei.mid(10)));
    QVERIFY(b.aktion("OptInRegistry").isChecked());
    QCOMPARE(b.option().einstellungen().methode, Methode::Vigenere);
    QCOMPARE(b.option().GemerkteVerschiebung(), 7);
    QCOMPARE(b.steuer<QComboBox>("ComboBox").currentIndex(), 7);
    QCOMPARE(b.steuer<QLineEdit>("EdSchluessel").text(), QStringLiteral("GeHeim"));
    QVERIFY(b.steuer<QCheckBox>("CBSonderignorieren").isChecked());
    QVERIFY(b.steuer<QCheckBox>("CBUmlauteErsetzen").isChecked());
    QVERIFY(!b.steuer<QCheckBox>("CBStayOnTop").isChecked());
    QVERIFY(!(b.option().windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(b.steuer<QRadioButton>("RBMatrixManSpalten").isChecked());
    QCOMPARE(b.steuer<QSpinBox>("SpEdSpalten").value(), 42);
    for (TextPane *pane : { &b.klar(), &b.chiffre() }) {
        QCOMPARE(pane->font().family(), schrift.family());
        QCOMPARE(pane->font().pointSize(), 14);
        QVERIFY(pane->font().bold() && pane->font().underline() && !pane->font().italic());
        // The colour is not stored.
        QCOMPARE(pane->palette().color(QPalette::Text), QPalette().color(QPalette::Text));
        QCOMPARE(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(pane->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
    }
    QVERIFY(!b.aktion("Zeilenumbruchautomatisch").isChecked());
    QVERIFY(!b.aktion("MMHintergrundfarbig").isChecked());
    QVERIFY(!b.aktion("SMUeberschreibwarnung").isChecked());
    QVERIFY(b.aktion("SMNichtgespeichertWarnung").isChecked());
    QVERIFY(b.aktion("MMDemoOptUebernehmen").isChecked());
    QCOMPARE(b.haupt().Pfad, QStringLiteral("/texte/"));
    QCOMPARE(b.haupt().AnimationMin, 10);
    QCOMPARE(b.haupt().AnimationMax, 90);
    QCOMPARE(b.haupt().AnimationAktuell, 20);
    QVERIFY(b.haupt().Blinken);
    QVERIFY(!b.haupt().Animation);
}

void TestEinstellungen::methodeBleibtDieGespeicherteZahl_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<int>("zahl");
    QTest::newRow("Matrix") << Methode::Matrix << 0;
    QTest::newRow("Caesar") << Methode::Caesar << 1;
    QTest::newRow("Rotation 13") << Methode::Rotation13 << 2;
    QTest::newRow("Rotation 128") << Methode::Rotation128 << 3;
    QTest::newRow("Vigenere") << Methode::Vigenere << 4;
}

// Settings stored by earlier versions name each method by the same number.
void TestEinstellungen::methodeBleibtDieGespeicherteZahl()
{
    QFETCH(Methode, methode);
    QFETCH(int, zahl);
    Aufbau a;
    a.option().setMethode(methode);
    a.klicke("OptInRegistry");
    QCOMPARE(
        gelesen(a).value(QStringLiteral("Methode")).toString(), QString::fromLatin1(dword(zahl)));
    Aufbau b({}, gespeichert("Methode=" + dword(zahl) + "\n"));
    QCOMPARE(b.option().einstellungen().methode, methode);
}

void TestEinstellungen::ausschaltenLoeschtDenSchluessel()
{
    Aufbau a({}, [](const Wurzeln &w) {
        gespeichert("Methode=dword:00000002\n")(w);
        schreibeDatei(w.benutzer, QStringLiteral("Nordhain/Anderes.conf"), "[General]\n");
    });
    QVERIFY(a.aktion("OptInRegistry").isChecked());
    a.klicke("OptInRegistry");
    QVERIFY(!QFileInfo::exists(a.wurzeln.benutzer.filePath(kDatei)));
    // The maker's key stays while it holds another program's key...
    QVERIFY(
        QFileInfo::exists(a.wurzeln.benutzer.filePath(QStringLiteral("Nordhain/Anderes.conf"))));
    QFile::remove(a.wurzeln.benutzer.filePath(QStringLiteral("Nordhain/Anderes.conf")));
    // ...and goes with the next deletion, at the close.
    QVERIFY(a.schliesse());
    QVERIFY(QDir(a.wurzeln.benutzer.path()).isEmpty());
}

void TestEinstellungen::bereicheBeimLaden_data()
{
    QTest::addColumn<QByteArray>("zeilen");
    QTest::addColumn<int>("spalten");
    QTest::newRow("Methode 5") << QByteArray("Methode=" + dword(5)) << 5;
    QTest::newRow("Methode -1") << QByteArray("Methode=" + dword(-1)) << 5;
    QTest::newRow("CaesarVerschiebung 26") << QByteArray("CaesarVerschiebung=" + dword(26)) << 5;
    QTest::newRow("CaesarVerschiebung -1") << QByteArray("CaesarVerschiebung=" + dword(-1)) << 5;
    QTest::newRow("Spaltenzahl 0") << QByteArray("Spaltenzahl=" + dword(0)) << 5;
    QTest::newRow("Spaltenzahl 1 is taken") << QByteArray("Spaltenzahl=" + dword(1)) << 1;
    QTest::newRow("Spaltenzahl 100 is taken") << QByteArray("Spaltenzahl=" + dword(100)) << 100;
    QTest::newRow("Spaltenzahl 101") << QByteArray("Spaltenzahl=" + dword(101)) << 5;
}

void TestEinstellungen::bereicheBeimLaden()
{
    QFETCH(QByteArray, zeilen);
    QFETCH(int, spalten);
    Aufbau a({}, gespeichert(zeilen + "\n"));
    QVERIFY(a.aktion("OptInRegistry").isChecked());
    const Methodeneinstellungen e = a.option().einstellungen();
    QCOMPARE(e.methode, Methode::Caesar);
    QCOMPARE(e.verschiebung, 2);
    QCOMPARE(a.option().GemerkteVerschiebung(), 2);
    QCOMPARE(a.option().spaltenzahl(), spalten);
    QVERIFY(a.dialoge.fehler.isEmpty());
}

void TestEinstellungen::schriftgroesse_data()
{
    QTest::addColumn<int>("gespeichert");
    QTest::addColumn<int>("nachher"); // stored again by the next save
    const int start = 10; // 13 pixels
    QTest::newRow("INT32_MAX") << std::numeric_limits<qint32>::max() << start;
    QTest::newRow("10000") << 10000 << start;
    QTest::newRow("513") << 513 << start;
    QTest::newRow("1 is taken") << 1 << 1;
    QTest::newRow("512 is taken") << 512 << 512;
}

// Only the sizes that the font dialog offers are taken.
void TestEinstellungen::schriftgroesse()
{
    QFETCH(int, gespeichert);
    QFETCH(int, nachher);
    Aufbau a({}, ::gespeichert("Fontsize=" + dword(gespeichert) + "\n"));
    QVERIFY(a.einstellungen().EinstellungenSpeichern());
    QCOMPARE(gelesen(a).value(QStringLiteral("Fontsize")).toString(), QString(dword(nachher)));
}

void TestEinstellungen::nurRegulaereDateien_data()
{
    QTest::addColumn<QString>("art");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("link to /dev/zero") << QStringLiteral("null");
    QTest::newRow("folder") << QStringLiteral("ordner");
    QTest::newRow("dangling link") << QStringLiteral("ins-leere");
    QTest::newRow("link to a regular file") << QStringLiteral("datei");
}

// The settings file is read and replaced only when it is a regular file; a
// link to one is written through. Anything else is no key: the start and the
// saves pass it by silently and leave it as it is.
void TestEinstellungen::nurRegulaereDateien()
{
    if (!qEnvironmentVariableIsSet(kKind))
        return laufeImKindprozess();
#ifndef __SANITIZE_ADDRESS__
    // Reading a device without end must fail here, not exhaust the machine.
    const rlimit grenze { rlim_t(4) << 30, rlim_t(4) << 30 };
    QCOMPARE(::setrlimit(RLIMIT_AS, &grenze), 0);
#endif
    QFETCH(QString, art);
    QTemporaryDir anderswo;
    const QString ziel = art == u"null" ? QStringLiteral("/dev/zero")
        : art == u"datei"               ? anderswo.filePath(QStringLiteral("einstellungen.ini"))
                                        : anderswo.filePath(QStringLiteral("fehlt"));
    if (art == u"datei")
        schreibeDatei(
            anderswo, QStringLiteral("einstellungen.ini"), "[General]\nMethode=" + dword(4));
    QString datei;
    Aufbau a({}, [&](const Wurzeln &w) {
        // A sub-key makes the key exist, whatever its own file is.
        QVERIFY(legeAn(w.benutzer.path(), { "Nordhain/", "Nordhain/Zifferon/Unter.conf" }));
        datei = w.benutzer.filePath(kDatei);
        if (art == u"fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(datei).constData(), 0600), 0);
        else if (art == u"ordner")
            QVERIFY(QDir().mkpath(datei));
        else
            QVERIFY(QFile::link(ziel, datei));
    });
    const QString vorher = artVon(datei);
    const bool regulaer = art == u"datei";
    QCOMPARE(a.aktion("OptInRegistry").isChecked(), regulaer);
    QCOMPARE(a.option().einstellungen().methode, regulaer ? Methode::Vigenere : Methode::Caesar);
    if (!regulaer)
        a.klicke("OptInRegistry");
    a.option().setMethode(Methode::Rotation13);
    QVERIFY(a.schliesse());
    QCOMPARE(a.dialoge.fehler, QStringList());
    QCOMPARE(artVon(datei), vorher);
    if (regulaer) {
        QCOMPARE(QSettings(ziel, QSettings::IniFormat).value(QStringLiteral("Methode")).toString(),
            QString(dword(2)));
    }
}

// However large the file, a load reads it once, not once per value.
void TestEinstellungen::ladenLiestDieDateiEinmal()
{
    Aufbau a;
    a.klicke("OptInRegistry");
    // Lines of another tool, too many for QSettings to keep the file in its cache.
    QFile datei(a.wurzeln.benutzer.filePath(kDatei));
    QVERIFY(datei.open(QIODevice::Append));
    for (int i = 0; i < 1000; ++i)
        datei.write("Fremd" + QByteArray::number(i) + "=1\n");
    datei.close();
    const int beobachter = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(beobachter >= 0);
    // Closings between the openings keep the kernel from merging them into one event.
    QVERIFY(::inotify_add_watch(
                beobachter, QFile::encodeName(datei.fileName()).constData(), IN_OPEN | IN_CLOSE)
        >= 0);
    a.einstellungen().EinstellungenLaden();
    int oeffnungen = 0;
    inotify_event ereignis;
    while (::read(beobachter, &ereignis, sizeof ereignis) == ssize_t(sizeof ereignis))
        oeffnungen += (ereignis.mask & IN_OPEN) != 0;
    ::close(beobachter);
    QCOMPARE(oeffnungen, 1);
}

void TestEinstellungen::schliessenSpeichertVorDerFrage_data()
{
    QTest::addColumn<bool>("an");
    QTest::newRow("on: written") << true;
    QTest::newRow("off: deleted") << false;
}

// The settings are saved or deleted before the unsaved-text question, so
// even a close that the user then cancels has done it.
void TestEinstellungen::schliessenSpeichertVorDerFrage()
{
    QFETCH(bool, an);
    Aufbau a({}, gespeichert("Methode=" + dword(2) + "\n"));
    // Off with the key still there, as another running copy may leave it.
    a.aktion("OptInRegistry").setChecked(an);
    a.option().setMethode(Methode::Vigenere);
    a.klar().setText("ungespeichert");
    a.dialoge.antworten << Dialoge::Antwort::Abbrechen;
    QVERIFY(!a.schliesse());
    QCOMPARE(a.dialoge.fragen.size(), 1);
    if (an)
        QCOMPARE(gelesen(a).value(QStringLiteral("Methode")).toString(), QString(dword(4)));
    else
        QVERIFY(!QFileInfo::exists(a.wurzeln.benutzer.filePath(kDatei)));
}

void TestEinstellungen::animationsbereich_data()
{
    QTest::addColumn<QByteArray>("zeilen");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("aktuell");
    QTest::newRow("none stored") << QByteArray() << 0 << 300 << 150;
    QTest::newRow("min 4000 ignored")
        << QByteArray("AnimationMin=" + dword(4000)) << 0 << 300 << 150;
    QTest::newRow("max below min")
        << QByteArray("AnimationMin=" + dword(100) + "\nAnimationMax=" + dword(50)) << 0 << 300
        << 150;
    QTest::newRow("current below range") << QByteArray("AnimationMin=" + dword(100)
        + "\nAnimationMax=" + dword(500) + "\nAnimationAktuell=" + dword(20))
                                         << 100 << 500 << 300;
    QTest::newRow("only min") << QByteArray("AnimationMin=" + dword(100)) << 100 << 400 << 250;
    QTest::newRow("max 5001") << QByteArray("AnimationMax=" + dword(5001)) << 0 << 300 << 150;
    QTest::newRow("all in range") << QByteArray("AnimationMin=" + dword(3000)
        + "\nAnimationMax=" + dword(5000) + "\nAnimationAktuell=" + dword(5000))
                                  << 3000 << 5000 << 5000;
}

void TestEinstellungen::animationsbereich()
{
    QFETCH(QByteArray, zeilen);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, aktuell);
    Aufbau a({}, gespeichert(zeilen + "\n"));
    QCOMPARE(a.haupt().AnimationMin, min);
    QCOMPARE(a.haupt().AnimationMax, max);
    QCOMPARE(a.haupt().AnimationAktuell, aktuell);
}

void TestEinstellungen::kleinUndGrossZugleich()
{
    Aufbau a({}, gespeichert("Kleinschrift=" + dword(1) + "\nGrossschrift=" + dword(1) + "\n"));
    QVERIFY(!a.steuer<QCheckBox>("CBKlein").isChecked());
    QVERIFY(a.steuer<QCheckBox>("CBGross").isChecked());
}

void TestEinstellungen::schluesselUebersteht_data()
{
    QTest::addColumn<QString>("feld");
    QTest::addColumn<QString>("nachher");
    QTest::newRow("letters keep their case") << "ZauberWORTxy"
                                             << "ZauberWORTxy";
    // Stored as the ciphers use it, so earlier ciphertexts still decrypt.
    QTest::newRow("pasted umlaut and blank") << "Kö ln"
                                             << "Kln";
}

// The key is stored scrambled and comes back as the ciphers used it.
void TestEinstellungen::schluesselUebersteht()
{
    QFETCH(QString, feld);
    QFETCH(QString, nachher);
    QByteArray datei;
    {
        Aufbau a;
        a.steuer<QLineEdit>("EdSchluessel").setText(feld);
        a.klicke("OptInRegistry");
        const QString gespeichert
            = gelesen(a).value(QStringLiteral("VigenereSchluessel")).toString();
        QCOMPARE(gespeichert.toStdString(),
            *verschl::VigenereVerschluesseln(nachher.toStdString(), "quellwasserklingen", false));
        QVERIFY(gespeichert != nachher);
        datei = leseDatei(a.wurzeln.benutzer.filePath(kDatei));
    }
    Aufbau b({}, gespeichert(datei.mid(10)));
    QCOMPARE(b.steuer<QLineEdit>("EdSchluessel").text(), nachher);
}

void TestEinstellungen::gespeicherterSchluesselMitFremdzeichen_data()
{
    QTest::addColumn<QByteArray>("gespeichert");
    QTest::addColumn<QString>("schluessel");
    const QByteArray verschleiert = QByteArray::fromStdString(
        *verschl::VigenereVerschluesseln("Geheim", "quellwasserklingen", false));
    QByteArray mitZeichen = verschleiert;
    mitZeichen.insert(3, "1-");
    mitZeichen.insert(0, " ");
    QTest::newRow("digits and punctuation between letters") << mitZeichen << "Geheim";
    QTest::newRow("no letter at all") << QByteArray("123 !") << "Wolkenturm";
}

void TestEinstellungen::gespeicherterSchluesselMitFremdzeichen()
{
    QFETCH(QByteArray, gespeichert);
    QFETCH(QString, schluessel);
    Aufbau a({}, ::gespeichert("VigenereSchluessel=\"" + gespeichert + "\"\n"));
    QCOMPARE(a.steuer<QLineEdit>("EdSchluessel").text(), schluessel);
}

// The style is rebuilt from the stored values only; name and size stay.
void TestEinstellungen::stilOhneSchriftwerte()
{
    Aufbau a({}, gespeichert("Methode=" + dword(1) + "\n"));
    QFont fett = a.klar().font();
    fett.setBold(true);
    fett.setItalic(true);
    a.klar().setFont(fett);
    a.chiffre().setFont(fett);
    a.einstellungen().EinstellungenLaden();
    for (TextPane *pane : { &a.klar(), &a.chiffre() }) {
        QVERIFY(!pane->font().bold() && !pane->font().italic());
        QCOMPARE(pane->font().pointSize(), fett.pointSize());
        QCOMPARE(pane->font().family(), fett.family());
    }
}

void TestEinstellungen::wortumbruchAus()
{
    Aufbau a({}, gespeichert("WordWrap=" + dword(0) + "\n"));
    QVERIFY(!a.aktion("Zeilenumbruchautomatisch").isChecked());
    for (TextPane *pane : { &a.klar(), &a.chiffre() }) {
        QCOMPARE(pane->lineWrapMode(), QPlainTextEdit::NoWrap);
        QCOMPARE(pane->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }
}

// A value of the wrong type stops the load there: what came before holds.
void TestEinstellungen::falscherTypBeendetDasLaden()
{
    Aufbau a({},
        gespeichert("Pfad=/ordner/\nFontsize=" + dword(16) + "\nCaesarVerschiebung=" + dword(9)
            + "\nMethode=drei\nSpaltenzahl=" + dword(50) + "\nBlinken=" + dword(1) + "\n"));
    QCOMPARE(a.dialoge.fehler, QStringList { QStringLiteral("Ungültiger Datentyp für 'Methode'") });
    QCOMPARE(a.haupt().Pfad, QStringLiteral("/ordner/"));
    QCOMPARE(a.klar().font().pointSize(), 16);
    QCOMPARE(a.option().GemerkteVerschiebung(), 9);
    QCOMPARE(a.option().spaltenzahl(), 5);
    QVERIFY(!a.haupt().Blinken);
    QVERIFY(a.haupt().isVisible());
}

void TestEinstellungen::unbrauchbareDateien_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << QByteArray("[General]\nMethode=dwo");
    QTest::newRow("not an ini file") << QByteArray("\x00\xff\x12garbage\n\n[[[", 16);
}

void TestEinstellungen::unbrauchbareDateien()
{
    QFETCH(QByteArray, inhalt);
    Aufbau a({}, [&inhalt](const Wurzeln &w) {
        QDir(w.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
        schreibeDatei(w.benutzer, kDatei, inhalt);
    });
    QVERIFY(a.haupt().isVisible());
    QCOMPARE(a.option().einstellungen().methode, Methode::Caesar);
    // Saving over it gives a sound file again.
    a.aktion("OptInRegistry").setChecked(true);
    QVERIFY(a.einstellungen().EinstellungenSpeichern());
    QCOMPARE(gelesen(a).allKeys().size(), 29);
}

enum class Sperre { PfadZuLang, SperreIstOrdner, SperreIstFifo };

// Makes the stored key unwritable while it can still be opened. (Tests run as
// root, so file permissions cannot make a write fail.)
void sperre(Wurzeln &w, Sperre wie)
{
    if (wie == Sperre::SperreIstOrdner) {
        QDir(w.benutzer.path()).mkpath(kDatei + QStringLiteral(".lock"));
        return;
    }
    if (wie == Sperre::SperreIstFifo) {
        ::mkfifo(
            QFile::encodeName(w.benutzer.filePath(kDatei + QStringLiteral(".lock"))).constData(),
            0600);
        return;
    }
    // No room left in the path for the lock and temporary files beside the key.
    const QString datei = QLatin1Char('/') + kDatei;
    QString ordner = w.benutzer.path();
    constexpr int kPfadGrenze = 4095;
    while (ordner.size() + datei.size() < kPfadGrenze - 3) {
        const int rest = kPfadGrenze - 3 - int(ordner.size() + datei.size()) - 1;
        ordner += QLatin1Char('/') + QString(std::clamp(rest, 1, 200), QLatin1Char('x'));
    }
    QDir().mkpath(ordner + QStringLiteral("/Nordhain"));
    QFile(ordner + datei).open(QIODevice::WriteOnly);
    registry::setzeWurzelordner(registry::Wurzel::AktuellerBenutzer, ordner);
}

void TestEinstellungen::nichtSchreibbarHaeltDasFensterOffen_data()
{
    QTest::addColumn<Sperre>("wie");
    QTest::newRow("path too long") << Sperre::PfadZuLang;
    QTest::newRow("lock file is a folder") << Sperre::SperreIstOrdner;
    QTest::newRow("lock file is a FIFO") << Sperre::SperreIstFifo;
}

// The message tells the way out, since every close attempt saves again.
void TestEinstellungen::nichtSchreibbarHaeltDasFensterOffen()
{
    if (!qEnvironmentVariableIsSet(kKind))
        return laufeImKindprozess();
    QFETCH(Sperre, wie);
    Aufbau a({}, gespeichert({}));
    sperre(a.wurzeln, wie);
    QVERIFY(!a.schliesse());
    QCOMPARE(a.dialoge.fehler,
        QStringList { QStringLiteral("Konnte Daten für 'Programmpfad' nicht setzen\nZum Beenden "
                                     "ohne Speichern die Option „Einstellungen in Registrierung "
                                     "speichern“ ausschalten.") });
    QVERIFY(a.dialoge.fragen.isEmpty());
    QVERIFY(a.haupt().isVisible());
    // The way out works.
    a.klicke("OptInRegistry");
    QVERIFY(a.schliesse());
}

// With only the method window there is no option to switch off: after the
// message the program ends instead of running on without any window.
void TestEinstellungen::nurMethodenfensterEndetTrotzFehler()
{
    Aufbau a({ QStringLiteral("-onlyoption") }, gespeichert({}));
    sperre(a.wurzeln, Sperre::PfadZuLang);
    // As in the program: closing the last window does not end it.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QTimer wache; // only against a hang: a program that runs on fails the test
    wache.setSingleShot(true);
    connect(&wache, &QTimer::timeout, this, [] { QCoreApplication::exit(-1); });
    wache.start(60000);
    QTimer::singleShot(0, &a.option(), [&a] { a.option().close(); });
    const int ergebnis = QCoreApplication::exec();
    QGuiApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(ergebnis, 1);
    QCOMPARE(a.dialoge.fehler,
        QStringList { QStringLiteral("Konnte Daten für 'Programmpfad' nicht setzen") });
}

void TestEinstellungen::maschinenEintraegeWerdenEntfernt()
{
    Aufbau a({}, [](const Wurzeln &w) {
        QDir(w.maschine.path()).mkpath(QStringLiteral("Nordwerk"));
        QDir(w.maschine.path()).mkpath(QStringLiteral("Nordhain"));
        schreibeDatei(w.maschine, QStringLiteral("Nordwerk/Zifferon.conf"), "[General]\n");
        schreibeDatei(w.maschine, QStringLiteral("Nordhain/Zifferon.conf"), "[General]\n");
        schreibeDatei(w.maschine, QStringLiteral("Nordhain/Anderes.conf"), "[General]\n");
        schreibeDatei(w.maschine, QStringLiteral("rovozu.conf"), "[General]\n");
    });
    const QDir maschine(a.wurzeln.maschine.path());
    QVERIFY(!maschine.exists(QStringLiteral("Nordwerk")));
    QVERIFY(!maschine.exists(QStringLiteral("Nordhain/Zifferon.conf")));
    QVERIFY(maschine.exists(QStringLiteral("Nordhain/Anderes.conf")));
    QVERIFY(maschine.exists(QStringLiteral("rovozu.conf")));
}

void TestEinstellungen::fremdeDateienBleiben_data()
{
    QTest::addColumn<bool>("maschine");
    QTest::newRow("current user, switched off and closed") << false;
    QTest::newRow("local machine, at start") << true;
}

// Deleting the settings takes our keys and leaves everything else.
void TestEinstellungen::fremdeDateienBleiben()
{
    QFETCH(bool, maschine);
    const QStringList fremd { "Nordhain/", "Nordhain/Zifferon/", "Nordhain/Zifferon/Tief/",
        "Nordhain/Zifferon/Tief/bild.png", "Nordhain/Zifferon/notiz.txt", "Nordhain/liesmich.txt",
        "Nordwerk/", "Nordwerk/liesmich.txt", "fremd.txt" };
    QStringList unsere { "Nordhain/Zifferon.conf", "Nordhain/Zifferon.conf.lock",
        "Nordhain/Zifferon.conf.aB3xY9", "Nordhain/Zifferon/Tief.conf" };
    if (maschine)
        unsere << "Nordwerk/Zifferon.conf";
    Aufbau a({}, [&](const Wurzeln &w) {
        QVERIFY(legeAn((maschine ? w.maschine : w.benutzer).path(), fremd + unsere));
    });
    if (!maschine) {
        QVERIFY(a.aktion("OptInRegistry").isChecked());
        a.klicke("OptInRegistry");
        QVERIFY(a.schliesse());
    }
    QCOMPARE(inhalt((maschine ? a.wurzeln.maschine : a.wurzeln.benutzer).path()), fremd);
    // What is left makes no key: the next start finds the option off.
    a.einstellungen().EinstellungenLaden();
    QVERIFY(!a.aktion("OptInRegistry").isChecked());
}

QTEST_MAIN(TestEinstellungen)
#include "test_einstellungen.moc"
