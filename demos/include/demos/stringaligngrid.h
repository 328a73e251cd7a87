// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The letter grid of the demonstrations: cells of one character each, and
// three overlay layers (entries per cell, per column, per row) that give a
// cell its own font colour and style and its own background. Drawing takes,
// separately for the font and for the brush, the cell's entry, else the
// column's, else the row's, else the grid's own. The grid keeps only what was
// set: a text filled in row by row is held as the text itself, so a matrix of
// millions of cells costs a byte per cell.

#include "cipher/verschl.h"

#include <map>
#include <memory>
#include <optional>
#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QStaticText>
#include <utility>

// A colour as the demonstrations give it: fixed, or one of the desktop's,
// looked up only when drawing, so a changed colour scheme shows at once.
class Farbe
{
public:
    enum class System { Fenster, Fensterschrift, Markierung };

    Farbe(QColor fest)
        : m_fest(fest)
    { }
    static Farbe vomSystem(System system);

    QColor aufgeloest(const QPalette &palette) const;
    bool operator==(const Farbe &andere) const = default;

private:
    Farbe() = default;
    QColor m_fest;
    std::optional<System> m_system;
};

// The pair every demonstration marks with: a marked cell has the marking
// colour as background and the marking font colour as text; an inverse cell
// has them swapped. On Windows the marking colour is the active title bar's
// (COLOR_ACTIVECAPTION), elsewhere the desktop's highlight colour; either is
// darkened where white text on it would be hard to read.
Farbe Markierungsfarbe();
Farbe Markierungsschrift();

class TStringAlignGrid;

// The font of one layer entry. Callers change only its colour and style; each
// change invalidates the grid.
class TMyFont
{
public:
    enum Stil { Normal = 0, Fett = 1, Kursiv = 2, Unterstrichen = 4, Durchgestrichen = 8 };

    Farbe Color() const { return m_farbe; }
    void setColor(Farbe farbe);
    int Style() const { return m_stil; }
    void setStyle(int stil);

private:
    friend class TStringAlignGrid;
    TMyFont(TStringAlignGrid &grid, const QFont &schrift, Farbe farbe);
    TStringAlignGrid &m_grid;
    // Family and size as the grid's font had them when this entry was made.
    QFont m_schrift;
    Farbe m_farbe;
    int m_stil;
};

// The brush of one layer entry: its colour fills the cell.
class TMyBrush
{
public:
    Farbe Color() const { return m_farbe; }
    void setColor(Farbe farbe);

private:
    friend class TStringAlignGrid;
    TMyBrush(TStringAlignGrid &grid, Farbe farbe);
    TStringAlignGrid &m_grid;
    Farbe m_farbe;
};

class TStringAlignGrid : public QAbstractScrollArea
{
    Q_OBJECT
public:
    enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

    explicit TStringAlignGrid(QWidget *parent = nullptr);
    ~TStringAlignGrid() override;

    int ColCount() const;
    void setColCount(int anzahl);
    int RowCount() const;
    void setRowCount(int anzahl);
    TScrollStyle ScrollBars() const;
    void setScrollBars(TScrollStyle art);
    int DefaultColWidth() const; // 19
    void setDefaultColWidth(int breite);
    int DefaultRowHeight() const; // 19
    void setDefaultRowHeight(int hoehe);
    int GridLineWidth() const; // 1
    void setGridLineWidth(int breite);

    // One byte per cell as the demonstrations use it; a control byte, CR or LF
    // shows as its visible stand-in, as in the panes; "&" is a character.
    verschl::Text Cells(int col, int row) const;
    void setCells(int col, int row, const verschl::Text &text);
    // Replaces every cell's text: the first `spalten` x `zeilen` cells, row
    // by row, take one byte of `text` each, a blank after its end; all other
    // cells are empty.
    void setZellenZeilenweise(verschl::Text text, int spalten, int zeilen);
    // How many entries of single cells (texts, fonts and brushes) the grid
    // holds beside what setZellenZeilenweise() filled in.
    std::size_t Zelleintraege() const { return m_zellen.size() + m_zellEintraege.size(); }

