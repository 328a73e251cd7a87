// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the cryptanalysis and its command-line tool.
//
// Three tables: German texts encrypted by the engine with each method, which
// the analysis must break (the answer must decrypt the ciphertext back);
// texts at the edges, where the analysis must neither crash nor claim
// anything; and the tool as a user or script calls it: files good and bad,
// odd names, lost output, the policy. Texts are Windows-1252 bytes.

#include "analyse/analyse.h"
#include "testhilfen/deutschtext.h"

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>
#include <vector>

using namespace verschl;
using analyse::Sicherheit;

namespace {

// The first `buchstaben` letters of a German text, with everything between.
Text deutsch(std::size_t buchstaben, bool umlauteErsetzen = false)
{
    const Text quelle = deutschtext::erzeuge(16 * buchstaben + 64);
    Text t;
    for (std::size_t i = 0, n = 0; n < buchstaben; ++i) {
        t += quelle[i];
        n += static_cast<unsigned>((quelle[i] | 0x20) - 'a') < 26;
    }
    return umlauteErsetzen ? LoescheLeerzeichen(ErsetzeUmlaute(t)) : t;
}

QByteArray Q(const Text &t) { return QByteArray(t.data(), static_cast<qsizetype>(t.size())); }

} // namespace

class TestAnalyse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bricht_data();
    void bricht();
    void caesarKurz_data();
    void caesarKurz();
    void einZweiSaetze_data();
    void einZweiSaetze();
    void grenzfaelle_data();
    void grenzfaelle();
    void werkzeug_data();
    void werkzeug();
    void substitutionInAlltagsworten();
    void gruppen_data();
    void gruppen();
    void wiederholungen_data();
    void wiederholungen();
};

// `parameter`: Caesar's shift, Vigenère's key, the matrix's column count (0:
// the square layout); `erwartet`: the answer as the result states it.
void TestAnalyse::bricht_data()
{
    QTest::addColumn<QString>("methode");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<int>("buchstaben");
    QTest::addColumn<bool>("umlauteErsetzen");
    QTest::addColumn<QString>("erwartet");

    const auto zeile
        = [](const char *name, const char *methode, const char *parameter, bool ignorieren,
              int buchstaben, bool umlauteErsetzen, const char *erwartet) {
              QTest::newRow(name) << QString(methode) << QString(parameter) << ignorieren
                                  << buchstaben << umlauteErsetzen << QString(erwartet);
          };
    zeile("Caesar 3, 60 letters", "caesar", "3", true, 60, false, "3");
    zeile("Caesar 25, 400 letters", "caesar", "25", true, 400, true, "25");
    zeile("Caesar 0 is plain text", "caesar", "0", true, 100, false, "0");
    zeile("Vigenère letters only", "vigenere", "ZIFFERON", true, 400, false, "ZIFFERON");
    zeile("Vigenère every byte", "vigenere", "KEY", false, 300, false, "KEY");
    zeile("Vigenère repeating key", "vigenere", "ABCABC", true, 300, true, "ABC");
    zeile("Vigenère 13 letters", "vigenere", "GEHEIMSCHRIFT", false, 600, false, "GEHEIMSCHRIFT");
    zeile("Vigenère one letter", "vigenere", "Q", true, 100, false, "Q");
    zeile("Matrix 2 columns", "matrix", "2", true, 150, false, "2");
    zeile("Matrix 13 columns", "matrix", "13", true, 300, true, "13");
    zeile("Matrix 20 columns", "matrix", "20", true, 400, false, "20");
    zeile("Matrix square", "matrix", "0", true, 1000, false, "square");
    // Long texts are scored on a sample; the answer must not change.
    zeile("Matrix 17 columns, long", "matrix", "17", true, 200000, false, "17");
    zeile(
        "Vigenère every byte, long", "vigenere", "LANGERTEXT", false, 200000, false, "LANGERTEXT");
    zeile("Substitution key word", "substitution", "ZIFFERON", true, 300, false, "wahrscheinlich");
    zeile("Substitution without blanks, never likely", "substitution", "Kryptographie", true, 500,
        true, "unsicher");
    zeile("Substitution, too short to be likely", "substitution", "Schule", true, 200, false,
        "unsicher");
}

