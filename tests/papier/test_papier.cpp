// SPDX-License-Identifier: GPL-3.0-or-later
// On paper: both texts printed and saved as PDF, worksheets with their answer
// keys read back from the PDF with pdftotext and pdfinfo, the print preview
// without a printer, and the pictures of the demonstrations' grids.

#include "arbeitsblatt/arbeitsblatt.h"
#include "bausteine/bytezeile.h"
#include "demos/gitterbild.h"
#include "demos/matrixdemo.h"
#include "demos/stringaligngrid.h"
#include "demos/vmatrix.h"
#include "programm/qtdialoge.h"
#include "testhilfen/aufbau.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// What poppler reads from a PDF: page count, size of the first page in
// points, its metadata and the text of each page, laid out on a grid of the
// typewriter face's pitch (7.2 points at 12 points) so that runs of spaces
// come out as printed.
struct Pdf
{
    int seiten = 0;
    QSizeF groesse;
    QString titel;
    QString ersteller;
    QStringList seitentexte;
};

QString ausgabe(const QString &programm, const QStringList &argumente)
{
    QProcess p;
    p.start(programm, argumente);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        qFatal("%s failed", qPrintable(programm));
    return QString::fromUtf8(p.readAllStandardOutput());
}

Pdf lies(const QString &pfad, double teilung = 7.2)
{
    Pdf pdf;
    const QString info = ausgabe(QStringLiteral("pdfinfo"), { pfad });
    const auto feld = [&info](const char *name) {
        const QRegularExpression muster(QLatin1String(name) + QStringLiteral(":\\s*(.*)"));
        return muster.match(info).captured(1).trimmed();
    };
    pdf.seiten = feld("Pages").toInt();
    const QRegularExpressionMatch masse
        = QRegularExpression(QStringLiteral("([\\d.]+) x ([\\d.]+) pts")).match(feld("Page size"));
    pdf.groesse = QSizeF(masse.captured(1).toDouble(), masse.captured(2).toDouble());
    pdf.titel = feld("Title");
    pdf.ersteller = feld("Creator");
    pdf.seitentexte = ausgabe(QStringLiteral("pdftotext"),
        { QStringLiteral("-layout"), QStringLiteral("-fixed"), QString::number(teilung), pfad,
            QStringLiteral("-") })
                          .split(u'\f');
    return pdf;
}

// The lines of the paragraph after the line `ueberschrift`, up to the next empty line.
QStringList absatzNach(const QString &seite, const QString &ueberschrift)
{
    const QStringList zeilen = seite.split(u'\n');
    qsizetype i = 0;
    while (i < zeilen.size() && zeilen[i].trimmed() != ueberschrift)
        ++i;
    QStringList absatz;
    while (++i < zeilen.size() && !zeilen[i].trimmed().isEmpty())
        absatz << zeilen[i];
    return absatz;
}

// pdftotext indents a paragraph as it stands on the page.
verschl::Text zeile(const QStringList &absatz)
{
    QString text = absatz.join(QString());
    text.remove(QRegularExpression(QStringLiteral("^\\s+")));
    return text.toStdString();
}

// The pages Qt's real print preview shows for the job; a timer closes it.
int vorschauSeiten(QWidget *eltern, const Druckauftrag &auftrag)
{
    int seiten = 0;
    QTimer::singleShot(0, eltern, [&seiten] {
        auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seiten = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
        dialog->reject();
    });
    QtDialoge().Druckvorschau(eltern, auftrag);
    return seiten;
}

bool popplerDa() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

const verschl::Text kSatz = "Die Schatzkiste liegt unter der alten Eiche am Bach.";

} // namespace

class TestPapier : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (!popplerDa())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are missing");
    }
    void texteAlsPdf();
    void vorschauOhneDrucker();
    void arbeitsblatt_data();
    void arbeitsblatt();
    void arbeitsblattVerweigert();
    void langerTextLaeuftWeiter();
    void gitterbild();
    void grossesGitterAlsSvg();

private:
    QTemporaryDir ordner;
};

