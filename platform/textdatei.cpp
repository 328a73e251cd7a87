// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textdatei.h"

#include "platform/codepage.h"
#include "platform/dateiname.h"

#include <algorithm>
#include <new>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <string_view>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

bool istSteuerbyte(unsigned char b)
{
    const bool zeilenOderTab = b == '\t' || b == '\n' || b == '\f' || b == '\r';
    return (b < 0x20 && !zeilenOderTab) || b == 0x7F;
}

bool istUndefiniert(unsigned char b)
{
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

constexpr char kBom[] = "\xEF\xBB\xBF";
constexpr std::size_t kBomLaenge = 3;

bool hatBom(const verschl::Text &bytes) { return bytes.starts_with(kBom); }

// The byte that a decoded character stands for: ASCII, a Windows-1252
// character, or the C1 code point of the same value for an undefined byte.
std::optional<unsigned char> byteFuer(char32_t wert)
{
    if (wert < 0x80 || (wert < 0x100 && istUndefiniert(static_cast<unsigned char>(wert))))
        return static_cast<unsigned char>(wert);
    if (wert > 0xFFFF)
        return std::nullopt;
    // Byte() also maps the stand-ins (U+2400 ...) back to control and
    // undefined bytes; only the real Windows-1252 character counts here.
    const unsigned char b = codepage::Byte(QChar(char16_t(wert)));
    if (b < 0x80 || istUndefiniert(b) || codepage::Zeichen(b).unicode() != wert)
        return std::nullopt;
    return b;
}

// See AlsUtf8Lesbar; after a byte-order mark plain ASCII is UTF-8 too.
std::optional<verschl::Text> dekodiereUtf8(std::string_view bytes, bool mussMehrbytigSein)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto n = qsizetype(bytes.size());
    const bool mehrbytig = std::any_of(p, p + n, [](unsigned char b) { return b >= 0x80; });
    if (mussMehrbytigSein && !mehrbytig)
        return std::nullopt;
    verschl::Text text;
    text.reserve(bytes.size());
    for (qsizetype i = 0; i < n;) {
        const qsizetype laenge = codepage::Utf8Laenge(p + i, n - i);
        if (laenge == 0)
            return std::nullopt;
        char32_t wert = laenge == 1 ? p[i] : p[i] & (0x7F >> laenge);
        for (qsizetype k = 1; k < laenge; ++k)
            wert = (wert << 6) | (p[i + k] & 0x3F);
        const std::optional<unsigned char> b = byteFuer(wert);
        if (!b)
            return std::nullopt;
        text += char(*b);
        i += laenge;
    }
    return text;
}

// The text of a file before the line-end rule.
Gelesen dekodiert(const verschl::Text &bytes)
{
    if (hatBom(bytes)) {
        if (auto text = dekodiereUtf8(std::string_view(bytes).substr(kBomLaenge), false))
            return { std::move(*text), Kodierung::Utf8MitBom };
    }
    if (auto text = AlsUtf8Lesbar(bytes))
        return { std::move(*text), Kodierung::Utf8 };
    return { bytes, Kodierung::Windows1252 };
}

bool zuGross(std::size_t groesse) { return groesse > std::size_t(Hoechstgroesse); }

#ifdef Q_OS_UNIX
// Reads to the end instead of trusting the reported size, which a file that
// grows or a special file gets wrong.
using Bytes = std::variant<verschl::Text, Lesefehler>;

Bytes leseBisZumEnde(int fd, std::size_t erwartet)
{
    verschl::Text text;
    text.reserve(std::min(erwartet, std::size_t(Hoechstgroesse)) + 1);
    constexpr std::size_t kHappen = std::size_t(1) << 20;
    for (;;) {
        const std::size_t alt = text.size();
        if (zuGross(alt))
            return Lesefehler::ZuGross;
        // Fills the room reserved for the reported size first, so a file of
        // that size is read without growing the text.
        const std::size_t happen = text.capacity() > alt ? text.capacity() - alt : kHappen;
        text.resize(alt + happen);
        const ssize_t n = ::read(fd, text.data() + alt, happen);
        if (n < 0 && errno == EINTR) {
            text.resize(alt);
            continue;
        }
        if (n < 0)
            return Lesefehler::Unlesbar;
        text.resize(alt + std::size_t(n));
        if (n == 0)
            return text;
    }
}

