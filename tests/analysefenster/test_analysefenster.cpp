// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window as a pupil uses it: opened from the main window, it
// finds what broke the ciphertext, and its take-over buttons make the next
// "Entschlüsseln" give back the plaintext.

#include "analysefenster/analysefenster.h"
#include "analysefenster/schluesselzeilen.h"
#include "bausteine/saeulendiagramm.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QThreadPool>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using verschl::Text;

namespace {

// Windows-1252; no trailing blank, which matrix decryption would drop.
const Text kKlartext
    = "Die Verschl\xfcsselung von Nachrichten ist so alt wie die Schrift selbst. Schon "
      "Julius Caesar soll seine Briefe an die Feldherren verschl\xfcsselt haben, indem er "
      "jeden Buchstaben um drei Stellen im Alphabet verschob. Wer den Trick kannte, konnte "
      "die Nachricht leicht lesen, alle anderen sahen nur sinnlose Zeichen. Sp\xe4ter "
      "erfand man Verfahren mit einem Schl\xfcsselwort, bei denen jeder Buchstabe anders "
      "verschoben wird. Lange galten sie als unknackbar, bis man lernte, die L\xe4nge des "
      "Schl\xfcssels aus wiederholten Buchstabengruppen zu erraten. Heute lernen "
      "Sch\xfclerinnen und Sch\xfcler im Unterricht, wie man solche Geheimtexte mit Geduld, "
      "Z\xe4hlen und etwas Statistik wieder lesbar macht.";

TAnalyseForm &analysiere(Aufbau &a)
{
    TAnalyseForm &fenster = a.oeffneNeues<TAnalyseForm>("MAnalyse");
    if (!QTest::qWaitFor([&fenster] { return !fenster.Laeuft(); }, 30000))
        qFatal("the analysis did not finish");
    return fenster;
}

// What the key rows show, each row joined over its groups, and the bytes
// marked in each row. A substitution shows two rows, Vigenère three.
struct Zeilen
{
    std::array<QString, 3> zeile;
    std::array<QSet<int>, 3> markiert;
};

Zeilen lies(const Schluesselzeilen &ansicht, int zeilen = 3)
{
    Zeilen z;
    const int kopf = int(Schluesselzeilen::kopf(0).size());
    QList<int> gruppenanfang;
    for (QTextBlock b = ansicht.document()->begin(); b.isValid(); b = b.next()) {
        const int zeile = b.blockNumber() % (zeilen + 1);
        if (zeile == 0)
            gruppenanfang << int(z.zeile[0].size());
        if (zeile < zeilen)
            z.zeile[std::size_t(zeile)] += b.text().mid(kopf);
    }
    for (const QTextEdit::ExtraSelection &a : ansicht.extraSelections()) {
        const QTextBlock b = ansicht.document()->findBlock(a.cursor.selectionStart());
        const int spalte = a.cursor.selectionStart() - b.position() - kopf;
        z.markiert[std::size_t(b.blockNumber() % (zeilen + 1))]
            << gruppenanfang.at(b.blockNumber() / (zeilen + 1)) + spalte;
    }
    return z;
}

// A click on byte `byte` of the first group, in its row `zeile`.
void klicke(Schluesselzeilen &ansicht, int zeile, int byte)
{
    QTextCursor zelle(ansicht.document()->findBlockByNumber(zeile));
    zelle.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor,
        int(Schluesselzeilen::kopf(zeile).size()) + byte);
    const QRect ort = ansicht.cursorRect(zelle);
    QTest::mouseClick(ansicht.viewport(), Qt::LeftButton, {},
        { ort.left() + ansicht.fontMetrics().averageCharWidth() / 2, ort.center().y() });
}

// The plaintext as a mended alphabet decrypts it: `wird` holds pairs "XY",
// plain letter X read as Y; the letters of `offen` read as '?'.
Text gelesen(Text text, const QString &wird, const QString &offen)
{
    for (char &c : text) {
        const unsigned char gross = verschl::GrossBuchstabe(static_cast<unsigned char>(c));
        if (gross < 'A' || gross > 'Z')
            continue;
        if (offen.contains(QChar(gross)))
            c = '?';
        for (const QString &paar : wird.split(u' ', Qt::SkipEmptyParts)) {
            const auto y = static_cast<unsigned char>(paar.at(1).unicode());
            if (paar.at(0) == QChar(gross))
                c = static_cast<char>(c == char(gross) ? y : verschl::KleinBuchstabe(y));
        }
    }
    return text;
}

} // namespace