// A text shorter than the plain rule wants is likely broken where it reads
// German words throughout; the same text without its blanks is not.
void TestAnalyse::substitutionInAlltagsworten()
{
    const Text klar = "Am Morgen gehen wir mit der ganzen Klasse in den Wald. Dort sehen wir "
                      "viele Tiere und alle sind leise. Nach der Pause essen wir zusammen und "
                      "spielen noch lange auf der Wiese. Am Abend sind alle sehr froh.";
    const Text alphabet = SchluesselwortAlphabet("Wanderung");
    for (const bool leer : { true, false }) {
        const Text geheim
            = *SubstitutionVerschluesseln(leer ? klar : LoescheLeerzeichen(klar), alphabet);
        const auto s = analyse::AnalysiereSubstitution(geheim);
        if (leer)
            QCOMPARE(s.geheimalphabet.substr(0, 8), alphabet.substr(0, 8)); // A-H all occur
        QCOMPARE(SicherheitText(s.sicherheit),
            leer ? QStringLiteral("wahrscheinlich") : QStringLiteral("unsicher"));
    }
}

void TestAnalyse::bricht()
{
    QFETCH(QString, methode);
    QFETCH(QString, parameter);
    QFETCH(bool, ignorieren);
    QFETCH(int, buchstaben);
    QFETCH(bool, umlauteErsetzen);
    QFETCH(QString, erwartet);

    Text klar = deutsch(static_cast<std::size_t>(buchstaben), umlauteErsetzen);
    klar.erase(klar.find_last_not_of(' ') + 1); // the matrix drops padding blanks
    const Text p = parameter.toStdString();
    if (methode == "substitution") {
        const Text alphabet = SchluesselwortAlphabet(p);
        const auto s = analyse::AnalysiereSubstitution(*SubstitutionVerschluesseln(klar, alphabet));
        for (std::size_t i = 0; i < 26; ++i)
            QVERIFY(s.geheimalphabet[i] == alphabet[i]
                || (s.geheimalphabet[i] == '?' && analyse::Zaehle(klar).buchstaben[i] == 0));
        QCOMPARE(SicherheitText(s.sicherheit), erwartet);
        return;
    }
    const analyse::Ergebnis e = analyse::Analysiere(methode == "caesar"
            ? CaesarVerschieben(klar, parameter.toInt())
            : methode == "vigenere" ? *VigenereVerschluesseln(klar, p, ignorieren)
                                    : MatrixVerschluesseln(klar, { p != "0", parameter.toInt() }));
    QCOMPARE(e.haeufigkeiten.summe, analyse::Zaehle(klar).summe);
    if (methode == "caesar") {
        QCOMPARE(QString::number(e.caesar.verschiebung), erwartet);
        QVERIFY(e.caesar.sicherheit != Sicherheit::unsicher);
    } else if (methode == "vigenere") {
        QCOMPARE(QString::fromStdString(e.vigenere.schluessel), erwartet);
        // Both ways of counting key positions agree on a text without
        // non-letters; otherwise the analysis must find the one used.
        if (klar.find_first_of(" ,.\r\n") != Text::npos)
            QCOMPARE(e.vigenere.sonderzeichenIgnorieren, ignorieren);
        QCOMPARE(e.vigenere.sicherheit, Sicherheit::sicher);
    } else {
        QCOMPARE(e.matrix.quadratisch, erwartet == "square");
        if (!e.matrix.quadratisch)
            QCOMPARE(QString::number(e.matrix.spalten), erwartet);
        QCOMPARE(MatrixEntschluesseln(MatrixVerschluesseln(klar, { p != "0", parameter.toInt() }),
                     { true, e.matrix.spalten }),
            klar);
        QCOMPARE(e.matrix.sicherheit, Sicherheit::sicher);
    }
}

// Short texts whose letter count alone fits a wrong shift better; the order
// of their letters still tells German.
void TestAnalyse::caesarKurz_data()
{
    QTest::addColumn<QString>("klar");
    QTest::newRow("command line of the guide")
        << QStringLiteral("zifferon -firstoption   öffnet das Methodenfenst");
    QTest::newRow("shift 0 stays")
        << QStringLiteral("Zwölf Boxkämpfer jagen Viktor quer über den Deich");
}

