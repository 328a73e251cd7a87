// SPDX-License-Identifier: GPL-3.0-or-later
// The Vigenère page's first two steps, which find the key length: the
// repeated letter groups and the divisors of their distances (Kasiski), and
// the columns' index of coincidence for each length.

#include "bausteine/saeulendiagramm.h"
#include "vigenereseite.h"
#include "vigenereteile.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <QTableWidget>
#include <QTextEdit>

using namespace vigenere;

namespace {

constexpr int kKleinsterTeiler = 2;

// Light enough to read black letters on, apart enough to tell groups apart.
const QColor kMarken[] = { { 0xff, 0xd6, 0x6b }, { 0x9f, 0xdf, 0xff }, { 0xb8, 0xf0, 0xa8 },
    { 0xff, 0xb3, 0xc6 }, { 0xd4, 0xc2, 0xff }, { 0xff, 0xc9, 0x99 } };

} // namespace

// Marks the repeated groups in the text, each byte on the background of its
// group's colour: as formats of the text's layout, which Qt draws with the
// letters, where hundreds of selections painted over the text took longer
// than a step may.
class Gruppenfarben : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

    // One colour index per character of the text, -1 for none.
    void setFarben(std::vector<int> neu)
    {
        farben = std::move(neu);
        rehighlight();
    }

protected:
    void highlightBlock(const QString &text) override
    {
        const int anfang = currentBlock().position();
        for (int i = 0; i < text.size();) {
            const int f = farbe(anfang + i);
            int j = i + 1;
            while (j < text.size() && farbe(anfang + j) == f)
                ++j;
            if (f >= 0) {
                QTextCharFormat format;
                format.setBackground(kMarken[f]);
                setFormat(i, j - i, format);
            }
            i = j;
        }
    }

private:
    int farbe(int stelle) const
    {
        return std::size_t(stelle) < farben.size() ? farben[std::size_t(stelle)] : -1;
    }

    std::vector<int> farben;
};

QWidget *Vigenereseite::erzeugeWiederholungen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    RBIgnorieren = benannt(new QRadioButton(zaehlweise(true), inhalt), "RBIgnorieren");
    RBMitzaehlen = benannt(new QRadioButton(zaehlweise(false), inhalt), "RBMitzaehlen");
    RBIgnorieren->setAccessibleName(zaehlweise(true));
    RBMitzaehlen->setAccessibleName(zaehlweise(false));
    RBIgnorieren->setChecked(true);
    auto *gruppe = new QButtonGroup(inhalt);
    gruppe->addButton(RBIgnorieren);
    gruppe->addButton(RBMitzaehlen);
    auto *wahl = new QHBoxLayout;
    wahl->addWidget(RBIgnorieren);
    wahl->addWidget(
        erklaerung(inhalt, QStringLiteral("Nur Buchstaben verbrauchen einen Schlüsselbuchstaben.")),
        1);
    wahl->addWidget(RBMitzaehlen);
    wahl->addWidget(erklaerung(inhalt,
                        QStringLiteral("Jedes Zeichen verbraucht einen, auch Leer- und "
                                       "Satzzeichen, die selbst unverändert bleiben.")),
        1);
    MWiederholungen = textfeld<QTextEdit>(inhalt, "MWiederholungen", QStringLiteral("Chiffre"));
    MWiederholungen->setPlainText(knacken::Zeile(geheim));
    gruppenfarben = new Gruppenfarben(MWiederholungen->document());
    DTeiler = benannt(new Saeulendiagramm(inhalt), "DTeiler");
    DTeiler->setAccessibleName(QStringLiteral("Teiler der Abstände"));
    TWWiederholungen = benannt(new QTableWidget(inhalt), "TWWiederholungen");
    TWWiederholungen->setAccessibleName(QStringLiteral("Wiederholungen"));
    TWWiederholungen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table; the arrow keys walk its cells.
    TWWiederholungen->setTabKeyNavigation(false);
    TWWiederholungen->verticalHeader()->hide();
    QStringList kopf { QStringLiteral("Gruppe"), QStringLiteral("Stellen"),
        QStringLiteral("Abstand") };
    for (int t = kKleinsterTeiler; t <= kLaengste; ++t)
        kopf << QString::number(t);
    TWWiederholungen->setColumnCount(int(kopf.size()));
    TWWiederholungen->setHorizontalHeaderLabels(kopf);
    // Widths fixed once: measuring hundreds of rows anew took longer than a
    // step may.
    const QFontMetrics masse = TWWiederholungen->fontMetrics();
    const int zelle = masse.horizontalAdvance(QStringLiteral("200")) + 8;
    TWWiederholungen->horizontalHeader()->setMinimumSectionSize(zelle);
    TWWiederholungen->horizontalHeader()->setDefaultSectionSize(zelle);
    TWWiederholungen->verticalHeader()->setDefaultSectionSize(masse.height() + 4);
    TWWiederholungen->setColumnWidth(0, masse.horizontalAdvance(QStringLiteral("MMMMMMMMM")));
    TWWiederholungen->setColumnWidth(1, masse.horizontalAdvance(QStringLiteral("0000, 00000")));
    TWWiederholungen->setColumnWidth(2, masse.horizontalAdvance(QStringLiteral("Abstand")) + 12);
    auto *oben = new QHBoxLayout;
    oben->addWidget(MWiederholungen, 1);
    oben->addWidget(DTeiler, 1);
    spalte->addLayout(wahl);
    spalte->addLayout(oben, 1);
    spalte->addWidget(TWWiederholungen, 1);
    connect(RBIgnorieren, &QRadioButton::toggled, this, &Vigenereseite::setIgnorieren);
    return inhalt;
}

