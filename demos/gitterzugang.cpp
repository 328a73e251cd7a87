// SPDX-License-Identifier: GPL-3.0-or-later
#include "gitterzugang.h"

#include "demos/stringaligngrid.h"
#include "platform/codepage.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>

namespace {

bool markiert(const TStringAlignGrid &gitter, int spalte, int zeile)
{
    const QPalette &p = gitter.palette();
    return gitter.HintergrundVon(spalte, zeile) != gitter.Color().aufgeloest(p)
        || gitter.SchriftfarbeVon(spalte, zeile) != gitter.FontColor().aufgeloest(p);
}

// One cell. It holds its place, not its content, and asks the grid at every
// question, so it never tells an old letter or colour; once the grid has
// shrunk below it, it is no longer valid.
class Zelle : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    Zelle(TStringAlignGrid *gitter, int zeile, int spalte)
        : gitter(gitter)
        , zeile(zeile)
        , spalte(spalte)
    { }

    bool isValid() const override
    {
        return gitter && zeile < gitter->RowCount() && spalte < gitter->ColCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        QAccessibleInterface *t = tabelle();
        return t ? t->window() : nullptr;
    }
    QAccessibleInterface *parent() const override { return tabelle(); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text art) const override
    {
        if (!isValid())
            return {};
        if (art == QAccessible::Name)
            return codepage::AlsZeichenkette(gitter->Cells(spalte, zeile));
        if (art == QAccessible::Description && isSelected())
            return QStringLiteral("markiert");
        return {};
    }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect zelle = gitter->ZellRechteck(spalte, zeile);
        return QRect(gitter->viewport()->mapToGlobal(zelle.topLeft()), zelle.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State zustand;
        zustand.readOnly = true;
        zustand.selected = isSelected();
        zustand.invisible = !isValid()
            || !gitter->viewport()->rect().intersects(gitter->ZellRechteck(spalte, zeile));
        return zustand;
    }
    void *interface_cast(QAccessible::InterfaceType art) override
    {
        return art == QAccessible::TableCellInterface
            ? static_cast<QAccessibleTableCellInterface *>(this)
            : nullptr;
    }

    bool isSelected() const override { return isValid() && markiert(*gitter, spalte, zeile); }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return spalte; }
    int rowIndex() const override { return zeile; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return tabelle(); }

private:
    QAccessibleInterface *tabelle() const { return QAccessible::queryAccessibleInterface(gitter); }

    QPointer<TStringAlignGrid> gitter;
    int zeile;
    int spalte;
};

// The grid: its cells are its children, row by row. Marking is the
// demonstration's to do, so nothing can be selected from outside.
class Tabelle : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit Tabelle(TStringAlignGrid *gitter)
        : QAccessibleWidget(gitter, QAccessible::Table)
    { }
    ~Tabelle() override
    {
        for (const QAccessible::Id id : std::as_const(zellen))
            QAccessible::deleteAccessibleInterface(id);
    }

    void *interface_cast(QAccessible::InterfaceType art) override
    {
        if (art == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(art);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        return cellAt(index / columnCount(), index % columnCount());
    }
    int indexOfChild(const QAccessibleInterface *kind) const override
    {
        const auto *zelle = dynamic_cast<const Zelle *>(kind);
        if (!zelle || !zelle->isValid() || zelle->table() != this)
            return -1;
        return zelle->rowIndex() * columnCount() + zelle->columnIndex();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint punkt = gitter()->viewport()->mapFromGlobal(QPoint(x, y));
        for (int zeile = 0; zeile < rowCount(); ++zeile) {
            for (int spalte = 0; spalte < columnCount(); ++spalte) {
                if (gitter()->ZellRechteck(spalte, zeile).contains(punkt))
                    return cellAt(zeile, spalte);
            }
        }
        return nullptr;
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int zeile, int spalte) const override
    {
        if (zeile < 0 || spalte < 0 || zeile >= rowCount() || spalte >= columnCount())
            return nullptr;
        const auto platz = std::make_pair(zeile, spalte);
        if (const auto it = zellen.constFind(platz); it != zellen.cend())
            return QAccessible::accessibleInterface(*it);
        auto *zelle = new Zelle(gitter(), zeile, spalte);
        zellen.insert(platz, QAccessible::registerAccessibleInterface(zelle));
        return zelle;
    }
    int selectedCellCount() const override { return int(selectedCells().size()); }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        QList<QAccessibleInterface *> liste;
        for (int zeile = 0; zeile < rowCount(); ++zeile) {
            for (int spalte = 0; spalte < columnCount(); ++spalte) {
                if (markiert(*gitter(), spalte, zeile))
                    liste << cellAt(zeile, spalte);
            }
        }
        return liste;
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return gitter()->ColCount(); }
    int rowCount() const override { return gitter()->RowCount(); }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    QList<int> selectedColumns() const override
    {
        QList<int> liste;
        for (int spalte = 0; spalte < columnCount(); ++spalte) {
            if (isColumnSelected(spalte))
                liste << spalte;
        }
        return liste;
    }
    QList<int> selectedRows() const override
    {
        QList<int> liste;
        for (int zeile = 0; zeile < rowCount(); ++zeile) {
            if (isRowSelected(zeile))
                liste << zeile;
        }
        return liste;
    }
    bool isColumnSelected(int spalte) const override
    {
        for (int zeile = 0; zeile < rowCount(); ++zeile) {
            if (!markiert(*gitter(), spalte, zeile))
                return false;
        }
        return rowCount() > 0;
    }
    bool isRowSelected(int zeile) const override
    {
        for (int spalte = 0; spalte < columnCount(); ++spalte) {
            if (!markiert(*gitter(), spalte, zeile))
                return false;
        }
        return columnCount() > 0;
    }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    // The cells check their place at every question; a change of size needs
    // no bookkeeping here.
    void modelChange(QAccessibleTableModelChangeEvent *) override { }

private:
    TStringAlignGrid *gitter() const { return static_cast<TStringAlignGrid *>(widget()); }

    mutable QHash<std::pair<int, int>, QAccessible::Id> zellen;
};

QAccessibleInterface *fabrik(const QString &klasse, QObject *objekt)
{
    if (klasse == QLatin1String(TStringAlignGrid::staticMetaObject.className()))
        return new Tabelle(static_cast<TStringAlignGrid *>(objekt));
    return nullptr;
}

} // namespace

namespace gitterzugang {

void Anmelden()
{
    static const bool angemeldet = (QAccessible::installFactory(fabrik), true);
    Q_UNUSED(angemeldet);
}

} // namespace gitterzugang
