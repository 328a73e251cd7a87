// SPDX-License-Identifier: GPL-3.0-or-later
// The matrix demonstration as a user meets it: opened from the main window,
// the matrix of a text with its size, scroll bars and place, taking over
// the text, clearing, and the shape written back to the method window.

#include "bausteine/spaltenzahlfeld.h"
#include "demos/matrixdemo.h"
#include "demos/stringaligngrid.h"
#include "demos/textfeld.h"
#include "testhilfen/aufbau.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using verschl::Text;
using Balken = TStringAlignGrid::TScrollStyle;
Q_DECLARE_METATYPE(Balken)

namespace {

const Text kStarttext = "Kryptologie macht Spa\xDF!";

// Opens a demonstration through a command of the main window.
TMatrixDemoForm &oeffne(Aufbau &a, const char *befehl = "MatrixVerschlsselung1")
{
    return a.oeffneNeues<TMatrixDemoForm>(befehl);
}

Text zeichenfolge(int laenge)
{
    Text text;
    for (int i = 0; i < laenge; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

Text alleBytes()
{
    Text text;
    for (int b = 0; b < 256; ++b)
        text += static_cast<char>(b);
    return text;
}

// QTest::keyClicks knows only ASCII; typed umlauts arrive as key events with text.
void tippe(QWidget *ziel, const QString &text)
{
    for (QChar z : text) {
        QKeyEvent druck(QEvent::KeyPress, 0, Qt::NoModifier, QString(z));
        QApplication::sendEvent(ziel, &druck);
    }
}

// Replaces a number field's text the way the user does, keystroke by keystroke.
void tippeZahl(QSpinBox *feld, const QString &text)
{
    auto *zeile = feld->findChild<QLineEdit *>();
    zeile->selectAll();
    QTest::keyClick(zeile, Qt::Key_Delete);
    QTest::keyClicks(zeile, text);
}

// Everything the grid shows: size, scroll bars, place and every cell.
QByteArray zustand(const TStringAlignGrid &g)
{
    QByteArray s = QByteArray::number(g.ColCount()) + 'x' + QByteArray::number(g.RowCount())
        + " balken " + QByteArray::number(int(g.ScrollBars())) + " bei " + QByteArray::number(g.x())
        + ',' + QByteArray::number(g.y()) + ' ' + QByteArray::number(g.width()) + 'x'
        + QByteArray::number(g.height()) + ':';
    for (int r = 0; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.ColCount(); ++c)
            s += QByteArray::fromStdString(g.Cells(c, r)) + '|';
    }
    return s;
}

void aktualisiere(TMatrixDemoForm &f, const Text &text)
{
    f.findChild<Textfeld *>(u"MKlartext"_s)->setText(text);
    QTest::mouseClick(f.findChild<QPushButton *>(u"BAktualisieren"_s), Qt::LeftButton);
}

} // namespace

class TestMatrixDemo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void befehleOeffnen_data();
    void befehleOeffnen();
    void matrix_data();
    void matrix();
    void nurAktualisierenZeichnet_data();
    void nurAktualisierenZeichnet();
    void loeschen();
    void uebernehmen_data();
    void uebernehmen();
    void starttext_data();
    void starttext();
    void langeZeile_data();
    void langeZeile();
    void startform_data();
    void startform();
    void rueckschreiben_data();
    void rueckschreiben();
    void getippterText();
    void einfuegenUndKopieren();
    void einfuegenZeigtDieEinfuegestelle();
    void fokus();
    void mehrereFenster();
};

void TestMatrixDemo::befehleOeffnen_data()
{
    QTest::addColumn<QString>("befehl");
    QTest::newRow("menu") << "MatrixVerschlsselung1";
    QTest::newRow("pop-up") << "PopMDemoMatrix";
}

