#include "GridAccessible.h"

#include "ProgrammingGrid.h"

namespace
{
// One cell of the grid. It holds no state of its own: everything is read from the grid.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface
{
public:
    CellAccessible(const GridAccessible *table, int k) : m_table(table), m_k(k) {}
    int index() const { return m_k; }

    bool isValid() const override { return m_table->grid() != nullptr; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_table->window(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_table->grid());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return ConfigTexts::cellCaption(m_k);
        case QAccessible::Value:
            return m_table->grid()->model().cellText(m_k);
        case QAccessible::Description:
            return m_table->grid()->describeCell(m_k);
        default:
            return {};
        }
    }
    QRect rect() const override
    {
        const ProgrammingGrid *grid = m_table->grid();
        const QRect local = GridModel::cellRect(m_k);
        return {grid->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const ProgrammingGrid *grid = m_table->grid();
        s.invisible = !GridModel::cellVisible(m_k);
        s.focusable = !s.invisible;
        s.focused = grid->hasFocus() && grid->model().HLIndex() == m_k;
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return ConfigTexts::inputOfCell(m_k); }
    int rowIndex() const override { return ConfigTexts::rowOfCell(m_k); }
    // A tracking cell covers its photocell's four columns.
    int columnExtent() const override { return ConfigTexts::isTrackingCell(m_k) ? 4 : 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override
    {
        return QAccessible::queryAccessibleInterface(m_table->grid());
    }

private:
    const GridAccessible *m_table;
    int m_k;
};

QAccessibleInterface *gridFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ProgrammingGrid") && object && object->isWidgetType())
        return new GridAccessible(static_cast<ProgrammingGrid *>(object));
    return nullptr;
}
} // namespace

GridAccessible::GridAccessible(ProgrammingGrid *grid) : QAccessibleWidget(grid, QAccessible::Table)
{
}

GridAccessible::~GridAccessible()
{
    for (QAccessible::Id id : m_cells)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

void GridAccessible::installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(gridFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

ProgrammingGrid *GridAccessible::grid() const { return static_cast<ProgrammingGrid *>(widget()); }

QAccessibleInterface *GridAccessible::cell(int k) const
{
    if (k < 0 || k >= GridModel::CellCount)
        return nullptr;
    QAccessible::Id &id = m_cells[static_cast<size_t>(k)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new CellAccessible(this, k));
    return QAccessible::accessibleInterface(id);
}

void *GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The cells come first, then the side panels that live on the grid.
int GridAccessible::childCount() const
{
    return GridModel::CellCount + QAccessibleWidget::childCount();
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    if (index < GridModel::CellCount)
        return cell(index);
    return QAccessibleWidget::child(index - GridModel::CellCount);
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (const auto *c = dynamic_cast<const CellAccessible *>(child))
        return c->index();
    const int index = QAccessibleWidget::indexOfChild(child);
    return index < 0 ? -1 : GridModel::CellCount + index;
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    if (QAccessibleInterface *panel = QAccessibleWidget::childAt(x, y))
        return panel;
    return cell(GridModel::cellAt(grid()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface *GridAccessible::focusChild() const
{
    if (grid()->hasFocus())
        return cell(grid()->model().HLIndex());
    return QAccessibleWidget::focusChild();
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return cell(24 * row + column);
}

int GridAccessible::columnCount() const { return GridModel::InputCount; }

int GridAccessible::rowCount() const { return GridModel::RowCount; }

QString GridAccessible::columnDescription(int column) const
{
    return ConfigTexts::deviceHeading(GridModel::deviceOfInput(column)) + QLatin1Char(' ') +
           ConfigTexts::inputHeading(column);
}

QString GridAccessible::rowDescription(int row) const { return ConfigTexts::rowHeading(row); }
