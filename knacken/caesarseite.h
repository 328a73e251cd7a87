// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaking Caesar in three steps: counting the letters, sliding the cipher
// alphabet until its bars lie over German's, and trying all 25 shifts on the
// first line. The three steps share one chosen shift.

#include "analyse/analyse.h"
#include "knacken/knackseite.h"

class Alphabetstreifen;
class Buchstabendiagramm;
class QLabel;
class QListWidget;
class QPlainTextEdit;

class Caesarseite : public Knackseite
{
    Q_OBJECT
public:
    explicit Caesarseite(verschl::Text geheim, QWidget *eltern = nullptr);

    QString zeigeLoesung() override;
    QString Schluessel() const override;
    void uebernimmSchluessel(Analyseuebernahme &methode) const override;
    verschl::Text entschluessele(const verschl::Text &ganz) const override;

    // The shift that encrypted: plain A became the letter at this index.
    void setVerschiebung(int verschiebung);

private:
    QWidget *erzeugeZaehlen();
    QWidget *erzeugeVerschieben();
    QWidget *erzeugeDurchprobieren();
    void zeigeVerschiebung();

    const analyse::Haeufigkeiten haeufigkeiten;
    int verschiebung = 0;

    Buchstabendiagramm *DZaehlen = nullptr;
    QLabel *LZaehlen = nullptr;
    Alphabetstreifen *Streifen = nullptr;
    Buchstabendiagramm *DVerschieben = nullptr;
    QPlainTextEdit *MVorschau = nullptr;
    QListWidget *LWVersuche = nullptr;
};