void TestPapier::texteAlsPdf()
{
    Aufbau a;
    a.steuer<QRadioButton>("RadioGroupItem4").setChecked(true);
    a.option()
        .findChild<QLineEdit *>(QStringLiteral("EdSchluessel"))
        ->setText(QStringLiteral("KIEL"));
    // 400 lines run over several pages.
    verschl::Text lang;
    for (int i = 0; i < 400; ++i)
        lang += "Zeile " + std::to_string(i) + "\r\n";
    a.klar().setText(lang);
    a.klicke("MMVerschluesseln");
    const QString pfad = ordner.filePath(QStringLiteral("texte.pdf"));
    a.dialoge.dateien << pfad;
    a.klicke("AlsPdfSpeichern1");
    QVERIFY(a.dialoge.fehler.isEmpty());
    const Pdf pdf = lies(pfad, 6); // the panes' face at 10 points
    QVERIFY2(pdf.seiten > 4, qPrintable(QString::number(pdf.seiten)));
    const QString erste = pdf.seitentexte.first();
    QVERIFY(
        erste.contains(QStringLiteral("Vigenère, Schlüssel KIEL, Sonderzeichen ignorieren: nein")));
    QVERIFY(erste.contains(QStringLiteral("Zeile 0\n")));
    const QString alles = pdf.seitentexte.join(QString());
    QVERIFY(alles.contains(QStringLiteral("Zeile 399\n")));
    QVERIFY(!absatzNach(alles, QStringLiteral("Chiffre")).isEmpty());
    // The page number stands at the foot of each page.
    QCOMPARE(pdf.seitentexte[2].trimmed().split(u'\n').last().trimmed(), QStringLiteral("3"));
}

// Both print through the real preview dialog, which needs no printer.
void TestPapier::vorschauOhneDrucker()
{
    Aufbau a;
    a.klar().setText(kSatz);
    a.klicke("Drucken1");
    QCOMPARE(a.dialoge.vorschauen, QStringList { "Klartext und Chiffre" });
    QCOMPARE(vorschauSeiten(&a.haupt(), a.dialoge.letzterAuftrag), 1);

    // The worksheet with its answer key on page 2.
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BDrucken"_s), Qt::LeftButton);
    QCOMPARE(a.dialoge.vorschauen.last(), QStringLiteral("Geheime Botschaft"));
    QCOMPARE(vorschauSeiten(&blatt, a.dialoge.letzterAuftrag), 2);
}

void TestPapier::arbeitsblatt_data()
{
    QTest::addColumn<int>("aufgabe");
    QTest::addColumn<QString>("papier");
    QTest::addColumn<bool>("loesung");
    QTest::addColumn<QSizeF>("groesse");
    QTest::addColumn<int>("seiten");
    const QSizeF a4(595.276, 841.89);
    const QSizeF letter(612, 792);
    QTest::newRow("Caesar") << 0 << "A4" << true << a4 << 2;
    QTest::newRow("Caesar, no key") << 0 << "A4" << false << a4 << 1;
    QTest::newRow("Vigenère, Letter") << 1 << "Letter" << true << letter << 2;
    QTest::newRow("matrix") << 2 << "A4" << true << a4 << 2;
    QTest::newRow("Caesar cracked") << 3 << "Letter" << true << letter << 2;
}

// Made from the main window's text and method as a teacher would; the
// ciphertext on the worksheet decrypts with the engine to the plaintext on
// the answer page.
void TestPapier::arbeitsblatt()
{
    QFETCH(int, aufgabe);
    QFETCH(QString, papier);
    QFETCH(bool, loesung);
    QFETCH(QSizeF, groesse);
    QFETCH(int, seiten);
    Aufbau a;
    a.klar().setText(kSatz);
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->setCurrentIndex(aufgabe);
    blatt.findChild<QComboBox *>(u"CBPapier"_s)->setCurrentText(papier);
    blatt.findChild<QCheckBox *>(u"CBLoesung"_s)->setChecked(loesung);
    blatt.findChild<QSpinBox *>(u"SpVerschiebung"_s)->setValue(7);
    blatt.findChild<QSpinBox *>(u"SpSpalten"_s)->setValue(6);
    blatt.findChild<QLineEdit *>(u"EdSchluessel"_s)->setText(QStringLiteral("Kiel"));
    const QString pfad = ordner.filePath(QStringLiteral("blatt.pdf"));
    a.dialoge.dateien << pfad;
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BPdf"_s), Qt::LeftButton);
    QVERIFY(a.dialoge.fehler.isEmpty() && a.dialoge.warnungen.isEmpty());

    const Pdf pdf = lies(pfad);
    QCOMPARE(pdf.seiten, seiten);
    QVERIFY(qAbs(pdf.groesse.width() - groesse.width()) < 1);
    QVERIFY(qAbs(pdf.groesse.height() - groesse.height()) < 1);
    QCOMPARE(pdf.titel, QStringLiteral("Geheime Botschaft"));
    QCOMPARE(pdf.ersteller, QStringLiteral("Zifferon"));
    verschl::Text geheim = zeile(absatzNach(pdf.seitentexte[0], QStringLiteral("Geheimtext")));
    QVERIFY(!geheim.empty());
    QCOMPARE(pdf.seitentexte.join(QString()).contains(QStringLiteral("Lösung")), loesung);
    if (!loesung)
        return;
    const QString letzte = pdf.seitentexte[seiten - 1];
    const verschl::Text klar = zeile(absatzNach(letzte, QStringLiteral("Klartext")));
    QCOMPARE(klar, kSatz);
    std::optional<verschl::Text> entschluesselt;
    switch (aufgabe) {
    case 1:
        entschluesselt = verschl::VigenereEntschluesseln(geheim, "Kiel", false);
        break;
    case 2:
        // Every blank is marked, the padding at the end too.
        QVERIFY(geheim.find(' ') == verschl::Text::npos);
        geheim = QString::fromStdString(geheim).replace(u'\u2423', u' ').toStdString();
        QCOMPARE(geheim.size() % 6, 0u);
        entschluesselt = verschl::MatrixEntschluesseln(geheim, { true, 6 });
        break;
    default:
        entschluesselt = verschl::CaesarVerschieben(geheim, -7);
    }
    QCOMPARE(QString::fromStdString(*entschluesselt).trimmed().toStdString(), klar);
}

