// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"

#include <array>

namespace codepage {
namespace {

constexpr char16_t kUndefiniert = 0; // marks the five bytes Windows-1252 leaves open

// Windows-1252 0x80..0x9F; the rest of 0xA0..0xFF equals Latin-1.
constexpr std::array<char16_t, 32> kObereSteuerzone = {
    u'\u20AC',
    kUndefiniert,
    u'\u201A',
    u'\u0192',
    u'\u201E',
    u'\u2026',
    u'\u2020',
    u'\u2021',
    u'\u02C6',
    u'\u2030',
    u'\u0160',
    u'\u2039',
    u'\u0152',
    kUndefiniert,
    u'\u017D',
    kUndefiniert,
    kUndefiniert,
    u'\u2018',
    u'\u2019',
    u'\u201C',
    u'\u201D',
    u'\u2022',
    u'\u2013',
    u'\u2014',
    u'\u02DC',
    u'\u2122',
    u'\u0161',
    u'\u203A',
    u'\u0153',
    kUndefiniert,
    u'\u017E',
    u'\u0178',
};

// Visible, distinct stand-ins for the undefined bytes 0x81, 0x8D, 0x8F, 0x90,
// 0x9D, mostly from the control-pictures block next to the ones used for the
// control bytes, so none of them can be confused with real text. 0x8D does
// not take the open box U+2423 there: worksheets mark every blank with it.
constexpr std::array<char16_t, 5> kErsatzFuerUndefinierte
    = { u'\u2422', u'\u2327', u'\u2424', u'\u2425', u'\u2426' };
// The open box marks a blank on a worksheet; pasted back from one, it is that blank.
constexpr char16_t kSichtbaresLeerzeichen = u'\u2423';

std::array<char16_t, 256> baueZeichentabelle()
{
    std::array<char16_t, 256> tabelle {};
    std::size_t naechsterErsatz = 0;
    for (int b = 0; b < 256; ++b) {
        char16_t z;
        if (b == '\t')
            z = u'\t';
        else if (b < 0x20)
            z = static_cast<char16_t>(0x2400 + b); // control pictures: NUL is U+2400
        else if (b == 0x7F)
            z = u'\u2421';
        else if (b >= 0x80 && b < 0xA0)
            z = kObereSteuerzone[static_cast<std::size_t>(b - 0x80)];
        else
            z = static_cast<char16_t>(b);
        if (z == kUndefiniert)
            z = kErsatzFuerUndefinierte[naechsterErsatz++];
        tabelle[static_cast<std::size_t>(b)] = z;
    }
    return tabelle;
}

std::array<unsigned char, 65536> baueBytetabelle(const std::array<char16_t, 256> &zeichen)
{
    std::array<unsigned char, 65536> tabelle;
    tabelle.fill('?');
    // Raw control characters can arrive by pasting; they keep their byte.
    for (int b = 0; b < 0x20; ++b)
        tabelle[static_cast<std::size_t>(b)] = static_cast<unsigned char>(b);
    tabelle[0x7F] = 0x7F;
    for (int b = 0; b < 256; ++b)
        tabelle[zeichen[static_cast<std::size_t>(b)]] = static_cast<unsigned char>(b);
    tabelle[kSichtbaresLeerzeichen] = ' ';
    return tabelle;
}

const std::array<char16_t, 256> &zeichentabelle()
{
    static const auto tabelle = baueZeichentabelle();
    return tabelle;
}

const std::array<unsigned char, 65536> &bytetabelle()
{
    static const auto tabelle = baueBytetabelle(zeichentabelle());
    return tabelle;
}

bool istZeilenumbruch(char16_t c) { return c == u'\n' || c == u'\u2029' || c == u'\u2028'; }

// Writes the bytes for one run of characters; `zeilen` decides whether line
// break characters become CR LF (pane) or stand for the single byte LF.
verschl::Text ausZeichen(QStringView anzeige, bool zeilen)
{
    const auto &bytes = bytetabelle();
    verschl::Text text;
    text.reserve(static_cast<std::size_t>(anzeige.size()));
    const qsizetype n = anzeige.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = anzeige[i].unicode();
        if (zeilen && istZeilenumbruch(c)) {
            text += "\r\n";
        } else if (QChar::isHighSurrogate(c) && i + 1 < n
            && QChar::isLowSurrogate(anzeige[i + 1].unicode())) {
            text += '?'; // one character outside Windows-1252, one question mark
            ++i;
        } else {
            text += static_cast<char>(bytes[c]);
        }
    }
    return text;
}

} // namespace

QChar Zeichen(unsigned char b) { return QChar(zeichentabelle()[b]); }

unsigned char Byte(QChar c) { return bytetabelle()[c.unicode()]; }

QString AlsPanetext(const verschl::Text &text)
{
    const auto &zeichen = zeichentabelle();
    QString anzeige(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar *ziel = anzeige.data();
    qsizetype laenge = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\r' && i + 1 < n && text[i + 1] == '\n') {
            ziel[laenge++] = u'\n';
            ++i;
        } else {
            ziel[laenge++] = zeichen[b];
        }
    }
    anzeige.truncate(laenge);
    return anzeige;
}

verschl::Text AusPanetext(QStringView anzeige) { return ausZeichen(anzeige, true); }

QString AlsZeichenkette(const verschl::Text &text)
{
    const auto &zeichen = zeichentabelle();
    QString anzeige(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar *ziel = anzeige.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        ziel[i] = zeichen[static_cast<unsigned char>(text[i])];
    return anzeige;
}

verschl::Text AusZeichenkette(QStringView anzeige) { return ausZeichen(anzeige, false); }

qsizetype Utf8Laenge(const unsigned char *p, qsizetype n)
{
    const unsigned char b = p[0];
    if (b < 0x80)
        return 1;
    // Lead bytes C0, C1 and F5..FF never start a sequence; E0, F0 and F4 are
    // checked through the value below (too long a form, beyond U+10FFFF).
    const qsizetype laenge = b >= 0xC2 && b <= 0xDF ? 2
        : b >= 0xE0 && b <= 0xEF                    ? 3
        : b >= 0xF0 && b <= 0xF4                    ? 4
                                                    : 0;
    if (laenge == 0 || laenge > n)
        return 0;
    char32_t wert = b & (0x7F >> laenge);
    for (qsizetype i = 1; i < laenge; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        wert = (wert << 6) | (p[i] & 0x3F);
    }
    const bool zuLang = (laenge == 3 && wert < 0x800) || (laenge == 4 && wert < 0x10000);
    const bool ungueltig = wert > 0x10FFFF || (wert >= 0xD800 && wert <= 0xDFFF);
    return zuLang || ungueltig ? 0 : laenge;
}

bool IstUtf8(const verschl::Text &text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto n = qsizetype(text.size());
    for (qsizetype i = 0; i < n;) {
        const qsizetype laenge = Utf8Laenge(p + i, n - i);
        if (laenge == 0)
            return false;
        i += laenge;
    }
    return true;
}

bool IstBuchstabe(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

QString NurBuchstaben(QStringView text)
{
    QString buchstaben;
    for (QChar c : text) {
        if (IstBuchstabe(c))
            buchstaben += c;
    }
    return buchstaben;
}

} // namespace codepage
