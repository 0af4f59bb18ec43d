#include "CliCommand.h"

#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace Cli
{

namespace
{
void write(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // A console shows UTF-8 only in its own code page, so it gets the text as UTF-16; files and
    // pipes get UTF-8 as everywhere else.
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        WriteConsoleW(handle, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
#endif
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fflush(stream);
}
} // namespace

const Sink &standardSink()
{
#ifdef Q_OS_WIN
    // The same bytes as elsewhere: no carriage return slipped before each line feed.
    static const bool binary =
        _setmode(_fileno(stdout), _O_BINARY) != -1 && _setmode(_fileno(stderr), _O_BINARY) != -1;
    Q_UNUSED(binary);
#endif
    // Results are flushed as they come, so a line on stderr never overtakes the ones before it.
    static const Sink sink{[](const QString &text) { write(stdout, text); },
                           [](const QString &line) { write(stderr, line + QLatin1Char('\n')); }};
    return sink;
}

void Invocation::warn(const QString &text) const
{
    fail(Success, QStringLiteral("warning: ") + text);
}

int fail(const Sink &sink, int code, const QString &message)
{
    // One line whatever the message holds, so scripts can read it with a single read.
    QString line = message;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    sink.err(QStringLiteral("orvandel-mx-cli: ") + line);
    return code;
}

int Invocation::usageError(const QString &problem) const
{
    const QString usage =
        QStringLiteral("%1 %2").arg(QLatin1String(command.name), command.synopsis()).trimmed();
    return fail(UsageError, QStringLiteral("%1 (usage: orvandel-mx-cli %2)").arg(problem, usage));
}

QString Command::synopsis() const
{
    QStringList words{QLatin1String(positionals)};
    for (const Option &o : options) {
        const QString word =
            o.valueName.isEmpty() ? o.spelled() : o.spelled() + QLatin1Char(' ') + o.valueName;
        words << (o.required ? word : QLatin1Char('[') + word + QLatin1Char(']'));
    }
    return words.join(QLatin1Char(' ')).trimmed();
}

bool outputAllowed(const Invocation &cli, const QString &input, const QString &output,
                   bool mayReplace)
{
    const QFileInfo out(output);
    if (!out.exists())
        return true;
    if (input != QStringLiteral("-") &&
        out.canonicalFilePath() == QFileInfo(input).canonicalFilePath()) {
        cli.fail(UsageError,
                 QStringLiteral("\"%1\" is the input file; name another output").arg(output));
        return false;
    }
    if (!mayReplace) {
        cli.fail(UsageError, QStringLiteral("\"%1\" exists; --force replaces it").arg(output));
        return false;
    }
    return true;
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

} // namespace Cli
