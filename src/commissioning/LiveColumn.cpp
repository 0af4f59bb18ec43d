#include "LiveColumn.h"

#include "ScreenFont.h"

#include <QPaintEvent>
#include <QPainter>

namespace
{
constexpr int Caption = 20; // the line above, saying what was worked
constexpr int Legend = 36;  // the two lines below, saying what the colours mean
const QString NotSeen = QStringLiteral("expected, not seen");
} // namespace

LiveColumn::LiveColumn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picLive"));
    setFont(ScreenFont::fitted(font()));
    m_caption = QStringLiteral("Work an input: its column shows here.");
}

void LiveColumn::showInput(const LiveInput &live,
                           const std::array<QString, GridModel::CellCount> &texts)
{
    m_model.setCellTexts(texts);
    m_model.setLive(live.input(), live.followedRows(), live.silentRows());
    m_caption = live.input() < 0 ? m_caption : live.words();
    m_rows.clear();
    for (int q = 0; q < GridModel::RowCount && live.input() >= 0; ++q) {
        const int k = 24 * q + live.input();
        // Of the inputs it may disable, the ones it does.
        const bool shown = q < 4 || q >= 28 || texts[size_t(k)] != QLatin1String("-");
        // A photocell level input's dimmer rows are its photocell's tracking: not this input's.
        if (shown && GridModel::cellVisible(k) && !ConfigTexts::isTrackingCell(k))
            m_rows << q;
    }
    updateGeometry();
    update();
}

QRect LiveColumn::headingRect(int n) const
{
    const QSize size = GridModel::outputRect(0).size();
    return {0, Caption + n * (size.height() - 1), size.width(), size.height()};
}

QRect LiveColumn::cellRect(int n) const
{
    const QRect heading = headingRect(n);
    return {heading.right(), heading.top(), GridModel::cellRect(0).width(), heading.height()};
}

QSize LiveColumn::sizeHint() const
{
    const QRect last = cellRect(int(m_rows.size()));
    const int legend = fontMetrics().height() + fontMetrics().horizontalAdvance(NotSeen);
    return {std::max({last.right() + 1, fontMetrics().horizontalAdvance(m_caption) + 4, legend}),
            last.bottom() + 1 + Legend};
}

void LiveColumn::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(0, 0, width(), Caption), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    const int input = m_model.liveInput();
    if (input < 0)
        return;
    ScreenPainter::paintBox(painter, cellRect(0), m_model.inputColour(input),
                            ConfigTexts::inputHeading(input), Qt::AlignCenter, &m_cache);
    for (qsizetype n = 0; n < m_rows.size(); ++n) {
        const int q = m_rows[n];
        ScreenPainter::paintBox(painter, headingRect(int(n) + 1), m_model.outputColour(q),
                                ConfigTexts::rowHeading(q), Qt::AlignCenter, &m_cache);
        ScreenPainter::paintBox(painter, cellRect(int(n) + 1), m_model.cellColour(24 * q + input),
                                m_model.cellText(24 * q + input), Qt::AlignCenter, &m_cache);
    }
    const int top = cellRect(int(m_rows.size())).bottom() + 6;
    const int box = fontMetrics().height() - 4;
    for (const auto &[n, colour, text] :
         {std::tuple{0, GridModel::LiveColour, QStringLiteral("followed")},
          std::tuple{1, GridModel::SilentColour, NotSeen}}) {
        const QRect swatch(0, top + n * (box + 6), box, box);
        painter.fillRect(swatch, colour);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(swatch);
        painter.drawText(QPoint(box + 4, swatch.bottom()), text);
    }
}