// A window of its own with the designed size, never resized or maximised.
void TestMatrixDemo::befehleOeffnen()
{
    QFETCH(QString, befehl);
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a, qPrintable(befehl));
    QVERIFY(f.isVisible() && !f.parent() && f.isWindow());
    QCOMPARE(f.windowTitle(), QStringLiteral("Matrixverschlüsselung-Demonstration"));
    QCOMPARE(f.size(), QSize(431, 305));
    QCOMPARE(f.minimumSize(), f.maximumSize());
    QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    const auto *gitter = f.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    QCOMPARE(QSize(gitter->ColCount(), gitter->RowCount()), QSize(15, 15));
    QCOMPARE(gitter->geometry(), QRect(0, 0, 303, 303));
    QCOMPARE(gitter->ScrollBars(), Balken::ssNone);
    QPointer<TMatrixDemoForm> zu = &f;
    QTest::mouseClick(f.findChild<QPushButton *>(u"BSchliessen"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(zu.isNull());
}

void TestMatrixDemo::matrix_data()
{
    QTest::addColumn<Text>("text");
    QTest::addColumn<QString>("spalten"); // typed into the field; empty: square
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<Balken>("balken");
    QTest::addColumn<QRect>("platz");

    QTest::newRow("start sentence, square")
        << kStarttext << "" << 5 << 5 << Balken::ssNone << QRect(100, 100, 103, 103);
    QTest::newRow("300 characters, square")
        << zeichenfolge(300) << "" << 18 << 17 << Balken::ssBoth << QRect(0, 0, 303, 303);
    QTest::newRow("20 characters, 1 column")
        << zeichenfolge(20) << "1" << 1 << 20 << Balken::ssVertical << QRect(131, 0, 40, 303);
    QTest::newRow("one character")
        << Text("x") << "" << 1 << 1 << Balken::ssNone << QRect(140, 140, 23, 23);
    QTest::newRow("16 characters")
        << zeichenfolge(16) << "" << 4 << 4 << Balken::ssNone << QRect(110, 110, 83, 83);
    QTest::newRow("17 characters")
        << zeichenfolge(17) << "" << 5 << 4 << Balken::ssNone << QRect(100, 110, 103, 83);
    QTest::newRow("100 columns, 30 characters")
        << zeichenfolge(30) << "100" << 100 << 1 << Balken::ssHorizontal << QRect(0, 131, 303, 40);
    QTest::newRow("line break takes two cells")
        << Text("ab\r\ncd") << "" << 3 << 2 << Balken::ssNone << QRect(120, 130, 63, 43);
    QTest::newRow("15 x 15 fill the area")
        << zeichenfolge(225) << "" << 15 << 15 << Balken::ssNone << QRect(0, 0, 303, 303);
    QTest::newRow("16th column") << zeichenfolge(32) << "16" << 16 << 2 << Balken::ssHorizontal
                                 << QRect(0, 121, 303, 60);
    QTest::newRow("16th row") << zeichenfolge(16) << "1" << 1 << 16 << Balken::ssVertical
                              << QRect(131, 0, 40, 303);
    QTest::newRow("every byte") << alleBytes() << "" << 16 << 16 << Balken::ssBoth
                                << QRect(0, 0, 303, 303);
    QTest::newRow("10,000 characters")
        << zeichenfolge(10000) << "" << 100 << 100 << Balken::ssBoth << QRect(0, 0, 303, 303);
    // The field does not correct what is typed; the update reads it with the
    // method window's rule.
    QTest::newRow("typed 0 is 1") << zeichenfolge(3) << "0" << 1 << 3 << Balken::ssNone
                                  << QRect(140, 120, 23, 63);
    QTest::newRow("typed -3 is 1")
        << zeichenfolge(3) << "-3" << 1 << 3 << Balken::ssNone << QRect(140, 120, 23, 63);
    QTest::newRow("typed 250 is 100")
        << zeichenfolge(30) << "250" << 100 << 1 << Balken::ssHorizontal << QRect(0, 131, 303, 40);
    QTest::newRow("letters are 1")
        << zeichenfolge(3) << "x" << 1 << 3 << Balken::ssNone << QRect(140, 120, 23, 63);
    QTest::newRow("empty field is 1")
        << zeichenfolge(3) << " " << 1 << 3 << Balken::ssNone << QRect(140, 120, 23, 63);
}

// Row by row: cell (c, r) holds byte r * cols + c, blanks after the text.
void TestMatrixDemo::matrix()
{
    QFETCH(Text, text);
    QFETCH(QString, spalten);
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(Balken, balken);
    QFETCH(QRect, platz);
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    if (!spalten.isEmpty()) {
        QTest::mouseClick(f.findChild<QRadioButton *>(u"RBSpaltenzahl"_s), Qt::LeftButton);
        tippeZahl(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s), spalten.trimmed());
    }
    aktualisiere(f, text);
    const TStringAlignGrid &g = *f.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    QCOMPARE(g.ColCount(), cols);
    QCOMPARE(g.RowCount(), rows);
    QCOMPARE(g.ScrollBars(), balken);
    QCOMPARE(g.geometry(), platz);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const std::size_t i = std::size_t(r) * cols + c;
            const Text soll(1, i < text.size() ? text[i] : ' ');
            if (g.Cells(c, r) != soll)
                QFAIL(qPrintable(QStringLiteral("cell %1, %2").arg(c).arg(r)));
        }
    }
    // The text is kept once, not as an entry per cell.
    QCOMPARE(g.Zelleintraege(), std::size_t(0));
}

