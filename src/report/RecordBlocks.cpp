#include "RecordBlocks.h"

#include "ReportStyle.h"
#include "TableBlocks.h"

#include <QPainter>

namespace RecordBlocks
{

namespace
{
using namespace ReportStyle;
using Record = Report::Commissioning;

constexpr qreal SignatureHeight = 46;
constexpr int UntestedColumns = 3;

QString verdictText(Record::Verdict verdict)
{
    switch (verdict) {
    case Record::Verdict::Pass:
        return QStringLiteral("Pass");
    case Record::Verdict::Fail:
        return QStringLiteral("Fail");
    case Record::Verdict::None:
        break;
    }
    return QStringLiteral("No verdict");
}

// A walk test within one day gives its times without the date.
QString timeFormat(const Record &record)
{
    return record.start.date() == record.end.date() ? QStringLiteral("hh:mm")
                                                    : QStringLiteral("yyyy-MM-dd hh:mm");
}

QString period(const Record &record)
{
    const QString when = QStringLiteral("Walk test %1 to %2")
                             .arg(record.start.toString(QStringLiteral("yyyy-MM-dd hh:mm")),
                                  record.end.toString(timeFormat(record)));
    if (!record.controller.known())
        return when + QLatin1Char('.');
    return when + QStringLiteral(" on controller ") + controllerText(record.controller) +
           QLatin1Char('.');
}

Table tested(const Record &record)
{
    Table table{QStringLiteral("Inputs Tested"),
                {QStringLiteral("Input"), QStringLiteral("Outputs Seen To Follow"),
                 QStringLiteral("Verdict"), QStringLiteral("Comment"), QStringLiteral("Time")},
                {{{}, {}}},
                3,
                QStringLiteral("No input was tested")};
    const QString format = timeFormat(record);
    for (const Record::Test &test : record.tests)
        table.groups[0].rows << QStringList{
            test.input,
            test.outputs.isEmpty() ? QStringLiteral("None")
                                   : test.outputs.join(QStringLiteral(", ")),
            verdictText(test.verdict), test.comment, test.time.toString(format)};
    return table;
}

// The names in rows of three, read across.
Table untested(const Record &record)
{
    Table table{QStringLiteral("Programmed But Not Tested"), {}, {{{}, {}}}};
    for (int n = 0; n < UntestedColumns; ++n)
        table.headers << QStringLiteral("Input");
    table.empty = QStringLiteral("Every programmed input was tested");
    for (qsizetype first = 0; first < record.untested.size(); first += UntestedColumns)
        table.groups[0].rows << record.untested.mid(first, UntestedColumns);
    return table;
}

Flow::Block signature(const QString &role, const QString &name)
{
    return {SignatureHeight, [role, name](QPainter &painter, const QRectF &room) {
                const qreal base = room.bottom() - 10;
                const qreal name0 = room.left() + 80, sign0 = room.left() + room.width() * 0.45;
                const qreal date0 = room.left() + room.width() * 0.78;
                painter.setPen(Qt::black);
                painter.setFont(font(BodySize, true));
                painter.drawText(QPointF(room.left(), base), role);
                painter.setFont(font(BodySize));
                painter.drawText(QPointF(name0, base - 4), name);
                painter.drawText(QPointF(sign0 - 62, base), QStringLiteral("Signature"));
                painter.drawText(QPointF(date0 - 30, base), QStringLiteral("Date"));
                painter.setPen(QPen(Qt::black, 0.8));
                for (const auto &[from, to] :
                     {std::pair{name0, sign0 - 72}, std::pair{sign0, date0 - 40},
                      std::pair{date0, room.right()}})
                    painter.drawLine(QPointF(from, base + 2), QPointF(to, base + 2));
            }};
}
} // namespace

QString controllerText(const Report::Controller &c)
{
    QStringList parts;
    if (!c.model.isEmpty())
        parts << c.model;
    if (!c.firmware.isEmpty())
        parts << QStringLiteral("firmware ") + c.firmware;
    if (!c.node.isEmpty())
        parts << QStringLiteral("node ") + c.node;
    return parts.isEmpty() ? QStringLiteral("not known") : parts.join(QStringLiteral(", "));
}

std::vector<Flow::Block> commissioning(const Record &record, const QPaintDevice *device,
                                       qreal width)
{
    std::vector<Flow::Block> all{TableBlocks::heading(QStringLiteral("Commissioning Record")),
                                 TableBlocks::paragraph(period(record), device, width)};
    for (const Table &table : {tested(record), untested(record)}) {
        std::vector<Flow::Block> blocks = TableBlocks::blocks(table, device, width);
        all.insert(all.end(), blocks.begin(), blocks.end());
        all.push_back(Flow::space(RowPadding * 4));
    }
    return all;
}

std::vector<Flow::Block> signOff(const Report::People &people, const QString &programming,
                                 const QPaintDevice *device, qreal width)
{
    Flow::Block statement = TableBlocks::paragraph(
        QStringLiteral("Handed over with the programming this document describes: ") + programming +
            QLatin1Char('.'),
        device, width);
    statement.keepWithNext = true;
    Flow::Block installer = signature(QStringLiteral("Installer"), people.installer);
    installer.keepWithNext = true;
    return {TableBlocks::heading(QStringLiteral("Sign-Off")), statement, installer,
            signature(QStringLiteral("Customer"), people.customer)};
}

} // namespace RecordBlocks
