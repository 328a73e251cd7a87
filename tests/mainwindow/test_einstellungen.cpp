// SPDX-License-Identifier: GPL-3.0-or-later
// The stored values: what is written, what comes back after a restart, and
// the ranges, order and types that a load checks.

#include "testhilfen/gespeichert.h"
#include "testhilfen/wurzelordner.h"

#include <limits>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using verschl::Text;

class TestEinstellungen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ersterStartOhneSchluessel();
    void einschaltenSchreibtAlleWerte();
    void startwerteDerTabelle_data();
    void startwerteDerTabelle();
    void alleEinstellungenUeberstehenEinenNeustart();
    void methodeBleibtDieGespeicherteZahl_data();
    void methodeBleibtDieGespeicherteZahl();
    void ausschaltenLoeschtDenSchluessel();
    void bereicheBeimLaden_data();
    void bereicheBeimLaden();
    void schriftgroesse_data();
    void schriftgroesse();
    void schliessenSpeichertVorDerFrage_data();
    void schliessenSpeichertVorDerFrage();
    void animationsbereich_data();
    void animationsbereich();
    void kleinUndGrossZugleich();
    void schluesselUebersteht_data();
    void schluesselUebersteht();
    void gespeicherterSchluesselMitFremdzeichen_data();
    void gespeicherterSchluesselMitFremdzeichen();
    void gespeicherteSubstitution_data();
    void gespeicherteSubstitution();
    void stilOhneSchriftwerte();
    void wortumbruchAus();
    void falscherTypBeendetDasLaden();
    void fruehereDateiBleibt();
    void darstellungsgroesse_data();
    void darstellungsgroesse();
    void groesseWechselnStartetNeu_data();
    void groesseWechselnStartetNeu();
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
    QCOMPARE(namen.size(), qsizetype(einstellung::kTabelle.size()));
    for (const char *name :
        { "Programmpfad", "Pfad", "Font", "Methode", "VigenereSchluessel", "Blinken" })
        QVERIFY2(namen.contains(QLatin1String(name)), name);
    QCOMPARE(
        gelesen(a).value(QStringLiteral("Methode")).toString(), QStringLiteral("dword:00000001"));
    Aufbau danach({}, gespeichert(leseDatei(a.wurzeln.benutzer.filePath(kDatei)).mid(10)));
    QVERIFY(danach.aktion("OptInRegistry").isChecked());
}

// Each number and switch of the table is bound to what the windows start with.
void TestEinstellungen::startwerteDerTabelle_data()
{
    QTest::addColumn<int>("zeile");
    for (std::size_t i = 0; i < einstellung::kTabelle.size(); ++i) {
        const einstellung::Eintrag &e = einstellung::kTabelle[i];
        // The font size starts as the desktop's font.
        if (e.typ != einstellung::Typ::Text && e.schluessel != u"Fontsize")
            QTest::newRow(QString::fromUtf16(e.schluessel.data(), e.schluessel.size()).toUtf8())
                << int(i);
    }
}

void TestEinstellungen::startwerteDerTabelle()
{
    QFETCH(int, zeile);
    const einstellung::Eintrag &e = einstellung::kTabelle[std::size_t(zeile)];
    Aufbau a;
    const einstellung::Wert wert = e.bindung.lies({ a.haupt(), a.option() }, e);
    if (e.typ == einstellung::Typ::Bool)
        QCOMPARE(std::get<bool>(wert), e.standard != 0);
    else
        QCOMPARE(std::get<qint32>(wert), e.standard);
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
        a.option().setSubstitutionsschluessel("QWERTZUIOPASDFGHJKLYXCVBNM");
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
        a.haupt().setPfad(QStringLiteral("/texte/"));
        a.haupt().setDemoEinstellungen({ false, 10, 90, 20, true });
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
    QCOMPARE(b.option().einstellungen().substitution, "QWERTZUIOPASDFGHJKLYXCVBNM");
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
    QCOMPARE(b.haupt().pfad(), QStringLiteral("/texte/"));
    const DemoEinstellungen demo = b.haupt().demoEinstellungen();
    QCOMPARE(demo.AnimationMin, 10);
    QCOMPARE(demo.AnimationMax, 90);
    QCOMPARE(demo.AnimationAktuell, 20);
    QVERIFY(demo.Blinken);
    QVERIFY(!demo.Animation);
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
    QTest::newRow("Substitution") << Methode::Substitution << 5;
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
    QTest::newRow("Methode 6") << QByteArray("Methode=" + dword(6)) << 5;
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
    // A value of the wrong type ends the load; the minimum read before it stays.
    QTest::newRow("max of wrong type")
        << QByteArray("AnimationMin=" + dword(100) + "\nAnimationMax=fuenf") << 100 << 300 << 150;
}

