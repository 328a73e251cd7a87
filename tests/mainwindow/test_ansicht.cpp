// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/registry.h"
#include "testhilfen/aufbau.h"

#include <QDir>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using verschl::Text;

using namespace Qt::StringLiterals;

namespace {

// The main window's menus: those of the menu bar, their sub-menus and the
// pop-up menu.
QList<QMenu *> menues(Aufbau &a) { return a.haupt().findChildren<QMenu *>(); }

} // namespace

class TestAnsicht : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jedeAktionErreichbar();
    void kuerzelEindeutig();
    void bilder();
    void haken();
    void popupBeiRechtsklick_data();
    void popupBeiRechtsklick();
    void demoRichtlinie_data();
    void demoRichtlinie();
    void kleinsteGroesse();
    void layoutRegel_data();
    void layoutRegel();
    void zeilenumbruch();
    void hintergrundfarben();
    void schriftart();
    void texteTauschen_data();
    void texteTauschen();
    void statuszeileOeffnetAdresse_data();
    void statuszeileOeffnetAdresse();
    void altDWechseltDieMenues();
    void methodenzeile_data();
    void methodenzeile();
    void methodenzeileFolgtDemTippen();
    void methodenzeileOeffnetMethodenfenster();
    void eintraegeLaufenWieIhreKnoepfe_data();
    void eintraegeLaufenWieIhreKnoepfe();
};

// Every command can be reached from a menu; the tool bar only repeats some.
void TestAnsicht::jedeAktionErreichbar()
{
    Aufbau a;
    QList<QAction *> inMenues;
    for (const QMenu *menue : menues(a))
        inMenues << menue->actions();
    for (const QAction *aktion : a.haupt().findChildren<QAction *>()) {
        if (!aktion->objectName().isEmpty() && !aktion->isSeparator())
            QVERIFY2(inMenues.contains(aktion), qPrintable(aktion->objectName()));
    }
    const QList<QAction *> leiste = a.steuer<QToolBar>("ToolBar").actions();
    QVERIFY(!leiste.isEmpty());
    for (QAction *aktion : leiste)
        QVERIFY2(aktion->isSeparator() || inMenues.contains(aktion), qPrintable(aktion->toolTip()));
}

// No two items of one menu claim the same letter; in the menu bar only
// "&Datei" and "&Demos" share theirs, which Alt+D opens in turn.
void TestAnsicht::kuerzelEindeutig()
{
    Aufbau a;
    const auto doppelte = [](const QList<QAction *> &aktionen) {
        QList<QKeySequence> gesehen;
        QStringList doppelt;
        for (const QAction *aktion : aktionen) {
            const QKeySequence kuerzel = QKeySequence::mnemonic(aktion->text());
            if (!kuerzel.isEmpty() && gesehen.contains(kuerzel))
                doppelt << aktion->text();
            gesehen << kuerzel;
        }
        return doppelt;
    };
    for (const QMenu *menue : menues(a))
        QVERIFY2(doppelte(menue->actions()).isEmpty(), qPrintable(menue->title()));
    QCOMPARE(doppelte(a.haupt().menuBar()->actions()), QStringList { u"&Demos"_s });
}

// Every icon the program ships is shown on an item and renders; the tool
// bar shows nothing but icons, and the pop-up menu none.
void TestAnsicht::bilder()
{
    Aufbau a;
    QList<QImage> gezeigt;
    for (const QMenu *menue : menues(a)) {
        for (const QAction *aktion : menue->actions()) {
            if (!aktion->icon().isNull())
                gezeigt << aktion->icon().pixmap(16, 16).toImage();
        }
    }
    for (const QAction *aktion : a.steuer<QToolBar>("ToolBar").actions()) {
        if (!aktion->isSeparator())
            QVERIFY2(!aktion->icon().pixmap(16, 16).isNull(), qPrintable(aktion->toolTip()));
    }
    const QDir bilder(u":/icons"_s);
    const QStringList dateien = bilder.entryList(QDir::Files);
    QVERIFY(!dateien.isEmpty());
    for (const QString &datei : dateien) {
        const QImage bild = QIcon(bilder.filePath(datei)).pixmap(16, 16).toImage();
        QVERIFY2(!bild.isNull() && gezeigt.contains(bild), qPrintable(datei));
    }
    for (const QAction *eintrag : a.steuer<QMenu>("PopupMenu1").actions())
        QVERIFY(eintrag->icon().isNull());
}

