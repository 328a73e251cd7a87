// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar demonstration, opened from the main window of a fresh program:
// the running light, stepping in both directions, the new input of a
// direction switch, what goes back to the main and method windows.

#include "demos/caesardemo.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"
#include "testhilfen/demoszenarien.h"

#include <functional>
#include <optional>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <qpa/qwindowsysteminterface.h>
#include <QPointer>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <utility>

using namespace Qt::StringLiterals;
using verschl::Text;

Q_DECLARE_METATYPE(DemoEinstellungen)

namespace {

const Text kSatz = TCaesarDemoForm::kBeispielsatz;

// A program with a Caesar demonstration opened by the main window's command.
struct Demo
{
    explicit Demo(const Text &klartext = {}, const Text &chiffre = {},
        DemoEinstellungen demo = kSchnell, const std::function<void(Aufbau &)> &vorher = {})
    {
        if (vorher)
            vorher(a);
        a.klar().setText(klartext);
        a.chiffre().setText(chiffre);
        a.haupt().setDemoEinstellungen(demo);
        f = oeffne();
    }
    TCaesarDemoForm *oeffne() { return &a.oeffneNeues<TCaesarDemoForm>("CaesarVerschlsselung1"); }
    // Extended view with the given shift and, if given, this input.
    void bereit(int verschiebung, std::optional<Text> eingabe = {})
    {
        f->findChild<QPushButton *>(u"BMehr"_s)->click();
        f->findChild<QSlider *>(u"TrackBar"_s)->setValue(verschiebung);
        if (eingabe)
            f->findChild<Bytezeile *>(u"EdText1"_s)->setText(*eingabe);
    }
    void schritte(int n)
    {
        for (int i = 0; i < n; ++i)
            f->findChild<QPushButton *>(u"BSchritt"_s)->click();
    }
    Aufbau a;
    QPointer<TCaesarDemoForm> f;
};

// The columns that carry the marking colour, as row 0 shows them.
QList<int> markiert(const TCaesarDemoForm &f)
{
    const auto *alphabete = f.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    const QColor farbe = Markierungsfarbe().aufgeloest(alphabete->palette());
    QList<int> spalten;
    for (int c = 0; c < 26; ++c) {
        if (alphabete->HintergrundVon(c, 0) == farbe)
            spalten << c;
    }
    return spalten;
}

} // namespace

class TestCaesarDemo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lauflicht_data();
    void lauflicht();
    void satzHinUndZurueck();
    void beliebigesAlphabet_data();
    void beliebigesAlphabet();
    void richtungswechsel_data();
    void richtungswechsel();
    void seltsameEingaben_data();
    void seltsameEingaben();
    void ansichten();
    void rueckschreiben_data();
    void rueckschreiben();
    void starttexte_data();
    void starttexte();
    void klickWaehrendLauflicht_data();
    void klickWaehrendLauflicht();
    void tastenWaehrendLauflicht();
    void schliessenWaehrendLauflicht_data();
    void schliessenWaehrendLauflicht();
    void zweiFensterUnabhaengig();
    void langeZeile();
};

void TestCaesarDemo::lauflicht_data()
{
    QTest::addColumn<bool>("verschluesseln");
    QTest::addColumn<bool>("animation");
    QTest::addColumn<int>("verschiebung");
    QTest::addColumn<QByteArray>("zeichen");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("spalte");
    QTest::addColumn<QByteArray>("ergebnis");
    QTest::newRow("encrypt Z: 26 stops")
        << true << true << 0 << QByteArray("Z") << 0 << 25 << QByteArray("Z");
    QTest::newRow("encrypt A: one stop")
        << true << true << 0 << QByteArray("A") << 0 << 0 << QByteArray("A");
    QTest::newRow("encrypt a, shift 25")
        << true << true << 25 << QByteArray("a") << 0 << 0 << QByteArray("z");
    QTest::newRow("encrypt z, shift 3")
        << true << true << 3 << QByteArray("z") << 0 << 25 << QByteArray("c");
    QTest::newRow("decrypt D, shift 3")
        << false << true << 3 << QByteArray("D") << 1 << 0 << QByteArray("A");
    QTest::newRow("decrypt c, shift 3")
        << false << true << 3 << QByteArray("c") << 1 << 25 << QByteArray("z");
    QTest::newRow("no animation") << true << false << 0 << QByteArray("Z") << 0 << 25
                                  << QByteArray("Z");
}

