#pragma once

#include <QLineF>
#include <QWidget>

#include <array>

// The plot of a photocell-to-dimmer curve: three round grips and the four segments through
// them. Every position is in twips from the plot's top-left corner (15 twips a pixel), x to
// the right and y downwards, so that levels and outputs map to whole numbers of twips. Pointer
// events are reported in the same twips; the rules of a drag belong to the window that uses
// the plot.
class ScalePlot : public QWidget
{
    Q_OBJECT

public:
    static constexpr double TwipsPerPixel = 15;
    static constexpr double W = 3945;
    static constexpr double H = 3000;
    static constexpr double GripSize = 120;
    static constexpr double HitSize = 90;
    // Segments meet a grip here, not at the centre of its circle.
    static constexpr double AnchorOffset = 45;
    static constexpr double MaxLeft = W - GripSize; // level 255
    static constexpr double MaxTop = H - GripSize;  // output 0 %

    struct Grip {
        double Left = 0;
        double Top = 0;
    };

    explicit ScalePlot(QWidget *parent = nullptr);

    // Grips are numbered 1 to 3: 1 and 2 are the curve's end points, 3 its middle point.
    Grip grip(int g) const { return m_grips[index(g)]; }
    void setGrip(int g, double left, double top);
    // Two-point curves hide grip 3 and the segment through it.
    void setTwoPoint(bool twoPoint);
    bool gripVisible(int g) const { return g != 3 || !m_twoPoint; }
    bool segmentVisible(int n) const { return n != 2 || !m_twoPoint; }
    QLineF segment(int n) const { return m_lines[static_cast<size_t>(n)]; }
    QPointF anchor(int g) const;
    int hoverGrip() const { return m_hover; }

    // The highest-numbered visible grip whose hit box holds (X, Y), edges included; 0 if none.
    int GripOver(double X, double Y) const;
    // Places the segments: flat from the left edge to the left end point, through the middle
    // point when it is shown, and flat from the right end point to the right edge.
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
    static size_t index(int g) { return static_cast<size_t>(g - 1); }
    void setHover(int g);
    void paintGrid(QPainter &painter) const;
    void paintGrip(QPainter &painter, int g) const;

    std::array<Grip, 3> m_grips{};
    std::array<QLineF, 4> m_lines{};
    bool m_twoPoint = false;
    int m_hover = 0;
};
