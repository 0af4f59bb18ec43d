#include "TitlePage.h"

#include "GridModel.h"
#include "LocalTime.h"
#include "OptionTexts.h"
#include "RecordBlocks.h"
#include "ReportStyle.h"
#include "ScreenFont.h"
#include "ScreenPainter.h"
#include "ShowText.h"
#include "TableBlocks.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <numeric>

namespace TitlePage
{

namespace
{
using namespace ReportStyle;

constexpr qreal FieldHeight = 18;
constexpr qreal LabelWidth = 112; // "Commissioned" in bold, with room to spare
constexpr qreal TitleHeight = 26;
constexpr int Rows = 4;

using Field = std::pair<QString, QString>;

// Three columns: who, what, when; read down.
std::array<Field, 3 * Rows> fieldsOf(const modOVMXConfig &doc, const Report::Details &d)
{
    const Report::Controller &seen =
        d.controller.known() || !d.record ? d.controller : d.record->controller;
    const QString date = QStringLiteral("yyyy-MM-dd");
    return {
        {{QStringLiteral("Site"), d.people.site},
         {QStringLiteral("Customer"), d.people.customer},
         {QStringLiteral("Installer"), d.people.installer},
         {QStringLiteral("Tester"), RecordBlocks::testerText(d.people)},
         {QStringLiteral("Controller"), RecordBlocks::controllerText(seen)},
         {QStringLiteral("Data file"), QFileInfo(doc.DataFileName).fileName()},
         {QStringLiteral("Checksum"), Report::checksumText(doc)},
         {QStringLiteral("Witness"), d.people.witness},
         {QStringLiteral("Date"), LocalTime::text(d.made, date, d.made)},
         {QStringLiteral("Times"), QStringLiteral("local, ") + LocalTime::offset(d.made)},
         {QStringLiteral("Commissioned"), d.record ? LocalTime::text(d.record->end, date, d.made)
                                                   : QStringLiteral("No walk test recorded")},
         {QStringLiteral("Result"), d.record ? RecordBlocks::resultText(*d.record)
                                             : QStringLiteral("No walk test recorded")}}};
}

// Each field's value as the lines it takes beside its label; an empty value is a line to
// write on.
struct TitleBlock {
    std::array<QStringList, 3 * Rows> values;
    std::array<qreal, Rows> heights{};
    qreal spacing = 0;

    qreal height() const
    {
        return TitleHeight + std::accumulate(heights.begin(), heights.end(), qreal(0)) + 10;
    }
};

TitleBlock layoutOf(const std::array<Field, 3 * Rows> &fields, const QPaintDevice *device,
                    qreal width)
{
    TitleBlock block;
    const QFont plain = font(BodySize);
    block.spacing = QFontMetricsF(plain, device).lineSpacing();
    for (size_t n = 0; n < fields.size(); ++n) {
        block.values[n] = fields[n].second.isEmpty()
                              ? QStringList{QString()}
                              : TableBlocks::wrapLines(fields[n].second, plain, device,
                                                       width / 3 - LabelWidth - 12);
        qreal &row = block.heights[n % Rows];
        row =
            std::max({row, FieldHeight,
                      block.spacing * qreal(block.values[n].size()) + FieldHeight - block.spacing});
    }
    return block;
}

void paintField(QPainter &painter, const QRectF &at, const QString &label, const QStringList &lines,
                qreal spacing)
{
    const QRectF first(at.topLeft(), QSizeF(at.width(), FieldHeight));
    painter.setPen(Qt::black);
    painter.setFont(font(BodySize, true));
    painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, label);
    const QRectF value = first.adjusted(LabelWidth, 0, -12, 0);
    if (lines.size() == 1 && lines[0].isEmpty()) {
        painter.setPen(QPen(Qt::black, 0.8));
        painter.drawLine(value.bottomLeft() - QPointF(0, 3), value.bottomRight() - QPointF(0, 3));
        return;
    }
    painter.setFont(font(BodySize));
    for (qsizetype n = 0; n < lines.size(); ++n)
        painter.drawText(value.translated(0, spacing * qreal(n)), Qt::AlignLeft | Qt::AlignVCenter,
                         lines[n]);
}

void paintTitleBlock(QPainter &painter, const QRectF &body,
                     const std::array<Field, 3 * Rows> &fields, const TitleBlock &block)
{
    painter.setPen(Qt::black);
    painter.setFont(font(HeadingSize, true));
    painter.drawText(QRectF(body.left(), body.top(), body.width(), 22),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lighting Control Handover"));
    const qreal column = body.width() / 3;
    for (size_t n = 0; n < fields.size(); ++n) {
        const size_t row = n % Rows;
        const qreal top = std::accumulate(block.heights.begin(), block.heights.begin() + long(row),
                                          body.top() + TitleHeight);
        paintField(painter,
                   QRectF(body.left() + column * qreal(n / Rows), top, column, block.heights[row]),
                   fields[n].first, block.values[n], block.spacing);
    }
}

void paintGrid(QPainter &painter, const QRectF &room, const ConfigTexts::ScreenTexts &texts,
               const QString &alert, const QString &overrideEntry)
{
    const QSizeF size = ScreenPainter::ClientSize;
    const qreal scale = std::min(room.width() / size.width(), room.height() / size.height());
    GridModel model;
    model.setCellTexts(texts.cells);
    painter.save();
    painter.translate(room.left() + (room.width() - scale * size.width()) / 2, room.top());
    painter.scale(scale, scale);
    painter.setClipRect(QRect(QPoint(0, 0), ScreenPainter::ClientSize));
    painter.setFont(forPaper(ScreenFont::fitted(QGuiApplication::font())));
    ScreenPainter::paintGrid(painter, model, QRect(QPoint(0, 0), ScreenPainter::ClientSize));
    ScreenPainter::paintPanels(painter, texts, alert, overrideEntry);
    painter.restore();
}
} // namespace

Flow::Page page(const modOVMXConfig &doc, const Report::Details &details)
{
    const auto fields = fieldsOf(doc, details);
    const ConfigTexts::ScreenTexts texts = ShowText::screenTexts(doc);
    const QString alert =
        OptionTexts::timedOffAlertText(doc.GetTimedOffAlert()).value_or(QString());
    const QString overrideEntry =
        OptionTexts::timedOffOverrideText(doc.GetTimedOffOverride()).value_or(QString());
    return [=](QPainter &painter, const QRectF &body) {
        const TitleBlock block = layoutOf(fields, painter.device(), body.width());
        paintTitleBlock(painter, body, fields, block);
        paintGrid(painter, body.adjusted(0, block.height(), 0, 0), texts, alert, overrideEntry);
    };
}

} // namespace TitlePage
