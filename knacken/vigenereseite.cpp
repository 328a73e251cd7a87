// SPDX-License-Identifier: GPL-3.0-or-later
#include "vigenereseite.h"

#include "bausteine/alphabetstreifen.h"
#include "bausteine/buchstabendiagramm.h"
#include "bausteine/saeulendiagramm.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/methodenfenster.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSyntaxHighlighter>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

constexpr int kBuchstaben = 26;
constexpr int kKleinsterTeiler = 2;
// Halfway between German's index of coincidence (0.076) and chance's
// (0.038): a decryption above it reads as German letters.
constexpr double kDeutschAb = 0.057;
const QChar kOffen = u'·';

// Light enough to read black letters on, apart enough to tell groups apart.
const QColor kMarken[] = { { 0xff, 0xd6, 0x6b }, { 0x9f, 0xdf, 0xff }, { 0xb8, 0xf0, 0xa8 },
    { 0xff, 0xb3, 0xc6 }, { 0xd4, 0xc2, 0xff }, { 0xff, 0xc9, 0x99 } };

QString zahl(double wert, int stellen) { return QLocale().toString(wert, 'f', stellen); }

QLabel *erklaerung(QWidget *eltern, const QString &text)
{
    auto *l = new QLabel(text, eltern);
    l->setWordWrap(true);
    return l;
}

template <typename Feld> Feld *textfeld(QWidget *eltern, const char *name, const QString &zugang)
{
    auto *feld = benannt(new Feld(eltern), name);
    feld->setReadOnly(true);
    feld->setFont(schriften::Paneschrift());
    feld->setAccessibleName(zugang);
    return feld;
}

QSpinBox *zahlfeld(QWidget *eltern, const char *name, const QString &zugang)
{
    auto *feld = benannt(new QSpinBox(eltern), name);
    feld->setAccessibleName(zugang);
    return feld;
}

// One row of a label and its field, the label naming the field.
QHBoxLayout *feldzeile(QWidget *eltern, const QString &text, QWidget *feld)
{
    auto *zeile = new QHBoxLayout;
    auto *beschriftung = new QLabel(text, eltern);
    beschriftung->setBuddy(feld);
    zeile->addWidget(beschriftung);
    zeile->addWidget(feld);
    return zeile;
}

// Text as HTML, each character on the colour `farbe` gives it (-1: none).
QString gefaerbt(const QString &text, const std::vector<int> &farbe)
{
    QString html = QStringLiteral("<pre style=\"white-space: pre-wrap\">");
    int offen = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int f = farbe[std::size_t(i)];
        if (f != offen) {
            if (offen >= 0)
                html += QStringLiteral("</span>");
            if (f >= 0) {
                html += QStringLiteral("<span style=\"background-color: %1\">")
                            .arg(kMarken[f].name());
            }
            offen = f;
        }
        html += QString(text[i]).toHtmlEscaped();
    }
    return html + (offen >= 0 ? QStringLiteral("</span></pre>") : QStringLiteral("</pre>"));
}

bool istBuchstabe(char c)
{
    const unsigned char gross = static_cast<unsigned char>(c) & 0xdf;
    return gross >= 'A' && gross <= 'Z';
}

QString zaehlweise(bool ignorieren)
{
    return ignorieren ? QStringLiteral("Sonderzeichen ignorieren")
                      : QStringLiteral("Sonderzeichen mitzählen");
}

} // namespace

// Colours the letters of rows of cells, each cell a character and a blank,
// by their column: laid out a screenful at a time, where a whole text as
// HTML took longer than a step may.
class Spaltenfarben : public QSyntaxHighlighter
{
public:
    using QSyntaxHighlighter::QSyntaxHighlighter;

