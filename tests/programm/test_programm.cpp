// SPDX-License-Identifier: GPL-3.0-or-later
// The program start: the windows it opens for the main window, and what the
// demonstrations hand the main window to keep.

#include "analyse/analyse.h"
#include "help/info.h"
#include "help/liesmich.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <stdexcept>
#include <tuple>

Q_DECLARE_METATYPE(Fensterart)

namespace {

QList<QWidget *> geoeffnete()
{
    QList<QWidget *> fenster;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"geoeffnet")
            fenster << w;
    }
    return fenster;
}

struct Fehlschlag : std::runtime_error
{
    Fehlschlag()
        : std::runtime_error("Das Fenster ging nicht auf.")
    { }
};

// A window that cannot be shown.
class Unzeigbar : public QWidget
{
public:
    void setVisible(bool sichtbar) override
    {
        if (sichtbar)
            throw Fehlschlag();
        QWidget::setVisible(sichtbar);
    }
};

QList<QWidget *> kurzanleitungen()
{
    QList<QWidget *> offen;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<TLiesmichForm *>(w) && w->isVisible())
            offen << w;
    }
    return offen;
}

// The window that the program start opens for a kind.
QWidget *oeffne(Aufbau &a, Fensterart art)
{
    const QWidgetList vorher = QApplication::topLevelWidgets();
    a.programm.fenster.oeffne(art);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!vorher.contains(w) && w->isVisible())
            return w;
    }
    return nullptr;
}

constexpr int kHaupt = -1;
constexpr int kMethode = -2;

} // namespace

class TestProgramm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void befehleOeffnenFenster_data();
    void befehleOeffnenFenster();
    void fehlschlag_data();
    void fehlschlag();
    void demoEinstellungenUeberstehen();
    void hilfeModal_data();
    void hilfeModal();
    void hilfeUeberall_data();
    void hilfeUeberall();
    void kurzanleitungNenntJedenBefehl();
};

void TestProgramm::befehleOeffnenFenster_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<Fensterart>("art");
    QTest::newRow("menu Matrix") << "MatrixVerschlsselung1" << Fensterart::MatrixDemo;
    QTest::newRow("pop-up Matrix") << "PopMDemoMatrix" << Fensterart::MatrixDemo;
    QTest::newRow("menu Caesar") << "CaesarVerschlsselung1" << Fensterart::CaesarDemo;
    QTest::newRow("pop-up Caesar") << "PopMDemoCaesar" << Fensterart::CaesarDemo;
    QTest::newRow("menu Vigenère") << "VigenreMatrix1" << Fensterart::VigenereDemo;
    QTest::newRow("pop-up Vigenère") << "PopMDemoVigenere" << Fensterart::VigenereDemo;
    QTest::newRow("analysis") << "MAnalyse" << Fensterart::Analyse;
    QTest::newRow("menu guide") << "Liesmich1" << Fensterart::Liesmich;
    QTest::newRow("pop-up guide") << "Kurzanleitung1" << Fensterart::Liesmich;
    QTest::newRow("menu about") << "ber1" << Fensterart::Info;
    QTest::newRow("pop-up about") << "ber2" << Fensterart::Info;
}

// Every command opens a new window of its own, which goes when it is closed
// and, still open, with the program.
void TestProgramm::befehleOeffnenFenster()
{
    QFETCH(QString, aktion);
    QFETCH(Fensterart, art);
    QPointer<QWidget> erstes;
    QPointer<QWidget> zweites;
    {
        Aufbau a;
        a.programm.fenster.setErzeuger(art, [] {
            auto *fenster = new QWidget;
            fenster->setObjectName(QStringLiteral("geoeffnet"));
            return fenster;
        });
        a.klicke(qPrintable(aktion));
        a.klicke(qPrintable(aktion));
        const QList<QWidget *> fenster = geoeffnete();
        QCOMPARE(fenster.size(), 2);
        for (QWidget *f : fenster) {
            QVERIFY(f->isWindow() && !f->parent() && f->isVisible());
            QVERIFY(f->testAttribute(Qt::WA_DeleteOnClose));
        }
        erstes = fenster[0];
        zweites = fenster[1];
        erstes->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(erstes.isNull());
        QVERIFY(!zweites.isNull());
    }
    QVERIFY(zweites.isNull());
}

