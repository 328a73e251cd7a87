// SPDX-License-Identifier: GPL-3.0-or-later
// The breaking window as a class uses it: opened from the main window or the
// analysis, each page walked step by step to the key, the key taken over into
// the method window, and the ciphertext decrypted into the plaintext pane.

#include "analysefenster/analysefenster.h"
#include "bausteine/alphabetstreifen.h"
#include "bausteine/buchstabendiagramm.h"
#include "bausteine/saeulendiagramm.h"
#include "bausteine/zuordnungstafel.h"
#include "knacken/knacken.h"
#include "knacken/knackseite.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/deutschtext.h"
#include "testhilfen/knackhilfen.h"

#include <cctype>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QThreadPool>

using namespace Qt::StringLiterals;
using namespace knackhilfen;
using verschl::Text;

namespace {

// Windows-1252; E is its most frequent letter.
const Text kSatz = "Wer die Nachricht lesen will, muss den Schl\xfcssel kennen. Dann ist alles "
                   "ganz leicht.";
// 143 bytes; filled up to 147 by 7 columns, whose square matrix takes 13. No trailing blank,
// which matrix decryption would drop.
const Text kMatrixText = "Die Matrix liest den Text Spalte f\xfcr Spalte. Wer die richtige "
                         "Spaltenzahl findet, kann die Zeilen wieder lesen. Sieben Spalten "
                         "passen hier gut.";

enum class Weg { Pfeiltasten, Ziehen, Liste, Diagramm, Loesung };

// A German paragraph of 275 letters, Windows-1252, encrypted with the key
// word ZIFFERON: plain E becomes R, N becomes J, S becomes Q.
const Text kAbsatz
    = "Die Sch\xfcler der siebten Klasse wollen wissen, wie man eine geheime Nachricht ohne "
      "Schl\xfcssel lesen kann. Sie z\xe4hlen die Buchstaben der Chiffre und vergleichen sie "
      "mit der deutschen Sprache. Der h\xe4ufigste Buchstabe steht fast immer f\xfcr E, danach "
      "kommen N, I, S und R. Schon bald k\xf6nnen sie die ersten W\xf6rter erraten.";
const Text kZiffernAlphabet = verschl::SchluesselwortAlphabet("ZIFFERON");
const Text kGeheimAbsatz = *verschl::SubstitutionVerschluesseln(kAbsatz, kZiffernAlphabet);

// The board as a pupil reads it, from the cipher letter most frequent on:
// each field with the letter under it.
QList<QLineEdit *> tafel(const TKnackenForm &f)
{
    QList<QLineEdit *> felder = teil<Zuordnungstafel>(f, "Tafel").findChildren<QLineEdit *>();
    std::sort(felder.begin(), felder.end(),
        [](const QLineEdit *a, const QLineEdit *b) { return a->x() < b->x(); });
    return felder;
}

// The cipher letter a field stands under.
char unter(const QLineEdit *feld) { return char(feld->objectName().back().unicode()); }

// The plain letter that the key word alphabet makes into `geheim`.
char klarZu(char geheim) { return char('a' + kZiffernAlphabet.find(geheim)); }

// Index A = 0 of a letter A-Z in either case, -1 for any other byte.
int buchstabe(char c)
{
    const unsigned v = (static_cast<unsigned char>(c) | 0x20u) - 'a';
    return v < 26 ? int(v) : -1;
}

// The paragraph as the board shows it for guesses (per cipher letter A-Z, '.'
// for none): guessed letters in lower case, all else in capitals.
QString gezeigt(const QString &zuordnung)
{
    Text t = verschl::InGrossschrift(kGeheimAbsatz);
    for (char &c : t) {
        if (const int g = buchstabe(c); g >= 0)
            c = zuordnung[g] == u'.' ? char('A' + g) : zuordnung[g].toLatin1();
    }
    return codepage::AlsPanetext(t);
}

// The right plain letter under each cipher letter the paragraph has.
QString ganzeTafel()
{
    QString z(26, u'.');
    for (const char c : kGeheimAbsatz) {
        if (const int g = buchstabe(c); g >= 0)
            z[g] = QLatin1Char(klarZu(char('A' + g)));
    }
    return z;
}

} // namespace

class TestKnacken : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void oeffnen_data();
    void oeffnen();
    void verschieben_data();
    void verschieben();
    void caesarBisZumKlartext();
    void matrixSiebenSpalten();
    void vigenereBisZumSchluessel_data();
    void vigenereBisZumSchluessel();
    void vigenereTippZumSchluss_data();
    void vigenereTippZumSchluss();
    void zugaenglich();
    void besondereTexte_data();
    void besondereTexte();
    void substitutionBisZumKlartext();
    void zuordnungstafel_data();
    void zuordnungstafel();
};

