// SPDX-License-Identifier: GPL-3.0-or-later
#include "knacken/knacken.h"

#include "caesarseite.h"
#include "matrixseite.h"
#include "platform/benannt.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"
#include "substitutionsseite.h"
#include "vigenereseite.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int kBreite = 960;
constexpr int kHoehe = 660;

// The pages in the order of their tabs.
constexpr Fensterart kSeiten[] = { Fensterart::KnackenCaesar, Fensterart::KnackenVigenere,
    Fensterart::KnackenMatrix, Fensterart::KnackenSubstitution };

// The sample sentence as the method of `art` would encrypt it, for an empty
// pane: shift 3 as Caesar's own, four columns for the matrix, a short key
// for Vigenère, the program's name as key word for the substitution.
verschl::Text beispiel(Fensterart art)
{
    const verschl::Text satz = Demofenster::oderBeispiel({});
    switch (art) {
    case Fensterart::KnackenMatrix:
        return verschl::MatrixVerschluesseln(satz, { true, 4 });
    case Fensterart::KnackenVigenere:
        return verschl::VigenereVerschluesseln(satz, "ABC", true).value_or(satz);
    case Fensterart::KnackenSubstitution:
        return verschl::SubstitutionVerschluesseln(
            satz, verschl::SchluesselwortAlphabet("ZIFFERON"))
            .value_or(satz);
    default:
        return verschl::CaesarVerschieben(satz, 3);
    }
}

struct Anfang
{
    verschl::Text text; // up to kHoechstBuchstaben letters
    bool gekuerzt = false;
};

// Reads more of the pane only while it has too few letters, so a pane of
// 64 MiB opens as fast as a short one.
Anfang leseAnfang(const Knackhauptfenster &ziel)
{
    const int gesamt = ziel.chiffreZeichen();
    for (int zeichen = 8192;; zeichen = zeichen > gesamt / 4 ? gesamt : zeichen * 4) {
        const verschl::Text teil = ziel.chiffreAnfang(zeichen);
        Anfang a { knacken::ErsteBuchstaben(teil, TKnackenForm::kHoechstBuchstaben) };
        a.gekuerzt = a.text.size() < teil.size();
        if (a.gekuerzt || zeichen >= gesamt)
            return a;
    }
}

