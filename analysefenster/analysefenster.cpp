// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window's behaviour: running the analysis, showing its result,
// and handing the findings to the method window.

#include "analysefenster/analysefenster.h"

#include "analysefenster/schluesselzeilen.h"
#include "bausteine/saeulendiagramm.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/hauptfenster.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <QTreeWidget>

using verschl::Text;

using namespace Qt::StringLiterals;

namespace {

QChar buchstabe(int index) { return QChar(u'A' + index); }

// Line breaks and other control bytes would break the one-line preview.
QString vorschau(Text text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return codepage::AlsZeichenkette(text);
}

QString zahl(double wert, int stellen)
{
    return std::isnan(wert) ? QStringLiteral("–") : QLocale().toString(wert, 'f', stellen);
}

// Every finding ends with how sure it is, so none reads as a fact.
QString sicherheit(analyse::Sicherheit s)
{
    return QStringLiteral(" – Sicherheit: ") + QString::fromUtf8(analyse::SicherheitText(s));
}

QString zuordnung(int verschiebung)
{
    return QStringLiteral("A → %1").arg(buchstabe(verschiebung));
}

QStringList alphabet()
{
    QStringList buchstaben;
    for (int i = 0; i < 26; ++i)
        buchstaben << buchstabe(i);
    return buchstaben;
}

// A row remembers the value it stands for; the found one is bold and current.
// Between the value and the decryption's beginning (last) stand numbers.
void neueZeile(QTreeWidget *liste, int wert, const QStringList &spalten, bool gefunden)
{
    auto *zeile = new QTreeWidgetItem(liste, spalten);
    zeile->setData(0, Qt::UserRole, wert);
    const int anfang = int(spalten.size()) - 1;
    for (int spalte = 1; spalte < anfang; ++spalte)
        zeile->setTextAlignment(spalte, Qt::AlignRight | Qt::AlignVCenter);
    zeile->setFont(anfang, schriften::Paneschrift());
    if (gefunden) {
        QFont fett = liste->font();
        fett.setBold(true);
        for (int spalte = 0; spalte < anfang; ++spalte)
            zeile->setFont(spalte, fett);
        liste->setCurrentItem(zeile);
    }
}

// The value and number columns as wide as their widest (bold) entry; Qt
// would measure only the rows in view.
void passeSpaltenAn(QTreeWidget *liste)
{
    QFont fett = liste->font();
    fett.setBold(true);
    const QFontMetrics metrik(fett);
    for (int spalte = 0; spalte < liste->columnCount() - 1; ++spalte) {
        int breite = liste->header()->sectionSizeHint(spalte);
        for (int i = 0; i < liste->topLevelItemCount(); ++i)
            breite
                = std::max(breite, metrik.horizontalAdvance(liste->topLevelItem(i)->text(spalte)));
        liste->setColumnWidth(spalte, breite + 2 * metrik.averageCharWidth());
    }
}

int gewaehlterWert(const QTreeWidget *liste)
{
    const QTreeWidgetItem *zeile = liste->currentItem();
    return zeile ? zeile->data(0, Qt::UserRole).toInt() : -1;
}

} // namespace

