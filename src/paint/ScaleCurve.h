#pragma once

#include <QLineF>

#include <array>

class QPainter;
class modOVMXConfig;

// A photocell-to-dimmer curve as the scaling editor shows it: three round grips and the four
// segments through them. Every position is in twips from the plot's top-left corner (15 twips
// a pixel), x to the right and y downwards, so that levels and outputs map to whole numbers of
// twips. The editor's plot and the printed report both paint it with paint().
class ScaleCurve
{
public:
    static constexpr double TwipsPerPixel = 15;
    static constexpr double W = 3945;
    static constexpr double H = 3000;
    static constexpr double GripSize = 120;
    static constexpr double HitSize = 90;
    // Segments meet a grip here, not at the centre of its circle.
    static constexpr double AnchorOffset = 45;
    static constexpr double MaxLeft = W - GripSize;         // level 255
    static constexpr double MaxTop = H - GripSize;          // output 0 %
    static constexpr double TwipsPerLevel = MaxLeft / 255;  // 15
    static constexpr double TwipsPerPercent = MaxTop / 100; // 28.8
    static constexpr int PixelWidth = 263;                  // W and H in pixels
    static constexpr int PixelHeight = 200;

    struct Grip {
        double Left = 0;
        double Top = 0;
    };

    // Stored values outside their ranges are shown at the plot's edge, where they can be
    // grabbed.
    static double leftOfLevel(int level);
    static double topOfOutput(int output);
    // The curve of photocell p and dimmer d as stored, grips placed and segments drawn; two
    // points in mode 1 (2 point), three otherwise.
    static ScaleCurve fromImage(const modOVMXConfig &doc, int p, int d);

    // Grips are numbered 1 to 3: 1 and 2 are the curve's end points, 3 its middle point.
    Grip grip(int g) const { return m_grips[index(g)]; }
    void setGrip(int g, double left, double top) { m_grips[index(g)] = {left, top}; }
    // Two-point curves hide grip 3 and the segment through it.
    void setTwoPoint(bool twoPoint) { m_twoPoint = twoPoint; }
    bool twoPoint() const { return m_twoPoint; }
    bool gripVisible(int g) const { return g != 3 || !m_twoPoint; }
    bool segmentVisible(int n) const { return n != 2 || !m_twoPoint; }
    QLineF segment(int n) const { return m_lines[static_cast<size_t>(n)]; }
    QPointF anchor(int g) const;

    // The highest-numbered visible grip whose hit box holds (X, Y), edges included; 0 if none.
    int GripOver(double X, double Y) const;
    // Places the segments: flat from the left edge to the left end point, through the middle
    // point when it is shown, and flat from the right end point to the right edge.
    void DrawLines();

    // The plot in pixels, from (0, 0) to (PixelWidth, PixelHeight); grip `hover` drawn larger.
    void paint(QPainter &painter, int hover = 0) const;

private:
    static size_t index(int g) { return static_cast<size_t>(g - 1); }
    void paintGrip(QPainter &painter, int g, int hover) const;

    std::array<Grip, 3> m_grips{};
    std::array<QLineF, 4> m_lines{};
    bool m_twoPoint = false;
};