class TestAnalysefenster : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void befehlOeffnetFenster();
    void zugaenglich();
    void uebernahmeEntschluesselt_data();
    void uebernahmeEntschluesselt();
    void schwacheEingabe_data();
    void schwacheEingabe();
    void schluesselVonHand_data();
    void schluesselVonHand();
    void schiebereglerVerschiebtDeutsch();
    void besteZuerst_data();
    void besteZuerst();
    void schluesselzeilen_data();
    void schluesselzeilen();
    void schliessenWaehrendDerAnalyse();
    void substitutionsseite_data();
    void substitutionsseite();
};

// One action in the menu and the pop-up; every click a window of its own,
// gone when closed, also with Esc.
void TestAnalysefenster::befehlOeffnetFenster()
{
    Aufbau a;
    QAction &befehl = a.aktion("MAnalyse");
    QCOMPARE(befehl.text(), QStringLiteral("&Geheimtext analysieren..."));
    QCOMPARE(a.steuer<QMenu>("MMVerschluesselung").actions().last(), &befehl);
    QVERIFY(a.steuer<QMenu>("PopupMenu1").actions().contains(&befehl));
    QPointer<TAnalyseForm> erstes = &a.oeffneNeues<TAnalyseForm>("MAnalyse");
    QPointer<TAnalyseForm> zweites = &a.oeffneNeues<TAnalyseForm>("MAnalyse");
    QCOMPARE(Aufbau::offene<TAnalyseForm>().size(), 2);
    QVERIFY(erstes->isVisible() && !erstes->parent());
    QCOMPARE(erstes->windowTitle(), QStringLiteral("Geheimtext analysieren"));
    erstes->close();
    QTest::keyClick(zweites->findChild<QTreeWidget *>(u"LVCaesar"_s), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(erstes.isNull() && zweites.isNull());
}

// A screen reader names every control the Tab key reaches, without the
// accelerator mark.
void TestAnalysefenster::zugaenglich()
{
    Aufbau a;
    a.chiffre().setText(kKlartext);
    const TAnalyseForm &fenster = analysiere(a);
    int erreichbar = 0;
    for (const QWidget *w : fenster.findChildren<QWidget *>()) {
        // The tab bar's scroll buttons stay hidden while all tabs fit.
        if (!(w->focusPolicy() & Qt::TabFocus) || w->isHidden())
            continue;
        ++erreichbar;
        const QString name = w->accessibleName();
        QVERIFY2(!name.isEmpty() && !name.contains(u'&'), w->metaObject()->className());
    }
    QCOMPARE(erreichbar, 20);
}

void TestAnalysefenster::uebernahmeEntschluesselt_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<int>("verschiebung");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<int>("spalten"); // 0: square
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<Methode>("uebernommen"); // the method selected afterwards
    QTest::newRow("Caesar 7") << Methode::Caesar << 7 << "" << false << 0
                              << "BVerschiebungUebernehmen" << Methode::Caesar;
    QTest::newRow("rot13 as Caesar 13") << Methode::Rotation13 << 0 << "" << false << 0
                                        << "BVerschiebungUebernehmen" << Methode::Caesar;
    QTest::newRow("Vigenère ignoring non-letters")
        << Methode::Vigenere << 0 << "SCHULE" << true << 0 << "BSchluesselUebernehmen"
        << Methode::Vigenere;
    QTest::newRow("Vigenère counting non-letters")
        << Methode::Vigenere << 0 << "Krypto" << false << 0 << "BSchluesselUebernehmen"
        << Methode::Vigenere;
    QTest::newRow("matrix 7 columns")
        << Methode::Matrix << 0 << "" << false << 7 << "BSpaltenzahlUebernehmen" << Methode::Matrix;
    QTest::newRow("matrix square")
        << Methode::Matrix << 0 << "" << false << 0 << "BSpaltenzahlUebernehmen" << Methode::Matrix;
    QTest::newRow("substitution ZIFFERON") << Methode::Substitution << 0 << "ZIFFERON" << false << 0
                                           << "BSubstitutionUebernehmen" << Methode::Substitution;
}

