// SPDX-License-Identifier: GPL-3.0-or-later
#include "demos/stringaligngrid.h"

#include "gitterzugang.h"
#include "platform/codepage.h"
#include "platform/farben.h"
#include "platform/schriften.h"

#include <algorithm>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

QColor markierungVomSystem(const QPalette &palette)
{
#ifdef Q_OS_WIN
    // The demonstrations mark with the title bar's colour, which Qt's
    // palette does not carry.
    Q_UNUSED(palette);
    const DWORD farbe = GetSysColor(COLOR_ACTIVECAPTION);
    return QColor(GetRValue(farbe), GetGValue(farbe), GetBValue(farbe));
#else
    return palette.color(QPalette::Highlight);
#endif
}

} // namespace

Farbe Farbe::vomSystem(System system)
{
    Farbe farbe;
    farbe.m_system = system;
    return farbe;
}

QColor Farbe::aufgeloest(const QPalette &palette) const
{
    if (!m_system)
        return m_fest;
    switch (*m_system) {
    case System::Fenster:
        return palette.color(QPalette::Base);
    case System::Fensterschrift:
        return palette.color(QPalette::Text);
    case System::Markierung: {
        // White text has to stay readable on it, whatever the desktop's
        // colour scheme makes of it: many give a light blue. Worked out once
        // per desktop colour, not for every marked cell at every paint.
        static QColor vomSystem, lesbar;
        if (const QColor neu = markierungVomSystem(palette); neu != vomSystem) {
            vomSystem = neu;
            lesbar = farben::Lesbar(neu, Qt::white);
        }
        return lesbar;
    }
    }
    return m_fest;
}

Farbe Markierungsfarbe() { return Farbe::vomSystem(Farbe::System::Markierung); }
Farbe Markierungsschrift() { return Farbe(QColor(Qt::white)); }

namespace {

int stilVon(const QFont &schrift)
{
    int stil = TMyFont::Normal;
    if (schrift.bold())
        stil |= TMyFont::Fett;
    if (schrift.italic())
        stil |= TMyFont::Kursiv;
    if (schrift.underline())
        stil |= TMyFont::Unterstrichen;
    if (schrift.strikeOut())
        stil |= TMyFont::Durchgestrichen;
    return stil;
}

QFont mitStil(QFont schrift, int stil)
{
    schrift.setBold(stil & TMyFont::Fett);
    schrift.setItalic(stil & TMyFont::Kursiv);
    schrift.setUnderline(stil & TMyFont::Unterstrichen);
    schrift.setStrikeOut(stil & TMyFont::Durchgestrichen);
    return schrift;
}

// Enough for a thin line to be seen, far below what text needs.
constexpr double kLinienKontrast = 1.8;

} // namespace

TMyFont::TMyFont(TStringAlignGrid &grid, const QFont &schrift, Farbe farbe)
    : m_grid(grid)
    , m_schrift(schrift)
    , m_farbe(farbe)
    , m_stil(stilVon(schrift))
{ }

void TMyFont::setColor(Farbe farbe)
{
    m_farbe = farbe;
    m_grid.geaendert();
}

void TMyFont::setStyle(int stil)
{
    m_stil = stil;
    m_grid.geaendert();
}

TMyBrush::TMyBrush(TStringAlignGrid &grid, Farbe farbe)
    : m_grid(grid)
    , m_farbe(farbe)
{ }

void TMyBrush::setColor(Farbe farbe)
{
    m_farbe = farbe;
    m_grid.geaendert();
}

TStringAlignGrid::TStringAlignGrid(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    // The demonstrations point with colours only: the grid never takes the
    // focus, so no current cell or focus frame ever shows.
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    // One pixel on each side, so fifteen cells of 20 pixels fill a 303-pixel
    // grid with the frame and need no scroll bar.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // The size the demonstration windows are laid out for.
    setFont(schriften::Schreibmaschine(11));
    setScrollBars(TScrollStyle::ssNone);
    gitterzugang::Anmelden();
}

TStringAlignGrid::~TStringAlignGrid() = default;

int TStringAlignGrid::ColCount() const { return m_spalten; }

void TStringAlignGrid::setColCount(int anzahl)
{
    m_spalten = std::max(anzahl, 0);
    aktualisiereBalken();
    geaendert();
}

int TStringAlignGrid::RowCount() const { return m_zeilen; }

void TStringAlignGrid::setRowCount(int anzahl)
{
    m_zeilen = std::max(anzahl, 0);
    aktualisiereBalken();
    geaendert();
}

