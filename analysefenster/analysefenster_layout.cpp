// SPDX-License-Identifier: GPL-3.0-or-later
// Construction of the analysis window: the status row, one tab per method,
// accessible names, buddies and the tab order.

#include "analysefenster/analysefenster.h"
#include "analysefenster/schluesselzeilen.h"
#include "bausteine/saeulendiagramm.h"
#include "platform/benannt.h"
#include "platform/schriften.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Screen readers read the caption without its accelerator mark.
template <typename T> T *zugaenglich(T *steuer, const QString &name)
{
    steuer->setAccessibleName(name);
    return steuer;
}

QPushButton *knopf(QWidget *eltern, const char *name, const QString &text)
{
    auto *k = benannt(new QPushButton(text, eltern), name);
    return zugaenglich(k, QString(text).remove(QLatin1Char('&')));
}

// A list of results with the label that names it (its buddy, for Alt+letter).
QTreeWidget *liste(
    QVBoxLayout *spalte, const char *name, const QString &titel, const QStringList &kopf)
{
    auto *beschriftung = new QLabel(titel);
    auto *l = benannt(new QTreeWidget, name);
    zugaenglich(l, QString(titel).remove(QLatin1Char('&')).chopped(1));
    l->setHeaderLabels(kopf);
    l->setRootIsDecorated(false);
    l->setUniformRowHeights(true);
    l->setAllColumnsShowFocus(true);
    l->header()->setStretchLastSection(true);
    beschriftung->setBuddy(l);
    spalte->addWidget(beschriftung);
    spalte->addWidget(l, 1);
    return l;
}