void TestAnsicht::haken()
{
    Aufbau a;
    const std::pair<const char *, bool> haken[] = {
        { "Zeilenumbruchautomatisch", true },
        { "MMHintergrundfarbig", true },
        { "MMDemoOptUebernehmen", false },
        { "SMNichtgespeichertWarnung", true },
        { "SMUeberschreibwarnung", true },
        { "OptInRegistry", false },
    };
    for (const auto &[name, an] : haken) {
        QVERIFY2(a.aktion(name).isCheckable(), name);
        QVERIFY2(a.aktion(name).isChecked() == an, name);
    }
    QCOMPARE(a.aktion("MMDemoOptUebernehmen").toolTip(),
        QStringLiteral("Änderungen in den Demos wirken sich im Hauptprogramm aus"));
}

void TestAnsicht::popupBeiRechtsklick_data()
{
    QTest::addColumn<QString>("ziel");
    QTest::addColumn<bool>("popup");
    QTest::newRow("button") << "BEntschluesseln" << true;
    QTest::newRow("label") << "Lchiffre" << true;
    QTest::newRow("free area") << "Arbeitsflaeche" << true;
    QTest::newRow("pane has its own menu") << "MKlar" << false;
}

void TestAnsicht::popupBeiRechtsklick()
{
    QFETCH(QString, ziel);
    QFETCH(bool, popup);
    Aufbau a;
    QVERIFY(QTest::qWaitForWindowExposed(&a.haupt()));
    QWidget &w = a.steuer<QWidget>(qPrintable(ziel));
    QWidget *empfaenger = &w;
    QPoint stelle(1, 1);
    if (auto *pane = qobject_cast<QPlainTextEdit *>(&w)) {
        empfaenger = pane->viewport();
    } else if (ziel == QLatin1String("Arbeitsflaeche")) {
        stelle = QPoint(w.width() - 2, 2); // right of the "Klartext" label
    }
    QTest::mouseClick(empfaenger, Qt::RightButton, {}, stelle);
    QContextMenuEvent kontext(QContextMenuEvent::Mouse, stelle, empfaenger->mapToGlobal(stelle));
    QCoreApplication::sendEvent(empfaenger, &kontext);
    QMenu &menue = a.steuer<QMenu>("PopupMenu1");
    QCOMPARE(menue.isVisible(), popup);
    menue.hide();
    if (!popup) {
        // The pane's own German editing menu appears instead.
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QApplication::activePopupWidget()->close();
    }
}

void TestAnsicht::demoRichtlinie_data()
{
    QTest::addColumn<QByteArray>("wert");
    QTest::addColumn<QByteArray>("analyse");
    // matrix, Caesar, Vigenère, menu, analysis
    QTest::addColumn<QList<bool>>("sichtbar");
    const auto zeile
        = [](const char *name, const QByteArray &wert, const QByteArray &analyse,
              const QList<bool> &sichtbar) { QTest::newRow(name) << wert << analyse << sichtbar; };
    const QList<bool> alle { true, true, true, true, true };
    const QList<bool> keineDemo { false, false, false, false, true };
    zeile("no key", {}, {}, alle);
    zeile("3", "dword:00000003", {}, { false, false, true, true, true });
    zeile("4", "dword:00000004", {}, { true, true, false, true, true });
    zeile("7", "dword:00000007", {}, keineDemo);
    zeile("100", "dword:00000064", {}, keineDemo);
    zeile("-2: bits, no cap", "dword:fffffffe", {}, { true, false, false, true, true });
    zeile("typed 7", "7", {}, keineDemo);
    zeile("typed 3", "3", {}, { false, false, true, true, true });
    zeile("typed -1: bits, no cap", "-1", {}, { false, false, false, true, true });
    zeile("text counts as 0", "sieben", {}, alle);
    zeile("hex typed as text counts as 0", "0x7", {}, alle);
    zeile("NoAnalyse 1", {}, "dword:00000001", { true, true, true, true, false });
    zeile("NoAnalyse typed 1", {}, "1", { true, true, true, true, false });
    zeile("NoAnalyse 0", {}, "dword:00000000", alle);
    zeile("NoAnalyse 2: bit 1 only", {}, "dword:00000002", alle);
    zeile("NoAnalyse text counts as 0", {}, "ja", alle);
    zeile("both", "7", "1", { false, false, false, false, false });
}

