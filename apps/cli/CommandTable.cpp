// Every command of orvandel-mx-cli in one table: what it takes and what runs it. The parser, the
// synopses, each command's --help and the help listing are all read from here.
#include "Backups.h"
#include "CliCommand.h"
#include "DeviceCommands.h"
#include "FileCommands.h"
#include "ReportCommand.h"

namespace Cli
{

namespace
{
Option flag(const char *name, const char *help)
{
    return {QLatin1String(name), {}, {}, QLatin1String(help)};
}
Option value(const char *name, const char *valueName, const char *needs, const char *help)
{
    return {QLatin1String(name), QLatin1String(valueName), QLatin1String(needs),
            QLatin1String(help)};
}
Option required(Option o)
{
    o.required = true;
    return o;
}

// clang-format off
std::vector<Command> fileCommands()
{
    using namespace FileCommands;
    const Option fc = flag("fc", "light levels in foot-candles");
    return {
        {"new", "FILE", "one FILE", 1, 1, {flag("force", "replace FILE if it exists")},
         "write a new configuration to FILE (--force: over an existing one)", runNew},
        {"show", "FILE", "one FILE", 1, 1, {fc},
         "the whole programming of FILE in words (--fc: levels in foot-candles)", runShow},
        {"export", "FILE", "one FILE", 1, 1,
         {value("o", "OUT", "a file to write the JSON to", "write the JSON to OUT, not to standard output")},
         "FILE as JSON, with the units of each field, to OUT or standard output", runExport},
        {"import", "JSON", "one JSON", 1, 1,
         {required(value("o", "FILE", "the data file to write", "the data file to write")),
          flag("force", "replace FILE if it exists")},
         "write the data file FILE from an export (JSON '-': standard input)", runImport},
        {"diff", "A B", "two files A and B", 2, 2, {},
         "each field that differs between two data files; exit 1 when any does", runDiff},
        {"fc", "LEVEL...", "at least one LEVEL", 1, -1, {},
         "the foot-candles of each light level 0-255, one per line", runFc},
        {"check", "FILE", "one FILE", 1, 1, {},
         "each value of FILE outside its coding, in words; exit 1 when there is any, 0 when none", runCheck},
        {"backups", "", "", 0, 0, {},
         "the backups that download keeps, newest first, and their folder", Backups::run},
    };
}

std::vector<Command> deviceCommands()
{
    using namespace DeviceCommands;
    const Option port = value("port", "DEVICE|COMn", "a device or COMn",
                              "the controller's port: COMn, COMn=DEVICE or a device (default COM1)");
    const Option trace = flag("trace", "every frame on stderr, with its time in milliseconds");
    return {
        {"verify", "FILE", "one FILE", 1, 1, {port, trace},
         "compare the controller's settings with FILE and list the fields that differ", verify},
        {"download", "FILE", "one FILE", 1, 1,
         {flag("no-backup", "send without first keeping the controller's memory"), port, trace},
         "keep a backup of the controller's memory, then send FILE's settings to it", download},
        {"upload", "FILE", "one FILE", 1, 1, {port, trace},
         "write the controller's settings to FILE, only once all of them arrived", upload},
        {"status", "", "", 0, 0, {flag("watch", "four times a second until interrupted"), port, trace},
         "show the controller's live status, once or four times a second until interrupted", status},
        {"relay", "N on|off", "N and on or off", 2, 2, {port, trace},
         "switch relay N (1-4; 3 and 4 exist on an MX-4 only)", relay},
        {"dimmer", "N LEVEL", "N and LEVEL", 2, 2, {port, trace},
         "set dimmer N (1-4) to LEVEL (0-255, or a percentage such as 50%)", dimmer},
        {"identify", "relay N|dimmer N", "relay N or dimmer N", 2, 2, {port, trace},
         "find the fitting an output drives: a relay on and off three times a second apart, a "
         "dimmer to full, off and full, then back as it was", identify},
        {"monitor", "[FILE]", "at most one FILE", 0, 1,
         {value("for", "SECONDS", "a number of seconds", "stop after SECONDS (default: at Ctrl-C)"),
          flag("json", "one JSON object per line"), port, trace},
         "print the controller's events as they happen, with what FILE programs each input to do",
         monitor},
    };
}

Command reportCommand()
{
    return {"report", "FILE", "one FILE", 1, 1,
            {required(value("o", "OUT.pdf", "the PDF file to write", "the PDF file to write")),
             value("paper", "a4|letter", "a4 or letter", "the paper (default a4)"),
             value("site", "NAME", "the site's name", "the site (default: as kept beside FILE)"),
             value("customer", "NAME", "the customer's name", "the customer (default: as kept beside FILE)"),
             value("installer", "NAME", "the installer's name", "the installer (default: as kept beside FILE)"),
             value("tester", "NAME", "the tester's name", "who tested the controls (default: as kept beside FILE)"),
             value("certificate", "TEXT", "the tester's certificate", "the tester's certificate number (default: as kept beside FILE)"),
             value("company", "NAME", "the tester's company", "the tester's company (default: as kept beside FILE)"),
             value("witness", "NAME", "the witness's name", "who witnessed the tests (default: as kept beside FILE)"),
             value("record", "FILE", "a commissioning record", "the walk test to include (default: the record beside FILE)"),
             flag("fc", "light levels in foot-candles"),
             flag("force", "replace OUT.pdf if it exists; never a file the report reads")},
            "FILE as a handover PDF: title block, grid, programming and settings as tables, curves, sign-off",
            ReportCommand::run};
}
// clang-format on
} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = [] {
        std::vector<Command> all = fileCommands();
        const std::vector<Command> device = deviceCommands();
        all.insert(all.end(), device.begin(), device.end());
        all.push_back(reportCommand());
        return all;
    }();
    return table;
}

} // namespace Cli
