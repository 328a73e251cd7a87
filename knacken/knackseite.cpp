// SPDX-License-Identifier: GPL-3.0-or-later
#include "knacken/knackseite.h"

#include "platform/benannt.h"
#include "platform/codepage.h"

#include <algorithm>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

Knackseite::Knackseite(verschl::Text geheim, QWidget *eltern)
    : QWidget(eltern)
    , geheim(std::move(geheim))
    , LSchritt(benannt(new QLabel(this), "LSchritt"))
    , Stapel(benannt(new QStackedWidget(this), "Stapel"))
{
    QFont gross = LSchritt->font();
    gross.setBold(true);
    gross.setPixelSize(gross.pixelSize() > 0 ? gross.pixelSize() * 5 / 4 : 15);
    LSchritt->setFont(gross);
    auto *spalte = new QVBoxLayout(this);
    spalte->addWidget(LSchritt);
    spalte->addWidget(Stapel, 1);
}

int Knackseite::Schritte() const { return int(eintraege.size()); }

void Knackseite::neuerSchritt(const QString &titel, const QString &tipp, QWidget *inhalt)
{
    eintraege.append({ titel, tipp });
    Stapel->addWidget(inhalt);
    setSchritt(schritt);
}

void Knackseite::setSchritt(int neu)
{
    schritt = std::clamp(neu, 0, std::max(Schritte() - 1, 0));
    Stapel->setCurrentIndex(schritt);
    const QString titel = QStringLiteral("Schritt %1 von %2: %3")
                              .arg(schritt + 1)
                              .arg(Schritte())
                              .arg(eintraege.value(schritt).titel);
    LSchritt->setText(titel);
    Stapel->setAccessibleName(titel);
    Q_EMIT schrittGewechselt();
}

QString Knackseite::Tipp() const { return eintraege.value(schritt).tipp; }

namespace knacken {

QString Zeile(verschl::Text text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return codepage::AlsZeichenkette(text);
}

verschl::Text ErsteZeile(const verschl::Text &text, std::size_t hoechstens)
{
    const std::size_t ende = std::min(text.find_first_of("\r\n"), hoechstens);
    return text.substr(0, ende);
}

verschl::Text ErsteBuchstaben(const verschl::Text &text, std::size_t anzahl)
{
    std::size_t gezaehlt = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]) & 0xdf;
        if (c >= 'A' && c <= 'Z' && ++gezaehlt == anzahl)
            return text.substr(0, i + 1);
    }
    return text;
}

} // namespace knacken