// The light visits the cells of its row one at a time up to the letter's
// column; along row 1 its last cell stays lit with the column marking.
void TestCaesarDemo::lauflicht()
{
    QFETCH(bool, verschluesseln);
    QFETCH(bool, animation);
    QFETCH(int, verschiebung);
    QFETCH(QByteArray, zeichen);
    QFETCH(int, zeile);
    QFETCH(int, spalte);
    QFETCH(QByteArray, ergebnis);
    Demo d({}, {}, { animation, 0, 2, 1, false });
    d.bereit(verschiebung);
    auto *alphabete = d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s);
    if (!verschluesseln)
        d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    d.f->findChild<Bytezeile *>(u"EdText1"_s)->setText(alsText(zeichen));
    Lichtprotokoll licht(alphabete, 26, 2, Lichtprotokoll::Folge::Zeilenweise);
    d.schritte(1);

    QList<QList<QPoint>> erwartet;
    for (int j = 0; animation && j <= spalte; ++j)
        erwartet << QList<QPoint> { QPoint(j, zeile) };
    QCOMPARE(licht.stopps, erwartet);
    QCOMPARE(markiert(*d.f), QList<int> { spalte });
    QCOMPARE(alphabete->HatZellBrush(spalte, 1), animation && zeile == 1);
    QVERIFY(!alphabete->HatZellBrush(spalte, 0));
    QVERIFY(alphabete->SchriftVon(spalte, 0).bold());
    QCOMPARE(alphabete->SchriftfarbeVon(spalte, 0), QColor(Qt::white));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ergebnis));
    QVERIFY(!d.f->AnimationLaeuft());
}

// The sentence step by step, then its result back again: blanks, "ß" and
// "!" pass unchanged and mark nothing; a click after the end only clears.
void TestCaesarDemo::satzHinUndZurueck()
{
    Demo d;
    d.bereit(3);
    const Text chiffre = verschl::CaesarVerschieben(kSatz, 3);
    for (const bool hin : { true, false }) {
        const Text ziel = hin ? chiffre : kSatz;
        Lichtprotokoll licht(d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s), 26, 2,
            Lichtprotokoll::Folge::Zeilenweise);
        for (int i = 0; i < 23; ++i) {
            d.schritte(1);
            const Text ergebnis = feld(d.f->findChild<Bytezeile *>(u"EdText2"_s));
            QCOMPARE(ergebnis.size(), size_t(23));
            QCOMPARE(ergebnis.substr(0, i + 1), ziel.substr(0, i + 1));
            // Both ways the plain letter's column is marked.
            const char c = kSatz[i];
            const int spalte = c >= 'a' ? c - 'a' : c - 'A';
            QCOMPARE(
                markiert(*d.f), spalte >= 0 && spalte < 26 ? QList<int> { spalte } : QList<int> {});
            QCOMPARE(d.f->findChild<Bytezeile *>(u"EdText1"_s)->AuswahlAnfang(), qsizetype(i));
        }
        for (const QList<QPoint> &stopp : licht.stopps)
            QCOMPARE(stopp.front().y(), hin ? 0 : 1);
        d.schritte(1);
        QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), ziel);
        QCOMPARE(d.f->Schrittindex(), 22);
        QVERIFY(markiert(*d.f).isEmpty());
        QVERIFY(!d.f->findChild<Bytezeile *>(u"EdText1"_s)->hatAuswahl()
            && !d.f->findChild<Bytezeile *>(u"EdText2"_s)->hatAuswahl());
        (hin ? d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)
             : d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s))
            ->click();
        QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), ziel);
    }
}

