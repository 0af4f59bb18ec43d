#pragma once

#include "CliCommand.h"

#include <QCoreApplication>

#include <memory>

// The printed record of a data file, as a PDF.
namespace ReportCommand
{

int run(const Cli::Invocation &cli);

// The report paints text, which needs a QGuiApplication; it runs on the offscreen platform, so
// it needs no display. Every other command keeps to a QCoreApplication.
std::unique_ptr<QCoreApplication> application(int &argc, char **argv);

} // namespace ReportCommand
