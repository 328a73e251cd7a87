// SPDX-License-Identifier: GPL-3.0-or-later
#include "arbeitsblatt/arbeitsblatt.h"

#include "bausteine/steuerelemente.h"
#include "papier/papier.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/dateiname.h"
#include "schnittstellen/dialoge.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTextDocument>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kLeer = QStringLiteral(
    "Im Klartextfeld steht kein Text mit Buchstaben. Schreiben Sie einen Text hinein oder "
    "wählen Sie „Bei leerem Klartextfeld Beispieltext nehmen“.");

// Typing "12" into a field changes it twice, and a long sheet takes a
// noticeable moment to build: it is built once the changes have paused this long.
constexpr int kAufschubMs = 300;

bool hatBuchstaben(const verschl::Text &text)
{
    return std::any_of(
        text.begin(), text.end(), [](char b) { return codepage::IstBuchstabe(QLatin1Char(b)); });
}

} // namespace

TArbeitsblattForm::TArbeitsblattForm(
    Demohauptfenster &haupt, Methodenfenster &methode, Dialoge &dialoge)
    : haupt(haupt)
    , dialoge(dialoge)
    , drucker(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("ArbeitsblattForm"));
    setWindowTitle(QStringLiteral("Arbeitsblatt erstellen"));
    erzeugeSteuerelemente();
    uebernimmMethode(methode);
    Aktualisieren();
}

TArbeitsblattForm::~TArbeitsblattForm() = default;