void TestCaesarDemo::beliebigesAlphabet_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<bool>("verschluesseln");
    QTest::addColumn<QByteArray>("eingabe");
    QTest::addColumn<QByteArray>("ergebnis");
    QTest::addColumn<QString>("zeile"); // empty: the shift controls
    const QByteArray satz("Hallo Welt, \xd6l und \xdf!");
    const QString wort = u"Substitution · Schlüsselwort ZIFFERON"_s;
    QTest::newRow("Caesar 3 encrypts") << Methode::Caesar << QByteArray() << true << satz
                                       << QByteArray("Kdoor Zhow, \xd6o xqg \xdf!") << QString();
    QTest::newRow("Caesar 3 decrypts")
        << Methode::Caesar << QByteArray() << false << QByteArray("Kdoor Zhow, \xd6o")
        << satz.left(14) << QString();
    QTest::newRow("key word encrypts") << Methode::Substitution << QByteArray("ZIFFERON") << true
                                       << satz << QByteArray("Azggk Vrgs, \xd6g tje \xdf!") << wort;
    QTest::newRow("key word decrypts")
        << Methode::Substitution << QByteArray("ZIFFERON") << false << QByteArray("Azggk Vrg\r\ns")
        << QByteArray("Hallo Wel\r\nt") << wort;
    QTest::newRow("whole alphabet encrypts")
        << Methode::Substitution << QByteArray("QWERTZUIOPASDFGHJKLYXCVBNM") << true
        << QByteArray("Zebra \xc4z") << QByteArray("Mtwkq \xc4m")
        << u"Substitution · Alphabet QWERTZUIOPASDFGHJKLYXCVBNM"_s;
    QTest::newRow("substitution without key: the shift")
        << Methode::Substitution << QByteArray() << true << QByteArray("Zebra")
        << QByteArray("Cheud") << QString();
}

// With the shift or a substitution alphabet from the method window: the lower
// row, the light along the plain row or the cipher row to the letter, and the
// result of every step as the engine would write it.
void TestCaesarDemo::beliebigesAlphabet()
{
    QFETCH(Methode, methode);
    QFETCH(QByteArray, schluessel);
    QFETCH(bool, verschluesseln);
    QFETCH(QByteArray, eingabe);
    QFETCH(QByteArray, ergebnis);
    QFETCH(QString, zeile);
    Demo d({}, {}, kSchnell, [&](Aufbau &a) {
        a.option().setVerschiebung(3);
        a.option().setSubstitutionsschluessel(schluessel.toStdString());
        a.option().setMethode(methode);
    });
    const auto alphabet = zeile.isEmpty() ? std::nullopt : Geheimalphabet(schluessel.toStdString());
    const auto engine = [&](const Text &t, bool hin) {
        if (alphabet) {
            return *(hin ? verschl::SubstitutionVerschluesseln(t, *alphabet)
                         : verschl::SubstitutionEntschluesseln(t, *alphabet));
        }
        return verschl::CaesarVerschieben(t, hin ? 3 : -3);
    };
    auto *alphabete = d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s);
    for (int i = 0; i < 26; ++i)
        QCOMPARE(alphabete->Cells(i, 1), engine(Text(1, char('A' + i)), true));
    for (const char *name : { "LAzu", "ComboBox", "TrackBar" })
        QCOMPARE(d.f->findChild<QWidget *>(QLatin1String(name))->isHidden(), !zeile.isEmpty());
    const auto *verfahren = d.f->findChild<QLabel *>(u"LVerfahren"_s);
    QCOMPARE(verfahren ? verfahren->accessibleName() : QString(), zeile);
    QCOMPARE(d.f->windowTitle(),
        zeile.isEmpty() ? u"Caesarverschlüsselungs-Demonstration"_s
                        : u"Substitutions-Demonstration"_s);

    d.f->findChild<QPushButton *>(u"BMehr"_s)->click();
    if (!verschluesseln)
        d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    const Text text = alsText(eingabe);
    d.f->findChild<Bytezeile *>(u"EdText1"_s)->setText(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        Lichtprotokoll licht(alphabete, 26, 2, Lichtprotokoll::Folge::Zeilenweise);
        d.schritte(1);
        const int spalte = demo::BuchstabenIndex(static_cast<unsigned char>(
            verschluesseln ? text[i] : engine(text.substr(i, 1), false)[0]));
        QCOMPARE(markiert(*d.f), spalte < 0 ? QList<int> {} : QList<int> { spalte });
        if (spalte >= 0)
            QCOMPARE(licht.stopps.last(), QList<QPoint> { QPoint(spalte, verschluesseln ? 0 : 1) });
    }
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), engine(text, verschluesseln));
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ergebnis));
}

