#include "platform/textdatei.h"

#include "platform/codepage.h"
#include "platform/dateiname.h"

#include <algorithm>
#include <new>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// The byte values that keep a file from being decoded as UTF-8; see
// AlsUtf8Lesbar.
bool mehrdeutig(unsigned char b) { return istUndefiniert(b) || b == 0x94 || b == 0x97; }

#ifdef Q_OS_UNIX
// Reads to the end instead of trusting the reported size, which a file that
// grows or a special file gets wrong.
std::optional<verschl::Text> leseBisZumEnde(int fd, std::size_t erwartet)
{
    verschl::Text text;
    text.reserve(std::min(erwartet, std::size_t(Hoechstgroesse)) + 1);
    constexpr std::size_t kHappen = std::size_t(1) << 20;
    for (;;) {
        const std::size_t alt = text.size();
        if (alt > std::size_t(Hoechstgroesse))
            return std::nullopt;
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
            return std::nullopt;
        text.resize(alt + std::size_t(n));
        if (n == 0)
            return text;
    }
}

std::optional<verschl::Text> leseRegulaereDatei(const QString &pfad)
{
    // The type is checked before opening, so a device is never opened, and
    // again on the open file, in case the path changed meanwhile. Opening
    // without blocking keeps a FIFO from waiting for a writer.
    const QByteArray name = dateiname::FuerSystem(pfad);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<verschl::Text> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode))
        text = leseBisZumEnde(fd, std::size_t(info.st_size));
    ::close(fd);
    return text;
}
#else
std::optional<verschl::Text> leseRegulaereDatei(const QString &pfad)
{
    if (!QFileInfo(pfad).isFile())
        return std::nullopt;
    QFile datei(pfad);
    if (!datei.open(QIODevice::ReadOnly) || datei.size() > Hoechstgroesse)
        return std::nullopt;
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

std::optional<Gelesen> Lesen(const QString &pfad)
{
    try {
        std::optional<verschl::Text> text = leseRegulaereDatei(pfad);
        if (!text || text->size() > std::size_t(Hoechstgroesse))
            return std::nullopt;
        Gelesen gelesen;
        if (std::optional<verschl::Text> dekodiert = AlsUtf8Lesbar(*text)) {
            text = std::move(dekodiert);
            gelesen.kodierung = Kodierung::Utf8;
        }
        gelesen.text = ZeilenendenVereinheitlichen(std::move(*text));
        return gelesen;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

// A file is one byte string and opens to one text, whichever encoding wrote
// it, and every text must open again to itself from one of the two. UTF-8
// holds every Windows-1252 character, but the five undefined bytes have no
// character, so a text with one of them can only be saved as Windows-1252;
// yet its bytes may form valid UTF-8 ("â€" and 0x9D is the UTF-8 of "”").
// Decoding that file would leave the text no way to be saved, so it must not
// be decoded, and then a text holding "”" cannot be saved as UTF-8 and needs
// Windows-1252, so a file that is the UTF-8 of a text with the byte of "”"
// (0x94: "Ô", "—") must not be decoded either, and so on to "×" (0x97).
// Following this to its end, a file is decoded only when it holds none of
// the byte values 0x81 0x8D 0x8F 0x90 0x94 0x97 0x9D. In UTF-8 of Windows-1252
// characters they occur only within Á Í Ï Ð Ý Ô × ” —, so files with these
// characters open byte for byte, as before. Then SchreibKodierung always
// finds an encoding that keeps the text:
// - a text whose own bytes would be decoded has none of the seven byte
//   values, and neither has its UTF-8 (the characters whose UTF-8 holds one
//   are the bytes C1 CD CF D0 D4 D7 DD 94 97, which valid UTF-8 of
//   Windows-1252 characters never holds or which are banned themselves), so
//   UTF-8 keeps it;
// - any other text is kept by Windows-1252.
std::optional<verschl::Text> AlsUtf8Lesbar(const verschl::Text &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto n = qsizetype(bytes.size());
    verschl::Text text;
    bool mehrbytig = false;
    for (qsizetype i = 0; i < n;) {
        const qsizetype laenge = codepage::Utf8Laenge(p + i, n - i);
        if (laenge == 0)
            return std::nullopt;
        if (laenge == 1) {
            text += char(p[i]);
            ++i;
            continue;
        }
        // Characters of Windows-1252 lie in the Basic Multilingual Plane.
        if (laenge == 4)
            return std::nullopt;
        char32_t wert = p[i] & (0x7F >> laenge);
        for (qsizetype k = 1; k < laenge; ++k) {
            if (mehrdeutig(p[i + k]))
                return std::nullopt;
            wert = (wert << 6) | (p[i + k] & 0x3F);
        }
        const unsigned char b = codepage::Byte(QChar(char16_t(wert)));
        // Byte() also maps the stand-ins (U+2400 ...) back to control bytes;
        // only the real Windows-1252 character counts here.
        if (b < 0x80 || istUndefiniert(b) || codepage::Zeichen(b).unicode() != wert)
            return std::nullopt;
        text += char(b);
        mehrbytig = true;
        i += laenge;
    }
    if (!mehrbytig)
        return std::nullopt;
    return text;
}

verschl::Text Kodiert(const verschl::Text &text, Kodierung kodierung)
{
    if (kodierung == Kodierung::Windows1252)
        return text;
    verschl::Text bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            bytes += c;
            continue;
        }
        if (istUndefiniert(b)) {
            bytes += '?';
            continue;
        }
        const char16_t wert = codepage::Zeichen(b).unicode();
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

Kodierung SchreibKodierung(const verschl::Text &text, Kodierung gewuenscht)
{
    const verschl::Text bytes = Kodiert(text, gewuenscht);
    const std::optional<verschl::Text> gelesen = AlsUtf8Lesbar(bytes);
    if (gelesen.value_or(bytes) == text)
        return gewuenscht;
    return gewuenscht == Kodierung::Utf8 ? Kodierung::Windows1252 : Kodierung::Utf8;
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
    const bool hatCr = text.find('\r') != verschl::Text::npos;
    const bool hatLf = text.find('\n') != verschl::Text::npos;
    if (hatCr == hatLf || !LiestSichAlsText(text))
        return text;
    return ersetzeDurchCrLf(text, hatLf ? '\n' : '\r');
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
