#include "ReportCommand.h"

#include "Report.h"
#include "modOVMXConfig.h"

#include <QGuiApplication>

#include <cstdlib>

namespace ReportCommand
{

namespace
{
int runReport(const QStringList &args);

const Cli::Command table[] = {
    {"report", "FILE -o OUT.pdf [--paper a4|letter] [--fc] [--force]",
     "FILE as a PDF to print: grid, settings in words, curves (--fc: levels in foot-candles)",
     runReport},
};

int runReport(const QStringList &args)
{
    const Cli::Arguments a =
        Cli::parseArguments(args, {QStringLiteral("--fc"), QStringLiteral("--force")},
                            {QStringLiteral("-o"), QStringLiteral("--paper")});
    if (!a.problem.isEmpty() || a.positional.size() != 1 || !a.options.contains("-o"))
        return Cli::usageError(table[0], a.problem.isEmpty()
                                             ? QStringLiteral("expected one FILE and -o OUT.pdf")
                                             : a.problem);
    const QString paper = a.options.value(QStringLiteral("--paper"), QStringLiteral("a4"));
    if (paper != QStringLiteral("a4") && paper != QStringLiteral("letter"))
        return Cli::usageError(table[0],
                               QStringLiteral("--paper is a4 or letter, not \"%1\"").arg(paper));
    modOVMXConfig doc;
    const QString path = a.positional[0];
    if (const modOVMXConfig::FileResult read = doc.readFile(path); !read.ok)
        return Cli::fail(Cli::UsageError, read.error);
    doc.DataFileName = path;
    const QString out = a.options.value(QStringLiteral("-o"));
    if (!Cli::outputAllowed(path, out, a.flags.contains(QStringLiteral("--force"))))
        return Cli::UsageError;
    doc.ShowLevelsInFC = a.flags.contains(QStringLiteral("--fc"));
    const QByteArray pdf = Report::pdf(
        doc, paper == QStringLiteral("letter") ? Report::Paper::Letter : Report::Paper::A4,
        QDateTime::currentDateTime());
    if (pdf.isEmpty())
        return Cli::fail(Cli::Failed, QStringLiteral("the report could not be painted"));
    // All or nothing: a failed write leaves what was there before.
    const modOVMXConfig::FileResult written = modOVMXConfig::writeBytes(out, pdf);
    return written.ok ? Cli::Success : Cli::fail(Cli::UsageError, written.error);
}
} // namespace

std::span<const Cli::Command> commands() { return table; }

std::unique_ptr<QCoreApplication> application(int &argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "report") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