    void setSpalten(int spalten)
    {
        formate.clear();
        for (int k = 0; k < spalten; ++k) {
            QTextCharFormat f;
            f.setForeground(QColor::fromHsv(k * 360 / spalten, 255, 165));
            f.setFontWeight(QFont::Bold);
            formate.push_back(f);
        }
    }

protected:
    void highlightBlock(const QString &text) override
    {
        for (qsizetype zelle = 0; 2 * zelle < text.size(); ++zelle) {
            const QChar c = text[2 * zelle];
            if (c.unicode() < 0x80 && istBuchstabe(char(c.unicode())))
                setFormat(int(2 * zelle), 1, formate[std::size_t(zelle) % formate.size()]);
        }
    }

private:
    std::vector<QTextCharFormat> formate;
};

Vigenereseite::Vigenereseite(verschl::Text geheim, QWidget *eltern)
    : Knackseite(std::move(geheim), eltern)
    , verschiebungen(1, -1)
{
    neuerSchritt(QStringLiteral("Wiederholungen finden"),
        QStringLiteral("Wähle zuerst, wie der Schlüssel weiterzählt. Dann die Tabelle: Kehrt eine "
                       "Buchstabengruppe wieder, stand oft dasselbe Wort unter demselben "
                       "Schlüsselstück. Ihr Abstand ist dann ein Vielfaches der Schlüssellänge: "
                       "Welche Zahl teilt die meisten Abstände?"),
        erzeugeWiederholungen());
    neuerSchritt(QStringLiteral("Schlüssellänge prüfen"),
        QStringLiteral("Bei der richtigen Länge ist jede Spalte ein Caesar: Ihr Index liegt nahe "
                       "beim Deutschen (0,076). Bei falschen Längen mischen sich die Alphabete, "
                       "der Index sinkt zum Zufall (0,038). Wähle die kleinste Länge, die hoch "
                       "liegt."),
        erzeugeLaengen());
    neuerSchritt(QStringLiteral("In Spalten schreiben"),
        QStringLiteral("Jede Farbe ist eine Spalte: Alle ihre Buchstaben sind mit demselben "
                       "Schlüsselbuchstaben verschoben."),
        erzeugeSpalten());
    neuerSchritt(QStringLiteral("Jede Spalte ist ein Caesar"),
        QStringLiteral("Schiebe für jede Spalte die untere Reihe, bis ihre Balken über denen des "
                       "Deutschen liegen – der höchste über dem E. Der Buchstabe unter dem A ist "
                       "der Schlüsselbuchstabe dieser Spalte."),
        erzeugeCaesar());
    neuerSchritt(QStringLiteral("Entschlüsseln"), QString(), erzeugeEntschluesseln());
    zeigeWiederholungen();
    zeigeLaengen();
}

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

QWidget *Vigenereseite::erzeugeSpalten()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    MSpalten = textfeld<QTextEdit>(inhalt, "MSpalten", QStringLiteral("Spalten"));
    MSpalten->setLineWrapMode(QTextEdit::NoWrap);
    farben = new Spaltenfarben(MSpalten->document());
    auto *beschriftung = erklaerung(inhalt,
        QStringLiteral("Die Chiffre in Zeilen der gewählten Länge, jede &Spalte in ihrer "
                       "Farbe:"));
    beschriftung->setBuddy(MSpalten);
    spalte->addWidget(beschriftung);
    spalte->addWidget(MSpalten, 1);
    return inhalt;
}

