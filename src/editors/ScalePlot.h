#pragma once

#include "ScaleCurve.h"

#include <QWidget>

// The plot of a photocell-to-dimmer curve in the scaling editor: the curve and its grips, and
// the pointer events over it in the curve's twips. The rules of a drag belong to the window
// that uses the plot.
class ScalePlot : public QWidget
{
    Q_OBJECT

public:
    static constexpr double TwipsPerPixel = ScaleCurve::TwipsPerPixel;
    static constexpr double W = ScaleCurve::W;
    static constexpr double H = ScaleCurve::H;
    static constexpr double GripSize = ScaleCurve::GripSize;
    static constexpr double HitSize = ScaleCurve::HitSize;
    static constexpr double AnchorOffset = ScaleCurve::AnchorOffset;
    static constexpr double MaxLeft = ScaleCurve::MaxLeft;
    static constexpr double MaxTop = ScaleCurve::MaxTop;
    using Grip = ScaleCurve::Grip;

    explicit ScalePlot(QWidget *parent = nullptr);

    Grip grip(int g) const { return m_curve.grip(g); }
    void setGrip(int g, double left, double top) { m_curve.setGrip(g, left, top); }
    void setTwoPoint(bool twoPoint);
    bool gripVisible(int g) const { return m_curve.gripVisible(g); }
    bool segmentVisible(int n) const { return m_curve.segmentVisible(n); }
    QLineF segment(int n) const { return m_curve.segment(n); }
    QPointF anchor(int g) const { return m_curve.anchor(g); }
    int hoverGrip() const { return m_hover; }

    int GripOver(double X, double Y) const { return m_curve.GripOver(X, Y); }
    void DrawLines();

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double X, double Y);
    void mouseMove(Qt::MouseButtons button, Qt::KeyboardModifiers shift, double X, double Y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double X, double Y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHover(int g);

    ScaleCurve m_curve;
    int m_hover = 0;
};