void TestAnsicht::demoRichtlinie()
{
    QFETCH(QByteArray, wert);
    QFETCH(QByteArray, analyse);
    QFETCH(QList<bool>, sichtbar);
    Aufbau a({}, [&wert, &analyse](const Wurzeln &w) {
        QByteArray werte;
        if (!wert.isEmpty())
            werte += "NoDemo=" + wert + "\n";
        if (!analyse.isEmpty())
            werte += "NoAnalyse=" + analyse + "\n";
        if (!werte.isEmpty())
            schreibeDatei(w.maschine, QStringLiteral("rovozu.conf"), "[General]\n" + werte);
    });
    const std::pair<const char *, const char *> demos[] = {
        { "MatrixVerschlsselung1", "PopMDemoMatrix" },
        { "CaesarVerschlsselung1", "PopMDemoCaesar" },
        { "VigenreMatrix1", "PopMDemoVigenere" },
    };
    const char *knoepfe[] = { "TBMatrixDemo", "TBCaesarDemo", "TBVigenereDemo" };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(a.aktion(demos[i].first).isVisible(), sichtbar[i]);
        QCOMPARE(a.aktion(demos[i].second).isVisible(), sichtbar[i]);
        QCOMPARE(a.steuer<QToolButton>(knoepfe[i]).isVisible(), sichtbar[i]);
        // What is shown can be used; Qt disables what is hidden.
        QCOMPARE(a.aktion(demos[i].first).isEnabled(), sichtbar[i]);
        QCOMPARE(a.aktion(demos[i].second).isEnabled(), sichtbar[i]);
    }
    QCOMPARE(a.steuer<QMenu>("Demos1").menuAction()->isVisible(), sichtbar[3]);
    QCOMPARE(a.aktion("PopMenueTrennstrich").isVisible(), sichtbar[3]);
    QCOMPARE(a.aktion("MAnalyse").isVisible(), sichtbar[4]);
    QCOMPARE(a.aktion("MAnalyse").isEnabled(), sichtbar[4]);
    QVERIFY(a.dialoge.warnungen.isEmpty() && a.dialoge.fehler.isEmpty());
}

// At the smallest size, frame included, both panes keep one positive height
// and the four buttons one width with 10 pixels between them.
void TestAnsicht::kleinsteGroesse()
{
    Aufbau a;
    a.haupt().resize(1, 1);
    QCoreApplication::processEvents();
    QCOMPARE(a.haupt().frameGeometry().size(), QSize(350, 260));
    const QWidget &klar = a.klar();
    const QWidget &chiffre = a.chiffre();
    QVERIFY(klar.height() > 0);
    QCOMPARE(chiffre.height(), klar.height());
    QCOMPARE(chiffre.y(), klar.y() + klar.height() + 30);
    QVERIFY(a.steuer<QLabel>("Lchiffre").geometry().bottom() < chiffre.y());
    int links = 1;
    const int breite = a.steuer<QPushButton>("BVerschluesseln").width();
    for (const char *name : { "BVerschluesseln", "BEntschluesseln", "BOptionen", "BBeenden" }) {
        const QPushButton &knopf = a.steuer<QPushButton>(name);
        QCOMPARE(knopf.x(), links);
        QCOMPARE(knopf.width(), breite);
        QVERIFY(knopf.geometry().top() > chiffre.geometry().bottom());
        links += breite + 10;
    }
    QVERIFY(links - 10 <= a.steuer<QWidget>("Arbeitsflaeche").width());
}

// The layout rule on the designed client area H x W, which holds the tool bar
// and the status bar as high as they really are; tops count from its top.
void TestAnsicht::layoutRegel_data()
{
    QTest::addColumn<QSize>("flaeche");
    QTest::addColumn<int>("paneHoehe");
    QTest::addColumn<int>("chiffreOben");
    QTest::addColumn<int>("knopfBreite");
    QTest::addColumn<int>("knopfOben");
    QTest::newRow("designed size") << QSize(542, 394) << 122 << 206 << 127 << 342;
    QTest::newRow("odd height and width") << QSize(543, 395) << 122 << 206 << 127 << 343;
    QTest::newRow("small") << QSize(400, 300) << 75 << 159 << 91 << 248;
}

