#pragma once

#include <QAccessibleWidget>

#include <array>

class ProgrammingGrid;

// The drawn grid as assistive technology sees it: a table of 32 rows by 24 columns whose cells
// are named by their row and column captions (as their tooltips are) and whose value is the
// text they show. The highlighted cell is the focused one.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit GridAccessible(ProgrammingGrid *grid);
    ~GridAccessible() override;

    // Gives every ProgrammingGrid this interface; safe to call more than once.
    static void installFactory();

    ProgrammingGrid *grid() const;
    // The cell's interface, made on first use and kept until the grid goes.
    QAccessibleInterface *cell(int k) const;

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int columnCount() const override;
    int rowCount() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectColumn(int) override { return false; }
    bool selectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    mutable std::array<QAccessible::Id, 768> m_cells{};
};
