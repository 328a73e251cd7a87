// SPDX-License-Identifier: GPL-3.0-or-later
// zifferon-analyse [--] DATEI: the cryptanalysis of a text file as one JSON object
// on standard output; every refusal is a German sentence on standard error
// and a non-zero exit status.

#include "analyse/analyse.h"
#include "platform/dateiname.h"
#include "platform/richtlinie.h"
#include "platform/textdatei.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int kFehler = 1;
constexpr int kAufruf = 2;

const char kHilfe[] = "Aufruf: zifferon-analyse [--] DATEI\n"
                      "\n"
                      "Untersucht einen Geheimtext (Windows-1252 oder UTF-8) und gibt die\n"
                      "Buchstabenhäufigkeiten, den Koinzidenzindex und die wahrscheinlichsten\n"
                      "Schlüssel für Caesar, Vigenère, Matrix und Substitution als JSON aus.\n";

// Into a pipe or a file as UTF-8, like the JSON on standard output. A Windows
// console gets UTF-16, which shows every letter whatever its code page;
// Windows' own 8-bit code page would turn "ä" into another letter there.
int melde(const QString &meldung, int status)
{
    const QString zeile = meldung + QLatin1Char('\n');
#ifdef Q_OS_WIN
    HANDLE fehlerausgabe = GetStdHandle(STD_ERROR_HANDLE);
    DWORD modus = 0;
    DWORD geschrieben = 0;
    if (GetConsoleMode(fehlerausgabe, &modus)) {
        WriteConsoleW(fehlerausgabe, zeile.utf16(), DWORD(zeile.size()), &geschrieben, nullptr);
        return status;
    }
#endif
    std::fputs(zeile.toUtf8().constData(), stderr);
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
        a.append(QJsonObject { { QLatin1String(name), k.wert }, { u"punkte"_s, k.punkte },
            { u"wertung"_s, k.wertung } });
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
        liste.append(QJsonObject { { u"verschiebung"_s, n },
            { u"chiQuadrat"_s, c.chiQuadrat[std::size_t(n)] },
            { u"wertung"_s, c.wertung[std::size_t(n)] } });
    return { { u"verschiebung"_s, c.verschiebung },
        { u"sicherheit"_s, QString::fromUtf8(analyse::SicherheitText(c.sicherheit)) },
        { u"kandidaten"_s, liste } };
}

QJsonObject vigenere(const analyse::VigenereErgebnis &v)
{
    QJsonArray schluessel;
    for (const analyse::SchluesselKandidat &k : v.schluesselKandidaten)
        schluessel.append(QJsonObject { { u"schluessel"_s, QString::fromStdString(k.schluessel) },
            { u"sonderzeichenIgnorieren"_s, k.sonderzeichenIgnorieren }, { u"punkte"_s, k.punkte },
            { u"wertung"_s, k.wertung } });
    return { { u"schluessel"_s, QString::fromStdString(v.schluessel) },
        { u"laenge"_s, qint64(v.schluessel.size()) },
        { u"sonderzeichenIgnorieren"_s, v.sonderzeichenIgnorieren },
        { u"sicherheit"_s, QString::fromUtf8(analyse::SicherheitText(v.sicherheit)) },
        { u"laengen"_s, kandidaten(v.laengenKoinzidenz, "laenge") },
        { u"laengenKasiski"_s, kandidaten(v.laengenKasiski, "laenge") },
        { u"schluesselKandidaten"_s, schluessel } };
}

QJsonObject matrix(const analyse::MatrixErgebnis &m)
{
    return { { u"spalten"_s, m.spalten }, { u"quadratisch"_s, m.quadratisch },
        { u"sicherheit"_s, QString::fromUtf8(analyse::SicherheitText(m.sicherheit)) },
        { u"kandidaten"_s, kandidaten(m.kandidaten, "spalten") } };
}

QJsonObject substitution(const analyse::SubstitutionErgebnis &s)
{
    return { { u"geheimalphabet"_s, QString::fromStdString(s.geheimalphabet) },
        { u"punkte"_s, s.punkte },
        { u"sicherheit"_s, QString::fromUtf8(analyse::SicherheitText(s.sicherheit)) } };
}

