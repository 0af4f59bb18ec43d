#pragma once

#include "ConfigTexts.h"
#include "Report.h"

// The people and a walk test of the sample configuration, for the benchmark and the pictures
// of the guide: every input that acts on a relay tried in turn three minutes apart, two of them
// failing with a comment, the last three left untried.
inline Report::People sampleHandover()
{
    return {QStringLiteral("Hollin Park Pavilion"), QStringLiteral("Hollin Park Trust"),
            QStringLiteral("A. Fitter, Brightwell Electrical")};
}

inline Report::Commissioning sampleRecord(const modOVMXConfig &doc)
{
    Report::Commissioning record;
    record.start = QDateTime(QDate(2026, 3, 14), QTime(9, 0));
    record.controller = {QStringLiteral("MX-4"), QStringLiteral("Rev 3"), QStringLiteral("01")};
    QStringList programmed;
    for (int i = 0; i < 24; ++i)
        for (int r = 0; r < 4; ++r)
            if (ConfigTexts::InputRelayControlText(doc, i, r) != QLatin1String("-")) {
                programmed << ConfigTexts::targetName(4 + i);
                break;
            }
    for (qsizetype n = 0; n + 3 < programmed.size(); ++n) {
        Report::Commissioning::Test test{programmed[n],
                                         {QStringLiteral("Relay 1")},
                                         Report::Commissioning::Verdict::Pass,
                                         {},
                                         record.start.addSecs(180 * (n + 1))};
        if (n % 9 == 4) {
            test.verdict = Report::Commissioning::Verdict::Fail;
            test.comment = QStringLiteral("Relay 2 stayed off; the wiring at the panel is to be "
                                          "checked before the second visit");
        }
        record.tests << test;
    }
    record.untested = programmed.mid(programmed.size() - 3);
    record.end = record.start.addSecs(180 * (programmed.size() - 2));
    return record;
}