// Where each opening lands, and what the note above the steps says.
void TestKnacken::oeffnen_data()
{
    QTest::addColumn<Text>("chiffre");
    QTest::addColumn<QString>("befehl"); // a menu action or an analysis page's button
    QTest::addColumn<int>("seite");
    QTest::addColumn<QString>("hinweis");
    const Text caesar = verschl::CaesarVerschieben(kSatz, 3);
    QTest::newRow("menu") << caesar << "MKnacken" << 0 << QString();
    QTest::newRow("analysis Caesar") << caesar << "BCaesarKnacken" << 0 << QString();
    QTest::newRow("analysis Vigenère") << caesar << "BVigenereKnacken" << 1 << QString();
    QTest::newRow("analysis matrix") << caesar << "BMatrixKnacken" << 2 << QString();
    QTest::newRow("analysis substitution") << caesar << "BSubstitutionKnacken" << 3 << QString();
    QTest::newRow("empty pane") << Text() << "MKnacken" << 0 << "Die Chiffre ist leer";
    QTest::newRow("long text") << deutschtext::erzeuge(20000) << "MKnacken" << 0
                               << u"ersten %1 Buchstaben"_s.arg(QLocale().toString(2000));
    QTest::newRow("letters late") << Text(40000, '.') + deutschtext::erzeuge(20000) << "MKnacken"
                                  << 0 << u"ersten %1 Buchstaben"_s.arg(QLocale().toString(2000));
    QTest::newRow("2000 letters, then a stop") << Text(2000, 'e') + "!"
                                               << "MKnacken" << 0 << QString();
}

void TestKnacken::oeffnen()
{
    QFETCH(Text, chiffre);
    QFETCH(QString, befehl);
    QFETCH(int, seite);
    QFETCH(QString, hinweis);
    Aufbau a;
    const QList<QAction *> demos = a.steuer<QMenu>("Demos1").actions();
    QCOMPARE(demos.last(), &a.aktion("MKnacken"));
    QVERIFY(demos.at(demos.size() - 2)->isSeparator());
    QCOMPARE(a.aktion("MKnacken").text(), u"&Knacken Schritt für Schritt..."_s);
    a.chiffre().setText(chiffre);
    TKnackenForm *f = nullptr;
    if (befehl.startsWith(u'M')) {
        f = &a.oeffneNeues<TKnackenForm>("MKnacken");
    } else {
        TAnalyseForm &analyse = a.oeffneNeues<TAnalyseForm>("MAnalyse");
        teil<QPushButton>(analyse, befehl.toLatin1().constData()).click();
        QCOMPARE(Aufbau::offene<TKnackenForm>().size(), 1);
        f = Aufbau::offene<TKnackenForm>().first();
        analyse.close();
        QThreadPool::globalInstance()->waitForDone();
    }
    QCOMPARE(f->windowTitle(), u"Knacken – Schritt für Schritt"_s);
    QCOMPARE(teil<QTabWidget>(*f, "Seiten").currentIndex(), seite);
    QCOMPARE(teil<QTabWidget>(*f, "Seiten").count(), 4);
    const QLabel &note = teil<QLabel>(*f, "LHinweis");
    QCOMPARE(note.isVisibleTo(f), !hinweis.isEmpty());
    QVERIFY2(note.text().contains(hinweis), qPrintable(note.text()));
    // The steps show at most 2,000 of the pane's letters.
    const auto buchstaben = [](const Text &t) { return analyse::Zaehle(t).summe; };
    const Text gezeigt
        = codepage::AusZeichenkette(teil<QPlainTextEdit>(*f, "MVorschau").toPlainText());
    if (!chiffre.empty()) {
        QCOMPARE(buchstaben(gezeigt),
            std::min<std::uint64_t>(buchstaben(chiffre), TKnackenForm::kHoechstBuchstaben));
    }
}

// However the pupil moves the strip, the bars move with it, the decryption
// below follows, and step 3 shows the same choice.
void TestKnacken::verschieben_data()
{
    QTest::addColumn<Weg>("weg");
    QTest::addColumn<int>("verschiebung");
    QTest::newRow("arrow keys") << Weg::Pfeiltasten << 3;
    QTest::newRow("drag") << Weg::Ziehen << 5;
    QTest::newRow("shift list") << Weg::Liste << 20;
    QTest::newRow("chart's arrow keys") << Weg::Diagramm << 24;
    QTest::newRow("Lösung zeigen") << Weg::Loesung << 11;
}

