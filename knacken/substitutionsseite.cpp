// SPDX-License-Identifier: GPL-3.0-or-later
#include "substitutionsseite.h"

#include "bausteine/buchstabendiagramm.h"
#include "bausteine/zuordnungstafel.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kBuchstaben = 26;
// How many of each kind of group the comparison lists: as many as a pupil
// can still set side by side.
constexpr std::size_t kGezeigt[] = { 8, 6, 5, 4 };
constexpr analyse::Gruppenart kArten[] = { analyse::Gruppenart::Einzeln, analyse::Gruppenart::Paare,
    analyse::Gruppenart::Dreier, analyse::Gruppenart::Doppelte };

QChar geheimbuchstabe(int index) { return QChar(u'A' + index); }

// The plain letters guessed so far shown in lower case and coloured; the
// board's text holds no other lower-case letters A-Z.
class Geratenfarbe : public QSyntaxHighlighter
{
public:
    explicit Geratenfarbe(QTextDocument *dokument)
        : QSyntaxHighlighter(dokument)
    {
        geraten.setForeground(QColor(0, 90, 200));
        geraten.setFontWeight(QFont::Bold);
    }

protected:
    void highlightBlock(const QString &text) override
    {
        for (qsizetype i = 0; i < text.size();) {
            qsizetype ende = i;
            while (ende < text.size() && text[ende] >= u'a' && text[ende] <= u'z')
                ++ende;
            if (ende > i)
                setFormat(int(i), int(ende - i), geraten);
            i = ende + 1;
        }
    }

private:
    QTextCharFormat geraten;
};

} // namespace

Substitutionsseite::Substitutionsseite(verschl::Text geheim, QWidget *eltern)
    : Knackseite(std::move(geheim), eltern)
    , haeufigkeiten(analyse::Zaehle(Geheim()))
{
    const bool leerzeichen = analyse::HatLeerzeichen(Geheim());
    for (std::size_t a = 0; a < std::size(kArten); ++a) {
        deutsch[a] = analyse::DeutscheGruppen(kArten[a], leerzeichen, kGezeigt[a]);
        chiffre[a] = analyse::HaeufigsteGruppen(Geheim(), kArten[a], kGezeigt[a]);
    }
    neuerSchritt(QStringLiteral("Zählen und vergleichen"),
        QStringLiteral("Bei der Substitution steht jeder Buchstabe der Chiffre immer für "
                       "denselben Buchstaben des Klartexts. Vergleiche die Listen: Der "
                       "häufigste Buchstabe der Chiffre steht wahrscheinlich für E, ein häufiges "
                       "Paar für EN oder ER, ein häufiger Dreier für SCH oder EIN."),
        erzeugeZaehlen());
    neuerSchritt(QStringLiteral("Buchstaben zuordnen"),
        QStringLiteral("Trage unter dem häufigsten Buchstaben der Chiffre e ein, dann n, i und "
                       "die anderen der Liste „Deutsch“. Suche im Text kurze Wörter wie „der“, "
                       "„die“, „und“. Rot markiert ist ein Buchstabe, den du zweimal vergeben "
                       "hast."),
        erzeugeZuordnen());
    auto *schluesselraum
        = benannt(new QLabel(QStringLiteral("Caesar: 25 Schlüssel; "
                                            "Substitution: 26! ≈ 4·10²⁶ Alphabete"),
                      this),
            "LSchluesselraum");
    schluesselraum->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout()->addWidget(schluesselraum);
    zeigeZuordnung();
}

QWidget *Substitutionsseite::erzeugeZaehlen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    auto *diagramm = benannt(new Buchstabendiagramm(inhalt), "DZaehlenSubstitution");
    diagramm->setHaeufigkeiten(haeufigkeiten);
    auto *beschriftung = new QLabel(
        QStringLiteral("Die häufigsten &Gruppen im Deutschen und in der Chiffre:"), inhalt);
    TWVergleichZaehlen = erzeugeVergleich(inhalt, "TWVergleichZaehlen");
    beschriftung->setBuddy(TWVergleichZaehlen);
    spalte->addWidget(diagramm, 1);
    spalte->addWidget(beschriftung);
    spalte->addWidget(TWVergleichZaehlen, 0, Qt::AlignLeft);
    return inhalt;
}

