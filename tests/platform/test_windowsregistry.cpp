// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the settings store is the registry itself. What the program
// writes must look there as an administrator's tools show it: text as
// REG_SZ, numbers and switches as REG_DWORD; the policy is read from the
// local machine. Checked with the system's own reg.exe.
#include "platform/registry.h"
#include "platform/richtlinie.h"

#include <functional>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using registry::Wurzel;
using Schritt = std::function<void()>;
Q_DECLARE_METATYPE(Schritt)

namespace {

const QString kSchluessel = QStringLiteral("Software\\Nordhain\\ZifferonTest");
const QString kBenutzer = QStringLiteral("HKCU\\") + kSchluessel;
const QString kRichtlinie = QStringLiteral("HKLM\\Software\\rovozu");
const QString kMaschine = QStringLiteral("HKLM\\") + kSchluessel;

// reg.exe's output, or an empty text when it fails (a key or value missing).
QString reg(const QStringList &argumente)
{
    QProcess prozess;
    prozess.start(QStringLiteral("reg.exe"), argumente);
    if (!prozess.waitForFinished(30000) || prozess.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(prozess.readAllStandardOutput()).simplified();
}

void schreibe(const registry::Wert &wert)
{
    auto schluessel = registry::oeffnen(Wurzel::AktuellerBenutzer, kSchluessel, true);
    QVERIFY(schluessel);
    schluessel->schreibe({ wert });
}

// Sets a policy value as an administrator would, by hand.
void setzeRichtlinie(const QString &name, const QString &typ, const QString &wert)
{
    QVERIFY(!reg({ u"add"_s, kRichtlinie, u"/v"_s, name, u"/t"_s, typ, u"/d"_s, wert, u"/f"_s })
                 .isNull());
}

} // namespace

class TestWindowsRegistry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { cleanup(); }
    void cleanup()
    {
        reg({ u"delete"_s, kBenutzer, u"/f"_s });
        reg({ u"delete"_s, kRichtlinie, u"/f"_s });
        reg({ u"delete"_s, kMaschine, u"/f"_s });
    }
    void imRegistry_data();
    void imRegistry();
};

void TestWindowsRegistry::imRegistry_data()
{
    QTest::addColumn<Schritt>("schritt");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<QString>("name");
    // What reg query shows of the value; empty: the key is gone.
    QTest::addColumn<QString>("gezeigt");

    QTest::newRow("Text als REG_SZ") << Schritt([] {
        schreibe({ u"Pfad"_s, u"C:\\Schule\\Klasse 7b"_s });
    }) << kBenutzer << u"Pfad"_s << u"Pfad REG_SZ C:\\Schule\\Klasse 7b"_s;
    QTest::newRow("Zahl als REG_DWORD") << Schritt([] {
        schreibe({ u"Methode"_s, qint32(42) });
    }) << kBenutzer << u"Methode"_s << u"Methode REG_DWORD 0x2a"_s;
    QTest::newRow("negative Zahl als REG_DWORD") << Schritt([] {
        schreibe({ u"Verschiebung"_s, qint32(-3) });
    }) << kBenutzer << u"Verschiebung"_s << u"Verschiebung REG_DWORD 0xfffffffd"_s;
    QTest::newRow("Schalter als REG_DWORD") << Schritt([] {
        schreibe({ u"Zeilenumbruch"_s, true });
    }) << kBenutzer << u"Zeilenumbruch"_s << u"Zeilenumbruch REG_DWORD 0x1"_s;
    QTest::newRow("Text mit Umlauten zurück") << Schritt([] {
        schreibe({ u"Schrift"_s, u"Größe ÄÖÜ €"_s });
        QCOMPARE(registry::oeffnen(Wurzel::AktuellerBenutzer, kSchluessel, false)
                     ->leseText(u"Schrift"_s),
            u"Größe ÄÖÜ €"_s);
    }) << kBenutzer << u"Schrift"_s << u"Schrift REG_SZ"_s;
    QTest::newRow("abgeschaltet löscht den Schlüssel") << Schritt([] {
        schreibe({ u"Methode"_s, qint32(1) });
        QVERIFY(registry::loescheSchluessel(Wurzel::AktuellerBenutzer, kSchluessel));
    }) << kBenutzer << QString() << QString();
    QTest::newRow("Richtlinie NoDemo aus HKLM") << Schritt([] {
        setzeRichtlinie(u"NoDemo"_s, u"REG_DWORD"_s, u"5"_s);
        QCOMPARE(richtlinie::NoDemo(), 5);
    }) << kRichtlinie << u"NoDemo"_s << u"NoDemo REG_DWORD 0x5"_s;
    QTest::newRow("Richtlinie NoAnalyse als Text aus HKLM") << Schritt([] {
        setzeRichtlinie(u"NoAnalyse"_s, u"REG_SZ"_s, u"1"_s);
        QVERIFY(richtlinie::NoAnalyse());
    }) << kRichtlinie << u"NoAnalyse"_s << u"NoAnalyse REG_SZ 1"_s;
    // A copy of the settings under the machine's branch, as old versions left it, goes at
    // start; one that is not there is no error. (Wine gives every user the rights an
    // administrator has, so the refusal of a real Windows is not tried here.)
    QTest::newRow("Kopie unter HKLM gelöscht") << Schritt([] {
        QVERIFY(!reg({ u"add"_s, kMaschine, u"/v"_s, u"Methode"_s, u"/t"_s, u"REG_DWORD"_s,
                          u"/d"_s, u"4"_s, u"/f"_s })
                     .isNull());
        QVERIFY(registry::loescheSchluessel(Wurzel::LokaleMaschine, kSchluessel));
    }) << kMaschine << QString() << QString();
    QTest::newRow("fehlende Kopie unter HKLM still") << Schritt([] {
        QVERIFY(!registry::loescheSchluessel(Wurzel::LokaleMaschine, kSchluessel));
    }) << kMaschine << QString() << QString();
}

void TestWindowsRegistry::imRegistry()
{
    QFETCH(Schritt, schritt);
    QFETCH(QString, schluessel);
    QFETCH(QString, name);
    QFETCH(QString, gezeigt);
    schritt();
    if (QTest::currentTestFailed())
        return;
    const QString abfrage = name.isEmpty() ? reg({ u"query"_s, schluessel })
                                           : reg({ u"query"_s, schluessel, u"/v"_s, name });
    if (gezeigt.isEmpty())
        QVERIFY2(abfrage.isEmpty(), qPrintable(abfrage));
    else
        QVERIFY2(abfrage.contains(gezeigt), qPrintable(abfrage));
}

QTEST_GUILESS_MAIN(TestWindowsRegistry)
#include "test_windowsregistry.moc"