// Encrypted in the main window, the method window then left at something else
// entirely: the take-over alone must make the decryption right.
void TestAnalysefenster::uebernahmeEntschluesselt()
{
    QFETCH(Methode, methode);
    QFETCH(int, verschiebung);
    QFETCH(QString, schluessel);
    QFETCH(bool, ignorieren);
    QFETCH(int, spalten);
    QFETCH(QString, knopf);
    QFETCH(Methode, uebernommen);
    Aufbau a;
    a.option().setMethode(methode);
    a.option().setVerschiebung(verschiebung);
    a.steuer<QLineEdit>("EdSchluessel").setText(schluessel);
    a.option().setSubstitutionsschluessel(schluessel.toStdString());
    a.steuer<QCheckBox>("CBSonderignorieren").setChecked(ignorieren);
    a.steuer<QRadioButton>(spalten ? "RBMatrixManSpalten" : "RBMatrixQuadratisch").setChecked(true);
    a.steuer<QSpinBox>("SpEdSpalten").setValue(std::max(spalten, 1));
    a.klar().setText(kKlartext);
    a.klick("BVerschluesseln");
    QVERIFY(a.chiffre().text() != kKlartext);

    a.option().setMethode(Methode::Rotation128);
    a.option().setGemerkteVerschiebung(0);
    a.steuer<QLineEdit>("EdSchluessel").setText(QStringLiteral("Falsch"));
    a.option().setSubstitutionsschluessel("FALSCH");
    a.steuer<QCheckBox>("CBSonderignorieren").setChecked(!ignorieren);
    a.steuer<QRadioButton>(spalten ? "RBMatrixQuadratisch" : "RBMatrixManSpalten").setChecked(true);
    a.steuer<QSpinBox>("SpEdSpalten").setValue(2);
    a.klar().setText({});

    TAnalyseForm &fenster = analysiere(a);
    auto *uebernehmen = fenster.findChild<QPushButton *>(knopf);
    QVERIFY(uebernehmen && uebernehmen->isEnabled());
    fenster.findChild<QTabWidget *>(u"Seiten"_s)->setCurrentWidget(uebernehmen->parentWidget());
    QTest::mouseClick(uebernehmen, Qt::LeftButton);
    QCOMPARE(a.option().methode(), uebernommen);
    a.klick("BEntschluesseln");
    QCOMPARE(a.klar().text(), kKlartext);
}

void TestAnalysefenster::schwacheEingabe_data()
{
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<int>("stufe"); // 0: nothing, 1: Caesar alone, 2: every method
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("no letters") << QByteArray("12 345 !?\r\n\xe4\xf6\xfc\xdf 678") << 0;
    QTest::newRow("9 letters") << QByteArray("Abc def ghi") << 0;
    QTest::newRow("12 letters") << QByteArray("Nrpp edog khlp!") << 1;
    QTest::newRow("one letter repeated") << QByteArray(500, 'E') << 2;
    QByteArray alle;
    for (int b = 0; b < 256; ++b)
        alle += char(b);
    QTest::newRow("all 256 bytes") << alle << 2;
}

// Too few letters: the reason in the window or on the pages of the methods
// that need more, nothing there to take over. A text with letters but no
// language in it: results, none of them sure.
void TestAnalysefenster::schwacheEingabe()
{
    QFETCH(QByteArray, chiffre);
    QFETCH(int, stufe);
    Aufbau a;
    a.chiffre().setText(chiffre.toStdString());
    const TAnalyseForm &fenster = analysiere(a);
    QCOMPARE(fenster.findChild<QLabel *>(u"LStatus"_s)
                 ->text()
                 .contains(u"Zu wenig Buchstaben für eine Analyse"),
        stufe == 0);
    for (const QWidget *teil : std::initializer_list<const QWidget *> {
             fenster.findChild<QPushButton *>(u"BVerschiebungUebernehmen"_s),
             fenster.findChild<QTreeWidget *>(u"LVCaesar"_s),
             fenster.findChild<QSlider *>(u"TBVerschiebung"_s) })
        QCOMPARE(teil->isEnabled(), stufe >= 1);
    for (const char *knopf :
        { "BSchluesselUebernehmen", "BSpaltenzahlUebernehmen", "BSubstitutionUebernehmen" }) {
        const auto *k = fenster.findChild<QPushButton *>(QLatin1String(knopf));
        QVERIFY2(k, knopf);
        QCOMPARE(k->isEnabled(), stufe == 2);
    }
    if (stufe == 1) {
        QCOMPARE(fenster.findChild<QLabel *>(u"LCaesar"_s)->text(),
            QStringLiteral("Beste Verschiebung: 3 (A → D) – Sicherheit: wahrscheinlich"));
        QCOMPARE(fenster.findChild<QLabel *>(u"LVigenere"_s)->text(),
            QStringLiteral("Zu wenig Buchstaben für Vigenère (12 von mindestens 20)"));
        QCOMPARE(fenster.findChild<QLabel *>(u"LMatrix"_s)->text(),
            QStringLiteral("Zu wenig Buchstaben für die Matrix (12 von mindestens 20)"));
        QCOMPARE(fenster.findChild<QLabel *>(u"LSubstitution"_s)->text(),
            QStringLiteral("Zu wenig Buchstaben für die Substitution (12 von mindestens 20)"));
    }
    if (stufe < 2)
        return;
    for (const char *zeile : { "LCaesar", "LVigenere", "LMatrix", "LSubstitution" }) {
        const QString text = fenster.findChild<QLabel *>(QLatin1String(zeile))->text();
        QVERIFY2(text.endsWith(u"Sicherheit: unsicher"), qPrintable(text));
    }
}

