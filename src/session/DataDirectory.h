#pragma once

#include <QString>

// Where the tool proposes to keep its data files.
namespace DataDirectory
{

// "C:\Tevara Orvandel MX" on Windows; elsewhere "Tevara Orvandel MX" in the documents folder.
QString path();
// The name the file dialogs start with: the directory and "*.OMX", native separators.
QString presetFileName();
QString fileFilter();
// Creates the directory when it is missing; a failure is ignored and the tool runs without it.
void ensureExists();

} // namespace DataDirectory
