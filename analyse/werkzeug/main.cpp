// zifferon-analyse DATEI: the cryptanalysis of a text file as one JSON object
// on standard output; every refusal is a German sentence on standard error
// and a non-zero exit status.

#include "analyse/analyse.h"
#include "platform/dateiname.h"
#include "platform/textdatei.h"

#include <algorithm>
#include <cstdio>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace {

constexpr int kFehler = 1;
constexpr int kAufruf = 2;

const char kHilfe[] = "Aufruf: zifferon-analyse DATEI\n"
                      "\n"
                      "Untersucht einen Geheimtext (Windows-1252 oder UTF-8) und gibt die\n"
                      "Buchstabenhäufigkeiten, den Koinzidenzindex und die wahrscheinlichsten\n"
                      "Schlüssel für Caesar, Vigenère und Matrix als JSON aus.\n";

int melde(const QString &meldung, int status)
{
    std::fputs(qPrintable(meldung + QLatin1Char('\n')), stderr);
    return status;
}

// Control bytes other than TAB, LF, FF and CR mark a file that is no text:
// no method of the program produces them from typed text except rotation by
// 128, which this analysis does not break.
bool istText(const verschl::Text &text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r') || b == 0x7F;
    });
}

QJsonArray kandidaten(const std::vector<analyse::Kandidat> &liste, const char *name)
{
    QJsonArray a;
    for (const analyse::Kandidat &k : liste)
        a.append(QJsonObject { { QLatin1String(name), k.wert }, { "punkte", k.punkte } });
    return a;
}

QJsonObject buchstaben(const analyse::Haeufigkeiten &h)
{
    QJsonObject o;
    for (int i = 0; i < 26; ++i)
        o.insert(QString(QChar('A' + i)), qint64(h.buchstaben[std::size_t(i)]));
    const char *umlaute[] = { "Ä", "Ö", "Ü", "ß" };
    for (std::size_t i = 0; i < 4; ++i)
        o.insert(QString::fromUtf8(umlaute[i]), qint64(h.umlaute[i]));
    return o;
}

QJsonObject caesar(const analyse::CaesarErgebnis &c)
{
    QJsonArray liste;
    for (int n = 0; n < 26; ++n)
        liste.append(
            QJsonObject { { "verschiebung", n }, { "chiQuadrat", c.chiQuadrat[std::size_t(n)] } });
    return { { "verschiebung", c.verschiebung },
        { "sicherheit", analyse::SicherheitText(c.sicherheit) }, { "kandidaten", liste } };
}

QJsonObject vigenere(const analyse::VigenereErgebnis &v)
{
    QJsonArray schluessel;
    for (const auto &[text, punkte] : v.schluesselKandidaten)
        schluessel.append(
            QJsonObject { { "schluessel", QString::fromStdString(text) }, { "punkte", punkte } });
    return { { "schluessel", QString::fromStdString(v.schluessel) },
        { "sonderzeichenIgnorieren", v.sonderzeichenIgnorieren },
        { "sicherheit", analyse::SicherheitText(v.sicherheit) },
        { "laengen", kandidaten(v.laengenKoinzidenz, "laenge") },
        { "laengenKasiski", kandidaten(v.laengenKasiski, "laenge") },
        { "schluesselKandidaten", schluessel } };
}

QJsonObject matrix(const analyse::MatrixErgebnis &m)
{
    return { { "spalten", m.spalten }, { "quadratisch", m.quadratisch },
        { "sicherheit", analyse::SicherheitText(m.sicherheit) },
        { "kandidaten", kandidaten(m.kandidaten, "spalten") } };
}

int analysiere(const QString &pfad)
{
    const QFileInfo info(pfad);
    if (!info.exists())
        return melde(QString::fromUtf8("Datei nicht gefunden: %1").arg(pfad), kFehler);
    if (textdatei::ArtVon(pfad) != textdatei::Art::Datei)
        return melde(QString::fromUtf8("Keine gewöhnliche Datei: %1").arg(pfad), kFehler);
    if (info.size() > textdatei::Hoechstgroesse)
        return melde(
            QString::fromUtf8("Die Datei ist zu groß (höchstens 64 MiB): %1").arg(pfad), kFehler);
    const auto gelesen = textdatei::Lesen(pfad);
    if (!gelesen)
        return melde(QString::fromUtf8("Die Datei lässt sich nicht lesen: %1").arg(pfad), kFehler);
    if (gelesen->text.empty())
        return melde(QString::fromUtf8("Die Datei ist leer: %1").arg(pfad), kFehler);
    if (!istText(gelesen->text))
        return melde(
            QString::fromUtf8("Die Datei enthält Steuerzeichen und ist kein Text: %1").arg(pfad),
            kFehler);
    const analyse::Ergebnis e = analyse::Analysiere(gelesen->text);
    if (e.haeufigkeiten.summe < analyse::kMindestBuchstaben)
        return melde(QString::fromUtf8("Zu wenig Buchstaben für eine Analyse (%1, mindestens %2)")
                         .arg(e.haeufigkeiten.summe)
                         .arg(analyse::kMindestBuchstaben),
            kFehler);
    const QJsonObject aus { { "buchstaben", buchstaben(e.haeufigkeiten) },
        { "summe", qint64(e.haeufigkeiten.summe) },
        { "koinzidenzindex", e.haeufigkeiten.koinzidenzindex }, { "caesar", caesar(e.caesar) },
        { "vigenere", vigenere(e.vigenere) }, { "matrix", matrix(e.matrix) } };
    std::fputs(QJsonDocument(aus).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 || QByteArray(argv[1]) == "--help" || QByteArray(argv[1]) == "-h")
        return melde(QString::fromUtf8(kHilfe), kAufruf);
    return analysiere(dateiname::AusSystem(QByteArray(argv[1])));
}
