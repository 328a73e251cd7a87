// SPDX-License-Identifier: GPL-3.0-or-later
#include "matrixseite.h"

#include "analyse/analyse.h"
#include "platform/benannt.h"
#include "platform/codepage.h"
#include "platform/schriften.h"
#include "schnittstellen/methodenfenster.h"

#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// As many as the method window offers.
constexpr int kHoechstens = 100;

QPlainTextEdit *textfeld(QWidget *eltern, const char *name, const QString &zugang)
{
    auto *feld = benannt(new QPlainTextEdit(eltern), name);
    feld->setReadOnly(true);
    feld->setFont(schriften::Paneschrift());
    feld->setAccessibleName(zugang);
    return feld;
}

// One cell of the grid: a control byte as a middle dot, so every cell shows.
QString zelle(unsigned char c)
{
    return c < 0x20 ? QStringLiteral("·") : codepage::AlsZeichenkette(verschl::Text(1, char(c)));
}

} // namespace

Matrixseite::Matrixseite(verschl::Text geheim, QWidget *eltern)
    : Knackseite(std::move(geheim), eltern)
{
    auto *inhalt = new QWidget;
    auto *spalte = new QVBoxLayout(inhalt);
    auto *zeile = new QHBoxLayout;
    auto *beschriftung = new QLabel(QStringLiteral("S&paltenzahl:"), inhalt);
    SpEdSpalten = benannt(new QSpinBox(inhalt), "SpEdSpalten");
    SpEdSpalten->setRange(2, int(std::clamp<std::size_t>(Geheim().size(), 2, kHoechstens)));
    SpEdSpalten->setAccessibleName(QStringLiteral("Spaltenzahl"));
    beschriftung->setBuddy(SpEdSpalten);
    LForm = benannt(new QLabel(inhalt), "LForm");
    zeile->addWidget(beschriftung);
    zeile->addWidget(SpEdSpalten);
    zeile->addSpacing(12);
    zeile->addWidget(LForm, 1);
    MGitter = textfeld(inhalt, "MGitter", QStringLiteral("Matrix"));
    auto *lesung = new QLabel(QStringLiteral("Zeile für Zeile &gelesen:"), inhalt);
    MZeilen = textfeld(inhalt, "MZeilen", QStringLiteral("Zeile für Zeile gelesen"));
    lesung->setBuddy(MZeilen);
    spalte->addLayout(zeile);
    spalte->addWidget(MGitter, 3);
    spalte->addWidget(lesung);
    spalte->addWidget(MZeilen, 1);
    neuerSchritt(QStringLiteral("Spaltenzahl ausprobieren"),
        QStringLiteral("Die Chiffre ist Spalte für Spalte aus der Matrix gelesen. Schreibe sie in "
                       "Matrizen mit 2, 3, 4 … Spalten und lies die Zeilen: Bei der richtigen "
                       "Spaltenzahl stehen deutsche Wörter in den Zeilen. Oft ist es die "
                       "quadratische Matrix."),
        inhalt);
    connect(SpEdSpalten, &QSpinBox::valueChanged, this, [this] {
        zeigeGitter();
        Q_EMIT schluesselGeaendert();
    });
    zeigeGitter();
}

int Matrixseite::Spalten() const { return SpEdSpalten->value(); }

int Matrixseite::Quadratisch() const
{
    return int(verschl::MatrixSpalten(geheim.size(), { false, 1 }));
}

void Matrixseite::zeigeGitter()
{
    const int spalten = Spalten();
    const verschl::Text klar = entschluessele(geheim);
    QString gitter;
    gitter.reserve(qsizetype(klar.size()) * 3);
    for (std::size_t i = 0; i < klar.size(); ++i) {
        gitter += zelle(static_cast<unsigned char>(klar[i]));
        gitter += (i + 1) % std::size_t(spalten) == 0 ? QLatin1Char('\n') : QLatin1Char(' ');
    }
    MGitter->setPlainText(gitter);
    MZeilen->setPlainText(knacken::Zeile(klar));
    const qsizetype zeilen = (qsizetype(klar.size()) + spalten - 1) / spalten;
    const bool quadratisch = spalten == Quadratisch();
    const QString form = QStringLiteral("%1 Spalten, %2 Zeilen").arg(spalten).arg(zeilen)
        + (quadratisch ? QStringLiteral(" – die quadratische Matrix")
                       : QStringLiteral(" (quadratisch wären es %1 Spalten)").arg(Quadratisch()));
    LForm->setText(quadratisch ? QStringLiteral("<b>■ %1</b>").arg(form.toHtmlEscaped()) : form);
    LForm->setAccessibleName(form);
}

QString Matrixseite::zeigeLoesung()
{
    // As the analysis window: below this no answer; up to the key's minimum
    // an answer that says it is unsure.
    if (analyse::Zaehle(geheim).summe < analyse::kMindestBuchstaben)
        return knacken::ZuWenig(geheim, analyse::kMindestBuchstaben);
    const analyse::MatrixErgebnis m = analyse::AnalysiereMatrix(geheim);
    const QString sicherheit = QString::fromUtf8(analyse::SicherheitText(m.sicherheit));
    // One column leaves a text as it is.
    if (m.spalten < SpEdSpalten->minimum()) {
        return QStringLiteral("Die Analyse findet keine Umstellung: Der Text liest sich schon "
                              "so (Sicherheit: %1).")
            .arg(sicherheit);
    }
    SpEdSpalten->setValue(m.spalten);
    return QStringLiteral("Die Analyse findet %1 Spalten%2 (Sicherheit: %3).")
        .arg(m.spalten)
        .arg(m.quadratisch ? QStringLiteral(", die quadratische Matrix") : QString(), sicherheit);
}

QString Matrixseite::Schluessel() const { return QStringLiteral("%1 Spalten").arg(Spalten()); }

// The square layout only where it gives this very column count.
void Matrixseite::uebernimmSchluessel(Analyseuebernahme &methode) const
{
    methode.uebernimmMatrix(Spalten(), Spalten() == Quadratisch());
}

verschl::Text Matrixseite::entschluessele(const verschl::Text &ganz) const
{
    return verschl::MatrixEntschluesseln(ganz, { true, Spalten() });
}
