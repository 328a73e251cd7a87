// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/bytezeile.h"
#include "bausteine/textpane.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
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
    void langeZeilenKommenZurueck_data();
    void langeZeilenKommenZurueck();
    void bearbeitenLangerZeilen_data();
    void bearbeitenLangerZeilen();
    void kopierenUeberWeichenUmbruch();
    void bytezeile_data();
    void bytezeile();
    void bytezeileEingaben();
    void ersetzenRueckgaengig_data();
    void ersetzenRueckgaengig();
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

namespace {

constexpr int kStueck = int(TextPane::kStueck);

// n random bytes of every value except LF, so they hold no line break.
QByteArray zufallsbytes(int n, std::mt19937 &zufall)
{
    QByteArray bytes(n, '\0');
    for (char &b : bytes) {
        const auto wert = zufall() % 255;
        b = static_cast<char>(wert < '\n' ? wert : wert + 1);
    }
    return bytes;
}

const QByteArray kKopf = "Kopf\r\n";

// Block 0 is "Kopf", blocks 1 to 3 a long line, block 4 "Ende".
QByteArray langeZeile()
{
    std::mt19937 zufall(11);
    return kKopf + zufallsbytes(2 * kStueck + 100, zufall) + "\r\nEnde";
}

// A pane on screen, so that it lays out what it shows.
struct GezeigtePane
{
    GezeigtePane()
    {
        pane.show();
        if (!QTest::qWaitForWindowExposed(&pane))
            qFatal("pane not shown");
    }
    void zeige(const Text &text)
    {
        pane.setText(text);
        pane.viewport()->repaint();
    }
    // The cursor in block `block` at column `spalte`.
    int stelle(int block, int spalte) const
    {
        return pane.document()->findBlockByNumber(block).position() + spalte;
    }
    TextPane pane;
};

} // namespace

void TestTextPane::langeZeilenKommenZurueck_data()
{
    QTest::addColumn<QByteArray>("bytes");
    std::mt19937 zufall(7);
    const auto z = [&](int n) { return zufallsbytes(n, zufall); };
    QByteArray alleBytes;
    for (int b = 0; b < 256; ++b)
        alleBytes += static_cast<char>(b);
    QTest::newRow("several chunks") << z(3 * kStueck + 17);
    QTest::newRow("one chunk") << z(kStueck);
    QTest::newRow("chunk + 1") << z(kStueck + 1);
    QTest::newRow("two chunks - 1") << z(2 * kStueck - 1);
    QTest::newRow("CR LF at a chunk boundary") << z(kStueck) + "\r\n" + z(kStueck + 5);
    QTest::newRow("CR LF after two chunks") << z(2 * kStueck) + "\r\n";
    QTest::newRow("lone CR ends a chunk") << z(kStueck - 1) + '\r' + z(kStueck);
    QTest::newRow("lone LF starts a chunk") << z(kStueck) + '\n' + z(kStueck);
    QTest::newRow("lines around a chunk")
        << z(kStueck + 1) + "\r\n" + z(kStueck - 1) + "\r\n\r\n" + z(2 * kStueck + 1);
    QTest::newRow("every byte, 40 times") << alleBytes.repeated(40);
    QTest::newRow("many short lines")
        << QByteArray("a\xa0\r\n").repeated(TextPane::kVieleZeilen + 1) + z(kStueck + 1);
}

// Through setText, through copying everything, and through pasting into an
// empty pane: the same bytes each time. Read from its beginning only, the
// pane gives the text's beginning.
void TestTextPane::langeZeilenKommenZurueck()
{
    QFETCH(QByteArray, bytes);
    const Text text = bytes.toStdString();
    GezeigtePane g;
    g.zeige(text);
    QCOMPARE(g.pane.text(), text);
    QCOMPARE(g.pane.anfang(g.pane.zeichenzahl()), text);
    for (const int zeichen : { 1, kStueck - 1, kStueck, kStueck + 1, g.pane.zeichenzahl() / 2 }) {
        const Text anfang = g.pane.anfang(zeichen);
        QVERIFY(!anfang.empty());
        QCOMPARE(text.substr(0, anfang.size()), anfang);
    }
    g.pane.selectAll();
    g.pane.copy();
    QCOMPARE(QApplication::clipboard()->text(), codepage::AlsPanetext(text));
    g.zeige({});
    g.pane.paste();
    QCOMPARE(g.pane.text(), text);
}

