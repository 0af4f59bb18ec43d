// The handover document of a full configuration with a walk test of every programmed input, as
// a PDF, and again with that walk written at length, against rendering the main window once
// with the same configuration on screen.
#include "../../tools/SampleConfig.h"
#include "../../tools/SampleRecord.h"
#include "../BenchTable.h"

#include "QtFileDialogs.h"
#include "QtPrompts.h"
#include "Report.h"
#include "frmMain.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

int main(int argc, char *argv[])
{
    // Platform notices would break up the table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit()); // the data directory goes to a scratch home
    QApplication app(argc, argv);
    modOVMXConfig doc;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    DocumentSession session(doc, prompts, fileDialogs);
    frmMain window(session);
    fillSampleConfig(doc);
    window.ShowControl();
    window.show();
    QCoreApplication::processEvents();

    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    const double render = bestMicros(10, 4, [&] { window.render(&image); });
    const Report::Commissioning record = sampleRecord(doc);
    const Report::Details details{sampleHandover(), record.controller, record,
                                  QDateTime::currentDateTime()};
    const double report =
        bestMicros(5, 1, [&] { (void)Report::pdf(doc, Report::Paper::A4, details); });
    printBenchRow("handover PDF with a walk test (vs one window render)", report / 1000.0,
                  render / 1000.0, "ms");
    // The same walk written at length: every input retested, each with a dozen outputs seen
    // and a comment of a paragraph.
    Report::Commissioning long_ = record;
    QString comment;
    for (int n = 0; n < 60; ++n)
        comment += QStringLiteral("word%1 ").arg(n);
    for (Report::Commissioning::Test &test : long_.tests) {
        for (int n = 0; n < 12; ++n)
            test.outputs
                << QStringLiteral("Dimmer %1 %2 → %3 in 0.5 s").arg(n % 4 + 1).arg(n).arg(n + 9);
        test.attempts.prepend({Verdict::Fail, comment, test.time, true});
    }
    const Report::Details longDetails{sampleHandover(), record.controller, long_,
                                      QDateTime::currentDateTime()};
    const double longReport =
        bestMicros(3, 1, [&] { (void)Report::pdf(doc, Report::Paper::A4, longDetails); });
    printBenchRow("handover PDF with a long walk test (vs one window render)", longReport / 1000.0,
                  render / 1000.0, "ms");
    return 0;
}