void TestCaesarDemo::richtungswechsel_data()
{
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<int>("schritte");
    QTest::addColumn<bool>("zurueck");
    QTest::addColumn<QByteArray>("erwartet");
    const QByteArray verschluesselt
        = QByteArray::fromStdString(verschl::CaesarVerschieben(kSatz, 3));
    QTest::newRow("nothing anywhere: the sentence encrypted")
        << QByteArray() << QByteArray() << 0 << false << verschluesselt;
    QTest::newRow("ciphertext pane")
        << QByteArray() << QByteArray("Wkh\r\nhqg") << 0 << false << QByteArray("Wkh\r\nhqg");
    QTest::newRow("one step: its character")
        << QByteArray() << QByteArray("X") << 1 << false << QByteArray("N");
    QTest::newRow("five steps: five characters")
        << QByteArray() << QByteArray() << 5 << false << verschluesselt.left(5);
    QTest::newRow("a blank it made stays")
        << QByteArray("a b") << QByteArray() << 2 << false << QByteArray("d ");
    QTest::newRow("complete run: all of it")
        << QByteArray() << QByteArray() << 23 << false << verschluesselt;
    QTest::newRow("click past the end: all of it")
        << QByteArray() << QByteArray() << 30 << false << verschluesselt;
    QTest::newRow("back, nothing anywhere: the sentence")
        << QByteArray() << QByteArray() << 0 << true << QByteArray::fromStdString(kSatz);
    QTest::newRow("back: plaintext pane")
        << QByteArray("Hallo") << QByteArray() << 0 << true << QByteArray("Hallo");
}

// Every switch restarts with a new input: the result so far (without the
// blanks that only fill it up), else the main window's pane, else the sentence.
void TestCaesarDemo::richtungswechsel()
{
    QFETCH(QByteArray, klar);
    QFETCH(QByteArray, chiffre);
    QFETCH(int, schritte);
    QFETCH(bool, zurueck);
    QFETCH(QByteArray, erwartet);
    Demo d(alsText(klar), alsText(chiffre));
    d.bereit(3);
    d.schritte(schritte);
    d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    if (zurueck)
        d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)->click();
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(erwartet));
    QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
    QCOMPARE(d.f->Schrittindex(), -1);
    QCOMPARE(d.f->RichtungVerschluesseln(), zurueck);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)->isChecked(), zurueck);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->isChecked(), !zurueck);
    QCOMPARE(d.f->findChild<QPushButton *>(u"BSchritt"_s)->text(),
        zurueck ? u"&Buchstaben verschlüsseln" : u"&Buchstaben entschlüsseln");
    QCOMPARE(d.f->findChild<QLabel *>(u"LText1"_s)->text(), zurueck ? u"&Klartext" : u"&Chiffre");
    QCOMPARE(d.f->findChild<QLabel *>(u"LText2"_s)->text(), zurueck ? u"&Chiffre" : u"&Klartext");
    // The active direction's button again: nothing changes.
    d.f->findChild<Bytezeile *>(u"EdText2"_s)->setText("x");
    (zurueck ? d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)
             : d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s))
        ->click();
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(erwartet));
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->isChecked(), !zurueck);
}

void TestCaesarDemo::seltsameEingaben_data()
{
    QTest::addColumn<QByteArray>("eingabe");
    QTest::addColumn<int>("schritte");
    QTest::newRow("empty") << QByteArray() << 3;
    QTest::newRow("umlauts and sharp s") << QByteArray("\xc4\xf6\xfc\xdf") << 4;
    QTest::newRow("line break") << QByteArray("a\r\nZ") << 4;
    QTest::newRow("control bytes") << QByteArray("\x00\x01\x1fq\x7f\x81\xff", 7) << 7;
    QByteArray lang(40000, 'x');
    lang[39999] = 'y';
    QTest::newRow("longer than a line edit's default") << lang << 2;
}

// Any byte goes through the fields unchanged; only letters are shifted.
void TestCaesarDemo::seltsameEingaben()
{
    QFETCH(QByteArray, eingabe);
    QFETCH(int, schritte);
    Demo d({}, {}, { false, 0, 300, 150, false });
    const Text text = alsText(eingabe);
    d.bereit(2, text);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), text);
    d.schritte(schritte);
    const Text chiffre = verschl::CaesarVerschieben(text, 2);
    const size_t fertig = std::min(size_t(schritte), text.size());
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)),
        chiffre.substr(0, fertig) + Text(text.size() - fertig, ' '));
    QCOMPARE(d.f->Schrittindex(), int(fertig) - 1);
    d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->click();
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)),
        text.empty() ? verschl::CaesarVerschieben(kSatz, 2) : chiffre.substr(0, fertig));
}

