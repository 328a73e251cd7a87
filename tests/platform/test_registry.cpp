#include "platform/registry.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using registry::Wurzel;

namespace {

const QString zifferon = QStringLiteral("Software\\Nordhain\\Zifferon");

enum class Art { Text, Ganzzahl, Bool };

void schreibe(registry::Schluessel &schluessel, Art art, const QVariant &wert, const QString &name)
{
    switch (art) {
    case Art::Text:
        return schluessel.schreibeText(name, wert.toString());
    case Art::Ganzzahl:
        return schluessel.schreibeGanzzahl(name, wert.toInt());
    case Art::Bool:
        return schluessel.schreibeBool(name, wert.toBool());
    }
}

// What a read gives, as text: the value, or the message of the error.
QString lies(const registry::Schluessel &schluessel, Art art, const QString &name)
{
    try {
        switch (art) {
        case Art::Text:
            return schluessel.leseText(name);
        case Art::Ganzzahl:
            return QString::number(schluessel.leseGanzzahl(name));
        case Art::Bool:
            return schluessel.leseBool(name) ? QStringLiteral("true") : QStringLiteral("false");
        }
    } catch (const registry::Fehler &fehler) {
        return fehler.meldung();
    }
    Q_UNREACHABLE();
}

QString meldung(const char *vorlage, const QString &name)
{
    return QString::fromUtf8(vorlage).arg(name);
}

// Everything below a folder: relative paths, folders ending in '/', sorted.
QStringList inhalt(const QString &ordner)
{
    QStringList liste;
    QDirIterator eintrag(ordner,
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (eintrag.hasNext()) {
        const QString pfad = QDir(ordner).relativeFilePath(eintrag.next());
        liste << (eintrag.fileInfo().isDir() ? pfad + u'/' : pfad);
    }
    liste.sort();
    return liste;
}

bool legeDateiAn(const QString &pfad, const QByteArray &daten = {})
{
    QFile datei(pfad);
    return QDir().mkpath(QFileInfo(pfad).path()) && datei.open(QIODevice::WriteOnly)
        && datei.write(daten) == daten.size();
}

// Creates a listing as inhalt() gives it.
bool legeAn(const QString &ordner, const QStringList &liste)
{
    return std::all_of(liste.cbegin(), liste.cend(), [&](const QString &eintrag) {
        const QString pfad = QDir(ordner).filePath(eintrag);
        return eintrag.endsWith(u'/') ? QDir().mkpath(pfad) : legeDateiAn(pfad);
    });
}

QByteArray dateiinhalt(const QString &pfad)
{
    QFile datei(pfad);
    return datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray("(unreadable)");
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void gespeichertesFormat_data();
    void gespeichertesFormat();
    void textRundreise_data();
    void textRundreise();
    void typpruefung_data();
    void typpruefung();
    void handbearbeitet_data();
    void handbearbeitet();
    void beschaedigteDatei_data();
    void beschaedigteDatei();
    void oeffnen_data();
    void oeffnen();
    void unterschluessel_data();
    void unterschluessel();
    void loeschen_data();
    void loeschen();
    void verknuepfterOrdnerBleibtUnberuehrt();
    void geloeschteWerteKommenNichtWieder();
    void wurzelNichtAnlegbar_data();
    void wurzelNichtAnlegbar();
    void schreibenScheitert_data();
    void schreibenScheitert();
    void zweiSchreiber();
    void zweiProzesseZugleich();
    void standardordnerNachXdg();

private:
    QString benutzer() const { return m_ordner->filePath(QStringLiteral("benutzer")); }
    QString maschine() const { return m_ordner->filePath(QStringLiteral("maschine")); }

    // Even the platform's default roots point here, never at the real configuration.
    QTemporaryDir m_netz;
    std::unique_ptr<QTemporaryDir> m_ordner;
};

void TestRegistry::init()
{
    QVERIFY(m_netz.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_netz.filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_netz.filePath(QStringLiteral("etc"))));
    m_ordner = std::make_unique<QTemporaryDir>();
    QVERIFY(m_ordner->isValid());
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, benutzer());
    registry::setzeWurzelordner(Wurzel::LokaleMaschine, maschine());
}

