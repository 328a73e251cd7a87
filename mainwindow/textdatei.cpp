#include "mainwindow/textdatei.h"

#include <QFile>

namespace textdatei {
namespace {

verschl::Text ersetzeDurchCrLf(const verschl::Text &text, char zeilenende)
{
    verschl::Text ergebnis;
    ergebnis.reserve(text.size() + text.size() / 16);
    for (char b : text) {
        if (b == zeilenende)
            ergebnis += "\r\n";
        else
            ergebnis += b;
    }
    return ergebnis;
}

} // namespace

std::optional<verschl::Text> Lesen(const QString &pfad)
{
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 groesse = datei.size();
    if (groesse > Hoechstgroesse)
        return std::nullopt;
    verschl::Text text(static_cast<std::size_t>(groesse), '\0');
    qint64 gelesen = 0;
    while (gelesen < groesse) {
        const qint64 n = datei.read(text.data() + gelesen, groesse - gelesen);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break; // the file shrank while we read it
        gelesen += n;
    }
    text.resize(static_cast<std::size_t>(gelesen));
    return ZeilenendenVereinheitlichen(std::move(text));
}

verschl::Text ZeilenendenVereinheitlichen(verschl::Text text)
{
    const bool hatCr = text.find('\r') != verschl::Text::npos;
    const bool hatLf = text.find('\n') != verschl::Text::npos;
    if (hatLf && !hatCr)
        return ersetzeDurchCrLf(text, '\n');
    if (hatCr && !hatLf)
        return ersetzeDurchCrLf(text, '\r');
    return text;
}

} // namespace textdatei