// No text and no example wanted: a German message and no file. Rotation 128
// is no task, and the window says why.
void TestPapier::arbeitsblattVerweigert()
{
    Aufbau a;
    a.steuer<QRadioButton>("RadioGroupItem3").setChecked(true);
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    for (int i = 0; i < blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->count(); ++i)
        QVERIFY(!blatt.findChild<QComboBox *>(u"CBAufgabe"_s)
                     ->itemText(i)
                     .contains(QStringLiteral("128")));
    QVERIFY(blatt.findChild<QLabel *>(u"LHinweis"_s)
                ->text()
                .contains(QStringLiteral("Rotation 128 gibt es hier nicht")));
    blatt.findChild<QCheckBox *>(u"CBBeispiel"_s)->setChecked(false);
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BPdf"_s), Qt::LeftButton);
    QCOMPARE(a.dialoge.warnungen,
        QStringList { "Im Klartextfeld steht kein Text mit Buchstaben. Schreiben Sie einen Text "
                      "hinein oder wählen Sie „Bei leerem Klartextfeld Beispieltext nehmen“." });
    QVERIFY(a.dialoge.dateidialoge.isEmpty());

    // Too long to preview: refused with the reason.
    a.klar().setText(verschl::Text(40001, 'a'));
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BPdf"_s), Qt::LeftButton);
    QVERIFY(a.dialoge.warnungen.last().startsWith(
        QStringLiteral("Der Text ist für ein Arbeitsblatt zu lang: Es sind 40001 Zeichen")));
    QVERIFY(a.dialoge.dateidialoge.isEmpty());
    a.klar().setText({});

    // A write that fails leaves what was there and says so.
    blatt.findChild<QCheckBox *>(u"CBBeispiel"_s)->setChecked(true);
    const QString ordnerAlsZiel = ordner.filePath(QStringLiteral("belegt.pdf"));
    QVERIFY(QDir().mkpath(ordnerAlsZiel));
    a.dialoge.dateien << ordnerAlsZiel;
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BPdf"_s), Qt::LeftButton);
    QCOMPARE(a.dialoge.fehler, QStringList { "Fehler beim Speichern der Datei belegt.pdf!" });
    QVERIFY(QFileInfo(ordnerAlsZiel).isDir());
}

// A long ciphertext runs over the following pages, none of it cut.
void TestPapier::langerTextLaeuftWeiter()
{
    Aufbau a;
    verschl::Text lang;
    for (int i = 0; i < 120; ++i)
        lang += "Wer andern eine Grube graebt faellt selbst hinein ";
    a.klar().setText(lang);
    auto &blatt = a.oeffneNeues<TArbeitsblattForm>("MArbeitsblatt");
    blatt.findChild<QComboBox *>(u"CBAufgabe"_s)->setCurrentIndex(1);
    blatt.findChild<QLineEdit *>(u"EdSchluessel"_s)->setText(QStringLiteral("KIEL"));
    blatt.findChild<QCheckBox *>(u"CBLoesung"_s)->setChecked(false);
    const QString pfad = ordner.filePath(QStringLiteral("lang.pdf"));
    a.dialoge.dateien << pfad;
    QTest::mouseClick(blatt.findChild<QPushButton *>(u"BPdf"_s), Qt::LeftButton);
    const Pdf pdf = lies(pfad);
    QVERIFY2(pdf.seiten >= 3, qPrintable(QString::number(pdf.seiten)));
    QString gedruckt = pdf.seitentexte.join(QString());
    gedruckt.remove(QRegularExpression(QStringLiteral("[\\s\\d]")));
    QString geheim = QString::fromStdString(*verschl::VigenereVerschluesseln(lang, "KIEL", false));
    geheim.remove(u' ');
    QVERIFY(gedruckt.contains(geheim));
}

