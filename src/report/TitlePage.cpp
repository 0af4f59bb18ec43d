#include "TitlePage.h"

#include "GridModel.h"
#include "OptionTexts.h"
#include "RecordBlocks.h"
#include "ReportStyle.h"
#include "ScreenFont.h"
#include "ScreenPainter.h"
#include "ShowText.h"

#include <QFileInfo>
#include <QPainter>

namespace TitlePage
{

namespace
{
using namespace ReportStyle;

constexpr qreal FieldHeight = 18;
constexpr qreal LabelWidth = 112; // "Commissioned" in bold, with room to spare
constexpr qreal BlockHeight = 26 + 3 * FieldHeight + 10;

using Field = std::pair<QString, QString>;

// Three columns: who and where, what, when.
std::array<Field, 8> fieldsOf(const modOVMXConfig &doc, const Report::Details &d)
{
    const Report::Controller &seen =
        d.controller.known() || !d.record ? d.controller : d.record->controller;
    return {{{QStringLiteral("Site"), d.people.site},
             {QStringLiteral("Customer"), d.people.customer},
             {QStringLiteral("Installer"), d.people.installer},
             {QStringLiteral("Controller"), RecordBlocks::controllerText(seen)},
             {QStringLiteral("Data file"), QFileInfo(doc.DataFileName).fileName()},
             {QStringLiteral("Checksum"), Report::checksumText(doc)},
             {QStringLiteral("Date"), d.made.toString(QStringLiteral("yyyy-MM-dd"))},
             {QStringLiteral("Commissioned"),
              d.record ? d.record->end.toString(QStringLiteral("yyyy-MM-dd"))
                       : QStringLiteral("No walk test recorded")}}};
}

// A label and its value; an empty value is a line to write on.
void paintField(QPainter &painter, const QRectF &at, const Field &field)
{
    painter.setPen(Qt::black);
    painter.setFont(font(BodySize, true));
    painter.drawText(at, Qt::AlignLeft | Qt::AlignVCenter, field.first);
    const QRectF value = at.adjusted(LabelWidth, 0, -12, 0);
    if (field.second.isEmpty()) {
        painter.setPen(QPen(Qt::black, 0.8));
        painter.drawLine(value.bottomLeft() - QPointF(0, 3), value.bottomRight() - QPointF(0, 3));
        return;
    }
    painter.setFont(font(BodySize));
    painter.drawText(
        value, Qt::AlignLeft | Qt::AlignVCenter,
        painter.fontMetrics().elidedText(field.second, Qt::ElideMiddle, int(value.width())));
}

void paintTitleBlock(QPainter &painter, const QRectF &body, const std::array<Field, 8> &fields)
{
    painter.setPen(Qt::black);
    painter.setFont(font(HeadingSize, true));
    painter.drawText(QRectF(body.left(), body.top(), body.width(), 22),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lighting Control Handover"));
    const qreal column = body.width() / 3;
    for (size_t n = 0; n < fields.size(); ++n)
        paintField(painter,
                   QRectF(body.left() + column * qreal(n / 3),
                          body.top() + 26 + FieldHeight * qreal(n % 3), column, FieldHeight),
                   fields[n]);
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
        paintTitleBlock(painter, body, fields);
        paintGrid(painter, body.adjusted(0, BlockHeight, 0, 0), texts, alert, overrideEntry);
    };
}

} // namespace TitlePage
