// SPDX-License-Identifier: GPL-3.0-or-later
#include "vigenereseite.h"

#include "bausteine/alphabetstreifen.h"
#include "bausteine/buchstabendiagramm.h"
#include "bausteine/saeulendiagramm.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/methodenfenster.h"
#include "vigenereteile.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSyntaxHighlighter>
#include <QVBoxLayout>

using namespace vigenere;

namespace {

constexpr int kBuchstaben = 26;
// Halfway between German's index of coincidence (0.076) and chance's
// (0.038): a decryption above it reads as German letters.
constexpr double kDeutschAb = 0.057;
const QChar kOffen = u'·';

QString zahl(double wert, int stellen) { return QLocale().toString(wert, 'f', stellen); }

bool istBuchstabe(char c)
{
    const unsigned char gross = static_cast<unsigned char>(c) & 0xdf;
    return gross >= 'A' && gross <= 'Z';
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

QWidget *Vigenereseite::erzeugeSpalten()
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    // Plain, so that only the rows on screen are laid out.
    MSpalten = textfeld<QPlainTextEdit>(inhalt, "MSpalten", QStringLiteral("Spalten"));
    MSpalten->setLineWrapMode(QPlainTextEdit::NoWrap);
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
                                 .arg(gewaehlteBuchstaben())
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
    return QStringLiteral("Schlüssel %1 (%2)").arg(gewaehlteBuchstaben(), zaehlweise(ignorieren));
}

QString Vigenereseite::gewaehlteBuchstaben() const
{
    QString buchstaben;
    for (std::size_t k = 0; k < verschiebungen.size(); ++k)
        buchstaben += gewaehlt(k);
    return buchstaben;
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