// The view switch enables the text part and moves the focus; a click on the
// grid hands the focus on to the button of the view.
void TestCaesarDemo::ansichten()
{
    Demo d;
    TCaesarDemoForm &f = *d.f;
    const QList<QWidget *> textteil = { f.findChild<Bytezeile *>(u"EdText1"_s),
        f.findChild<Bytezeile *>(u"EdText2"_s), f.findChild<QToolButton *>(u"SpBVerschluesseln"_s),
        f.findChild<QToolButton *>(u"SpBEntschluesseln"_s),
        f.findChild<QPushButton *>(u"BSchritt"_s), f.findChild<QCheckBox *>(u"CBAnimation"_s),
        f.findChild<QSlider *>(u"TBGeschw"_s) };
    for (const bool erweitert : { false, true, false }) {
        QCOMPARE(f.height(), erweitert ? 244 : 83);
        QCOMPARE(f.findChild<QPushButton *>(u"BMehr"_s)->text(),
            erweitert ? u"<< Verkleiner&t" : u"Erweiter&t >>");
        for (QWidget *w : textteil)
            QVERIFY2(w->isEnabled() == erweitert, qPrintable(w->objectName()));
        QVERIFY(f.findChild<QPushButton *>(u"BRueck"_s)->isEnabled());
        QTest::mouseClick(f.findChild<TStringAlignGrid *>(u"SAGrid"_s)->viewport(), Qt::LeftButton);
        QCOMPARE(f.focusWidget(),
            erweitert ? static_cast<QWidget *>(f.findChild<QPushButton *>(u"BSchritt"_s))
                      : f.findChild<QPushButton *>(u"BSchliessen"_s));
        f.findChild<QPushButton *>(u"BMehr"_s)->click();
    }
    QCOMPARE(f.findChild<QPushButton *>(u"BMehr"_s)->toolTip(), u"Anzeige verkleinern");
}

void TestCaesarDemo::rueckschreiben_data()
{
    QTest::addColumn<bool>("uebernehmen");
    QTest::addColumn<bool>("perListe");
    QTest::newRow("slider, options adopted") << true << false;
    QTest::newRow("letter list, options adopted") << true << true;
    QTest::newRow("slider, not adopted") << false << false;
    QTest::newRow("letter list, not adopted") << false << true;
}

// The shift goes to the method window only with "&Demo-Optionen übernehmen";
// the animation settings go back to the main window in either case.
void TestCaesarDemo::rueckschreiben()
{
    QFETCH(bool, uebernehmen);
    QFETCH(bool, perListe);
    Demo d;
    if (uebernehmen)
        d.a.klicke("MMDemoOptUebernehmen");
    d.bereit(d.f->findChild<QSlider *>(u"TrackBar"_s)->value());
    if (perListe) {
        d.f->findChild<QComboBox *>(u"ComboBox"_s)->setCurrentIndex(7);
        Q_EMIT d.f->findChild<QComboBox *>(u"ComboBox"_s)->activated(7);
    } else {
        d.f->findChild<QSlider *>(u"TrackBar"_s)->setValue(7);
    }
    QCOMPARE(d.f->findChild<QSlider *>(u"TrackBar"_s)->value(), 7);
    QCOMPARE(d.f->findChild<QComboBox *>(u"ComboBox"_s)->currentIndex(), 7);
    QCOMPARE(d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s)->Cells(0, 1), "H");
    const int methode = uebernehmen ? 7 : 2;
    QCOMPARE(d.a.steuer<QSlider>("TrackBar").value(), methode);
    QCOMPARE(d.a.steuer<QComboBox>("ComboBox").currentIndex(), methode);
    QCOMPARE(d.a.steuer<QLabel>("LVerschAusgabe").text(),
        QStringLiteral("Verschiebung um %1 Buchstaben").arg(methode));
    QCOMPARE(d.a.option().GemerkteVerschiebung(), methode);

    d.f->findChild<QSlider *>(u"TBGeschw"_s)->setValue(2);
    d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->click();
    const DemoEinstellungen demo = d.a.haupt().demoEinstellungen();
    QCOMPARE(demo.AnimationAktuell, 2);
    QCOMPARE(demo.Animation, false);
    QVERIFY(d.f->findChild<QSlider *>(u"TBGeschw"_s)->isHidden());
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->text(), u"&Animation");
}