QWidget *Vigenereseite::erzeugeCaesar()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    SpEdSpalte = zahlfeld(inhalt, "SpEdSpalte", QStringLiteral("Spalte"));
    LSchluesselbuchstaben = benannt(new QLabel(inhalt), "LSchluesselbuchstaben");
    LSchluesselbuchstaben->setFont(schriften::Paneschrift());
    auto *zeile = feldzeile(inhalt, QStringLiteral("S&palte:"), SpEdSpalte);
    zeile->addSpacing(12);
    zeile->addWidget(LSchluesselbuchstaben, 1);
    Streifen = benannt(new Alphabetstreifen(inhalt), "SpaltenStreifen");
    DSpalte = benannt(new Buchstabendiagramm(inhalt), "DSpalte");
    DSpalte->setVerschiebbar(true);
    DSpalte->setAccessibleName(QStringLiteral("Buchstaben der Spalte"));
    MTeilweise = textfeld<QPlainTextEdit>(inhalt, "MTeilweise", QStringLiteral("Entschlüsselung"));
    auto *beschriftung = new QLabel(
        QStringLiteral("Mit den gewählten Buchstaben &entschlüsselt (· noch offen):"), inhalt);
    beschriftung->setBuddy(MTeilweise);
    spalte->addLayout(zeile);
    spalte->addWidget(Streifen);
    spalte->addWidget(DSpalte, 3);
    spalte->addWidget(beschriftung);
    spalte->addWidget(MTeilweise, 2);
    connect(SpEdSpalte, &QSpinBox::valueChanged, this, &Vigenereseite::zeigeSpalte);
    const auto waehle = [this](int v) { setVerschiebung(SpEdSpalte->value() - 1, v); };
    connect(Streifen, &Alphabetstreifen::verschiebungGeaendert, this, waehle);
    connect(DSpalte, &Buchstabendiagramm::verschiebungGewaehlt, this, waehle);
    return inhalt;
}

QWidget *Vigenereseite::erzeugeEntschluesseln()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    LSchluesselText = benannt(new QLabel(inhalt), "LSchluesselText");
    MKlartext = textfeld<QPlainTextEdit>(inhalt, "MKlartext", QStringLiteral("Entschlüsselung"));
    auto *beschriftung = new QLabel(QStringLiteral("Die Chiffre &entschlüsselt:"), inhalt);
    beschriftung->setBuddy(MKlartext);
    spalte->addWidget(LSchluesselText);
    spalte->addWidget(beschriftung);
    spalte->addWidget(MKlartext, 1);
    return inhalt;
}

std::vector<int> Vigenereseite::stellen(int l) const
{
    return verschl::VigenereSchluesselstellen(geheim, std::size_t(l), ignorieren);
}

