// SPDX-License-Identifier: GPL-3.0-or-later
#include "caesarseite.h"

#include "bausteine/alphabetstreifen.h"
#include "bausteine/buchstabendiagramm.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/methodenfenster.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kBuchstaben = 26;
// Enough of the first line to tell German from nonsense at a glance.
constexpr std::size_t kZeilenlaenge = 70;

QChar buchstabe(int index) { return QChar(u'A' + index); }

QString zuordnung(int n) { return QStringLiteral("%1 (A → %2)").arg(n).arg(buchstabe(n)); }

QLabel *erklaerung(QWidget *eltern, const char *name, const QString &text = {})
{
    auto *l = benannt(new QLabel(text, eltern), name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

} // namespace

Caesarseite::Caesarseite(verschl::Text geheim, QWidget *eltern)
    : Knackseite(std::move(geheim), eltern)
    , haeufigkeiten(analyse::Zaehle(Geheim()))
{
    neuerSchritt(QStringLiteral("Zählen"),
        QStringLiteral("Im Deutschen ist E der häufigste Buchstabe, mit weitem Abstand vor N, I, "
                       "S und R. Welcher Balken der Chiffre ist am höchsten? Sein Buchstabe "
                       "steht wahrscheinlich für E."),
        erzeugeZaehlen());
    neuerSchritt(QStringLiteral("Verschieben"),
        QStringLiteral("Schiebe die untere Reihe, bis die Balken der Chiffre über denen des "
                       "Deutschen liegen – der höchste über dem E. Darunter steht sofort, was "
                       "die Verschiebung aus der Chiffre macht."),
        erzeugeVerschieben());
    neuerSchritt(QStringLiteral("Alle durchprobieren"),
        QStringLiteral("Caesar kennt nur 25 Verschiebungen. Lies die Zeilen: Nur eine ist "
                       "deutscher Text. Wähle sie aus."),
        erzeugeDurchprobieren());
    zeigeVerschiebung();
}

QWidget *Caesarseite::erzeugeZaehlen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    DZaehlen = benannt(new Buchstabendiagramm(inhalt), "DZaehlen");
    DZaehlen->setHaeufigkeiten(haeufigkeiten);
    const int h = DZaehlen->HaeufigsterBuchstabe();
    LZaehlen = erklaerung(inhalt, "LZaehlen",
        h < 0 ? QStringLiteral("Die Chiffre enthält keine Buchstaben A–Z.")
              : QStringLiteral("Die Chiffre hat %1 Buchstaben. Am häufigsten ist %2: %3-mal.")
                    .arg(QLocale().toString(qulonglong(haeufigkeiten.summe)))
                    .arg(buchstabe(h))
                    .arg(haeufigkeiten.buchstaben[std::size_t(h)]));
    spalte->addWidget(DZaehlen, 1);
    spalte->addWidget(LZaehlen);
    return inhalt;
}

QWidget *Caesarseite::erzeugeVerschieben()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    Streifen = benannt(new Alphabetstreifen(inhalt), "Streifen");
    DVerschieben = benannt(new Buchstabendiagramm(inhalt), "DVerschieben");
    DVerschieben->setHaeufigkeiten(haeufigkeiten);
    DVerschieben->setVerschiebbar(true);
    auto *beschriftung = new QLabel(QStringLiteral("Die Chiffre damit &entschlüsselt:"), inhalt);
    MVorschau = benannt(new QPlainTextEdit(inhalt), "MVorschau");
    MVorschau->setReadOnly(true);
    MVorschau->setFont(schriften::Paneschrift());
    MVorschau->setAccessibleName(QStringLiteral("Entschlüsselung"));
    beschriftung->setBuddy(MVorschau);
    spalte->addWidget(Streifen);
    spalte->addWidget(DVerschieben, 3);
    spalte->addWidget(beschriftung);
    spalte->addWidget(MVorschau, 2);
    connect(
        Streifen, &Alphabetstreifen::verschiebungGeaendert, this, &Caesarseite::setVerschiebung);
    connect(DVerschieben, &Buchstabendiagramm::verschiebungGewaehlt, this,
        &Caesarseite::setVerschiebung);
    return inhalt;
}

// Built once: the 25 decryptions do not change while the window is open.
QWidget *Caesarseite::erzeugeDurchprobieren()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    auto *beschriftung = new QLabel(
        QStringLiteral("Die erste Zeile mit jeder &Verschiebung entschlüsselt:"), inhalt);
    LWVersuche = benannt(new QListWidget(inhalt), "LWVersuche");
    LWVersuche->setFont(schriften::Paneschrift());
    LWVersuche->setAccessibleName(QStringLiteral("Alle Verschiebungen"));
    beschriftung->setBuddy(LWVersuche);
    const verschl::Text zeile = knacken::ErsteZeile(geheim, kZeilenlaenge);
    for (int n = 1; n < kBuchstaben; ++n) {
        LWVersuche->addItem(QStringLiteral("%1: %2").arg(
            zuordnung(n), knacken::Zeile(verschl::CaesarVerschieben(zeile, kBuchstaben - n))));
    }
    spalte->addWidget(beschriftung);
    spalte->addWidget(LWVersuche, 1);
    connect(LWVersuche, &QListWidget::currentRowChanged, this, [this](int zeile) {
        if (zeile >= 0)
            setVerschiebung(zeile + 1);
    });
    return inhalt;
}

void Caesarseite::setVerschiebung(int neu)
{
    neu = ((neu % kBuchstaben) + kBuchstaben) % kBuchstaben;
    if (neu == verschiebung)
        return;
    verschiebung = neu;
    zeigeVerschiebung();
    Q_EMIT schluesselGeaendert();
}

// Every control of the three steps follows the one shift.
void Caesarseite::zeigeVerschiebung()
{
    {
        const QSignalBlocker still(Streifen);
        Streifen->setVerschiebung(verschiebung);
    }
    DVerschieben->setVerschiebung(verschiebung);
    {
        const QSignalBlocker still(LWVersuche);
        LWVersuche->setCurrentRow(verschiebung - 1);
    }
    MVorschau->setPlainText(codepage::AlsPanetext(entschluessele(geheim)));
}

QString Caesarseite::zeigeLoesung()
{
    const int h = DZaehlen->HaeufigsterBuchstabe();
    if (Schritt() == 0 && h >= 0) {
        return QStringLiteral("Am häufigsten ist %1. Steht %1 für E, ist die Verschiebung %2.")
            .arg(buchstabe(h))
            .arg(zuordnung((h - 4 + kBuchstaben) % kBuchstaben));
    }
    if (haeufigkeiten.summe < analyse::kMindestBuchstaben)
        return knacken::ZuWenig(geheim, analyse::kMindestBuchstaben);
    const analyse::CaesarErgebnis c = analyse::AnalysiereCaesar(geheim, haeufigkeiten);
    setVerschiebung(c.verschiebung);
    return QStringLiteral("Die Analyse findet die Verschiebung %1 (Sicherheit: %2).")
        .arg(zuordnung(c.verschiebung), QString::fromUtf8(analyse::SicherheitText(c.sicherheit)));
}

QString Caesarseite::Schluessel() const
{
    return QStringLiteral("Verschiebung %1").arg(zuordnung(verschiebung));
}

void Caesarseite::uebernimmSchluessel(Analyseuebernahme &methode) const
{
    methode.uebernimmCaesar(verschiebung);
}

verschl::Text Caesarseite::entschluessele(const verschl::Text &ganz) const
{
    return verschl::CaesarVerschieben(ganz, (kBuchstaben - verschiebung) % kBuchstaben);
}
