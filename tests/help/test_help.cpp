// SPDX-License-Identifier: GPL-3.0-or-later
// The about and readme windows, and the guide they show.

#include "help/info.h"
#include "help/liesmich.h"
#include "platform/codepage.h"
#include "testhilfen/skriptdialoge.h"

#include <memory>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

using namespace Qt::StringLiterals;
using verschl::Text;

namespace {

QByteArray lies(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(pfad));
    return datei.readAll();
}

void schreibe(const QString &pfad, const QByteArray &inhalt)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size())
        qFatal("cannot write %s", qPrintable(pfad));
}

Text inhalt(const TLiesmichForm &f)
{
    return codepage::AusPanetext(
        f.findChild<QPlainTextEdit *>(u"Mliesmich"_s)->document()->toRawText());
}

// The guide, decoded as the readme window shows it.
QString leitfaden()
{
    return codepage::AlsPanetext(lies(QStringLiteral(LIESMICH_QUELLE)).toStdString());
}

// The events the desktop sends for a click and for a double click.
void drueck(QWidget *w, QEvent::Type art)
{
    QMouseEvent e(art, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
        art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Fenster
{
    SkriptDialoge dialoge;
    std::unique_ptr<QDialog> f;
    QLabel *icon = nullptr;
    QLabel *icon2 = nullptr;
    explicit Fenster(bool info)
    {
        if (info)
            f = std::make_unique<TInfoForm>(dialoge);
        else
            f = std::make_unique<TLiesmichForm>(QStringList {});
        icon = f->findChild<QLabel *>(QStringLiteral("Icon"));
        icon2 = f->findChild<QLabel *>(QStringLiteral("Icon2"));
    }
};

} // namespace

class TestHilfe : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void infotext();
    void adresse();
    void bilderWechseln_data();
    void bilderWechseln();
    void schliessen_data();
    void schliessen();
    void liesmichSuche_data();
    void liesmichSuche();
    void liesmichBytes();
    void liesmichNurLesen();
    void suchordner();
    void leitfadenDatei();
    void leitfadenBeispiele_data();
    void leitfadenBeispiele();
};

// Each LF CR separator is one line break: one blank line, then two.
void TestHilfe::infotext()
{
    SkriptDialoge dialoge;
    TInfoForm f(dialoge);
    QCOMPARE(f.windowTitle(), u"Info");
    const QStringList zeilen = f.findChild<QLabel *>(u"myLabel1"_s)->text().split(u'\n');
    QCOMPARE(zeilen.size(), 7);
    QCOMPARE(zeilen[0], u"Zifferon Version 1.5");
    QCOMPARE(zeilen[1], QString());
    QCOMPARE(zeilen[2],
        u"Ein Programm zur Demonstration verschiedener einfacher "
        u"Verschlüsselungsverfahren z. B. im Informatikunterricht");
    QCOMPARE(zeilen.mid(3, 2), QStringList(2, QString()));
    QVERIFY(!zeilen[5].isEmpty());
    QVERIFY(zeilen[6].contains(u"GNU GPL, Version 3 oder später"));
    QVERIFY(!f.findChild<QLabel *>(u"myLabel1"_s)->text().contains(u'\r'));
}

// The address shows without its scheme and opens with it; only a click on
// the address, or Enter on it, opens it.
void TestHilfe::adresse()
{
    SkriptDialoge dialoge;
    TInfoForm f(dialoge);
    auto *link = f.findChild<QLabel *>(u"myLabel2"_s);
    f.show();
    QTest::mouseClick(f.findChild<QFrame *>(u"Panel1"_s), Qt::LeftButton);
    QTest::mouseClick(f.findChild<QLabel *>(u"myLabel1"_s), Qt::LeftButton);
    QVERIFY(dialoge.adressen.isEmpty());
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(dialoge.adressen.size(), 1);
    // The keyboard reaches it too: Tab from the OK button, then Enter or Space.
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(f.findChild<QPushButton *>(u"BOk"_s), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), link);
    QVERIFY(link->font().underline());
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Space);
    QCOMPARE(dialoge.adressen.size(), 3);
    const QUrl adresse = dialoge.adressen.first();
    QCOMPARE(adresse.scheme(), u"https");
    QCOMPARE(link->text(), adresse.host());
}

void TestHilfe::bilderWechseln_data()
{
    QTest::addColumn<bool>("info");
    QTest::addColumn<int>("klicks");
    QTest::addColumn<bool>("doppelt");
    for (const bool info : { true, false }) {
        const char *name = info ? "Info" : "Liesmich";
        QTest::addRow("%s: none", name) << info << 0 << false;
        QTest::addRow("%s: one click", name) << info << 1 << false;
        QTest::addRow("%s: two clicks", name) << info << 2 << false;
        QTest::addRow("%s: three clicks", name) << info << 3 << false;
        QTest::addRow("%s: double click", name) << info << 0 << true;
        QTest::addRow("%s: click, double click", name) << info << 1 << true;
    }
}