TStringAlignGrid::TScrollStyle TStringAlignGrid::ScrollBars() const { return m_balken; }

void TStringAlignGrid::setScrollBars(TScrollStyle art)
{
    m_balken = art;
    const bool waagerecht = art == TScrollStyle::ssHorizontal || art == TScrollStyle::ssBoth;
    const bool senkrecht = art == TScrollStyle::ssVertical || art == TScrollStyle::ssBoth;
    setHorizontalScrollBarPolicy(waagerecht ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(senkrecht ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    aktualisiereBalken();
}

int TStringAlignGrid::DefaultColWidth() const { return m_spaltenBreite; }

void TStringAlignGrid::setDefaultColWidth(int breite)
{
    m_spaltenBreite = std::max(breite, 0);
    aktualisiereBalken();
    geaendert();
}

int TStringAlignGrid::DefaultRowHeight() const { return m_zeilenHoehe; }

void TStringAlignGrid::setDefaultRowHeight(int hoehe)
{
    m_zeilenHoehe = std::max(hoehe, 0);
    aktualisiereBalken();
    geaendert();
}

int TStringAlignGrid::GridLineWidth() const { return m_linienBreite; }

void TStringAlignGrid::setGridLineWidth(int breite)
{
    m_linienBreite = std::clamp(breite, 0, 1);
    aktualisiereBalken();
    geaendert();
}

verschl::Text TStringAlignGrid::Cells(int col, int row) const
{
    const auto it = m_zellen.find({ col, row });
    return it == m_zellen.end() ? zeilenweise(col, row) : it->second;
}

// A cell's own entry stands before the text filled in row by row; an empty
// one is needed only where that text would show.
void TStringAlignGrid::setCells(int col, int row, const verschl::Text &text)
{
    if (text.empty() && zeilenweise(col, row).empty())
        m_zellen.erase({ col, row });
    else
        m_zellen[{ col, row }] = text;
    geaendert();
}

void TStringAlignGrid::setZellenZeilenweise(verschl::Text text, int spalten, int zeilen)
{
    m_zellen.clear();
    m_zeilenweise = std::move(text);
    // A text read from a field may hold room for twice its bytes.
    m_zeilenweise.shrink_to_fit();
    m_zeilenweiseSpalten = std::max(spalten, 0);
    m_zeilenweiseZellen = qsizetype(m_zeilenweiseSpalten) * std::max(zeilen, 0);
    geaendert();
}

verschl::Text TStringAlignGrid::zeilenweise(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_zeilenweiseSpalten)
        return {};
    const qsizetype i = qsizetype(row) * m_zeilenweiseSpalten + col;
    if (i >= m_zeilenweiseZellen)
        return {};
    return verschl::Text(
        1, std::size_t(i) < m_zeilenweise.size() ? m_zeilenweise[std::size_t(i)] : ' ');
}

Farbe TStringAlignGrid::FontColor() const { return m_schriftfarbe; }

void TStringAlignGrid::setFontColor(Farbe farbe)
{
    m_schriftfarbe = farbe;
    geaendert();
}

Farbe TStringAlignGrid::Color() const { return m_farbe; }

void TStringAlignGrid::setColor(Farbe farbe)
{
    m_farbe = farbe;
    geaendert();
}

template <typename Schluessel>
const TStringAlignGrid::Eintrag *TStringAlignGrid::finde(
    const std::map<Schluessel, Eintrag> &ebene, const Schluessel &s)
{
    const auto it = ebene.find(s);
    return it == ebene.end() ? nullptr : &it->second;
}

template <typename Schluessel>
TMyFont &TStringAlignGrid::fontIn(std::map<Schluessel, Eintrag> &ebene, const Schluessel &s)
{
    auto &eintrag = ebene[s];
    if (!eintrag.font)
        eintrag.font.reset(new TMyFont(*this, font(), m_schriftfarbe));
    return *eintrag.font;
}

template <typename Schluessel>
TMyBrush &TStringAlignGrid::brushIn(std::map<Schluessel, Eintrag> &ebene, const Schluessel &s)
{
    auto &eintrag = ebene[s];
    if (!eintrag.brush)
        eintrag.brush.reset(new TMyBrush(*this, m_farbe));
    return *eintrag.brush;
}

template <typename Schluessel, typename Teil>
void TStringAlignGrid::loesche(
    std::map<Schluessel, Eintrag> &ebene, const Schluessel &s, std::unique_ptr<Teil> Eintrag::*teil)
{
    const auto it = ebene.find(s);
    if (it == ebene.end() || !(it->second.*teil))
        return;
    (it->second.*teil).reset();
    if (!it->second.font && !it->second.brush)
        ebene.erase(it);
    geaendert();
}

template <typename Schluessel, typename Teil>
void TStringAlignGrid::loescheAlle(
    std::map<Schluessel, Eintrag> &ebene, std::unique_ptr<Teil> Eintrag::*teil)
{
    bool etwas = false;
    for (auto it = ebene.begin(); it != ebene.end();) {
        etwas = etwas || it->second.*teil;
        (it->second.*teil).reset();
        if (!it->second.font && !it->second.brush)
            it = ebene.erase(it);
        else
            ++it;
    }
    if (etwas)
        geaendert();
}

TMyFont &TStringAlignGrid::CellFont(int col, int row)
{
    return fontIn(m_zellEintraege, Zelle { col, row });
}
TMyBrush &TStringAlignGrid::CellBrush(int col, int row)
{
    return brushIn(m_zellEintraege, Zelle { col, row });
}
TMyFont &TStringAlignGrid::ColFont(int col) { return fontIn(m_spaltenEintraege, col); }
TMyBrush &TStringAlignGrid::ColBrush(int col) { return brushIn(m_spaltenEintraege, col); }
TMyFont &TStringAlignGrid::RowFont(int row) { return fontIn(m_zeilenEintraege, row); }
TMyBrush &TStringAlignGrid::RowBrush(int row) { return brushIn(m_zeilenEintraege, row); }

void TStringAlignGrid::ResetCellFont(int col, int row)
{
    loesche(m_zellEintraege, Zelle { col, row }, &Eintrag::font);
}
void TStringAlignGrid::ResetCellBrush(int col, int row)
{
    loesche(m_zellEintraege, Zelle { col, row }, &Eintrag::brush);
}
void TStringAlignGrid::ResetAllCellFonts() { loescheAlle(m_zellEintraege, &Eintrag::font); }
void TStringAlignGrid::ResetAllColFonts() { loescheAlle(m_spaltenEintraege, &Eintrag::font); }
void TStringAlignGrid::ResetAllColBrushes() { loescheAlle(m_spaltenEintraege, &Eintrag::brush); }
void TStringAlignGrid::ResetAllRowFonts() { loescheAlle(m_zeilenEintraege, &Eintrag::font); }
void TStringAlignGrid::ResetAllRowBrushes() { loescheAlle(m_zeilenEintraege, &Eintrag::brush); }

bool TStringAlignGrid::HatZellFont(int col, int row) const
{
    const Eintrag *e = finde(m_zellEintraege, Zelle { col, row });
    return e && e->font;
}

bool TStringAlignGrid::HatZellBrush(int col, int row) const
{
    const Eintrag *e = finde(m_zellEintraege, Zelle { col, row });
    return e && e->brush;
}

// Font and brush are looked up independently: a cell may take its font
// from its column and its brush from its row.
const TMyFont *TStringAlignGrid::fontFuer(int col, int row) const
{
    for (const Eintrag *e : { finde(m_zellEintraege, Zelle { col, row }),
             finde(m_spaltenEintraege, col), finde(m_zeilenEintraege, row) })
        if (e && e->font)
            return e->font.get();
    return nullptr;
}

const TMyBrush *TStringAlignGrid::brushFuer(int col, int row) const
{
    for (const Eintrag *e : { finde(m_zellEintraege, Zelle { col, row }),
             finde(m_spaltenEintraege, col), finde(m_zeilenEintraege, row) })
        if (e && e->brush)
            return e->brush.get();
    return nullptr;
}

QFont TStringAlignGrid::SchriftVon(int col, int row) const
{
    const TMyFont *f = fontFuer(col, row);
    return f ? mitStil(f->m_schrift, f->m_stil) : font();
}

QColor TStringAlignGrid::SchriftfarbeVon(int col, int row) const
{
    const TMyFont *f = fontFuer(col, row);
    return (f ? f->m_farbe : m_schriftfarbe).aufgeloest(palette());
}

QColor TStringAlignGrid::HintergrundVon(int col, int row) const
{
    const TMyBrush *b = brushFuer(col, row);
    return (b ? b->m_farbe : m_farbe).aufgeloest(palette());
}

QRect TStringAlignGrid::ZellRechteck(int col, int row) const
{
    return QRect(col * spaltenRaster() - horizontalScrollBar()->value(),
        row * zeilenRaster() - verticalScrollBar()->value(), m_spaltenBreite, m_zeilenHoehe);
}

void TStringAlignGrid::Repaint()
{
    viewport()->repaint();
    Q_EMIT gemalt();
}

void TStringAlignGrid::geaendert() { viewport()->update(); }

void TStringAlignGrid::aktualisiereBalken()
{
    const QSize sichtbar = viewport()->size();
    QScrollBar *h = horizontalScrollBar();
    h->setRange(0, std::max(0, m_spalten * spaltenRaster() - sichtbar.width()));
    h->setPageStep(sichtbar.width());
    h->setSingleStep(std::max(1, spaltenRaster()));
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, std::max(0, m_zeilen * zeilenRaster() - sichtbar.height()));
    v->setPageStep(sichtbar.height());
    v->setSingleStep(std::max(1, zeilenRaster()));
}