Bytes leseRegulaereDatei(const QString &pfad)
{
    // The type is checked before opening, so a device is never opened, and
    // again on the open file, in case the path changed meanwhile. Opening
    // without blocking keeps a FIFO from waiting for a writer.
    const QByteArray name = dateiname::FuerSystem(pfad);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return Lesefehler::Unlesbar;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Lesefehler::Unlesbar;
    Bytes text = Lesefehler::Unlesbar;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        text = leseBisZumEnde(fd, std::size_t(info.st_size));
    ::close(fd);
    return text;
}
#else
using Bytes = std::variant<verschl::Text, Lesefehler>;

Bytes leseRegulaereDatei(const QString &pfad)
{
    if (!QFileInfo(pfad).isFile())
        return Lesefehler::Unlesbar;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly))
        return Lesefehler::Unlesbar;
    if (zuGross(std::size_t(datei.size())))
        return Lesefehler::ZuGross;
    const QByteArray inhalt = datei.readAll();
    return verschl::Text(inhalt.constData(), std::size_t(inhalt.size()));
}
#endif

} // namespace

Art ArtVon(const QString &pfad)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(dateiname::FuerSystem(pfad).constData(), &info) != 0)
        return Art::Nichts;
    if (S_ISDIR(info.st_mode))
        return Art::Ordner;
    return S_ISREG(info.st_mode) ? Art::Datei : Art::Sonderdatei;
#else
    const QFileInfo info(pfad);
    if (!info.exists())
        return Art::Nichts;
    if (info.isDir())
        return Art::Ordner;
    return info.isFile() ? Art::Datei : Art::Sonderdatei;
#endif
}

std::variant<Gelesen, Lesefehler> Oeffnen(const QString &pfad)
{
    try {
        const Bytes bytes = leseRegulaereDatei(pfad);
        if (const Lesefehler *fehler = std::get_if<Lesefehler>(&bytes))
            return *fehler;
        if (std::optional<Gelesen> gelesen = AusDatei(std::get<verschl::Text>(bytes)))
            return std::move(*gelesen);
        return Lesefehler::ZuGross;
    } catch (const std::bad_alloc &) {
        return Lesefehler::Unlesbar;
    }
}

std::optional<Gelesen> Lesen(const QString &pfad)
{
    std::variant<Gelesen, Lesefehler> ergebnis = Oeffnen(pfad);
    if (Gelesen *gelesen = std::get_if<Gelesen>(&ergebnis))
        return std::move(*gelesen);
    return std::nullopt;
}

std::optional<Gelesen> AusDatei(const verschl::Text &bytes)
{
    if (zuGross(bytes.size()))
        return std::nullopt;
    Gelesen gelesen = dekodiert(bytes);
    gelesen.text = ZeilenendenVereinheitlichen(std::move(gelesen.text));
    if (zuGross(gelesen.text.size()))
        return std::nullopt;
    return gelesen;
}

// A file is one byte string and opens to one text, whichever encoding wrote
// it, and every text must open again to itself from one of the two. UTF-8 of
// Windows-1252 characters alone could not hold the five undefined bytes, and
// a text with one of them, saved as Windows-1252, may still read as UTF-8
// ("â€" and 0x9D is the UTF-8 of "”"): it could then be saved in neither.
// Giving each undefined byte the C1 code point of its own value makes UTF-8
// hold any text, and decoding a file that holds only such characters its
// exact inverse. So every text has an encoding that decodes to it again:
// UTF-8 always does, and Windows-1252 does exactly when the text's own
// bytes do not read as UTF-8 (with or without a byte-order mark). Files with
// other C1 code points (U+0085 ...) or characters outside Windows-1252 stay
// byte for byte.
std::optional<verschl::Text> AlsUtf8Lesbar(const verschl::Text &bytes)
{
    return dekodiereUtf8(bytes, true);
}

