// SPDX-License-Identifier: GPL-3.0-or-later
#include "bausteine/zuordnungstafel.h"

#include <algorithm>
#include <numeric>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

constexpr int kBuchstaben = 26;

QString geheimbuchstabe(int index) { return QString(QChar(u'A' + index)); }

// A plain letter as typed, in lower case; 0 for anything else.
char klarbuchstabe(const QString &text)
{
    const char16_t u = text.isEmpty() ? 0 : text[0].toLower().unicode();
    return u >= u'a' && u <= u'z' ? static_cast<char>(u) : 0;
}

} // namespace

Zuordnungstafel::Zuordnungstafel(const std::array<std::uint64_t, 26> &anzahlen, QWidget *eltern)
    : QWidget(eltern)
    , anzahlen(anzahlen)
{
    reihenfolge.resize(kBuchstaben);
    std::iota(reihenfolge.begin(), reihenfolge.end(), 0);
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(),
        [&anzahlen](int a, int b) { return anzahlen[std::size_t(a)] > anzahlen[std::size_t(b)]; });
    std::erase_if(reihenfolge, [&anzahlen](int g) { return anzahlen[std::size_t(g)] == 0; });

    auto *gitter = new QGridLayout(this);
    gitter->setContentsMargins(0, 0, 0, 0);
    gitter->setHorizontalSpacing(2);
    gitter->setVerticalSpacing(1);
    QFont fett = font();
    fett.setBold(true);
    for (std::size_t s = 0; s < reihenfolge.size(); ++s) {
        const int g = reihenfolge[s];
        const auto n = anzahlen[std::size_t(g)];
        auto *kopf = new QLabel(geheimbuchstabe(g), this);
        kopf->setFont(fett);
        auto *anzahl = new QLabel(QString::number(n), this);
        for (QLabel *l : { kopf, anzahl })
            l->setAlignment(Qt::AlignCenter);
        spalte[std::size_t(g)] = int(s);
        felder[std::size_t(g)] = erzeugeFeld(g);
        gitter->addWidget(kopf, 0, int(s));
        gitter->addWidget(anzahl, 1, int(s));
        gitter->addWidget(felder[std::size_t(g)], 2, int(s));
    }
    gitter->setColumnStretch(int(reihenfolge.size()), 1);
    zeigeZuordnung();
}

QLineEdit *Zuordnungstafel::erzeugeFeld(int g)
{
    static const QRegularExpression nurBuchstaben(QStringLiteral("[A-Za-z]?"));
    auto *feld = new QLineEdit(this);
    feld->setObjectName(QStringLiteral("EdKlar") + geheimbuchstabe(g));
    feld->setMaxLength(1);
    feld->setAlignment(Qt::AlignCenter);
    feld->setFixedWidth(fontMetrics().horizontalAdvance(u'W') * 2 + 8);
    feld->setValidator(new QRegularExpressionValidator(nurBuchstaben, feld));
    feld->setAccessibleName(QStringLiteral("Klartext für %1").arg(geheimbuchstabe(g)));
    feld->installEventFilter(this);
    // Pasting, and the field's own menu, go past the keys.
    connect(feld, &QLineEdit::textEdited, this,
        [this, g](const QString &text) { setze(g, klarbuchstabe(text)); });
    return feld;
}

QLineEdit *Zuordnungstafel::Feld(int geheim) const
{
    return geheim >= 0 && geheim < kBuchstaben ? felder[std::size_t(geheim)] : nullptr;
}

bool Zuordnungstafel::Doppelt(int geheim) const
{
    const char k = zuordnung[std::size_t(geheim)];
    return k != 0 && std::count(zuordnung.begin(), zuordnung.end(), k) > 1;
}

void Zuordnungstafel::setZuordnungen(const Zuordnung &neu)
{
    if (neu == zuordnung)
        return;
    zuordnung = neu;
    zeigeZuordnung();
    Q_EMIT zuordnungGeaendert();
}

void Zuordnungstafel::setze(int geheim, char klar)
{
    Zuordnung neu = zuordnung;
    neu[std::size_t(geheim)] = klar;
    setZuordnungen(neu);
}

void Zuordnungstafel::zeigeZuordnung()
{
    for (int g = 0; g < kBuchstaben; ++g) {
        QLineEdit *feld = felder[std::size_t(g)];
        if (!feld)
            continue;
        const char k = zuordnung[std::size_t(g)];
        const QString text = k ? QString(QLatin1Char(k)) : QString();
        if (feld->text() != text)
            feld->setText(text);
        QPalette farben;
        QString warnung;
        if (Doppelt(g)) {
            farben.setColor(QPalette::Base, QColor(255, 190, 190));
            farben.setColor(QPalette::Text, Qt::black);
            warnung = QStringLiteral("%1 steht auch für einen anderen Geheimbuchstaben").arg(text);
        }
        feld->setPalette(farben);
        feld->setToolTip(warnung);
        const QString vorkommen = QStringLiteral("%1 kommt %2-mal vor")
                                      .arg(geheimbuchstabe(g))
                                      .arg(anzahlen[std::size_t(g)]);
        feld->setAccessibleDescription(
            warnung.isEmpty() ? vorkommen : vorkommen + QStringLiteral("; ") + warnung);
    }
}

void Zuordnungstafel::gehe(int geheim, int schritte)
{
    const int s
        = std::clamp(spalte[std::size_t(geheim)] + schritte, 0, int(reihenfolge.size()) - 1);
    felder[std::size_t(reihenfolge[std::size_t(s)])]->setFocus(Qt::TabFocusReason);
}

bool Zuordnungstafel::eventFilter(QObject *objekt, QEvent *event)
{
    const auto feld = std::find(felder.begin(), felder.end(), objekt);
    if (event->type() != QEvent::KeyPress || feld == felder.end())
        return QWidget::eventFilter(objekt, event);
    const int g = int(feld - felder.begin());
    const auto *taste = static_cast<QKeyEvent *>(event);
    if (taste->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (taste->key()) {
    case Qt::Key_Backspace:
        // On an empty field, the pupil means the one before.
        if (zuordnung[std::size_t(g)] == 0 && spalte[std::size_t(g)] > 0) {
            gehe(g, -1);
            setze(reihenfolge[std::size_t(spalte[std::size_t(g)] - 1)], 0);
        } else {
            setze(g, 0);
        }
        return true;
    case Qt::Key_Delete:
        setze(g, 0);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        gehe(g, taste->key() == Qt::Key_Left ? -1 : 1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        gehe(g, taste->key() == Qt::Key_Home ? -kBuchstaben : kBuchstaben);
        return true;
    default:
        break;
    }
    if (const char k = klarbuchstabe(taste->text())) {
        // A key held down would fill the fields after it with its letter.
        if (taste->isAutoRepeat())
            return true;
        setze(g, k);
        gehe(g, 1);
        return true;
    }
    // Other characters would only be refused by the field; Tab and Enter go on.
    return !taste->text().isEmpty() && taste->text()[0].isPrint();
}