void TestEinstellungen::animationsbereich()
{
    QFETCH(QByteArray, zeilen);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, aktuell);
    Aufbau a({}, gespeichert(zeilen + "\n"));
    const DemoEinstellungen demo = a.haupt().demoEinstellungen();
    QCOMPARE(demo.AnimationMin, min);
    QCOMPARE(demo.AnimationMax, max);
    QCOMPARE(demo.AnimationAktuell, aktuell);
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

// What the field would not take is dropped; what is left is still a key.
void TestEinstellungen::gespeicherteSubstitution_data()
{
    QTest::addColumn<QByteArray>("gespeichert");
    QTest::addColumn<QString>("feld");
    QTest::newRow("key word") << QByteArray("Zif-fer on1") << "ZIFFERON";
    QTest::newRow("whole alphabet")
        << QByteArray("qwertzuiopasdfghjklyxcvbnm") << "QWERTZUIOPASDFGHJKLYXCVBNM";
    QTest::newRow("no letter at all") << QByteArray("123 !") << "ZIFFERON";
    QTest::newRow("empty") << QByteArray() << "ZIFFERON";
}

void TestEinstellungen::gespeicherteSubstitution()
{
    QFETCH(QByteArray, gespeichert);
    QFETCH(QString, feld);
    Aufbau a({},
        ::gespeichert(
            "Methode=" + dword(5) + "\nSubstitutionSchluessel=\"" + gespeichert + "\"\n"));
    QCOMPARE(a.option().einstellungen().methode, Methode::Substitution);
    QCOMPARE(a.steuer<QLineEdit>("EdSubstitution").text(), feld);
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
    QCOMPARE(a.haupt().pfad(), QStringLiteral("/ordner/"));
    QCOMPARE(a.klar().font().pointSize(), 16);
    QCOMPARE(a.option().GemerkteVerschiebung(), 9);
    QCOMPARE(a.option().spaltenzahl(), 5);
    QVERIFY(!a.haupt().demoEinstellungen().Blinken);
    QVERIFY(a.haupt().isVisible());
}

// A file stored by an earlier version loads, and the next save writes every
// value back as it was: the names and the file format stay.
void TestEinstellungen::fruehereDateiBleibt()
{
    QFile beispiel(QStringLiteral(
        QT_TESTCASE_SOURCEDIR "/../../fuzz/korpus/fuzz_einstellungen/einstellungen"));
    QVERIFY(beispiel.open(QIODevice::ReadOnly));
    const QByteArray inhalt = beispiel.readAll().mid(1); // the fuzzer's first byte picks the file
    QTemporaryDir ordner;
    const QSettings vorher(
        schreibeDatei(ordner, QStringLiteral("alt.conf"), inhalt), QSettings::IniFormat);
    Aufbau a({}, [&inhalt](const Wurzeln &w) {
        QDir(w.benutzer.path()).mkpath(QStringLiteral("Nordhain"));
        schreibeDatei(w.benutzer, kDatei, inhalt);
    });
    // Written into a new file, so that every value comes from the windows.
    a.einstellungen().EinstellungenLoeschen();
    QVERIFY(a.einstellungen().EinstellungenSpeichern());
    const QSettings nachher = gelesen(a);
    for (const QString &name : vorher.allKeys()) {
        if (name == u"Programmpfad") // written anew from where the program runs
            continue;
        // The stored 20 lies outside 100..500, so the middle is taken.
        const QString wert = name == u"AnimationAktuell" ? QString::fromLatin1(dword(300))
                                                         : vorher.value(name).toString();
        QVERIFY2(nachher.value(name).toString() == wert, qPrintable(name));
    }
}