void TestRegistry::cleanup() { m_ordner.reset(); }

void TestRegistry::gespeichertesFormat_data()
{
    QTest::addColumn<Art>("art");
    QTest::addColumn<QVariant>("wert");
    QTest::addColumn<QByteArray>("zeile");
    QTest::newRow("zero") << Art::Ganzzahl << QVariant(0) << QByteArray("dword:00000000");
    QTest::newRow("30 in lower-case hex")
        << Art::Ganzzahl << QVariant(30) << QByteArray("dword:0000001e");
    QTest::newRow("-1") << Art::Ganzzahl << QVariant(-1) << QByteArray("dword:ffffffff");
    QTest::newRow("INT32_MAX") << Art::Ganzzahl << QVariant(std::numeric_limits<qint32>::max())
                               << QByteArray("dword:7fffffff");
    QTest::newRow("INT32_MIN") << Art::Ganzzahl << QVariant(std::numeric_limits<qint32>::min())
                               << QByteArray("dword:80000000");
    QTest::newRow("true is 1") << Art::Bool << QVariant(true) << QByteArray("dword:00000001");
    QTest::newRow("false is 0") << Art::Bool << QVariant(false) << QByteArray("dword:00000000");
    QTest::newRow("plain text") << Art::Text << QVariant("Wolkenturm") << QByteArray("Wolkenturm");
    QTest::newRow("text like a dword is escaped")
        << Art::Text << QVariant("dword:00000001") << QByteArray("sz:dword:00000001");
    QTest::newRow("text like the escape is escaped")
        << Art::Text << QVariant("sz:x") << QByteArray("sz:sz:x");
    QTest::newRow("upper-case DWORD: is plain text")
        << Art::Text << QVariant("DWORD:1") << QByteArray("DWORD:1");
}

void TestRegistry::gespeichertesFormat()
{
    QFETCH(Art, art);
    QFETCH(QVariant, wert);
    QFETCH(QByteArray, zeile);
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(schluessel);
    schreibe(*schluessel, art, wert, QStringLiteral("Wert"));
    QCOMPARE(dateiinhalt(benutzer() + QStringLiteral("/Nordhain/Zifferon.conf")),
        "[General]\nWert=" + zeile + '\n');
    QCOMPARE(lies(*schluessel, art, QStringLiteral("Wert")), wert.toString());
}

void TestRegistry::textRundreise_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("dword lookalike") << QStringLiteral("dword:0000001e");
    QTest::newRow("blanks around") << QStringLiteral("  mitte  ");
    QTest::newRow("backslashes") << QStringLiteral("C:\\Texte\\neu\\");
    QTest::newRow("umlauts") << QStringLiteral("Größe Äpfel Übermut €");
    QTest::newRow("ini syntax") << QStringLiteral("a=b; [General] #c, d");
    QTest::newRow("line breaks") << QStringLiteral("eins\r\nzwei\nd\rrei");
    QTest::newRow("quotes") << QStringLiteral("\"zitiert\" 'so'");
    QTest::newRow("Qt's own prefix") << QStringLiteral("@Variant(\\0)");
    QTest::newRow("control characters") << QStringLiteral("\t\x01\x7f");
}

void TestRegistry::textRundreise()
{
    QFETCH(QString, text);
    auto schluessel
        = registry::oeffnen(Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), true);
    QVERIFY(schluessel);
    schluessel->schreibeText(QStringLiteral("Pfad"), text);
    const auto wieder
        = registry::oeffnen(Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), false);
    QVERIFY(wieder);
    QCOMPARE(wieder->leseText(QStringLiteral("Pfad")), text);
}