void TestTextPane::bearbeitenLangerZeilen_data()
{
    QTest::addColumn<QPoint>("anker"); // (block, column); the selection starts here
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("taste");
    QTest::addColumn<QByteArray>("erwartet");
    const QByteArray text = langeZeile();
    const auto byte
        = [&](int block, int spalte) { return kKopf.size() + (block - 1) * kStueck + spalte; };
    const auto mit
        = [&](int an, const QByteArray &neu) { return QByteArray(text).insert(an, neu); };
    const auto ohne = [&](int an, int n) { return QByteArray(text).remove(an, n); };
    const QPoint folge(2, 0); // the start of a continuation block
    const QPoint davor(1, kStueck);
    QTest::newRow("Enter in a continuation block")
        << QPoint(2, 10) << QPoint(2, 10) << int(Qt::Key_Return) << mit(byte(2, 10), "\r\n");
    QTest::newRow("Enter at its start")
        << folge << folge << int(Qt::Key_Return) << mit(byte(2, 0), "\r\n");
    QTest::newRow("Enter before it")
        << davor << davor << int(Qt::Key_Enter) << mit(byte(2, 0), "\r\n");
    QTest::newRow("pasting a line break")
        << QPoint(2, 10) << QPoint(2, 10) << int(Qt::Key_V) << mit(byte(2, 10), "x\r\ny");
    QTest::newRow("Backspace at its start")
        << folge << folge << int(Qt::Key_Backspace) << ohne(byte(2, 0) - 1, 1);
    QTest::newRow("Delete before it")
        << davor << davor << int(Qt::Key_Delete) << ohne(byte(2, 0), 1);
    QTest::newRow("Delete of a selection across it")
        << QPoint(1, kStueck - 2) << QPoint(2, 3) << int(Qt::Key_Delete)
        << ohne(byte(1, kStueck - 2), 5);
    QTest::newRow("Backspace at the line's start")
        << QPoint(1, 0) << QPoint(1, 0) << int(Qt::Key_Backspace) << ohne(kKopf.size() - 2, 2);
    QTest::newRow("Delete at the line's end")
        << QPoint(3, 100) << QPoint(3, 100) << int(Qt::Key_Delete) << ohne(byte(3, 100), 2);
}

// What the user sees happen to the text, and undo and redo give back exactly
// the text before and after.
void TestTextPane::bearbeitenLangerZeilen()
{
    QFETCH(QPoint, anker);
    QFETCH(QPoint, cursor);
    QFETCH(int, taste);
    QFETCH(QByteArray, erwartet);
    const Text vorher = langeZeile().toStdString();
    GezeigtePane g;
    g.zeige(vorher);
    QTextCursor c = g.pane.textCursor();
    c.setPosition(g.stelle(anker.x(), anker.y()));
    c.setPosition(g.stelle(cursor.x(), cursor.y()), QTextCursor::KeepAnchor);
    g.pane.setTextCursor(c);
    QApplication::clipboard()->setText(QStringLiteral("x\r\ny"));
    QTest::keyClick(
        &g.pane, Qt::Key(taste), taste == Qt::Key_V ? Qt::ControlModifier : Qt::NoModifier);
    QCOMPARE(g.pane.text(), erwartet.toStdString());
    g.pane.undo();
    QCOMPARE(g.pane.text(), vorher);
    g.pane.redo();
    QCOMPARE(g.pane.text(), erwartet.toStdString());
}

void TestTextPane::kopierenUeberWeichenUmbruch()
{
    const QByteArray text = langeZeile();
    GezeigtePane g;
    g.zeige(text.toStdString());
    QTextCursor c = g.pane.textCursor();
    c.setPosition(g.stelle(1, kStueck - 2));
    c.setPosition(g.stelle(2, 3), QTextCursor::KeepAnchor);
    g.pane.setTextCursor(c);
    g.pane.copy();
    const Text kopiert = text.mid(kKopf.size() + kStueck - 2, 5).toStdString();
    QCOMPARE(QApplication::clipboard()->text(), codepage::AlsPanetext(kopiert));
}