void TestKnacken::verschieben()
{
    QFETCH(Weg, weg);
    QFETCH(int, verschiebung);
    Aufbau a;
    const Text klar = kSatz + "\r\n" + kSatz;
    TKnackenForm &f = oeffne(a, verschl::CaesarVerschieben(klar, verschiebung));
    f.show();
    klick(f, "BWeiter");
    QCOMPARE(schritt(f), u"Schritt 2 von 3: Verschieben"_s);
    auto &streifen = teil<Alphabetstreifen>(f, "Streifen");
    auto &reihen = teil<QWidget>(streifen, "Reihen");
    auto &diagramm = teil<Buchstabendiagramm>(f, "DVerschieben");
    switch (weg) {
    case Weg::Pfeiltasten:
        // "Weiter" hands the focus to the strip: the keys work at once.
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(QApplication::focusWidget(), &reihen);
        for (int i = 0; i < verschiebung; ++i)
            QTest::keyClick(&reihen, Qt::Key_Left);
        break;
    case Weg::Ziehen: {
        // Five letters to the left: the letter five on stands under A.
        const int zelle = reihen.height() / 2;
        const QPoint von(reihen.width() - 3 * zelle, reihen.height() * 3 / 4);
        QTest::mousePress(&reihen, Qt::LeftButton, {}, von);
        QMouseEvent zug(QEvent::MouseMove, von - QPoint(verschiebung * zelle + 1, 0),
            reihen.mapToGlobal(von), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&reihen, &zug);
        QTest::mouseRelease(&reihen, Qt::LeftButton, {}, von);
        break;
    }
    case Weg::Liste:
        for (int i = 0; i < verschiebung; ++i)
            QTest::keyClick(&teil<QComboBox>(streifen, "CBVerschiebung"), Qt::Key_Down);
        break;
    case Weg::Diagramm:
        for (int i = 0; i < 26 - verschiebung; ++i)
            QTest::keyClick(&diagramm, Qt::Key_Right);
        break;
    case Weg::Loesung:
        klick(f, "BLoesung");
        QVERIFY(teil<QLabel>(f, "LHilfe").text().contains(u"Verschiebung %1"_s.arg(verschiebung)));
        break;
    }
    QCOMPARE(streifen.Verschiebung(), verschiebung);
    QCOMPARE(diagramm.Verschiebung(), verschiebung);
    QCOMPARE(teil<QPlainTextEdit>(f, "MVorschau").toPlainText(), codepage::AlsPanetext(klar));
    QVERIFY(teil<QLabel>(f, "LSchluessel").text().contains(u"Verschiebung %1"_s.arg(verschiebung)));
    klick(f, "BWeiter");
    QCOMPARE(teil<QListWidget>(f, "LWVersuche").currentRow(), verschiebung - 1);
}

// Count, shift, try them all, take the key over, decrypt: one undo step.
// Step 3 shows the first line that has letters.
void TestKnacken::caesarBisZumKlartext()
{
    Aufbau a;
    a.klar().setText("vorher");
    const Text klar = "\r\n" + kSatz;
    TKnackenForm &f = oeffne(a, verschl::CaesarVerschieben(klar, 3));
    f.show();
    QCOMPARE(schritt(f), u"Schritt 1 von 3: Zählen"_s);
    QVERIFY(!teil<QPushButton>(f, "BZurueck").isEnabled());
    QVERIFY(!teil<QPushButton>(f, "BEntschluesseln").isEnabled());
    QCOMPARE(teil<Buchstabendiagramm>(f, "DZaehlen").HaeufigsterBuchstabe(), 'H' - 'A');
    klick(f, "BTipp");
    QVERIFY(teil<QLabel>(f, "LHilfe").text().startsWith(u"Tipp: Im Deutschen ist E"_s));
    klick(f, "BLoesung");
    QVERIFY(teil<QLabel>(f, "LHilfe").text().contains(u"Am häufigsten ist H"_s));
    klick(f, "BWeiter");
    klick(f, "BWeiter");
    QCOMPARE(schritt(f), u"Schritt 3 von 3: Alle durchprobieren"_s);
    QVERIFY(!teil<QPushButton>(f, "BWeiter").isEnabled());
    auto &versuche = teil<QListWidget>(f, "LWVersuche");
    QCOMPARE(versuche.count(), 25);
    QCOMPARE(versuche.item(2)->text(),
        u"3 (A → D): "_s + codepage::AlsZeichenkette(kSatz.substr(0, 70)));
    versuche.setCurrentRow(2);
    // Back to step 2 and forth again: the pick stays.
    klick(f, "BZurueck");
    QCOMPARE(teil<Alphabetstreifen>(f, "Streifen").Verschiebung(), 3);
    klick(f, "BWeiter");
    QCOMPARE(versuche.currentRow(), 2);

    klick(f, "BSchluesselUebernehmen");
    const Methodeneinstellungen e = a.option().einstellungen();
    QCOMPARE(e.methode, Methode::Caesar);
    QCOMPARE(e.verschiebung, 3);
    klick(f, "BEntschluesseln");
    QCOMPARE(a.klar().text(), klar);
    a.klar().undo();
    QCOMPARE(a.klar().text(), Text("vorher"));
}