void TestCaesarDemo::starttexte_data()
{
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<DemoEinstellungen>("demo");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("geschw");
    QTest::newRow("empty pane") << QByteArray() << DemoEinstellungen {}
                                << QByteArray::fromStdString(kSatz) << 150;
    QTest::newRow("plaintext pane") << QByteArray("\xc4rger\r\n\x01") << DemoEinstellungen {}
                                    << QByteArray("\xc4rger\r\n\x01") << 150;
    QTest::newRow("no animation") << QByteArray() << DemoEinstellungen { false, 0, 300, 40, false }
                                  << QByteArray::fromStdString(kSatz) << 40;
    QTest::newRow("speed clamped")
        << QByteArray() << DemoEinstellungen { true, 100, 200, 250, false }
        << QByteArray::fromStdString(kSatz) << 200;
}

// What the window takes when it opens, and that opening writes nothing back.
void TestCaesarDemo::starttexte()
{
    QFETCH(QByteArray, klar);
    QFETCH(DemoEinstellungen, demo);
    QFETCH(QByteArray, text);
    QFETCH(int, geschw);
    Demo d(alsText(klar), {}, demo, [](Aufbau &a) { a.steuer<QSlider>("TrackBar").setValue(5); });
    const auto *alphabete = d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), alsText(text));
    QVERIFY(d.f->findChild<Bytezeile *>(u"EdText2"_s)->text().empty());
    QCOMPARE(d.f->findChild<QSlider *>(u"TrackBar"_s)->value(), 5);
    QCOMPARE(d.f->findChild<QComboBox *>(u"ComboBox"_s)->currentIndex(), 5);
    QCOMPARE(alphabete->Cells(0, 1), "F");
    QCOMPARE(alphabete->Cells(25, 0), "Z");
    QVERIFY(alphabete->SchriftVon(3, 0).bold() && !alphabete->SchriftVon(3, 1).bold());
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->isChecked(), demo.Animation);
    QCOMPARE(d.f->findChild<QSlider *>(u"TBGeschw"_s)->isHidden(), !demo.Animation);
    QCOMPARE(d.f->findChild<QSlider *>(u"TBGeschw"_s)->value(), geschw);
    QCOMPARE(d.f->windowTitle(), u"Caesarverschlüsselungs-Demonstration");
    QVERIFY(d.f->isWindow() && !d.f->parent());
    const DemoEinstellungen danach = d.a.haupt().demoEinstellungen();
    QCOMPARE(danach.Animation, demo.Animation);
    QCOMPARE(danach.AnimationAktuell, demo.AnimationAktuell);
    QCOMPARE(d.a.option().GemerkteVerschiebung(), 5);
}

void TestCaesarDemo::klickWaehrendLauflicht_data()
{
    QTest::addColumn<QString>("knopf");
    QTest::addColumn<bool>("vomDesktop");
    QTest::addColumn<int>("schrittindex");
    QTest::addColumn<QByteArray>("ergebnis");
    QTest::addColumn<bool>("verschluesseln");
    QTest::addColumn<bool>("animation");
    for (const char *knopf : { "BSchritt", "BRueck", "SpBEntschluesseln", "CBAnimation" })
        QTest::addRow("%s during the light: ignored", knopf)
            << knopf << false << 0 << QByteArray("A ") << true << true;
    QTest::newRow("step from the desktop: after")
        << "BSchritt" << true << 1 << QByteArray("Ab") << true << true;
    QTest::newRow("reset from the desktop: after")
        << "BRueck" << true << -1 << QByteArray() << true << true;
    QTest::newRow("direction from the desktop: after")
        << "SpBEntschluesseln" << true << -1 << QByteArray() << false << true;
    QTest::newRow("animation from the desktop: after")
        << "CBAnimation" << true << 0 << QByteArray("A ") << true << false;
}