verschl::Text Kodiert(const verschl::Text &text, Kodierung kodierung)
{
    if (kodierung == Kodierung::Windows1252)
        return text;
    verschl::Text bytes = kodierung == Kodierung::Utf8MitBom ? kBom : "";
    bytes.reserve(bytes.size() + text.size() + text.size() / 8);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        const char16_t wert = b < 0x80 || istUndefiniert(b) ? b : codepage::Zeichen(b).unicode();
        if (wert < 0x80) {
            bytes += c;
            continue;
        }
        if (wert < 0x800) {
            bytes += char(0xC0 | (wert >> 6));
        } else {
            bytes += char(0xE0 | (wert >> 12));
            bytes += char(0x80 | ((wert >> 6) & 0x3F));
        }
        bytes += char(0x80 | (wert & 0x3F));
    }
    return bytes;
}

std::variant<Dateiform, Hindernis> SchreibForm(const verschl::Text &text, Kodierung gewuenscht)
{
    if (zuGross(text.size()))
        return Hindernis::ZuGross;
    // Each form that keeps the text opens to it and then meets the line-end
    // rule, so the rule's verdict on the text holds for both.
    const std::optional<char> zeilenende = EinzelnesZeilenende(text);
    if (zeilenende && zuGross(text.size() + std::size_t(std::ranges::count(text, *zeilenende))))
        return Hindernis::ZeilenendenZuGross;
    const Kodierung andere
        = gewuenscht == Kodierung::Windows1252 ? Kodierung::Utf8 : Kodierung::Windows1252;
    for (const Kodierung kodierung : { gewuenscht, andere }) {
        verschl::Text bytes = Kodiert(text, kodierung);
        if (!zuGross(bytes.size()) && dekodiert(bytes).text == text)
            return Dateiform { kodierung, std::move(bytes), zeilenende };
    }
    // UTF-8 holds every text (see AlsUtf8Lesbar), and the Windows-1252 bytes
    // are not too large: they read as UTF-8.
    return Hindernis::Utf8ZuGross;
}

bool Schreiben(const QString &pfad, const verschl::Text &text)
{
    const Art art = ArtVon(pfad);
    if (art != Art::Nichts && art != Art::Datei)
        return false;
    QSaveFile datei(pfad);
    return datei.open(QIODevice::WriteOnly)
        && datei.write(text.data(), qint64(text.size())) == qint64(text.size()) && datei.commit();
}

verschl::Text ZeilenendenVereinheitlichen(verschl::Text text)
{
    const std::optional<char> zeilenende = EinzelnesZeilenende(text);
    return zeilenende ? ersetzeDurchCrLf(text, *zeilenende) : text;
}

std::optional<char> EinzelnesZeilenende(const verschl::Text &text)
{
    const bool hatCr = text.find('\r') != verschl::Text::npos;
    const bool hatLf = text.find('\n') != verschl::Text::npos;
    if (hatCr == hatLf || !LiestSichAlsText(text))
        return std::nullopt;
    return hatLf ? '\n' : '\r';
}

// Zifferon saves a pane's bytes as they are and must open them to the same
// bytes. Rotation by 128 turns "Š" into a lone LF and every CR LF into two
// bytes that are no line end, so its ciphertexts look like Unix files by
// their line ends alone. They never look like ordinary text, though: the
// rotation swaps the ASCII half of the code page with the upper half, so the
// mostly-ASCII bytes of a German text become mostly upper-half bytes, and a
// former line break becomes 0x8D, which Windows-1252 leaves undefined. So a
// file counts as ordinary text when it has no control bytes but TAB and line
// ends, at least three quarters of its bytes are ASCII, and it holds none of
// the five undefined bytes, unless it is valid UTF-8 (whose multi-byte
// sequences may use them).
bool LiestSichAlsText(const verschl::Text &text)
{
    std::size_t ascii = 0;
    bool undefiniert = false;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (istSteuerbyte(b))
            return false;
        ascii += b < 0x80;
        undefiniert = undefiniert || istUndefiniert(b);
    }
    return ascii * 4 >= text.size() * 3 && (!undefiniert || codepage::IstUtf8(text));
}

} // namespace textdatei
