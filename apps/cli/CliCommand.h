#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What every command of orvandel-mx-cli shares: the exit codes, the one sink its words go to, the
// command table's entries and one command as invoked. A command returns its exit code and never
// calls exit().
namespace Cli
{

enum Exit : int {
    Success = 0,
    Failed = 1,     // a difference found, or an operation that ran and did not succeed
    UsageError = 2, // bad arguments (an output the controller's model lacks included), or a
                    // file that cannot be read, written or understood
    ControllerUnreadable = 3, // the port would not open, or an exchange with the controller
                              // failed or could not be confirmed
};

// The statuses in words, for the help text.
inline const char *exitStatusText()
{
    return "Exit status: 0 success or equal; 1 not equal (the fields that differ follow), a\n"
           "difference, values outside their codings, or a command the controller refuses\n"
           "while networked; 2 a usage or file error, an output the controller's model lacks,\n"
           "or a backup that cannot be kept; 3 the port would not open, or the controller could\n"
           "not be read or did not answer (one line on stderr names the port, the device and\n"
           "what to check).\n";
}

// Where every word goes: results to `out` as given, each other line (errors, warnings, progress,
// the trace) to `err`. The program writes them to stdout and stderr; a test may keep them.
struct Sink {
    std::function<void(const QString &text)> out;
    std::function<void(const QString &line)> err;
};
const Sink &standardSink();
// "orvandel-mx-cli: <message>" in one line on the sink's stderr; returns `code`.
int fail(const Sink &sink, int code, const QString &message);

// An option of a command: a flag ("--fc") when it has no value name, else one that takes a
// value ("-o OUT", "--port COM2", "--port=COM2").
struct Option {
    QString name;      // "port", "o"
    QString valueName; // "DEVICE|COMn"; empty for a flag
    QString needs;     // what a missing value should have been: "a device or COMn"
    QString help;
    bool required = false;
    QString spelled() const { return (name.size() == 1 ? "-" : "--") + name; }
};

class Invocation;

struct Command {
    const char *name;
    const char *positionals;          // as the synopsis names them: "FILE", "N on|off"
    const char *expects;              // the same in words: "one FILE", "N and on or off"
    int minPositional, maxPositional; // a negative maximum: any number
    std::vector<Option> options;      // in the synopsis's order
    const char *summary;              // one line for the help text
    int (*run)(const Invocation &);

    QString synopsis() const; // "FILE -o OUT.pdf [--paper a4|letter]"
};

// Every command, in the order the help lists them.
const std::vector<Command> &commands();

// One command as invoked: its arguments once parsed, and the sink its words go to.
class Invocation
{
public:
    Invocation(const Command &c, const Sink &s) : command(c), sink(s) {}

    const Command &command;
    const Sink &sink;
    QStringList positional;
    QHash<QString, QString> values; // by option name; a flag holds an empty value

    bool isSet(const QString &name) const { return values.contains(name); }
    QString value(const QString &name, const QString &fallback = {}) const
    {
        return values.value(name, fallback);
    }

    // Results, as given.
    void out(const QString &text) const { sink.out(text); }
    // One line on stderr as it is: progress, a backup's name, the trace.
    void note(const QString &line) const { sink.err(line); }
    // "orvandel-mx-cli: warning: <text>"; the command goes on.
    void warn(const QString &text) const;
    // "orvandel-mx-cli: <message>" in one line; returns `code`.
    int fail(int code, const QString &message) const { return Cli::fail(sink, code, message); }
    // "orvandel-mx-cli: <problem> (usage: orvandel-mx-cli show FILE [--fc])"; returns UsageError.
    int usageError(const QString &problem) const;
};

// The program: the arguments after its name, the command's word first.
int run(const QStringList &args, const Sink &sink = standardSink());

// An output never replaces the file it was made from, nor any other file unless `mayReplace`
// (--force): a slip of the finger must not cost a site's data file. Says why not.
bool outputAllowed(const Invocation &cli, const QString &input, const QString &output,
                   bool mayReplace);

// "1 value outside its coding", "5 values outside their codings"
QString outsideCodings(qsizetype n);
// The one line that show, export and verify give a file with such values, or nothing.
QString outsideCodingsWarning(const QString &file, qsizetype n);

} // namespace Cli
