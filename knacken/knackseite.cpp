// SPDX-License-Identifier: GPL-3.0-or-later
#include "knacken/knackseite.h"

#include "analyse/analyse.h"
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

void Knackseite::fokussiereSchritt()
{
    for (QWidget *w : Stapel->currentWidget()->findChildren<QWidget *>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QString Knackseite::Tipp() const { return eintraege.value(schritt).tipp; }

namespace knacken {

namespace {

// A-Z in either case, as the analysis counts them.
bool istBuchstabe(char c)
{
    const unsigned char gross = static_cast<unsigned char>(c) & 0xdf;
    return gross >= 'A' && gross <= 'Z';
}

} // namespace

QString Zeile(verschl::Text text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return codepage::AlsZeichenkette(text);
}

// A line without letters shows nothing that a shift changes.
verschl::Text ErsteZeile(const verschl::Text &text, std::size_t hoechstens)
{
    const auto buchstabe = std::find_if(text.begin(), text.end(), istBuchstabe);
    if (buchstabe == text.end())
        return text.substr(0, std::min(text.find_first_of("\r\n"), hoechstens));
    const std::size_t anfang = text.find_last_of("\r\n", std::size_t(buchstabe - text.begin()));
    const std::size_t von = anfang == verschl::Text::npos ? 0 : anfang + 1;
    return text.substr(von, std::min(text.find_first_of("\r\n", von) - von, hoechstens));
}

QString ZuWenig(const verschl::Text &text, std::uint64_t mindestens)
{
    return QStringLiteral("Zu wenig Buchstaben für eine sichere Antwort (%1 von mindestens %2).")
        .arg(analyse::Zaehle(text).summe)
        .arg(mindestens);
}

verschl::Text ErsteBuchstaben(const verschl::Text &text, std::size_t anzahl)
{
    std::size_t gezaehlt = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (istBuchstabe(text[i]) && ++gezaehlt > anzahl)
            return text.substr(0, i);
    }
    return text;
}

} // namespace knacken
