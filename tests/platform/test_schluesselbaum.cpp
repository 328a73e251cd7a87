// SPDX-License-Identifier: GPL-3.0-or-later
#include "testhilfen/wurzelordner.h"

using registry::Wurzel;

namespace {

const QString zifferon = QStringLiteral("Software\\Nordhain\\Zifferon");

} // namespace

// Keys and sub-keys as files and folders: opening, probing, deleting.
class TestSchluesselbaum : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { m_wurzeln.bereite(); }
    void cleanup() { m_wurzeln.raeumeAuf(); }
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
    void standardordnerNachXdg();

private:
    QString benutzer() const { return m_wurzeln.benutzer(); }
    QString maschine() const { return m_wurzeln.maschine(); }

    Wurzelordner m_wurzeln;
};

void TestSchluesselbaum::oeffnen_data()
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
    QTest::newRow("folder with a foreign file only is no key")
        << QStringList { "Nordhain/", "Nordhain/Zifferon/", "Nordhain/Zifferon/notiz.txt" }
        << zifferon << false << false
        << QStringList { "Nordhain/", "Nordhain/Zifferon/", "Nordhain/Zifferon/notiz.txt" };
    QTest::newRow("Software in any case") << QStringList() << QStringLiteral("SOFTWARE\\rovozu")
                                          << true << true << QStringList { "rovozu.conf" };
    for (const char *ungueltig : { "Software", "", "Hardware\\X", "Software\\\\X", "Software\\X\\",
             "Software\\..\\X", "Software\\.", "Software\\a/b" }) {
        QTest::addRow("refused: %s", ungueltig)
            << QStringList() << QString::fromUtf8(ungueltig) << true << false << QStringList();
    }
}

void TestSchluesselbaum::oeffnen()
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

void TestSchluesselbaum::unterschluessel_data()
{
    QTest::addColumn<QStringList>("vorher");
    QTest::addColumn<QString>("pfad");
    QTest::addColumn<bool>("erwartet");
    QTest::newRow("sub-key file") << QStringList { "Nordhain/", "Nordhain/Zifferon.conf" }
                                  << QStringLiteral("Software\\Nordhain") << true;
    QTest::newRow("key file two levels down")
        << QStringList { "Nordhain/", "Nordhain/Zifferon/", "Nordhain/Zifferon/Tief.conf" }
        << QStringLiteral("Software\\Nordhain") << true;
    // A folder left over only because of something not ours is no key.
    QTest::newRow("empty sub-key folder") << QStringList { "Nordhain/", "Nordhain/Zifferon/" }
                                          << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("foreign files only") << QStringList { "Nordhain/", "Nordhain/notiz.txt",
        "Nordhain/Zifferon/", "Nordhain/Zifferon/bild.png" }
                                        << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("leaf key") << QStringList { "Nordhain/", "Nordhain/Zifferon.conf" } << zifferon
                              << false;
    QTest::newRow("empty folder") << QStringList { "Nordhain/", "Nordhain.conf" }
                                  << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("lock and temporary files") << QStringList { "Nordhain/",
        "Nordhain/Zifferon.conf.lock", "Nordhain/Zifferon.conf.aB3xY9" }
                                              << QStringLiteral("Software\\Nordhain") << false;
    QTest::newRow("missing key") << QStringList() << QStringLiteral("Software\\Nordhain") << false;
}

void TestSchluesselbaum::unterschluessel()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, pfad);
    QFETCH(bool, erwartet);
    QVERIFY(legeAn(benutzer(), vorher));
    QCOMPARE(registry::hatUnterschluessel(Wurzel::AktuellerBenutzer, pfad), erwartet);
}

void TestSchluesselbaum::loeschen_data()
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
    const QStringList fremd { "Nordhain/", "Nordhain/Zifferon.conf.bak", "Nordhain/Zifferon/",
        "Nordhain/Zifferon/Tief/", "Nordhain/Zifferon/Tief/bild.png", "Nordhain/Zifferon/notiz.txt",
        "Nordhain/liesmich.txt", "fremd.txt" };
    QTest::newRow("foreign files at every level stay, ours go")
        << fremd
            + QStringList { "Nordhain.conf", "Nordhain.conf.lock", "Nordhain/Zifferon.conf",
                  "Nordhain/Zifferon.conf.lock", "Nordhain/Zifferon.conf.aB3xY9",
                  "Nordhain/Zifferon.conf.aB3xY9.lock", "Nordhain/Zifferon/Tief.conf",
                  "Nordhain/Zifferon/Tief/Tiefer.conf", "Nordhain/Zifferon/Tief/Tiefer.conf.lock" }
        << QStringLiteral("Software\\Nordhain") << true << fremd;
    QTest::newRow("never the whole root") << baum << QStringLiteral("Software") << false << baum;
}

