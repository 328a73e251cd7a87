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

QTEST_MAIN(TestTextPane)
#include "test_textpane.moc"