enum class Aenderung { LeererText, AndererText, AndereForm, Spaltenzahl };
Q_DECLARE_METATYPE(Aenderung)

void TestMatrixDemo::nurAktualisierenZeichnet_data()
{
    QTest::addColumn<Aenderung>("aenderung");
    QTest::addColumn<bool>("aktualisieren");
    QTest::newRow("empty text, updated") << Aenderung::LeererText << true;
    QTest::newRow("other text") << Aenderung::AndererText << false;
    QTest::newRow("other shape") << Aenderung::AndereForm << false;
    QTest::newRow("column count typed") << Aenderung::Spaltenzahl << false;
}

// The grid changes only on "Matrix &aktualisieren", and an empty text leaves
// it exactly as it is.
void TestMatrixDemo::nurAktualisierenZeichnet()
{
    QFETCH(Aenderung, aenderung);
    QFETCH(bool, aktualisieren);
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    aktualisiere(f, zeichenfolge(300));
    const QByteArray vorher = zustand(*f.findChild<TStringAlignGrid *>(u"SAGrid"_s));
    switch (aenderung) {
    case Aenderung::LeererText:
        f.findChild<Textfeld *>(u"MKlartext"_s)->selectAll();
        QTest::keyClick(f.findChild<Textfeld *>(u"MKlartext"_s), Qt::Key_Delete);
        break;
    case Aenderung::AndererText:
        f.findChild<Textfeld *>(u"MKlartext"_s)->setText("xyz");
        break;
    case Aenderung::AndereForm:
        QTest::mouseClick(f.findChild<QRadioButton *>(u"RBSpaltenzahl"_s), Qt::LeftButton);
        break;
    case Aenderung::Spaltenzahl:
        QTest::mouseClick(f.findChild<QRadioButton *>(u"RBSpaltenzahl"_s), Qt::LeftButton);
        tippeZahl(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s), QStringLiteral("3"));
        break;
    }
    if (aktualisieren)
        QTest::mouseClick(f.findChild<QPushButton *>(u"BAktualisieren"_s), Qt::LeftButton);
    QCOMPARE(zustand(*f.findChild<TStringAlignGrid *>(u"SAGrid"_s)), vorher);
}

void TestMatrixDemo::loeschen()
{
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    auto *gitter = f.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    const QByteArray leer = zustand(*gitter);
    aktualisiere(f, zeichenfolge(300));
    QTest::mouseClick(f.findChild<QPushButton *>(u"BLoeschen"_s), Qt::LeftButton);
    QCOMPARE(zustand(*gitter), leer);
    QCOMPARE(gitter->geometry(), QRect(0, 0, 303, 303));
    QCOMPARE(gitter->ScrollBars(), Balken::ssNone);
    QCOMPARE(f.findChild<Textfeld *>(u"MKlartext"_s)->text(), Text());
    QCOMPARE(f.focusWidget(), f.findChild<Textfeld *>(u"MKlartext"_s));
    // An update of the empty field keeps the design.
    QTest::mouseClick(f.findChild<QPushButton *>(u"BAktualisieren"_s), Qt::LeftButton);
    QCOMPARE(zustand(*gitter), leer);
}