// The pupil steps the column count up from 2; at 7 the rows read German.
void TestKnacken::matrixSiebenSpalten()
{
    Aufbau a;
    a.klar().setText("vorher");
    TKnackenForm &f = oeffne(a, verschl::MatrixVerschluesseln(kMatrixText, { true, 7 }));
    f.show();
    teil<QTabWidget>(f, "Seiten").setCurrentIndex(2);
    QCOMPARE(schritt(f), u"Schritt 1 von 1: Spaltenzahl ausprobieren"_s);
    QVERIFY(!teil<QPushButton>(f, "BWeiter").isEnabled());
    auto &spalten = teil<QSpinBox>(f, "SpEdSpalten");
    const auto &form = teil<QLabel>(f, "LForm");
    const auto &zeilen = teil<QPlainTextEdit>(f, "MZeilen");
    QCOMPARE(spalten.value(), 2);
    while (spalten.value() < 7) {
        QVERIFY(zeilen.toPlainText() != codepage::AlsZeichenkette(kMatrixText));
        QTest::keyClick(&spalten, Qt::Key_Up);
    }
    QCOMPARE(zeilen.toPlainText(), codepage::AlsZeichenkette(kMatrixText));
    QCOMPARE(form.accessibleName(), u"7 Spalten, 21 Zeilen (quadratisch wären es 13 Spalten)"_s);
    const QStringList gitter = teil<QPlainTextEdit>(f, "MGitter").toPlainText().split(u'\n');
    QCOMPARE(gitter.first(), u"D i e   M a t"_s);
    QCOMPARE(gitter.size(), 21);
    spalten.setValue(13);
    QCOMPARE(form.accessibleName(), u"13 Spalten, 12 Zeilen – die quadratische Matrix"_s);
    klick(f, "BLoesung");
    QCOMPARE(spalten.value(), 7);

    klick(f, "BSchluesselUebernehmen");
    const Methodeneinstellungen e = a.option().einstellungen();
    QCOMPARE(e.methode, Methode::Matrix);
    QVERIFY(e.spalten.manuell);
    QCOMPARE(e.spalten.spalten, 7);
    klick(f, "BEntschluesseln");
    QCOMPARE(a.klar().text(), kMatrixText);
    a.klar().undo();
    QCOMPARE(a.klar().text(), Text("vorher"));
}

// A pupil counts key positions one way or the other, finds the repeat, picks
// length 6, reads the coloured columns, slides each column's strip to its key
// letter and decrypts, undoably.
void TestKnacken::vigenereBisZumSchluessel_data()
{
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QString>("gruppe"); // a repeat that the key length explains
    QTest::addColumn<QString>("stellen");
    QTest::addColumn<int>("abstand");
    QTest::newRow("only letters count") << true << "PROK"
                                        << "101, 173" << 72;
    // Over the blank between "geheime" and "Nachricht".
    QTest::newRow("every byte counts") << false << "LRIZGPGPFCJBCMUJA"
                                       << "69, 99" << 30;
}

