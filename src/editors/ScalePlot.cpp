#include "ScalePlot.h"

#include <QMouseEvent>
#include <QPainter>

namespace
{

QPointF toTwips(const QMouseEvent *event) { return event->position() * ScalePlot::TwipsPerPixel; }

} // namespace

ScalePlot::ScalePlot(QWidget *parent) : QWidget(parent)
{
    setFixedSize(ScaleCurve::PixelWidth, ScaleCurve::PixelHeight);
    // The values of a grip show whenever the pointer is over it, pressed or not.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScalePlot::setTwoPoint(bool twoPoint)
{
    m_curve.setTwoPoint(twoPoint);
    if (twoPoint && m_hover == 3)
        setHover(0);
}

void ScalePlot::DrawLines()
{
    m_curve.DrawLines();
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
    m_curve.paint(painter, m_hover);
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
