// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheet window as a teacher uses it: the preview follows the options
// once typing has paused, a sheet too large to print is refused with the
// reason, the example sentence is used openly, a text of several lines gives
// sheets that pupils can solve and answer keys that agree with them, the
// text is prepared as chosen, variants get keys of their own, the answer
// key can go to a file of its own, and the cracking sheets' answers fill in
// the tables pupils get empty.

#include "analyse/analyse.h"
#include "arbeitsblatt/arbeitsblatt.h"
#include "papier/papier.h"
#include "platform/codepage.h"
#include "testhilfen/aufbau.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
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
#include <QTextLayout>
#include <QTimer>
#include <QtMath>
#include <set>

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

// What a worksheet shows, read back from its document: each variant's
// ciphertext lines, and from the answer pages each variant's key.
struct Gelesen
{
    QList<QStringList> geheim;
    QStringList varianten;
    QStringList schluessel;
};

// The line of ciphertext a room to answer stands for: the one text of the
// one figure whose format carries switches (how to answer) besides.
QString geheimzeile(const QTextBlock &block)
{
    for (auto teil = block.begin(); !teil.atEnd(); ++teil) {
        if (teil.fragment().text() != QChar::ObjectReplacementCharacter)
            continue;
        const auto werte = teil.fragment().charFormat().properties();
        const auto text = std::find_if(werte.begin(), werte.end(),
            [](const QVariant &wert) { return wert.typeId() == QMetaType::QString; });
        const bool schalter = std::any_of(werte.begin(), werte.end(),
            [](const QVariant &wert) { return wert.typeId() == QMetaType::Bool; });
        if (text != werte.end() && schalter)
            return text->toString();
    }
    return {};
}

Gelesen lies(const QTextDocument &blatt)
{
    Gelesen g;
    bool loesung = false;
    for (QTextBlock block = blatt.begin(); block.isValid(); block = block.next()) {
        const QString a = block.text();
        loesung = loesung || a.startsWith(u"Lösung: "_s);
        if (!loesung && a == Blattwahl().titel)
            g.geheim.append(QStringList());
        else if (!loesung && !geheimzeile(block).isEmpty())
            g.geheim.last() << geheimzeile(block);
        else if (!loesung && a.startsWith(u"Variante "_s))
            g.varianten << a;
        else if (loesung
            && QRegularExpression(u"^(Verschiebung|Schlüssel|Spaltenzahl|Geheimalphabet): "_s)
                   .match(a)
                   .hasMatch())
            g.schluessel << a;
    }
    return g;
}

// A ciphertext decrypted with the key as the answer pages give it.
verschl::Text entschluessle(const verschl::Text &geheim, const QString &schluessel)
{
    const QString wert = schluessel.section(u' ', 1, 1);
    if (schluessel.startsWith(u"Verschiebung"_s))
        return verschl::CaesarVerschieben(geheim, -wert.toInt());
    if (schluessel.startsWith(u"Spaltenzahl"_s))
        return verschl::MatrixEntschluesseln(geheim, { true, wert.toInt() });
    if (schluessel.startsWith(u"Geheimalphabet"_s))
        return *verschl::SubstitutionEntschluesseln(geheim, wert.toStdString());
    return *verschl::VigenereEntschluesseln(
        geheim, wert.toStdString(), schluessel.endsWith(u"ja)"_s));
}

// The figures of one variant: the tables (header, then cells row by row)
// and filled grids of its sheet and of its answer. A table's format carries
// two string lists, a filled grid's one.
struct Figuren
{
    QList<QStringList> tabellen[2]; // [0] the sheet, [1] the answer: header + cells
    QStringList gitter; // the answer's grid, cell by cell
    QStringList absaetze[2];
};