void TestKnacken::vigenereBisZumSchluessel()
{
    QFETCH(bool, ignorieren);
    QFETCH(QString, gruppe);
    QFETCH(QString, stellen);
    QFETCH(int, abstand);
    Aufbau a;
    a.klar().setText("vorher");
    const Text geheim = vigenere(ignorieren);
    TKnackenForm &f = oeffne(a, geheim);
    f.show();
    vigenereBis(f, ignorieren, 1);
    QCOMPARE(schritt(f), u"Schritt 1 von 5: Wiederholungen finden"_s);
    const auto &tabelle = teil<QTableWidget>(f, "TWWiederholungen");
    const auto zeilen = tabelle.findItems(stellen, Qt::MatchExactly);
    QCOMPARE(zeilen.size(), 1);
    const int z = zeilen.first()->row();
    QVERIFY2(tabelle.item(z, 0)->text().startsWith(gruppe), qPrintable(tabelle.item(z, 0)->text()));
    QCOMPARE(tabelle.item(z, 2)->text(), QString::number(abstand));
    for (int t = 2; t <= 20; ++t)
        QCOMPARE(tabelle.item(z, t + 1) != nullptr, abstand % t == 0);
    // Both occurrences are marked in the ciphertext.
    const auto &text = teil<QTextEdit>(f, "MWiederholungen");
    QCOMPARE(codepage::AusZeichenkette(text.toPlainText()).size(), geheim.size());
    for (const QString &stelle : stellen.split(u", "_s)) {
        const int byte = ignorieren
            ? int(knacken::ErsteBuchstaben(geheim, stelle.toULong() - 1).size())
            : stelle.toInt() - 1;
        const auto marken = text.document()->findBlock(byte).layout()->formats();
        QVERIFY(std::any_of(marken.begin(), marken.end(), [byte](const auto &m) {
            return m.start <= byte && byte < m.start + m.length
                && m.format.background().style() != Qt::NoBrush;
        }));
    }

    klick(f, "BWeiter");
    const std::vector<double> index = teil<Saeulendiagramm>(f, "DLaengen").reihen()[0].werte;
    QVERIFY2(index[5] > 0.06 && index[4] < 0.057, qPrintable(QString::number(index[4])));
    for (int i = 1; i < 6; ++i)
        QTest::keyClick(&teil<QSpinBox>(f, "SpEdLaenge"), Qt::Key_Up);
    QVERIFY(teil<QLabel>(f, "LLaenge").text().startsWith(u"Länge 6: "_s));

    klick(f, "BWeiter");
    const QStringList reihen = teil<QPlainTextEdit>(f, "MSpalten").toPlainText().split(u'\n');
    // Rows of six key positions: six letters, or six bytes of any kind.
    Text gezaehlt = geheim;
    if (ignorieren)
        std::erase_if(
            gezaehlt, [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); });
    QCOMPARE(reihen.size(), qsizetype(gezaehlt.size() + 5) / 6);
    const auto reihe = [&gezaehlt](std::size_t r) {
        QString zellen;
        for (const QChar c : codepage::AlsZeichenkette(gezaehlt.substr(6 * r, 6)))
            zellen += c + u' ';
        return zellen;
    };
    QCOMPARE(reihen[0], reihe(0));
    // Each letter of a row in its column's colour.
    const QList<QTextLayout::FormatRange> farben
        = teil<QPlainTextEdit>(f, "MSpalten").document()->firstBlock().layout()->formats();
    QCOMPARE(farben.size(), std::count_if(gezaehlt.begin(), gezaehlt.begin() + 6, ::isalpha));
    QVERIFY(farben[0].format.foreground() != farben[1].format.foreground());
    QCOMPARE(reihen[1], reihe(1));

    klick(f, "BWeiter");
    auto &spalte = teil<QSpinBox>(f, "SpEdSpalte");
    const auto &teilweise = teil<QPlainTextEdit>(f, "MTeilweise");
    for (int k = 0; k < 6; ++k) {
        spalte.setValue(k + 1);
        teil<Alphabetstreifen>(f, "SpaltenStreifen").setVerschiebung("SCHULE"[k] - 'A');
        if (k > 0)
            continue;
        QVERIFY(teilweise.toPlainText().startsWith(u"D·· "_s));
        const QString zaehlweise = ignorieren ? u"ignorieren"_s : u"mitzählen"_s;
        QCOMPARE(teil<QLabel>(f, "LSchluessel").text(),
            u"Gewählt: Schlüssel S????? (Sonderzeichen %1)"_s.arg(zaehlweise));
    }
    QCOMPARE(teil<QLabel>(f, "LSchluesselbuchstaben").text(), u"Schlüssel: SCHUL[E]"_s);
    QCOMPARE(teilweise.toPlainText(), codepage::AlsZeichenkette(kDreiSaetze));

    klick(f, "BWeiter");
    QVERIFY(teil<QLabel>(f, "LSchluesselText").text().contains(u"<b>SCHULE</b>"_s));
    QCOMPARE(
        teil<QPlainTextEdit>(f, "MKlartext").toPlainText(), codepage::AlsZeichenkette(kDreiSaetze));
    klick(f, "BSchluesselUebernehmen");
    const Methodeneinstellungen e = a.option().einstellungen();
    QCOMPARE(e.methode, Methode::Vigenere);
    QCOMPARE(e.schluessel, Text("SCHULE"));
    QCOMPARE(e.sonderzeichenIgnorieren, ignorieren);
    klick(f, "BEntschluesseln");
    QCOMPARE(a.klar().text(), kDreiSaetze);
    a.klar().undo();
    QCOMPARE(a.klar().text(), Text("vorher"));
}

// The last step's tip: a wrong length reads as nonsense and sends the pupil
// back to step 2; open columns back to step 4. "Lösung zeigen" on step 4
// fits each column of the chosen length.
void TestKnacken::vigenereTippZumSchluss_data()
{
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<int>("laenge");
    QTest::addColumn<bool>("spaltenLoesung");
    QTest::addColumn<QString>("tipp");
    QTest::newRow("wrong length") << true << 5 << true << "zurück zu Schritt 2";
    QTest::newRow("half the length") << false << 3 << true << "zurück zu Schritt 2";
    QTest::newRow("columns open") << true << 6 << false << "Zurück zu Schritt 4";
    QTest::newRow("right length, letters") << true << 6 << true << "liest sich deutsch";
    QTest::newRow("right length, bytes") << false << 6 << true << "liest sich deutsch";
}

