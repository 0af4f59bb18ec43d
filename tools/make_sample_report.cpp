// Writes the handover document of the sample configuration, with its people and a walk test,
// to the PDF named on the command line (A4, or Letter when "letter" follows). "record FILE"
// writes instead the walk test's record, as the activity window keeps it; "names DATAFILE" the
// people beside DATAFILE.
#include "HandoverFile.h"
#include "SampleConfig.h"
#include "SampleRecord.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_sample_report OUT.pdf [letter]\n");
        return 2;
    }
    modOVMXConfig doc;
    fillSampleConfig(doc);
    doc.DataFileName = QStringLiteral("Hollin Park Pavilion.OMX");
    if (argc > 2 && (qstrcmp(argv[1], "record") == 0 || qstrcmp(argv[1], "names") == 0)) {
        const QString file = QString::fromLocal8Bit(argv[2]);
        const auto saved = *argv[1] == 'r' ? sampleWalk(doc).save(file)
                                           : HandoverFile::write(file, sampleHandover());
        if (!saved.ok)
            std::fprintf(stderr, "%s\n", qPrintable(saved.error));
        return saved.ok ? 0 : 1;
    }
    const Report::Commissioning record = sampleRecord(doc);
    const QByteArray pdf = Report::pdf(
        doc,
        argc > 2 && qstrcmp(argv[2], "letter") == 0 ? Report::Paper::Letter : Report::Paper::A4,
        {sampleHandover(), record.controller, record, record.end.addSecs(600)});
    const auto result = modOVMXConfig::writeBytes(QString::fromLocal8Bit(argv[1]), pdf);
    if (!result.ok) {
        std::fprintf(stderr, "%s\n", qPrintable(result.error));
        return 1;
    }
    return 0;
}