QWidget *Substitutionsseite::erzeugeZuordnen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    Tafel = benannt(new Zuordnungstafel(haeufigkeiten.buchstaben, inhalt), "Tafel");
    Tafel->setAccessibleName(QStringLiteral("Zuordnungstafel"));
    auto *text = new QLabel(QStringLiteral("Die Chiffre mit deinen &Buchstaben:"), inhalt);
    MText = benannt(new QPlainTextEdit(inhalt), "MText");
    MText->setReadOnly(true);
    MText->setFont(schriften::Paneschrift());
    MText->setAccessibleName(QStringLiteral("Chiffre mit den zugeordneten Buchstaben"));
    text->setBuddy(MText);
    new Geratenfarbe(MText->document());
    TWVergleich = erzeugeVergleich(inhalt, "TWVergleich");
    auto *unten = new QHBoxLayout;
    unten->addWidget(MText, 1);
    unten->addWidget(TWVergleich, 0, Qt::AlignTop);
    spalte->addWidget(
        new QLabel(QStringLiteral("Unter jeden Buchstaben der Chiffre, nach "
                                  "Häufigkeit geordnet, den vermuteten Klartextbuchstaben:"),
            inhalt));
    spalte->addWidget(Tafel);
    spalte->addWidget(text);
    spalte->addLayout(unten, 1);
    connect(Tafel, &Zuordnungstafel::zuordnungGeaendert, this, [this] {
        zeigeZuordnung();
        Q_EMIT schluesselGeaendert();
    });
    return inhalt;
}

QTableWidget *Substitutionsseite::erzeugeVergleich(QWidget *eltern, const char *name)
{
    auto *tabelle = benannt(new QTableWidget(int(std::size(kArten)), 2, eltern), name);
    tabelle->setHorizontalHeaderLabels({ QStringLiteral("Deutsch"), QStringLiteral("Chiffre") });
    tabelle->setVerticalHeaderLabels({ QStringLiteral("Buchstaben"), QStringLiteral("Paare"),
        QStringLiteral("Dreier"), QStringLiteral("Doppelte") });
    tabelle->setAccessibleName(QStringLiteral("Häufigste Gruppen im Vergleich"));
    tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelle->setFont(schriften::Paneschrift());
    tabelle->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    tabelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tabelle->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int a = 0; a < tabelle->rowCount(); ++a) {
        QString liste;
        QStringList anteile;
        for (const analyse::Gruppe &g : deutsch[std::size_t(a)]) {
            liste += QString::fromLatin1(g.buchstaben) + u' ';
            anteile << QStringLiteral("%1 %2 %").arg(
                QString::fromLatin1(g.buchstaben), QLocale().toString(100 * g.anteil, 'f', 1));
        }
        auto *zelle = new QTableWidgetItem(liste.trimmed());
        zelle->setToolTip(anteile.join(QStringLiteral(", ")));
        tabelle->setItem(a, 0, zelle);
        tabelle->setItem(a, 1, new QTableWidgetItem);
    }
    fuelleVergleich(tabelle);
    tabelle->resizeColumnsToContents();
    return tabelle;
}

// The cipher's groups with the guesses so far written in, so that a pupil
// sees "sCh" line up with German's SCH.
void Substitutionsseite::fuelleVergleich(QTableWidget *tabelle) const
{
    const auto &zuordnung = Tafel ? Tafel->Zuordnungen() : Zuordnungstafel::Zuordnung {};
    for (int a = 0; a < tabelle->rowCount(); ++a) {
        QString liste;
        QStringList anzahlen; // none for a text without such groups
        for (const analyse::Gruppe &g : chiffre[std::size_t(a)]) {
            for (const char c : g.buchstaben) {
                const char k = zuordnung[std::size_t(c - 'A')];
                liste += QLatin1Char(k ? k : c);
            }
            liste += u' ';
            anzahlen
                << QStringLiteral("%1 %2-mal").arg(QString::fromLatin1(g.buchstaben)).arg(g.anzahl);
        }
        QTableWidgetItem *zelle = tabelle->item(a, 1);
        zelle->setText(liste.trimmed());
        zelle->setToolTip(anzahlen.join(QStringLiteral(", ")));
    }
}

void Substitutionsseite::zeigeZuordnung()
{
    const auto &zuordnung = Tafel->Zuordnungen();
    // Umlauts in capitals too: lower case is for guesses alone.
    verschl::Text gezeigt = verschl::InGrossschrift(geheim);
    for (char &c : gezeigt) {
        const auto g = static_cast<unsigned char>(c - 'A');
        if (g < kBuchstaben && zuordnung[g])
            c = zuordnung[g];
    }
    QScrollBar *leiste = MText->verticalScrollBar();
    const int oben = leiste->value();
    MText->setPlainText(codepage::AlsPanetext(gezeigt));
    leiste->setValue(oben);
    fuelleVergleich(TWVergleichZaehlen);
    fuelleVergleich(TWVergleich);
}