std::vector<analyse::Haeufigkeiten> Vigenereseite::spalten(int l) const
{
    std::vector<verschl::Text> texte(static_cast<std::size_t>(l));
    const std::vector<int> s = stellen(l);
    for (std::size_t i = 0; i < geheim.size(); ++i)
        if (s[i] >= 0)
            texte[std::size_t(s[i])] += geheim[i];
    std::vector<analyse::Haeufigkeiten> h;
    for (const verschl::Text &t : texte)
        h.push_back(analyse::Zaehle(t));
    return h;
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
    const QString text = knacken::Zeile(geheim);
    std::vector<int> farbe(std::size_t(text.size()), -1);
    std::vector<std::uint64_t> teilt(kLaengste + 1, 0);
    const int marken = int(std::size(kMarken));
    std::size_t paare = 0;
    for (const analyse::Wiederholung &g : w)
        paare += g.vorkommen.size() - 1;
    TWWiederholungen->clearContents();
    TWWiederholungen->setRowCount(int(paare));
    int zeile = 0;
    for (std::size_t g = 0; g < w.size(); ++g) {
        for (const auto &v : w[g].vorkommen)
            std::fill(farbe.begin() + qsizetype(v.von), farbe.begin() + qsizetype(v.bis),
                int(g) % marken);
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
    MWiederholungen->setHtml(gefaerbt(text, farbe));
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

// Everything that follows the length: the chart's mark, the columns, the
// column picker.
void Vigenereseite::zeigeSpalten()
{
    DLaengen->setMarkiert(laenge - 1);
    LLaenge->setText(QStringLiteral("Länge %1: mittlerer Koinzidenzindex %2")
                         .arg(laenge)
                         .arg(zahl(koinzidenz[std::size_t(laenge - 1)], 3)));
    const std::vector<int> s = stellen(laenge);
    QString text;
    for (std::size_t i = 0; i < geheim.size(); ++i) {
        if (s[i] < 0)
            continue;
        if (s[i] == 0 && !text.isEmpty())
            text += u'\n';
        // A blank after each cell keeps the columns apart.
        const auto b = static_cast<unsigned char>(geheim[i]);
        text += b < 0x20 ? kOffen : codepage::Zeichen(b);
        text += u' ';
    }
    farben->setSpalten(laenge);
    MSpalten->setPlainText(text);
    {
        const QSignalBlocker still(SpEdSpalte);
        SpEdSpalte->setRange(1, laenge);
    }
    zeigeSpalte();
}

void Vigenereseite::zeigeSpalte()
{
    const std::size_t k = std::size_t(SpEdSpalte->value() - 1);
    DSpalte->setHaeufigkeiten(spalten(laenge)[k]);
    const int v = std::max(verschiebungen[k], 0);
    {
        const QSignalBlocker still(Streifen);
        Streifen->setVerschiebung(v);
    }
    DSpalte->setVerschiebung(v);
    zeigeSchluessel();
}

void Vigenereseite::setVerschiebung(int spalte, int verschiebung)
{
    verschiebung = ((verschiebung % kBuchstaben) + kBuchstaben) % kBuchstaben;
    const std::size_t k = std::size_t(std::clamp(spalte, 0, laenge - 1));
    if (verschiebungen[k] == verschiebung)
        return;
    verschiebungen[k] = verschiebung;
    if (SpEdSpalte->value() - 1 == int(k))
        zeigeSpalte();
    else
        zeigeSchluessel();
    Q_EMIT schluesselGeaendert();
}

QString Vigenereseite::gewaehlt(std::size_t spalte) const
{
    const int v = verschiebungen[spalte];
    return v < 0 ? QStringLiteral("?") : QString(QChar(u'A' + v));
}

std::string Vigenereseite::schluesselText() const
{
    std::string s;
    for (const int v : verschiebungen)
        s += char('A' + std::max(v, 0));
    return s;
}

// The key letters so far, and the decryption with the open columns dotted.
void Vigenereseite::zeigeSchluessel()
{
    QString buchstaben;
    for (std::size_t k = 0; k < verschiebungen.size(); ++k) {
        const QString b = gewaehlt(k);
        buchstaben += int(k) == SpEdSpalte->value() - 1 ? QStringLiteral("[%1]").arg(b) : b;
    }
    LSchluesselbuchstaben->setText(QStringLiteral("Schlüssel: ") + buchstaben);
    const verschl::Text klar = entschluessele(geheim);
    const std::vector<int> s = stellen(laenge);
    QString teilweise = knacken::Zeile(klar);
    for (std::size_t i = 0; i < klar.size(); ++i)
        if (s[i] >= 0 && verschiebungen[std::size_t(s[i])] < 0 && istBuchstabe(klar[i]))
            teilweise[qsizetype(i)] = kOffen;
    MTeilweise->setPlainText(teilweise);
    LSchluesselText->setText(QStringLiteral("Schlüssel: <b>%1</b> (Länge %2, %3)")
                                 .arg(QString::fromLatin1(schluesselText()))
                                 .arg(laenge)
                                 .arg(zaehlweise(ignorieren)));
    MKlartext->setPlainText(codepage::AlsPanetext(klar));
}

bool Vigenereseite::liestSichDeutsch() const
{
    return analyse::Zaehle(entschluessele(geheim)).koinzidenzindex >= kDeutschAb;
}

QString Vigenereseite::Tipp() const
{
    if (Schritt() + 1 < Schritte())
        return Knackseite::Tipp();
    if (std::find(verschiebungen.begin(), verschiebungen.end(), -1) != verschiebungen.end())
        return QStringLiteral("Noch hat nicht jede Spalte ihren Schlüsselbuchstaben: Zurück zu "
                              "Schritt 4.");
    if (!liestSichDeutsch()) {
        return QStringLiteral("Der Text ist unlesbar: Die Schlüssellänge stimmt wohl nicht. Geh "
                              "zurück zu Schritt 2 und wähle eine andere Länge, deren Index "
                              "nahe beim Deutschen liegt.");
    }
    return QStringLiteral("Der Text liest sich deutsch. Übernimm den Schlüssel ins "
                          "Optionsfenster und entschlüssele die ganze Chiffre.");
}

const analyse::VigenereErgebnis &Vigenereseite::analyse()
{
    if (!ergebnis)
        ergebnis = analyse::AnalysiereVigenere(geheim);
    return *ergebnis;
}

QString Vigenereseite::zeigeLoesung()
{
    if (analyse::Zaehle(geheim).summe < analyse::kMindestBuchstaben)
        return knacken::ZuWenig(geheim, analyse::kMindestBuchstaben);
    if (Schritt() == 3) {
        const auto h = spalten(laenge);
        for (int k = 0; k < laenge; ++k)
            setVerschiebung(k, analyse::BesteVerschiebung(h[std::size_t(k)]));
        return QStringLiteral("Jede Spalte für sich an das Deutsche angepasst: Schlüssel %1.")
            .arg(QString::fromLatin1(schluesselText()));
    }
    const analyse::VigenereErgebnis &e = analyse();
    if (e.schluessel.empty())
        return QStringLiteral("Die Analyse findet keinen Schlüssel.");
    setIgnorieren(e.sonderzeichenIgnorieren);
    const QString sicherheit = QString::fromUtf8(analyse::SicherheitText(e.sicherheit));
    if (Schritt() == 0) {
        QStringList laengen;
        for (const analyse::Kandidat &k : e.laengenKasiski)
            if (k.wert > 1 && k.wert <= kLaengste && laengen.size() < 3)
                laengen << QString::number(k.wert);
        return QStringLiteral("Die Analyse zählt mit „%1“. Die Abstände teilen am häufigsten "
                              "(gemessen am Zufall): %2.")
            .arg(zaehlweise(e.sonderzeichenIgnorieren),
                laengen.isEmpty() ? QStringLiteral("keine") : laengen.join(QStringLiteral(", ")));
    }
    setLaenge(int(e.schluessel.size()));
    if (Schritt() < 3) {
        return QStringLiteral("Die Analyse findet die Schlüssellänge %1 mit „%2“ (Sicherheit: %3).")
            .arg(laenge)
            .arg(zaehlweise(ignorieren), sicherheit);
    }
    for (int k = 0; k < laenge; ++k)
        setVerschiebung(k, e.schluessel[std::size_t(k)] - 'A');
    return QStringLiteral("Die Analyse findet den Schlüssel %1 mit „%2“ (Sicherheit: %3).")
        .arg(QString::fromLatin1(e.schluessel), zaehlweise(ignorieren), sicherheit);
}

// Open columns as "?": taken over or decrypting, they stay unshifted.
QString Vigenereseite::Schluessel() const
{
    QString buchstaben;
    for (std::size_t k = 0; k < verschiebungen.size(); ++k)
        buchstaben += gewaehlt(k);
    return QStringLiteral("Schlüssel %1 (%2)").arg(buchstaben, zaehlweise(ignorieren));
}

QString Vigenereseite::Fehlend() const
{
    QStringList offen;
    for (std::size_t k = 0; k < verschiebungen.size(); ++k)
        if (verschiebungen[k] < 0)
            offen << QString::number(k + 1);
    if (offen.isEmpty())
        return {};
    if (offen.size() == 1) {
        return QStringLiteral("Nichts übernommen: Spalte %1 hat noch keinen Schlüsselbuchstaben. "
                              "Wähle ihn in Schritt 4.")
            .arg(offen.first());
    }
    return QStringLiteral("Nichts übernommen: Die Spalten %1 und %2 haben noch keinen "
                          "Schlüsselbuchstaben. Wähle sie in Schritt 4.")
        .arg(offen.mid(0, offen.size() - 1).join(QStringLiteral(", ")), offen.last());
}

void Vigenereseite::uebernimmSchluessel(Analyseuebernahme &methode) const
{
    methode.uebernimmVigenere(schluesselText(), ignorieren);
}

verschl::Text Vigenereseite::entschluessele(const verschl::Text &ganz) const
{
    return verschl::VigenereEntschluesseln(ganz, schluesselText(), ignorieren).value_or(ganz);
}