void TestRegistry::typpruefung_data()
{
    QTest::addColumn<Art>("geschrieben");
    QTest::addColumn<QVariant>("wert"); // invalid: nothing written
    QTest::addColumn<Art>("gelesen");
    QTest::addColumn<QString>("ergebnis");
    const QString falsch = meldung("Ungültiger Datentyp für '%1'", QStringLiteral("Wert"));
    const QString fehlt = meldung("Konnte Daten für '%1' nicht holen", QStringLiteral("Wert"));
    QTest::newRow("text as integer") << Art::Text << QVariant("12") << Art::Ganzzahl << falsch;
    QTest::newRow("dword-like text as integer")
        << Art::Text << QVariant("dword:00000001") << Art::Ganzzahl << falsch;
    QTest::newRow("text as bool") << Art::Text << QVariant("1") << Art::Bool << falsch;
    QTest::newRow("integer as text") << Art::Ganzzahl << QVariant(30) << Art::Text << falsch;
    QTest::newRow("bool as integer")
        << Art::Bool << QVariant(true) << Art::Ganzzahl << QStringLiteral("1");
    QTest::newRow("2 is true") << Art::Ganzzahl << QVariant(2) << Art::Bool
                               << QStringLiteral("true");
    QTest::newRow("0 is false") << Art::Ganzzahl << QVariant(0) << Art::Bool
                                << QStringLiteral("false");
    QTest::newRow("missing text") << Art::Text << QVariant() << Art::Text << fehlt;
    QTest::newRow("missing integer") << Art::Text << QVariant() << Art::Ganzzahl << fehlt;
}

void TestRegistry::typpruefung()
{
    QFETCH(Art, geschrieben);
    QFETCH(QVariant, wert);
    QFETCH(Art, gelesen);
    QFETCH(QString, ergebnis);
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(schluessel);
    schluessel->schreibeText(QStringLiteral("Nachbar"), QStringLiteral("da"));
    if (wert.isValid())
        schreibe(*schluessel, geschrieben, wert, QStringLiteral("Wert"));
    QCOMPARE(schluessel->hatWert(QStringLiteral("Wert")), wert.isValid());
    QCOMPARE(lies(*schluessel, gelesen, QStringLiteral("Wert")), ergebnis);
}

void TestRegistry::handbearbeitet_data()
{
    QTest::addColumn<QByteArray>("zeile");
    QTest::addColumn<Art>("gelesen");
    QTest::addColumn<QString>("ergebnis");
    const QString falsch = meldung("Ungültiger Datentyp für '%1'", QStringLiteral("NoDemo"));
    QTest::newRow("upper-case hex")
        << QByteArray("dword:0000001E") << Art::Ganzzahl << QStringLiteral("30");
    QTest::newRow("letters as integer") << QByteArray("abc") << Art::Ganzzahl << falsch;
    QTest::newRow("decimal is text") << QByteArray("30") << Art::Ganzzahl << falsch;
    QTest::newRow("bad hex digits") << QByteArray("dword:zz") << Art::Ganzzahl << falsch;
    QTest::newRow("no digits") << QByteArray("dword:") << Art::Ganzzahl << falsch;
    QTest::newRow("sign") << QByteArray("dword:-1") << Art::Ganzzahl << falsch;
    QTest::newRow("C prefix") << QByteArray("dword:0x1e") << Art::Ganzzahl << falsch;
    QTest::newRow("beyond 32 bits")
        << QByteArray("dword:100000000") << Art::Ganzzahl
        << meldung("Konnte Daten für '%1' nicht holen", QStringLiteral("NoDemo"));
    QTest::newRow("unquoted comma list") << QByteArray("a, b") << Art::Text << falsch;
    QTest::newRow("Qt variant") << QByteArray("@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)")
                                << Art::Ganzzahl << falsch;
    QTest::newRow("empty as text") << QByteArray() << Art::Text << QString();
}

void TestRegistry::handbearbeitet()
{
    QFETCH(QByteArray, zeile);
    QFETCH(Art, gelesen);
    QFETCH(QString, ergebnis);
    QVERIFY(legeDateiAn(
        maschine() + QStringLiteral("/rovozu.conf"), "[General]\nNoDemo=" + zeile + '\n'));
    const auto schluessel
        = registry::oeffnen(Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), false);
    QVERIFY(schluessel);
    QCOMPARE(lies(*schluessel, gelesen, QStringLiteral("NoDemo")), ergebnis);
}