TAnalyseForm::TAnalyseForm(Demohauptfenster &haupt, Analyseuebernahme &methode)
    : haupt(haupt)
    , methode(methode)
{
    setObjectName(QStringLiteral("AnalyseForm"));
    setWindowTitle(QStringLiteral("Geheimtext analysieren"));
    setFont(schriften::Fensterschrift(12));
    erzeugeSteuerelemente();
    resize(800, 600);
    setMinimumSize(560, 420);
    connect(
        &waechter, &QFutureWatcher<auswertung::Auswertung>::finished, this, &TAnalyseForm::fertig);
    connect(BNeuAnalysieren, &QPushButton::clicked, this, &TAnalyseForm::BNeuAnalysierenClick);
    connect(BSchliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(TBVerschiebung, &QSlider::valueChanged, this, &TAnalyseForm::TBVerschiebungChange);
    connect(BVerschiebungUebernehmen, &QPushButton::clicked, this,
        &TAnalyseForm::BVerschiebungUebernehmenClick);
    connect(BSchluesselUebernehmen, &QPushButton::clicked, this,
        &TAnalyseForm::BSchluesselUebernehmenClick);
    connect(BSpaltenzahlUebernehmen, &QPushButton::clicked, this,
        &TAnalyseForm::BSpaltenzahlUebernehmenClick);
    connect(LVVigenere, &QTreeWidget::currentItemChanged, this, &TAnalyseForm::LVVigenereChange);
    connect(EdVigenereSchluessel, &QLineEdit::textChanged, this,
        &TAnalyseForm::EdVigenereSchluesselChange);
    connect(MSchluesselzeilen, &Schluesselzeilen::stelleGewaehlt, this,
        &TAnalyseForm::MSchluesselzeilenClick);
    connect(EdSubstitutionAlphabet, &QLineEdit::textEdited, this,
        &TAnalyseForm::EdSubstitutionAlphabetEdited);
    connect(MSubstitutionszeilen, &Schluesselzeilen::stelleGewaehlt, this,
        &TAnalyseForm::MSubstitutionszeilenClick);
    connect(BSubstitutionUebernehmen, &QPushButton::clicked, this,
        &TAnalyseForm::BSubstitutionUebernehmenClick);
    TBVerschiebungChange();
    BNeuAnalysierenClick();
}

// The worker may still run: it learns to stop, and its result goes nowhere.
TAnalyseForm::~TAnalyseForm() { abbrechen->store(true); }

void TAnalyseForm::BNeuAnalysierenClick()
{
    abbrechen = std::make_shared<std::atomic<bool>>(false);
    auswertung = {};
    setzeErgebnisbereit(false);
    laeuft = true;
    BNeuAnalysieren->setEnabled(false);
    Fortschritt->show();
    LStatus->setText(QStringLiteral("Analysiere die Chiffre …"));
    waechter.setFuture(QtConcurrent::run([geheim = haupt.chiffre(), abbrechen = abbrechen] {
        return auswertung::Werte(geheim, *abbrechen);
    }));
}

void TAnalyseForm::fertig()
{
    laeuft = false;
    Fortschritt->hide();
    BNeuAnalysieren->setEnabled(true);
    auswertung = waechter.result();
    const analyse::Haeufigkeiten &h = auswertung.ergebnis.haeufigkeiten;
    if (auswertung.zuWenig) {
        LStatus->setText(
            QStringLiteral("Zu wenig Buchstaben für eine Analyse (%1 von mindestens %2)")
                .arg(h.summe)
                .arg(analyse::kMindestBuchstaben));
        return;
    }
    LStatus->setText(
        QStringLiteral("%1 Buchstaben, Koinzidenzindex %2 (Deutsch etwa 0,076, Zufall etwa 0,038)")
            .arg(QLocale().toString(qulonglong(h.summe)), zahl(h.koinzidenzindex, 3)));
    TBVerschiebungChange();
    zeigeCaesar();
    zeigeVigenere();
    zeigeMatrix();
    zeigeSubstitution();
    setzeErgebnisbereit(true);
}

void TAnalyseForm::setzeErgebnisbereit(bool bereit)
{
    for (QWidget *teil : std::initializer_list<QWidget *> {
             DHaeufigkeiten, TBVerschiebung, LVCaesar, DSchluessellaengen, LVVigenere, LVMatrix })
        teil->setEnabled(bereit);
    EdVigenereSchluessel->setEnabled(bereit && LVVigenere->currentItem());
    BVerschiebungUebernehmen->setEnabled(bereit && LVCaesar->currentItem());
    BSchluesselUebernehmen->setEnabled(bereit && !EdVigenereSchluessel->text().isEmpty());
    BSpaltenzahlUebernehmen->setEnabled(bereit && LVMatrix->currentItem());
    EdSubstitutionAlphabet->setEnabled(bereit && !substitutionsalphabet.empty());
    BSubstitutionUebernehmen->setEnabled(EdSubstitutionAlphabet->isEnabled());
    if (!bereit) {
        EdVigenereSchluessel->clear();
        substitutionsalphabet.clear();
        EdSubstitutionAlphabet->clear();
        for (QLabel *zeile : { LCaesar, LVigenere, LMatrix, LSubstitution })
            zeile->clear();
        for (Schluesselzeilen *zeilen : { MSchluesselzeilen, MSubstitutionszeilen })
            zeilen->leere();
        for (QTreeWidget *liste : { LVCaesar, LVVigenere, LVMatrix })
            liste->clear();
        for (Saeulendiagramm *diagramm : { DHaeufigkeiten, DSchluessellaengen })
            diagramm->setDaten({}, {}, Saeulendiagramm::Massstab::Gemeinsam);
    }
}

// The German bar of plaintext letter p stands over ciphertext letter p + n,
// where a Caesar shift by n would put it.
void TAnalyseForm::TBVerschiebungChange()
{
    const int n = TBVerschiebung->value();
    LVerschiebung->setText(QStringLiteral("Verschiebung %1: %2").arg(n).arg(zuordnung(n)));
    const analyse::Haeufigkeiten &h = auswertung.ergebnis.haeufigkeiten;
    if (auswertung.zuWenig)
        return;
    std::vector<double> geheim(26), deutsch(26);
    for (std::size_t p = 0; p < 26; ++p) {
        geheim[p] = 100.0 * double(h.buchstaben[p]) / double(h.summe);
        deutsch[(p + std::size_t(n)) % 26] = 100.0 * analyse::DeutscheBuchstaben()[p];
    }
    DHaeufigkeiten->setDaten(alphabet(),
        { { QStringLiteral("Chiffre"), Saeulendiagramm::ersteFarbe(), geheim },
            { QStringLiteral("Deutsch, um %1 verschoben").arg(n), Saeulendiagramm::zweiteFarbe(),
                deutsch } },
        Saeulendiagramm::Massstab::Gemeinsam, QStringLiteral(" %"));
}

void TAnalyseForm::zeigeCaesar()
{
    const analyse::CaesarErgebnis &c = auswertung.ergebnis.caesar;
    LCaesar->setText(QStringLiteral("Beste Verschiebung: %1 (%2)%3")
                         .arg(c.verschiebung)
                         .arg(zuordnung(c.verschiebung), sicherheit(c.sicherheit)));
    std::array<int, 26> folge {};
    std::iota(folge.begin(), folge.end(), 0);
    // The shift was found by its wertung, so the list follows it too; the
    // letter count's chi-squared stands beside it for comparison.
    std::stable_sort(folge.begin(), folge.end(),
        [&c](int a, int b) { return c.wertung[std::size_t(a)] > c.wertung[std::size_t(b)]; });
    for (int n : folge) {
        neueZeile(LVCaesar, n,
            { QStringLiteral("%1 (%2)").arg(n).arg(zuordnung(n)),
                zahl(c.wertung[std::size_t(n)], 2), zahl(c.chiQuadrat[std::size_t(n)], 1),
                vorschau(auswertung.caesarVorschau[std::size_t(n)]) },
            n == c.verschiebung);
    }
    passeSpaltenAn(LVCaesar);
}

// Vigenère and the matrix need more letters than Caesar.
QString TAnalyseForm::zuWenigFuer(const QString &verfahren) const
{
    return QStringLiteral("Zu wenig Buchstaben für %1 (%2 von mindestens %3)")
        .arg(verfahren)
        .arg(auswertung.ergebnis.haeufigkeiten.summe)
        .arg(analyse::kMindestBuchstabenSchluessel);
}

void TAnalyseForm::zeigeVigenere()
{
    const analyse::VigenereErgebnis &v = auswertung.ergebnis.vigenere;
    if (v.schluesselKandidaten.empty()) {
        LVigenere->setText(zuWenigFuer(QStringLiteral("Vigenère")));
        return;
    }
    std::vector<double> koinzidenz(30), kasiski(30);
    for (const analyse::Kandidat &k : v.laengenKoinzidenz) {
        if (k.wert >= 1 && k.wert <= 30)
            koinzidenz[std::size_t(k.wert - 1)] = k.punkte;
    }
    for (const analyse::Kandidat &k : v.laengenKasiski) {
        if (k.wert >= 1 && k.wert <= 30)
            kasiski[std::size_t(k.wert - 1)] = k.punkte;
    }
    QStringList laengen;
    for (int l = 1; l <= 30; ++l)
        laengen << QString::number(l);
    const auto hoechster
        = [](const std::vector<double> &w) { return *std::max_element(w.begin(), w.end()); };
    DSchluessellaengen->setDaten(laengen,
        { { QStringLiteral("Koinzidenzindex der Spalten (höchster %1)")
                  .arg(zahl(hoechster(koinzidenz), 3)),
              Saeulendiagramm::ersteFarbe(), koinzidenz },
            { QStringLiteral("Kasiski: teilt Abstände wiederholter Dreiergruppen, Vielfaches "
                             "des Zufalls (höchstens %1)")
                    .arg(zahl(hoechster(kasiski), 1)),
                Saeulendiagramm::zweiteFarbe(), kasiski } },
        Saeulendiagramm::Massstab::JeReihe);
    DSchluessellaengen->setBezugslinien({ { 0, 0.076, QStringLiteral("Deutsch 0,076") },
        { 0, 0.038, QStringLiteral("Zufall 0,038") } });
    DSchluessellaengen->setMarkiert(int(v.schluessel.size()) - 1);
    LVigenere->setText(v.schluessel.empty()
            ? QStringLiteral("Kein Schlüssel gefunden") + sicherheit(v.sicherheit)
            : QStringLiteral("Schlüssel: %1 (Länge %2, Sonderzeichen ignorieren: %3)%4")
                  .arg(QString::fromLatin1(v.schluessel))
                  .arg(v.schluessel.size())
                  .arg(v.sonderzeichenIgnorieren ? u"ja"_s : u"nein"_s, sicherheit(v.sicherheit)));
    for (std::size_t i = 0; i < auswertung.schluessel.size(); ++i) {
        const auswertung::Schluesselzeile &z = auswertung.schluessel[i];
        neueZeile(LVVigenere, int(i),
            { QString::fromLatin1(z.schluessel), zahl(z.wertung, 2), vorschau(z.vorschau) },
            i == 0);
    }
    passeSpaltenAn(LVVigenere);
}

void TAnalyseForm::LVVigenereChange()
{
    const int i = gewaehlterWert(LVVigenere);
    if (i < 0)
        return;
    const auswertung::Schluesselzeile &z = auswertung.schluessel[std::size_t(i)];
    vigenereIgnorieren = z.sonderzeichenIgnorieren;
    EdVigenereSchluessel->setText(QString::fromLatin1(z.schluessel));
    EdVigenereSchluessel->setEnabled(true);
}

// Every letter typed shows at once what the key makes of the text.
void TAnalyseForm::EdVigenereSchluesselChange()
{
    if (const QString gross = EdVigenereSchluessel->text().toUpper();
        gross != EdVigenereSchluessel->text()) {
        const int stelle = EdVigenereSchluessel->cursorPosition();
        EdVigenereSchluessel->setText(gross); // comes back here
        EdVigenereSchluessel->setCursorPosition(stelle);
        return;
    }
    const std::string schluessel = EdVigenereSchluessel->text().toStdString();
    MSchluesselzeilen->zeige(auswertung.anfang, schluessel, vigenereIgnorieren);
    BSchluesselUebernehmen->setEnabled(!schluessel.empty());
}

// The key letter under the clicked byte, selected: typing mends it.
void TAnalyseForm::MSchluesselzeilenClick(int stelle)
{
    if (!EdVigenereSchluessel->isEnabled())
        return;
    EdVigenereSchluessel->setFocus();
    EdVigenereSchluessel->setSelection(stelle, 1);
}

void TAnalyseForm::zeigeMatrix()
{
    const analyse::MatrixErgebnis &m = auswertung.ergebnis.matrix;
    if (m.kandidaten.empty()) {
        LMatrix->setText(zuWenigFuer(QStringLiteral("die Matrix")));
        return;
    }
    LMatrix->setText(
        QStringLiteral("Beste Spaltenzahl: %1%2%3")
            .arg(m.spalten)
            .arg(m.quadratisch ? u" (quadratisch)"_s : QString(), sicherheit(m.sicherheit)));
    for (std::size_t i = 0; i < auswertung.matrixVorschau.size(); ++i) {
        const analyse::Kandidat &k = m.kandidaten[i];
        neueZeile(LVMatrix, k.wert,
            { QString::number(k.wert), zahl(k.wertung, 2), vorschau(auswertung.matrixVorschau[i]) },
            k.wert == m.spalten);
    }
    passeSpaltenAn(LVMatrix);
}

void TAnalyseForm::zeigeSubstitution()
{
    const analyse::SubstitutionErgebnis &s = auswertung.substitution;
    if (s.geheimalphabet.empty()) {
        LSubstitution->setText(zuWenigFuer(QStringLiteral("die Substitution")));
        return;
    }
    LSubstitution->setText(QStringLiteral("Geheimalphabet: %1 (Punkte %2)%3")
                               .arg(QString::fromLatin1(s.geheimalphabet), zahl(s.punkte, 2),
                                   sicherheit(s.sicherheit)));
    setzeSubstitutionsalphabet(s.geheimalphabet);
}

void TAnalyseForm::BVerschiebungUebernehmenClick()
{
    if (const int n = gewaehlterWert(LVCaesar); n >= 0)
        methode.uebernimmCaesar(n);
}

void TAnalyseForm::BSchluesselUebernehmenClick()
{
    if (const QString s = EdVigenereSchluessel->text(); !s.isEmpty())
        methode.uebernimmVigenere(s.toStdString(), vigenereIgnorieren);
}

// The square layout only where it gives this very column count.
void TAnalyseForm::BSpaltenzahlUebernehmenClick()
{
    const analyse::MatrixErgebnis &m = auswertung.ergebnis.matrix;
    if (const int spalten = gewaehlterWert(LVMatrix); spalten >= 1)
        methode.uebernimmMatrix(spalten, m.quadratisch && spalten == m.spalten);
}

void TAnalyseForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}
