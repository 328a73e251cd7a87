// SPDX-License-Identifier: GPL-3.0-or-later
// The Caesar demonstration's behaviour: the shift, the two views, the
// direction, stepping through the text and marking the grid.

#include "demos/caesardemo.h"

#include "bausteine/bytezeile.h"
#include "bausteine/methodenzeile.h"
#include "demos/demobausteine.h"
#include "demos/stringaligngrid.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

namespace {

constexpr int kBreite = 525;
constexpr int kHoeheKompakt = 83;
constexpr int kHoeheErweitert = 244;
// Between the two views' outer heights: which one the window shows.
constexpr int kHoeheGrenze = 150;
constexpr int kBuchstaben = 26;

} // namespace

TCaesarDemoForm::TCaesarDemoForm(Demohauptfenster &haupt, Demomethode &methode)
    : Demofenster("CaesarDemoForm", QStringLiteral("Caesarverschlüsselungs-Demonstration"))
    , haupt(haupt)
    , methode(methode)
{
    erzeugeSteuerelemente();
    verbindeHandler();
    FormCreate();
}

TCaesarDemoForm::~TCaesarDemoForm() = default;

void TCaesarDemoForm::verbindeHandler()
{
    connect(TrackBar, &QSlider::valueChanged, this, &TCaesarDemoForm::TrackBarChange);
    // Only the user's choice runs the handler; setting the list from code runs nothing.
    connect(ComboBox, &QComboBox::activated, this, &TCaesarDemoForm::ComboBoxChange);
    connect(BMehr, &QPushButton::clicked, this, &TCaesarDemoForm::BMehrClick);
    connect(BSchliessen, &QPushButton::clicked, this, &TCaesarDemoForm::BSchliessenClick);
    connect(
        SpBVerschluesseln, &QToolButton::clicked, this, &TCaesarDemoForm::SpBVerschluesselnClick);
    connect(
        SpBEntschluesseln, &QToolButton::clicked, this, &TCaesarDemoForm::SpBEntschluesselnClick);
    connect(BSchritt, &QPushButton::clicked, this, &TCaesarDemoForm::BSchrittClick);
    connect(BRueck, &QPushButton::clicked, this, &TCaesarDemoForm::BRueckClick);
    connect(CBAnimation, &QCheckBox::toggled, this, &TCaesarDemoForm::CBAnimationClick);
    connect(TBGeschw, &QSlider::valueChanged, this, &TCaesarDemoForm::TBGeschwChange);
    // The grid never takes the focus; a click on it hands the focus on as
    // the grid's entering would.
    SAGrid->viewport()->installEventFilter(this);
}

void TCaesarDemoForm::FormCreate()
{
    for (int i = 0; i < kBuchstaben; ++i)
        SAGrid->setCells(i, 0, verschl::Text(1, char('A' + i)));
    SAGrid->RowFont(0).setStyle(TMyFont::Fett);

    TrackBar->setValue(methode.schieberegler());
    ComboBox->setCurrentIndex(methode.buchstabe());
    const Methodeneinstellungen e = methode.einstellungen();
    if (e.methode == Methode::Substitution)
        geheimalphabet = Geheimalphabet(e.substitution);
    if (geheimalphabet) {
        setWindowTitle(QStringLiteral("Substitutions-Demonstration"));
        erzeugeVerfahrenszeile(Methodenzeile(e));
    }
    GibAlphabetAus();

    EdText1->setText(oderBeispiel(haupt.klartext()));

    resize(kBreite, kHoeheKompakt);

    // Read once: the slider's handler writes the position back as it moves.
    const DemoEinstellungen einstellungen = haupt.demoEinstellungen();
    demo::setzeGeschwindigkeit(*TBGeschw, einstellungen);
    CBAnimation->setChecked(einstellungen.Animation);
    richtungVerschluesseln = true;
}

bool TCaesarDemoForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == SAGrid->viewport() && event->type() == QEvent::MouseButtonPress)
        SAGridEnter();
    return QWidget::eventFilter(watched, event);
}

void TCaesarDemoForm::TrackBarChange()
{
    ComboBox->setCurrentIndex(TrackBar->value());
    uebernimmVerschiebung(TrackBar->value());
    GibAlphabetAus();
}

void TCaesarDemoForm::ComboBoxChange()
{
    TrackBar->setValue(ComboBox->currentIndex());
    uebernimmVerschiebung(ComboBox->currentIndex());
}

