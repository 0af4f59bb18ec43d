// The command line read one way for every command: a QCommandLineParser built from the command's
// entry in the table, so --opt=value, COMMAND --help and the words for a bad argument are the
// same everywhere.
#include "CliCommand.h"

#include <QCommandLineParser>

#include <algorithm>
#include <iterator>

namespace Cli
{

namespace
{
// A negative number is a value ("fc -1" is a level out of range), never an option: it passes the
// parser shielded and comes back as it was typed.
const QChar Shield(0xE000);
QString shield(const QString &arg)
{
    return arg.size() > 1 && arg[0] == QLatin1Char('-') && arg[1].isDigit() ? Shield + arg : arg;
}
QString unshield(const QString &arg) { return arg.startsWith(Shield) ? arg.mid(1) : arg; }

QString spelled(const QString &name) { return Option{name, {}, {}, {}}.spelled(); }

// What the parser could not take, in the tool's words; empty when it took everything.
QString optionProblem(const QCommandLineParser &parser, const Command &c, const QStringList &args)
{
    for (const Option &o : c.options) {
        if (!parser.isSet(o.name))
            continue;
        const bool flag = o.valueName.isEmpty();
        const QStringList values = flag ? QStringList() : parser.values(o.name);
        if (!flag && (values.isEmpty() || values.contains(QString())))
            return QStringLiteral("%1 needs %2").arg(o.spelled(), o.needs);
        // The parser gives an option the next word whatever it is: "--port --trace" would
        // open a port named "--trace". A negative number arrives shielded, so is no option.
        const auto option = std::find_if(values.begin(), values.end(), [](const QString &v) {
            return v.size() > 1 && v.startsWith(QLatin1Char('-'));
        });
        if (option != values.end())
            return QStringLiteral("%1 needs %2, not \"%3\"").arg(o.spelled(), o.needs, *option);
        if (values.size() > 1)
            return QStringLiteral("%1 is given more than once").arg(o.spelled());
        if (flag && std::any_of(args.begin(), args.end(), [&](const QString &a) {
                return a.startsWith(o.spelled() + QLatin1Char('='));
            }))
            return QStringLiteral("%1 takes no value").arg(o.spelled());
    }
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option \"%1\"")
            .arg(spelled(parser.unknownOptionNames().first()));
    return {};
}

// What is missing: a positional, or an option the command cannot do without.
QString shapeProblem(const QCommandLineParser &parser, const Command &c)
{
    const qsizetype n = parser.positionalArguments().size();
    if (n < c.minPositional || (c.maxPositional >= 0 && n > c.maxPositional))
        return c.maxPositional == 0
                   ? QStringLiteral("%1 takes no arguments").arg(QLatin1String(c.name))
                   : QStringLiteral("expected %1").arg(QLatin1String(c.expects));
    for (const Option &o : c.options)
        if (o.required && !parser.isSet(o.name))
            return QStringLiteral("expected %1 %2").arg(o.spelled(), o.valueName);
    return {};
}

QString commandHelp(const Command &c)
{
    QString text = QStringLiteral("usage: orvandel-mx-cli %1 %2")
                       .arg(QLatin1String(c.name), c.synopsis())
                       .trimmed() +
                   QStringLiteral("\n%1\n").arg(QLatin1String(c.summary));
    qsizetype width = 0;
    for (const Option &o : c.options)
        width = std::max(width, o.spelled().size() + 1 + o.valueName.size());
    if (!c.options.empty())
        text += QLatin1Char('\n');
    for (const Option &o : c.options)
        text +=
            QStringLiteral("  %1  %2\n")
                .arg((o.spelled() + QLatin1Char(' ') + o.valueName).leftJustified(width), o.help);
    return text;
}

QString overallHelp()
{
    QString text = QStringLiteral("usage: orvandel-mx-cli COMMAND [ARGUMENTS]\n\n");
    for (const Command &c : commands())
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(QStringLiteral("%1 %2").arg(QLatin1String(c.name), c.synopsis()).trimmed(),
                         QLatin1String(c.summary));
    return text + QStringLiteral("\norvandel-mx-cli COMMAND --help says more of one command.\n\n") +
           QLatin1String(exitStatusText());
}

// Runs one command on the arguments that follow its name.
int runCommand(const Command &c, const QStringList &args, const Sink &sink)
{
    QCommandLineParser parser;
    for (const Option &o : c.options)
        parser.addOption(QCommandLineOption(QStringList{o.name}, o.help, o.valueName));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    QStringList shielded{QStringLiteral("orvandel-mx-cli")};
    std::transform(args.begin(), args.end(), std::back_inserter(shielded), shield);
    // parse(), not process(): a problem is told in our words, with our exit status.
    const bool parsed = parser.parse(shielded);
    Invocation invocation(c, sink);
    QString problem = optionProblem(parser, c, args);
    if (problem.isEmpty() && parser.isSet(QStringLiteral("help"))) {
        invocation.out(commandHelp(c));
        return Success;
    }
    if (problem.isEmpty())
        problem = parsed ? shapeProblem(parser, c) : parser.errorText();
    if (!problem.isEmpty())
        return invocation.usageError(problem);
    for (const QString &arg : parser.positionalArguments())
        invocation.positional << unshield(arg);
    for (const Option &o : c.options)
        if (parser.isSet(o.name))
            invocation.values.insert(o.name, unshield(parser.value(o.name)));
    return c.run(invocation);
}
} // namespace

int run(const QStringList &args, const Sink &sink)
{
    if (args.isEmpty())
        return fail(sink, UsageError, QStringLiteral("no command given; try orvandel-mx-cli help"));
    const QString &name = args.first();
    if (name == QStringLiteral("help") || name == QStringLiteral("--help") ||
        name == QStringLiteral("-h")) {
        sink.out(overallHelp());
        return Success;
    }
    for (const Command &c : commands())
        if (name == QLatin1String(c.name))
            return runCommand(c, args.mid(1), sink);
    return fail(sink, UsageError,
                QStringLiteral("unknown command \"%1\"; try orvandel-mx-cli help").arg(name));
}

} // namespace Cli
