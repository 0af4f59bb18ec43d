#include "ReportCommand.h"

#include "HandoverFile.h"
#include "Report.h"
#include "WalkTestRecord.h"
#include "modOVMXConfig.h"

#include <QGuiApplication>

#include <cstdlib>

namespace ReportCommand
{

namespace
{
// As kept beside the data file, each name given on the command line taking its place.
modOVMXConfig::FileResult people(const Cli::Invocation &cli, const QString &dataFile,
                                 Report::People &people)
{
    const modOVMXConfig::FileResult kept = HandoverFile::read(dataFile, people);
    for (const auto &[name, field] : HandoverFile::fields())
        if (cli.isSet(QLatin1String(name)))
            people.*field = cli.value(QLatin1String(name));
    return kept;
}

} // namespace

int run(const Cli::Invocation &cli)
{
    const QString paper = cli.value(QStringLiteral("paper"), QStringLiteral("a4"));
    if (paper != QStringLiteral("a4") && paper != QStringLiteral("letter"))
        return cli.usageError(QStringLiteral("--paper is a4 or letter, not \"%1\"").arg(paper));
    modOVMXConfig doc;
    const QString path = cli.positional[0];
    if (const modOVMXConfig::FileResult read = doc.readFile(path); !read.ok)
        return cli.fail(Cli::UsageError, read.error);
    doc.DataFileName = path;
    const QString out = cli.value(QStringLiteral("o"));
    // Never over what the report reads, --force or not.
    if (Report::readsFrom(out, path, cli.value(QStringLiteral("record"))))
        return cli.fail(
            Cli::UsageError,
            QStringLiteral("\"%1\" is a file the report reads; name another output").arg(out));
    if (!Cli::outputAllowed(cli, path, out, cli.isSet(QStringLiteral("force"))))
        return Cli::UsageError;
    doc.ShowLevelsInFC = cli.isSet(QStringLiteral("fc"));
    std::optional<Report::Commissioning> record;
    if (const modOVMXConfig::FileResult read =
            WalkTestRecord::read(doc, cli.value(QStringLiteral("record")), record);
        !read.ok)
        return cli.fail(Cli::UsageError, read.error);
    Report::People named;
    if (const modOVMXConfig::FileResult read = people(cli, path, named); !read.ok)
        return cli.fail(Cli::UsageError, read.error);
    const QByteArray pdf = Report::pdf(
        doc, paper == QStringLiteral("letter") ? Report::Paper::Letter : Report::Paper::A4,
        {named, {}, record, QDateTime::currentDateTime()});
    if (pdf.isEmpty())
        return cli.fail(Cli::Failed, QStringLiteral("the report could not be painted"));
    // All or nothing: a failed write leaves what was there before.
    const modOVMXConfig::FileResult written = modOVMXConfig::writeBytes(out, pdf);
    return written.ok ? Cli::Success : cli.fail(Cli::UsageError, written.error);
}

std::unique_ptr<QCoreApplication> application(int &argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "report") == 0) {
#ifndef Q_OS_WIN
        // Windows paints with its own fonts and needs no display; elsewhere there may be none.
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        // The platform's notices (no runtime directory, font fallbacks) are not the user's
        // business: stderr keeps to the one line of a failure.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
            if (type == QtFatalMsg)
                std::abort();
        });
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace ReportCommand