void TestAnalyse::caesarKurz()
{
    QFETCH(QString, klar);
    const QByteArray bytes = klar.toLatin1();
    const Text t(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    for (int n : { 0, 7, 19 }) {
        const Text geheim = CaesarVerschieben(t, n);
        QCOMPARE(analyse::AnalysiereCaesar(geheim, analyse::Zaehle(geheim)).verschiebung, n);
    }
}

// What a class writes: one or two sentences, where a guessed key length, a
// preference for one way of counting key positions and a minimum of 20
// letters used to fail.
void TestAnalyse::einZweiSaetze_data()
{
    QTest::addColumn<QString>("klar");
    QTest::addColumn<QString>("schluessel"); // a number: Caesar's shift
    QTest::addColumn<bool>("ignorieren");

    const QString treffpunkt = QStringLiteral("Treffpunkt ist morgen um acht Uhr am Brunnen vor "
                                              "dem Rathaus. Kommt bitte pünktlich, der Bus "
                                              "wartet nicht.");
    const QString ausflug = QStringLiteral("Am Montag fahren wir mit der ganzen Klasse an die "
                                           "Ostsee. Bitte bringt warme Jacken mit.");
    QTest::newRow("Caesar, 12 letters") << QStringLiteral("Komm bald heim!") << "7" << true;
    // The old choice: 16 letters, each column half as long, fit better.
    QTest::newRow("Vigenère, not twice the key") << treffpunkt << "HLFCGSGR" << true;
    QTest::newRow("Vigenère, ignorieren off") << treffpunkt << "TELZHHSM" << false;
    QTest::newRow("Vigenère Kiel") << ausflug << "KIEL" << true;
    QTest::newRow("Vigenère Schulhof") << ausflug << "SCHULHOF" << true;
    QTest::newRow("Vigenère Schulhof, ignorieren off") << ausflug << "SCHULHOF" << false;
}

void TestAnalyse::einZweiSaetze()
{
    QFETCH(QString, klar);
    QFETCH(QString, schluessel);
    QFETCH(bool, ignorieren);
    const QByteArray bytes = klar.toLatin1();
    const Text t(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    bool caesar = false;
    const int verschiebung = schluessel.toInt(&caesar);
    const Text geheim = caesar ? CaesarVerschieben(t, verschiebung)
                               : *VigenereVerschluesseln(t, schluessel.toStdString(), ignorieren);
    const analyse::Ergebnis e = analyse::Analysiere(geheim);
    if (caesar) {
        QCOMPARE(e.caesar.verschiebung, verschiebung);
        QVERIFY(e.caesar.sicherheit != Sicherheit::unsicher);
        return;
    }
    QCOMPARE(QString::fromStdString(e.vigenere.schluessel), schluessel);
    QCOMPARE(e.vigenere.sonderzeichenIgnorieren, ignorieren);
    QVERIFY(e.vigenere.sicherheit != Sicherheit::unsicher);
}

void TestAnalyse::grenzfaelle_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("unsicher"); // nothing may be claimed

    Text alleBytes;
    for (int runde = 0; runde < 4; ++runde)
        for (int b = 0; b < 256; ++b)
            alleBytes += static_cast<char>(b);
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("no letters") << QByteArray("1234 !?\r\n\xE4\xF6\xFC\xDF") << true;
    QTest::newRow("9 letters") << Q(deutsch(9)) << true;
    QTest::newRow("one letter repeated") << QByteArray(500, 'E') << true;
    QTest::newRow("all 256 bytes") << Q(alleBytes) << true;
    QTest::newRow("64 MiB German") << Q(deutschtext::erzeuge(std::size_t { 64 } << 20)) << false;
}

void TestAnalyse::grenzfaelle()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, unsicher);

    const analyse::Ergebnis e
        = analyse::Analysiere(Text(text.constData(), std::size_t(text.size())));
    const auto &h = e.haeufigkeiten;
    std::uint64_t summe = 0;
    for (const auto n : h.buchstaben)
        summe += n;
    QCOMPARE(summe, h.summe);
    QVERIFY(h.koinzidenzindex >= 0 && h.koinzidenzindex <= 1);
    for (const double chi : e.caesar.chiQuadrat)
        QVERIFY(std::isfinite(chi) && chi >= 0);
    QVERIFY(!e.vigenere.schluessel.empty() && e.vigenere.schluessel.size() <= 30);
    QVERIFY(e.vigenere.schluessel.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == Text::npos);
    QCOMPARE(e.vigenere.laengenKoinzidenz.size(), std::size_t(30));
    QVERIFY(!e.matrix.kandidaten.empty() && e.matrix.spalten >= 1);
    for (const auto &k : e.matrix.kandidaten)
        QVERIFY(std::isfinite(k.punkte));
    if (unsicher) {
        QCOMPARE(e.caesar.sicherheit, Sicherheit::unsicher);
        QCOMPARE(e.vigenere.sicherheit, Sicherheit::unsicher);
        QCOMPARE(e.matrix.sicherheit, Sicherheit::unsicher);
    } else {
        QCOMPARE(e.caesar.verschiebung, 0);
        QCOMPARE(e.vigenere.schluessel, Text("A"));
        QCOMPARE(e.matrix.spalten, 1);
    }
}