void TestRegistry::beschaedigteDatei_data()
{
    QTest::addColumn<QByteArray>("daten");
    QTest::addColumn<QString>("ergebnis"); // reading "Methode" as an integer
    const QString fehlt = meldung("Konnte Daten für '%1' nicht holen", QStringLiteral("Methode"));
    QTest::newRow("empty file") << QByteArray() << fehlt;
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[\x01=\x02\n\x80[[", 11) << fehlt;
    QTest::newRow("bare [General]") << QByteArray("[General]") << fehlt;
    QTest::newRow("value in another section") << QByteArray("[Andere]\nMethode=dword:1\n") << fehlt;
    QTest::newRow("unterminated section") << QByteArray("[Gener\nMethode=dword:1\n") << fehlt;
    QTest::newRow("line without =") << QByteArray("[General]\nMethode\n") << fehlt;
    QTest::newRow("truncated value")
        << QByteArray("[General]\nMethode=dwo")
        << meldung("Ungültiger Datentyp für '%1'", QStringLiteral("Methode"));
}

void TestRegistry::beschaedigteDatei()
{
    QFETCH(QByteArray, daten);
    QFETCH(QString, ergebnis);
    QVERIFY(legeDateiAn(benutzer() + QStringLiteral("/Nordhain/Zifferon.conf"), daten));
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    QVERIFY(schluessel);
    // Saving replaces the damage; that must not be taken for a failed write.
    QVERIFY_THROWS_NO_EXCEPTION(schluessel->schreibeGanzzahl(QStringLiteral("Neu"), 3));
    QCOMPARE(schluessel->leseGanzzahl(QStringLiteral("Neu")), 3);
    QCOMPARE(lies(*schluessel, Art::Ganzzahl, QStringLiteral("Methode")), ergebnis);
}

void TestRegistry::oeffnen_data()
{
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<bool>("erzeugen");
    QTest::addColumn<bool>("geoeffnet");
    QTest::addColumn<QStringList>("nachher");
    const QStringList zifferonDatei { "Nordhain/", "Nordhain/Zifferon.conf" };
    QTest::newRow("missing, without creating")
        << QStringList() << zifferon << false << false << QStringList();
    QTest::newRow("missing, creating")
        << QStringList() << zifferon << true << true << zifferonDatei;
    QTest::newRow("top-level key") << QStringList() << QStringLiteral("Software\\rovozu") << true
                                   << true << QStringList { "rovozu.conf" };
    QTest::newRow("existing file") << zifferonDatei << zifferon << false << true << zifferonDatei;
    QTest::newRow("folder is a key")
        << zifferonDatei << QStringLiteral("Software\\Nordhain") << false << true << zifferonDatei;
    QTest::newRow("existing, creating")
        << zifferonDatei << QStringLiteral("Software\\Nordhain") << true << true << zifferonDatei;
    QTest::newRow("parent exists, child missing")
        << QStringList { "Nordhain.conf" } << zifferon << false << false
        << QStringList { "Nordhain.conf" };
    QTest::newRow("file without .conf is no key")
        << QStringList { "Nordhain" } << QStringLiteral("Software\\Nordhain") << false << false
        << QStringList { "Nordhain" };
    QTest::newRow("Software in any case") << QStringList() << QStringLiteral("SOFTWARE\\rovozu")
                                          << true << true << QStringList { "rovozu.conf" };
    for (const char *ungueltig : { "Software", "", "Hardware\\X", "Software\\\\X", "Software\\X\\",
             "Software\\..\\X", "Software\\.", "Software\\a/b" }) {
        QTest::addRow("refused: %s", ungueltig)
            << QStringList() << QString::fromUtf8(ungueltig) << true << false << QStringList();
    }
}

void TestRegistry::oeffnen()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, pfad);
    QFETCH(bool, erzeugen);
    QFETCH(bool, geoeffnet);
    QFETCH(QStringList, nachher);
    QVERIFY(legeAn(benutzer(), vorher));
    QCOMPARE(registry::oeffnen(Wurzel::AktuellerBenutzer, pfad, erzeugen).has_value(), geoeffnet);
    QCOMPARE(inhalt(benutzer()), nachher);
    QCOMPARE(inhalt(maschine()), QStringList());
}

void TestRegistry::unterschluessel_data()
{
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<bool>("erwartet");
    QTest::newRow("sub-key file") << QStringList { "Nordhain/", "Nordhain/Zifferon.conf" }
                                  << QStringLiteral("Software\\Nordhain") << true;
    QTest::newRow("sub-key folder only") << QStringList { "Nordhain/", "Nordhain/Zifferon/" }
                                         << QStringLiteral("Software\\Nordhain") << true;
    QTest::newRow("leaf key") << QStringList { "Nordhain/", "Nordhain/Zifferon.conf" } << zifferon
                              << false;
    QTest::newRow("empty folder") << QStringList { "Nordhain/", "Nordhain.conf" }
                                  << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("lock and temporary files") << QStringList { "Nordhain/",
        "Nordhain/Zifferon.conf.lock", "Nordhain/Zifferon.conf.aB3xY9" }
                                              << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("missing key") << QStringList() << QStringLiteral("Software\\Nordhain") << false;
}

void TestRegistry::unterschluessel()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, pfad);
    QFETCH(bool, erwartet);
    QVERIFY(legeAn(benutzer(), vorher));
    QCOMPARE(registry::hatUnterschluessel(Wurzel::AktuellerBenutzer, pfad), erwartet);
}