// A click from the desktop waits in the queue while the light runs and is
// handled once it is over. A click that reaches the window during the light
// anyway changes nothing: the light goes on to its end and the step completes.
void TestCaesarDemo::klickWaehrendLauflicht()
{
    QFETCH(QString, knopf);
    QFETCH(bool, vomDesktop);
    QFETCH(int, schrittindex);
    QFETCH(QByteArray, ergebnis);
    QFETCH(bool, verschluesseln);
    QFETCH(bool, animation);
    Demo d;
    d.bereit(1, Text("Za"));
    demoszenario::klickWaehrendLauflicht(this, d, knopf, vomDesktop, 26);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(d.f->Schrittindex(), 0);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), Text("A "));
    QCOMPARE(markiert(*d.f), QList<int> { 25 });

    QCoreApplication::processEvents();
    QCOMPARE(d.f->Schrittindex(), schrittindex);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), alsText(ergebnis));
    QCOMPARE(d.f->RichtungVerschluesseln(), verschluesseln);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBVerschluesseln"_s)->isChecked(), verschluesseln);
    QCOMPARE(d.f->findChild<QToolButton *>(u"SpBEntschluesseln"_s)->isChecked(), !verschluesseln);
    QCOMPARE(d.f->findChild<QCheckBox *>(u"CBAnimation"_s)->isChecked(), animation);
    QCOMPARE(d.f->findChild<QSlider *>(u"TBGeschw"_s)->isHidden(), !animation);
    QCOMPARE(d.a.haupt().demoEinstellungen().Animation, animation);
    QVERIFY(!d.f->AnimationLaeuft());
}

// Every Alt+B pressed during a light is a step of its own afterwards.
void TestCaesarDemo::tastenWaehrendLauflicht()
{
    Demo d;
    d.bereit(1, Text("Zab"));
    QVERIFY(QTest::qWaitForWindowActive(d.f));
    bool gedrueckt = false;
    connect(d.f->findChild<TStringAlignGrid *>(u"SAGrid"_s), &TStringAlignGrid::gemalt, this, [&] {
        if (std::exchange(gedrueckt, true))
            return;
        using W = QWindowSystemInterface;
        for (int i = 0; i < 2; ++i) {
            for (const auto art : { QEvent::KeyPress, QEvent::KeyRelease }) {
                W::handleKeyEvent<W::AsynchronousDelivery>(
                    d.f->windowHandle(), art, Qt::Key_B, Qt::AltModifier, QStringLiteral("b"));
            }
        }
    });
    d.schritte(1);
    QCOMPARE(d.f->Schrittindex(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), Text("Abc"));
}

void TestCaesarDemo::schliessenWaehrendLauflicht_data()
{
    demoszenario::schliessenWaehrendLauflicht_data();
}

void TestCaesarDemo::schliessenWaehrendLauflicht()
{
    QFETCH(bool, loeschen);
    Demo d;
    d.bereit(0, Text("Z"));
    demoszenario::schliessenWaehrendLauflicht(this, d, 3, loeschen);
    if (QTest::currentTestFailed())
        return;
    d.bereit(0, Text("b"));
    d.schritte(1);
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText2"_s)), Text("b"));
}

// A line of 1 MiB, stepped to the first byte after a soft break.
void TestCaesarDemo::langeZeile()
{
    const Text zeile = buchstabenzeile(1 << 20);
    Demo d(zeile, {}, kOhneLicht);
    d.bereit(3);
    const int stelle = int(Bytezeile::kStueck);
    d.schritte(stelle + 1);
    pruefeLangeZeile(*d.f->findChild<Bytezeile *>(u"EdText1"_s),
        *d.f->findChild<Bytezeile *>(u"EdText2"_s), zeile, stelle,
        verschl::CaesarVerschieben(zeile.substr(stelle, 1), 3).front());
}

void TestCaesarDemo::zweiFensterUnabhaengig()
{
    Demo d;
    d.bereit(3);
    const auto erstes = demoszenario::zweiFenster(d, 4, [&d] { d.bereit(1); });
    QCOMPARE(erstes->Schrittindex(), 3);
    QVERIFY(erstes->RichtungVerschluesseln());
    QCOMPARE(markiert(*erstes), QList<int> { 15 }); // "p" of "Kryptologie"
    QCOMPARE(d.f->Schrittindex(), 0);
    QVERIFY(!d.f->RichtungVerschluesseln());
    QCOMPARE(feld(d.f->findChild<Bytezeile *>(u"EdText1"_s)), verschl::CaesarVerschieben(kSatz, 1));
    QCOMPARE(markiert(*d.f), QList<int> { 10 }); // "K"
}

QTEST_MAIN(TestCaesarDemo)
#include "test_caesardemo.moc"
