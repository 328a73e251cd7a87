// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window as a teacher uses it: the preview follows the options
// once typing has paused, a sheet too large to print is refused with the
// reason, the example sentence is used openly, a text of several lines gives
// sheets that pupils can solve and answer keys that agree with them, the
// text is prepared as chosen, variants get keys of their own, and the answer
// key can go to a file of its own.

#include "arbeitsblatt/arbeitsblatt.h"
#include "blattleser.h"
#include "papier/papier.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QtMath>
#include <set>

using namespace Qt::StringLiterals;

using namespace blattleser;

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
    void optionen_data();
    void optionen();
    void loesungenGetrennt();
    void antwortraum_data();
    void antwortraum();
    void scheiben();
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
    QTest::addColumn<int>("varianten");
    const int matrix = int(Aufgabe::MatrixEntschluesseln);
    const int caesar = int(Aufgabe::CaesarEntschluesseln);
    // The bounds: 4000 rows of grid, 4000 lines of text, 40,000 characters.
    const std::size_t n = 4000;
    const auto text = [](const verschl::Text &t) { return QByteArray::fromStdString(t); };
    QTest::newRow("grid at the bound") << matrix << text(buchstaben(n)) << 1 << QString() << 1;
    QTest::newRow("grid a row over") << matrix << text(buchstaben(n + 1)) << 1
                                     << u"Das Gitter hätte 4001 Zeilen, höchstens 4000 passen auf "
                                        "ein Arbeitsblatt. Wählen Sie mindestens 2 Spalten oder "
                                        "kürzen Sie den Text."_s
                                     << 1;
    QTest::newRow("2 columns a row over")
        << matrix << text(buchstaben(2 * n + 1)) << 2
        << u"Das Gitter hätte 4001 Zeilen, höchstens 4000 passen auf ein Arbeitsblatt. Wählen "
           "Sie mindestens 3 Spalten oder kürzen Sie den Text."_s
        << 1;
    QTest::newRow("the longest text, 10 columns")
        << matrix << text(buchstaben(40000)) << 10 << QString() << 1;
    // Lines of three letters, CR LF between them as in a pane.
    const QByteArray zeile = "abc\r\n";
    QTest::newRow("lines at the bound")
        << caesar << zeile.repeated(4000).chopped(2) << 1 << QString() << 1;
    QTest::newRow("a line over") << caesar << zeile.repeated(4001).chopped(2) << 1
                                 << u"Der Text hat 4001 Zeilen, höchstens 4000 passen auf ein "
                                    "Arbeitsblatt. Kürzen Sie ihn."_s
                                 << 1;
    // Variants multiply what the sheet has to carry.
    QTest::newRow("5 variants at the bound")
        << caesar << text(buchstaben(8000)) << 1 << QString() << 5;
    QTest::newRow("5 variants a letter over")
        << caesar << text(buchstaben(8001)) << 1
        << u"Der Text ist für ein Arbeitsblatt zu lang: Es sind 40005 Zeichen (in 5 Varianten "
           "zusammen), höchstens 40000 passen. Kürzen Sie ihn oder drucken Sie ihn mit „Datei › "
           "Drucken...“."_s
        << 5;
    QTest::newRow("4 variants a line over")
        << caesar << zeile.repeated(1001).chopped(2) << 1
        << u"Der Text hat 4004 Zeilen (in 4 Varianten zusammen), höchstens 4000 passen auf ein "
           "Arbeitsblatt. Kürzen Sie ihn."_s
        << 4;
}

