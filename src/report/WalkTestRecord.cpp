#include "WalkTestRecord.h"

#include "ConfigTexts.h"
#include "ExpectedResponse.h"
#include "WalkTest.h"

#include <QFileInfo>

namespace WalkTestRecord
{

namespace
{
QDateTime when(qint64 ms) { return ms < 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(ms); }

// Where the outputs seen and the programming part: a hint beside the verdict.
QStringList differences(QList<int> expected, const QList<int> &seen, bool twoChannel)
{
    if (twoChannel) // outputs 3 and 4 are not there to follow
        expected.removeIf([](int s) { return s == 26 || s == 27 || s == 30 || s == 31; });
    QStringList hints;
    for (const int subject : expected)
        if (!seen.contains(subject))
            hints << subjectName(subject) + QStringLiteral(" expected, not seen");
    for (const int subject : seen)
        if (!expected.contains(subject))
            hints << subjectName(subject) + QStringLiteral(" seen, not programmed");
    return hints;
}
} // namespace

Report::Commissioning section(const WalkTest &test, const modOVMXConfig &doc)
{
    Report::Commissioning out;
    out.start = test.header.started;
    out.end = test.header.ended;
    out.controller = {test.header.model, test.header.firmware, test.header.node};
    out.confirmed = test.version() > 1;
    const WalkTest::Tally tally = test.tally();
    out.programmed = tally.programmed;
    out.passed = tally.passed;
    out.failed = tally.failed;
    const bool twoChannel = test.header.model == QLatin1String("MX-2");
    for (int i = 0; i < WalkTest::InputCount; ++i) {
        const WalkTest::Input &seen = test.input(i);
        const QString name = ConfigTexts::inputName(i);
        const bool counted = !seen.attempts.isEmpty() && seen.verdict() != Verdict::None &&
                             (seen.verdict() == Verdict::Fail || test.counts(seen.attempts.last()));
        if (seen.programmed && !counted)
            out.untested << name;
        if (seen.events.isEmpty() && seen.attempts.isEmpty())
            continue;
        const ExpectedResponse expected = ExpectedResponse::of(doc, i);
        Report::Commissioning::Test row{
            name, expected.words.join(QLatin1Char('\n')), {}, {}, {}, when(seen.lastMs())};
        QList<int> outputs;
        for (const WalkTest::Seen &output : seen.followed) {
            if (!output.confirmed && test.version() > 1)
                continue; // seen while the controller ran other settings
            if (!row.outputs.contains(output.words))
                row.outputs << output.words;
            if (const int s = outputSubject(output.words); s >= 0 && !outputs.contains(s))
                outputs << s;
        }
        row.differences = differences(expected.outputs, outputs, twoChannel);
        for (const WalkTest::Attempt &a : seen.attempts)
            row.attempts.append({a.verdict, a.comment, when(a.timeMs), test.counts(a)});
        out.tests << row;
    }
    return out;
}

modOVMXConfig::FileResult read(const modOVMXConfig &doc, QString path,
                               std::optional<Report::Commissioning> &record)
{
    record.reset();
    const bool beside = path.isEmpty();
    if (beside)
        path = recordPath(doc.DataFileName);
    if (beside && (doc.DataFileName == QStringLiteral("None") || !QFileInfo::exists(path)))
        return {true, {}};
    WalkTest test(doc);
    const modOVMXConfig::FileResult loaded = test.load(path);
    if (!loaded.ok)
        return loaded;
    // A first record never knew; it is printed under a line that says so.
    const std::optional<WalkTest::Controller> controller = test.controller();
    if (test.version() > 1 && !controller)
        return {false, QStringLiteral("Cannot use \"%1\": the controller's settings were not "
                                      "confirmed during the walk (this file's checksum is %2)")
                           .arg(path, checksumText(test.checksum()))};
    if (controller && controller->programming != test.programming())
        return {false,
                QStringLiteral("Cannot use \"%1\": the walk was made while the controller "
                               "ran other settings (the controller's checksum %2, this "
                               "file's %3)")
                    .arg(path, checksumText(controller->checksum), checksumText(test.checksum()))};
    record = section(test, doc);
    return loaded;
}

} // namespace WalkTestRecord