QLabel *hinweiszeile(QWidget *eltern, const char *name)
{
    auto *l = benannt(new QLabel(eltern), name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QPushButton *knopf(QWidget *eltern, QHBoxLayout *reihe, const char *name, const QString &text)
{
    auto *k = benannt(new QPushButton(text, eltern), name);
    k->setAutoDefault(false);
    reihe->addWidget(k);
    return k;
}

} // namespace

TKnackenForm::TKnackenForm(
    Demohauptfenster &haupt, Knackhauptfenster &ziel, Analyseuebernahme &methode, Fensterart art)
    : Demofenster("KnackenForm", QStringLiteral("Knacken – Schritt für Schritt"))
    , haupt(haupt)
    , ziel(ziel)
    , methode(methode)
{
    erzeugeSteuerelemente();
    const Anfang a = leseAnfang(ziel);
    if (a.text.empty()) {
        zeigeHinweis(QStringLiteral("Die Chiffre ist leer: Geübt wird an einem verschlüsselten "
                                    "Beispielsatz."));
    } else if (a.gekuerzt) {
        zeigeHinweis(QStringLiteral("Die Chiffre ist lang: Die Schritte zeigen ihre ersten %1 "
                                    "Buchstaben; entschlüsselt wird am Ende die ganze Chiffre.")
                         .arg(QLocale().toString(qulonglong(kHoechstBuchstaben))));
    }
    const auto text = [&a](Fensterart seite) { return a.text.empty() ? beispiel(seite) : a.text; };
    Seiten->addTab(new Caesarseite(text(Fensterart::KnackenCaesar)), QStringLiteral("Caesar"));
    Seiten->addTab(
        new Vigenereseite(text(Fensterart::KnackenVigenere)), QStringLiteral("Vigenère"));
    Seiten->addTab(new Matrixseite(text(Fensterart::KnackenMatrix)), QStringLiteral("Matrix"));
    Seiten->addTab(new Substitutionsseite(text(Fensterart::KnackenSubstitution)),
        QStringLiteral("Substitution"));
    for (int i = 0; i < Seiten->count(); ++i) {
        auto *s = static_cast<Knackseite *>(Seiten->widget(i));
        connect(s, &Knackseite::schrittGewechselt, this, &TKnackenForm::zeigeStand);
        connect(s, &Knackseite::schluesselGeaendert, this, &TKnackenForm::zeigeStand);
    }
    connect(Seiten, &QTabWidget::currentChanged, this, [this] {
        LHilfe->clear();
        zeigeStand();
    });
    const auto gesucht = std::find(std::begin(kSeiten), std::end(kSeiten), art);
    Seiten->setCurrentIndex(gesucht == std::end(kSeiten) ? 0 : int(gesucht - std::begin(kSeiten)));
    zeigeStand();
    richteTastaturEin();
    resize(kBreite, kHoehe);
}

TKnackenForm::~TKnackenForm() = default;

void TKnackenForm::erzeugeSteuerelemente()
{
    auto *spalte = new QVBoxLayout(this);
    LHinweis = hinweiszeile(this, "LHinweis");
    LHinweis->hide();
    spalte->addWidget(LHinweis);
    // On a small screen or at a large scale the pages scroll, while the
    // help line and the buttons stay in view. The focus moving on scrolls
    // its control into view, so the area itself takes none.
    Rolle = benannt(new QScrollArea(this), "Rolle");
    Rolle->setWidgetResizable(true);
    Rolle->setFrameShape(QFrame::NoFrame);
    Rolle->setFocusPolicy(Qt::NoFocus);
    Seiten = benannt(new QTabWidget, "Seiten");
    Seiten->setAccessibleName(QStringLiteral("Verfahren"));
    Seiten->tabBar()->setAccessibleName(QStringLiteral("Verfahren"));
    Rolle->setWidget(Seiten);
    spalte->addWidget(Rolle, 1);
    LHilfe = hinweiszeile(this, "LHilfe");
    LHilfe->setFrameShape(QFrame::StyledPanel);
    LHilfe->setMinimumHeight(3 * fontMetrics().height());
    LHilfe->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    spalte->addWidget(LHilfe);
    LSchluessel = hinweiszeile(this, "LSchluessel");
    spalte->addWidget(LSchluessel);

    auto *reihe = new QHBoxLayout;
    BZurueck = knopf(this, reihe, "BZurueck", QStringLiteral("< &Zurück"));
    BWeiter = knopf(this, reihe, "BWeiter", QStringLiteral("&Weiter >"));
    reihe->addSpacing(12);
    BTipp = knopf(this, reihe, "BTipp", QStringLiteral("&Tipp"));
    BLoesung = knopf(this, reihe, "BLoesung", QStringLiteral("&Lösung zeigen"));
    reihe->addStretch(1);
    BSchluesselUebernehmen
        = knopf(this, reihe, "BSchluesselUebernehmen", QStringLiteral("Schlüssel &übernehmen"));
    BEntschluesseln = knopf(this, reihe, "BEntschluesseln", QStringLiteral("&Entschlüsseln"));
    BEntschluesseln->setToolTip(QStringLiteral(
        "Entschlüsselt die ganze Chiffre in den Klartext; Rückgängig holt den alten zurück."));
    BSchliessen = knopf(this, reihe, "BSchliessen", QStringLiteral("&Schließen"));
    spalte->addLayout(reihe);

    connect(BZurueck, &QPushButton::clicked, this, &TKnackenForm::BZurueckClick);
    connect(BWeiter, &QPushButton::clicked, this, &TKnackenForm::BWeiterClick);
    connect(BTipp, &QPushButton::clicked, this, &TKnackenForm::BTippClick);
    connect(BLoesung, &QPushButton::clicked, this, &TKnackenForm::BLoesungClick);
    connect(BSchluesselUebernehmen, &QPushButton::clicked, this,
        &TKnackenForm::BSchluesselUebernehmenClick);
    connect(BEntschluesseln, &QPushButton::clicked, this, &TKnackenForm::BEntschluesselnClick);
    connect(BSchliessen, &QPushButton::clicked, this, &TKnackenForm::BSchliessenClick);
}

// A control inside a page takes Ctrl+Tab to the tab widget, but one of the
// buttons below keeps it, so the window itself turns the pages. The pages
// came into the focus chain after the buttons; the buttons go to its end.
void TKnackenForm::richteTastaturEin()
{
    const auto taste = [this](QKeySequence sequenz, int richtung) {
        auto *kurz = new QShortcut(sequenz, this);
        connect(kurz, &QShortcut::activated, this, [this, richtung] { blaettere(richtung); });
    };
    taste(QKeySequence(Qt::CTRL | Qt::Key_Tab), 1);
    taste(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1);
    taste(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1);
    // Qt orders only behind a control that takes the focus.
    QWidget *vorher = previousInFocusChain();
    while (vorher->focusPolicy() == Qt::NoFocus)
        vorher = vorher->previousInFocusChain();
    for (QWidget *k : std::initializer_list<QWidget *> { BZurueck, BWeiter, BTipp, BLoesung,
             BSchluesselUebernehmen, BEntschluesseln, BSchliessen }) {
        setTabOrder(vorher, k);
        vorher = k;
    }
}

void TKnackenForm::blaettere(int richtung)
{
    const int n = Seiten->count();
    Seiten->setCurrentIndex((Seiten->currentIndex() + richtung + n) % n);
    Seiten->tabBar()->setFocus(Qt::TabFocusReason);
}

void TKnackenForm::zeigeHinweis(const QString &hinweis)
{
    LHinweis->setText(hinweis);
    LHinweis->show();
}

Knackseite &TKnackenForm::seite() const
{
    return *static_cast<Knackseite *>(Seiten->currentWidget());
}

void TKnackenForm::zeigeStand()
{
    const Knackseite &s = seite();
    BZurueck->setEnabled(s.Schritt() > 0);
    BWeiter->setEnabled(s.Schritt() + 1 < s.Schritte());
    BEntschluesseln->setEnabled(s.Schritt() + 1 == s.Schritte());
    LSchluessel->setText(QStringLiteral("Gewählt: ") + s.Schluessel());
}

void TKnackenForm::BZurueckClick() { geheZu(seite().Schritt() - 1); }

void TKnackenForm::BWeiterClick() { geheZu(seite().Schritt() + 1); }

void TKnackenForm::geheZu(int schritt)
{
    LHilfe->clear();
    seite().setSchritt(schritt);
    seite().fokussiereSchritt();
}

void TKnackenForm::FormShow() { seite().fokussiereSchritt(); }

// The designed size where the screen has room for it, else the screen's.
void TKnackenForm::passeAn(int hoehe)
{
    const QMargins rahmen = windowHandle()->frameMargins();
    const int breite = screen()->availableGeometry().width() - rahmen.left() - rahmen.right();
    resize(std::min(kBreite, breite), std::min(kHoehe, hoehe));
}

void TKnackenForm::BTippClick() { LHilfe->setText(QStringLiteral("Tipp: ") + seite().zeigeTipp()); }

void TKnackenForm::BLoesungClick()
{
    LHilfe->setText(QStringLiteral("Lösung: ") + seite().zeigeLoesung());
}

// A key with gaps is not taken over: the method window would fill them with
// letters the pupil never chose.
void TKnackenForm::BSchluesselUebernehmenClick()
{
    if (const QString fehlend = seite().Fehlend(); !fehlend.isEmpty()) {
        LHilfe->setText(fehlend);
        return;
    }
    seite().uebernimmSchluessel(methode);
    LHilfe->setText(seite().Schluessel() + QStringLiteral(" ist ins Optionsfenster übernommen."));
}

// The whole pane as it is now; for an empty one, the text the steps worked on
// (the sample sentence where the pane was empty from the start).
void TKnackenForm::BEntschluesselnClick()
{
    const verschl::Text ganz = haupt.chiffre();
    ziel.schreibeKlartext(seite().entschluessele(ganz.empty() ? seite().Geheim() : ganz));
    LHilfe->setText(QStringLiteral("Die Chiffre ist in den Klartext entschlüsselt. "
                                   "„Rückgängig“ im Klartext holt den alten Text zurück."));
}

void TKnackenForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        Demofenster::keyPressEvent(event);
}