enum class Ausgabe { Rohr, Voll, Geschlossen };
Q_DECLARE_METATYPE(Ausgabe)

// The tool runs in a folder of its own with `argumente`, in which "DATEI"
// stands for `name`, a file holding `inhalt` (none for a null array).
// `richtlinie`: the machine's "NoAnalyse" value, if any; `ausgabe`: where
// standard output goes. `erwartet`: for status 0 "field=value" of the JSON
// output, otherwise a part of the message on standard error.
void TestAnalyse::werkzeug_data()
{
    QTest::addColumn<QByteArrayList>("argumente");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("inhalt");
    QTest::addColumn<QByteArray>("richtlinie");
    QTest::addColumn<Ausgabe>("ausgabe");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("erwartet");

    const Text klar = deutsch(400);
    const QByteArray geheim = Q(*VigenereVerschluesseln(klar, "SCHULE", true));
    const QByteArray utf8 = QString::fromLatin1(geheim).toUtf8();
    const QByteArrayList datei { "DATEI" };
    const auto zeile
        = [](const char *zeilenname, const QByteArrayList &argumente, const QByteArray &name,
              const QByteArray &inhalt, int status, const QString &erwartet,
              const QByteArray &richtlinie = {}, Ausgabe ausgabe = Ausgabe::Rohr) {
              QTest::newRow(zeilenname)
                  << argumente << name << inhalt << richtlinie << ausgabe << status << erwartet;
          };
    zeile("Vigenère key", datei, "geheim.txt", geheim, 0, "vigenere/SCHULE");
    zeile("umlauts counted", datei, "geheim.txt", geheim, 0,
        QString("buchstaben/%1").arg(std::count(klar.begin(), klar.end(), '\xFC')));
    zeile("UTF-8 file decoded", datei, "geheim.txt", utf8, 0, "vigenere/SCHULE");
    zeile("missing file", datei, "geheim.txt", {}, 1, "nicht gefunden: geheim.txt");
    zeile("empty file", datei, "geheim.txt", "", 1, "leer");
    zeile("NUL byte", datei, "geheim.txt", QByteArray("Text\0Text", 9), 1, "Steuerzeichen");
    zeile("few letters, file named", datei, "geheim.txt", "Hallo Welt", 1,
        "Zu wenig Buchstaben für eine Analyse (9, mindestens 10): geheim.txt");
    zeile("Caesar from 10 letters", datei, "geheim.txt", Q(CaesarVerschieben("Komm bald heim!", 3)),
        0, "caesar/3");
    zeile("too large", datei, "geheim.txt", "gross", 1, "zu groß");
    zeile("no argument", {}, {}, {}, 2, "Aufruf");
    zeile("--help", { "--help" }, {}, {}, 2, "Aufruf");

    zeile("name not UTF-8", datei, "caf\xE9 \xFF.txt", geheim, 0, "vigenere/SCHULE");
    zeile("name not UTF-8, escaped", datei, "caf\xE9.txt", {}, 1, "nicht gefunden: caf\\xe9.txt");
    zeile("line feed escaped", datei, "a\nb.txt", {}, 1, "nicht gefunden: a\\x0ab.txt\n");
    zeile("terminal escape escaped", datei, "\x1b[31mrot", "", 1, "leer: \\x1b[31mrot\n");
    zeile("C1 control escaped", datei, "\xC2\x9Bx.txt", {}, 1, "gefunden: \\xc2\\x9bx.txt\n");
    zeile("-- before the name", { "--", "DATEI" }, "-h", geheim, 0, "vigenere/SCHULE");
    zeile("-- alone", { "--" }, {}, {}, 2, "Aufruf");
    zeile("output device full", datei, "geheim.txt", geheim, 1, "Ausgabe", {}, Ausgabe::Voll);
    zeile("output closed", datei, "geheim.txt", geheim, 1, "Ausgabe", {}, Ausgabe::Geschlossen);
    zeile("NoAnalyse", datei, "geheim.txt", geheim, 1, "NoAnalyse", "dword:00000001");
    zeile("NoAnalyse typed, bit 1 set", datei, "geheim.txt", geheim, 1, "NoAnalyse", "3");
}

