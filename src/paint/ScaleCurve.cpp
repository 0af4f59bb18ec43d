#include "ScaleCurve.h"

#include "modOVMXConfig.h"

#include <QPainter>

#include <algorithm>

double ScaleCurve::leftOfLevel(int level) { return TwipsPerLevel * std::clamp(level, 0, 255); }

double ScaleCurve::topOfOutput(int output)
{
    return MaxTop - TwipsPerPercent * std::clamp(output, 0, 100);
}

ScaleCurve ScaleCurve::fromImage(const modOVMXConfig &doc, int p, int d)
{
    ScaleCurve curve;
    curve.setGrip(1, leftOfLevel(doc.GetScaleLevel1(p, d)), topOfOutput(doc.GetScaleOutput1(p, d)));
    curve.setGrip(2, leftOfLevel(doc.GetScaleLevel3(p, d)), topOfOutput(doc.GetScaleOutput3(p, d)));
    curve.setGrip(3, leftOfLevel(doc.GetScaleLevel2(p, d)), topOfOutput(doc.GetScaleOutput2(p, d)));
    curve.setTwoPoint(doc.GetPhotocellTracking(p, d) == 1);
    curve.DrawLines();
    return curve;
}

QPointF ScaleCurve::anchor(int g) const
{
    const Grip &grip = m_grips[index(g)];
    return {grip.Left + AnchorOffset, grip.Top + AnchorOffset};
}

int ScaleCurve::GripOver(double X, double Y) const
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

void ScaleCurve::DrawLines()
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
}

void ScaleCurve::paint(QPainter &painter, int hover) const
{
    painter.save();
    // The flat runs end on the plot's edge, and a pen's width must not carry them past it.
    painter.setClipRect(QRect(0, 0, PixelWidth, PixelHeight), Qt::IntersectClip);
    painter.fillRect(QRect(0, 0, PixelWidth, PixelHeight), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
    QPen curve(QColor(0, 60, 160), 2);
    curve.setCosmetic(true);
    painter.setPen(curve);
    for (int n = 0; n < 4; ++n)
        if (segmentVisible(n))
            painter.drawLine(m_lines[static_cast<size_t>(n)]);
    for (int g = 1; g <= 3; ++g)
        if (gripVisible(g))
            paintGrip(painter, g, hover);
    painter.restore();
    painter.save();
    painter.setPen(Qt::darkGray);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(0, 0, PixelWidth - 1, PixelHeight - 1));
    painter.restore();
}

void ScaleCurve::paintGrip(QPainter &painter, int g, int hover) const
{
    const Grip &grip = m_grips[index(g)];
    const QPointF centre(grip.Left + GripSize / 2, grip.Top + GripSize / 2);
    // Drawn at its own size, so the circle and its hit box keep the fixed relation the user
    // learns; the grip under the pointer lightens to show what a press would pick up.
    const double radius = GripSize / 2;
    QPen outline(QColor(90, 20, 20), 1);
    outline.setCosmetic(true);
    painter.setPen(outline);
    const QColor fill = g == 3 ? QColor(240, 160, 40) : QColor(210, 40, 40);
    painter.setBrush(g == hover ? fill.lighter(140) : fill);
    painter.drawEllipse(centre, radius, radius);
}
