// SPDX-License-Identifier: GPL-3.0-or-later
#include "testhilfen/wurzelordner.h"

#include <limits>
#include <QProcess>

using registry::Wurzel;

namespace {

const QString zifferon = QStringLiteral("Software\\Nordhain\\Zifferon");

enum class Art { Text, Ganzzahl, Bool };

registry::Wert alsWert(Art art, const QVariant &wert, const QString &name)
{
    switch (art) {
    case Art::Text:
        return { name, wert.toString() };
    case Art::Ganzzahl:
        return { name, qint32(wert.toInt()) };
    case Art::Bool:
        return { name, wert.toBool() };
    }
    Q_UNREACHABLE();
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
    void schreibenScheitert_data();
    void schreibenScheitert();
    void zweiSchreiber();
    void zweiProzesseZugleich_data();
    void zweiProzesseZugleich();

private:
    QString benutzer() const { return m_wurzeln.benutzer(); }
    QString maschine() const { return m_wurzeln.maschine(); }

    Wurzelordner m_wurzeln;
};

void TestRegistry::init() { m_wurzeln.bereite(); }

void TestRegistry::cleanup() { m_wurzeln.raeumeAuf(); }

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
    schluessel->schreibe({ alsWert(art, wert, QStringLiteral("Wert")) });
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
    schluessel->schreibe({ { QStringLiteral("Pfad"), text } });
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
    schluessel->schreibe({ { QStringLiteral("Nachbar"), QStringLiteral("da") } });
    if (wert.isValid())
        schluessel->schreibe({ alsWert(geschrieben, wert, QStringLiteral("Wert")) });
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
    QVERIFY_THROWS_NO_EXCEPTION(schluessel->schreibe({ { QStringLiteral("Neu"), 3 } }));
    QCOMPARE(schluessel->leseGanzzahl(QStringLiteral("Neu")), 3);
    QCOMPARE(lies(*schluessel, Art::Ganzzahl, QStringLiteral("Methode")), ergebnis);
}

enum class Ursache {
    OrdnerIstDatei,
    KeinPlatzFuerTemporaereDatei,
    BeschaedigtUndKeinPlatz,
    NameMitSchraegstrich,
    DateiIstOrdner,
    SperreIstOrdner
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
    QTest::newRow("text, key file became a folder") << Ursache::DateiIstOrdner << Art::Text;
    // A lock that is never released (here one that cannot be removed) must not freeze the save.
    QTest::newRow("bool, lock file is a folder") << Ursache::SperreIstOrdner << Art::Bool;
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
    if (ursache == Ursache::DateiIstOrdner)
        QVERIFY(QFile::remove(datei) && QDir().mkpath(datei));
    if (ursache == Ursache::SperreIstOrdner)
        QVERIFY(QDir().mkpath(datei + QStringLiteral(".lock")));
    const QString wertname = ursache == Ursache::NameMitSchraegstrich ? QStringLiteral("Neu/x")
                                                                      : QStringLiteral("Neu");
    try {
        // The whole save fails, named after its first value.
        schluessel->schreibe({ alsWert(art, 1, wertname), { QStringLiteral("Zweiter"), 2 } });
        QFAIL("the failed write was not reported");
    } catch (const registry::Fehler &fehler) {
        QCOMPARE(fehler.meldung(), meldung("Konnte Daten für '%1' nicht setzen", wertname));
    }
    if (ursache != Ursache::OrdnerIstDatei && ursache != Ursache::DateiIstOrdner)
        QCOMPARE(dateiinhalt(datei), vorher);
}

void TestRegistry::zweiSchreiber()
{
    auto erster = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    auto zweiter = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    QVERIFY(erster && zweiter);
    erster->schreibe({ { QStringLiteral("A"), QStringLiteral("eins") } });
    zweiter->schreibe({ { QStringLiteral("B"), 2 } });
    // Another running copy adds a value behind our back; our next write must keep it.
    const QString datei = benutzer() + QStringLiteral("/Nordhain/Zifferon.conf");
    QVERIFY(legeDateiAn(datei, dateiinhalt(datei) + "C=fremd\n"));
    erster->schreibe({ { QStringLiteral("D"), true } });
    const auto leser = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    QVERIFY(leser);
    QCOMPARE(leser->leseText(QStringLiteral("A")), QStringLiteral("eins"));
    QCOMPARE(leser->leseGanzzahl(QStringLiteral("B")), 2);
    QCOMPARE(leser->leseText(QStringLiteral("C")), QStringLiteral("fremd"));
    QCOMPARE(leser->leseBool(QStringLiteral("D")), true);
    // No lock or temporary file stays behind.
    QCOMPARE(inhalt(benutzer()), (QStringList { "Nordhain/", "Nordhain/Zifferon.conf" }));
}

void TestRegistry::zweiProzesseZugleich_data()
{
    QTest::addColumn<QString>("andere"); // what the other running copy does
    QTest::newRow("both save") << QStringLiteral("B");
    QTest::newRow("the other deletes") << QStringLiteral("loeschen");
}

// Two running copies closing at once: the saver never fails, and afterwards
// the key is either gone or holds every value of one whole save.
void TestRegistry::zweiProzesseZugleich()
{
    QFETCH(QString, andere);
    constexpr int kRunden = 40;
    // The deleting copy goes on until the saving one is done.
    const QString stopp = m_wurzeln.pfad(QStringLiteral("stopp"));
    QProcess zweiter;
    zweiter.start(QStringLiteral(SCHREIBER_PROGRAMM),
        { benutzer(), andere, andere == u"loeschen" ? stopp : QString::number(kRunden) });
    QVERIFY(zweiter.waitForStarted());
    QProcess eigener;
    eigener.start(QStringLiteral(SCHREIBER_PROGRAMM),
        { benutzer(), QStringLiteral("A"), QString::number(kRunden) });
    QVERIFY(eigener.waitForStarted());
    QVERIFY(eigener.waitForFinished(60000));
    QVERIFY(legeDateiAn(stopp));
    QVERIFY(zweiter.waitForFinished(60000));
    QCOMPARE(eigener.exitCode(), 0);
    QCOMPARE(zweiter.exitCode(), 0);

    const auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false);
    if (!schluessel && andere == u"loeschen")
        return;
    QVERIFY(schluessel);
    QStringList werte;
    for (int i = 0; i < 29; ++i)
        werte << lies(*schluessel, Art::Text, QStringLiteral("Wert%1").arg(i));
    werte.removeDuplicates();
    const QString letzte = QString::number(kRunden - 1);
    QVERIFY2(werte == QStringList { QStringLiteral("A:") + letzte }
            || werte == QStringList { andere + u':' + letzte },
        qPrintable(werte.join(u' ')));
}

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