// A result line: wraps, and can be selected and copied, but takes no tab stop.
QLabel *ergebniszeile(QWidget *eltern, const char *name)
{
    auto *l = benannt(new QLabel(eltern), name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// The names and captions of a method's result page.
struct Seitenplan
{
    const char *zeile, *liste;
    QString titel;
    QStringList kopf;
    const char *knopf;
    QString knopftext;
};

// A method's result page: its finding, the candidates, the take-over button,
// each stored where the window keeps it.
QWidget *ergebnisseite(
    const Seitenplan &plan, QLabel *&befund, QTreeWidget *&kandidaten, QPushButton *&uebernehmen)
{
    auto *seite = new QWidget;
    auto *spalte = new QVBoxLayout(seite);
    befund = ergebniszeile(seite, plan.zeile);
    spalte->addWidget(befund);
    kandidaten = liste(spalte, plan.liste, plan.titel, plan.kopf);
    uebernehmen = knopf(seite, plan.knopf, plan.knopftext);
    spalte->addWidget(uebernehmen, 0, Qt::AlignRight);
    return seite;
}

// One row of the alphabets: a place per letter, in a fixed-pitch font and
// as wide as the other row, so that each cipher letter stands under its
// plain letter; room for one more, so that the field never scrolls.
QLineEdit *alphabetzeile(QWidget *seite, const char *name, const QString &zugaenglicherName)
{
    auto *zeile = zugaenglich(benannt(new QLineEdit(seite), name), zugaenglicherName);
    zeile->setFont(schriften::Paneschrift());
    zeile->setFixedWidth(QFontMetrics(zeile->font()).horizontalAdvance(QString(27, u'M'))
        + 2 * zeile->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8);
    return zeile;
}

} // namespace

void TAnalyseForm::erzeugeSteuerelemente()
{
    auto *spalte = new QVBoxLayout(this);
    auto *kopfzeile = new QHBoxLayout;
    LStatus = ergebniszeile(this, "LStatus");
    Fortschritt = benannt(new QProgressBar(this), "Fortschritt");
    Fortschritt->setRange(0, 0); // busy, with no measure of how far
    Fortschritt->setTextVisible(false);
    Fortschritt->setMaximumWidth(160);
    Fortschritt->setAccessibleName(QStringLiteral("Analyse läuft"));
    BNeuAnalysieren = knopf(this, "BNeuAnalysieren", QStringLiteral("&Neu analysieren"));
    kopfzeile->addWidget(LStatus, 1);
    kopfzeile->addWidget(Fortschritt);
    kopfzeile->addWidget(BNeuAnalysieren);
    spalte->addLayout(kopfzeile);

    Seiten = zugaenglich(benannt(new QTabWidget(this), "Seiten"), QStringLiteral("Ergebnisse"));
    Seiten->addTab(erzeugeHaeufigkeitsseite(), QStringLiteral("&Häufigkeiten"));
    Seiten->addTab(erzeugeCaesarseite(), QStringLiteral("&Caesar"));
    Seiten->addTab(erzeugeVigenereseite(), QStringLiteral("&Vigenère"));
    Seiten->addTab(erzeugeMatrixseite(), QStringLiteral("&Matrix"));
    Seiten->addTab(erzeugeSubstitutionsseite(), QStringLiteral("S&ubstitution"));
    Seiten->tabBar()->setAccessibleName(QStringLiteral("Ergebnisseiten"));
    spalte->addWidget(Seiten, 1);

    auto *fusszeile = new QHBoxLayout;
    BSchliessen = knopf(this, "BSchliessen", QStringLiteral("Schließen"));
    fusszeile->addStretch(1);
    fusszeile->addWidget(BSchliessen);
    spalte->addLayout(fusszeile);
    setzeTabulatorfolge();
}

QWidget *TAnalyseForm::erzeugeHaeufigkeitsseite()
{
    auto *seite = new QWidget;
    auto *spalte = new QVBoxLayout(seite);
    DHaeufigkeiten = benannt(new Saeulendiagramm(seite), "DHaeufigkeiten");
    DHaeufigkeiten->setAccessibleName(QStringLiteral("Buchstabenhäufigkeiten"));
    spalte->addWidget(DHaeufigkeiten, 1);
    auto *zeile = new QHBoxLayout;
    auto *beschriftung = new QLabel(QStringLiteral("Deutsche Säulen &verschieben:"), seite);
    TBVerschiebung = benannt(new QSlider(Qt::Horizontal, seite), "TBVerschiebung");
    TBVerschiebung->setRange(0, 25);
    TBVerschiebung->setPageStep(1);
    TBVerschiebung->setTickPosition(QSlider::TicksBelow);
    TBVerschiebung->setAccessibleName(QStringLiteral("Deutsche Säulen verschieben"));
    beschriftung->setBuddy(TBVerschiebung);
    LVerschiebung = benannt(new QLabel(seite), "LVerschiebung");
    LVerschiebung->setMinimumWidth(fontMetrics().horizontalAdvance(u"Verschiebung 25: A → Z"_s));
    zeile->addWidget(beschriftung);
    zeile->addWidget(TBVerschiebung, 1);
    zeile->addWidget(LVerschiebung);
    spalte->addLayout(zeile);
    return seite;
}

// Beside the take-over button.
void TAnalyseForm::knackknopf(QWidget *seite, const char *name, Fensterart art)
{
    auto *k = knopf(seite, name, QStringLiteral("Schritt für Schritt &knacken..."));
    auto *spalte = static_cast<QVBoxLayout *>(seite->layout());
    spalte->insertWidget(spalte->count() - 1, k, 0, Qt::AlignRight);
    connect(k, &QPushButton::clicked, this, [this, art] { Q_EMIT knacken(art); });
}

QWidget *TAnalyseForm::erzeugeCaesarseite()
{
    QWidget *seite = ergebnisseite(
        { "LCaesar", "LVCaesar", QStringLiteral("&Entschlüsselungen, beste zuerst:"),
            { QStringLiteral("Verschiebung"), QStringLiteral("Punkte"), QStringLiteral("χ²"),
                QStringLiteral("Anfang") },
            "BVerschiebungUebernehmen", QStringLiteral("Verschiebung &übernehmen") },
        LCaesar, LVCaesar, BVerschiebungUebernehmen);
    knackknopf(seite, "BCaesarKnacken", Fensterart::KnackenCaesar);
    return seite;
}

QWidget *TAnalyseForm::erzeugeVigenereseite()
{
    QWidget *seite = ergebnisseite(
        { "LVigenere", "LVVigenere", QStringLiteral("&Schlüssel, bester zuerst:"),
            { QStringLiteral("Schlüssel"), QStringLiteral("Punkte"), QStringLiteral("Anfang") },
            "BSchluesselUebernehmen", QStringLiteral("Schlüssel &übernehmen") },
        LVigenere, LVVigenere, BSchluesselUebernehmen);
    DSchluessellaengen = benannt(new Saeulendiagramm(seite), "DSchluessellaengen");
    DSchluessellaengen->setAccessibleName(QStringLiteral("Schlüssellängen"));
    auto *spalte = static_cast<QVBoxLayout *>(seite->layout());
    spalte->insertWidget(0, DSchluessellaengen, 3);
    spalte->setStretchFactor(LVVigenere, 2);
    auto *zeile = new QHBoxLayout;
    auto *beschriftung = new QLabel(QStringLiteral("Schlüssel &bearbeiten:"), seite);
    EdVigenereSchluessel = benannt(new QLineEdit(seite), "EdVigenereSchluessel");
    EdVigenereSchluessel->setAccessibleName(QStringLiteral("Schlüssel bearbeiten"));
    EdVigenereSchluessel->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z]{0,100}")), EdVigenereSchluessel));
    EdVigenereSchluessel->setFont(schriften::Paneschrift());
    beschriftung->setBuddy(EdVigenereSchluessel);
    zeile->addWidget(beschriftung);
    zeile->addWidget(EdVigenereSchluessel, 1);
    MSchluesselzeilen = benannt(new Schluesselzeilen(seite), "MSchluesselzeilen");
    const int knopfzeile = spalte->indexOf(BSchluesselUebernehmen);
    spalte->insertLayout(knopfzeile, zeile);
    spalte->insertWidget(knopfzeile + 1, MSchluesselzeilen, 3);
    knackknopf(seite, "BVigenereKnacken", Fensterart::KnackenVigenere);
    return seite;
}