// The size the system reports for the very bytes of the name: Qt's own file
// functions cannot reach a name that is no UTF-8.
qint64 groesse(const QString &pfad)
{
#ifdef Q_OS_UNIX
    struct stat info;
    return ::stat(dateiname::FuerSystem(pfad).constData(), &info) == 0 ? info.st_size : 0;
#else
    return QFileInfo(pfad).size();
#endif
}

// A full disk or a closed standard output loses the result, which a script
// must learn from the exit status.
bool gibAus(const QByteArray &daten)
{
    const auto laenge = std::size_t(daten.size());
    return std::fwrite(daten.constData(), 1, laenge, stdout) == laenge && std::fflush(stdout) == 0;
}

int analysiere(const QString &pfad)
{
    const auto ablehnen = [&pfad](const QString &meldung) {
        return melde(meldung + QStringLiteral(": ") + dateiname::FuerMeldung(pfad), kFehler);
    };
    switch (textdatei::ArtVon(pfad)) {
    case textdatei::Art::Nichts:
        return ablehnen(QStringLiteral("Datei nicht gefunden"));
    case textdatei::Art::Datei:
        break;
    default:
        return ablehnen(QStringLiteral("Keine gewöhnliche Datei"));
    }
    if (groesse(pfad) > textdatei::Hoechstgroesse)
        return ablehnen(QStringLiteral("Die Datei ist zu groß (höchstens 64 MiB)"));
    const auto gelesen = textdatei::Lesen(pfad);
    if (!gelesen)
        return ablehnen(QStringLiteral("Die Datei lässt sich nicht lesen"));
    if (gelesen->text.empty())
        return ablehnen(QStringLiteral("Die Datei ist leer"));
    if (!istText(gelesen->text))
        return ablehnen(QStringLiteral("Die Datei enthält Steuerzeichen und ist kein Text"));
    const analyse::Ergebnis e = analyse::Analysiere(gelesen->text);
    if (e.haeufigkeiten.summe < analyse::kMindestBuchstaben)
        return ablehnen(QStringLiteral("Zu wenig Buchstaben für eine Analyse (%1, mindestens %2)")
                            .arg(e.haeufigkeiten.summe)
                            .arg(analyse::kMindestBuchstaben));
    const QJsonObject aus { { u"buchstaben"_s, buchstaben(e.haeufigkeiten) },
        { u"summe"_s, qint64(e.haeufigkeiten.summe) },
        { u"koinzidenzindex"_s, e.haeufigkeiten.koinzidenzindex },
        { u"caesar"_s, caesar(e.caesar) }, { u"vigenere"_s, vigenere(e.vigenere) },
        { u"matrix"_s, matrix(e.matrix) },
        { u"substitution"_s, substitution(analyse::AnalysiereSubstitution(gelesen->text)) } };
    if (!gibAus(QJsonDocument(aus).toJson(QJsonDocument::Indented)))
        return melde(QStringLiteral("Die Ausgabe lässt sich nicht schreiben."), kFehler);
    return 0;
}

// The file name of the call "DATEI" or "-- DATEI"; nothing for any other call.
std::optional<QString> dateiAus(const QStringList &argumente)
{
    if (argumente.size() == 2 && argumente[0] == u"--")
        return argumente[1];
    if (argumente.size() != 1 || argumente[0] == u"--" || argumente[0] == u"--help"
        || argumente[0] == u"-h")
        return std::nullopt;
    return argumente[0];
}

} // namespace

int main(int argc, char *argv[])
{
    const std::optional<QString> datei = dateiAus(dateiname::Befehlszeile(argc, argv));
    if (!datei)
        return melde(QString::fromUtf8(kHilfe), kAufruf);
    // The same rule that hides the window's command: an exam is not to be
    // broken from the command line instead.
    if (richtlinie::NoAnalyse())
        return melde(QStringLiteral(
                         "Die Analyse ist auf diesem Rechner abgeschaltet (Richtlinie NoAnalyse)."),
            kFehler);
    return analysiere(*datei);
}