void TestAnalyse::werkzeug()
{
    QFETCH(QByteArrayList, argumente);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, inhalt);
    QFETCH(QByteArray, richtlinie);
    QFETCH(Ausgabe, ausgabe);
    QFETCH(int, status);
    QFETCH(QString, erwartet);

    QTemporaryDir ordner;
    const QByteArray ort = QFile::encodeName(ordner.path());
    const QByteArray pfad = ort + '/' + name;
    if (!inhalt.isNull()) {
        const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, inhalt.constData(), std::size_t(inhalt.size())), inhalt.size());
        // sparse: one byte over the limit costs no disk
        QVERIFY(inhalt != "gross" || ::ftruncate(fd, qint64(64) * 1024 * 1024 + 1) == 0);
        ::close(fd);
    }
    // The machine-wide settings of the tool's policy.
    QVERIFY(QDir(ordner.path()).mkdir("etc"));
    if (!richtlinie.isEmpty()) {
        QFile datei(ordner.filePath("etc/rovozu.conf"));
        QVERIFY(datei.open(QIODevice::WriteOnly));
        datei.write("[General]\nNoAnalyse=" + richtlinie + "\n");
    }
    qputenv("XDG_CONFIG_DIRS", ort + "/etc");

    // QProcess hands arguments over as UTF-8 text, which cannot carry a name
    // that is no UTF-8: the child starts the tool with the very bytes.
    QByteArrayList teile { ZIFFERON_ANALYSE_WERKZEUG };
    for (const QByteArray &argument : argumente)
        teile << (argument == "DATEI" ? name : argument);
    std::vector<char *> argv;
    for (QByteArray &teil : teile)
        argv.push_back(teil.data());
    argv.push_back(nullptr);
    QProcess werkzeug;
    werkzeug.setWorkingDirectory(ordner.path());
    if (ausgabe == Ausgabe::Voll)
        werkzeug.setStandardOutputFile("/dev/full");
    werkzeug.setChildProcessModifier([&argv, ausgabe] {
        if (ausgabe == Ausgabe::Geschlossen)
            ::close(STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    });
    werkzeug.start(ZIFFERON_ANALYSE_WERKZEUG, {});
    QVERIFY(werkzeug.waitForFinished(60000));
    qunsetenv("XDG_CONFIG_DIRS");
    if (!inhalt.isNull())
        ::unlink(pfad.constData()); // Qt's folder removal cannot see a name that is no UTF-8
    QCOMPARE(werkzeug.exitCode(), status);
    if (status != 0) {
        const QString fehler = QString::fromUtf8(werkzeug.readAllStandardError());
        QVERIFY2(fehler.contains(erwartet), qPrintable(fehler));
        QVERIFY(werkzeug.readAllStandardOutput().isEmpty());
        return;
    }
    const QJsonObject json = QJsonDocument::fromJson(werkzeug.readAllStandardOutput()).object();
    QCOMPARE(json["substitution"]["geheimalphabet"].toString().size(), 26);
    const QStringList feld = erwartet.split('/');
    if (feld[0] == "caesar") {
        QCOMPARE(json["caesar"]["verschiebung"].toInt(), feld[1].toInt());
        QCOMPARE(json["vigenere"]["sicherheit"].toString(), QString("unsicher"));
    } else if (feld[0] == "vigenere") {
        QCOMPARE(json["vigenere"]["schluessel"].toString(), feld[1]);
        QCOMPARE(json["vigenere"]["laenge"].toInt(), feld[1].size());
        const QJsonObject erster = json["vigenere"]["schluesselKandidaten"][0].toObject();
        QCOMPARE(erster["schluessel"].toString(), feld[1]);
        QCOMPARE(erster["sonderzeichenIgnorieren"], QJsonValue(true));
        QCOMPARE(json["vigenere"]["sicherheit"].toString(), QString("sicher"));
        QCOMPARE(json["caesar"]["kandidaten"].toArray().size(), 26);
        QVERIFY(json["matrix"]["kandidaten"].toArray().size() >= 100);
    } else {
        QVERIFY(feld[1].toLongLong() > 0); // the text has umlauts to count
        QCOMPARE(json["buchstaben"][QString::fromUtf8("Ü")].toInteger(), feld[1].toLongLong());
        QVERIFY(json["koinzidenzindex"].toDouble() > 0);
    }
}