    // The grid's own font (the widget's font, colour Fensterschrift by default)
    // and background (Fenster by default).
    Farbe FontColor() const;
    void setFontColor(Farbe farbe);
    Farbe Color() const;
    void setColor(Farbe farbe);

    // A layer entry's font or brush, created on first use as a copy of the
    // grid's own at that moment. The grid owns them; any index >= 0 is fine,
    // whatever the grid's size.
    TMyFont &CellFont(int col, int row);
    TMyBrush &CellBrush(int col, int row);
    TMyFont &ColFont(int col);
    TMyBrush &ColBrush(int col);
    TMyFont &RowFont(int row);
    TMyBrush &RowBrush(int row);
    void ResetCellFont(int col, int row);
    void ResetCellBrush(int col, int row);
    void ResetAllCellFonts();
    void ResetAllColFonts();
    void ResetAllColBrushes();
    void ResetAllRowFonts();
    void ResetAllRowBrushes();

    // Whether a cell has an entry of its own: what a running light lights.
    bool HatZellFont(int col, int row) const;
    bool HatZellBrush(int col, int row) const;

    // What drawing the cell takes after the precedence cell, column, row, grid.
    QFont SchriftVon(int col, int row) const;
    QColor SchriftfarbeVon(int col, int row) const;
    QColor HintergrundVon(int col, int row) const;

    // Where the cell lies in the viewport, scrolling counted in.
    QRect ZellRechteck(int col, int row) const;

    // Paints at once, before returning; every other change only invalidates.
    void Repaint();

Q_SIGNALS:
    // After every Repaint(), so a test can record what each step showed.
    void gemalt();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TMyFont;
    friend class TMyBrush;
    void geaendert();
    void aktualisiereBalken();
    int spaltenRaster() const { return m_spaltenBreite + m_linienBreite; }
    int zeilenRaster() const { return m_zeilenHoehe + m_linienBreite; }

    struct Eintrag
    {
        std::unique_ptr<TMyFont> font;
        std::unique_ptr<TMyBrush> brush;
    };
    using Zelle = std::pair<int, int>;
    template <typename Schluessel>
    static const Eintrag *finde(const std::map<Schluessel, Eintrag> &ebene, const Schluessel &s);
    template <typename Schluessel>
    TMyFont &fontIn(std::map<Schluessel, Eintrag> &ebene, const Schluessel &s);
    template <typename Schluessel>
    TMyBrush &brushIn(std::map<Schluessel, Eintrag> &ebene, const Schluessel &s);
    template <typename Schluessel, typename Teil>
    void loesche(std::map<Schluessel, Eintrag> &ebene, const Schluessel &s,
        std::unique_ptr<Teil> Eintrag::*teil);
    template <typename Schluessel, typename Teil>
    void loescheAlle(std::map<Schluessel, Eintrag> &ebene, std::unique_ptr<Teil> Eintrag::*teil);
    const TMyFont *fontFuer(int col, int row) const;
    const TMyBrush *brushFuer(int col, int row) const;

    int m_spalten = 5;
    int m_zeilen = 5;
    TScrollStyle m_balken = TScrollStyle::ssNone;
    int m_spaltenBreite = 19;
    int m_zeilenHoehe = 19;
    int m_linienBreite = 1;
    Farbe m_schriftfarbe = Farbe::vomSystem(Farbe::System::Fensterschrift);
    Farbe m_farbe = Farbe::vomSystem(Farbe::System::Fenster);
    verschl::Text zeilenweise(int col, int row) const;
    std::map<Zelle, verschl::Text> m_zellen;
    verschl::Text m_zeilenweise;
    int m_zeilenweiseSpalten = 0;
    qsizetype m_zeilenweiseZellen = 0;
    std::map<Zelle, Eintrag> m_zellEintraege;
    std::map<int, Eintrag> m_spaltenEintraege;
    std::map<int, Eintrag> m_zeilenEintraege;
    // Laid-out cell texts by font and text, for painting only.
    QHash<QString, QStaticText> m_textspeicher;
};