void TestAnsicht::layoutRegel()
{
    QFETCH(QSize, flaeche);
    QFETCH(int, paneHoehe);
    QFETCH(int, chiffreOben);
    QFETCH(int, knopfBreite);
    QFETCH(int, knopfOben);
    Aufbau a;
    a.haupt().resize(flaeche.width(), a.haupt().menuBar()->height() + flaeche.height());
    QCoreApplication::processEvents();
    const int oben = a.steuer<QToolBar>("ToolBar").y();
    const auto ort = [&](const char *name) {
        return a.steuer<QWidget>(name).mapTo(&a.haupt(), QPoint(0, -oben));
    };
    QCOMPARE(ort("MKlar").y(), 54);
    QCOMPARE(a.klar().height(), paneHoehe);
    QCOMPARE(ort("MChiffre").y(), chiffreOben);
    QCOMPARE(a.chiffre().height(), paneHoehe);
    QCOMPARE(ort("Lchiffre").y(), chiffreOben - 23);
    int links = 1;
    for (const char *name : { "BVerschluesseln", "BEntschluesseln", "BOptionen", "BBeenden" }) {
        QCOMPARE(ort(name), QPoint(links, knopfOben));
        QCOMPARE(a.steuer<QPushButton>(name).width(), knopfBreite);
        links += knopfBreite + 10;
    }
}