void TestProgramm::fehlschlag_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<Fensterart>("art");
    QTest::addColumn<bool>("beimZeigen");
    QTest::addColumn<bool>("gemeldet");
    const std::tuple<const char *, Fensterart, bool, bool> faelle[] = {
        { "MatrixVerschlsselung1", Fensterart::MatrixDemo, false, false },
        { "MatrixVerschlsselung1", Fensterart::MatrixDemo, true, false },
        { "CaesarVerschlsselung1", Fensterart::CaesarDemo, false, false },
        { "CaesarVerschlsselung1", Fensterart::CaesarDemo, true, false },
        { "VigenreMatrix1", Fensterart::VigenereDemo, false, true },
        { "VigenreMatrix1", Fensterart::VigenereDemo, true, false },
        { "MAnalyse", Fensterart::Analyse, false, true },
        { "MAnalyse", Fensterart::Analyse, true, true },
        { "Liesmich1", Fensterart::Liesmich, false, true },
        { "ber1", Fensterart::Info, true, true },
    };
    for (const auto &[aktion, art, beimZeigen, gemeldet] : faelle)
        QTest::addRow("%s %s", aktion, beimZeigen ? "show" : "create")
            << aktion << art << beimZeigen << gemeldet;
}

// A window that fails to be made or shown leaves the program running, with
// no window behind, and says so where the command does.
void TestProgramm::fehlschlag()
{
    QFETCH(QString, aktion);
    QFETCH(Fensterart, art);
    QFETCH(bool, beimZeigen);
    QFETCH(bool, gemeldet);
    Aufbau a;
    QPointer<QWidget> gemacht;
    a.programm.fenster.setErzeuger(art, [&]() -> QWidget * {
        if (!beimZeigen)
            throw Fehlschlag();
        gemacht = new Unzeigbar;
        return gemacht;
    });
    a.klicke(qPrintable(aktion));
    QCOMPARE(a.dialoge.fehler,
        gemeldet ? QStringList { QStringLiteral("Das Fenster ging nicht auf.") } : QStringList());
    QVERIFY(gemacht.isNull());
}

// What a demonstration writes into the main window is what the store keeps.
void TestProgramm::demoEinstellungenUeberstehen()
{
    Aufbau a;
    Demohauptfenster &haupt = a.haupt();
    haupt.setDemoEinstellungen({ false, 10, 400, 200, true });
    a.klicke("OptInRegistry");
    haupt.setDemoEinstellungen({});
    a.einstellungen().EinstellungenLaden();
    const DemoEinstellungen geladen = haupt.demoEinstellungen();
    QCOMPARE(geladen.Animation, false);
    QCOMPARE(geladen.AnimationMin, 10);
    QCOMPARE(geladen.AnimationMax, 400);
    QCOMPARE(geladen.AnimationAktuell, 200);
    QCOMPARE(geladen.Blinken, true);
}

void TestProgramm::hilfeModal_data()
{
    QTest::addColumn<QString>("aktion");
    QTest::addColumn<QString>("fenster");
    QTest::newRow("menu guide") << "Liesmich1"
                                << "Liesmich";
    QTest::newRow("pop-up guide") << "Kurzanleitung1"
                                  << "Liesmich";
    QTest::newRow("menu about") << "ber1"
                                << "Info";
    QTest::newRow("pop-up about") << "ber2"
                                  << "Info";
}