void TestKnacken::vigenereTippZumSchluss()
{
    QFETCH(bool, ignorieren);
    QFETCH(int, laenge);
    QFETCH(bool, spaltenLoesung);
    QFETCH(QString, tipp);
    Aufbau a;
    TKnackenForm &f = oeffne(a, vigenere(ignorieren));
    f.show();
    vigenereBis(f, ignorieren, 2);
    teil<QSpinBox>(f, "SpEdLaenge").setValue(laenge);
    vigenereBis(f, ignorieren, 4);
    if (spaltenLoesung)
        klick(f, "BLoesung");
    klick(f, "BWeiter");
    klick(f, "BTipp");
    const QString hilfe = teil<QLabel>(f, "LHilfe").text();
    QVERIFY2(hilfe.contains(tipp), qPrintable(hilfe));
    const bool lesbar = teil<QPlainTextEdit>(f, "MKlartext").toPlainText()
        == codepage::AlsZeichenkette(kDreiSaetze);
    QCOMPARE(lesbar, tipp.contains(u"deutsch"_s));
}

// A screen reader names every control the Tab key reaches on both pages,
// without the accelerator mark.
void TestKnacken::zugaenglich()
{
    Aufbau a;
    TKnackenForm &f = oeffne(a, verschl::CaesarVerschieben(kSatz, 3));
    int erreichbar = 0;
    for (const QWidget *w : f.findChildren<QWidget *>()) {
        // A spin box's own line edit is named through its box; a list's pop-up
        // is a window of its own.
        if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden()
            || w->objectName().startsWith(u"qt_"_s) || w->window() != &f)
            continue;
        ++erreichbar;
        const QString name = w->accessibleName().isEmpty() && qobject_cast<const QPushButton *>(w)
            ? static_cast<const QPushButton *>(w)->text()
            : w->accessibleName();
        QVERIFY2(
            !name.isEmpty(), qPrintable(w->objectName() + u' ' + w->metaObject()->className()));
    }
    QCOMPARE(erreichbar, 50);
}

// The teacher's answer on the last step, then the decryption: any bytes come
// back exactly, and too short a text says why the engine has no answer.
void TestKnacken::besondereTexte_data()
{
    QTest::addColumn<Text>("chiffre");
    QTest::addColumn<int>("seite");
    QTest::addColumn<QString>("loesung");
    QTest::addColumn<Text>("klar"); // empty: not checked
    Text alleBytes;
    for (int b = 0; b < 256; ++b)
        alleBytes += char(b);
    const Text mitUmbruechen = "Erste Zeile\r\n" + kMatrixText + "\r\nLetzte Zeile";
    QTest::newRow("no letters") << Text(
        "12345 !?") << 0 << "Zu wenig Buchstaben für eine sichere Antwort (0 von mindestens 10)"
                                << Text("12345 !?");
    QTest::newRow("every byte") << verschl::CaesarVerschieben(alleBytes + kSatz + kSatz, 5) << 0
                                << "Verschiebung 5 (A → F)" << alleBytes + kSatz + kSatz;
    QTest::newRow("sample on the matrix page")
        << Text() << 2 << "4 Spalten (Sicherheit: unsicher)" << Text(Demofenster::kBeispielsatz);
    QTest::newRow("too short for the matrix")
        << Text("Hallo Welt!") << 2
        << "Zu wenig Buchstaben für eine sichere Antwort (9 von mindestens 10)" << Text();
    QTest::newRow("too short for Vigenère")
        << Text("Hallo Welt!") << 1
        << "Zu wenig Buchstaben für eine sichere Antwort (9 von mindestens 10)" << Text();
    QTest::newRow("no letters for Vigenère")
        << Text("12345 !?") << 1 << "Zu wenig Buchstaben" << Text("12345 !?");
    const Text zeilen = "Erste Zeile\r\n" + kDreiSaetze + "\r\nLetzte Zeile";
    QTest::newRow("Vigenère over line breaks")
        << *verschl::VigenereVerschluesseln(zeilen, "SCHULE", false) << 1
        << "Schlüssel SCHULE mit „Sonderzeichen mitzählen“" << zeilen;
    QTest::newRow("no letters for substitution")
        << Text("12345 !?") << 3 << "Zu wenig Buchstaben" << Text("12345 !?");
    Text keineBuchstaben;
    for (const char c : alleBytes) {
        if (!std::isalpha(static_cast<unsigned char>(c)))
            keineBuchstaben += c;
    }
    QTest::newRow("substitution among every other byte")
        << *verschl::SubstitutionVerschluesseln(keineBuchstaben + kAbsatz, kZiffernAlphabet) << 3
        << "Die Analyse findet das Geheimalphabet" << keineBuchstaben + kAbsatz;
    QTest::newRow("matrix not transposed") << kMatrixText << 2 << "keine Umstellung" << Text();
    QTest::newRow("matrix moves CR and LF apart") << verschl::MatrixVerschluesseln(mitUmbruechen,
        { true, 7 }) << 2 << "7 Spalten" << mitUmbruechen;
}