// A one-line field over three blocks: bytes read, selected and replaced by
// position, also across a soft break; typing first makes block 0 longer.
void TestTextPane::bytezeile_data()
{
    QTest::addColumn<bool>("getippt");
    QTest::addColumn<int>("anfang");
    QTest::addColumn<int>("anzahl");
    QTest::addColumn<QByteArray>("neu");
    const int ende = 2 * kStueck + 100;
    QTest::newRow("last byte of a block") << false << kStueck - 1 << 1 << QByteArray("Z");
    QTest::newRow("first byte of the next") << false << kStueck << 1 << QByteArray("\r\n");
    QTest::newRow("across the soft break") << false << kStueck - 2 << 4 << QByteArray("ab");
    QTest::newRow("appended") << false << ende << 0 << QByteArray("  ");
    QTest::newRow("cut off beyond the end") << false << ende - 2 << 10 << QByteArray();
    QTest::newRow("typed: last byte of block 0") << true << kStueck << 1 << QByteArray("Z");
    QTest::newRow("typed: first byte of block 1") << true << kStueck + 1 << 1 << QByteArray("Z");
}

void TestTextPane::bytezeile()
{
    QFETCH(bool, getippt);
    QFETCH(int, anfang);
    QFETCH(int, anzahl);
    QFETCH(QByteArray, neu);
    std::mt19937 zufall(5);
    QByteArray zeile = zufallsbytes(2 * kStueck + 100, zufall);
    zeile.replace(kStueck - 2, 3, "\r\n\n"); // CR LF and LF are characters here
    Bytezeile feld;
    feld.show();
    QVERIFY(QTest::qWaitForWindowExposed(&feld));
    feld.setText(zeile.toStdString());
    if (getippt) {
        QTest::keyClicks(&feld, "x");
        zeile.prepend('x');
    }
    QCOMPARE_GT(feld.document()->blockCount(), 2);
    QCOMPARE(feld.Laenge(), zeile.size());
    for (int i = std::max(anfang - 2, 0); i < std::min<int>(anfang + 3, zeile.size()); ++i) {
        QCOMPARE(feld.ByteAn(i), zeile[i]);
        feld.WaehleBytes(i, 1);
        QCOMPARE(feld.AuswahlAnfang(), i);
        QCOMPARE(feld.textCursor().selectedText(), QString(codepage::Zeichen(uchar(zeile[i]))));
    }
    feld.ErsetzeBytes(anfang, anzahl, neu.toStdString());
    zeile.replace(anfang, std::min<int>(anzahl, zeile.size() - anfang), neu);
    QCOMPARE(feld.text(), zeile.toStdString());
    QVERIFY(!feld.document()->isUndoAvailable());
}

// Enter, with Shift too, puts no break into a one-line field; a paste keeps
// CR and LF as the bytes they are.
void TestTextPane::bytezeileEingaben()
{
    Bytezeile feld;
    feld.show();
    QVERIFY(QTest::qWaitForWindowExposed(&feld));
    QTest::keyClicks(&feld, "ab");
    QTest::keyClick(&feld, Qt::Key_Return);
    QTest::keyClick(&feld, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(&feld, Qt::Key_Enter);
    QApplication::clipboard()->setText(QStringLiteral("c\r\nd\re\nЖ"));
    feld.paste();
    QCOMPARE(feld.text(), Text("abc\r\nd\re\n?"));
    QCOMPARE(feld.document()->blockCount(), 1);
}

// Each replacement is one undo step; a large text holds only the latest,
// saved or unsaved as it was.
void TestTextPane::ersetzenRueckgaengig_data()
{
    QTest::addColumn<qsizetype>("laenge");
    QTest::addColumn<bool>("gespeichert"); // the text of the first replacement
    QTest::addColumn<int>("schritteZurueck");
    QTest::addColumn<bool>("geaendert");
    QTest::newRow("short: every step") << qsizetype { 40 } << true << 2 << true;
    QTest::newRow("large: the latest step, saved")
        << TextPane::kNurEinSchritt << true << 1 << false;
    QTest::newRow("large: the latest step, unsaved")
        << TextPane::kNurEinSchritt << false << 1 << true;
}

void TestTextPane::ersetzenRueckgaengig()
{
    QFETCH(qsizetype, laenge);
    QFETCH(bool, gespeichert);
    QFETCH(int, schritteZurueck);
    QFETCH(bool, geaendert);
    const std::vector<verschl::Text> texte
        = { verschl::Text(laenge, 'a'), verschl::Text(laenge, 'b'), "c\r\nd" };
    TextPane pane;
    pane.setText(texte[0]);
    pane.ersetze(texte[1]);
    pane.document()->setModified(!gespeichert);
    pane.ersetze(texte[2]);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&pane, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(pane.text() == texte[2 - schritteZurueck]);
    QCOMPARE(pane.document()->isModified(), geaendert);
}

QTEST_MAIN(TestTextPane)
#include "test_textpane.moc"
