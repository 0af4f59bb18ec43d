#include "ProgrammingGrid.h"

#include "GridAccessible.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

ProgrammingGrid::ProgrammingGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(ClientSize);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    GridAccessible::installFactory();
}

void ProgrammingGrid::hover(int k)
{
    const int previous = m_model.HLIndex();
    m_model.hover(k);
    repaintHighlight(previous);
    // The highlighted cell is the one a screen reader reads out.
    if (QAccessible::isActive() && hasFocus() && previous != k) {
        QAccessibleEvent focus(this, QAccessible::Focus);
        focus.setChild(k);
        QAccessible::updateAccessibility(&focus);
    }
}

void ProgrammingGrid::ClearHL()
{
    if (!m_model.HLActive())
        return;
    const int previous = m_model.HLIndex();
    m_model.ClearHL();
    repaintHighlight(previous);
}

void ProgrammingGrid::setCellTexts(const std::array<QString, GridModel::CellCount> &texts)
{
    if (m_model.setCellTexts(texts))
        update();
}

void ProgrammingGrid::setLive(int input, const QList<int> &followedRows,
                              const QList<int> &silentRows)
{
    const int previous = m_model.liveInput();
    m_model.setLive(input, followedRows, silentRows);
    // The headings and the two columns: a few strips, as for the mouse's highlight.
    QRegion region = GridModel::inputRect(0).united(GridModel::inputRect(23));
    region += GridModel::outputRect(0).united(GridModel::outputRect(31));
    update(region + columnRegion(previous) + columnRegion(input));
}

QRegion ProgrammingGrid::columnRegion(int input) const
{
    if (input < 0)
        return {};
    return GridModel::cellRect(input).united(GridModel::cellRect(24 * 31 + input));
}

void ProgrammingGrid::repaintHighlight(int previousIndex)
{
    // The device headings' top line lies under the panels, which need no repaint.
    QRegion region = GridModel::deviceRect(0).united(GridModel::deviceRect(4)).adjusted(0, 1, 0, 0);
    region += GridModel::inputRect(0).united(GridModel::inputRect(23));
    region += GridModel::outputRect(0).united(GridModel::outputRect(31));
    if (previousIndex >= 0)
        region += GridModel::cellRect(previousIndex);
    if (m_model.HLIndex() >= 0)
        region += GridModel::cellRect(m_model.HLIndex());
    update(region);
}

bool ProgrammingGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        showToolTip(help->pos(), help->globalPos());
        return true;
    }
    return QWidget::event(event);
}

void ProgrammingGrid::showToolTip(const QPoint &pos, const QPoint &globalPos)
{
    const int k = GridModel::cellAt(pos);
    if (k < 0) {
        QToolTip::hideText();
        return;
    }
    QString text = ConfigTexts::cellCaption(k);
    if (m_describer)
        text += QLatin1Char('\n') + describeCell(k);
    QToolTip::showText(globalPos, text, this, GridModel::cellRect(k));
}

void ProgrammingGrid::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        m_boxCache.clear();
    QWidget::changeEvent(event);
}

void ProgrammingGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    ScreenPainter::paintGrid(painter, m_model, event->region(), &m_boxCache);
}

void ProgrammingGrid::mouseMoveEvent(QMouseEvent *event)
{
    const int k = GridModel::cellAt(event->position().toPoint());
    if (k >= 0)
        Q_EMIT cellHovered(k);
    else
        Q_EMIT backgroundHovered();
}

void ProgrammingGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedCell = GridModel::cellAt(event->position().toPoint());
}

void ProgrammingGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A click is a press and a release on the same cell.
    const int k = GridModel::cellAt(event->position().toPoint());
    const bool clicked = k >= 0 && k == m_pressedCell;
    m_pressedCell = -1;
    if (clicked)
        Q_EMIT cellClicked(k);
}

void ProgrammingGrid::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        return moveHighlight(-1, 0);
    case Qt::Key_Right:
        return moveHighlight(1, 0);
    case Qt::Key_Up:
        return moveHighlight(0, -1);
    case Qt::Key_Down:
        return moveHighlight(0, 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (m_model.HLIndex() >= 0)
            Q_EMIT cellClicked(m_model.HLIndex());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ProgrammingGrid::moveHighlight(int dx, int dy)
{
    const int current = m_model.HLIndex();
    Q_EMIT cellHovered(current < 0 ? 0 : GridModel::neighbour(current, dx, dy));
}
