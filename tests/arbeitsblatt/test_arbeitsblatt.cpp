// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window as a teacher uses it: the preview follows the options
// once typing has paused, and a sheet too large to print is refused with
// the reason.

#include "arbeitsblatt/arbeitsblatt.h"
#include "testhilfen/aufbau.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

verschl::Text buchstaben(std::size_t anzahl)
{
    verschl::Text text;
    for (std::size_t i = 0; i < anzahl; ++i)
        text += char('a' + i % 26);
    return text;
}

// `zeilen` lines of a few letters, CR LF between them as in a pane.
verschl::Text zeilen(int anzahl)
{
    verschl::Text text = "abc";
    for (int i = 1; i < anzahl; ++i)
        text += "\r\nabc";
    return text;
}

void klicke(TArbeitsblattForm &blatt, const QString &knopf)
{
    QTest::mouseClick(blatt.findChild<QPushButton *>(knopf), Qt::LeftButton);
}

} // namespace

class TestArbeitsblatt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aufschub();
    void grenzen_data();
    void grenzen();
};

// "12" typed into the column field builds one sheet, for 12 columns, once
// typing has paused; "Vorschau aktualisieren" builds at once.
void TestArbeitsblatt::aufschub()
{
    Aufbau a;
    a.klar().setText(buchstaben(100));
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    blatt.findChild<QComboBox *>(u"CBAufgabe"_s)
        ->setCurrentIndex(int(Aufgabe::MatrixEntschluesseln));
    auto &vorschau = *blatt.findChild<QPrintPreviewWidget *>(u"Vorschau"_s);
    klicke(blatt, u"BAktualisieren"_s);
    QSignalSpy gebaut(&vorschau, &QPrintPreviewWidget::paintRequested);

    auto &spalten = *blatt.findChild<QSpinBox *>(u"SpSpalten"_s);
    spalten.selectAll();
    QTest::keyClicks(&spalten, u"12"_s);
    QCOMPARE(spalten.value(), 12);
    QTRY_COMPARE(gebaut.count(), 1);
    QVERIFY(!blatt.findChild<QTimer *>(u"Aufschub"_s)->isActive());
    // One column would give a grid of 100 rows over several pages.
    const int seiten = vorschau.pageCount();
    klicke(blatt, u"BAktualisieren"_s);
    QCOMPARE(gebaut.count(), 2);
    QCOMPARE(vorschau.pageCount(), seiten);
}

void TestArbeitsblatt::grenzen_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("spalten");
    QTest::addColumn<QString>("grund");
    const int matrix = int(Aufgabe::MatrixEntschluesseln);
    const int caesar = int(Aufgabe::CaesarEntschluesseln);
    // The bounds: 4000 rows of grid, 4000 lines of text, 40,000 characters.
    const std::size_t n = 4000;
    const auto text = [](const verschl::Text &t) { return QByteArray::fromStdString(t); };
    QTest::newRow("grid at the bound") << matrix << text(buchstaben(n)) << 1 << QString();
    QTest::newRow("grid a row over") << matrix << text(buchstaben(n + 1)) << 1
                                     << u"Das Gitter hätte 4001 Zeilen, höchstens 4000 passen auf "
                                        "ein Arbeitsblatt. Wählen Sie mindestens 2 Spalten oder "
                                        "kürzen Sie den Text."_s;
    QTest::newRow("2 columns at the bound") << matrix << text(buchstaben(2 * n)) << 2 << QString();
    QTest::newRow("2 columns a row over")
        << matrix << text(buchstaben(2 * n + 1)) << 2
        << u"Das Gitter hätte 4001 Zeilen, höchstens 4000 passen auf ein Arbeitsblatt. Wählen "
           "Sie mindestens 3 Spalten oder kürzen Sie den Text."_s;
    QTest::newRow("the longest text, 10 columns")
        << matrix << text(buchstaben(40000)) << 10 << QString();
    QTest::newRow("lines at the bound") << caesar << text(zeilen(4000)) << 1 << QString();
    QTest::newRow("a line over") << caesar << text(zeilen(4001)) << 1
                                 << u"Der Text hat 4001 Zeilen, höchstens 4000 passen auf ein "
                                    "Arbeitsblatt. Kürzen Sie ihn."_s;
}

// A sheet whose height the printing could not lay out is refused, and the
// preview shows no stale sheet.
void TestArbeitsblatt::grenzen()
{
    QFETCH(int, aufgabe);
    QFETCH(QByteArray, text);
    QFETCH(int, spalten);
    QFETCH(QString, grund);
    Aufbau a;
    a.klar().setText(text.toStdString());
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->setCurrentIndex(aufgabe);
    blatt.findChild<QSpinBox *>(u"SpSpalten"_s)->setValue(spalten);
    klicke(blatt, u"BAktualisieren"_s);
    QCOMPARE(blatt.findChild<QLabel *>(u"LStatus"_s)->text(), grund);
    const int seiten = blatt.findChild<QPrintPreviewWidget *>(u"Vorschau"_s)->pageCount();
    if (grund.isEmpty())
        QVERIFY2(seiten > 1, qPrintable(QString::number(seiten)));
    else
        QCOMPARE(seiten, 1);
}

QTEST_MAIN(TestArbeitsblatt)
#include "test_arbeitsblatt.moc"