// Whichever picture shows, a click swaps it for the other; a double click is
// a click and a double click, so it swaps twice.
void TestHilfe::bilderWechseln()
{
    QFETCH(bool, info);
    QFETCH(int, klicks);
    QFETCH(bool, doppelt);
    Fenster w(info);
    w.f->show();
    QCOMPARE(w.icon->geometry(), w.icon2->geometry());
    for (int i = 0; i < klicks; ++i)
        QTest::mouseClick(w.icon->isVisible() ? w.icon : w.icon2, Qt::LeftButton);
    if (doppelt) {
        QLabel *sichtbar = w.icon->isVisible() ? w.icon : w.icon2;
        drueck(sichtbar, QEvent::MouseButtonPress);
        drueck(sichtbar, QEvent::MouseButtonRelease);
        drueck(sichtbar, QEvent::MouseButtonDblClick);
        drueck(sichtbar, QEvent::MouseButtonRelease);
    }
    const bool erstes = klicks % 2 == 0;
    QCOMPARE(w.icon->isVisible(), erstes);
    QCOMPARE(w.icon2->isVisible(), !erstes);
}

void TestHilfe::schliessen_data()
{
    QTest::addColumn<bool>("info");
    QTest::addColumn<bool>("popup");
    QTest::newRow("Info: OK") << true << false;
    QTest::newRow("Info: pop-up") << true << true;
    QTest::newRow("Liesmich: Schließen") << false << false;
    QTest::newRow("Liesmich: pop-up") << false << true;
}

void TestHilfe::schliessen()
{
    QFETCH(bool, info);
    QFETCH(bool, popup);
    Fenster w(info);
    w.f->show();
    // A dialog border: fixed size, no minimise or maximise box.
    QCOMPARE(w.f->minimumSize(), w.f->maximumSize());
    QVERIFY(!(w.f->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Centred with the frame that a window manager gives it, not where a
    // dialog's guess of a frame puts it.
    QTRY_VERIFY(!w.f->windowHandle()->frameMargins().isNull());
    const auto abstand
        = [&] { return w.f->frameGeometry().center() - w.f->screen()->geometry().center(); };
    QTRY_VERIFY2(abstand().manhattanLength() <= 1,
        qPrintable(QStringLiteral("%1, %2").arg(abstand().x()).arg(abstand().y())));
    auto *menu = w.f->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 1);
    QAction *schliessen = menu->actions().first();
    QCOMPARE(schliessen->text(), u"Schließen");
    if (popup) {
        schliessen->trigger();
    } else {
        auto *knopf = w.f->findChild<QPushButton *>(
            info ? QStringLiteral("BOk") : QStringLiteral("BSchliessen"));
        QCOMPARE(knopf->text(), info ? u"&OK" : u"&Schließen");
        QTest::mouseClick(knopf, Qt::LeftButton);
    }
    QVERIFY(!w.f->isVisible());
}

void TestHilfe::liesmichSuche_data()
{
    QTest::addColumn<QByteArray>("beimProgramm");
    QTest::addColumn<QByteArray>("imDatenordner");
    QTest::addColumn<bool>("ordnerStattDatei");
    QTest::addColumn<QByteArray>("erwartet");
    QTest::newRow("beside the program")
        << QByteArray("A\r\nB") << QByteArray() << false << QByteArray("A\r\nB");
    QTest::newRow("in the data folder")
        << QByteArray() << QByteArray("D\r\n") << false << QByteArray("D\r\n");
    QTest::newRow("beside the program wins")
        << QByteArray("P") << QByteArray("D") << false << QByteArray("P");
    QTest::newRow("missing") << QByteArray() << QByteArray() << false << QByteArray();
    QTest::newRow("a folder") << QByteArray() << QByteArray() << true << QByteArray();
    QTest::newRow("a folder, then the data folder")
        << QByteArray() << QByteArray("D") << true << QByteArray("D");
    QTest::newRow("empty file") << QByteArray("") << QByteArray() << false << QByteArray();
}

void TestHilfe::liesmichSuche()
{
    QFETCH(QByteArray, beimProgramm);
    QFETCH(QByteArray, imDatenordner);
    QFETCH(bool, ordnerStattDatei);
    QFETCH(QByteArray, erwartet);
    QTemporaryDir programm;
    QTemporaryDir daten;
    const QString name = QStringLiteral("liesmich.txt");
    if (ordnerStattDatei)
        QVERIFY(QDir(programm.path()).mkdir(name));
    else if (!beimProgramm.isNull())
        schreibe(programm.filePath(name), beimProgramm);
    if (!imDatenordner.isNull())
        schreibe(daten.filePath(name), imDatenordner);
    TLiesmichForm f({ programm.path(), daten.path() });
    QCOMPARE(f.windowTitle(), u"Lies mich!");
    QCOMPARE(QByteArray::fromStdString(inhalt(f)), erwartet);
    f.show();
    f.findChild<QPushButton *>(u"BSchliessen"_s)->click();
    QVERIFY(!f.isVisible());
}

// Every byte comes through as the pane codec shows it, lone CR and LF and
// the undefined bytes included.
void TestHilfe::liesmichBytes()
{
    QTemporaryDir ordner;
    QByteArray alle;
    for (int b = 255; b >= 0; --b)
        alle.append(char(b));
    alle.append("\r\nEnde\r\n");
    schreibe(ordner.filePath(QStringLiteral("liesmich.txt")), alle);
    TLiesmichForm f({ ordner.path() });
    QCOMPARE(QByteArray::fromStdString(inhalt(f)), alle);
}

// Typing changes nothing, and the focus never stays in the text.
void TestHilfe::liesmichNurLesen()
{
    QTemporaryDir ordner;
    schreibe(ordner.filePath(QStringLiteral("liesmich.txt")), "Text\r\n");
    TLiesmichForm f({ ordner.path() });
    auto *text = f.findChild<QPlainTextEdit *>(u"Mliesmich"_s);
    const auto *schliessen = f.findChild<QPushButton *>(u"BSchliessen"_s);
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QCOMPARE(QApplication::focusWidget(), schliessen);
    QTest::mouseClick(text->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), schliessen);
    text->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), schliessen);
    QTest::keyClick(&f, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != text);
    QTest::keyClicks(text, QStringLiteral("xy"));
    QTest::keyClick(text, Qt::Key_Delete);
    QCOMPARE(inhalt(f), Text("Text\r\n"));
}