// The found key mended by hand, as a class does by eye: what is typed over
// the key shows at once in the preview, and the take-over takes it as typed.
void TestAnalysefenster::schluesselVonHand_data()
{
    QTest::addColumn<QString>("tippen"); // over the whole found key
    QTest::addColumn<QString>("schluessel"); // what the field then holds
    QTest::newRow("as found") << QString() << "SCHULE";
    QTest::newRow("one letter wrong") << "SCHVLE"
                                      << "SCHVLE";
    QTest::newRow("lower case") << "schule"
                                << "SCHULE";
    QTest::newRow("no digits") << "SCH1ULE"
                               << "SCHULE";
}

void TestAnalysefenster::schluesselVonHand()
{
    QFETCH(QString, tippen);
    QFETCH(QString, schluessel);
    Aufbau a;
    a.option().setMethode(Methode::Vigenere);
    a.steuer<QLineEdit>("EdSchluessel").setText(QStringLiteral("Schule"));
    a.steuer<QCheckBox>("CBSonderignorieren").setChecked(true);
    a.klar().setText(kKlartext);
    a.klick("BVerschluesseln");
    const Text geheim = a.chiffre().text();
    a.steuer<QLineEdit>("EdSchluessel").setText(QStringLiteral("Falsch"));
    a.steuer<QCheckBox>("CBSonderignorieren").setChecked(false);
    a.klar().setText({});

    TAnalyseForm &fenster = analysiere(a);
    auto *uebernehmen = fenster.findChild<QPushButton *>(u"BSchluesselUebernehmen"_s);
    const auto *zeilen = fenster.findChild<Schluesselzeilen *>(u"MSchluesselzeilen"_s);
    fenster.findChild<QTabWidget *>(u"Seiten"_s)->setCurrentWidget(uebernehmen->parentWidget());
    QLineEdit *feld = fenster.findChild<QLineEdit *>(u"EdVigenereSchluessel"_s);
    QCOMPARE(feld->text(), QStringLiteral("SCHULE"));
    if (!tippen.isEmpty()) {
        feld->selectAll();
        QTest::keyClicks(feld, tippen);
    }
    QCOMPARE(feld->text(), schluessel);
    const QString klarzeile = lies(*zeilen).zeile[2];
    const Text vorschau = *verschl::VigenereEntschluesseln(
        geheim.substr(0, std::size_t(klarzeile.size())), schluessel.toStdString(), true);
    QCOMPARE(klarzeile, QString::fromLatin1(vorschau));
    QCOMPARE(kKlartext.starts_with(vorschau), schluessel == "SCHULE");
    QTest::mouseClick(uebernehmen, Qt::LeftButton);
    QCOMPARE(a.steuer<QLineEdit>("EdSchluessel").text(), schluessel);
    a.klick("BEntschluesseln");
    QCOMPARE(a.klar().text() == kKlartext, schluessel == "SCHULE");
}

