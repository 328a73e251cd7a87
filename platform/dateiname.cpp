// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dateiname.h"

#include "platform/codepage.h"

#include <algorithm>
#include <QFileInfo>
#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#endif

namespace dateiname {
namespace {

constexpr char16_t kErsatzbasis = 0xDC00;

// A low surrogate after a high one is half of a real character (U+10080 is
// D800 DC80), not a byte.
bool istErsatz(QStringView name, qsizetype i)
{
    const char16_t c = name[i].unicode();
    const bool gepaart = i > 0 && QChar::isHighSurrogate(name[i - 1].unicode());
    return c >= kErsatzbasis + 0x80 && c <= kErsatzbasis + 0xFF && !gepaart;
}

} // namespace

QString AusSystem(const QByteArray &bytes)
{
    QString name;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const qsizetype laenge = codepage::Utf8Laenge(p + i, n - i);
        if (laenge == 0) {
            name += QChar(char16_t(kErsatzbasis + p[i]));
            ++i;
        } else {
            name += QString::fromUtf8(bytes.constData() + i, laenge);
            i += laenge;
        }
    }
    return name;
}

QByteArray FuerSystem(const QString &name)
{
    QByteArray bytes;
    qsizetype anfang = 0;
    const qsizetype n = name.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && !istErsatz(name, i))
            continue;
        bytes += QStringView(name).sliced(anfang, i - anfang).toUtf8();
        if (i < n)
            bytes += char(name[i].unicode() - kErsatzbasis);
        anfang = i + 1;
    }
    return bytes;
}

QString FuerMeldung(const QString &name)
{
    const QByteArray bytes = FuerSystem(name);
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    QString meldung;
    for (qsizetype i = 0; i < n;) {
        const qsizetype laenge = codepage::Utf8Laenge(p + i, n - i);
        if (laenge > 0) {
            const QString zeichen = QString::fromUtf8(bytes.constData() + i, laenge);
            const char32_t c = zeichen.size() == 2 ? QChar::surrogateToUcs4(zeichen[0], zeichen[1])
                                                   : zeichen[0].unicode();
            if (QChar::isPrint(c)) {
                meldung += zeichen;
                i += laenge;
                continue;
            }
        }
        for (const qsizetype ende = i + std::max(laenge, qsizetype(1)); i < ende; ++i)
            meldung += QStringLiteral("\\x%1").arg(p[i], 2, 16, QLatin1Char('0'));
    }
    return meldung;
}

QString Speicherfehler(const QString &pfad)
{
    return QStringLiteral("Fehler beim Speichern der Datei ")
        + FuerMeldung(QFileInfo(pfad).fileName()) + QLatin1Char('!');
}

QStringList Befehlszeile(int argc, char *argv[])
{
    QStringList liste;
#ifdef Q_OS_WIN
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int anzahl = 0;
    wchar_t **teile = CommandLineToArgvW(GetCommandLineW(), &anzahl);
    for (int i = 1; teile && i < anzahl; ++i)
        liste << QString::fromWCharArray(teile[i]);
    LocalFree(teile);
#else
    for (int i = 1; i < argc; ++i)
        liste << AusSystem(QByteArray(argv[i]));
#endif
    return liste;
}

} // namespace dateiname
