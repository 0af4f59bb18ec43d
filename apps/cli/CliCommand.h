#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <span>

// What every command of orvandel-mx-cli shares: the command table entry, the exit codes and
// the two output channels. A command returns its exit code and never calls exit().
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

struct Command {
    const char *name;
    const char *synopsis; // the arguments after the name: "FILE [--fc]"
    const char *summary;  // one line for the help text
    int (*run)(const QStringList &args);
};

// Text to stdout as given, in UTF-8.
void out(const QString &text);
// One line on stderr, prefixed with the program name; returns `code`.
int fail(int code, const QString &message);
// "orvandel-mx-cli: warning: <text>" on stderr; the command goes on.
void warn(const QString &text);
// "orvandel-mx-cli: <problem> (usage: orvandel-mx-cli show FILE [--fc])"; returns UsageError.
int usageError(const Command &command, const QString &problem);

// "1 value outside its coding", "5 values outside their codings"
QString outsideCodings(qsizetype n);
// The one line that show, export and verify give a file with such values, or nothing.
QString outsideCodingsWarning(const QString &file, qsizetype n);

// An output never replaces the file it was made from, nor any other file unless `mayReplace`
// (--force): a slip of the finger must not cost a site's data file. Says why not on stderr.
bool outputAllowed(const QString &input, const QString &output, bool mayReplace);

// The arguments of one command: positionals, flags ("--fc") and options with a value ("-o X").
struct Arguments {
    QStringList positional;
    QStringList flags;
    QHash<QString, QString> options;
    QString problem; // empty when the arguments parsed
};
Arguments parseArguments(const QStringList &args, const QStringList &knownFlags,
                         const QStringList &knownOptions);

} // namespace Cli
