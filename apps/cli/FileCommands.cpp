#include "FileCommands.h"

#include "ConfigDiff.h"
#include "ConfigJson.h"
#include "FieldTable.h"
#include "ShowText.h"
#include "modOVMXConfig.h"

#include <QFile>

#include <optional>

namespace FileCommands
{

namespace
{
using Cli::Command;

int runNew(const QStringList &args);
int runShow(const QStringList &args);
int runExport(const QStringList &args);
int runImport(const QStringList &args);
int runDiff(const QStringList &args);
int runFc(const QStringList &args);
int runCheck(const QStringList &args);

const Command table[] = {
    {"new", "FILE [--force]", "write a new configuration to FILE (--force: over an existing one)",
     runNew},
    {"show", "FILE [--fc]", "the whole programming of FILE in words (--fc: levels in foot-candles)",
     runShow},
    {"export", "FILE [-o OUT]",
     "FILE as JSON, with the units of each field, to OUT or standard output", runExport},
    {"import", "JSON -o FILE [--force]",
     "write the data file FILE from an export (JSON '-': standard input)", runImport},
    {"diff", "A B", "each field that differs between two data files; exit 1 when any does",
     runDiff},
    {"fc", "LEVEL...", "the foot-candles of each light level 0-255, one per line", runFc},
    {"check", "FILE",
     "each value of FILE outside its coding, in words; exit 1 when there is any, 0 when none",
     runCheck},
};

const Command &command(const char *name)
{
    for (const Command &c : table)
        if (qstrcmp(c.name, name) == 0)
            return c;
    Q_UNREACHABLE();
}

// Reads a data file into a document named after it; prints the reason and gives nullopt when
// the file cannot be read.
std::optional<modOVMXConfig> readDocument(const QString &path)
{
    modOVMXConfig doc;
    const modOVMXConfig::FileResult result = doc.readFile(path);
    if (!result.ok) {
        Cli::fail(Cli::UsageError, result.error);
        return std::nullopt;
    }
    doc.DataFileName = path;
    return doc;
}

void warnOutsideCodings(const QString &path, const modOVMXConfig &doc)
{
    const QString warning = Cli::outsideCodingsWarning(path, FieldTable::outOfCoding(doc).size());
    if (!warning.isEmpty())
        Cli::warn(warning);
}

// A failed write leaves what was there before.
int writeOutput(const QString &path, const QByteArray &bytes)
{
    if (path == QStringLiteral("-")) {
        Cli::out(QString::fromUtf8(bytes));
        return Cli::Success;
    }
    const modOVMXConfig::FileResult result = modOVMXConfig::writeBytes(path, bytes);
    return result.ok ? Cli::Success : Cli::fail(Cli::UsageError, result.error);
}

int runNew(const QStringList &args)
{
    const Cli::Arguments a = Cli::parseArguments(args, {QStringLiteral("--force")}, {});
    if (!a.problem.isEmpty() || a.positional.size() != 1)
        return Cli::usageError(command("new"),
                               a.problem.isEmpty() ? "expected one FILE" : a.problem);
    if (!Cli::outputAllowed({}, a.positional[0], a.flags.contains(QStringLiteral("--force"))))
        return Cli::UsageError;
    modOVMXConfig doc;
    doc.NewConfiguration();
    const modOVMXConfig::FileResult result = doc.writeFile(a.positional[0]);
    return result.ok ? Cli::Success : Cli::fail(Cli::UsageError, result.error);
}

int runShow(const QStringList &args)
{
    const Cli::Arguments a = Cli::parseArguments(args, {QStringLiteral("--fc")}, {});
    if (!a.problem.isEmpty() || a.positional.size() != 1)
        return Cli::usageError(command("show"),
                               a.problem.isEmpty() ? "expected one FILE" : a.problem);
    std::optional<modOVMXConfig> doc = readDocument(a.positional[0]);
    if (!doc)
        return Cli::UsageError;
    doc->ShowLevelsInFC = a.flags.contains(QStringLiteral("--fc"));
    warnOutsideCodings(a.positional[0], *doc);
    Cli::out(ShowText::render(*doc));
    return Cli::Success;
}

int runExport(const QStringList &args)
{
    const Cli::Arguments a = Cli::parseArguments(args, {}, {QStringLiteral("-o")});
    if (!a.problem.isEmpty() || a.positional.size() != 1)
        return Cli::usageError(command("export"),
                               a.problem.isEmpty() ? "expected one FILE" : a.problem);
    const std::optional<modOVMXConfig> doc = readDocument(a.positional[0]);
    if (!doc)
        return Cli::UsageError;
    const QString out = a.options.value(QStringLiteral("-o"), QStringLiteral("-"));
    if (out != QStringLiteral("-") && !Cli::outputAllowed(a.positional[0], out, true))
        return Cli::UsageError;
    // What export writes, import reads back: a word the import would refuse is refused here.
    if (const QString refusal = ConfigJson::wideWordRefusal(*doc); !refusal.isEmpty())
        return Cli::fail(Cli::UsageError,
                         QStringLiteral("%1: %2 (nothing written)").arg(a.positional[0], refusal));
    warnOutsideCodings(a.positional[0], *doc);
    return writeOutput(out, ConfigJson::exportText(*doc));
}

std::optional<QByteArray> readInput(const QString &path)
{
    QFile file(path);
    const bool opened = path == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : file.open(QIODevice::ReadOnly);
    QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        Cli::fail(Cli::UsageError,
                  QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return bytes;
}

int runImport(const QStringList &args)
{
    const Cli::Arguments a =
        Cli::parseArguments(args, {QStringLiteral("--force")}, {QStringLiteral("-o")});
    if (!a.problem.isEmpty() || a.positional.size() != 1 || !a.options.contains("-o"))
        return Cli::usageError(command("import"),
                               a.problem.isEmpty() ? "expected one JSON and -o FILE" : a.problem);
    const std::optional<QByteArray> json = readInput(a.positional[0]);
    if (!json)
        return Cli::UsageError;
    const ConfigJson::ImportResult imported = ConfigJson::fromJson(*json);
    if (!imported.ok)
        return Cli::fail(
            Cli::UsageError,
            QStringLiteral("%1: %2 (nothing written)").arg(a.positional[0], imported.error));
    const QString out = a.options.value(QStringLiteral("-o"));
    if (!Cli::outputAllowed(a.positional[0], out, a.flags.contains(QStringLiteral("--force"))))
        return Cli::UsageError;
    const modOVMXConfig::FileResult result = modOVMXConfig::writeImage(out, imported.image);
    return result.ok ? Cli::Success : Cli::fail(Cli::UsageError, result.error);
}

int runDiff(const QStringList &args)
{
    const Cli::Arguments a = Cli::parseArguments(args, {}, {});
    if (!a.problem.isEmpty() || a.positional.size() != 2)
        return Cli::usageError(command("diff"),
                               a.problem.isEmpty() ? "expected two files A and B" : a.problem);
    const std::optional<modOVMXConfig> first = readDocument(a.positional[0]);
    if (!first)
        return Cli::UsageError;
    const std::optional<modOVMXConfig> second = readDocument(a.positional[1]);
    if (!second)
        return Cli::UsageError;
    const QStringList lines = ConfigDiff::describeDifferences(*first, *second);
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    text += lines.size() == 1 ? QStringLiteral("1 difference\n")
                              : QStringLiteral("%1 differences\n").arg(lines.size());
    Cli::out(text);
    return lines.isEmpty() ? Cli::Success : Cli::Failed;
}

int runFc(const QStringList &args)
{
    if (args.isEmpty())
        return Cli::usageError(command("fc"), QStringLiteral("expected at least one LEVEL"));
    QString text;
    for (const QString &arg : args) {
        bool ok = false;
        const int level = arg.toInt(&ok);
        if (!ok || level < 0 || level > 255)
            return Cli::usageError(
                command("fc"),
                QStringLiteral("a LEVEL is a whole number from 0 to 255, not \"%1\"").arg(arg));
        text += QString::number(modOVMXConfig::LevelToFootCandles(level)) + QLatin1Char('\n');
    }
    Cli::out(text);
    return Cli::Success;
}
// Before a site visit: everything the tool would show as "?" and anything download would refuse.
int runCheck(const QStringList &args)
{
    const Cli::Arguments a = Cli::parseArguments(args, {}, {});
    if (!a.problem.isEmpty() || a.positional.size() != 1)
        return Cli::usageError(command("check"),
                               a.problem.isEmpty() ? "expected one FILE" : a.problem);
    const std::optional<modOVMXConfig> doc = readDocument(a.positional[0]);
    if (!doc)
        return Cli::UsageError;
    const QStringList odd = FieldTable::outOfCoding(*doc);
    const QList<FieldTable::WideWord> wide = FieldTable::wideWords(*doc);
    if (odd.isEmpty() && wide.isEmpty()) {
        Cli::out(QStringLiteral("%1: no values outside their codings\n").arg(a.positional[0]));
        return Cli::Success;
    }
    QString text;
    for (const QString &line : odd)
        text += line + QLatin1Char('\n');
    text += Cli::outsideCodings(odd.size()) + QLatin1Char('\n');
    if (!wide.isEmpty())
        text += QStringLiteral("download refuses this file: it holds %1\n")
                    .arg(FieldTable::wideWordsText(wide, 3));
    Cli::out(text);
    return Cli::Failed;
}
} // namespace

std::span<const Cli::Command> commands() { return table; }

} // namespace FileCommands