void TestAnsicht::zeilenumbruch()
{
    Aufbau a;
    QAction &umbruch = a.aktion("Zeilenumbruchautomatisch");
    for (bool an : { false, true }) {
        a.klicke("Zeilenumbruchautomatisch");
        QCOMPARE(umbruch.isChecked(), an);
        QCOMPARE(a.haupt().haken("Zeilenumbruchautomatisch"), an);
        for (TextPane *pane : { &a.klar(), &a.chiffre() }) {
            QCOMPARE(
                pane->lineWrapMode(), an ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            QCOMPARE(pane->horizontalScrollBarPolicy(),
                an ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
            QCOMPARE(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
    }
}

void TestAnsicht::hintergrundfarben()
{
    Aufbau a;
    const QColor normal = QPalette().color(QPalette::Base);
    QCOMPARE(a.klar().palette().color(QPalette::Base), QColor(255, 255, 225));
    QCOMPARE(a.chiffre().palette().color(QPalette::Base), QColor(206, 224, 246));
    a.klicke("MMHintergrundfarbig");
    QVERIFY(!a.aktion("MMHintergrundfarbig").isChecked());
    QCOMPARE(a.klar().palette().color(QPalette::Base), normal);
    QCOMPARE(a.chiffre().palette().color(QPalette::Base), normal);
}

void TestAnsicht::schriftart()
{
    Aufbau a;
    QFont gewaehlt(QStringLiteral("Liberation Serif"), 15);
    gewaehlt.setItalic(true);
    gewaehlt.setStrikeOut(true);
    a.dialoge.schriften << Schrift { gewaehlt, QColor(255, 0, 0) } << std::nullopt;
    a.klicke("Schriftartwaehlen");
    QCOMPARE(a.dialoge.schriftVorher.font.pointSize(), 10);
    for (TextPane *pane : { &a.klar(), &a.chiffre() }) {
        QCOMPARE(pane->font(), gewaehlt);
        QCOMPARE(pane->palette().color(QPalette::Text), QColor(255, 0, 0));
        QCOMPARE(pane->palette().color(QPalette::Base).isValid(), true);
    }
    // The colour survives switching the backgrounds; cancel changes nothing.
    a.klicke("MMHintergrundfarbig");
    a.klicke("Schriftartwaehlen");
    QCOMPARE(a.dialoge.schriftVorher.farbe, QColor(255, 0, 0));
    QCOMPARE(a.chiffre().font(), gewaehlt);
    QCOMPARE(a.chiffre().palette().color(QPalette::Text), QColor(255, 0, 0));
}

// The menu and pop-up items that share a handler with a button run what the
// button runs.
void TestAnsicht::eintraegeLaufenWieIhreKnoepfe_data()
{
    QTest::addColumn<QString>("eintrag");
    QTest::addColumn<QByteArray>("klar");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<bool>("methodenfenster");
    QTest::addColumn<int>("fragen"); // the close question, cancelled
    for (const char *e : { "MMVerschluesseln", "verschlsseln1" })
        QTest::newRow(e) << e << QByteArray("abc") << QByteArray("cde") << false << 0;
    for (const char *e : { "MMEntschluesseln", "entschlsseln1" })
        QTest::newRow(e) << e << QByteArray("vwx") << QByteArray("xyz") << false << 0;
    QTest::newRow("Textetauschen1")
        << "Textetauschen1" << QByteArray("xyz") << QByteArray("abc") << false << 0;
    QTest::newRow("Methodenfensteranaus1")
        << "Methodenfensteranaus1" << QByteArray("abc") << QByteArray("xyz") << true << 0;
    for (const char *e : { "Beenden1", "Beenden2" })
        QTest::newRow(e) << e << QByteArray("abc") << QByteArray("xyz") << false << 1;
}

void TestAnsicht::eintraegeLaufenWieIhreKnoepfe()
{
    QFETCH(QString, eintrag);
    QFETCH(QByteArray, klar);
    QFETCH(QByteArray, chiffre);
    QFETCH(bool, methodenfenster);
    QFETCH(int, fragen);
    Aufbau a;
    a.klar().setText("abc");
    a.chiffre().setText("xyz");
    a.dialoge.antworten << Dialoge::Antwort::Abbrechen;
    a.klicke(qPrintable(eintrag));
    QCOMPARE(a.klar().text(), klar.toStdString());
    QCOMPARE(a.chiffre().text(), chiffre.toStdString());
    QCOMPARE(a.option().isVisible(), methodenfenster);
    QCOMPARE(a.dialoge.fragen.size(), fragen);
    QVERIFY(a.haupt().isVisible());
}

void TestAnsicht::texteTauschen_data()
{
    QTest::addColumn<QByteArray>("klartext");
    QTest::addColumn<QByteArray>("chiffre");
    QTest::addColumn<QString>("klarName");
    QTest::addColumn<QString>("chiffreName");
    QTest::newRow("both texts") << QByteArray("abc") << QByteArray("xyz") << "c.txt"
                                << "p.txt";
    QTest::newRow("ciphertext empty") << QByteArray("abc") << QByteArray() << "c.txt"
                                      << "unbenannt.txt";
}

// Each pane takes the other's name and folder along with its text, so a quick
// save of a swapped text replaces the file that text came from.
void TestAnsicht::texteTauschen()
{
    QFETCH(QByteArray, klartext);
    QFETCH(QByteArray, chiffre);
    QFETCH(QString, klarName);
    QFETCH(QString, chiffreName);
    QTemporaryDir ordnerP;
    QTemporaryDir ordnerC;
    Aufbau a;
    a.dialoge.dateien << schreibeDatei(ordnerP, QStringLiteral("p.txt"), klartext)
                      << schreibeDatei(ordnerC, QStringLiteral("c.txt"), chiffre);
    a.klicke("Klartextffnen1");
    a.klicke("Chiffreffnen1");
    a.klicke("Textetauschen");
    QCOMPARE(a.klar().text(), chiffre.toStdString());
    QCOMPARE(a.chiffre().text(), klartext.toStdString());
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Klartext), klarName);
    QCOMPARE(a.haupt().datei(THauptform::Bereich::Chiffre), chiffreName);
    QVERIFY(a.haupt().geaendert(THauptform::Bereich::Klartext));
    QVERIFY(a.haupt().geaendert(THauptform::Bereich::Chiffre));
    a.klar().setText(chiffre.toStdString() + "!");
    a.klicke("Klartextspeichern1");
    QCOMPARE(leseDatei(ordnerC.filePath(QStringLiteral("c.txt"))), chiffre + "!");
    QCOMPARE(QDir(ordnerP.path()).entryList(QDir::Files), QStringList { "p.txt" });
}

void TestAnsicht::statuszeileOeffnetAdresse_data()
{
    QTest::addColumn<Qt::MouseButton>("knopf");
    QTest::addColumn<bool>("oeffnet");
    QTest::newRow("left") << Qt::LeftButton << true;
    QTest::newRow("right") << Qt::RightButton << false;
    QTest::newRow("middle") << Qt::MiddleButton << false;
}

void TestAnsicht::statuszeileOeffnetAdresse()
{
    QFETCH(Qt::MouseButton, knopf);
    QFETCH(bool, oeffnet);
    Aufbau a;
    QLabel &zeile = a.steuer<QLabel>("StatusBar1");
    QVERIFY(zeile.text().contains(QStringLiteral("Nordhain")));
    QTest::mouseClick(&zeile, knopf);
    QCOMPARE(a.dialoge.adressen.size(), oeffnet ? 1 : 0);
    if (oeffnet)
        QCOMPARE(a.dialoge.adressen[0].host(), QStringLiteral("zifferon.example"));
}

// "&Datei" and "&Demos" share Alt+D: the menus open in turn.
void TestAnsicht::altDWechseltDieMenues()
{
    Aufbau a;
    QVERIFY(QTest::qWaitForWindowActive(&a.haupt()));
    QMenuBar *leiste = a.haupt().menuBar();
    QStringList geoeffnet;
    for (int i = 0; i < 3; ++i) {
        a.klar().setFocus();
        QTest::keyClick(&a.klar(), Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(leiste->activeAction() != nullptr);
        geoeffnet << leiste->activeAction()->text();
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
        leiste->setActiveAction(nullptr);
    }
    QCOMPARE(geoeffnet, (QStringList { "&Datei", "&Demos", "&Datei" }));
    QCOMPARE(a.klar().text(), Text());
}

// What the buttons will do, shown between the panes: the whole line for
// screen readers, on screen as much as fits right of the caption.
void TestAnsicht::methodenzeile_data()
{
    QTest::addColumn<Methode>("methode");
    QTest::addColumn<int>("verschiebung");
    QTest::addColumn<bool>("quadratisch");
    QTest::addColumn<int>("spalten");
    QTest::addColumn<QByteArray>("schluessel");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QString>("zeile");
    const QString vigenere = QStringLiteral("Vigenère · Schlüssel WOLKENTURM · Satzzeichen ");
    QTest::newRow("Vigenère") << Methode::Vigenere << 2 << true << 5 << QByteArray("WOLKENTURM")
                              << false
                              << vigenere + QStringLiteral("verbrauchen Schlüsselbuchstaben");
    QTest::newRow("Vigenère, Sonderzeichen ignorieren")
        << Methode::Vigenere << 2 << true << 5 << QByteArray("WOLKENTURM") << true
        << vigenere + QStringLiteral("verbrauchen keine Schlüsselbuchstaben");
    QTest::newRow("Vigenère without key")
        << Methode::Vigenere << 2 << true << 5 << QByteArray("1 2") << true
        << QStringLiteral("Vigenère · kein Schlüssel · Satzzeichen verbrauchen keine "
                          "Schlüsselbuchstaben");
    QTest::newRow("Substitution, key word")
        << Methode::Substitution << 2 << true << 5 << QByteArray("ZIFFERON") << false
        << QStringLiteral("Substitution · Schlüsselwort ZIFFERON");
    QTest::newRow("Substitution, whole alphabet")
        << Methode::Substitution << 2 << true << 5 << QByteArray("QWERTZUIOPASDFGHJKLYXCVBNM")
        << false << QStringLiteral("Substitution · Alphabet QWERTZUIOPASDFGHJKLYXCVBNM");
    QTest::newRow("Substitution, 26 letters with a repeat")
        << Methode::Substitution << 2 << true << 5 << QByteArray("AACDEFGHIJKLMNOPQRSTUVWXYZ")
        << false << QStringLiteral("Substitution · Schlüsselwort AACDEFGHIJKLMNOPQRSTUVWXYZ");
    QTest::newRow("Substitution without key")
        << Methode::Substitution << 2 << true << 5 << QByteArray() << false
        << QStringLiteral("Substitution · kein Schlüssel");
    QTest::newRow("Caesar 2") << Methode::Caesar << 2 << true << 5 << QByteArray() << false
                              << QStringLiteral("Caesar · Verschiebung C (2)");
    QTest::newRow("Caesar 0") << Methode::Caesar << 0 << true << 5 << QByteArray() << false
                              << QStringLiteral("Caesar · Verschiebung A (0)");
    QTest::newRow("Caesar 25") << Methode::Caesar << 25 << true << 5 << QByteArray() << false
                               << QStringLiteral("Caesar · Verschiebung Z (25)");
    QTest::newRow("Matrix 7 columns") << Methode::Matrix << 2 << false << 7 << QByteArray() << false
                                      << QStringLiteral("Matrix · 7 Spalten");
    QTest::newRow("Matrix 1 column") << Methode::Matrix << 2 << false << 1 << QByteArray() << false
                                     << QStringLiteral("Matrix · 1 Spalte");
    QTest::newRow("Matrix square") << Methode::Matrix << 2 << true << 7 << QByteArray() << false
                                   << QStringLiteral("Matrix · quadratisch");
    QTest::newRow("Rotation 13") << Methode::Rotation13 << 2 << true << 5 << QByteArray() << false
                                 << QStringLiteral("Rotation 13");
    QTest::newRow("Rotation 128") << Methode::Rotation128 << 2 << true << 5 << QByteArray() << false
                                  << QStringLiteral("Rotation 128");
}

void TestAnsicht::methodenzeile()
{
    QFETCH(Methode, methode);
    QFETCH(int, verschiebung);
    QFETCH(bool, quadratisch);
    QFETCH(int, spalten);
    QFETCH(QByteArray, schluessel);
    QFETCH(bool, ignorieren);
    QFETCH(QString, zeile);
    Aufbau a;
    const QSize groesse = a.haupt().size();
    a.option().setMethode(methode);
    a.option().setVerschiebung(verschiebung);
    a.option().setSpaltenzahl(spalten);
    a.option().setQuadratisch(quadratisch);
    a.option().setSchluessel(schluessel.toStdString());
    a.option().setSubstitutionsschluessel(schluessel.toStdString());
    a.option().setSonderzeichenIgnorieren(ignorieren);
    const QLabel &label = a.steuer<QLabel>("LMethode");
    QCOMPARE(label.accessibleName(), zeile);
    const QString gezeigt = label.text();
    QVERIFY2(gezeigt == zeile || (gezeigt.endsWith(u'…') && zeile.startsWith(gezeigt.chopped(1))),
        qPrintable(gezeigt));
    // In the gap right of the caption, pushing nothing.
    const QLabel &caption = a.steuer<QLabel>("Lchiffre");
    QCOMPARE(label.y(), caption.y());
    QVERIFY(label.x() > caption.geometry().right());
    QVERIFY(label.geometry().right() < label.parentWidget()->width());
    QVERIFY(label.fontMetrics().horizontalAdvance(gezeigt) <= label.width());
    QCOMPARE(a.haupt().size(), groesse);
}

// A key typed in the method window shows at once; one too long for the gap is
// cut short on screen only.
void TestAnsicht::methodenzeileFolgtDemTippen()
{
    Aufbau a;
    a.option().setMethode(Methode::Vigenere);
    a.option().setSchluessel({});
    const QLabel &label = a.steuer<QLabel>("LMethode");
    auto &feld = a.steuer<QLineEdit>("EdSchluessel");
    QTest::keyClicks(&feld, QStringLiteral("Kiel"));
    QVERIFY2(label.text().startsWith(QStringLiteral("Vigenère · Schlüssel Kiel · ")),
        qPrintable(label.text()));
    const QString lang(60, u'Q');
    QTest::keyClicks(&feld, lang);
    QVERIFY(label.accessibleName().contains(QStringLiteral("Kiel") + lang));
    QVERIFY2(label.text().endsWith(u'…'), qPrintable(label.text()));
}

// A click opens the method window; a second one leaves it open.
void TestAnsicht::methodenzeileOeffnetMethodenfenster()
{
    Aufbau a;
    QLabel &label = a.steuer<QLabel>("LMethode");
    QVERIFY(!a.option().isVisible());
    for (int klick = 0; klick < 2; ++klick) {
        QTest::mouseClick(&label, Qt::LeftButton);
        QVERIFY(a.option().isVisible());
        QVERIFY(a.haupt().methodenfensterOffen());
    }
}

QTEST_MAIN(TestAnsicht)
#include "test_ansicht.moc"