// A sheet whose height the printing could not lay out is refused, and the
// preview shows no stale sheet.
void TestArbeitsblatt::grenzen()
{
    QFETCH(int, aufgabe);
    QFETCH(QByteArray, text);
    QFETCH(int, spalten);
    QFETCH(QString, grund);
    QFETCH(int, varianten);
    Aufbau a;
    a.klar().setText(text.toStdString());
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->setCurrentIndex(aufgabe);
    blatt.findChild<QSpinBox *>(u"SpVarianten"_s)->setValue(varianten);
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
    // A line that ends in a blank goes on in the next; others end there.
    QString geheim;
    for (const QString &zeile : lies(*blatt).geheim.value(0))
        geheim += zeile + (zeile.endsWith(u'\u2423') || zeile.endsWith(u' ') ? u""_s : u"\n"_s);
    if (geheim.endsWith(u'\n'))
        geheim.chop(1);
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

void TestArbeitsblatt::optionen_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<int>("varianten");
    // Umlauts, capitals, no blanks, groups of five; none given: the defaults.
    QTest::addColumn<QList<bool>>("vorbereitung");
    QTest::addColumn<QString>("klar");
    QTest::addColumn<int>("schluessel"); // distinct keys among the variants
    const int caesar = int(Aufgabe::CaesarEntschluesseln);
    const int vigenere = int(Aufgabe::VigenereEntschluesseln);
    const QList<bool> vorgabe;
    const QString ersetzt = u"Gruesse aus Koeln! Aepfel fuer Uebermut und Spass."_s;
    QTest::newRow("Caesar, umlauts replaced by default") << caesar << 1 << vorgabe << ersetzt << 1;
    QTest::newRow("Vigenère, umlauts replaced by default")
        << vigenere << 3 << vorgabe << ersetzt << 3;
    QTest::newRow("umlauts kept when asked")
        << caesar << 1 << QList<bool> { false, false, false, false }
        << u"Grüße aus Köln! Äpfel für Übermut und Spaß."_s << 1;
    QTest::newRow("capitals in groups of five, 5 variants")
        << caesar << 5 << QList<bool> { true, true, false, true }
        << u"GRUES SEAUS KOELN !AEPF ELFUE RUEBE RMUTU NDSPA SS."_s << 5;
    QTest::newRow("Vigenère without blanks")
        << vigenere << 2 << QList<bool> { true, false, true, false }
        << u"GruesseausKoeln!AepfelfuerUebermutundSpass."_s << 2;
    // 25 shifts without 0: all of them once before any comes again.
    QTest::newRow("Caesar cracking, 40 variants")
        << int(Aufgabe::CaesarKnacken) << 40 << vorgabe << ersetzt << 25;
    // Columns 2 to 16.
    QTest::newRow("matrix, 20 variants")
        << int(Aufgabe::MatrixEntschluesseln) << 20 << vorgabe << ersetzt << 15;
}

// The answer pages show the prepared plaintext; the ciphertext of every
// variant, with the key its answer gives, decrypts to it; umlauts reach the
// ciphertext only when the teacher keeps them; each variant carries its
// number, and no two share a key while there are keys enough.
void TestArbeitsblatt::optionen()
{
    QFETCH(int, aufgabe);
    QFETCH(int, varianten);
    QFETCH(QList<bool>, vorbereitung);
    QFETCH(QString, klar);
    QFETCH(int, schluessel);
    Blattwahl w;
    w.aufgabe = Aufgabe(aufgabe);
    w.varianten = varianten;
    if (!vorbereitung.isEmpty()) {
        w.umlauteErsetzen = vorbereitung[0];
        w.grossschrift = vorbereitung[1];
        w.leerzeichenLoeschen = vorbereitung[2];
        w.fuenfergruppen = vorbereitung[3];
    }
    const auto blatt = BaueArbeitsblatt(
        w, codepage::AusPanetext(u"Grüße aus Köln! Äpfel für Übermut und Spaß."_s));
    QCOMPARE(
        absatzNach(*blatt, varianten > 1 ? u"Klartext aller Varianten"_s : u"Klartext"_s), klar);

    const Gelesen g = lies(*blatt);
    QCOMPARE(g.geheim.size(), varianten);
    QCOMPARE(g.schluessel.size(), varianten);
    QStringList nummern;
    for (int n = 1; n <= varianten && varianten > 1; ++n)
        nummern << u"Variante %1"_s.arg(n);
    QCOMPARE(g.varianten, nummern);
    for (int i = 0; i < varianten; ++i) {
        QString geheim = g.geheim[i].join(QString());
        QCOMPARE(geheim.contains(QRegularExpression(u"[ÄÖÜäöüß]"_s)), !w.umlauteErsetzen);
        geheim.replace(u'\u2423', u' ');
        const verschl::Text entschluesselt
            = entschluessle(codepage::AusPanetext(geheim), g.schluessel[i]);
        QCOMPARE(codepage::AlsPanetext(entschluesselt).trimmed(), klar);
        if (i > 0)
            QVERIFY2(g.schluessel[i] != g.schluessel[i - 1], qPrintable(g.schluessel[i]));
    }
    QCOMPARE(int(std::set<QString>(g.schluessel.begin(), g.schluessel.end()).size()), schluessel);
}

