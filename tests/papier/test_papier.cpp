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
#include "papier/papier.h"
#include "platform/schriften.h"
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
#include <QProgressDialog>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
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

// A worksheet's ciphertext: the lines after its last heading "Geheimtext",
// page numbers left out. Read on a grid of half its 5 mm pitch, each line
// has its characters in every other column from its first; a line that wraps
// at a blank has lost that blank at its end.
verschl::Text geheimtext(const QStringList &seiten, const QString &zwischen)
{
    const QStringList zeilen = seiten.join(QString()).split(u'\n');
    qsizetype i = zeilen.size();
    while (--i >= 0 && zeilen[i].trimmed() != u"Geheimtext"_s) { }
    QStringList text;
    for (++i; i < zeilen.size(); ++i) {
        const QString z = zeilen[i].trimmed();
        if (z.isEmpty() || QRegularExpression(u"^\\d+$"_s).match(z).hasMatch())
            continue;
        QString zeile;
        for (qsizetype j = 0; j < z.size(); j += 2)
            zeile += z[j];
        text << zeile;
    }
    return text.join(zwischen).toStdString();
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
    void seitengrenze_data();
    void seitengrenze();
    void abbrechen();
    void fortschrittsfenster();
    void langeZeile_data();
    void langeZeile();
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
    QVERIFY(erste.contains(
        QStringLiteral("Vigenère · Schlüssel KIEL · Satzzeichen verbrauchen Schlüsselbuchstaben")));
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
    QTest::newRow("Vigenère, Letter") << 1 << "Letter" << true << letter << 3;
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
    const bool gitter = aufgabe == 2;
    verschl::Text geheim = geheimtext(
        lies(pfad, 5 / 2.54 * 72 / 10 / 2).seitentexte.mid(0, loesung ? seiten - 1 : seiten),
        gitter ? QString() : u" "_s);
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
        geheim = QString::fromStdString(geheim).replace(u'\u2423', u' ').toLatin1().toStdString();
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

void TestPapier::seitengrenze_data()
{
    QTest::addColumn<int>("zeilen");
    QTest::addColumn<QString>("auswahl"); // as in the print dialog, empty: all
    QTest::addColumn<int>("seiten"); // 0: refused
    QTest::addColumn<int>("letzte"); // the number on the last page
    // At 512 points each one-letter line fills an A4 page of its own. Qt laid
    // out at 1200 dpi wrapped round past about 2,390 pages.
    QTest::newRow("464 pages") << 464 << "" << 464 << 464;
    QTest::newRow("past 2,390 pages") << 4000 << "" << 4000 << 4000;
    QTest::newRow("pages 2 to 3 of 4000") << 4000 << "2-3" << 2 << 3;
    const int grenze = papier::Seitengrenze(QPageSize(QPageSize::A4).size(QPageSize::Point));
    QTest::newRow("over the limit") << grenze + 1 << "" << 0 << 0;
    QTest::newRow("far over the limit") << 200000 << "" << 0 << 0;
}

// Every page printed, or none and a warning that names the limit.
void TestPapier::seitengrenze()
{
    QFETCH(int, zeilen);
    QFETCH(QString, auswahl);
    QFETCH(int, seiten);
    QFETCH(int, letzte);
    std::shared_ptr<QTextDocument> dokument = papier::NeuesDokument();
    QTextCursor cursor(dokument.get());
    QFont riesig = schriften::Paneschrift();
    riesig.setPointSize(512);
    verschl::Text text = "x";
    for (int i = 1; i < zeilen; ++i)
        text += "\r\nx";
    papier::Paneabsatz(cursor, text, riesig);
    SkriptDialoge dialoge;
    const Druckauftrag auftrag { QStringLiteral("Riesig"), QPageSize(QPageSize::A4),
        [&](QPagedPaintDevice &geraet) {
            geraet.setPageRanges(QPageRanges::fromString(auswahl));
            return papier::Drucke(*dokument, geraet, dialoge, nullptr);
        } };
    const QString pfad = ordner.filePath(QStringLiteral("riesig.pdf"));
    QFile::remove(pfad);
    const papier::Pdf ergebnis = papier::SchreibePdf(pfad, auftrag);
    if (seiten == 0) {
        QCOMPARE(ergebnis, papier::Pdf::Unterlassen);
        QVERIFY(!QFile::exists(pfad));
        QCOMPARE(dialoge.warnungen.size(), 1);
        QVERIFY(dialoge.warnungen[0].startsWith(
            QStringLiteral("Der Druck hätte mehr als 20000 Seiten.")));
        return;
    }
    QCOMPARE(ergebnis, papier::Pdf::Geschrieben);
    QVERIFY(dialoge.warnungen.isEmpty());
    const Pdf pdf = lies(pfad);
    QCOMPARE(pdf.seiten, seiten);
    const QStringList letzteSeite = pdf.seitentexte[seiten - 1].simplified().split(u' ');
    QCOMPARE(letzteSeite, QStringList({ QStringLiteral("x"), QString::number(letzte) }));
}

// Cancelled while the pages are set or painted: no preview, no file, and a
// file that was there stays as it was.
void TestPapier::abbrechen()
{
    Aufbau a;
    verschl::Text lang;
    for (int i = 0; i < 3000; ++i)
        lang += "Wer andern eine Grube graebt faellt selbst hinein\r\n";
    a.klar().setText(lang);
    const QString vorhanden = schreibeDatei(ordner, QStringLiteral("vorhanden.pdf"), "alt");
    const QString neu = ordner.filePath(QStringLiteral("neu.pdf"));
    for (const qsizetype bei : { 1, 20 }) {
        for (const QString &pfad : { vorhanden, neu }) {
            a.dialoge.meldungen.clear();
            a.dialoge.abbrechenBei = bei;
            a.dialoge.dateien << pfad;
            a.klicke("AlsPdfSpeichern1");
            QCOMPARE(a.dialoge.meldungen.size(), bei);
        }
        QCOMPARE(leseDatei(vorhanden), QByteArray("alt"));
        QVERIFY(!QFile::exists(neu));
        QVERIFY(a.dialoge.fehler.isEmpty());
    }
    // The first reports set the text on pages, the later ones paint them.
    QVERIFY(a.dialoge.meldungen[0].startsWith(QStringLiteral("Der Text wird auf Seiten verteilt")));
    QVERIFY(a.dialoge.meldungen[19].startsWith(QStringLiteral("Seite ")));
    QVERIFY(a.dialoge.fortschrittsfenster.contains(QStringLiteral("Drucken")));

    // The real preview, whose painting is cancelled, ends without showing.
    bool gezeigt = true;
    QTimer::singleShot(0, &a.haupt(), [&gezeigt] {
        const auto *vorschau
            = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        QVERIFY(vorschau);
        gezeigt = vorschau->windowHandle() && vorschau->windowHandle()->isVisible();
    });
    QtDialoge().Druckvorschau(&a.haupt(),
        { QStringLiteral("Abgebrochen"), QPageSize(QPageSize::A4),
            [](QPagedPaintDevice &) { return false; } });
    QVERIFY(!gezeigt);
}

// The real progress window stays away for a short job, shows a long one with
// its step, and its "Abbrechen" stops the job.
void TestPapier::fortschrittsfenster()
{
    QtDialoge dialoge;
    const auto fortschritt = dialoge.Fortschrittsanzeige(nullptr, QStringLiteral("Drucken"));
    const auto fenster = [] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *f = qobject_cast<QProgressDialog *>(w))
                return f;
        }
        return static_cast<QProgressDialog *>(nullptr);
    };
    QVERIFY(fortschritt->melde(QStringLiteral("Seite 1 von 4 …"), 0, 4));
    QVERIFY(fortschritt->melde(QStringLiteral("Seite 2 von 4 …"), 1, 4));
    QVERIFY(!fenster() || !fenster()->isVisible());
    QTest::qWait(600);
    QVERIFY(fortschritt->melde(QStringLiteral("Seite 3 von 4 …"), 2, 4));
    QVERIFY(fenster() && fenster()->isVisible());
    QCOMPARE(fenster()->windowTitle(), QStringLiteral("Drucken"));
    QCOMPARE(fenster()->labelText(), QStringLiteral("Seite 3 von 4 …"));
    QPushButton *abbrechen = fenster()->findChild<QPushButton *>();
    QCOMPARE(abbrechen->text(), QStringLiteral("Abbrechen"));
    abbrechen->click();
    QVERIFY(!fortschritt->melde(QStringLiteral("Seite 4 von 4 …"), 3, 4));
}