// Slider first: its handler in the method window updates its list, label
// and remembered shift.
void TCaesarDemoForm::uebernimmVerschiebung(int verschiebung)
{
    if (!haupt.DemoOptionenUebernehmen())
        return;
    methode.setSchieberegler(verschiebung);
    methode.setBuchstabe(verschiebung);
}

void TCaesarDemoForm::GibAlphabetAus()
{
    for (int i = 0; i < kBuchstaben; ++i)
        SAGrid->setCells(i, 1, wandle(verschl::Text(1, char('A' + i)), true));
}

verschl::Text TCaesarDemoForm::wandle(const verschl::Text &text, bool verschluesseln) const
{
    // A key word's alphabet is always whole, so the text never stays as it is.
    if (geheimalphabet) {
        return (verschluesseln ? verschl::SubstitutionVerschluesseln(text, *geheimalphabet)
                               : verschl::SubstitutionEntschluesseln(text, *geheimalphabet))
            .value_or(text);
    }
    return verschl::CaesarVerschieben(
        text, verschluesseln ? TrackBar->value() : -TrackBar->value());
}

void TCaesarDemoForm::BMehrClick()
{
    erweitert = !erweitert;
    resize(width(), erweitert ? kHoeheErweitert : kHoeheKompakt);
    BMehr->setText(erweitert ? QStringLiteral("<< Verkleiner&t") : QStringLiteral("Erweiter&t >>"));
    BMehr->setToolTip(
        erweitert ? QStringLiteral("Anzeige verkleinern") : QStringLiteral("Anzeige erweitern"));
    for (QWidget *w : std::initializer_list<QWidget *> { EdText1, EdText2, SpBVerschluesseln,
             SpBEntschluesseln, BSchritt, CBAnimation, TBGeschw })
        w->setEnabled(erweitert);
    (erweitert ? static_cast<QWidget *>(BSchritt) : BSchliessen)->setFocus();
}

void TCaesarDemoForm::SpBVerschluesselnClick() { wechsleRichtung(true); }

void TCaesarDemoForm::SpBEntschluesselnClick() { wechsleRichtung(false); }

// The buttons toggle themselves on a click; whatever the handler decides,
// exactly the active direction's button ends down.
void TCaesarDemoForm::zeigeRichtung()
{
    SpBVerschluesseln->setChecked(richtungVerschluesseln);
    SpBEntschluesseln->setChecked(!richtungVerschluesseln);
}

void TCaesarDemoForm::wechsleRichtung(bool verschluesseln)
{
    if (animationLaeuft || verschluesseln == richtungVerschluesseln) {
        zeigeRichtung();
        return;
    }
    richtungVerschluesseln = verschluesseln;
    schrittindex = -1;
    zeigeRichtung();
    BSchritt->setText(verschluesseln ? QStringLiteral("&Buchstaben verschlüsseln")
                                     : QStringLiteral("&Buchstaben entschlüsseln"));
    LText1->setText(verschluesseln ? QStringLiteral("&Klartext") : QStringLiteral("&Chiffre"));
    LText2->setText(verschluesseln ? QStringLiteral("&Chiffre") : QStringLiteral("&Klartext"));
    EdText1->deselect();
    loeschemarkierung();

    verschl::Text neu = EdText2->text();
    if (!neu.empty()) {
        EntferneAuffuellung(neu);
    } else {
        neu = verschluesseln ? haupt.klartext() : haupt.chiffre();
        if (neu.empty()) {
            neu = verschluesseln ? verschl::Text(kBeispielsatz) : wandle(kBeispielsatz, true);
        }
    }
    auffuellzahl = 0;
    EdText1->setText(neu);
    EdText2->clear();
}

// A step reads and writes single bytes: its cost does not grow with the text.
void TCaesarDemoForm::BSchrittClick()
{
    if (animationLaeuft)
        return;
    const qsizetype laenge = EdText1->Laenge();

    FuelleErgebnisAuf(laenge);
    if (qsizetype(schrittindex) >= laenge - 1) {
        EdText1->deselect();
        EdText2->deselect();
        loeschemarkierung();
        return;
    }
    const int i = ++schrittindex;
    // The blanks up to here are filler no longer: they get a character now.
    auffuellzahl = int(std::min<qsizetype>(auffuellzahl, EdText2->Laenge() - i - 1));
    EdText2->deselect();
    EdText1->WaehleBytes(i, 1);

    const unsigned char c = static_cast<unsigned char>(EdText1->ByteAn(i));
    const int k = demo::BuchstabenIndex(c);
    if (k < 0) {
        loeschemarkierung();
        setzeErgebnis(i, char(c));
        return;
    }
    const char r = wandle(verschl::Text(1, char(c)), richtungVerschluesseln).front();
    const int zeile = richtungVerschluesseln ? 0 : 1;
    const int spalte
        = richtungVerschluesseln ? k : demo::BuchstabenIndex(static_cast<unsigned char>(r));
    loeschemarkierung();
    if (!markiere(zeile, spalte))
        return; // closed during the running light
    setzeErgebnis(i, r);
}

