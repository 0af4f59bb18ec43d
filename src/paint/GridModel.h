#pragma once

#include "ConfigTexts.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <QList>

#include <array>
#include <optional>

// Everything the programming grid shows, without pixels: where each heading, caption, cell and
// filler lies, its colour, whether it is visible, the cell texts and the mouse-over highlight.
// The widget only paints what this says, so tests can read the grid from here.
class GridModel
{
public:
    static constexpr int CellCount = ConfigTexts::CellCount;
    static constexpr int DeviceCount = 5;
    static constexpr int InputCount = 24;
    static constexpr int RowCount = 32;
    static constexpr int CaptionCount = 4;
    static constexpr int FillerCount = 24;

    GridModel();

    static const QColor Background;
    static const QColor HeadingColour;
    static const QColor HeadingHighlight;
    static const QColor UnderMouse;
    static const QColor RelayColour;
    static const QColor DisableColour;
    static const QColor DimmerColour;
    static const QColor TrackingColour;
    static const QColor FillerColour;
    static const QColor LiveColour;   // an output that followed the input worked on site
    static const QColor SilentColour; // one its programming moves that stayed still

    // Geometry, in pixels of the window's client area. Cells are one pixel larger than their
    // pitch so neighbours share their border lines.
    static QRect cellRect(int k);
    static QRect deviceRect(int n);
    static QRect inputRect(int i);
    static QRect outputRect(int q);
    static QRect captionRect(int s);
    static QRect fillerRect(int j);
    static bool cellVisible(int k) { return !ConfigTexts::isHiddenCell(k); }

    static QString captionText(int s); // " Relay Control" ...
    static QColor captionColour(int s);
    static QColor sectionColour(int k); // the resting colour of cell k
    static int deviceOfInput(int i);

    // Current colours, highlight included.
    QColor cellColour(int k) const;
    QColor deviceColour(int n) const;
    QColor inputColour(int i) const;
    QColor outputColour(int q) const;

    const QString &cellText(int k) const { return m_texts[static_cast<size_t>(k)]; }
    const std::array<QString, CellCount> &cellTexts() const { return m_texts; }
    // True when any visible text changed.
    bool setCellTexts(const std::array<QString, CellCount> &texts);

    // The mouse moved over cell k: its device, input and row headings and the cell itself
    // take the highlight colours.
    void hover(int k);
    // Every heading and the highlighted cell back to rest; nothing when already at rest.
    void ClearHL();
    int HLIndex() const { return m_hlIndex; }
    bool HLActive() const { return m_hlActive; }

    // The input last worked on site while connected: its heading lit, and in its column and
    // among the row headings, the rows of the outputs that followed it lit and those it should
    // have moved marked. -1 for none. Under the mouse, the hover's colours win.
    void setLive(int input, const QList<int> &followedRows, const QList<int> &silentRows);
    int liveInput() const { return m_liveInput; }

    // The visible cell under a point of the client area, or -1. Where two cells share a border
    // line the later one wins, as it lies on top.
    static int cellAt(QPoint p);
    // The visible cell reached from k by one step of (dx, dy) over the grid's columns and
    // rows, skipping hidden cells; covered photocell cells lead to their tracking cell. k
    // itself when there is none.
    static int neighbour(int k, int dx, int dy);

private:
    static QColor restingOr(bool lit) { return lit ? HeadingHighlight : HeadingColour; }

    std::optional<QColor> liveColour(int row) const;

    std::array<QString, CellCount> m_texts;
    int m_liveInput = -1;
    QList<int> m_followedRows;
    QList<int> m_silentRows;
    int m_hlIndex = -1;
    bool m_hlActive = false;
    int m_litDevice = -1;
    int m_litInput = -1;
    int m_litOutput = -1;
};
