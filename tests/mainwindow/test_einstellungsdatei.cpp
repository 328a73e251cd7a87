// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file in the store: files that are no regular file, damaged or
// unwritable files, one read per load, and deleting only what is ours.

#include "testhilfen/gespeichert.h"
#include "testhilfen/wurzelordner.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

class TestEinstellungsdatei : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nurRegulaereDateien_data();
    void nurRegulaereDateien();
    void ladenLiestDieDateiEinmal();
    void unbrauchbareDateien_data();
    void unbrauchbareDateien();
    void nichtSchreibbarHaeltDasFensterOffen_data();
    void nichtSchreibbarHaeltDasFensterOffen();
    void einschaltenMeldetNichtSchreibbar_data();
    void einschaltenMeldetNichtSchreibbar();
    void nurMethodenfensterEndetTrotzFehler();
    void fremdeDateienBleiben_data();
    void fremdeDateienBleiben();
    void maschinenEintraegeWerdenEntfernt();
};

void TestEinstellungsdatei::nurRegulaereDateien_data()
{
    QTest::addColumn<QString>("art");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
    QTest::newRow("link to /dev/zero") << QStringLiteral("null");
    QTest::newRow("folder") << QStringLiteral("ordner");
    QTest::newRow("dangling link") << QStringLiteral("ins-leere");
    QTest::newRow("link to a regular file") << QStringLiteral("datei");
}

// The settings file is read and replaced only when it is a regular file; a
// link to one is written through. Anything else is no key: the start passes it
// by silently, a save says that it cannot write, and it stays as it is.
void TestEinstellungsdatei::nurRegulaereDateien()
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
    QCOMPARE(a.schliesse(), regulaer);
    QCOMPARE(a.dialoge.fehler.size(), regulaer ? 0 : 2); // switched on, then closed
    QCOMPARE(artVon(datei), vorher);
    if (regulaer) {
        QCOMPARE(QSettings(ziel, QSettings::IniFormat).value(QStringLiteral("Methode")).toString(),
            QString(dword(2)));
    }
}

// However large the file, a load reads it once, not once per value.
void TestEinstellungsdatei::ladenLiestDieDateiEinmal()
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

void TestEinstellungsdatei::unbrauchbareDateien_data()
{
    QTest::addColumn<QByteArray>("inhalt");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("truncated") << QByteArray("[General]\nMethode=dwo");
    QTest::newRow("not an ini file") << QByteArray("\x00\xff\x12garbage\n\n[[[", 16);
}

void TestEinstellungsdatei::unbrauchbareDateien()
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
    QCOMPARE(gelesen(a).allKeys().size(), qsizetype(einstellung::kTabelle.size()));
}

enum class Sperre {
    PfadZuLang,
    SperreIstOrdner,
    SperreIstFifo,
    DateiIstFifo,
    DateiZeigtAufNull,
    OrdnerIstDatei
};

// Puts something in the place of the stored key that no write can go through.
void ersetzeSchluessel(Wurzeln &w, Sperre wie)
{
    const QString datei = w.benutzer.filePath(kDatei);
    QDir(w.benutzer.filePath(QStringLiteral("Nordhain"))).removeRecursively();
    if (wie == Sperre::OrdnerIstDatei) {
        schreibeDatei(w.benutzer, QStringLiteral("Nordhain"), "kein Ordner");
        return;
    }
    QDir(w.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
    if (wie == Sperre::DateiIstFifo)
        ::mkfifo(QFile::encodeName(datei).constData(), 0600);
    else
        QFile::link(QStringLiteral("/dev/zero"), datei);
}

// Makes the stored key unwritable while it can still be opened. (Tests run as
// root, so file permissions cannot make a write fail.)
void sperre(Wurzeln &w, Sperre wie)
{
    if (wie == Sperre::DateiIstFifo || wie == Sperre::DateiZeigtAufNull
        || wie == Sperre::OrdnerIstDatei)
        return ersetzeSchluessel(w, wie);
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

void TestEinstellungsdatei::nichtSchreibbarHaeltDasFensterOffen_data()
{
    QTest::addColumn<Sperre>("wie");
    QTest::newRow("path too long") << Sperre::PfadZuLang;
    QTest::newRow("lock file is a folder") << Sperre::SperreIstOrdner;
    QTest::newRow("lock file is a FIFO") << Sperre::SperreIstFifo;
    QTest::newRow("key file is a FIFO") << Sperre::DateiIstFifo;
    QTest::newRow("key file links to /dev/zero") << Sperre::DateiZeigtAufNull;
    QTest::newRow("key folder is a file") << Sperre::OrdnerIstDatei;
}

// The message tells the way out, since every close attempt saves again.
void TestEinstellungsdatei::nichtSchreibbarHaeltDasFensterOffen()
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

// Switching the store on writes at once, and says so when it cannot.
void TestEinstellungsdatei::einschaltenMeldetNichtSchreibbar_data()
{
    nichtSchreibbarHaeltDasFensterOffen_data();
}

void TestEinstellungsdatei::einschaltenMeldetNichtSchreibbar()
{
    if (!qEnvironmentVariableIsSet(kKind))
        return laufeImKindprozess();
    QFETCH(Sperre, wie);
    Aufbau a;
    QDir(a.wurzeln.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
    sperre(a.wurzeln, wie);
    a.klicke("OptInRegistry");
    QCOMPARE(a.dialoge.fehler,
        QStringList { QStringLiteral("Konnte Daten für 'Programmpfad' nicht setzen") });
}

// With only the method window there is no option to switch off: after the
// message the program ends instead of running on without any window.
void TestEinstellungsdatei::nurMethodenfensterEndetTrotzFehler()
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

void TestEinstellungsdatei::maschinenEintraegeWerdenEntfernt()
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

void TestEinstellungsdatei::fremdeDateienBleiben_data()
{
    QTest::addColumn<bool>("maschine");
    QTest::newRow("current user, switched off and closed") << false;
    QTest::newRow("local machine, at start") << true;
}

// Deleting the settings takes our keys and leaves everything else.
void TestEinstellungsdatei::fremdeDateienBleiben()
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

QTEST_MAIN(TestEinstellungsdatei)
#include "test_einstellungsdatei.moc"