// The German bar of E stands over H at shift 3, where Caesar puts it.
void TestAnalysefenster::schiebereglerVerschiebtDeutsch()
{
    Aufbau a;
    a.chiffre().setText(verschl::CaesarVerschieben(kKlartext, 3));
    TAnalyseForm &fenster = analysiere(a);
    fenster.findChild<QSlider *>(u"TBVerschiebung"_s)->setValue(3);
    QCOMPARE(fenster.findChild<QLabel *>(u"LVerschiebung"_s)->text(),
        QStringLiteral("Verschiebung 3: A → D"));
    const auto &deutsch
        = fenster.findChild<Saeulendiagramm *>(u"DHaeufigkeiten"_s)->reihen().at(1).werte;
    QCOMPARE(deutsch.at(7), 100 * analyse::DeutscheBuchstaben()[4]);
    QCOMPARE(fenster.findChild<QTreeWidget *>(u"LVCaesar"_s)->topLevelItem(0)->text(0),
        QStringLiteral("3 (A → D)"));
}

// Closed while the worker runs: the window goes at once, the worker's result
// later goes nowhere.
void TestAnalysefenster::schliessenWaehrendDerAnalyse()
{
    Aufbau a;
    Text gross;
    while (gross.size() < (std::size_t(8) << 20))
        gross += kKlartext;
    a.chiffre().setText(gross);
    QPointer<TAnalyseForm> fenster = &a.oeffneNeues<TAnalyseForm>("MAnalyse");
    QVERIFY(fenster->Laeuft());
    fenster->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(fenster.isNull());
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

// Each list "beste zuerst" shows first the number it is ordered by, so its
// order can be seen. Before, the found shift led with a higher chi-squared
// than the next, and keys and column counts showed a score without the
// charge or the lead that ordered them.
void TestAnalysefenster::besteZuerst_data()
{
    QTest::addColumn<QString>("liste");
    QTest::addColumn<QByteArray>("chiffre");
    const Text vigenere = *verschl::VigenereVerschluesseln(kKlartext, "SCHULE", true);
    QTest::newRow("Caesar, 12 letters") << "LVCaesar" << QByteArray("Nrpp edog khlp!");
    QTest::newRow("Caesar of a Vigenère text") << "LVCaesar" << QByteArray::fromStdString(vigenere);
    QTest::newRow("Vigenère") << "LVVigenere" << QByteArray::fromStdString(vigenere);
    QTest::newRow("matrix 7 columns")
        << "LVMatrix"
        << QByteArray::fromStdString(verschl::MatrixVerschluesseln(kKlartext, { true, 7 }));
}

void TestAnalysefenster::besteZuerst()
{
    QFETCH(QString, liste);
    QFETCH(QByteArray, chiffre);
    Aufbau a;
    a.chiffre().setText(chiffre.toStdString());
    const auto *l = analysiere(a).findChild<QTreeWidget *>(liste);
    QList<double> werte;
    for (int i = 0; i < l->topLevelItemCount(); ++i) {
        bool zahl = false;
        werte << QLocale().toDouble(l->topLevelItem(i)->text(1), &zahl);
        QVERIFY2(zahl, qPrintable(l->topLevelItem(i)->text(1)));
    }
    // Higher or lower first, as long as every row keeps to it.
    QVERIFY(werte.size() >= 5 && werte.first() != werte.last());
    const double richtung = werte.first() > werte.last() ? 1 : -1;
    for (int i = 1; i < werte.size(); ++i)
        QVERIFY2(
            richtung * (werte[i - 1] - werte[i]) >= 0, qPrintable(l->topLevelItem(i)->text(1)));
}

// Under each byte the key letter that decrypts it, in either way of counting
// key positions, and the engine's decryption under that. Mending one key
// letter, by typing over it or by deleting and retyping it, marks exactly
// the bytes that change; a click on a byte selects its key letter.
void TestAnalysefenster::schluesselzeilen_data()
{
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QString>("schluessel");
    QTest::addColumn<bool>("loeschen"); // delete and retype instead of typing over
    QTest::newRow("ignoring non-letters") << true << "SCHULE" << false;
    QTest::newRow("counting non-letters") << false << "KRYPTO" << false;
    QTest::newRow("counting non-letters, retyped") << false << "KRYPTO" << true;
}

void TestAnalysefenster::schluesselzeilen()
{
    QFETCH(bool, ignorieren);
    QFETCH(QString, schluessel);
    QFETCH(bool, loeschen);
    Aufbau a;
    const std::string k = schluessel.toStdString();
    const Text geheim = *verschl::VigenereVerschluesseln(kKlartext, k, ignorieren);
    a.chiffre().setText(geheim);
    TAnalyseForm &fenster = analysiere(a);
    fenster.findChild<QTabWidget *>(u"Seiten"_s)->setCurrentIndex(2);
    auto *ansicht = fenster.findChild<Schluesselzeilen *>(u"MSchluesselzeilen"_s);
    auto *feld = fenster.findChild<QLineEdit *>(u"EdVigenereSchluessel"_s);
    QCOMPARE(feld->text(), schluessel);
    Zeilen z = lies(*ansicht);
    const auto n = std::size_t(z.zeile[0].size());
    QVERIFY(n >= 100);
    const Text anfang = geheim.substr(0, n);
    QCOMPARE(z.zeile[0], QString::fromLatin1(anfang));
    QCOMPARE(
        z.zeile[2], QString::fromLatin1(*verschl::VigenereEntschluesseln(anfang, k, ignorieren)));
    for (std::size_t i = 0; i < n; ++i) {
        const QChar s = z.zeile[1].at(qsizetype(i));
        QCOMPARE(s == u' ', ignorieren && !codepage::IstBuchstabe(z.zeile[0].at(qsizetype(i))));
        if (s != u' ')
            QCOMPARE(
                verschl::VigenereEntschluesseln(anfang.substr(i, 1), { char(s.unicode()) }, true)
                    ->front(),
                kKlartext[i]);
    }
    QVERIFY(z.markiert[0].isEmpty());

    // The key letter under a byte of the first row, as the class would pick it.
    const std::size_t byte = 5;
    const QString vorher = z.zeile[1].mid(byte, 1);
    klicke(*ansicht, 1, int(byte));
    QCOMPARE(feld->selectedText(), vorher);
    const int stelle = feld->selectionStart();
    if (loeschen) {
        feld->setCursorPosition(stelle + 1);
        QTest::keyClick(feld, Qt::Key_Backspace);
    }
    QTest::keyClicks(feld, vorher == u"Q" ? u"r"_s : u"q"_s);
    const std::string neu = feld->text().toStdString();
    QCOMPARE(neu.size(), k.size());

    z = lies(*ansicht);
    const Text alt = *verschl::VigenereEntschluesseln(anfang, k, ignorieren);
    const Text jetzt = *verschl::VigenereEntschluesseln(anfang, neu, ignorieren);
    QCOMPARE(z.zeile[2], QString::fromLatin1(jetzt));
    QSet<int> geaendert;
    for (std::size_t i = 0; i < n; ++i)
        if (alt[i] != jetzt[i])
            geaendert << int(i);
    QVERIFY(geaendert.contains(int(byte)) && geaendert.size() < int(n) / 4);
    for (const QSet<int> &markiert : z.markiert)
        QCOMPARE(markiert, geaendert);
}

// A German paragraph under the key word ZIFFERON, broken: the found alphabet
// over the plain one, the preview the plaintext. Each letter mended by hand
// changes the preview at once and marks what the last key changed; the
// take-over sets the method window to that alphabet.
void TestAnalysefenster::substitutionsseite_data()
{
    QTest::addColumn<int>("klick"); // a byte of the preview's first row; -1: none
    // The place of this plain letter selected; "|X": the cursor before it.
    QTest::addColumn<QString>("auswahl");
    QTest::addColumn<QString>("tippen");
    QTest::addColumn<int>("taste"); // pressed after typing; 0: none
    QTest::addColumn<QString>("wird"); // see gelesen()
    QTest::addColumn<QString>("offen");
    QTest::newRow("as found") << -1 << ""
                              << "" << 0 << ""
                              << "";
    QTest::newRow("a letter used elsewhere swaps places") << -1 << "E"
                                                          << "J" << 0 << "EN NE"
                                                          << "";
    QTest::newRow("lower case") << -1 << "E"
                                << "j" << 0 << "EN NE"
                                << "";
    QTest::newRow("typed at the cursor: overwrites") << -1 << "|A"
                                                     << "I" << 0 << "AB BA"
                                                     << "";
    QTest::newRow("typed at the cursor: the letter before it") << -1 << "|B"
                                                               << "Z" << 0 << "AB BA"
                                                               << "";
    QTest::newRow("typing goes on to the next place") << -1 << "|A"
                                                      << "IF" << 0 << "BA CB AC"
                                                      << "";
    QTest::newRow("deleted: unknown") << -1 << "E"
                                      << "" << int(Qt::Key_Backspace) << ""
                                      << "E";
    QTest::newRow("a digit: unknown") << -1 << "E"
                                      << "5" << 0 << ""
                                      << "E";
    QTest::newRow("a click on the text selects its cipher letter") << 1 << ""
                                                                   << "J" << 0 << "IN NI"
                                                                   << "";
}

void TestAnalysefenster::substitutionsseite()
{
    QFETCH(int, klick);
    QFETCH(QString, auswahl);
    QFETCH(QString, tippen);
    QFETCH(int, taste);
    QFETCH(QString, wird);
    QFETCH(QString, offen);
    const Text alphabet = verschl::SchluesselwortAlphabet("ZIFFERON");
    const Text geheim = *verschl::SubstitutionVerschluesseln(kKlartext, alphabet);
    Aufbau a;
    a.chiffre().setText(geheim);
    TAnalyseForm &fenster = analysiere(a);
    fenster.findChild<QTabWidget *>(u"Seiten"_s)->setCurrentIndex(4);
    auto *feld = fenster.findChild<QLineEdit *>(u"EdSubstitutionAlphabet"_s);
    auto *ansicht = fenster.findChild<Schluesselzeilen *>(u"MSubstitutionszeilen"_s);
    QVERIFY(feld && ansicht);
    QString gefunden; // '?' where the text holds no such letter
    for (std::size_t p = 0; p < 26; ++p)
        gefunden += analyse::Zaehle(kKlartext).buchstaben[p] ? QChar(alphabet[p]) : QChar(u'?');
    QCOMPARE(feld->text(), gefunden);
    QVERIFY(fenster.findChild<QLabel *>(u"LSubstitution"_s)
                ->text()
                .startsWith(u"Geheimalphabet: "_s + gefunden + u" (Punkte "_s));

    if (klick >= 0)
        klicke(*ansicht, 0, klick);
    if (!auswahl.isEmpty()) {
        feld->setFocus();
        feld->setSelection(auswahl.back().unicode() - u'A', auswahl.size() == 1 ? 1 : 0);
    }
    Zeilen vorher = lies(*ansicht, 2);
    for (const QChar c : tippen) {
        vorher = lies(*ansicht, 2);
        QTest::keyClick(feld, char(c.unicode()));
    }
    if (taste) {
        vorher = lies(*ansicht, 2);
        QTest::keyClick(feld, Qt::Key(taste));
    }
    QString erwartet = gefunden;
    for (const QString &paar : wird.split(u' ', Qt::SkipEmptyParts))
        erwartet[paar.at(1).unicode() - u'A'] = gefunden.at(paar.at(0).unicode() - u'A');
    for (const QChar c : offen)
        erwartet[c.unicode() - u'A'] = u'?';
    QCOMPARE(feld->text(), erwartet);
    const Zeilen z = lies(*ansicht, 2);
    const auto n = std::size_t(z.zeile[0].size());
    QVERIFY(n >= 100);
    QCOMPARE(z.zeile[0], QString::fromLatin1(geheim.substr(0, n)));
    QCOMPARE(z.zeile[1], QString::fromLatin1(gelesen(kKlartext.substr(0, n), wird, offen)));
    QSet<int> geaendert;
    for (qsizetype i = 0; i < z.zeile[1].size(); ++i)
        if (vorher.zeile[1].at(i) != z.zeile[1].at(i))
            geaendert << int(i);
    QCOMPARE(z.markiert[0], geaendert);
    QCOMPARE(z.markiert[1], geaendert);

    QTest::mouseClick(
        fenster.findChild<QPushButton *>(u"BSubstitutionUebernehmen"_s), Qt::LeftButton);
    QCOMPARE(a.option().methode(), Methode::Substitution);
    QCOMPARE(
        a.option().substitutionsschluessel(), verschl::ErgaenzeAlphabet(erwartet.toStdString()));
    if (offen.isEmpty()) {
        a.klick("BEntschluesseln");
        QCOMPARE(a.klar().text(), gelesen(kKlartext, wird, {}));
    }
}

QTEST_MAIN(TestAnalysefenster)
#include "test_analysefenster.moc"
