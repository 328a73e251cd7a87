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

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRandomGenerator>
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
    CBAufgabe->addItems({ QStringLiteral("Caesar entschlüsseln"),
        QStringLiteral("Vigenère entschlüsseln"), QStringLiteral("Matrix entschlüsseln"),
        QStringLiteral("Caesar knacken"), QStringLiteral("Vigenère knacken"),
        QStringLiteral("Matrix knacken"), QStringLiteral("Substitution knacken") });
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
    CBLaengeVerraten = benannt(
        new QCheckBox(QStringLiteral("Schlüssellänge &mitteilen"), this), "CBLaengeVerraten");
    CBLaengeVerraten->setToolTip(
        QStringLiteral("Das Blatt nennt die Länge des Schlüssels und hat für jede Spalte eine "
                       "Zähltabelle. Sonst finden die Schüler sie mit der Kasiski-Tabelle."));
    EdAlphabet
        = benannt(new QLineEdit(QString::fromLatin1(Blattwahl().substitution), this), "EdAlphabet");
    EdAlphabet->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]*")), EdAlphabet));
    EdAlphabet->setToolTip(QStringLiteral("Ein Schlüsselwort oder ein ganzes Geheimalphabet aus "
                                          "26 Buchstaben."));
    BZufallsalphabet
        = benannt(new QPushButton(QStringLiteral("Zufallsalphabet"), this), "BZufallsalphabet");
    connect(
        BZufallsalphabet, &QPushButton::clicked, this, &TArbeitsblattForm::BZufallsalphabetClick);
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
    CBLoesungenGetrennt = benannt(
        new QCheckBox(QStringLiteral("Lösungen getrennt speichern"), this), "CBLoesungenGetrennt");
    CBLoesungenGetrennt->setToolTip(
        QStringLiteral("„Als PDF speichern...“ schreibt die Lösungen in eine eigene Datei: "
                       "aus blatt.pdf werden blatt.pdf und blatt-Lösungen.pdf."));
    CBUmlaute = benannt(new QCheckBox(QStringLiteral("&Umlaute ersetzen"), this), "CBUmlaute");
    CBUmlaute->setChecked(true);
    CBGrossschrift = benannt(new QCheckBox(QStringLiteral("Gr&oßschrift"), this), "CBGrossschrift");
    CBLeerzeichen
        = benannt(new QCheckBox(QStringLiteral("Leerzeichen lösc&hen"), this), "CBLeerzeichen");
    CBFuenfergruppen
        = benannt(new QCheckBox(QStringLiteral("Fünfer&gruppen"), this), "CBFuenfergruppen");
    CBFuenfergruppen->setToolTip(QStringLiteral(
        "Ohne Leerzeichen und Zeilenenden, nach jedem fünften Zeichen ein Leerzeichen: "
        "Die Wortlängen verraten nichts mehr."));
    CBAntwortfeld = benannt(new QComboBox(this), "CBAntwortfeld");
    CBAntwortfeld->addItems({ QStringLiteral("Linie"), QStringLiteral("Kästchen je Buchstabe") });
    SpVarianten = benannt(new QSpinBox(this), "SpVarianten");
    SpVarianten->setRange(1, kHoechsteVarianten);
    SpVarianten->setToolTip(QStringLiteral(
        "So viele Blätter, jedes mit eigenem Schlüssel und seiner Nummer, damit niemand "
        "abschreibt. Die Lösungen aller Varianten stehen auf den Lösungsseiten."));
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
    form->addRow(QString(), CBLaengeVerraten);
    auto *alphabet = new QHBoxLayout;
    alphabet->addWidget(EdAlphabet, 1);
    alphabet->addWidget(BZufallsalphabet);
    auto *beschriftung = new QLabel(QStringLiteral("Geheimalphabet:"), this);
    beschriftung->setBuddy(EdAlphabet);
    form->addRow(beschriftung, alphabet);
    form->addRow(QString(), CBStreifen);
    auto *vorbereitung = new QGridLayout;
    vorbereitung->addWidget(CBUmlaute, 0, 0);
    vorbereitung->addWidget(CBGrossschrift, 0, 1);
    vorbereitung->addWidget(CBLeerzeichen, 1, 0);
    vorbereitung->addWidget(CBFuenfergruppen, 1, 1);
    form->addRow(QStringLiteral("Vorbereitung:"), vorbereitung);
    form->addRow(QStringLiteral("Ant&wortfeld:"), CBAntwortfeld);
    form->addRow(QStringLiteral("Va&rianten:"), SpVarianten);
    form->addRow(QStringLiteral("Tit&el:"), EdTitel);
    form->addRow(QString(), CBNamenszeile);
    form->addRow(QString(), CBLoesung);
    form->addRow(QString(), CBLoesungenGetrennt);
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
    for (QSpinBox *feld : { SpVerschiebung, SpSpalten, SpVarianten })
        connect(feld, &QSpinBox::valueChanged, this, &TArbeitsblattForm::geaendert);
    for (QComboBox *feld : { CBAufgabe, CBPapier, CBAntwortfeld })
        connect(feld, &QComboBox::currentIndexChanged, this, &TArbeitsblattForm::geaendert);
    for (QCheckBox *feld : { CBSonderzeichenIgnorieren, CBStreifen, CBLaengeVerraten, CBNamenszeile,
             CBLoesung, CBBeispiel, CBUmlaute, CBGrossschrift, CBLeerzeichen, CBFuenfergruppen })
        connect(feld, &QCheckBox::toggled, this, &TArbeitsblattForm::geaendert);
    // Where the answers go changes the files, not the sheet: no new preview.
    connect(CBLoesung, &QCheckBox::toggled, CBLoesungenGetrennt, &QWidget::setEnabled);
    for (QLineEdit *feld : { EdSchluessel, EdAlphabet, EdTitel })
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
    Blattwahl matrix = wahl();
    matrix.aufgabe = Aufgabe::MatrixEntschluesseln;
    const std::optional<Vorlage> vorlage = klartext();
    const std::size_t laenge = vorlage ? Blattklartext(matrix, vorlage->text).size() : 0;
    SpSpalten->setValue(int(verschl::MatrixSpalten(laenge, e.spalten)));
    if (!e.schluessel.empty())
        EdSchluessel->setText(QString::fromLatin1(e.schluessel));
    if (!e.substitution.empty())
        EdAlphabet->setText(QString::fromLatin1(e.substitution));
    CBSonderzeichenIgnorieren->setChecked(e.sonderzeichenIgnorieren);
    if (e.methode == Methode::Matrix)
        CBAufgabe->setCurrentIndex(int(Aufgabe::MatrixEntschluesseln));
    else if (e.methode == Methode::Vigenere)
        CBAufgabe->setCurrentIndex(int(Aufgabe::VigenereEntschluesseln));
    else if (e.methode == Methode::Substitution)
        CBAufgabe->setCurrentIndex(int(Aufgabe::SubstitutionKnacken));
}