bool TCaesarDemoForm::markiere(int zeile, int spalte)
{
    if (CBAnimation->isChecked()) {
        const QPointer<TCaesarDemoForm> selbst(this);
        animationLaeuft = true;
        for (int j = 0; j <= spalte; ++j) {
            SAGrid->CellBrush(j, zeile).setColor(Markierungsfarbe());
            SAGrid->CellFont(j, zeile).setColor(Markierungsschrift());
            if (j > 0) {
                SAGrid->ResetCellBrush(j - 1, zeile);
                SAGrid->ResetCellFont(j - 1, zeile);
            }
            SAGrid->Repaint();
            demo::WarteSchritt(*TBGeschw);
            if (!selbst || Geschlossen())
                return false;
        }
        // Along row 1 the light's last cell stays lit, in the colours of the
        // column marking, until the next clearing.
        SAGrid->ResetCellBrush(spalte, 0);
        SAGrid->ResetCellFont(spalte, 0);
    }
    animationLaeuft = false;
    markierteZeile = zeile;
    markierteSpalte = spalte;
    SAGrid->ColBrush(spalte).setColor(Markierungsfarbe());
    SAGrid->ColFont(spalte).setColor(Markierungsschrift());
    TMyFont &klar = SAGrid->CellFont(spalte, 0);
    klar.setColor(Markierungsschrift());
    klar.setStyle(TMyFont::Fett);
    return true;
}

void TCaesarDemoForm::loeschemarkierung()
{
    // There is no way to drop every cell brush at once, so the one a light
    // along row 1 left behind goes by its place.
    if (markierteSpalte >= 0 && markierteSpalte < kBuchstaben && markierteZeile >= 0
        && markierteZeile <= 1) {
        SAGrid->ResetCellBrush(markierteSpalte, markierteZeile);
        SAGrid->ResetCellFont(markierteSpalte, markierteZeile);
    }
    SAGrid->ResetAllColBrushes();
    SAGrid->ResetAllColFonts();
    SAGrid->ResetAllRowBrushes();
    SAGrid->ResetAllRowFonts();
    SAGrid->ResetAllCellFonts();
    SAGrid->RowFont(0).setStyle(TMyFont::Fett);
}

// Filler is counted as long as no step has written over it, so that a
// direction switch can hand on exactly the characters made so far.
void TCaesarDemoForm::FuelleErgebnisAuf(qsizetype laenge)
{
    const qsizetype fehlend = laenge - EdText2->Laenge();
    if (fehlend <= 0)
        return;
    EdText2->ErsetzeBytes(EdText2->Laenge(), 0, verschl::Text(std::size_t(fehlend), ' '));
    auffuellzahl += int(fehlend);
}

void TCaesarDemoForm::EntferneAuffuellung(verschl::Text &text)
{
    text.resize(text.size() - std::min<size_t>(size_t(std::max(auffuellzahl, 0)), text.size()));
    auffuellzahl = 0;
}

void TCaesarDemoForm::BRueckClick()
{
    if (animationLaeuft)
        return;
    schrittindex = -1;
    auffuellzahl = 0;
    EdText2->clear();
    EdText1->deselect();
    loeschemarkierung();
    BSchritt->setFocus();
}

void TCaesarDemoForm::CBAnimationClick()
{
    const bool an = CBAnimation->isChecked();
    if (animationLaeuft) {
        // The box has already turned; ignored means it turns back.
        const QSignalBlocker still(CBAnimation);
        CBAnimation->setChecked(!an);
        return;
    }
    demo::zeigeAnimation(*CBAnimation, *TBGeschw);
    demo::schreibeAnimation(haupt, an);
}

void TCaesarDemoForm::TBGeschwChange() { demo::schreibeGeschwindigkeit(haupt, TBGeschw->value()); }

void TCaesarDemoForm::SAGridEnter()
{
    QWidget *weiter
        = frameGeometry().height() > kHoeheGrenze ? static_cast<QWidget *>(BSchritt) : BSchliessen;
    weiter->setFocus();
}

void TCaesarDemoForm::setzeErgebnis(int i, char zeichen)
{
    EdText2->ErsetzeBytes(i, 1, verschl::Text(1, zeichen));
    EdText2->WaehleBytes(i, 1);
}