int Substitutionsseite::haeufigster() const
{
    const auto &b = haeufigkeiten.buchstaben;
    return haeufigkeiten.summe == 0 ? -1 : int(std::max_element(b.begin(), b.end()) - b.begin());
}

QString Substitutionsseite::zeigeTipp()
{
    const int h = haeufigster();
    if (h < 0)
        return Tipp();
    Zuordnungstafel::Zuordnung zuordnung = Tafel->Zuordnungen();
    zuordnung[std::size_t(h)] = 'e';
    Tafel->setZuordnungen(zuordnung);
    return Tipp() + QStringLiteral(" Eingetragen: %1 → e.").arg(geheimbuchstabe(h));
}

QString Substitutionsseite::zeigeLoesung()
{
    const int h = haeufigster();
    if (Schritt() == 0 && h >= 0) {
        return QStringLiteral("Am häufigsten ist %1 (%2-mal): Es steht wahrscheinlich für E.")
            .arg(geheimbuchstabe(h))
            .arg(haeufigkeiten.buchstaben[std::size_t(h)]);
    }
    if (haeufigkeiten.summe < analyse::kMindestBuchstaben)
        return knacken::ZuWenig(geheim, analyse::kMindestBuchstaben);
    const analyse::SubstitutionErgebnis s = analyse::AnalysiereSubstitution(geheim);
    Zuordnungstafel::Zuordnung zuordnung {};
    for (int p = 0; p < kBuchstaben; ++p) {
        const char c = s.geheimalphabet[std::size_t(p)];
        if (c >= 'A' && c <= 'Z')
            zuordnung[std::size_t(c - 'A')] = static_cast<char>('a' + p);
    }
    Tafel->setZuordnungen(zuordnung);
    return QStringLiteral("Die Analyse findet das Geheimalphabet %1 (Sicherheit: %2).")
        .arg(QString::fromLatin1(s.geheimalphabet),
            QString::fromUtf8(analyse::SicherheitText(s.sicherheit)));
}

verschl::Text Substitutionsseite::Alphabet() const
{
    verschl::Text alphabet(kBuchstaben, '?');
    const auto &zuordnung = Tafel->Zuordnungen();
    for (int g = 0; g < kBuchstaben; ++g) {
        const char k = zuordnung[std::size_t(g)];
        if (k && alphabet[std::size_t(k - 'a')] == '?')
            alphabet[std::size_t(k - 'a')] = static_cast<char>('A' + g);
    }
    return alphabet;
}

QString Substitutionsseite::Schluessel() const
{
    const auto &zuordnung = Tafel->Zuordnungen();
    const auto vorhanden = std::count_if(haeufigkeiten.buchstaben.begin(),
        haeufigkeiten.buchstaben.end(), [](std::uint64_t n) { return n > 0; });
    const auto zugeordnet
        = std::count_if(zuordnung.begin(), zuordnung.end(), [](char k) { return k != 0; });
    return QStringLiteral("Geheimalphabet %1 (%2 von %3 Buchstaben zugeordnet)")
        .arg(QString::fromLatin1(Alphabet()))
        .arg(zugeordnet)
        .arg(vorhanden);
}

QString Substitutionsseite::Fehlend() const
{
    QStringList offen;
    bool doppelt = false;
    for (int g = 0; g < kBuchstaben; ++g) {
        if (haeufigkeiten.buchstaben[std::size_t(g)] > 0 && !Tafel->Zuordnungen()[std::size_t(g)])
            offen << QString(QLatin1Char(char('A' + g)));
        doppelt = doppelt || Tafel->Doppelt(g);
    }
    if (!offen.isEmpty()) {
        return QStringLiteral("Nichts übernommen: Unter %1 steht noch kein Buchstabe. Ordne in "
                              "Schritt 2 jedem Buchstaben der Chiffre einen zu.")
            .arg(offen.join(QStringLiteral(", ")));
    }
    if (doppelt) {
        return QStringLiteral("Nichts übernommen: Ein Buchstabe steht unter zwei Buchstaben der "
                              "Chiffre (rot markiert).");
    }
    return {};
}

void Substitutionsseite::uebernimmSchluessel(Analyseuebernahme &methode) const
{
    methode.uebernimmSubstitution(Alphabet());
}

// Letters left open take the unused ones, as the method window fills them.
verschl::Text Substitutionsseite::entschluessele(const verschl::Text &ganz) const
{
    return verschl::SubstitutionEntschluesseln(ganz, verschl::ErgaenzeAlphabet(Alphabet()))
        .value_or(ganz);
}