QWidget *Vigenereseite::erzeugeLaengen()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    DLaengen = benannt(new Saeulendiagramm(inhalt), "DLaengen");
    DLaengen->setAccessibleName(QStringLiteral("Koinzidenzindex je Schlüssellänge"));
    DLaengen->setBezugslinien({ { 0, 0.076, QStringLiteral("Deutsch 0,076") },
        { 0, 0.038, QStringLiteral("Zufall 0,038") } });
    SpEdLaenge = zahlfeld(inhalt, "SpEdLaenge", QStringLiteral("Schlüssellänge"));
    SpEdLaenge->setRange(1, kLaengste);
    LLaenge = benannt(new QLabel(inhalt), "LLaenge");
    auto *zeile = feldzeile(inhalt, QStringLiteral("Schlüssel&länge:"), SpEdLaenge);
    zeile->addSpacing(12);
    zeile->addWidget(LLaenge, 1);
    spalte->addWidget(DLaengen, 1);
    spalte->addLayout(zeile);
    connect(SpEdLaenge, &QSpinBox::valueChanged, this, &Vigenereseite::setLaenge);
    return inhalt;
}

void Vigenereseite::setIgnorieren(bool neu)
{
    if (neu == ignorieren)
        return;
    ignorieren = neu;
    {
        const QSignalBlocker still(RBIgnorieren);
        RBIgnorieren->setChecked(neu);
        RBMitzaehlen->setChecked(!neu);
    }
    // The columns hold other letters now: their shifts start afresh.
    std::fill(verschiebungen.begin(), verschiebungen.end(), -1);
    zeigeWiederholungen();
    zeigeLaengen();
    Q_EMIT schluesselGeaendert();
}

// A table row for each two neighbouring occurrences of a group; each group
// marked in the text in a colour of its own.
void Vigenereseite::zeigeWiederholungen()
{
    const std::vector<analyse::Wiederholung> w = analyse::Wiederholungen(geheim, ignorieren);
    std::vector<int> farbe(geheim.size(), -1);
    std::vector<std::uint64_t> teilt(kLaengste + 1, 0);
    std::size_t paare = 0;
    for (const analyse::Wiederholung &g : w)
        paare += g.vorkommen.size() - 1;
    TWWiederholungen->clearContents();
    TWWiederholungen->setRowCount(int(paare));
    int zeile = 0;
    for (std::size_t g = 0; g < w.size(); ++g) {
        for (const auto &v : w[g].vorkommen)
            std::fill(farbe.begin() + qsizetype(v.von), farbe.begin() + qsizetype(v.bis),
                int(g % std::size(kMarken)));
        for (std::size_t k = 1; k < w[g].vorkommen.size(); ++k) {
            const std::size_t von = w[g].vorkommen[k - 1].stelle, bis = w[g].vorkommen[k].stelle;
            const std::size_t abstand = bis - von;
            const QStringList zellen { QString::fromLatin1(w[g].gruppe),
                QStringLiteral("%1, %2").arg(von + 1).arg(bis + 1), QString::number(abstand) };
            for (int z = 0; z < zellen.size(); ++z)
                TWWiederholungen->setItem(zeile, z, new QTableWidgetItem(zellen[z]));
            for (int t = kKleinsterTeiler; t <= kLaengste; ++t) {
                if (abstand % std::size_t(t) == 0) {
                    ++teilt[std::size_t(t)];
                    auto *haken = new QTableWidgetItem(QStringLiteral("✓"));
                    haken->setTextAlignment(Qt::AlignCenter);
                    TWWiederholungen->setItem(zeile, t - kKleinsterTeiler + 3, haken);
                }
            }
            ++zeile;
        }
    }
    gruppenfarben->setFarben(std::move(farbe));
    QStringList kategorien;
    for (int t = kKleinsterTeiler; t <= kLaengste; ++t)
        kategorien << QString::number(t);
    DTeiler->setDaten(kategorien,
        { { QStringLiteral("So viele Abstände teilt die Zahl"), Saeulendiagramm::ersteFarbe(),
            std::vector<double>(teilt.begin() + kKleinsterTeiler, teilt.end()) } },
        Saeulendiagramm::Massstab::Gemeinsam);
}

void Vigenereseite::zeigeLaengen()
{
    QStringList kategorien;
    koinzidenz.clear();
    for (int l = 1; l <= kLaengste; ++l) {
        kategorien << QString::number(l);
        double summe = 0;
        int gezaehlt = 0;
        for (const analyse::Haeufigkeiten &h : spalten(l))
            if (h.summe >= 2) {
                summe += h.koinzidenzindex;
                ++gezaehlt;
            }
        koinzidenz.push_back(gezaehlt == 0 ? 0 : summe / gezaehlt);
    }
    DLaengen->setDaten(kategorien,
        { { QStringLiteral("Mittlerer Koinzidenzindex der Spalten"), Saeulendiagramm::ersteFarbe(),
            koinzidenz } },
        Saeulendiagramm::Massstab::Gemeinsam);
    zeigeSpalten();
}

void Vigenereseite::setLaenge(int neu)
{
    neu = std::clamp(neu, 1, kLaengste);
    {
        const QSignalBlocker still(SpEdLaenge);
        SpEdLaenge->setValue(neu);
    }
    if (neu == laenge)
        return;
    laenge = neu;
    verschiebungen.resize(std::size_t(laenge), -1);
    zeigeSpalten();
    Q_EMIT schluesselGeaendert();
}