Blattwahl TArbeitsblattForm::wahl() const
{
    Blattwahl w;
    w.aufgabe = Aufgabe(CBAufgabe->currentIndex());
    w.verschiebung = SpVerschiebung->value();
    w.schluessel = EdSchluessel->text().toLatin1().toStdString();
    w.sonderzeichenIgnorieren = CBSonderzeichenIgnorieren->isChecked();
    w.spalten = SpSpalten->value();
    w.laengeVerraten = CBLaengeVerraten->isChecked();
    w.substitution = EdAlphabet->text().toUpper().toLatin1().toStdString();
    w.streifen = CBStreifen->isChecked();
    w.titel = EdTitel->text();
    w.namenszeile = CBNamenszeile->isChecked();
    w.loesung = CBLoesung->isChecked();
    w.papier = QPageSize::PageSizeId(CBPapier->currentData().toInt());
    w.umlauteErsetzen = CBUmlaute->isChecked();
    w.grossschrift = CBGrossschrift->isChecked();
    w.leerzeichenLoeschen = CBLeerzeichen->isChecked();
    w.fuenfergruppen = CBFuenfergruppen->isChecked();
    w.antwortfeld = Antwortfeld(CBAntwortfeld->currentIndex());
    w.varianten = SpVarianten->value();
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
    const bool vigenere
        = aufgabe == Aufgabe::VigenereEntschluesseln || aufgabe == Aufgabe::VigenereKnacken;
    SpVerschiebung->setEnabled(
        aufgabe == Aufgabe::CaesarEntschluesseln || aufgabe == Aufgabe::CaesarKnacken);
    EdSchluessel->setEnabled(vigenere);
    CBSonderzeichenIgnorieren->setEnabled(vigenere);
    CBLaengeVerraten->setEnabled(aufgabe == Aufgabe::VigenereKnacken);
    SpSpalten->setEnabled(
        aufgabe == Aufgabe::MatrixEntschluesseln || aufgabe == Aufgabe::MatrixKnacken);
    for (QWidget *feld : std::initializer_list<QWidget *> { EdAlphabet, BZufallsalphabet })
        feld->setEnabled(aufgabe == Aufgabe::SubstitutionKnacken);
    CBStreifen->setEnabled(aufgabe == Aufgabe::CaesarEntschluesseln);
}

