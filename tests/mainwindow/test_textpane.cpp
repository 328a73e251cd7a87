#include "aufbau.h"
#include "mainwindow/textpane.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <random>

using verschl::Text;

// QTest::keyClicks knows only ASCII; typed umlauts arrive as key events with text.
static void tippe(QWidget *ziel, const QString &text)
{
    for (QChar z : text) {
        QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, QString(z));
        QApplication::sendEvent(ziel, &druck);
    }
}

class TestTextPane : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jedeBytefolgeKommtZurueck();
    void eingaben_data();
    void eingaben();
    void einfuegenVonCrLf();
    void tabWechseltDenFokus();
    void umbruchregel_data();
    void umbruchregel();
    void langeZeileKommtZurueck();
};

void TestTextPane::jedeBytefolgeKommtZurueck()
{
    TextPane pane;
    std::mt19937 zufall(3);
    Text alleBytes;
    for (int b = 0; b < 256; ++b)
        alleBytes += static_cast<char>(b);
    std::vector<Text> texte
        = { "", alleBytes, "\r\n", "\r\n\r\n", "a\r\n", "\r\na", "\xA0 \xA0", Text("\0\0", 2) };
    for (int n = 0; n < 100; ++n) {
        Text text;
        for (int i = 0; i < n * 7; ++i)
            text += static_cast<char>(zufall() % 256);
        texte.push_back(text);
    }
    for (const Text &text : texte) {
        pane.setText(text);
        QCOMPARE(pane.text(), text);
    }
}

void TestTextPane::eingaben_data()
{
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Enter is CR LF") << QStringLiteral("ab\ncd") << QByteArray("ab\r\ncd");
    QTest::newRow("umlauts") << QStringLiteral("Grüße")
                             << QByteArray("Gr\xFC\xDF"
                                           "e");
    QTest::newRow("outside the code page") << QStringLiteral("Ж!") << QByteArray("?!");
}

void TestTextPane::eingaben()
{
    QFETCH(QString, getippt);
    QFETCH(QByteArray, bytes);
    TextPane pane;
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    const QStringList zeilen = getippt.split(u'\n');
    for (qsizetype i = 0; i < zeilen.size(); ++i) {
        if (i > 0)
            QTest::keyClick(&pane, Qt::Key_Return);
        tippe(&pane, zeilen[i]);
    }
    QCOMPARE(pane.text(), bytes.toStdString());
}

void TestTextPane::einfuegenVonCrLf()
{
    TextPane pane;
    QApplication::clipboard()->setText(QStringLiteral("eins\r\nzwei\rdrei\nЖ"));
    pane.paste();
    QCOMPARE(pane.text(), Text("eins\r\nzwei\rdrei\r\n?"));
    QCOMPARE(pane.toPlainText(), QStringLiteral("eins\nzwei\u240Ddrei\n?"));
}

void TestTextPane::tabWechseltDenFokus()
{
    QWidget fenster;
    auto *layout = new QVBoxLayout(&fenster);
    auto *pane = new TextPane;
    auto *danach = new QLineEdit;
    layout->addWidget(pane);
    layout->addWidget(danach);
    fenster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenster));
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Tab);
    QVERIFY(danach->hasFocus());
    QCOMPARE(pane->text(), Text());
}

void TestTextPane::umbruchregel_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("eingefuegt");
    QTest::addColumn<bool>("ueberallUmbrechen");
    QTest::addColumn<bool>("auchOhneUmbruch");
    const QByteArray lauf(257, 'a');
    const QByteArray zeile = QByteArray(200, 'a') + "\r\n";
    QTest::newRow("words") << QByteArray("Gr\xFC\xDF"
                                         "e an alle, ihr Sch\xFCler!")
                           << QByteArray() << false << false;
    QTest::newRow("256 letters") << lauf.left(256) << QByteArray() << false << false;
    QTest::newRow("257 letters") << lauf << QByteArray() << true << false;
    QTest::newRow("257 letters pasted") << QByteArray() << lauf << true << false;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << QByteArray() << true << false;
    QTest::newRow("no-break spaces")
        << "Wort\xA0" + lauf.left(253) << QByteArray() << true << false;
    QTest::newRow("lines of 200") << zeile + zeile + zeile << QByteArray() << false << false;
    QTest::newRow("lone LF joins lines")
        << zeile.left(200) + '\n' + zeile.left(200) << QByteArray() << true << false;
    const QByteArray ueberlang = QByteArray(1 << 20, 'a') + " a";
    QTest::newRow("line of 1 Mi + 2") << ueberlang << QByteArray() << true << true;
    QTest::newRow("line of 1 Mi + 2 pasted") << QByteArray() << ueberlang << true << true;
    QTest::newRow("lines of 1 Mi") << ueberlang.left(1 << 20) + "\r\n" + ueberlang.left(1 << 20)
                                   << QByteArray() << true << false;
}

// Each text arrives in a pane that held a long run before, so a new text
// decides the rule afresh.
void TestTextPane::umbruchregel()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, eingefuegt);
    QFETCH(bool, ueberallUmbrechen);
    QFETCH(bool, auchOhneUmbruch);
    Aufbau a;
    TextPane &pane = a.klar();
    a.haupt().show();
    pane.setText(Text(300, '\0'));
    pane.setText(text.toStdString());
    pane.moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString::fromLatin1(eingefuegt));
    pane.paste();
    QCOMPARE(pane.text(), (text + eingefuegt).toStdString());
    const auto umbruch
        = ueberallUmbrechen ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    const auto aus = auchOhneUmbruch ? umbruch : QTextOption::NoWrap;
    QAction &befehl = a.aktion("Zeilenumbruchautomatisch");
    for (const auto erwartet : { aus, umbruch, aus, umbruch }) {
        befehl.trigger();
        QCOMPARE(pane.document()->defaultTextOption().wrapMode(), erwartet);
    }
}

void TestTextPane::langeZeileKommtZurueck()
{
    std::mt19937 zufall(7);
    Text text(std::size_t { 1 } << 18, '\0');
    for (char &b : text)
        b = static_cast<char>(0x21 + zufall() % (256 - 0x21));
    Aufbau a;
    a.haupt().show();
    QVERIFY(QTest::qWaitForWindowExposed(&a.haupt()));
    a.klar().setText(text);
    a.klar().viewport()->repaint();
    QCOMPARE(a.klar().text(), text);
}

QTEST_MAIN(TestTextPane)
#include "test_textpane.moc"
