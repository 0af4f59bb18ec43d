#pragma once

// The serial port of the system the tool runs on.
#ifdef _WIN32
#include "Win32SerialLink.h"
using SystemSerialLink = Win32SerialLink;
#else
#include "QSerialPortLink.h"
using SystemSerialLink = QSerialPortLink;
#endif