void TestRegistry::loeschen_data()
{
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<bool>("erwartet");
    QTest::addColumn<QStringList>("nachher");
    const QStringList baum { "Nordhain.conf", "Nordhain/", "Nordhain/Andere.conf",
        "Nordhain/Zifferon.conf", "Nordhain/Zifferon/", "Nordhain/Zifferon/Tief.conf",
        "Nordhain/Zifferon/Tief/", "Nordhain/Zifferon/Tief/Tiefer.conf", "Nordhain2.conf",
        "rovozu.conf" };
    QTest::newRow("key with sub-keys, sibling stays")
        << baum << zifferon << true
        << QStringList { "Nordhain.conf", "Nordhain/", "Nordhain/Andere.conf", "Nordhain2.conf",
               "rovozu.conf" };
    QTest::newRow("maker's key with everything")
        << baum << QStringLiteral("Software\\Nordhain") << true
        << QStringList { "Nordhain2.conf", "rovozu.conf" };
    QTest::newRow("key that is only a folder")
        << QStringList { "Nordhain/", "Nordhain/Zifferon.conf" }
        << QStringLiteral("Software\\Nordhain") << true << QStringList();
    QTest::newRow("missing key") << QStringList { "rovozu.conf" } << zifferon << false
                                 << QStringList { "rovozu.conf" };
    QTest::newRow("never the whole root") << baum << QStringLiteral("Software") << false << baum;
}

void TestRegistry::loeschen()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, pfad);
    QFETCH(bool, erwartet);
    QFETCH(QStringList, nachher);
    QVERIFY(legeAn(benutzer(), vorher));
    QCOMPARE(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, pfad), erwartet);
    QCOMPARE(inhalt(benutzer()), nachher);
}

void TestRegistry::verknuepfterOrdnerBleibtUnberuehrt()
{
    const QString aussen = m_ordner->filePath(QStringLiteral("aussen"));
    QVERIFY(legeAn(aussen, { "wichtig.txt" }));
    QVERIFY(legeAn(benutzer(), { "Nordhain/", "Nordhain/Zifferon.conf" }));
    QVERIFY(QFile::link(aussen, benutzer() + QStringLiteral("/Nordhain/Zifferon")));
    QVERIFY(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, zifferon));
    QCOMPARE(inhalt(benutzer()), QStringList { "Nordhain/" });
    QCOMPARE(inhalt(aussen), QStringList { "wichtig.txt" });
}

void TestRegistry::geloeschteWerteKommenNichtWieder()
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(schluessel);
    schluessel->schreibeBool(QStringLiteral("Blinken"), true);
    QVERIFY(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, zifferon));
    QVERIFY(!registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false));
    const auto neu = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(neu);
    QVERIFY(!neu->hatWert(QStringLiteral("Blinken")));
}