void TestMatrixDemo::uebernehmen_data()
{
    QTest::addColumn<Text>("klartext");
    QTest::newRow("plain") << Text("Geheimnis");
    QTest::newRow("empty") << Text();
    QTest::newRow("umlauts, line breaks, lone CR and LF")
        << Text("\xC4\xD6\xDC\xDF\r\nx\ry\nz\r\n");
    QTest::newRow("every byte") << alleBytes();
}

// The main window's plaintext as it is, also when empty; the grid stays.
void TestMatrixDemo::uebernehmen()
{
    QFETCH(Text, klartext);
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    aktualisiere(f, zeichenfolge(30));
    const QByteArray vorher = zustand(*f.findChild<TStringAlignGrid *>(u"SAGrid"_s));
    a.klar().setText(klartext);
    QTest::mouseClick(f.findChild<QPushButton *>(u"BTextUebernehmen"_s), Qt::LeftButton);
    QCOMPARE(f.findChild<Textfeld *>(u"MKlartext"_s)->text(), klartext);
    QCOMPARE(zustand(*f.findChild<TStringAlignGrid *>(u"SAGrid"_s)), vorher);
}

void TestMatrixDemo::starttext_data()
{
    QTest::addColumn<Text>("klartext");
    QTest::addColumn<Text>("start");
    QTest::newRow("empty pane") << Text() << kStarttext;
    QTest::newRow("a text") << Text("Hallo") << Text("Hallo");
    QTest::newRow("every byte") << alleBytes() << alleBytes();
}

void TestMatrixDemo::starttext()
{
    QFETCH(Text, klartext);
    QFETCH(Text, start);
    Aufbau a;
    a.klar().setText(klartext);
    QCOMPARE(oeffne(a).findChild<Textfeld *>(u"MKlartext"_s)->text(), start);
}

void TestMatrixDemo::langeZeile_data()
{
    QTest::addColumn<bool>("uebernehmen");
    QTest::newRow("opened with it") << false;
    QTest::newRow("Übernehmen") << true;
}

// A line of 1 MiB, as a rotation by 128 makes of a whole text, shows in
// blocks as in the panes and comes back byte for byte.
void TestMatrixDemo::langeZeile()
{
    QFETCH(bool, uebernehmen);
    Text zeile;
    for (int i = 0; i < 1 << 20; ++i)
        zeile += static_cast<char>(128 + i % 128);
    Aufbau a;
    a.klar().setText(zeile);
    TMatrixDemoForm &f = oeffne(a);
    if (uebernehmen) {
        f.findChild<Textfeld *>(u"MKlartext"_s)->clear();
        QTest::mouseClick(f.findChild<QPushButton *>(u"BTextUebernehmen"_s), Qt::LeftButton);
    }
    QCOMPARE_GT(f.findChild<Textfeld *>(u"MKlartext"_s)->document()->blockCount(), 1);
    QCOMPARE(f.findChild<Textfeld *>(u"MKlartext"_s)->text(), zeile);
}

void TestMatrixDemo::startform_data()
{
    QTest::addColumn<bool>("quadratisch");
    QTest::addColumn<QString>("getippt"); // in the method window, not yet corrected
    QTest::addColumn<int>("spalten");
    QTest::newRow("square") << true << "7" << 7;
    QTest::newRow("column count") << false << "7" << 7;
    QTest::newRow("typed 250") << false << "250" << 100;
    QTest::newRow("typed 0") << false << "0" << 1;
}

// The shape as the method window shows it; opening writes nothing back, even
// with "&Demo-Optionen übernehmen" on.
void TestMatrixDemo::startform()
{
    QFETCH(bool, quadratisch);
    QFETCH(QString, getippt);
    QFETCH(int, spalten);
    Aufbau a;
    a.klicke("MMDemoOptUebernehmen");
    a.option().setMethode(Methode::Matrix);
    // Typed while the field is enabled; the square choice greys it afterwards.
    a.option().setQuadratisch(false);
    tippeZahl(&a.steuer<QSpinBox>("SpEdSpalten"), getippt);
    a.option().setQuadratisch(quadratisch);
    TMatrixDemoForm &f = oeffne(a);
    QCOMPARE(f.findChild<QRadioButton *>(u"RBQuadratisch"_s)->isChecked(), quadratisch);
    QCOMPARE(f.findChild<QRadioButton *>(u"RBSpaltenzahl"_s)->isChecked(), !quadratisch);
    QCOMPARE(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s)->isEnabled(), !quadratisch);
    QCOMPARE(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s)->value(), spalten);
    QCOMPARE(a.steuer<QSpinBox>("SpEdSpalten").cleanText(), getippt);
    QCOMPARE(a.option().quadratisch(), quadratisch);
}

