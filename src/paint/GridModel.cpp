#include "GridModel.h"

const QColor GridModel::Background{240, 240, 240};
const QColor GridModel::HeadingColour{128, 255, 255};
const QColor GridModel::HeadingHighlight{255, 255, 0};
const QColor GridModel::UnderMouse{255, 255, 255};
const QColor GridModel::RelayColour{224, 224, 224};
const QColor GridModel::DisableColour{192, 255, 192};
const QColor GridModel::DimmerColour{255, 255, 128};
const QColor GridModel::TrackingColour{192, 255, 255};
const QColor GridModel::FillerColour{224, 255, 224};
const QColor GridModel::LiveColour{255, 176, 0};
const QColor GridModel::SilentColour{255, 128, 128};

namespace
{
constexpr int GridLeft = 56;
constexpr int Pitch = 40;
constexpr int RowPitch = 16;
constexpr int CellWidth = 41;
constexpr int CellHeight = 17;
constexpr int TrackingWidth = 161;

int rowTop(int q)
{
    if (q < 4)
        return RowPitch * q + 128;
    if (q < 28)
        return RowPitch * q + 144;
    return RowPitch * q + 160;
}

// A covered photocell cell of a dimmer row stands for the tracking cell that covers it.
int coverOf(int k)
{
    if (k >= 672 && ConfigTexts::inputOfCell(k) >= 16 && !ConfigTexts::isTrackingCell(k)) {
        const int p = (ConfigTexts::inputOfCell(k) - 16) / 4;
        return ConfigTexts::trackingCell(p, ConfigTexts::rowOfCell(k) - 28);
    }
    return k;
}
} // namespace

GridModel::GridModel() { m_texts.fill(QStringLiteral("-")); }

QRect GridModel::cellRect(int k)
{
    const int i = ConfigTexts::inputOfCell(k);
    const int width = ConfigTexts::isTrackingCell(k) ? TrackingWidth : CellWidth;
    return {GridLeft + Pitch * i, rowTop(ConfigTexts::rowOfCell(k)), width, CellHeight};
}

QRect GridModel::deviceRect(int n)
{
    static constexpr int lefts[] = {56, 296, 536, 696, 856};
    static constexpr int widths[] = {241, 241, 161, 161, 161};
    return {lefts[n], 80, widths[n], 17};
}

QRect GridModel::inputRect(int i) { return {GridLeft + Pitch * i, 96, CellWidth, CellHeight}; }

QRect GridModel::outputRect(int q) { return {8, rowTop(q), 49, CellHeight}; }

QRect GridModel::captionRect(int s)
{
    static const QRect rects[] = {
        {56, 113, 961, 15}, {56, 193, 961, 15}, {56, 592, 641, 15}, {696, 592, 321, 15}};
    return rects[s];
}

QRect GridModel::fillerRect(int j) { return {57 + Pitch * j, 209 + RowPitch * j, 39, 15}; }

QString GridModel::captionText(int s)
{
    static const char *const texts[] = {" Relay Control", " Input Disable", " Dimmer Control",
                                        " Photocell Tracking"};
    return QString::fromLatin1(texts[s]);
}

QColor GridModel::captionColour(int s)
{
    static const QColor colours[] = {RelayColour, DisableColour, DimmerColour, TrackingColour};
    return colours[s];
}

QColor GridModel::sectionColour(int k)
{
    if (k < 96)
        return RelayColour;
    if (k < 672)
        return DisableColour;
    return ConfigTexts::isTrackingCell(k) ? TrackingColour : DimmerColour;
}

int GridModel::deviceOfInput(int i)
{
    if (i < 12)
        return i / 6;
    return 2 + (i - 12) / 4;
}

QColor GridModel::cellColour(int k) const
{
    if (k == m_hlIndex)
        return UnderMouse;
    if (ConfigTexts::inputOfCell(k) == m_liveInput && !ConfigTexts::isTrackingCell(k))
        return liveColour(ConfigTexts::rowOfCell(k)).value_or(sectionColour(k));
    return sectionColour(k);
}

QColor GridModel::deviceColour(int n) const { return restingOr(n == m_litDevice); }

QColor GridModel::inputColour(int i) const
{
    return i == m_litInput || i != m_liveInput ? restingOr(i == m_litInput) : LiveColour;
}

QColor GridModel::outputColour(int q) const
{
    return q == m_litOutput ? HeadingHighlight : liveColour(q).value_or(HeadingColour);
}

std::optional<QColor> GridModel::liveColour(int row) const
{
    if (m_followedRows.contains(row))
        return LiveColour;
    if (m_silentRows.contains(row))
        return SilentColour;
    return std::nullopt;
}

void GridModel::setLive(int input, const QList<int> &followedRows, const QList<int> &silentRows)
{
    m_liveInput = input;
    m_followedRows = input < 0 ? QList<int>() : followedRows;
    m_silentRows = input < 0 ? QList<int>() : silentRows;
}

bool GridModel::setCellTexts(const std::array<QString, CellCount> &texts)
{
    bool changed = false;
    for (int k = 0; k < CellCount; ++k) {
        QString &text = m_texts[static_cast<size_t>(k)];
        if (text != texts[static_cast<size_t>(k)]) {
            text = texts[static_cast<size_t>(k)];
            changed = changed || cellVisible(k);
        }
    }
    return changed;
}

void GridModel::hover(int k)
{
    if (k < 0 || k >= CellCount)
        return;
    const int i = ConfigTexts::inputOfCell(k);
    m_hlActive = true;
    m_litDevice = deviceOfInput(i);
    m_litInput = ConfigTexts::isTrackingCell(k) ? -1 : i;
    m_litOutput = ConfigTexts::rowOfCell(k);
    m_hlIndex = k;
}

void GridModel::ClearHL()
{
    if (!m_hlActive)
        return;
    m_hlActive = false;
    m_litDevice = m_litInput = m_litOutput = -1;
    m_hlIndex = -1;
}

int GridModel::cellAt(QPoint p)
{
    for (int k = CellCount - 1; k >= 0; --k)
        if (cellVisible(k) && cellRect(k).contains(p))
            return k;
    return -1;
}

int GridModel::neighbour(int k, int dx, int dy)
{
    if (k < 0 || k >= CellCount)
        return k;
    int i = ConfigTexts::inputOfCell(k);
    int q = ConfigTexts::rowOfCell(k);
    for (;;) {
        i += dx;
        q += dy;
        if (i < 0 || i >= InputCount || q < 0 || q >= RowCount)
            return k;
        const int next = coverOf(24 * q + i);
        if (next != k && cellVisible(next))
            return next;
    }
}