void TArbeitsblattForm::BZufallsalphabetClick()
{
    QString alphabet = QString::fromLatin1(verschl::SchluesselwortAlphabet({}));
    std::shuffle(alphabet.begin(), alphabet.end(), *QRandomGenerator::global());
    EdAlphabet->setText(alphabet);
    geaendert();
}

void TArbeitsblattForm::Aktualisieren()
{
    Aufschub->stop();
    const Blattwahl w = wahl();
    freigeben(w.aufgabe);
    const std::optional<Vorlage> vorlage = klartext();
    const QString grund = vorlage ? Hindernis(w, vorlage->text) : kLeer;
    LStatus->setText(
        grund.isEmpty() ? (vorlage->hinweis + u' ' + Hinweis(w, vorlage->text)).trimmed() : grund);
    dokument = grund.isEmpty() ? std::shared_ptr<QTextDocument>(BaueArbeitsblatt(w, vorlage->text))
                               : nullptr;
    drucker.setPageSize(QPageSize(w.papier));
    Vorschau->updatePreview();
}

Druckauftrag TArbeitsblattForm::auftragFuer(std::shared_ptr<QTextDocument> blatt)
{
    const Blattwahl w = wahl();
    return Druckauftrag { w.titel, QPageSize(w.papier),
        [blatt = std::move(blatt), this](
            QPagedPaintDevice &geraet) { return papier::Drucke(*blatt, geraet, dialoge, this); } };
}

std::optional<Druckauftrag> TArbeitsblattForm::auftrag()
{
    Aktualisieren();
    if (!dokument) {
        dialoge.ZeigeWarnung(this, LStatus->text());
        return std::nullopt;
    }
    return auftragFuer(dokument);
}

void TArbeitsblattForm::BDruckenClick()
{
    if (const auto a = auftrag())
        dialoge.Druckvorschau(this, *a);
}

namespace {

// "blatt.pdf" gives "blatt-Lösungen.pdf", beside it.
QString loesungspfad(const QString &pfad)
{
    const QString endung = QStringLiteral(".pdf");
    const qsizetype stamm
        = pfad.endsWith(endung, Qt::CaseInsensitive) ? pfad.size() - endung.size() : pfad.size();
    return pfad.left(stamm) + QStringLiteral("-Lösungen") + endung;
}

} // namespace

void TArbeitsblattForm::BPdfClick()
{
    const auto a = auftrag();
    if (!a)
        return;
    const auto pfad = dialoge.DokumentSpeichern(this,
        { QStringLiteral("Als PDF speichern"), {}, QStringLiteral("arbeitsblatt.pdf"), false },
        { QStringLiteral("PDF-Dateien (*.pdf)") });
    if (!pfad)
        return;
    const auto schreibe = [this](const QString &ziel, const Druckauftrag &auftrag) {
        const papier::Pdf ergebnis = papier::SchreibePdf(ziel, auftrag);
        if (ergebnis == papier::Pdf::Fehler)
            dialoge.ZeigeFehler(this, dateiname::Speicherfehler(ziel));
        return ergebnis == papier::Pdf::Geschrieben;
    };
    if (!CBLoesung->isChecked() || !CBLoesungenGetrennt->isChecked()) {
        schreibe(*pfad, *a);
        return;
    }
    // The window made a sheet just now, so there is a text to make it of.
    const verschl::Text text = klartext()->text;
    const auto teil = [&](Teil t) {
        return auftragFuer(std::shared_ptr<QTextDocument>(BaueArbeitsblatt(wahl(), text, t)));
    };
    if (schreibe(*pfad, teil(Teil::Blaetter)))
        schreibe(loesungspfad(*pfad), teil(Teil::Loesungen));
}
