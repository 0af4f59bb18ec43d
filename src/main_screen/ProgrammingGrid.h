#pragma once

#include "GridModel.h"
#include "ScreenPainter.h"

#include <QWidget>

#include <functional>

// The programming grid drawn in one pass: headings, section captions, the 768 cells and the
// fillers, from a GridModel. It covers the whole client area and is the window background, so
// a mouse move anywhere off a cell clears the highlight. The side panels are its children.
class ProgrammingGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize ClientSize = ScreenPainter::ClientSize;

    explicit ProgrammingGrid(QWidget *parent = nullptr);

    GridModel &model() { return m_model; }
    const GridModel &model() const { return m_model; }

    // Model changes that repaint only what they touched.
    void hover(int k);
    void ClearHL();
    void setCellTexts(const std::array<QString, GridModel::CellCount> &texts);
    // The input last worked on site, while connected; -1 puts the grid back at rest.
    void setLive(int input, const QList<int> &followedRows, const QList<int> &silentRows);
    // What a cell does in words, shown in its tooltip below its name.
    void setCellDescriber(std::function<QString(int)> describer)
    {
        m_describer = std::move(describer);
    }
    QString describeCell(int k) const { return m_describer ? m_describer(k) : QString(); }

Q_SIGNALS:
    void cellClicked(int index);
    void cellHovered(int index);
    // Over the background, a heading, a filler or a section caption.
    void backgroundHovered();

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showToolTip(const QPoint &pos, const QPoint &globalPos);
    void moveHighlight(int dx, int dy);
    void repaintHighlight(int previousIndex);
    QRegion columnRegion(int input) const;

    GridModel m_model;
    int m_pressedCell = -1;
    ScreenPainter::BoxCache m_boxCache;
    std::function<QString(int)> m_describer;
};