QWidget *TAnalyseForm::erzeugeMatrixseite()
{
    QWidget *seite = ergebnisseite(
        { "LMatrix", "LVMatrix", QStringLiteral("&Spaltenzahlen, beste zuerst:"),
            { QStringLiteral("Spalten"), QStringLiteral("Punkte"), QStringLiteral("Anfang") },
            "BSpaltenzahlUebernehmen", QStringLiteral("Spaltenzahl &übernehmen") },
        LMatrix, LVMatrix, BSpaltenzahlUebernehmen);
    knackknopf(seite, "BMatrixKnacken", Fensterart::KnackenMatrix);
    return seite;
}

QWidget *TAnalyseForm::erzeugeSubstitutionsseite()
{
    auto *seite = new QWidget;
    auto *spalte = new QVBoxLayout(seite);
    LSubstitution = ergebniszeile(seite, "LSubstitution");
    spalte->addWidget(LSubstitution);
    auto *raster = new QGridLayout;
    EdKlaralphabet = alphabetzeile(seite, "EdKlaralphabet", QStringLiteral("Klaralphabet"));
    EdKlaralphabet->setText(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EdKlaralphabet->setReadOnly(true);
    EdKlaralphabet->setFocusPolicy(Qt::NoFocus);
    EdSubstitutionAlphabet
        = alphabetzeile(seite, "EdSubstitutionAlphabet", QStringLiteral("Geheimalphabet"));
    EdSubstitutionAlphabet->setToolTip(
        QStringLiteral("Unter jedem Buchstaben des Klartexts steht der Geheimbuchstabe, der ihn "
                       "verschlüsselt.\nEin getippter Buchstabe überschreibt den an der "
                       "Schreibmarke; stand er schon woanders,\ntauschen die beiden die Plätze. "
                       "Gelöschte Stellen werden zu „?“."));
    auto *beschriftung = new QLabel(QStringLiteral("&Geheimalphabet:"), seite);
    beschriftung->setBuddy(EdSubstitutionAlphabet);
    raster->addWidget(new QLabel(QStringLiteral("Klaralphabet:"), seite), 0, 0);
    raster->addWidget(EdKlaralphabet, 0, 1);
    raster->addWidget(beschriftung, 1, 0);
    raster->addWidget(EdSubstitutionAlphabet, 1, 1);
    auto *hinweis = new QLabel(
        QStringLiteral("Tippen überschreibt; ein schon vergebener Buchstabe tauscht den Platz."),
        seite);
    hinweis->setWordWrap(true);
    raster->addWidget(hinweis, 1, 2);
    raster->setColumnStretch(2, 1);
    spalte->addLayout(raster);
    MSubstitutionszeilen = benannt(new Schluesselzeilen(seite), "MSubstitutionszeilen");
    MSubstitutionszeilen->setAccessibleName(QStringLiteral("Klartext unter der Chiffre"));
    MSubstitutionszeilen->setToolTip(
        QStringLiteral("Unter jedem Zeichen der Chiffre steht der Klartext. Ein Klick wählt den "
                       "Geheimbuchstaben\nim Geheimalphabet zum Ändern aus."));
    spalte->addWidget(MSubstitutionszeilen, 1);
    BSubstitutionUebernehmen
        = knopf(seite, "BSubstitutionUebernehmen", QStringLiteral("Schlüssel &übernehmen"));
    spalte->addWidget(BSubstitutionUebernehmen, 0, Qt::AlignRight);
    knackknopf(seite, "BSubstitutionKnacken", Fensterart::KnackenSubstitution);
    return seite;
}

// From the tabs into the open page, to its take-over button, then the window's
// own buttons.
void TAnalyseForm::setzeTabulatorfolge()
{
    setTabOrder(Seiten, TBVerschiebung);
    setTabOrder(TBVerschiebung, LVCaesar);
    setTabOrder(LVCaesar, BVerschiebungUebernehmen);
    setTabOrder(BVerschiebungUebernehmen, LVVigenere);
    setTabOrder(LVVigenere, EdVigenereSchluessel);
    setTabOrder(EdVigenereSchluessel, MSchluesselzeilen);
    setTabOrder(MSchluesselzeilen, BSchluesselUebernehmen);
    setTabOrder(BSchluesselUebernehmen, LVMatrix);
    setTabOrder(LVMatrix, BSpaltenzahlUebernehmen);
    setTabOrder(BSpaltenzahlUebernehmen, EdSubstitutionAlphabet);
    setTabOrder(EdSubstitutionAlphabet, MSubstitutionszeilen);
    setTabOrder(MSubstitutionszeilen, BSubstitutionUebernehmen);
    setTabOrder(BSubstitutionUebernehmen, BNeuAnalysieren);
    setTabOrder(BNeuAnalysieren, BSchliessen);
}