void TestRegistry::wurzelNichtAnlegbar_data()
{
    QTest::addColumn<Wurzel>("wurzel");
    QTest::addColumn<QString>("ordner");
    QTest::newRow("file as root, current user")
        << Wurzel::AktuellerBenutzer << QStringLiteral("blockiert");
    QTest::newRow("relative root, local machine")
        << Wurzel::LokaleMaschine << QStringLiteral("relativ");
}

void TestRegistry::wurzelNichtAnlegbar()
{
    QFETCH(Wurzel, wurzel);
    QFETCH(QString, ordner);
    // A regular file where the root folder belongs needs no permissions, so it fails as root
    // too. A relative root (no home folder) must not reach into the working folder.
    const QStringList vorher { "blockiert", "relativ/", "relativ/Nordhain/",
        "relativ/Nordhain/Zifferon.conf" };
    QVERIFY(legeAn(m_ordner->path(), vorher));
    registry::setzeWurzelordner(wurzel, ordner == u"relativ" ? ordner : m_ordner->filePath(ordner));
    const QString arbeitsordner = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_ordner->path()));
    const bool erzeugt
        = registry::oeffnen(wurzel, QStringLiteral("Software\\rovozu"), true).has_value();
    const bool geoeffnet = registry::oeffnen(wurzel, zifferon, false).has_value();
    const bool geloescht = registry::loescheSchluessel(wurzel, zifferon);
    QVERIFY(QDir::setCurrent(arbeitsordner));
    QVERIFY(!erzeugt && !geoeffnet && !geloescht);
    QCOMPARE(inhalt(m_ordner->path()), vorher);
}

enum class Ursache {
    OrdnerIstDatei,
    KeinPlatzFuerTemporaereDatei,
    BeschaedigtUndKeinPlatz,
    NameMitSchraegstrich
};

void TestRegistry::schreibenScheitert_data()
{
    QTest::addColumn<Ursache>("ursache");
    QTest::addColumn<Art>("art");
    QTest::newRow("text, key folder became a file") << Ursache::OrdnerIstDatei << Art::Text;
    QTest::newRow("bool, key folder became a file") << Ursache::OrdnerIstDatei << Art::Bool;
    QTest::newRow("integer, no room for the temporary file")
        << Ursache::KeinPlatzFuerTemporaereDatei << Art::Ganzzahl;
    QTest::newRow("text, damaged file and no room")
        << Ursache::BeschaedigtUndKeinPlatz << Art::Text;
    QTest::newRow("bool, damaged file and no room")
        << Ursache::BeschaedigtUndKeinPlatz << Art::Bool;
    QTest::newRow("integer, name with a slash") << Ursache::NameMitSchraegstrich << Art::Ganzzahl;
}

void TestRegistry::schreibenScheitert()
{
    QFETCH(Ursache, ursache);
    QFETCH(Art, art);
    // A file name of 250 characters leaves no room for QSettings' "<name>.XXXXXX" beside it.
    const bool langerName = ursache == Ursache::KeinPlatzFuerTemporaereDatei
        || ursache == Ursache::BeschaedigtUndKeinPlatz;
    const QString name = langerName ? QString(245, u'k') : QStringLiteral("Zifferon");
    const QString datei
        = benutzer() + QStringLiteral("/Nordhain/") + name + QStringLiteral(".conf");
    const QByteArray vorher = ursache == Ursache::BeschaedigtUndKeinPlatz
        ? "[Gener\nAlt=1\n"
        : "[General]\nAlt=dword:00000001\n";
    if (!legeDateiAn(datei, vorher))
        QSKIP("the file system does not take a file name of 250 characters");
    auto schluessel
        = registry::oeffnen(Wurzel::AktuellerBenutzer, "Software\\Nordhain\\" + name, false);
    QVERIFY(schluessel);
    if (ursache == Ursache::OrdnerIstDatei) {
        QVERIFY(QDir(benutzer() + QStringLiteral("/Nordhain")).removeRecursively());
        QVERIFY(legeDateiAn(benutzer() + QStringLiteral("/Nordhain")));
    }
    const QString wertname = ursache == Ursache::NameMitSchraegstrich ? QStringLiteral("Neu/x")
                                                                      : QStringLiteral("Neu");
    try {
        schreibe(*schluessel, art, 1, wertname);
        QFAIL("the failed write was not reported");
    } catch (const registry::Fehler &fehler) {
        QCOMPARE(fehler.meldung(), meldung("Konnte Daten für '%1' nicht setzen", wertname));
    }
    if (ursache != Ursache::OrdnerIstDatei)
        QCOMPARE(dateiinhalt(datei), vorher);
}

