#include "RecordBlocks.h"

#include "LocalTime.h"
#include "ReportStyle.h"
#include "TableBlocks.h"

#include <QFontMetricsF>
#include <QPainter>

namespace RecordBlocks
{

namespace
{
using namespace ReportStyle;
using Record = Report::Commissioning;

constexpr qreal SignatureHeight = 46;
constexpr int UntestedColumns = 3;

QString verdictText(const Record::Attempt &attempt)
{
    switch (attempt.verdict) {
    case Verdict::Pass:
        return attempt.counts ? QStringLiteral("Pass")
                              : QStringLiteral("Pass, controller not confirmed");
    case Verdict::Fail:
        return QStringLiteral("Fail");
    case Verdict::None:
        break;
    }
    return QStringLiteral("No verdict");
}

struct Clock {
    QString format; // the date only when the walk went past midnight
    QDateTime made;
    QString operator()(const QDateTime &t) const { return LocalTime::text(t, format, made); }
};

Clock clockOf(const Record &record, const QDateTime &made)
{
    QList<QDateTime> times{record.start, record.end};
    for (const Record::Test &test : record.tests)
        for (const Record::Attempt &attempt : test.attempts)
            times << attempt.time;
    return {LocalTime::oneDay(times) ? QStringLiteral("hh:mm") : QStringLiteral("yyyy-MM-dd hh:mm"),
            made};
}

QString period(const Record &record, const Clock &clock)
{
    const QString when =
        QStringLiteral("Walk test %1 to %2")
            .arg(LocalTime::text(record.start, QStringLiteral("yyyy-MM-dd hh:mm"), clock.made),
                 clock(record.end));
    if (!record.controller.known())
        return when + QLatin1Char('.');
    return when + QStringLiteral(" on controller ") + controllerText(record.controller) +
           QLatin1Char('.');
}

QString attemptText(const Record::Attempt &attempt)
{
    return attempt.comment.isEmpty()
               ? verdictText(attempt)
               : verdictText(attempt) + QStringLiteral(": ") + attempt.comment;
}

// Each input as a form: what its programming should do, a line for each output, what was seen,
// where the two part (a hint, never the verdict), then every attempt, one line each, the last
// counting.
Table tested(const Record &record, const Clock &clock)
{
    Table table{QStringLiteral("Inputs Tested"),
                {QStringLiteral("Check"), QStringLiteral("Result"), QStringLiteral("Time")},
                {},
                1,
                QStringLiteral("No input was tested")};
    for (const Record::Test &test : record.tests) {
        Table::Group group{test.input, {}};
        group.rows << QStringList{QStringLiteral("Expected"),
                                  test.expected.isEmpty() ? QStringLiteral("Not programmed")
                                                          : test.expected,
                                  {}}
                   << QStringList{QStringLiteral("Seen"),
                                  test.outputs.isEmpty() ? QStringLiteral("None")
                                                         : test.outputs.join(QStringLiteral(", ")),
                                  clock(test.time)};
        if (!test.differences.isEmpty())
            group.rows << QStringList{
                QStringLiteral("Hint"), test.differences.join(QLatin1Char('\n')), {}};
        for (qsizetype n = 0; n < test.attempts.size(); ++n) {
            const bool last = n + 1 == test.attempts.size();
            group.rows << QStringList{last ? QStringLiteral("Verdict")
                                           : QStringLiteral("Attempt %1").arg(n + 1),
                                      attemptText(test.attempts[n]), clock(test.attempts[n].time)};
        }
        if (test.attempts.isEmpty())
            group.rows << QStringList{QStringLiteral("Verdict"), verdictText({}), {}};
        table.groups << group;
    }
    if (table.groups.isEmpty())
        table.groups << Table::Group{};
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

Table deficiencies(const Record &record, const Clock &clock)
{
    Table table{QStringLiteral("Deficiencies"),
                {QStringLiteral("Input"), QStringLiteral("Comment"), QStringLiteral("Time")},
                {{{}, {}}},
                1,
                QStringLiteral("No deficiencies")};
    for (const Record::Test &test : record.tests)
        if (test.failed())
            table.groups[0].rows << QStringList{test.input, test.attempts.last().comment,
                                                clock(test.attempts.last().time)};
    return table;
}

// The role, the name (wrapped in its own room, never over "Signature"), and lines to sign and
// date on.
Flow::Block signature(const QString &role, const QString &name, const QPaintDevice *device,
                      qreal width)
{
    const qreal name0 = 80, sign0 = width * 0.45, date0 = width * 0.78;
    const QFont plain = font(BodySize);
    const QStringList lines = TableBlocks::wrapLines(name, plain, device, sign0 - 72 - name0);
    const qreal spacing = QFontMetricsF(plain, device).lineSpacing();
    const qreal height = std::max(SignatureHeight, 24 + spacing * qreal(lines.size()));
    return {height, [=](QPainter &painter, const QRectF &room) {
                const qreal base = room.bottom() - 10;
                painter.setPen(Qt::black);
                painter.setFont(font(BodySize, true));
                painter.drawText(QPointF(room.left(), base), role);
                painter.setFont(plain);
                for (qsizetype n = 0; n < lines.size(); ++n)
                    painter.drawText(QPointF(room.left() + name0,
                                             base - 4 - spacing * qreal(lines.size() - 1 - n)),
                                     lines[n]);
                painter.drawText(QPointF(room.left() + sign0 - 62, base),
                                 QStringLiteral("Signature"));
                painter.drawText(QPointF(room.left() + date0 - 30, base), QStringLiteral("Date"));
                painter.setPen(QPen(Qt::black, 0.8));
                for (const auto &[from, to] :
                     {std::pair{name0, sign0 - 72}, std::pair{sign0, date0 - 40},
                      std::pair{date0, room.width()}})
                    painter.drawLine(QPointF(room.left() + from, base + 2),
                                     QPointF(room.left() + to, base + 2));
            }};
}

void append(std::vector<Flow::Block> &to, const Table &table, const QPaintDevice *device,
            qreal width)
{
    const std::vector<Flow::Block> blocks = TableBlocks::blocks(table, device, width);
    to.insert(to.end(), blocks.begin(), blocks.end());
    to.push_back(Flow::space(RowPadding * 4));
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

QString testerText(const Report::People &people)
{
    QStringList parts;
    for (const QString &part : {people.tester, people.company})
        if (!part.isEmpty())
            parts << part;
    if (!people.certificate.isEmpty())
        parts << QStringLiteral("certificate ") + people.certificate;
    return parts.join(QStringLiteral(", "));
}

QString resultText(const Record &record)
{
    return QStringLiteral("%1 programmed %2: %3 passed, %4 failed, %5 not tested")
        .arg(record.programmed)
        .arg(record.programmed == 1 ? QStringLiteral("input") : QStringLiteral("inputs"))
        .arg(record.passed)
        .arg(record.failed)
        .arg(record.untested.size());
}

std::vector<Flow::Block> commissioning(const Record &record, const QDateTime &made,
                                       const QPaintDevice *device, qreal width)
{
    const Clock clock = clockOf(record, made);
    std::vector<Flow::Block> all{TableBlocks::heading(QStringLiteral("Commissioning Record"))};
    if (!record.confirmed)
        all.push_back(TableBlocks::paragraph(
            QStringLiteral("The controller's settings were not confirmed for this walk: it was "
                           "recorded before the tool kept the controller's checksum."),
            device, width));
    all.push_back(TableBlocks::paragraph(period(record, clock), device, width));
    all.push_back(TableBlocks::paragraph(resultText(record) + QLatin1Char('.'), device, width));
    all.push_back(Flow::space(RowPadding * 2));
    for (Flow::Block &line : all)
        line.keepWithNext = true; // the section's opening goes with the first input
    append(all, tested(record, clock), device, width);
    append(all, untested(record), device, width);
    append(all, deficiencies(record, clock), device, width);
    return all;
}

QString handedOver(const std::optional<Record> &record, int programmed, const QString &programming)
{
    const int failed = record ? record->openItems() - int(record->untested.size()) : 0;
    const int untested = record ? int(record->untested.size()) : programmed;
    if (failed + untested == 0)
        return QStringLiteral("Handed over with the programming this document describes: ") +
               programming + QLatin1Char('.');
    return QStringLiteral("Handed over with %1 open %2 (%3 failed, %4 programmed %5 not tested): "
                          "%6.")
        .arg(failed + untested)
        .arg(failed + untested == 1 ? QStringLiteral("item") : QStringLiteral("items"))
        .arg(failed)
        .arg(untested)
        .arg(untested == 1 ? QStringLiteral("input") : QStringLiteral("inputs"), programming);
}

std::vector<Flow::Block> signOff(const Report::People &people, const QString &statement,
                                 const QPaintDevice *device, qreal width)
{
    std::vector<Flow::Block> all{TableBlocks::heading(QStringLiteral("Sign-Off")),
                                 TableBlocks::paragraph(statement, device, width)};
    if (const QString tester = testerText(people); !tester.isEmpty())
        all.push_back(TableBlocks::paragraph(
            QStringLiteral("Controls tested by ") + tester + QLatin1Char('.'), device, width));
    for (const auto &[role, name] : {std::pair{QStringLiteral("Installer"), people.installer},
                                     std::pair{QStringLiteral("Customer"), people.customer},
                                     std::pair{QStringLiteral("Tester"), people.tester},
                                     std::pair{QStringLiteral("Witness"), people.witness}}) {
        all.back().keepWithNext = true;
        all.push_back(signature(role, name, device, width));
    }
    return all;
}

} // namespace RecordBlocks