void TestKnacken::besondereTexte()
{
    QFETCH(Text, chiffre);
    QFETCH(int, seite);
    QFETCH(QString, loesung);
    QFETCH(Text, klar);
    Aufbau a;
    TKnackenForm &f = oeffne(a, chiffre);
    f.show();
    teil<QTabWidget>(f, "Seiten").setCurrentIndex(seite);
    while (teil<QPushButton>(f, "BWeiter").isEnabled())
        klick(f, "BWeiter");
    klick(f, "BLoesung");
    const QString hilfe = teil<QLabel>(f, "LHilfe").text();
    QVERIFY2(hilfe.contains(loesung), qPrintable(hilfe));
    klick(f, "BEntschluesseln");
    if (!klar.empty())
        QCOMPARE(a.klar().text(), klar);
    // Step 4 of Vigenère shows the decryption on one line, breaks as blanks.
    if (seite == 1 && !klar.empty())
        QCOMPARE(teil<QPlainTextEdit>(f, "MTeilweise").toPlainText(), knacken::Zeile(klar));
}

// A pupil compares the counts, then types the plain letters under the
// board's cipher letters one after another until the text reads German,
// takes the alphabet over and decrypts.
void TestKnacken::substitutionBisZumKlartext()
{
    Aufbau a;
    a.klar().setText("vorher");
    a.chiffre().setText(kGeheimAbsatz);
    // As another window asks for the page.
    a.programm.fenster.oeffne(Fensterart::KnackenSubstitution);
    QCOMPARE(Aufbau::offene<TKnackenForm>().size(), 1);
    TKnackenForm &f = *Aufbau::offene<TKnackenForm>().first();
    f.show();
    const auto &seiten = teil<QTabWidget>(f, "Seiten");
    QCOMPARE(seiten.currentIndex(), 3);
    QCOMPARE(seiten.tabText(3), u"Substitution"_s);
    QCOMPARE(schritt(f), u"Schritt 1 von 2: Zählen und vergleichen"_s);
    QCOMPARE(teil<QLabel>(f, "LSchluesselraum").text(),
        u"Caesar: 25 Schlüssel; Substitution: 26! ≈ 4·10²⁶ Alphabete"_s);
    const auto &vergleich = teil<QTableWidget>(f, "TWVergleichZaehlen");
    QVERIFY(vergleich.item(0, 0)->text().startsWith(u"E N"_s));
    QVERIFY(vergleich.item(0, 1)->text().startsWith(u"R J"_s));
    // German's pairs, runs of three and doubled letters, one row each.
    const std::pair<int, QString> gruppen[] = { { 1, u"EN"_s }, { 1, u"ER"_s }, { 1, u"CH"_s },
        { 2, u"SCH"_s }, { 2, u"EIN"_s }, { 2, u"ICH"_s }, { 3, u"SS"_s } };
    for (const auto &[zeile, gruppe] : gruppen)
        QVERIFY2(vergleich.item(zeile, 0)->text().split(u' ').contains(gruppe), qPrintable(gruppe));
    klick(f, "BWeiter");
    QCOMPARE(schritt(f), u"Schritt 2 von 2: Buchstaben zuordnen"_s);
    const QList<QLineEdit *> felder = tafel(f);
    QCOMPARE(felder.size(), 26 - ganzeTafel().count(u'.'));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    for (QLineEdit *feld : felder) {
        QCOMPARE(QApplication::focusWidget(), feld);
        QTest::keyClick(feld, klarZu(unter(feld)));
    }
    const auto &text = teil<QPlainTextEdit>(f, "MText");
    QCOMPARE(text.toPlainText(), gezeigt(ganzeTafel()));
    // Guessed letters in their own colour.
    const QList<QTextLayout::FormatRange> farben
        = text.document()->firstBlock().layout()->formats();
    QVERIFY(!farben.isEmpty());
    QCOMPARE(farben.first().start, 0);
    QCOMPARE(farben.first().length, 3);
    // Back and forth: the guesses stay.
    klick(f, "BZurueck");
    QCOMPARE(teil<QTableWidget>(f, "TWVergleichZaehlen").item(0, 1)->text().left(3), u"e n"_s);
    klick(f, "BWeiter");
    QCOMPARE(felder.first()->text(), u"e"_s);

    klick(f, "BSchluesselUebernehmen");
    const Methodeneinstellungen e = a.option().einstellungen();
    QCOMPARE(e.methode, Methode::Substitution);
    for (const QLineEdit *feld : felder)
        QCOMPARE(e.substitution[std::size_t(klarZu(unter(feld)) - 'a')], unter(feld));
    klick(f, "BEntschluesseln");
    QCOMPARE(a.klar().text(), kAbsatz);
    a.klar().undo();
    QCOMPARE(a.klar().text(), Text("vorher"));
}