void TestEinstellungen::darstellungsgroesse_data()
{
    QTest::addColumn<QByteArray>("zeile");
    QTest::addColumn<int>("geladen"); // the size checked in the menu
    QTest::addColumn<QByteArray>("faktor"); // what the program start gives Qt
    QTest::newRow("none stored") << QByteArray() << 100 << QByteArray();
    for (const auto &[prozent, faktor] : { std::pair(100, ""), std::pair(125, "1.25"),
             std::pair(150, "1.5"), std::pair(200, "2") }) {
        QTest::addRow("%d", prozent)
            << "Darstellungsgroesse=" + dword(prozent) << prozent << QByteArray(faktor);
    }
    QTest::newRow("130 is no size") << "Darstellungsgroesse=" + dword(130) << 100 << QByteArray();
    QTest::newRow("-150") << "Darstellungsgroesse=" + dword(-150) << 100 << QByteArray();
    QTest::newRow("a text") << QByteArray("Darstellungsgroesse=gross") << 100 << QByteArray();
}

// Stored, the size comes back both in the menu and as the factor that the
// program start gives Qt before any window exists; anything else is 100 %.
void TestEinstellungen::darstellungsgroesse()
{
    QFETCH(QByteArray, zeile);
    QFETCH(int, geladen);
    QFETCH(QByteArray, faktor);
    Aufbau a({}, gespeichert("Methode=" + dword(1) + "\n" + zeile + "\n"));
    QCOMPARE(a.haupt().auswahl("Darstellungsgroesse"), geladen);
    QVERIFY(a.aktion(qPrintable(QStringLiteral("MGroesse%1").arg(geladen))).isChecked());
    QCOMPARE(Einstellungsspeicher::GespeicherterSkalenfaktor(), faktor);
    QVERIFY(a.einstellungen().EinstellungenSpeichern());
    QCOMPARE(gelesen(a).value(QStringLiteral("Darstellungsgroesse")).toString(),
        QString::fromLatin1(dword(geladen)));
}

void TestEinstellungen::groesseWechselnStartetNeu_data()
{
    QTest::addColumn<QByteArray>("groesse");
    QTest::addColumn<bool>("gelingt"); // whether the new program starts
    QTest::addColumn<QByteArray>("faktor"); // empty: no restart asked for
    QTest::addColumn<int>("danach"); // checked in the menu and stored
    QTest::newRow("150 %") << QByteArray("MGroesse150") << true << QByteArray("1.5") << 150;
    QTest::newRow("200 %") << QByteArray("MGroesse200") << true << QByteArray("2") << 200;
    QTest::newRow("100 %: drawn so already")
        << QByteArray("MGroesse100") << true << QByteArray() << 100;
    QTest::newRow("no new program")
        << QByteArray("MGroesse125") << false << QByteArray("1.25") << 100;
}

// A click on a size asks for a restart with the carry-over file, and stores
// the size once the new program runs. No new program: nothing changes.
void TestEinstellungen::groesseWechselnStartetNeu()
{
    QFETCH(QByteArray, groesse);
    QFETCH(bool, gelingt);
    QFETCH(QByteArray, faktor);
    QFETCH(int, danach);
    Aufbau a;
    a.klicke("OptInRegistry");
    a.dialoge.neustartGelingt = gelingt;
    a.klicke(groesse);
    QCOMPARE(a.dialoge.neustarts.size(), faktor.isEmpty() ? 0 : 1);
    QCOMPARE(a.haupt().auswahl("Darstellungsgroesse"), danach);
    QCOMPARE(gelesen(a).value(QStringLiteral("Darstellungsgroesse")).toString(),
        QString::fromLatin1(dword(gelingt ? danach : 100)));
    QCOMPARE(a.dialoge.fehler.size(), gelingt ? 0 : 1);
    if (faktor.isEmpty())
        return;
    const auto [datei, neuerFaktor] = a.dialoge.neustarts.first();
    QCOMPARE(neuerFaktor, faktor);
    QCOMPARE(QFile::exists(datei), gelingt);
    QFile::remove(datei);
}

QTEST_MAIN(TestEinstellungen)
#include "test_einstellungen.moc"
