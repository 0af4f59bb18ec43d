#include "FileCommands.h"

#include "ConfigDiff.h"
#include "ConfigJson.h"
#include "FieldTable.h"
#include "ShowText.h"
#include "modOVMXConfig.h"

#include <QFile>

#include <cstdio>
#include <optional>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace FileCommands
{

namespace
{
// Reads a data file into a document named after it; says why not and gives nullopt when the
// file cannot be read.
std::optional<modOVMXConfig> readDocument(const Cli::Invocation &cli, const QString &path)
{
    modOVMXConfig doc;
    const modOVMXConfig::FileResult result = doc.readFile(path);
    if (!result.ok) {
        cli.fail(Cli::UsageError, result.error);
        return std::nullopt;
    }
    doc.DataFileName = path;
    return doc;
}

void warnOutsideCodings(const Cli::Invocation &cli, const QString &path, const modOVMXConfig &doc)
{
    const QString warning = Cli::outsideCodingsWarning(path, FieldTable::outOfCoding(doc).size());
    if (!warning.isEmpty())
        cli.warn(warning);
}

// A failed write leaves what was there before.
int writeOutput(const Cli::Invocation &cli, const QString &path, const QByteArray &bytes)
{
    if (path == QStringLiteral("-")) {
        cli.out(QString::fromUtf8(bytes));
        return Cli::Success;
    }
    const modOVMXConfig::FileResult result = modOVMXConfig::writeBytes(path, bytes);
    return result.ok ? Cli::Success : cli.fail(Cli::UsageError, result.error);
}

std::optional<QByteArray> readInput(const Cli::Invocation &cli, const QString &path)
{
#ifdef Q_OS_WIN
    // QFile takes the end of a pipe there for a failed read: standard input is read as bytes.
    if (path == QStringLiteral("-")) {
        _setmode(_fileno(stdin), _O_BINARY);
        QByteArray bytes;
        char buffer[65536];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, stdin))
            bytes.append(buffer, static_cast<qsizetype>(n));
        if (!std::ferror(stdin))
            return bytes;
        cli.fail(Cli::UsageError, QStringLiteral("Cannot read \"-\": %1").arg(qt_error_string()));
        return std::nullopt;
    }
#endif
    QFile file(path);
    const bool opened = path == QStringLiteral("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                    : file.open(QIODevice::ReadOnly);
    QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        cli.fail(Cli::UsageError,
                 QStringLiteral("Cannot read \"%1\": %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return bytes;
}
} // namespace

int runNew(const Cli::Invocation &cli)
{
    const QString path = cli.positional[0];
    if (!Cli::outputAllowed(cli, {}, path, cli.isSet(QStringLiteral("force"))))
        return Cli::UsageError;
    modOVMXConfig doc;
    doc.NewConfiguration();
    const modOVMXConfig::FileResult result = doc.writeFile(path);
    return result.ok ? Cli::Success : cli.fail(Cli::UsageError, result.error);
}

int runShow(const Cli::Invocation &cli)
{
    std::optional<modOVMXConfig> doc = readDocument(cli, cli.positional[0]);
    if (!doc)
        return Cli::UsageError;
    doc->ShowLevelsInFC = cli.isSet(QStringLiteral("fc"));
    warnOutsideCodings(cli, cli.positional[0], *doc);
    cli.out(ShowText::render(*doc));
    return Cli::Success;
}

int runExport(const Cli::Invocation &cli)
{
    const QString path = cli.positional[0];
    const std::optional<modOVMXConfig> doc = readDocument(cli, path);
    if (!doc)
        return Cli::UsageError;
    const QString out = cli.value(QStringLiteral("o"), QStringLiteral("-"));
    if (out != QStringLiteral("-") && !Cli::outputAllowed(cli, path, out, true))
        return Cli::UsageError;
    // What export writes, import reads back: a word the import would refuse is refused here.
    if (const QString refusal = ConfigJson::wideWordRefusal(*doc); !refusal.isEmpty())
        return cli.fail(Cli::UsageError,
                        QStringLiteral("%1: %2 (nothing written)").arg(path, refusal));
    warnOutsideCodings(cli, path, *doc);
    return writeOutput(cli, out, ConfigJson::exportText(*doc));
}

int runImport(const Cli::Invocation &cli)
{
    const QString path = cli.positional[0];
    const std::optional<QByteArray> json = readInput(cli, path);
    if (!json)
        return Cli::UsageError;
    const ConfigJson::ImportResult imported = ConfigJson::fromJson(*json);
    if (!imported.ok)
        return cli.fail(Cli::UsageError,
                        QStringLiteral("%1: %2 (nothing written)").arg(path, imported.error));
    const QString out = cli.value(QStringLiteral("o"));
    if (!Cli::outputAllowed(cli, path, out, cli.isSet(QStringLiteral("force"))))
        return Cli::UsageError;
    const modOVMXConfig::FileResult result = modOVMXConfig::writeImage(out, imported.image);
    return result.ok ? Cli::Success : cli.fail(Cli::UsageError, result.error);
}

int runDiff(const Cli::Invocation &cli)
{
    const std::optional<modOVMXConfig> first = readDocument(cli, cli.positional[0]);
    if (!first)
        return Cli::UsageError;
    const std::optional<modOVMXConfig> second = readDocument(cli, cli.positional[1]);
    if (!second)
        return Cli::UsageError;
    const QStringList lines = ConfigDiff::describeDifferences(*first, *second);
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    text += lines.size() == 1 ? QStringLiteral("1 difference\n")
                              : QStringLiteral("%1 differences\n").arg(lines.size());
    cli.out(text);
    return lines.isEmpty() ? Cli::Success : Cli::Failed;
}

int runFc(const Cli::Invocation &cli)
{
    QString text;
    for (const QString &arg : cli.positional) {
        bool ok = false;
        const int level = arg.toInt(&ok);
        if (!ok || level < 0 || level > 255)
            return cli.usageError(
                QStringLiteral("a LEVEL is a whole number from 0 to 255, not \"%1\"").arg(arg));
        text += QString::number(modOVMXConfig::LevelToFootCandles(level)) + QLatin1Char('\n');
    }
    cli.out(text);
    return Cli::Success;
}

// Before a site visit: everything the tool would show as "?" and anything download would refuse.
int runCheck(const Cli::Invocation &cli)
{
    const QString path = cli.positional[0];
    const std::optional<modOVMXConfig> doc = readDocument(cli, path);
    if (!doc)
        return Cli::UsageError;
    const QStringList odd = FieldTable::outOfCoding(*doc);
    const QList<FieldTable::WideWord> wide = FieldTable::wideWords(*doc);
    if (odd.isEmpty() && wide.isEmpty()) {
        cli.out(QStringLiteral("%1: no values outside their codings\n").arg(path));
        return Cli::Success;
    }
    QString text;
    for (const QString &line : odd)
        text += line + QLatin1Char('\n');
    text += Cli::outsideCodings(odd.size()) + QLatin1Char('\n');
    if (!wide.isEmpty())
        text += QStringLiteral("download refuses this file: it holds %1\n")
                    .arg(FieldTable::wideWordsText(wide, 3));
    cli.out(text);
    return Cli::Failed;
}

} // namespace FileCommands