// Keys typed on the board from its first field, then a button: what the
// fields hold, which are marked as guessed twice, and the text shown.
void TestKnacken::zuordnungstafel_data()
{
    // '<' Backspace, '>' the right arrow, '*' an e repeated by a key held down
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<QString>("tafel"); // per cipher letter A-Z, '.' empty
    QTest::addColumn<QString>("doppelt"); // the cipher letters marked
    const QString leer(26, u'.');
    const auto mit = [&leer](std::initializer_list<std::pair<char, char>> paare) {
        QString t = leer;
        for (const auto &[g, k] : paare)
            t[g - 'A'] = QLatin1Char(k);
        return t;
    };
    QTest::newRow("one after another")
        << u"ens"_s << QString() << mit({ { 'R', 'e' }, { 'J', 'n' }, { 'Q', 's' } }) << QString();
    QTest::newRow("capitals typed")
        << u"EN"_s << QString() << mit({ { 'R', 'e' }, { 'J', 'n' } }) << QString();
    QTest::newRow("doubled guess")
        << u"ee"_s << QString() << mit({ { 'R', 'e' }, { 'J', 'e' } }) << u"JR"_s;
    QTest::newRow("Backspace clears")
        << u"ens<"_s << QString() << mit({ { 'R', 'e' }, { 'J', 'n' } }) << QString();
    QTest::newRow("Backspace goes back") << u"en<<"_s << QString() << leer << QString();
    QTest::newRow("key held down")
        << u"e**n"_s << QString() << mit({ { 'R', 'e' }, { 'J', 'n' } }) << QString();
    QTest::newRow("other keys refused")
        << u"1ä e"_s << QString() << mit({ { 'R', 'e' } }) << QString();
    QTest::newRow("arrow skips") << u">n"_s << QString() << mit({ { 'J', 'n' } }) << QString();
    QTest::newRow("Tipp") << QString() << u"BTipp"_s << mit({ { 'R', 'e' } }) << QString();
    QTest::newRow("Tipp over a doubled e")
        << u">e"_s << u"BTipp"_s << mit({ { 'R', 'e' }, { 'J', 'e' } }) << u"JR"_s;
    QTest::newRow("Lösung zeigen") << u"xx"_s << u"BLoesung"_s << ganzeTafel() << QString();
}

void TestKnacken::zuordnungstafel()
{
    QFETCH(QString, tasten);
    QFETCH(QString, knopf);
    QFETCH(QString, tafel);
    QFETCH(QString, doppelt);
    Aufbau a;
    TKnackenForm &f = oeffne(a, kGeheimAbsatz);
    f.show();
    teil<QTabWidget>(f, "Seiten").setCurrentIndex(3);
    klick(f, "BWeiter");
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    for (const QChar c : tasten) {
        QWidget *feld = QApplication::focusWidget();
        if (c == u'<' || c == u'>') {
            QTest::keyClick(feld, c == u'<' ? Qt::Key_Backspace : Qt::Key_Right);
        } else if (c == u'*') {
            QKeyEvent wiederholt(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, u"e"_s, true);
            QApplication::sendEvent(feld, &wiederholt);
        } else if (c.unicode() < 128) {
            QTest::keyClicks(feld, c);
        } else { // what QTest cannot type
            QKeyEvent taste(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(feld, &taste);
        }
    }
    if (!knopf.isEmpty())
        klick(f, knopf.toLatin1().constData());
    const QColor normal = QApplication::palette().color(QPalette::Base);
    for (const QLineEdit *feld : ::tafel(f)) {
        const int g = unter(feld) - 'A';
        QCOMPARE(feld->text(), tafel[g] == u'.' ? QString() : QString(tafel[g]));
        QCOMPARE(feld->palette().color(QPalette::Base) != normal,
            doppelt.contains(QLatin1Char(unter(feld))));
    }
    QCOMPARE(teil<QPlainTextEdit>(f, "MText").toPlainText(), gezeigt(tafel));
    // Only a whole board without doubled guesses goes over.
    bool ganz = doppelt.isEmpty();
    for (int g = 0; g < 26; ++g)
        ganz = ganz && (ganzeTafel()[g] == u'.' || tafel[g] != u'.');
    klick(f, "BSchluesselUebernehmen");
    QCOMPARE(a.option().einstellungen().methode, ganz ? Methode::Substitution : Methode::Caesar);
    QCOMPARE(teil<QLabel>(f, "LHilfe").text().startsWith(u"Nichts übernommen"_s), !ganz);
}

QTEST_MAIN(TestKnacken)
#include "test_knacken.moc"
