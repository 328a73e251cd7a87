// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window as a teacher uses it: the preview follows the options
// once typing has paused, a sheet too large to print is refused with the
// reason, the example sentence is used openly, and a text of several lines
// gives sheets that pupils can solve and answer keys that agree with them.

#include "arbeitsblatt/arbeitsblatt.h"
#include "testhilfen/aufbau.h"

#include <QComboBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTextDocument>
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

// The paragraphs of a sheet after the heading `ueberschrift`, up to the next
// empty one, joined by LF: a pupil counts a line end as one character.
QString absatzNach(const QTextDocument &blatt, const QString &ueberschrift)
{
    const QStringList absaetze = blatt.toRawText().split(QChar::ParagraphSeparator);
    QStringList zeilen;
    for (qsizetype i = absaetze.indexOf(ueberschrift) + 1;
         i > 0 && i < absaetze.size() && !absaetze[i].isEmpty(); ++i)
        zeilen << absaetze[i];
    return zeilen.join(u'\n');
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
    void beispielsatz_data();
    void beispielsatz();
    void zeilenumbrueche_data();
    void zeilenumbrueche();
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
    QTest::newRow("2 columns a row over")
        << matrix << text(buchstaben(2 * n + 1)) << 2
        << u"Das Gitter hätte 4001 Zeilen, höchstens 4000 passen auf ein Arbeitsblatt. Wählen "
           "Sie mindestens 3 Spalten oder kürzen Sie den Text."_s;
    QTest::newRow("the longest text, 10 columns")
        << matrix << text(buchstaben(40000)) << 10 << QString();
    // Lines of three letters, CR LF between them as in a pane.
    const QByteArray zeile = "abc\r\n";
    QTest::newRow("lines at the bound")
        << caesar << zeile.repeated(4000).chopped(2) << 1 << QString();
    QTest::newRow("a line over") << caesar << zeile.repeated(4001).chopped(2) << 1
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

void TestArbeitsblatt::beispielsatz_data()
{
    QTest::addColumn<QByteArray>("pane");
    QTest::addColumn<QString>("hinweis");
    QTest::addColumn<std::size_t>("laenge");
    const QString keine = u"Im Klartextfeld stehen keine Buchstaben A–Z: Das Arbeitsblatt zeigt "
                          "den Beispieltext."_s;
    const std::size_t beispiel = Beispieltext().size();
    QTest::newRow("digits") << QByteArray("0123456789").repeated(40) << keine << beispiel;
    QTest::newRow("umlauts") << QByteArray("\xC4\xD6\xDC\xE4\xF6\xFC\xDF") << keine << beispiel;
    QTest::newRow("empty")
        << QByteArray() << u"Das Klartextfeld ist leer: Das Arbeitsblatt zeigt den Beispieltext."_s
        << beispiel;
    // 10 lines of 9 letters: 108 bytes in the pane, 99 characters on the sheet.
    QTest::newRow("lines") << QByteArray("abcdefghi\r\n").repeated(10).chopped(2) << QString()
                           << std::size_t(99);
}

// The window says when it shows the example sentence, and the square
// layout of the method window counts the text the sheet shows.
void TestArbeitsblatt::beispielsatz()
{
    QFETCH(QByteArray, pane);
    QFETCH(QString, hinweis);
    QFETCH(std::size_t, laenge);
    Aufbau a;
    a.steuer<QRadioButton>("RadioGroupItem0").setChecked(true);
    a.steuer<QRadioButton>("RBMatrixQuadratisch").setChecked(true);
    a.klar().setText(pane.toStdString());
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    QCOMPARE(blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->currentIndex(),
        int(Aufgabe::MatrixEntschluesseln));
    QCOMPARE(blatt.findChild<QLabel *>(u"LStatus"_s)->text(), hinweis);
    QCOMPARE(std::size_t(blatt.findChild<QSpinBox *>(u"SpSpalten"_s)->value()),
        verschl::MatrixSpalten(laenge, {}));
}

void TestArbeitsblatt::zeilenumbrueche_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<QString>("regel");
    const int matrix = int(Aufgabe::MatrixEntschluesseln);
    const int vigenere = int(Aufgabe::VigenereEntschluesseln);
    QTest::newRow("matrix") << matrix << false
                            << u"Wo im Klartext eine neue Zeile beginnt, steht ein Leerzeichen."_s;
    QTest::newRow("Caesar") << int(Aufgabe::CaesarEntschluesseln) << false << QString();
    QTest::newRow("Vigenère, every character")
        << vigenere << false
        << u"Jedes Zeilenende bekommt wie ein Leerzeichen einen Schlüsselbuchstaben."_s;
    QTest::newRow("Vigenère, letters only") << vigenere << true << QString();
}

// A text of several lines, with CR LF and lone CR and LF: no stand-in for a
// control character reaches the sheet, the task says how line ends count, and
// the ciphertext read that way decrypts to the answer key's plaintext.
void TestArbeitsblatt::zeilenumbrueche()
{
    QFETCH(int, aufgabe);
    QFETCH(bool, ignorieren);
    QFETCH(QString, regel);
    Blattwahl w;
    w.aufgabe = Aufgabe(aufgabe);
    w.sonderzeichenIgnorieren = ignorieren;
    w.verschiebung = 7;
    w.spalten = 4;
    const auto blatt = BaueArbeitsblatt(w, "Wir treffen uns\r\nam Bahnhof\rum acht\nUhr");
    const QString alles = blatt->toRawText();
    QVERIFY(!alles.contains(u'\u240D') && !alles.contains(u'\u240A'));
    QVERIFY(alles.contains(regel));

    const bool gitter = w.aufgabe == Aufgabe::MatrixEntschluesseln;
    const QString klar = absatzNach(*blatt, u"Klartext"_s);
    QCOMPARE(klar,
        gitter ? u"Wir treffen uns am Bahnhof um acht Uhr"_s
               : u"Wir treffen uns\nam Bahnhof\num acht\nUhr"_s);
    QString geheim = absatzNach(*blatt, u"Geheimtext"_s);
    geheim.replace(u'\u2423', u' ');
    const verschl::Text g = geheim.toStdString();
    verschl::Text entschluesselt;
    if (gitter)
        entschluesselt = QString::fromStdString(verschl::MatrixEntschluesseln(g, { true, 4 }))
                             .trimmed()
                             .toStdString();
    else if (w.aufgabe == Aufgabe::VigenereEntschluesseln)
        entschluesselt = *verschl::VigenereEntschluesseln(g, w.schluessel, ignorieren);
    else
        entschluesselt = verschl::CaesarVerschieben(g, -7);
    QCOMPARE(QString::fromStdString(entschluesselt), klar);
}

QTEST_MAIN(TestArbeitsblatt)
#include "test_arbeitsblatt.moc"
