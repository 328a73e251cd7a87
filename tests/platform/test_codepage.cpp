// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"

#include <QSet>
#include <QTest>
#include <random>

using verschl::Text;

class TestCodepage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jedesByteHatEinEigenesZeichen();
    void fenster1252();
    void beispiele_data();
    void beispiele();
    void panetextRundreise();
    void zeichenketteRundreise();
    void eingabenVonAussen_data();
    void eingabenVonAussen();
};

void TestCodepage::jedesByteHatEinEigenesZeichen()
{
    QSet<QChar> gesehen;
    for (int b = 0; b < 256; ++b) {
        const QChar z = codepage::Zeichen(static_cast<unsigned char>(b));
        QVERIFY2(!gesehen.contains(z), qPrintable(QString::number(b)));
        gesehen.insert(z);
        QCOMPARE(codepage::Byte(z), static_cast<unsigned char>(b));
        // Only TAB and the soft hyphen (a real character of the code page)
        // may be invisible; every control byte needs a visible stand-in.
        if (b != '\t' && b != 0xAD)
            QVERIFY2(z.isPrint(), qPrintable(QString::number(b)));
    }
}

// Windows-1252 0x80..0x9F as published, 0 where the code page defines
// nothing; 0xA0..0xFF equal Latin-1.
void TestCodepage::fenster1252()
{
    constexpr char16_t kVeroeffentlicht[32] = { 0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020,
        0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C,
        0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178 };
    for (int b = 0x80; b < 0x100; ++b) {
        const char16_t z = codepage::Zeichen(static_cast<unsigned char>(b)).unicode();
        const char16_t soll = b < 0xA0 ? kVeroeffentlicht[b - 0x80] : char16_t(b);
        const QByteArray wo = QByteArray::number(b, 16);
        if (soll)
            QVERIFY2(z == soll, wo);
        else // undefined: a stand-in, never the invisible C1 control
            QVERIFY2(z >= 0x100, wo);
        QVERIFY2(codepage::Byte(QChar(soll ? soll : z)) == b, wo);
    }
}

void TestCodepage::beispiele_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("anzeige");
    QTest::newRow("umlauts") << QByteArray("\xC4pfel \xDF") << QStringLiteral("Äpfel ß");
    QTest::newRow("CR LF is a line break") << QByteArray("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone CR and LF are visible")
        << QByteArray("a\rb\nc") << QStringLiteral("a\u240Db\u240Ac");
    QTest::newRow("LF CR is no line break") << QByteArray("\n\r") << QStringLiteral("\u240A\u240D");
    QTest::newRow("NUL") << QByteArray("x\0y", 3) << QStringLiteral("x\u2400y");
    QTest::newRow("tab stays") << QByteArray("a\tb") << QStringLiteral("a\tb");
    QTest::newRow("no-break space") << QByteArray("\xA0") << QStringLiteral("\u00A0");
}

void TestCodepage::beispiele()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, anzeige);
    const Text text = bytes.toStdString();
    QCOMPARE(codepage::AlsPanetext(text), anzeige);
    QCOMPARE(codepage::AusPanetext(anzeige), text);
}

static Text zufallstext(std::mt19937 &zufall, int laenge)
{
    Text text;
    for (int i = 0; i < laenge; ++i)
        text += static_cast<char>(zufall() % 256);
    return text;
}

void TestCodepage::panetextRundreise()
{
    std::mt19937 zufall(7);
    for (int n = 0; n < 300; ++n) {
        const Text text = zufallstext(zufall, n);
        QCOMPARE(codepage::AusPanetext(codepage::AlsPanetext(text)), text);
    }
    // Line-break bytes in every neighbourhood, where CR LF pairing can go wrong.
    for (const char *stueck : { "\r\r\n", "\r\n\n", "\n\r\n\r", "\r\n\r\n", "\r" }) {
        QCOMPARE(codepage::AusPanetext(codepage::AlsPanetext(stueck)), Text(stueck));
    }
}

void TestCodepage::zeichenketteRundreise()
{
    std::mt19937 zufall(11);
    for (int n = 0; n < 300; ++n) {
        const Text text = zufallstext(zufall, n);
        const QString anzeige = codepage::AlsZeichenkette(text);
        QCOMPARE(anzeige.size(), qsizetype(text.size()));
        QCOMPARE(codepage::AusZeichenkette(anzeige), text);
    }
}

// What a user types or pastes: characters beyond the code page and raw
// control characters.
void TestCodepage::eingabenVonAussen_data()
{
    QTest::addColumn<QString>("anzeige");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Cyrillic becomes ?") << QStringLiteral("Ж") << QByteArray("?");
    QTest::newRow("emoji is one ?") << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << QByteArray("a\r\nb");
    QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QByteArray("a\r\nb");
    QTest::newRow("raw CR") << QStringLiteral("a\rb") << QByteArray("a\rb");
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    // No byte may show as a worksheet's mark for a blank, or a pasted worksheet line changes.
    QTest::newRow("worksheet blank")
        << QStringLiteral("Hallo\u2423Welt") << QByteArray("Hallo Welt");
}

void TestCodepage::eingabenVonAussen()
{
    QFETCH(QString, anzeige);
    QFETCH(QByteArray, bytes);
    QCOMPARE(codepage::AusPanetext(anzeige), bytes.toStdString());
}

QTEST_GUILESS_MAIN(TestCodepage)
#include "test_codepage.moc"