QList<Figuren> figuren(const QTextDocument &blatt)
{
    QList<Figuren> varianten;
    int teil = 0;
    int antwort = 0;
    for (QTextBlock block = blatt.begin(); block.isValid(); block = block.next()) {
        const QString a = block.text();
        teil = a.startsWith(u"Lösung: "_s) ? 1 : teil;
        if (teil == 0 && a == Blattwahl().titel)
            varianten.append(Figuren());
        if (teil == 1 && a.startsWith(u"Variante "_s))
            antwort = a.mid(9).toInt() - 1;
        Figuren &f = varianten[teil == 0 ? varianten.size() - 1 : antwort];
        f.absaetze[teil] << a;
        QList<QStringList> listen;
        for (auto stueck = block.begin(); !stueck.atEnd(); ++stueck) {
            if (stueck.fragment().text() != QChar::ObjectReplacementCharacter)
                continue;
            for (const QVariant &wert : stueck.fragment().charFormat().properties()) {
                if (wert.typeId() == QMetaType::QStringList)
                    listen << wert.toStringList();
            }
        }
        if (listen.size() == 2)
            f.tabellen[teil] << listen[0] + listen[1];
        else if (listen.size() == 1)
            f.gitter << listen[0];
    }
    return varianten;
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
    void optionen_data();
    void optionen();
    void loesungenGetrennt();
    void antwortraum_data();
    void antwortraum();
    void scheiben();
    void knacken_data();
    void knacken();
    void knackfenster();
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

void TestArbeitsblatt::knacken_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<int>("varianten");
    QTest::addColumn<QString>("schluessel"); // Vigenère or substitution
    QTest::addColumn<int>("spalten");
    QTest::addColumn<bool>("verraten");
    QTest::addColumn<bool>("ignorieren");
    QTest::addColumn<int>("tabellen"); // count tables on a Vigenère sheet
    const int vigenere = int(Aufgabe::VigenereKnacken);
    const int substitution = int(Aufgabe::SubstitutionKnacken);
    QTest::newRow("Vigenère SCHULE, blanks take key letters, length open")
        << vigenere << 2 << u"SCHULE"_s << 5 << false << false << 6;
    QTest::newRow("Vigenère KIEL, letters only, length told")
        << vigenere << 3 << u"KIEL"_s << 5 << true << true << 4;
    QTest::newRow("Vigenère of 8 letters, length open")
        << vigenere << 1 << u"GEHEIMNIS"_s.left(8) << 5 << false << true << 6;
    QTest::newRow("matrix, 7 columns")
        << int(Aufgabe::MatrixKnacken) << 3 << QString() << 7 << false << false << 0;
    QTest::newRow("substitution, key word")
        << substitution << 2 << u"ZIFFERON"_s << 5 << false << false << 0;
    QTest::newRow("substitution, whole alphabet")
        << substitution << 3 << u"QWERTZUIOPASDFGHJKLYXCVBNM"_s << 5 << false << false << 0;
}

// Each variant's ciphertext decrypts with the key of its answer to the
// plaintext, and the answer fills in what the sheet leaves empty: the
// Kasiski table with the groups the engine finds and each column's count,
// the right grid, the assignment of cipher to plain letters.
void TestArbeitsblatt::knacken()
{
    QFETCH(int, aufgabe);
    QFETCH(int, varianten);
    QFETCH(QString, schluessel);
    QFETCH(int, spalten);
    QFETCH(bool, verraten);
    QFETCH(bool, ignorieren);
    QFETCH(int, tabellen);
    Blattwahl w;
    w.aufgabe = Aufgabe(aufgabe);
    w.varianten = varianten;
    w.schluessel = w.substitution = schluessel.toStdString();
    w.spalten = spalten;
    w.laengeVerraten = verraten;
    w.sonderzeichenIgnorieren = ignorieren;
    const auto blatt = BaueArbeitsblatt(w,
        "Die Katze und der Hund spielen im Garten. Die Katze und der Hund schlafen im Haus. "
        "Morgen spielen die Katze und der Hund wieder im Garten hinter dem Haus.");
    const QString klar
        = absatzNach(*blatt, varianten > 1 ? u"Klartext aller Varianten"_s : u"Klartext"_s);
    const Gelesen g = lies(*blatt);
    const QList<Figuren> f = figuren(*blatt);
    QCOMPARE(g.schluessel.size(), varianten);
    QCOMPARE(f.size(), varianten);
    QCOMPARE(int(std::set<QString>(g.schluessel.begin(), g.schluessel.end()).size()), varianten);
    const auto summe = [](const QStringList &t, qsizetype ab) {
        quint64 s = 0;
        for (qsizetype i = ab; i < t.size(); ++i)
            s += t[i].toULongLong();
        return s;
    };
    for (int i = 0; i < varianten; ++i) {
        const verschl::Text geheim
            = codepage::AusPanetext(g.geheim[i].join(QString()).replace(u'\u2423', u' '));
        const QString entschluesselt
            = codepage::AlsPanetext(entschluessle(geheim, g.schluessel[i]));
        QCOMPARE(entschluesselt.trimmed(), klar);
        QVERIFY(codepage::AlsPanetext(geheim).trimmed() != klar);
        const QList<QStringList> &blattTabellen = f[i].tabellen[0];
        const QList<QStringList> &antwort = f[i].tabellen[1];
        const auto mitKopf = [](const QList<QStringList> &alle, const QString &kopf) {
            QList<QStringList> gefunden;
            for (const QStringList &t : alle)
                if (t.first().startsWith(kopf))
                    gefunden << t;
            return gefunden;
        };
        const quint64 buchstaben = analyse::Zaehle(geheim).summe;
        switch (w.aufgabe) {
        case Aufgabe::VigenereKnacken: {
            QStringList erwartet, gelesen;
            for (const analyse::Wiederholung &r : analyse::Wiederholungen(geheim, ignorieren))
                for (std::size_t k = 1; k < r.vorkommen.size(); ++k)
                    erwartet << u"%1 %2, %3"_s.arg(QString::fromStdString(r.gruppe))
                                    .arg(r.vorkommen[k - 1].stelle + 1)
                                    .arg(r.vorkommen[k].stelle + 1);
            for (const QStringList &t : mitKopf(antwort, u"Gruppe"_s))
                for (qsizetype z = 22; z < t.size(); z += 22)
                    gelesen << t[z] + u' ' + t[z + 1];
            QVERIFY(!erwartet.isEmpty());
            QCOMPARE(gelesen, erwartet.mid(0, 30));
            QCOMPARE(mitKopf(blattTabellen, u"Gruppe"_s).size(), 1);
            QCOMPARE(mitKopf(blattTabellen, u"Spalte"_s).size(), tabellen);
            const QList<QStringList> zaehlung = mitKopf(antwort, u"Spalte"_s);
            QCOMPARE(zaehlung.size(), schluessel.size());
            quint64 gezaehlt = 0;
            for (const QStringList &t : zaehlung)
                gezaehlt += summe(t, 28);
            QCOMPARE(gezaehlt, buchstaben);
            break;
        }
        case Aufgabe::MatrixKnacken: {
            const int n = g.schluessel[i].section(u' ', 1).toInt();
            const QString angebot = f[i].absaetze[0].filter(u"richtige: "_s).value(0);
            QVERIFY2(
                angebot.section(u": "_s, 1).chopped(1).split(u", "_s).contains(QString::number(n)),
                qPrintable(angebot));
            QCOMPARE(f[i].gitter.join(QString()).replace(u'\u2423', u' '), entschluesselt);
            break;
        }
        default: {
            const verschl::Text alphabet = g.schluessel[i].section(u' ', 1).toStdString();
            const QStringList zuordnung = mitKopf(antwort, u"Geheim"_s).value(0);
            QCOMPARE(zuordnung.size(), 54);
            for (int b = 1; b <= 26; ++b)
                QCOMPARE(
                    *verschl::SubstitutionVerschluesseln(zuordnung[27 + b].toStdString(), alphabet),
                    zuordnung[b].toStdString());
            QCOMPARE(summe(mitKopf(antwort, u"Buchstabe"_s).value(0), 28), buchstaben);
            QCOMPARE(mitKopf(blattTabellen, u"Geheim"_s).size(), 1);
            QCOMPARE(f[i].absaetze[1].contains(u"Schlüsselwort: "_s + schluessel),
                i == 0 && schluessel.size() < 26);
        }
        }
    }
}