void TestPapier::langeZeile_data()
{
    QTest::addColumn<QByteArray>("wort");
    QTest::newRow("words") << QByteArray("Geheimnis ");
    QTest::newRow("no blank") << QByteArray("GEHEIMNIS");
}

// A line of 300,000 characters is laid out in steps the window answers
// between, and printed whole, in order.
void TestPapier::langeZeile()
{
    QFETCH(QByteArray, wort);
    verschl::Text zeile;
    while (zeile.size() < 300000)
        zeile += wort.toStdString();
    std::shared_ptr<QTextDocument> dokument = papier::NeuesDokument();
    QTextCursor cursor(dokument.get());
    papier::Paneabsatz(cursor, zeile, schriften::Paneschrift());
    SkriptDialoge dialoge;
    const QString pfad = ordner.filePath(QStringLiteral("zeile.pdf"));
    QCOMPARE(papier::SchreibePdf(pfad,
                 { QStringLiteral("Zeile"), QPageSize(QPageSize::A4),
                     [&](QPagedPaintDevice &geraet) {
                         return papier::Drucke(*dokument, geraet, dialoge, nullptr);
                     } }),
        papier::Pdf::Geschrieben);
    QVERIFY(dialoge.meldungen.filter(QStringLiteral("verteilt")).size() > 10);
    QString gedruckt = lies(pfad).seitentexte.join(QString());
    gedruckt.remove(QRegularExpression(QStringLiteral("\\s|\\d")));
    QString erwartet = QString::fromStdString(zeile);
    erwartet.remove(u' ');
    QCOMPARE(gedruckt, erwartet);
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