void TestMatrixDemo::rueckschreiben_data()
{
    QTest::addColumn<bool>("uebernehmen"); // "&Demo-Optionen übernehmen"
    QTest::addColumn<bool>("vonQuadratisch");
    QTest::addColumn<QString>("aktion"); // a radio button's name, or a typed count
    QTest::addColumn<bool>("quadratisch"); // the method window's shape afterwards
    QTest::addColumn<int>("spalten"); // its column count afterwards

    for (const bool an : { true, false }) {
        // newRow copies the name before the temporary goes.
        const auto zeile
            = [an](const char *name) { return (QByteArray(an ? "on: " : "off: ") + name); };
        QTest::newRow(zeile("choose column count").constData())
            << an << true << "RBSpaltenzahl" << !an << 5;
        QTest::newRow(zeile("choose square").constData())
            << an << false << "RBQuadratisch" << an << 5;
        QTest::newRow(zeile("type 7").constData()) << an << false << "7" << false << (an ? 7 : 5);
        QTest::newRow(zeile("type 250").constData())
            << an << false << "250" << false << (an ? 100 : 5);
        QTest::newRow(zeile("type 0").constData()) << an << false << "0" << false << (an ? 1 : 5);
        QTest::newRow(zeile("type letters").constData())
            << an << false << "x" << false << (an ? 1 : 5);
    }
}

// With "&Demo-Optionen übernehmen" checked every shape choice here is made in
// the method window too, which runs its own rules; without, nothing goes over.
void TestMatrixDemo::rueckschreiben()
{
    QFETCH(bool, uebernehmen);
    QFETCH(bool, vonQuadratisch);
    QFETCH(QString, aktion);
    QFETCH(bool, quadratisch);
    QFETCH(int, spalten);
    Aufbau a;
    if (uebernehmen)
        a.klicke("MMDemoOptUebernehmen");
    a.option().setMethode(Methode::Matrix);
    a.option().setQuadratisch(vonQuadratisch);
    TMatrixDemoForm &f = oeffne(a);
    if (auto *knopf = f.findChild<QRadioButton *>(aktion)) {
        QTest::mouseClick(knopf, Qt::LeftButton);
        QCOMPARE(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s)->isEnabled(),
            knopf == f.findChild<QRadioButton *>(u"RBSpaltenzahl"_s));
    } else {
        tippeZahl(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s), aktion);
        QCOMPARE(f.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s)->cleanText(), aktion);
    }
    QCOMPARE(a.option().quadratisch(), quadratisch);
    QCOMPARE(a.steuer<QRadioButton>("RBMatrixManSpalten").isChecked(), !quadratisch);
    QCOMPARE(a.steuer<QSpinBox>("SpEdSpalten").isEnabled(), !quadratisch);
    QCOMPARE(a.option().spaltenzahl(), spalten);
}

// Umlauts, ß and Enter typed into the field reach the cells as their bytes;
// the line break takes two cells.
void TestMatrixDemo::getippterText()
{
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    auto *klartext = f.findChild<Textfeld *>(u"MKlartext"_s);
    auto *gitter = f.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    klartext->clear();
    tippe(klartext, QStringLiteral("Spaß"));
    QTest::keyClick(klartext, Qt::Key_Return);
    tippe(klartext, QStringLiteral("Äö"));
    QCOMPARE(klartext->text(), Text("Spa\xDF\r\n\xC4\xF6"));
    QTest::mouseClick(f.findChild<QPushButton *>(u"BAktualisieren"_s), Qt::LeftButton);
    QCOMPARE(gitter->ColCount(), 3);
    QCOMPARE(gitter->Cells(0, 1), Text("\xDF"));
    QCOMPARE(gitter->Cells(1, 1), Text("\r"));
    QCOMPARE(gitter->Cells(2, 1), Text("\n"));
    QCOMPARE(gitter->Cells(1, 2), Text("\xF6"));
    QCOMPARE(gitter->Cells(2, 2), Text(" "));
}