// Both a program in the build tree and an installed one find the guide.
void TestHilfe::suchordner()
{
    const QStringList ordner = TLiesmichForm::Suchordner();
    QCOMPARE(ordner.value(0), QCoreApplication::applicationDirPath());
    QVERIFY(ordner.contains(QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zifferon"))));
    TLiesmichForm f({ QStringLiteral(PROGRAMMORDNER) });
    QCOMPARE(QByteArray::fromStdString(inhalt(f)), lies(QStringLiteral(LIESMICH_QUELLE)));
}

// Windows-1252 with CR LF line ends only, and every part of the guide there.
void TestHilfe::leitfadenDatei()
{
    const QByteArray bytes = lies(QStringLiteral(LIESMICH_QUELLE));
    QVERIFY(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const bool zeilenende = (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            || (b == '\n' && i > 0 && bytes[i - 1] == '\r');
        const bool unbelegt = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        QVERIFY2(zeilenende || (b >= 0x20 && b != 0x7F && !unbelegt),
            qPrintable(QStringLiteral("byte %1 at %2").arg(b).arg(i)));
    }
    QVERIFY(!codepage::IstUtf8(bytes.toStdString()));
    const QString text = leitfaden();
    for (const char *teil : { "KURZANLEITUNG", "HAUPTFENSTER", "METHODENFENSTER", "VERFAHREN",
             "DEMONSTRATIONEN", "HILFEFENSTER", "AUFRUF", "EINSTELLUNGEN", "NoDemo", "NoAnalyse",
             "GEHEIMTEXT ANALYSIEREN", "-onlyoption", "-firstoption", "Zifferon.conf",
             "/etc/xdg/rovozu.conf", "dword:00000007", "Kurzanleitung..." })
        QVERIFY2(text.contains(QLatin1String(teil)), teil);
    for (const QString &teil : { u"Matrix-Verschlüsselung"_s, u"Caesar-Verschlüsselung"_s,
             u"Rotation 13"_s, u"Rotation 128"_s, u"Vigenère-Verschlüsselung"_s, u"Über..."_s })
        QVERIFY2(text.contains(teil), qPrintable(teil));
}

void TestHilfe::leitfadenBeispiele_data()
{
    QTest::addColumn<QByteArray>("klartext");
    QTest::addColumn<QByteArray>("chiffre");
    const auto zeile = [](const char *name, const Text &klar, const Text &chiffre) {
        QTest::newRow(name) << QByteArray::fromStdString(klar)
                            << QByteArray::fromStdString(chiffre);
    };
    zeile("matrix square", "GEHEIMNIS", verschl::MatrixVerschluesseln("GEHEIMNIS", {}));
    zeile("Caesar 3", "Hallo Welt", verschl::CaesarVerschieben("Hallo Welt", 3));
    zeile("Caesar 3 wraps", "Zebra", verschl::CaesarVerschieben("Zebra", 3));
    zeile("rotation 13", "Hallo Welt", verschl::Rot13("Hallo Welt"));
    zeile("rotation 128", "Hallo Welt", verschl::Rot128("Hallo Welt"));
    zeile("Vigenère LUNA", "Angriff", *verschl::VigenereVerschluesseln("Angriff", "LUNA", true));
}

// The guide's worked examples are what the program computes.
void TestHilfe::leitfadenBeispiele()
{
    QFETCH(QByteArray, klartext);
    QFETCH(QByteArray, chiffre);
    const QByteArray bytes = lies(QStringLiteral(LIESMICH_QUELLE));
    QVERIFY2(bytes.contains(klartext), klartext.constData());
    QVERIFY2(bytes.contains(chiffre), chiffre.toHex().constData());
}

QTEST_MAIN(TestHilfe)
#include "test_help.moc"
