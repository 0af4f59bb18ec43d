#include "CliCommand.h"
#include "ReportCommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    const auto app = ReportCommand::application(argc, argv);
    return Cli::run(QCoreApplication::arguments().mid(1));
}