// The help commands open their window modally, return at once, and the
// window goes when it is closed.
void TestProgramm::hilfeModal()
{
    QFETCH(QString, aktion);
    QFETCH(QString, fenster);
    Aufbau a;
    a.haupt().show();
    a.klicke(qPrintable(aktion));
    QList<QWidget *> offen;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == fenster && w->isVisible())
            offen << w;
    }
    QCOMPARE(offen.size(), 1);
    QPointer<QWidget> f = offen.first();
    QVERIFY(fenster == u"Info" ? qobject_cast<TInfoForm *>(f) != nullptr
                               : qobject_cast<TLiesmichForm *>(f) != nullptr);
    QCOMPARE(f->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), f.data());
    QVERIFY(!f->parent());
    QVERIFY(!(f->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    f->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.isNull());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestProgramm::hilfeUeberall_data()
{
    QTest::addColumn<int>("art"); // a Fensterart, or one of the two main windows
    QTest::addColumn<QString>("kaestchen"); // its "Sonderzeichen ignorieren", where it has one
    QTest::newRow("main") << kHaupt << QString();
    QTest::newRow("method") << kMethode << QStringLiteral("CBSonderignorieren");
    QTest::newRow("Matrix demo") << int(Fensterart::MatrixDemo) << QString();
    QTest::newRow("Caesar demo") << int(Fensterart::CaesarDemo) << QString();
    QTest::newRow("Vigenère demo")
        << int(Fensterart::VigenereDemo) << QStringLiteral("CBSonderzeichenIgnorieren");
    QTest::newRow("analysis") << int(Fensterart::Analyse) << QString();
    QTest::newRow("worksheet") << int(Fensterart::Arbeitsblatt)
                               << QStringLiteral("CBSonderzeichenIgnorieren");
    QTest::newRow("about") << int(Fensterart::Info) << QString();
}

// F1 opens the guide from every window, and once only; the switch that makes
// a text decrypt to garbage says what it does, with an example that holds.
void TestProgramm::hilfeUeberall()
{
    QFETCH(int, art);
    QFETCH(QString, kaestchen);
    Aufbau a;
    a.haupt().show();
    QWidget *fenster = &a.haupt();
    if (art == kMethode) {
        a.option().show();
        fenster = &a.option();
    } else if (art != kHaupt) {
        fenster = oeffne(a, Fensterart(art));
    }
    QVERIFY(fenster);
    if (!kaestchen.isEmpty()) {
        const QString hinweis = fenster->findChild<QCheckBox *>(kaestchen)->toolTip();
        QVERIFY2(hinweis.contains(u"„Hallo Welt“"), qPrintable(hinweis));
        for (const bool ignorieren : { true, false }) {
            const QString chiffre = QString::fromLatin1(
                *verschl::VigenereVerschluesseln("Hallo Welt", "LUNA", ignorieren));
            QVERIFY2(hinweis.contains(u'„' + chiffre + u'“'), qPrintable(chiffre));
        }
    }
    QVERIFY(kurzanleitungen().isEmpty());
    QTest::keyClick(fenster->focusWidget() ? fenster->focusWidget() : fenster, Qt::Key_F1);
    QCOMPARE(kurzanleitungen().size(), 1);
    QTest::keyClick(kurzanleitungen().first(), Qt::Key_F1);
    QCOMPARE(kurzanleitungen().size(), 1);
}

// The guide names every menu command as the menu shows it, the topics a lesson
// needs, and the lengths from which the analysis answers.
void TestProgramm::kurzanleitungNenntJedenBefehl()
{
    QFile datei(QStringLiteral(LIESMICH_QUELLE));
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QString text = codepage::AlsPanetext(datei.readAll().toStdString()).simplified();
    Aufbau a;
    QList<QAction *> befehle = a.haupt().menuBar()->actions();
    while (!befehle.isEmpty()) {
        QAction *befehl = befehle.takeFirst();
        if (befehl->menu())
            befehle << befehl->menu()->actions();
        const QString name = befehl->text().remove(u'&');
        QVERIFY2(befehl->isSeparator() || text.contains(name), qPrintable(name));
    }
    for (const char *thema : { "DRUCKEN UND PDF", "ARBEITSBLÄTTER", "BILDER DER DEMONSTRATIONEN",
             "Sonderzeichen ignorieren", "F1" })
        QVERIFY2(text.contains(QString::fromUtf8(thema)), thema);
    for (const auto mindestens :
        { analyse::kMindestBuchstaben, analyse::kMindestBuchstabenSchluessel })
        QVERIFY(text.contains(QStringLiteral("ab %1 Buchstaben").arg(mindestens)));
}

QTEST_MAIN(TestProgramm)
#include "test_programm.moc"
