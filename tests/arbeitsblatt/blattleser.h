// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a worksheet back as a pupil or teacher would: its paragraphs, the
// ciphertext lines, the figures with the tables they carry, and clicking the
// window's buttons.

#include "arbeitsblatt/arbeitsblatt.h"
#include "cipher/verschl.h"

#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace blattleser {

using namespace Qt::StringLiterals;

inline verschl::Text buchstaben(std::size_t anzahl)
{
    verschl::Text text;
    for (std::size_t i = 0; i < anzahl; ++i)
        text += char('a' + i % 26);
    return text;
}

// The paragraphs of a sheet after the heading `ueberschrift`, up to the next
// empty one, joined by LF: a pupil counts a line end as one character.
inline QString absatzNach(const QTextDocument &blatt, const QString &ueberschrift)
{
    const QStringList absaetze = blatt.toRawText().split(QChar::ParagraphSeparator);
    QStringList zeilen;
    for (qsizetype i = absaetze.indexOf(ueberschrift) + 1;
         i > 0 && i < absaetze.size() && !absaetze[i].isEmpty(); ++i)
        zeilen << absaetze[i];
    return zeilen.join(u'\n');
}

// What a worksheet shows, read back from its document: each variant's
// ciphertext lines, and from the answer pages each variant's key.
struct Gelesen
{
    QList<QStringList> geheim;
    QStringList varianten;
    QStringList schluessel;
};

// The line of ciphertext a room to answer stands for: the one text of the
// one figure whose format carries switches (how to answer) besides.
inline QString geheimzeile(const QTextBlock &block)
{
    for (auto teil = block.begin(); !teil.atEnd(); ++teil) {
        if (teil.fragment().text() != QChar::ObjectReplacementCharacter)
            continue;
        const auto werte = teil.fragment().charFormat().properties();
        const auto text = std::find_if(werte.begin(), werte.end(),
            [](const QVariant &wert) { return wert.typeId() == QMetaType::QString; });
        const bool schalter = std::any_of(werte.begin(), werte.end(),
            [](const QVariant &wert) { return wert.typeId() == QMetaType::Bool; });
        if (text != werte.end() && schalter)
            return text->toString();
    }
    return {};
}

inline Gelesen lies(const QTextDocument &blatt)
{
    Gelesen g;
    bool loesung = false;
    for (QTextBlock block = blatt.begin(); block.isValid(); block = block.next()) {
        const QString a = block.text();
        loesung = loesung || a.startsWith(u"Lösung: "_s);
        if (!loesung && a == Blattwahl().titel)
            g.geheim.append(QStringList());
        else if (!loesung && !geheimzeile(block).isEmpty())
            g.geheim.last() << geheimzeile(block);
        else if (!loesung && a.startsWith(u"Variante "_s))
            g.varianten << a;
        else if (loesung
            && QRegularExpression(u"^(Verschiebung|Schlüssel|Spaltenzahl|Geheimalphabet): "_s)
                   .match(a)
                   .hasMatch())
            g.schluessel << a;
    }
    return g;
}

// A ciphertext decrypted with the key as the answer pages give it.
inline verschl::Text entschluessle(const verschl::Text &geheim, const QString &schluessel)
{
    const QString wert = schluessel.section(u' ', 1, 1);
    if (schluessel.startsWith(u"Verschiebung"_s))
        return verschl::CaesarVerschieben(geheim, -wert.toInt());
    if (schluessel.startsWith(u"Spaltenzahl"_s))
        return verschl::MatrixEntschluesseln(geheim, { true, wert.toInt() });
    if (schluessel.startsWith(u"Geheimalphabet"_s))
        return *verschl::SubstitutionEntschluesseln(geheim, wert.toStdString());
    return *verschl::VigenereEntschluesseln(
        geheim, wert.toStdString(), schluessel.endsWith(u"ja)"_s));
}

// The figures of one variant: the tables (header, then cells row by row)
// and filled grids of its sheet and of its answer. A table's format carries
// two string lists, a filled grid's one.
struct Figuren
{
    QList<QStringList> tabellen[2]; // [0] the sheet, [1] the answer: header + cells
    QStringList gitter; // the answer's grid, cell by cell
    QStringList absaetze[2];
};

inline QList<Figuren> figuren(const QTextDocument &blatt)
{
    QList<Figuren> varianten;
    int teil = 0;
    int antwort = 0;
    for (QTextBlock block = blatt.begin(); block.isValid(); block = block.next()) {
        const QString a = block.text();
        teil = a.startsWith(u"Lösung: "_s) ? 1 : teil;
        if (teil == 0 && a == Blattwahl().titel)
            varianten.append(Figuren());
        if (teil == 1 && a.startsWith(u"Variante "_s))
            antwort = a.mid(9).toInt() - 1;
        Figuren &f = varianten[teil == 0 ? varianten.size() - 1 : antwort];
        f.absaetze[teil] << a;
        QList<QStringList> listen;
        for (auto stueck = block.begin(); !stueck.atEnd(); ++stueck) {
            if (stueck.fragment().text() != QChar::ObjectReplacementCharacter)
                continue;
            for (const QVariant &wert : stueck.fragment().charFormat().properties()) {
                if (wert.typeId() == QMetaType::QStringList)
                    listen << wert.toStringList();
            }
        }
        if (listen.size() == 2)
            f.tabellen[teil] << listen[0] + listen[1];
        else if (listen.size() == 1)
            f.gitter << listen[0];
    }
    return varianten;
}

inline void klicke(TArbeitsblattForm &blatt, const QString &knopf)
{
    QTest::mouseClick(blatt.findChild<QPushButton *>(knopf), Qt::LeftButton);
}

} // namespace blattleser
