#include "ScalePlot.h"

#include <QMouseEvent>
#include <QPainter>

namespace
{

QPointF toTwips(const QMouseEvent *event) { return event->position() * ScalePlot::TwipsPerPixel; }

} // namespace

ScalePlot::ScalePlot(QWidget *parent) : QWidget(parent)
{
    setFixedSize(qRound(W / TwipsPerPixel), qRound(H / TwipsPerPixel));
    // The values of a grip show whenever the pointer is over it, pressed or not.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScalePlot::setGrip(int g, double left, double top) { m_grips[index(g)] = {left, top}; }

void ScalePlot::setTwoPoint(bool twoPoint)
{
    m_twoPoint = twoPoint;
    if (m_twoPoint && m_hover == 3)
        setHover(0);
}

QPointF ScalePlot::anchor(int g) const
{
    const Grip &grip = m_grips[index(g)];
    return {grip.Left + AnchorOffset, grip.Top + AnchorOffset};
}

int ScalePlot::GripOver(double X, double Y) const
{
    int over = 0;
    for (int g = 1; g <= 3; ++g) {
        const Grip &grip = m_grips[index(g)];
        // A hidden middle grip would be dragged unseen in place of the end grip it covers.
        if (gripVisible(g) && grip.Left <= X && X <= grip.Left + HitSize && grip.Top <= Y &&
            Y <= grip.Top + HitSize)
            over = g;
    }
    return over;
}

void ScalePlot::DrawLines()
{
    const bool oneLeftOfTwo = m_grips[0].Left <= m_grips[1].Left;
    const QPointF left = anchor(oneLeftOfTwo ? 1 : 2);
    const QPointF right = anchor(oneLeftOfTwo ? 2 : 1);
    m_lines[0] = QLineF(QPointF(0, left.y()), left);
    if (m_twoPoint) {
        m_lines[1] = QLineF(left, right);
    } else {
        m_lines[1] = QLineF(left, anchor(3));
        m_lines[2] = QLineF(anchor(3), right);
    }
    m_lines[3] = QLineF(right, QPointF(W, right.y()));
    update();
}

void ScalePlot::setHover(int g)
{
    if (g == m_hover)
        return;
    m_hover = g;
    update();
}

void ScalePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
    paintGrid(painter);
    QPen curve(QColor(0, 60, 160), 2);
    curve.setCosmetic(true);
    painter.setPen(curve);
    for (int n = 0; n < 4; ++n)
        if (segmentVisible(n))
            painter.drawLine(m_lines[static_cast<size_t>(n)]);
    for (int g = 1; g <= 3; ++g)
        if (gripVisible(g))
            paintGrip(painter, g);
    painter.resetTransform();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::darkGray);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ScalePlot::paintGrid(QPainter &painter) const
{
    QPen pen(QColor(225, 228, 235), 1);
    pen.setCosmetic(true);
    painter.setPen(pen);
    // Lines every 10 % of output and every 51 levels, through the grips' anchors.
    for (int percent = 0; percent <= 100; percent += 10) {
        const double y = MaxTop - MaxTop / 100 * percent + AnchorOffset;
        painter.drawLine(QPointF(0, y), QPointF(W, y));
    }
    for (int level = 0; level <= 255; level += 51) {
        const double x = MaxLeft / 255 * level + AnchorOffset;
        painter.drawLine(QPointF(x, 0), QPointF(x, H));
    }
}

void ScalePlot::paintGrip(QPainter &painter, int g) const
{
    const Grip &grip = m_grips[index(g)];
    const QPointF centre(grip.Left + GripSize / 2, grip.Top + GripSize / 2);
    // The grip under the pointer grows, so the user sees what a press would pick up.
    const double radius = (g == m_hover ? 1.6 : 1.0) * GripSize / 2;
    QPen outline(QColor(90, 20, 20), 1);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(g == 3 ? QColor(240, 160, 40) : QColor(210, 40, 40));
    painter.drawEllipse(centre, radius, radius);
}

void ScalePlot::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = toTwips(event);
    Q_EMIT mouseDown(event->button(), event->modifiers(), p.x(), p.y());
    setHover(GripOver(p.x(), p.y()));
}

void ScalePlot::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = toTwips(event);
    Q_EMIT mouseMove(event->buttons(), event->modifiers(), p.x(), p.y());
    setHover(GripOver(p.x(), p.y()));
}

void ScalePlot::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF p = toTwips(event);
    Q_EMIT mouseUp(event->button(), event->modifiers(), p.x(), p.y());
    setHover(GripOver(p.x(), p.y()));
}

void ScalePlot::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    setHover(0);
}