void TestRegistry::zweiSchreiber()
{
    auto erster = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    auto zweiter = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    QVERIFY(erster && zweiter);
    erster->schreibeText(QStringLiteral("A"), QStringLiteral("eins"));
    zweiter->schreibeGanzzahl(QStringLiteral("B"), 2);
    // Another running copy adds a value behind our back; our next write must keep it.
    const QString datei = benutzer() + QStringLiteral("/Nordhain/Zifferon.conf");
    QVERIFY(legeDateiAn(datei, dateiinhalt(datei) + "C=fremd\n"));
    erster->schreibeBool(QStringLiteral("D"), true);
    const auto leser = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    QVERIFY(leser);
    QCOMPARE(leser->leseText(QStringLiteral("A")), QStringLiteral("eins"));
    QCOMPARE(leser->leseGanzzahl(QStringLiteral("B")), 2);
    QCOMPARE(leser->leseText(QStringLiteral("C")), QStringLiteral("fremd"));
    QCOMPARE(leser->leseBool(QStringLiteral("D")), true);
    // No lock or temporary file stays behind.
    QCOMPARE(inhalt(benutzer()), (QStringList { "Nordhain/", "Nordhain/Zifferon.conf" }));
}

void TestRegistry::standardordnerNachXdg()
{
#ifndef Q_OS_LINUX
    QSKIP("the XDG folders are the default roots on Linux only");
#endif
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, QString());
    registry::setzeWurzelordner(Wurzel::LokaleMaschine, QString());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_ordner->filePath(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_DIRS",
        "relativ::" + QFile::encodeName(m_ordner->filePath(QStringLiteral("etc1"))) + ':'
            + QFile::encodeName(m_ordner->filePath(QStringLiteral("etc2"))));
    QVERIFY(registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true));
    QVERIFY(registry::oeffnen(Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), true));
    QCOMPARE(inhalt(m_ordner->path()),
        (QStringList { "etc1/", "etc1/rovozu.conf", "home/", "home/Nordhain/",
            "home/Nordhain/Zifferon.conf" }));
}

// Two running copies saving at once: both finish without a failed write, and
// the key afterwards reads whole, every value from one of the two copies.
void TestRegistry::zweiProzesseZugleich()
{
    constexpr int kRunden = 40;
    QProcess andere;
    andere.start(QStringLiteral(SCHREIBER_PROGRAMM),
        { benutzer(), QStringLiteral("B"), QString::number(kRunden) });
    QVERIFY(andere.waitForStarted());
    QProcess eigene;
    eigene.start(QStringLiteral(SCHREIBER_PROGRAMM),
        { benutzer(), QStringLiteral("A"), QString::number(kRunden) });
    QVERIFY(eigene.waitForStarted());
    QVERIFY(andere.waitForFinished(60000));
    QVERIFY(eigene.waitForFinished(60000));
    QCOMPARE(andere.exitCode(), 0);
    QCOMPARE(eigene.exitCode(), 0);

    const auto schluessel = registry::oeffnen(
        registry::Wurzel::AktuellerBenutzer, QStringLiteral("Software\\Nordhain\\Zifferon"), false);
    QVERIFY(schluessel);
    const QString letzte = QString::number(kRunden - 1);
    for (int i = 0; i < 29; ++i) {
        const QString wert = schluessel->leseText(QStringLiteral("Wert%1").arg(i));
        QVERIFY2(wert == QStringLiteral("A:") + letzte || wert == QStringLiteral("B:") + letzte,
            qPrintable(wert));
    }
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
