// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The assignment board of breaking a substitution by hand: the cipher
// letters side by side, the most frequent first, each with its count and a
// one-letter field under it for the plain letter the pupil guesses. Typing a
// letter moves on to the next field, Backspace clears, the arrow keys walk.
// A plain letter guessed for two cipher letters is marked in both fields.

#include <array>
#include <cstdint>
#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;

class Zuordnungstafel : public QWidget
{
    Q_OBJECT
public:
    // For each cipher letter A-Z its guessed plain letter 'a'-'z', or 0.
    using Zuordnung = std::array<char, 26>;

    // One column for each letter the text has (`anzahlen`: its count of each
    // cipher letter A-Z), the most frequent first, alphabetical on a tie.
    explicit Zuordnungstafel(
        const std::array<std::uint64_t, 26> &anzahlen, QWidget *eltern = nullptr);

    const Zuordnung &Zuordnungen() const { return zuordnung; }
    // Guesses for letters without a column are kept too; zuordnungGeaendert
    // follows a change from code as well.
    void setZuordnungen(const Zuordnung &neu);
    // The field of a cipher letter (index A = 0); nullptr without its column.
    QLineEdit *Feld(int geheim) const;
    // Whether the field's plain letter is guessed for another cipher letter too.
    bool Doppelt(int geheim) const;

Q_SIGNALS:
    void zuordnungGeaendert();

protected:
    bool eventFilter(QObject *objekt, QEvent *event) override;

private:
    QLineEdit *erzeugeFeld(int geheim);
    void setze(int geheim, char klar);
    void zeigeZuordnung();
    // The focus to the field `schritte` columns on from that of `geheim`.
    void gehe(int geheim, int schritte);

    const std::array<std::uint64_t, 26> anzahlen;
    Zuordnung zuordnung {};
    std::array<QLineEdit *, 26> felder {}; // nullptr for a letter without a column
    std::array<int, 26> spalte {}; // the column of each cipher letter
    std::vector<int> reihenfolge; // the cipher letter of each column
};