// "Lösungen getrennt speichern": the PDF file holds the sheets, a second
// one beside it the answers, with the keys the sheets were made with and
// the plaintext as the window prepares it by default.
void TestArbeitsblatt::loesungenGetrennt()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is missing");
    Aufbau a;
    a.klar().setText("Wir treffen uns in K\xF6ln.");
    auto &fenster = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    fenster.findChild<QSpinBox *>(u"SpVarianten"_s)->setValue(3);
    fenster.findChild<QCheckBox *>(u"CBLoesungenGetrennt"_s)->setChecked(true);
    QTemporaryDir ordner;
    a.dialoge.dateien << ordner.filePath(u"Klasse 8b.pdf"_s);
    klicke(fenster, u"BPdf"_s);
    QCOMPARE(a.dialoge.fehler, QStringList());

    const auto text = [](const QString &pfad) {
        QProcess p;
        p.start(u"pdftotext"_s, { pfad, u"-"_s });
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    };
    const QStringList blaetter = text(ordner.filePath(u"Klasse 8b.pdf"_s));
    const QStringList loesungen = text(ordner.filePath(u"Klasse 8b-Lösungen.pdf"_s));
    // Three sheets of one page each; pdftotext ends each page with a form feed.
    QCOMPARE(blaetter.size() - 1, 3);
    for (int n = 1; n <= 3; ++n)
        QVERIFY(blaetter[n - 1].contains(u"Variante %1"_s.arg(n)));
    QVERIFY(!blaetter.join(QString()).contains(u"Lösung"_s));
    QVERIFY(loesungen.first().startsWith(u"Lösung: Geheime Botschaft"_s));
    QVERIFY(loesungen.first().contains(u"Wir treffen uns in Koeln."_s));

    // The same worksheet in one file answers with the same keys.
    fenster.findChild<QCheckBox *>(u"CBLoesungenGetrennt"_s)->setChecked(false);
    a.dialoge.dateien << ordner.filePath(u"alles.pdf"_s);
    klicke(fenster, u"BPdf"_s);
    const QStringList alles = text(ordner.filePath(u"alles.pdf"_s));
    QCOMPARE(alles.size(), blaetter.size() + loesungen.size() - 1);
    const auto schluessel = [](const QStringList &seiten) {
        QStringList gefunden;
        for (const auto &treffer :
            QRegularExpression(u"Verschiebung: \\d+"_s).globalMatch(seiten.join(QString())))
            gefunden << treffer.captured();
        return gefunden;
    };
    QCOMPARE(schluessel(loesungen).size(), 3);
    QCOMPARE(schluessel(alles.mid(3)), schluessel(loesungen));
    QCOMPARE(schluessel(alles.first(3)), schluessel(blaetter));
}

void TestArbeitsblatt::antwortraum_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<int>("feld");
    const int linie = int(Antwortfeld::Linie);
    const int kaestchen = int(Antwortfeld::Kaestchen);
    QTest::newRow("Caesar, ruled lines") << int(Aufgabe::CaesarEntschluesseln) << linie;
    QTest::newRow("Vigenère, boxes") << int(Aufgabe::VigenereEntschluesseln) << kaestchen;
    QTest::newRow("matrix, boxes") << int(Aufgabe::MatrixEntschluesseln) << kaestchen;
}