void TArbeitsblattForm::erzeugeSteuerelemente()
{
    CBAufgabe = benannt(new QComboBox(this), "CBAufgabe");
    CBAufgabe->addItems(
        { QStringLiteral("Caesar entschlüsseln"), QStringLiteral("Vigenère entschlüsseln"),
            QStringLiteral("Matrix entschlüsseln"), QStringLiteral("Caesar knacken") });
    SpVerschiebung = benannt(new QSpinBox(this), "SpVerschiebung");
    SpVerschiebung->setRange(0, 25);
    EdSchluessel = benannt(new QLineEdit(QStringLiteral("KIEL"), this), "EdSchluessel");
    EdSchluessel->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]*")), EdSchluessel));
    CBSonderzeichenIgnorieren
        = benannt(new QCheckBox(QStringLiteral("Sonderzeichen &ignorieren"), this),
            "CBSonderzeichenIgnorieren");
    CBSonderzeichenIgnorieren->setToolTip(SonderzeichenHinweis());
    SpSpalten = benannt(new QSpinBox(this), "SpSpalten");
    SpSpalten->setRange(1, 100);
    CBStreifen = benannt(
        new QCheckBox(QStringLiteral("Schiebes&treifen statt Scheibe"), this), "CBStreifen");
    EdTitel = benannt(new QLineEdit(Blattwahl().titel, this), "EdTitel");
    CBNamenszeile = benannt(
        new QCheckBox(QStringLiteral("Zeile für &Name, Klasse und Datum"), this), "CBNamenszeile");
    CBLoesung = benannt(
        new QCheckBox(QStringLiteral("&Lösungsblatt als letzte Seite"), this), "CBLoesung");
    CBBeispiel = benannt(
        new QCheckBox(QStringLiteral("Bei leerem Klartextfeld &Beispieltext nehmen"), this),
        "CBBeispiel");
    for (QCheckBox *an : { CBNamenszeile, CBLoesung, CBBeispiel })
        an->setChecked(true);
    CBPapier = benannt(new QComboBox(this), "CBPapier");
    CBPapier->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    CBPapier->addItem(QStringLiteral("Letter"), int(QPageSize::Letter));

    LHinweis = benannt(
        new QLabel(
            QStringLiteral("Rotation 13 ist eine Caesar-Verschiebung um 13. Rotation 128 gibt es "
                           "hier nicht als Aufgabe: Sie macht aus jedem Buchstaben ein Sonder- "
                           "oder Steuerzeichen, das sich auf Papier weder lesen noch von Hand "
                           "zurückrechnen lässt. Ihre Texte druckt „Datei › Drucken...“ im "
                           "Hauptfenster."),
            this),
        "LHinweis");
    LStatus = benannt(new QLabel(this), "LStatus");
    for (QLabel *l : { LHinweis, LStatus })
        l->setWordWrap(true);

    Vorschau = benannt(new QPrintPreviewWidget(&drucker, this), "Vorschau");
    Vorschau->setAccessibleName(QStringLiteral("Vorschau"));
    for (QWidget *teil : Vorschau->findChildren<QWidget *>())
        teil->setAccessibleName(QStringLiteral("Vorschau"));
    Vorschau->setMinimumSize(420, 500);
    // Without a sheet the preview shows an empty page, not the last sheet made.
    connect(Vorschau, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *geraet) {
        if (dokument)
            papier::Drucke(*dokument, *geraet, dialoge, this);
        else
            QPainter(geraet).end();
    });

    auto knopf = [this](const char *name, const QString &text, void (TArbeitsblattForm::*h)()) {
        auto *k = benannt(new QPushButton(text, this), name);
        connect(k, &QPushButton::clicked, this, h);
        return k;
    };
    BAktualisieren = knopf("BAktualisieren", QStringLiteral("Vorschau a&ktualisieren"),
        &TArbeitsblattForm::Aktualisieren);
    BDrucken = knopf("BDrucken", QStringLiteral("&Drucken..."), &TArbeitsblattForm::BDruckenClick);
    BPdf = knopf("BPdf", QStringLiteral("Als &PDF speichern..."), &TArbeitsblattForm::BPdfClick);
    BSchliessen = benannt(new QPushButton(QStringLiteral("S&chließen"), this), "BSchliessen");
    connect(BSchliessen, &QPushButton::clicked, this, &QWidget::close);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("&Aufgabe:"), CBAufgabe);
    form->addRow(QStringLiteral("&Verschiebung:"), SpVerschiebung);
    form->addRow(QStringLiteral("&Schlüssel:"), EdSchluessel);
    form->addRow(QString(), CBSonderzeichenIgnorieren);
    form->addRow(QStringLiteral("Spalten&zahl:"), SpSpalten);
    form->addRow(QString(), CBStreifen);
    form->addRow(QStringLiteral("Tit&el:"), EdTitel);
    form->addRow(QString(), CBNamenszeile);
    form->addRow(QString(), CBLoesung);
    form->addRow(QString(), CBBeispiel);
    form->addRow(QStringLiteral("Papier&format:"), CBPapier);
    auto *links = new QVBoxLayout;
    links->addLayout(form);
    links->addWidget(LHinweis);
    links->addWidget(LStatus);
    links->addStretch();
    for (QPushButton *k : { BAktualisieren, BDrucken, BPdf, BSchliessen })
        links->addWidget(k);
    auto *ganz = new QHBoxLayout(this);
    ganz->addLayout(links, 0);
    ganz->addWidget(Vorschau, 1);

    Aufschub = benannt(new QTimer(this), "Aufschub");
    Aufschub->setSingleShot(true);
    Aufschub->setInterval(kAufschubMs);
    connect(Aufschub, &QTimer::timeout, this, &TArbeitsblattForm::Aktualisieren);
    for (QSpinBox *feld : { SpVerschiebung, SpSpalten })
        connect(feld, &QSpinBox::valueChanged, this, &TArbeitsblattForm::geaendert);
    for (QComboBox *feld : { CBAufgabe, CBPapier })
        connect(feld, &QComboBox::currentIndexChanged, this, &TArbeitsblattForm::geaendert);
    for (QCheckBox *feld :
        { CBSonderzeichenIgnorieren, CBStreifen, CBNamenszeile, CBLoesung, CBBeispiel })
        connect(feld, &QCheckBox::toggled, this, &TArbeitsblattForm::geaendert);
    for (QLineEdit *feld : { EdSchluessel, EdTitel })
        connect(feld, &QLineEdit::editingFinished, this, &TArbeitsblattForm::geaendert);
    resize(1000, 720);
}

// Rotation 13 is the Caesar shift by 13; rotation 128 has no task and
// leaves the Caesar task with the shift the method window holds.
void TArbeitsblattForm::uebernimmMethode(const Methodenfenster &methode)
{
    const Methodeneinstellungen e = methode.einstellungen();
    const QSignalBlocker stillAufgabe(CBAufgabe);
    const QSignalBlocker stillVerschiebung(SpVerschiebung);
    const QSignalBlocker stillSpalten(SpSpalten);
    const QSignalBlocker stillSonderzeichen(CBSonderzeichenIgnorieren);
    SpVerschiebung->setValue(e.methode == Methode::Rotation13 ? 13 : e.verschiebung);
    // The square layout counts the text the sheet shows, not the pane's.
    Blattwahl matrix;
    matrix.aufgabe = Aufgabe::MatrixEntschluesseln;
    const std::optional<Vorlage> vorlage = klartext();
    const std::size_t laenge = vorlage ? Blattklartext(matrix, vorlage->text).size() : 0;
    SpSpalten->setValue(int(verschl::MatrixSpalten(laenge, e.spalten)));
    if (!e.schluessel.empty())
        EdSchluessel->setText(QString::fromLatin1(e.schluessel));
    CBSonderzeichenIgnorieren->setChecked(e.sonderzeichenIgnorieren);
    if (e.methode == Methode::Matrix)
        CBAufgabe->setCurrentIndex(int(Aufgabe::MatrixEntschluesseln));
    else if (e.methode == Methode::Vigenere)
        CBAufgabe->setCurrentIndex(int(Aufgabe::VigenereEntschluesseln));
}

