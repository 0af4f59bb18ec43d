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

// Cells repeat a few texts on a few colours ("-" on grey, "Disable" on green), so each
// combination is drawn once into an image and afterwards only copied: laying out 700 texts
// on every repaint would take several milliseconds.
const QImage &ProgrammingGrid::boxImage(const QString &text, const QColor &fill, QSize size)
{
    const qreal ratio = devicePixelRatioF();
    const BoxKey key{text, fill.rgb(), size, ratio};
    auto found = m_boxCache.find(key);
    if (found == m_boxCache.end()) {
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(fill);
        QPainter painter(&image);
        painter.setFont(font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
        found = m_boxCache.insert(key, image);
    }
    return *found;
}

// A label with a single-line border. Neighbours overlap by exactly their shared border line,
// so filling the whole box black and then its inside leaves every line one pixel wide.
void ProgrammingGrid::drawBox(QPainter &painter, const QRect &rect, const QColor &fill,
                              const QString &text)
{
    painter.fillRect(rect, Qt::black);
    painter.drawImage(rect.topLeft() + QPoint(1, 1),
                      boxImage(text, fill, rect.size() - QSize(2, 2)));
}

void ProgrammingGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // A highlight move dirties a few strips far apart: test cells against them, not against
    // their bounding rectangle, which would cover the whole grid.
    const QRegion &dirty = event->region();
    painter.fillRect(event->rect(), GridModel::Background);
    painter.setPen(Qt::black);
    for (int s = 0; s < GridModel::CaptionCount; ++s) {
        const QRect rect = GridModel::captionRect(s);
        painter.fillRect(rect, GridModel::captionColour(s));
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, GridModel::captionText(s));
    }
    for (int n = 0; n < GridModel::DeviceCount; ++n)
        drawBox(painter, GridModel::deviceRect(n), m_model.deviceColour(n),
                ConfigTexts::deviceHeading(n));
    for (int i = 0; i < GridModel::InputCount; ++i)
        drawBox(painter, GridModel::inputRect(i), m_model.inputColour(i),
                ConfigTexts::inputHeading(i));
    for (int q = 0; q < GridModel::RowCount; ++q)
        drawBox(painter, GridModel::outputRect(q), m_model.outputColour(q),
                ConfigTexts::rowHeading(q));
    for (int k = 0; k < GridModel::CellCount; ++k) {
        const QRect rect = GridModel::cellRect(k);
        if (GridModel::cellVisible(k) && dirty.intersects(rect))
            drawBox(painter, rect, m_model.cellColour(k), m_model.cellText(k));
    }
    for (int j = 0; j < GridModel::FillerCount; ++j)
        painter.fillRect(GridModel::fillerRect(j), GridModel::FillerColour);
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