// Pasted CR LF is one line break and a lone CR stays one byte; copying keeps
// the no-break space.
void TestMatrixDemo::einfuegenUndKopieren()
{
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    auto *klartext = f.findChild<Textfeld *>(u"MKlartext"_s);
    klartext->clear();
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb\rc\u00A0Ж"));
    klartext->paste();
    QCOMPARE(klartext->text(), Text("a\r\nb\rc\xA0?"));
    klartext->setText("x\xA0y\r\nz");
    klartext->selectAll();
    klartext->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("x\u00A0y\nz"));
}

// After a paste from the context menu the field scrolls to where the text
// went in, as after typing.
void TestMatrixDemo::einfuegenZeigtDieEinfuegestelle()
{
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    auto *klartext = f.findChild<Textfeld *>(u"MKlartext"_s);
    klartext->clear();
    QApplication::clipboard()->setText(QStringLiteral("Zeile\r\n").repeated(100));
    klartext->paste();
    QVERIFY(klartext->verticalScrollBar()->value() > 0);
    QVERIFY(klartext->viewport()->rect().contains(klartext->cursorRect()));
}

// The focus starts on "Matrix &aktualisieren"; the grid passes it to the text.
void TestMatrixDemo::fokus()
{
    Aufbau a;
    TMatrixDemoForm &f = oeffne(a);
    QCOMPARE(f.focusWidget(), f.findChild<QPushButton *>(u"BAktualisieren"_s));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    QTest::mouseClick(f.findChild<TStringAlignGrid *>(u"SAGrid"_s)->viewport(), Qt::LeftButton, {},
        QPoint(50, 50));
    QCOMPARE(QApplication::focusWidget(), f.findChild<Textfeld *>(u"MKlartext"_s));
    f.findChild<QPushButton *>(u"BLoeschen"_s)->setFocus();
    f.findChild<TStringAlignGrid *>(u"SAGrid"_s)->setFocus();
    QCOMPARE(QApplication::focusWidget(), f.findChild<Textfeld *>(u"MKlartext"_s));
}

// Each window has its own text, shape and matrix; closing one leaves the other.
void TestMatrixDemo::mehrereFenster()
{
    Aufbau a;
    TMatrixDemoForm &erstes = oeffne(a);
    TMatrixDemoForm &zweites = oeffne(a, "PopMDemoMatrix");
    QCOMPARE(Aufbau::offene<TMatrixDemoForm>().size(), 2);
    const QByteArray leer = zustand(*zweites.findChild<TStringAlignGrid *>(u"SAGrid"_s));
    QTest::mouseClick(erstes.findChild<QRadioButton *>(u"RBSpaltenzahl"_s), Qt::LeftButton);
    tippeZahl(erstes.findChild<Spaltenzahlfeld *>(u"SpEdSpaltenzahl"_s), QStringLiteral("2"));
    aktualisiere(erstes, "abcd");
    QCOMPARE(erstes.findChild<TStringAlignGrid *>(u"SAGrid"_s)->ColCount(), 2);
    QCOMPARE(zweites.findChild<Textfeld *>(u"MKlartext"_s)->text(), kStarttext);
    QVERIFY(zweites.findChild<QRadioButton *>(u"RBQuadratisch"_s)->isChecked());
    QCOMPARE(zustand(*zweites.findChild<TStringAlignGrid *>(u"SAGrid"_s)), leer);
    QPointer<TMatrixDemoForm> zu = &erstes;
    QTest::mouseClick(erstes.findChild<QPushButton *>(u"BSchliessen"_s), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(zu.isNull());
    QTest::mouseClick(zweites.findChild<QPushButton *>(u"BAktualisieren"_s), Qt::LeftButton);
    QCOMPARE(zweites.findChild<TStringAlignGrid *>(u"SAGrid"_s)->ColCount(), 5);
    QCOMPARE(zweites.findChild<TStringAlignGrid *>(u"SAGrid"_s)->Cells(0, 1), Text("o"));
}

QTEST_MAIN(TestMatrixDemo)
#include "test_matrixdemo.moc"