Blattwahl TArbeitsblattForm::wahl() const
{
    Blattwahl w;
    w.aufgabe = Aufgabe(CBAufgabe->currentIndex());
    w.verschiebung = SpVerschiebung->value();
    w.schluessel = EdSchluessel->text().toLatin1().toStdString();
    w.sonderzeichenIgnorieren = CBSonderzeichenIgnorieren->isChecked();
    w.spalten = SpSpalten->value();
    w.streifen = CBStreifen->isChecked();
    w.titel = EdTitel->text();
    w.namenszeile = CBNamenszeile->isChecked();
    w.loesung = CBLoesung->isChecked();
    w.papier = QPageSize::PageSizeId(CBPapier->currentData().toInt());
    return w;
}

// Line breaks and blanks at the end go: a matrix would scatter them through
// the ciphertext as blanks that pupils would count for nothing.
std::optional<TArbeitsblattForm::Vorlage> TArbeitsblattForm::klartext() const
{
    verschl::Text text = haupt.klartext();
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    if (hatBuchstaben(text))
        return Vorlage { std::move(text), {} };
    if (!CBBeispiel->isChecked())
        return std::nullopt;
    return Vorlage { Beispieltext(),
        text.empty() ? QStringLiteral("Das Klartextfeld ist leer: Das Arbeitsblatt zeigt den "
                                      "Beispieltext.")
                     : QStringLiteral("Im Klartextfeld stehen keine Buchstaben A–Z: Das "
                                      "Arbeitsblatt zeigt den Beispieltext.") };
}

void TArbeitsblattForm::geaendert()
{
    freigeben(Aufgabe(CBAufgabe->currentIndex()));
    Aufschub->start();
}

void TArbeitsblattForm::freigeben(Aufgabe aufgabe)
{
    const bool vigenere = aufgabe == Aufgabe::VigenereEntschluesseln;
    SpVerschiebung->setEnabled(
        aufgabe == Aufgabe::CaesarEntschluesseln || aufgabe == Aufgabe::CaesarKnacken);
    EdSchluessel->setEnabled(vigenere);
    CBSonderzeichenIgnorieren->setEnabled(vigenere);
    SpSpalten->setEnabled(aufgabe == Aufgabe::MatrixEntschluesseln);
    CBStreifen->setEnabled(aufgabe == Aufgabe::CaesarEntschluesseln);
}

void TArbeitsblattForm::Aktualisieren()
{
    Aufschub->stop();
    const Blattwahl w = wahl();
    freigeben(w.aufgabe);
    const std::optional<Vorlage> vorlage = klartext();
    const QString grund = vorlage ? Hindernis(w, vorlage->text) : kLeer;
    LStatus->setText(grund.isEmpty() ? vorlage->hinweis : grund);
    dokument = grund.isEmpty() ? std::shared_ptr<QTextDocument>(BaueArbeitsblatt(w, vorlage->text))
                               : nullptr;
    drucker.setPageSize(QPageSize(w.papier));
    Vorschau->updatePreview();
}

std::optional<Druckauftrag> TArbeitsblattForm::auftrag()
{
    Aktualisieren();
    if (!dokument) {
        dialoge.ZeigeWarnung(this, LStatus->text());
        return std::nullopt;
    }
    const Blattwahl w = wahl();
    return Druckauftrag { w.titel, QPageSize(w.papier),
        [blatt = dokument, this](
            QPagedPaintDevice &geraet) { return papier::Drucke(*blatt, geraet, dialoge, this); } };
}

void TArbeitsblattForm::BDruckenClick()
{
    if (const auto a = auftrag())
        dialoge.Druckvorschau(this, *a);
}

void TArbeitsblattForm::BPdfClick()
{
    const auto a = auftrag();
    if (!a)
        return;
    const auto pfad = dialoge.DokumentSpeichern(this,
        { QStringLiteral("Als PDF speichern"), {}, QStringLiteral("arbeitsblatt.pdf"), false },
        { QStringLiteral("PDF-Dateien (*.pdf)") });
    if (pfad && papier::SchreibePdf(*pfad, *a) == papier::Pdf::Fehler)
        dialoge.ZeigeFehler(this, dateiname::Speicherfehler(*pfad));
}
