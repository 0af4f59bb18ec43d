#include "CliCommand.h"

#include <QFileInfo>

#include <cstdio>

namespace Cli
{

void out(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int fail(int code, const QString &message)
{
    // One line whatever the message holds, so scripts can read it with a single read.
    QString line = message;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fflush(stdout);
    const QByteArray bytes = QStringLiteral("orvandel-mx-cli: %1\n").arg(line).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    return code;
}

void warn(const QString &text) { fail(Success, QStringLiteral("warning: ") + text); }

int usageError(const Command &command, const QString &problem)
{
    return fail(UsageError,
                QStringLiteral("%1 (usage: orvandel-mx-cli %2 %3)")
                    .arg(problem, QLatin1String(command.name), QLatin1String(command.synopsis)));
}

QString outsideCodings(qsizetype n)
{
    return n == 1 ? QStringLiteral("1 value outside its coding")
                  : QStringLiteral("%1 values outside their codings").arg(n);
}

QString outsideCodingsWarning(const QString &file, qsizetype n)
{
    if (n == 0)
        return {};
    return QStringLiteral("%1 holds %2 (orvandel-mx-cli check %1 lists them)")
        .arg(file, outsideCodings(n));
}

bool outputAllowed(const QString &input, const QString &output, bool mayReplace)
{
    const QFileInfo out(output);
    if (!out.exists())
        return true;
    if (input != QStringLiteral("-") &&
        out.canonicalFilePath() == QFileInfo(input).canonicalFilePath()) {
        fail(UsageError,
             QStringLiteral("\"%1\" is the input file; name another output").arg(output));
        return false;
    }
    if (!mayReplace) {
        fail(UsageError, QStringLiteral("\"%1\" exists; --force replaces it").arg(output));
        return false;
    }
    return true;
}

Arguments parseArguments(const QStringList &args, const QStringList &knownFlags,
                         const QStringList &knownOptions)
{
    Arguments parsed;
    for (qsizetype n = 0; n < args.size(); ++n) {
        const QString &arg = args[n];
        if (knownFlags.contains(arg)) {
            parsed.flags << arg;
        } else if (knownOptions.contains(arg)) {
            if (n + 1 >= args.size() || parsed.options.contains(arg)) {
                parsed.problem = QStringLiteral("%1 needs one value").arg(arg);
                return parsed;
            }
            parsed.options.insert(arg, args[++n]);
        } else if (arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            parsed.problem = QStringLiteral("unknown option %1").arg(arg);
            return parsed;
        } else {
            parsed.positional << arg;
        }
    }
    return parsed;
}

} // namespace Cli
