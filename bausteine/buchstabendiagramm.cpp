// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/buchstabendiagramm.h"

#include "platform/farben.h"

#include <algorithm>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>

namespace {

constexpr int kBuchstaben = 26;

QChar buchstabe(int index) { return QChar(u'A' + index); }

QString prozent(double wert) { return QLocale().toString(wert, 'f', 1) + QStringLiteral(" %"); }

double deutsch(int index) { return 100.0 * analyse::DeutscheBuchstaben()[std::size_t(index)]; }

} // namespace

Buchstabendiagramm::Buchstabendiagramm(QWidget *eltern)
    : QWidget(eltern)
{
    setAccessibleName(QStringLiteral("Buchstabenhäufigkeiten"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Reachable by Tab also where it only shows, so a screen reader reads it.
    setFocusPolicy(Qt::StrongFocus);
    beschreibe();
}

void Buchstabendiagramm::setHaeufigkeiten(const analyse::Haeufigkeiten &neu)
{
    haeufigkeiten = neu;
    const auto &b = haeufigkeiten.buchstaben;
    haeufigster
        = haeufigkeiten.summe == 0 ? -1 : int(std::max_element(b.begin(), b.end()) - b.begin());
    beschreibe();
    update();
}

void Buchstabendiagramm::setVerschiebung(int neu)
{
    verschiebung = ((neu % kBuchstaben) + kBuchstaben) % kBuchstaben;
    beschreibe();
    update();
}

void Buchstabendiagramm::setVerschiebbar(bool an)
{
    verschiebbar = an;
    beschreibe();
}

double Buchstabendiagramm::anteil(int index) const
{
    return haeufigkeiten.summe == 0 ? 0
                                    : 100.0 * double(haeufigkeiten.buchstaben[std::size_t(index)])
            / double(haeufigkeiten.summe);
}

void Buchstabendiagramm::beschreibe()
{
    QString text = QStringLiteral("Deutsch: E am häufigsten (%1).").arg(prozent(deutsch(4)));
    if (haeufigster >= 0) {
        text += QStringLiteral(" Chiffre: %1 am häufigsten (%2).")
                    .arg(buchstabe(haeufigster))
                    .arg(prozent(anteil(haeufigster)));
    }
    if (verschiebung != 0) {
        text += QStringLiteral(" Die Balken der Chiffre sind um %1 verschoben: über A steht %2.")
                    .arg(verschiebung)
                    .arg(buchstabe(verschiebung));
    }
    if (verschiebbar)
        text += QStringLiteral(" Pfeiltasten verschieben.");
    setAccessibleDescription(text);
    setToolTip(text);
}

QSize Buchstabendiagramm::sizeHint() const
{
    return { kBuchstaben * 4 * fontMetrics().averageCharWidth(), 12 * fontMetrics().height() };
}

QSize Buchstabendiagramm::minimumSizeHint() const
{
    return { kBuchstaben * 2 * fontMetrics().averageCharWidth(), 7 * fontMetrics().height() };
}

void Buchstabendiagramm::keyPressEvent(QKeyEvent *event)
{
    // The bars move the way the arrow points, as the alphabet strip does.
    const int schritt = event->key() == Qt::Key_Left ? 1 : event->key() == Qt::Key_Right ? -1 : 0;
    if (!verschiebbar || schritt == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Q_EMIT verschiebungGewaehlt((verschiebung + schritt + kBuchstaben) % kBuchstaben);
}

// Two rows of letters below the bars: German's letter p, and under it the
// text's letter p + n whose bar stands there.
void Buchstabendiagramm::paintEvent(QPaintEvent *)
{
    QPainter maler(this);
    const QPalette &p = palette();
    const QColor grund = p.color(QPalette::Base);
    maler.fillRect(rect(), grund);
    const QColor schrift = p.color(QPalette::Text);
    const QColor chiffre = farben::Lesbar(QColor(0x1f, 0x6f, 0xc0), grund, 3);
    const QColor markiert = farben::Lesbar(QColor(0xe0, 0x6c, 0x00), grund, 3);
    const QColor deutschfarbe = farben::Lesbar(QColor(0x90, 0x90, 0x90), grund, 2);
    const QFontMetrics m = fontMetrics();
    const int zeile = m.height();
    const QRect flaeche = rect().adjusted(4, zeile + 6, -4, -(2 * zeile + 4));
    if (flaeche.height() < 4 || flaeche.width() < kBuchstaben)
        return;

    double hoechster = 1;
    for (int i = 0; i < kBuchstaben; ++i)
        hoechster = std::max({ hoechster, anteil(i), deutsch(i) });
    const double breite = double(flaeche.width()) / kBuchstaben;
    const auto balken = [&](int stelle, int haelfte, double wert, const QColor &farbe) {
        const double hoehe = wert / hoechster * flaeche.height();
        const double links = flaeche.left() + stelle * breite + breite * (0.1 + 0.4 * haelfte);
        maler.fillRect(QRectF(links, flaeche.bottom() - hoehe, breite * 0.4, hoehe), farbe);
    };

    int links = 4;
    maler.setPen(schrift);
    for (const auto &[farbe, name] : { std::pair(deutschfarbe, QStringLiteral("Deutsch")),
             std::pair(chiffre, QStringLiteral("Chiffre")),
             std::pair(markiert, QStringLiteral("häufigster Buchstabe der Chiffre")) }) {
        maler.fillRect(links, 2 + zeile / 4, zeile / 2, zeile / 2, farbe);
        links += zeile;
        maler.drawText(links, 2 + m.ascent(), name);
        links += m.horizontalAdvance(name) + zeile;
    }
    QFont fett = font();
    fett.setBold(true);
    for (int stelle = 0; stelle < kBuchstaben; ++stelle) {
        const int text = (stelle + verschiebung) % kBuchstaben;
        const bool haeufigst = text == haeufigster;
        balken(stelle, 0, deutsch(stelle), deutschfarbe);
        balken(stelle, 1, anteil(text), haeufigst ? markiert : chiffre);
        const QRectF spalte(flaeche.left() + stelle * breite, flaeche.bottom() + 2, breite, zeile);
        maler.setPen(schrift);
        maler.setFont(font());
        maler.drawText(spalte, Qt::AlignCenter, QString(buchstabe(stelle)));
        maler.setPen(haeufigst ? markiert : chiffre);
        maler.setFont(haeufigst ? fett : font());
        maler.drawText(spalte.translated(0, zeile), Qt::AlignCenter, QString(buchstabe(text)));
    }
    maler.setFont(font());
    maler.setPen(schrift);
    maler.drawLine(flaeche.bottomLeft(), flaeche.bottomRight());
    if (hasFocus()) {
        maler.setPen(QPen(p.color(QPalette::Highlight), 1, Qt::DotLine));
        maler.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