// Each repeated group once, as long as it repeats, with its occurrences'
// key positions in the way asked for and their bytes; no repeat overlaps
// itself, and a text of one letter has none.
void TestAnalyse::wiederholungen_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QString>("erwartet"); // group: counter [von, bis) ...; ...
    QTest::newRow("letters") << QByteArray("xABCDyABCDz") << true << "ABCD: 1 [1, 5) 6 [6, 10)";
    QTest::newRow("over a blank, counting letters")
        << QByteArray("AB C-x-AB C") << true << "ABC: 0 [0, 4) 4 [7, 11)";
    QTest::newRow("over a blank, counting bytes")
        << QByteArray("AB C-x-AB C") << false << "ABC: 0 [0, 4) 7 [7, 11)";
    QTest::newRow("periodic") << QByteArray("abcabcabc") << true
                              << "ABC: 0 [0, 3) 3 [3, 6) 6 [6, 9); BCA: 1 [1, 4) 4 [4, 7); "
                                 "CAB: 2 [2, 5) 5 [5, 8)";
    QTest::newRow("one letter") << QByteArray(2000, 'e') << true << "";
    QTest::newRow("too short") << QByteArray("ABxAB") << true << "";
}

void TestAnalyse::wiederholungen()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ignorieren);
    QFETCH(QString, erwartet);
    QStringList gefunden;
    for (const analyse::Wiederholung &w : analyse::Wiederholungen(text.toStdString(), ignorieren)) {
        QString zeile = QString::fromStdString(w.gruppe) + u':';
        for (const auto &v : w.vorkommen)
            zeile += QStringLiteral(" %1 [%2, %3)").arg(v.stelle).arg(v.von).arg(v.bis);
        gefunden << zeile;
    }
    QCOMPARE(gefunden.join(QStringLiteral("; ")), erwartet);
}

// The most frequent letter groups: a text's counted side by side, German's
// from the model, with or without blanks between words.
void TestAnalyse::gruppen_data()
{
    QTest::addColumn<QByteArray>("text"); // empty: German's
    QTest::addColumn<analyse::Gruppenart>("art");
    QTest::addColumn<bool>("leerzeichen");
    // In a text: each group with its count, most first. In German: what
    // teaching material lists, all among the model's first five.
    QTest::addColumn<QString>("erwartet");
    using A = analyse::Gruppenart;
    QTest::newRow("German letters") << QByteArray() << A::Einzeln << true << "E N I";
    QTest::newRow("German pairs") << QByteArray() << A::Paare << true << "EN ER CH EI";
    QTest::newRow("German runs of three") << QByteArray() << A::Dreier << true << "SCH EIN ICH DER";
    QTest::newRow("German doubles") << QByteArray() << A::Doppelte << true << "SS NN LL";
    QTest::newRow("German without blanks") << QByteArray() << A::Paare << false << "EN ER EI";
    QTest::newRow("letters, case folded")
        << QByteArray("Anna nennt Otto") << A::Einzeln << true << "N 5 T 3 A 2 O 2 E 1";
    QTest::newRow("pairs not over other bytes") << QByteArray("ab ab-ba\xe4"
                                                              "b")
                                                << A::Paare << true << "AB 2 BA 1";
    QTest::newRow("runs of three")
        << QByteArray("schon schnell") << A::Dreier << true << "SCH 2 CHN 1 CHO 1 ELL 1 HNE 1";
    QTest::newRow("doubles") << QByteArray("Ebbe, Otto, Ebbe") << A::Doppelte << true
                             << "BB 2 TT 1";
    QTest::newRow("no letters") << QByteArray("12 !") << A::Einzeln << true << "";
}

void TestAnalyse::gruppen()
{
    QFETCH(QByteArray, text);
    QFETCH(analyse::Gruppenart, art);
    QFETCH(bool, leerzeichen);
    QFETCH(QString, erwartet);
    const std::vector<analyse::Gruppe> liste = text.isEmpty()
        ? analyse::DeutscheGruppen(art, leerzeichen, 5)
        : analyse::HaeufigsteGruppen(text.toStdString(), art, 5);
    QStringList gefunden;
    for (const analyse::Gruppe &g : liste) {
        gefunden << QString::fromStdString(g.buchstaben);
        if (!text.isEmpty())
            gefunden << QString::number(g.anzahl);
    }
    if (!text.isEmpty()) {
        QCOMPARE(gefunden.join(u' '), erwartet);
        return;
    }
    QCOMPARE(gefunden.size(), 5);
    for (const QString &gruppe : erwartet.split(u' '))
        QVERIFY2(gefunden.contains(gruppe), qPrintable(gefunden.join(u' ')));
}

QTEST_GUILESS_MAIN(TestAnalyse)
#include "test_analyse.moc"
