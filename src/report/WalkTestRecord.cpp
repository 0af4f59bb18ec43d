#include "WalkTestRecord.h"

#include "ConfigTexts.h"
#include "WalkTest.h"

#include <QFileInfo>

namespace WalkTestRecord
{

namespace
{
QDateTime when(qint64 ms) { return ms < 0 ? QDateTime() : QDateTime::fromMSecsSinceEpoch(ms); }
} // namespace

Report::Commissioning section(const WalkTest &test)
{
    Report::Commissioning out;
    out.start = test.header.started;
    out.end = test.header.ended;
    out.controller = {test.header.model, test.header.firmware, test.header.node};
    for (int i = 0; i < WalkTest::InputCount; ++i) {
        const WalkTest::Input &seen = test.input(i);
        const QString name = ConfigTexts::inputName(i);
        // Programmed, and neither seen both ways nor judged by the installer.
        if (seen.programmed && !seen.ticked() && seen.verdict == WalkTest::Verdict::None)
            out.untested << name;
        if (seen.events.isEmpty() && seen.verdict == WalkTest::Verdict::None)
            continue;
        Report::Commissioning::Test row{
            name, {}, Report::Commissioning::Verdict::None, seen.comment, when(seen.lastMs())};
        for (const WalkTest::Seen &output : seen.followed)
            if (!row.outputs.contains(output.words))
                row.outputs << output.words;
        if (seen.verdict != WalkTest::Verdict::None)
            row.verdict = seen.verdict == WalkTest::Verdict::Pass
                              ? Report::Commissioning::Verdict::Pass
                              : Report::Commissioning::Verdict::Fail;
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
    if (loaded.ok)
        record = section(test);
    return loaded;
}

} // namespace WalkTestRecord