// The window takes the method window's substitution key, offers only the
// options the chosen task uses, and says why a key makes no sheet.
void TestArbeitsblatt::knackfenster()
{
    Aufbau a;
    a.steuer<QRadioButton>("RadioGroupItem5").setChecked(true);
    a.steuer<QLineEdit>("EdSubstitution").setText(u"ZIFFERON"_s);
    auto &fenster = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    auto &aufgabe = *fenster.findChild<QComboBox *>(u"CBAufgabe"_s);
    auto &alphabet = *fenster.findChild<QLineEdit *>(u"EdAlphabet"_s);
    auto &status = *fenster.findChild<QLabel *>(u"LStatus"_s);
    QCOMPARE(aufgabe.currentText(), u"Substitution knacken"_s);
    QCOMPARE(alphabet.text(), u"ZIFFERON"_s);
    QVERIFY(alphabet.isEnabled());
    QVERIFY(!fenster.findChild<QLineEdit *>(u"EdSchluessel"_s)->isEnabled());
    klicke(fenster, u"BZufallsalphabet"_s);
    QString sortiert = alphabet.text();
    std::sort(sortiert.begin(), sortiert.end());
    QCOMPARE(sortiert, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"_s);
    alphabet.clear();
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), u"Es fehlt ein Schlüsselwort oder Geheimalphabet."_s);
    // Nor is a text that a key leaves as it is offered for cracking.
    const QString unverschluesselt
        = u"Mit diesem Schlüssel bliebe der Text, wie er ist. Wählen Sie einen anderen."_s;
    alphabet.setText(u"abc"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);
    aufgabe.setCurrentText(u"Matrix knacken"_s);
    fenster.findChild<QSpinBox *>(u"SpSpalten"_s)->setValue(1);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);

    aufgabe.setCurrentText(u"Vigenère knacken"_s);
    auto &schluessel = *fenster.findChild<QLineEdit *>(u"EdSchluessel"_s);
    schluessel.setText(u"ABCDEFGHIJKLMNOPQRSTU"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), u"Zum Knacken darf der Schlüssel höchstens 20 Buchstaben haben."_s);
    schluessel.setText(u"aaa"_s);
    klicke(fenster, u"BAktualisieren"_s);
    QCOMPARE(status.text(), unverschluesselt);
    QVERIFY(fenster.findChild<QCheckBox *>(u"CBLaengeVerraten"_s)->isEnabled());
    QVERIFY(!alphabet.isEnabled());

    // A ciphertext without a repeated group leaves the Kasiski table empty.
    schluessel.setText(u"KIEL"_s);
    for (const auto &[text, leer] :
        { std::pair { "Wir treffen uns", true }, { "abcdabcdabcdabcdabcdabcd", false } }) {
        a.klar().setText(text);
        klicke(fenster, u"BAktualisieren"_s);
        QCOMPARE(status.text().contains(u"wiederholt sich keine Gruppe"_s), leer);
    }
}

QTEST_MAIN(TestArbeitsblatt)
#include "test_arbeitsblatt.moc"