void TStringAlignGrid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    aktualisiereBalken();
}

void TStringAlignGrid::paintEvent(QPaintEvent *event)
{
    QPainter maler(viewport());
    const QPalette &pal = palette();
    const QRect bereich = event->rect();
    maler.fillRect(bereich, m_farbe.aufgeloest(pal));
    const int bw = spaltenRaster();
    const int bh = zeilenRaster();
    if (bw <= 0 || bh <= 0)
        return;
    const int dx = horizontalScrollBar()->value();
    const int dy = verticalScrollBar()->value();
    const int ersteSpalte = std::max(0, (bereich.left() + dx) / bw);
    const int letzteSpalte = std::min(m_spalten - 1, (bereich.right() + dx) / bw);
    const int ersteZeile = std::max(0, (bereich.top() + dy) / bh);
    const int letzteZeile = std::min(m_zeilen - 1, (bereich.bottom() + dy) / bh);
    if (ersteSpalte > letzteSpalte || ersteZeile > letzteZeile)
        return;
    if (m_linienBreite > 0) {
        // The lines are what the cells leave uncovered at their right and
        // bottom edges. Dark colour schemes often give a mid tone that hardly
        // differs from the background; the lines still have to show.
        const QRect raster(ersteSpalte * bw - dx, ersteZeile * bh - dy,
            (letzteSpalte - ersteSpalte + 1) * bw, (letzteZeile - ersteZeile + 1) * bh);
        maler.fillRect(raster & bereich,
            farben::Lesbar(pal.color(QPalette::Mid), m_farbe.aufgeloest(pal), kLinienKontrast));
    }
    // The demonstrations repaint the whole table before every step of a
    // running light, so the font is only switched where the layer changes.
    const TMyFont *gesetzt = nullptr;
    maler.setFont(font());
    QString schriftSchluessel = font().key();
    for (int row = ersteZeile; row <= letzteZeile; ++row) {
        for (int col = ersteSpalte; col <= letzteSpalte; ++col) {
            const QRect zelle = ZellRechteck(col, row);
            const TMyBrush *brush = brushFuer(col, row);
            maler.fillRect(zelle, (brush ? brush->m_farbe : m_farbe).aufgeloest(pal));
            const verschl::Text text = Cells(col, row);
            if (text.empty())
                continue;
            const TMyFont *f = fontFuer(col, row);
            if (f != gesetzt) {
                maler.setFont(f ? mitStil(f->m_schrift, f->m_stil) : font());
                schriftSchluessel = maler.font().key();
                gesetzt = f;
            }
            maler.setPen((f ? f->m_farbe : m_schriftfarbe).aufgeloest(pal));
            // Centred, top-aligned in the cell shrunk by 2 pixels. A static
            // text knows no mnemonics, so "&" is an ordinary character; it
            // keeps its shaping, which would otherwise dominate a repaint.
            const QString zeichen = codepage::AlsZeichenkette(text);
            if (m_textspeicher.size() > 4096)
                m_textspeicher.clear();
            auto gesetzterText = m_textspeicher.find(schriftSchluessel + QChar(0) + zeichen);
            if (gesetzterText == m_textspeicher.end()) {
                gesetzterText = m_textspeicher.insert(
                    schriftSchluessel + QChar(0) + zeichen, QStaticText(zeichen));
                gesetzterText->setTextFormat(Qt::PlainText);
                gesetzterText->prepare(QTransform(), maler.font());
            }
            const QRect innen = zelle.adjusted(2, 2, -2, -2);
            const int breite = qRound(gesetzterText->size().width());
            maler.drawStaticText(
                QPoint(innen.left() + (innen.width() - breite) / 2, innen.top()), *gesetzterText);
        }
    }
}
