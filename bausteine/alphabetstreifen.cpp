// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/alphabetstreifen.h"

#include "platform/benannt.h"

#include <cmath>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kBuchstaben = 26;

QChar buchstabe(int index) { return QChar(u'A' + (index % kBuchstaben)); }

int modulo(int wert) { return ((wert % kBuchstaben) + kBuchstaben) % kBuchstaben; }

} // namespace

class Alphabetstreifen::Streifen : public QWidget
{
public:
    explicit Streifen(Alphabetstreifen &besitzer)
        : QWidget(&besitzer)
        , besitzer(besitzer)
    {
        setFocusPolicy(Qt::StrongFocus);
        setCursor(Qt::SizeHorCursor);
        setAccessibleName(QStringLiteral("Alphabetstreifen"));
    }

    QSize sizeHint() const override
    {
        return { kopfbreite() + kBuchstaben * zelle(), 2 * zelle() + 2 };
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override
    {
        ziehAnfang = event->position().x();
        ziehVerschiebung = besitzer.verschiebung;
    }
    // The lower row follows the mouse a whole letter at a time.
    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const double zellen = (event->position().x() - ziehAnfang) / zelle();
        besitzer.setVerschiebung(ziehVerschiebung - int(std::lround(zellen)));
    }

private:
    int zelle() const { return fontMetrics().height() + 6; }
    int kopfbreite() const
    {
        return fontMetrics().horizontalAdvance(QStringLiteral("Chiffre ")) + 4;
    }

    Alphabetstreifen &besitzer;
    double ziehAnfang = 0;
    int ziehVerschiebung = 0;
};

void Alphabetstreifen::Streifen::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        besitzer.setVerschiebung(besitzer.verschiebung + 1);
        break;
    case Qt::Key_Right:
        besitzer.setVerschiebung(besitzer.verschiebung - 1);
        break;
    case Qt::Key_Home:
        besitzer.setVerschiebung(0);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Alphabetstreifen::Streifen::paintEvent(QPaintEvent *)
{
    QPainter maler(this);
    const QPalette &p = palette();
    const int z = zelle();
    const int links = kopfbreite();
    QFont fett = font();
    fett.setBold(true);
    for (int zeile = 0; zeile < 2; ++zeile) {
        const int oben = zeile * (z + 2);
        maler.setPen(p.color(QPalette::WindowText));
        maler.setFont(font());
        maler.drawText(QRect(0, oben, links, z), Qt::AlignVCenter | Qt::AlignLeft,
            zeile == 0 ? QStringLiteral("Klar") : QStringLiteral("Chiffre"));
        maler.setFont(fett);
        for (int i = 0; i < kBuchstaben; ++i) {
            const QRect feld(links + i * z, oben, z - 1, z);
            maler.fillRect(feld,
                p.color(zeile == 0 ? QPalette::AlternateBase
                                   : (hasFocus() ? QPalette::Highlight : QPalette::Button)));
            maler.setPen(
                p.color(zeile == 1 && hasFocus() ? QPalette::HighlightedText : QPalette::Text));
            maler.drawText(feld, Qt::AlignCenter,
                QString(buchstabe(zeile == 0 ? i : i + besitzer.verschiebung)));
        }
    }
}

Alphabetstreifen::Alphabetstreifen(QWidget *eltern)
    : QWidget(eltern)
    , streifen(benannt(new Streifen(*this), "Reihen"))
    , liste(benannt(new QComboBox(this), "CBVerschiebung"))
{
    for (int n = 0; n < kBuchstaben; ++n)
        liste->addItem(QStringLiteral("%1 (A → %2)").arg(n).arg(buchstabe(n)));
    liste->setAccessibleName(QStringLiteral("Verschiebung"));
    liste->setMaxVisibleItems(13);
    auto *beschriftung = new QLabel(QStringLiteral("&Verschiebung:"), this);
    beschriftung->setBuddy(liste);
    auto *reihe = new QHBoxLayout(this);
    reihe->setContentsMargins(0, 0, 0, 0);
    reihe->addWidget(streifen);
    reihe->addSpacing(12);
    reihe->addWidget(beschriftung);
    reihe->addWidget(liste);
    reihe->addStretch();
    setFocusProxy(streifen);
    connect(liste, &QComboBox::activated, this, &Alphabetstreifen::setVerschiebung);
    setVerschiebung(0);
}

void Alphabetstreifen::setVerschiebung(int neu)
{
    neu = modulo(neu);
    const bool anders = neu != verschiebung;
    verschiebung = neu;
    liste->setCurrentIndex(neu);
    streifen->setAccessibleDescription(
        QStringLiteral("Verschiebung %1: A wird zu %2. Pfeiltasten verschieben.")
            .arg(neu)
            .arg(buchstabe(neu)));
    streifen->update();
    if (anders)
        Q_EMIT verschiebungGeaendert(neu);
}