void TestSchluesselbaum::loeschen()
{
    QFETCH(QStringList, vorher);
    QFETCH(QString, pfad);
    QFETCH(bool, erwartet);
    QFETCH(QStringList, nachher);
    QVERIFY(legeAn(benutzer(), vorher));
    QCOMPARE(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, pfad), erwartet);
    QCOMPARE(inhalt(benutzer()), nachher);
}

void TestSchluesselbaum::verknuepfterOrdnerBleibtUnberuehrt()
{
    const QString aussen = m_wurzeln.pfad(QStringLiteral("aussen"));
    QVERIFY(legeAn(aussen, { "Fremd.conf", "wichtig.txt" }));
    QVERIFY(legeAn(benutzer(), { "Nordhain/", "Nordhain/Zifferon.conf" }));
    QVERIFY(QFile::link(aussen, benutzer() + QStringLiteral("/Nordhain/Zifferon")));
    QVERIFY(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, zifferon));
    // The link is not ours either: it stays, and so does the folder holding it.
    QCOMPARE(inhalt(benutzer()), (QStringList { "Nordhain/", "Nordhain/Zifferon/" }));
    QCOMPARE(inhalt(aussen), (QStringList { "Fremd.conf", "wichtig.txt" }));
}

void TestSchluesselbaum::geloeschteWerteKommenNichtWieder()
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(schluessel);
    schluessel->schreibe({ { QStringLiteral("Blinken"), true } });
    QVERIFY(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, zifferon));
    QVERIFY(!registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, false));
    const auto neu = registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true);
    QVERIFY(neu);
    QVERIFY(!neu->hatWert(QStringLiteral("Blinken")));
}

void TestSchluesselbaum::wurzelNichtAnlegbar_data()
{
    QTest::addColumn<Wurzel>("wurzel");
    QTest::addColumn<QString>("ordner");
    QTest::newRow("file as root, current user")
        << Wurzel::AktuellerBenutzer << QStringLiteral("blockiert");
    QTest::newRow("relative root, local machine")
        << Wurzel::LokaleMaschine << QStringLiteral("relativ");
}

void TestSchluesselbaum::wurzelNichtAnlegbar()
{
    QFETCH(Wurzel, wurzel);
    QFETCH(QString, ordner);
    // A regular file where the root folder belongs needs no permissions, so it fails as root
    // too. A relative root (no home folder) must not reach into the working folder.
    const QStringList vorher { "blockiert", "relativ/", "relativ/Nordhain/",
        "relativ/Nordhain/Zifferon.conf" };
    QVERIFY(legeAn(m_wurzeln.pfad(), vorher));
    registry::setzeWurzelordner(wurzel, ordner == u"relativ" ? ordner : m_wurzeln.pfad(ordner));
    const QString arbeitsordner = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_wurzeln.pfad()));
    const bool erzeugt
        = registry::oeffnen(wurzel, QStringLiteral("Software\\rovozu"), true).has_value();
    const bool geoeffnet = registry::oeffnen(wurzel, zifferon, false).has_value();
    const bool geloescht = registry::loescheSchluessel(wurzel, zifferon);
    QVERIFY(QDir::setCurrent(arbeitsordner));
    QVERIFY(!erzeugt && !geoeffnet && !geloescht);
    QCOMPARE(inhalt(m_wurzeln.pfad()), vorher);
}

void TestSchluesselbaum::standardordnerNachXdg()
{
#ifndef Q_OS_LINUX
    QSKIP("the XDG folders are the default roots on Linux only");
#endif
    registry::setzeWurzelordner(Wurzel::AktuellerBenutzer, QString());
    registry::setzeWurzelordner(Wurzel::LokaleMaschine, QString());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_wurzeln.pfad(QStringLiteral("home"))));
    qputenv("XDG_CONFIG_DIRS",
        "relativ::" + QFile::encodeName(m_wurzeln.pfad(QStringLiteral("etc1"))) + ':'
            + QFile::encodeName(m_wurzeln.pfad(QStringLiteral("etc2"))));
    QVERIFY(registry::oeffnen(Wurzel::AktuellerBenutzer, zifferon, true));
    QVERIFY(registry::oeffnen(Wurzel::LokaleMaschine, QStringLiteral("Software\\rovozu"), true));
    QCOMPARE(inhalt(m_wurzeln.pfad()),
        (QStringList { "etc1/", "etc1/rovozu.conf", "home/", "home/Nordhain/",
            "home/Nordhain/Zifferon.conf" }));
}

QTEST_GUILESS_MAIN(TestSchluesselbaum)
#include "test_schluesselbaum.moc"