// Printed, every line of ciphertext stays on one page with the room to
// answer under it, and a line goes to the next page only when it would not
// fit above the bottom margin.
void TestArbeitsblatt::antwortraum()
{
    QFETCH(int, aufgabe);
    QFETCH(int, feld);
    Blattwahl w;
    w.aufgabe = Aufgabe(aufgabe);
    w.antwortfeld = Antwortfeld(feld);
    w.varianten = 2;
    verschl::Text text;
    for (int i = 0; i < 8; ++i)
        text += Beispieltext() + ' ';
    const auto blatt = BaueArbeitsblatt(w, text);
    SkriptDialoge dialoge;
    QBuffer puffer;
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&puffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    QVERIFY(papier::Drucke(*blatt, pdf, dialoge, nullptr));

    const double seite = blatt->pageSize().height();
    const double unterkante = seite - 2 / 2.54 * 72; // of the text on the first page
    int zeilen = 0;
    std::optional<QRectF> vorige;
    for (QTextBlock block = blatt->begin(); block.isValid(); block = block.next()) {
        if (block.text() == Blattwahl().titel)
            vorige.reset();
        if (geheimzeile(block).isEmpty())
            continue;
        ++zeilen;
        const QRectF z = block.layout()->lineAt(0).rect().translated(block.layout()->position());
        const int nummer = int(z.top() / seite);
        QVERIFY2(
            z.bottom() <= nummer * seite + unterkante + 0.5, qPrintable(QString::number(nummer)));
        if (vorige && int(vorige->top() / seite) < nummer)
            QVERIFY(vorige->bottom() + z.height() > (nummer - 1) * seite + unterkante);
        vorige = z;
    }
    QVERIFY2(zeilen > 40, qPrintable(QString::number(zeilen)));
}

// The Caesar disks printed at 150 dpi: two of them apart, each cut along a
// closed solid circle and marked at its centre, so that a split pin goes
// through both.
void TestArbeitsblatt::scheiben()
{
    const auto blatt = BaueArbeitsblatt(Blattwahl(), Beispieltext());
    QTextBlock block = blatt->begin();
    while (block.isValid() && !block.text().contains(QChar::ObjectReplacementCharacter))
        block = block.next();
    QVERIFY(block.isValid());
    const QTextFragment scheiben = block.begin().fragment();
    const double punkteJeMm = 150 / 25.4;
    QImage bild(QSize(165, 92) * punkteJeMm, QImage::Format_Grayscale8);
    bild.fill(Qt::white);
    {
        QPainter maler(&bild);
        blatt->documentLayout()
            ->handlerForObject(scheiben.charFormat().objectType())
            ->drawObject(&maler, QRectF(QPointF(), bild.size()), blatt.get(), scheiben.position(),
                scheiben.charFormat());
    }
    const auto dunkel = [&](QPointF mm) {
        const QPoint p = (mm * punkteJeMm).toPoint();
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (qGray(bild.pixel(p + QPoint(dx, dy))) < 128)
                    return true;
            }
        }
        return false;
    };
    // Centre and cut radius in mm: the large disk, then the small one.
    for (const auto &[mitte, radius] :
        { std::pair { QPointF(45, 46), 44.0 }, { { 132, 46 }, 33.0 } }) {
        QVERIFY(dunkel(mitte));
        for (int grad = 0; grad < 360; grad += 2) {
            const QPointF rand = mitte
                + radius * QPointF(qCos(qDegreesToRadians(grad)), qSin(qDegreesToRadians(grad)));
            QVERIFY2(dunkel(rand), qPrintable(u"%1° around %2"_s.arg(grad).arg(mitte.x())));
        }
        // Nothing joins the two: between them lies white paper.
        QVERIFY(!dunkel(QPointF(94, 46)));
    }
}

QTEST_MAIN(TestArbeitsblatt)
#include "test_arbeitsblatt.moc"