// The Vigenère grid after a step, copied and saved from its pop-up menu.
void TestPapier::gitterbild()
{
    Aufbau a;
    a.haupt().setDemoEinstellungen({ false, 0, 300, 150, false });
    auto &demo = a.oeffneNeues<TVMatrixForm>("VigenreMatrix1");
    demo.findChild<Bytezeile *>(u"EdText1"_s)->setText("Hallo");
    demo.findChild<QPushButton *>(u"BSchritt"_s)->click();
    TStringAlignGrid &grid = *demo.findChild<TStringAlignGrid *>(u"StrAGrVMatrix"_s);
    QPoint markiert(-1, -1);
    for (int c = 0; c < grid.ColCount() && markiert.x() < 0; ++c) {
        for (int r = 0; r < grid.RowCount(); ++r) {
            if (grid.HintergrundVon(c, r) == Markierungsfarbe().aufgeloest(grid.palette())) {
                markiert = { c, r };
                break;
            }
        }
    }
    QVERIFY(markiert.x() >= 0);
    QVERIFY(
        grid.HintergrundVon(markiert.x(), markiert.y()) != grid.Color().aufgeloest(grid.palette()));

    grid.findChild<QAction *>(QStringLiteral("Bildkopieren"))->trigger();
    const QImage bild = QGuiApplication::clipboard()->image();
    QCOMPARE(bild.size(), grid.size() * 2);
    const QRect zelle = grid.ZellRechteck(markiert.x(), markiert.y());
    const QPoint innen = grid.viewport()->mapTo(&grid, zelle.topLeft() + QPoint(2, 2)) * 2;
    QCOMPARE(bild.pixel(innen), grid.HintergrundVon(markiert.x(), markiert.y()).rgb());

    const QString svg = ordner.filePath(QStringLiteral("gitter.svg"));
    a.dialoge.dateien << svg;
    grid.findChild<QAction *>(QStringLiteral("Bildspeichern"))->trigger();
    QVERIFY(leseDatei(svg).contains("<svg"));
}

// A grid larger than its window, saved as SVG, shows what the PNG shows: the
// cells cut off at the edge of the view stay out of the corner between the
// scroll bars.
void TestPapier::grossesGitterAlsSvg()
{
    Aufbau a;
    a.klar().setText(verschl::Text(1 << 20, 'W'));
    auto &demo = a.oeffneNeues<TMatrixDemoForm>("MatrixVerschlsselung1");
    demo.findChild<QPushButton *>(u"BAktualisieren"_s)->click();
    TStringAlignGrid &grid = *demo.findChild<TStringAlignGrid *>(u"SAGrid"_s);
    QCOMPARE(grid.ColCount(), 1024);
    const QString svg = ordner.filePath(QStringLiteral("gitter.svg"));
    a.dialoge.dateien << svg;
    grid.findChild<QAction *>(QStringLiteral("Bildspeichern"))->trigger();
    QImage svgBild(grid.size(), QImage::Format_RGB32);
    svgBild.fill(Qt::white);
    QPainter maler(&svgBild);
    QSvgRenderer(svg).render(&maler);
    const QImage png = Gitterbild(grid).scaled(grid.size());
    const QRect ansicht = grid.viewport()->geometry();
    const QRect ecke(ansicht.bottomRight() + QPoint(1, 1), grid.contentsRect().bottomRight());
    QVERIFY(ecke.width() > 5 && ecke.height() > 5);
    for (const QPoint p : { ecke.topLeft(), ecke.center(), ecke.bottomRight() - QPoint(1, 1) })
        QCOMPARE(QColor(svgBild.pixel(p)), QColor(png.pixel(ecke.center())));
    // Letters, lines and scroll bars too, at the picture's full size: only
    // edges, smoothed a little differently, may differ.
    const QImage gross = Gitterbild(grid);
    QImage svgGross(gross.size(), QImage::Format_RGB32);
    svgGross.fill(Qt::white);
    QPainter grossMaler(&svgGross);
    QSvgRenderer(svg).render(&grossMaler);
    int abweichend = 0;
    for (int y = 0; y < gross.height(); ++y) {
        for (int x = 0; x < gross.width(); ++x)
            abweichend += qAbs(qGray(svgGross.pixel(x, y)) - qGray(gross.pixel(x, y))) > 64;
    }
    QVERIFY2(
        abweichend * 100 < gross.width() * gross.height(), qPrintable(QString::number(abweichend)));
}

QTEST_MAIN(TestPapier)
#include "test_papier.moc"
