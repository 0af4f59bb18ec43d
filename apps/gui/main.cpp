#include "ControllerSimulator.h"
#include "ListPopupStyle.h"
#include "QtFileDialogs.h"
#include "QtPrompts.h"
#include "SimulatedSerialPort.h"
#include "SystemSerialLink.h"
#include "WheelGuard.h"
#include "frmMain.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace
{
// The demonstration controller: an MX-4, not networked, programmed a little differently from
// a new configuration so that Connect has a difference to show and Upload something to bring.
void programDemoController(ControllerSimulator &sim)
{
    modOVMXConfig memory;
    memory.NewConfiguration();
    memory.SetRelayCloseAction(2, 1, 2); // Tamberline 01 switch 3 turns relay 2 on ...
    memory.SetRelayOpenAction(2, 1, 1);  // ... and off again
    for (int w = 0; w < modOVMXConfig::WordCount; ++w)
        sim.memory[static_cast<size_t>(w)] = static_cast<uint8_t>(memory.GetWord(w));
    sim.fourChannel = true;
    sim.node = QByteArrayLiteral("FF");
    sim.inputs = 0x35; // both stations answering, hardwired inputs 1 and 3 closed
    sim.stationSwitches = {0x04, 0x00};
}

// The port every "COMn" reaches: the simulated controller in demo mode, otherwise the
// machine's serial ports with the --port overrides. Null with a reason on a bad override.
std::unique_ptr<SerialPort> makePort(const QCommandLineParser &parser, ControllerSimulator &sim,
                                     QString *error)
{
    if (parser.isSet(QStringLiteral("demo"))) {
        programDemoController(sim);
        return std::make_unique<SimulatedSerialPort>(sim);
    }
    auto link = std::make_unique<SystemSerialLink>();
    for (const QString &mapping : parser.values(QStringLiteral("port"))) {
        if (!link->portMap().addOverride(mapping, error))
            return nullptr;
    }
#ifdef Q_OS_WIN
    // Windows numbers USB adapters from COM9 up, past the list: a mapping given once with
    // --port is kept, so the tool started from the Start menu reaches the adapter too.
    QSettings settings(QStringLiteral("Tevara"), QStringLiteral("orvandel-mx"));
    link->portMap().loadOverrides(settings);
    link->portMap().saveOverrides(settings);
#endif
    return link;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ListPopupStyle::install();
    QApplication::setApplicationName(QStringLiteral("orvandel-mx"));
    QApplication::setApplicationVersion(QStringLiteral("1.60"));
    // Lets the desktop match the window to its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tevara.OrvandelMX"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Orvandel MX configuration tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Data file (.OMX) to open at start."));
    parser.addOptions({
        {QStringLiteral("demo"),
         QStringLiteral("Every port reaches a simulated controller (an MX-4, node FF).")},
        {QStringLiteral("port"),
         QStringLiteral("Make COMn reach DEVICE, such as COM1=/dev/ttyUSB0; may repeat."),
         QStringLiteral("COMn=DEVICE")},
    });
    parser.process(app);

    WheelGuard wheelGuard;
    app.installEventFilter(&wheelGuard);

    ControllerSimulator sim;
    QString error;
    const std::unique_ptr<SerialPort> port = makePort(parser, sim, &error);
    if (!port) {
        std::fprintf(stderr, "orvandel-mx: %s\n", qPrintable(error));
#ifdef Q_OS_WIN
        // Started from a shortcut there is no console to read it on.
        QMessageBox::critical(nullptr, QStringLiteral("Orvandel MX"), error);
#endif
        return 2;
    }
    modOVMXCommunications comm(*port);

    modOVMXConfig doc;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    DocumentSession session(doc, prompts, fileDialogs);
    frmMain window(session);
    window.setCommunications(&comm);
    prompts.setParentWidget(&window);
    fileDialogs.setParentWidget(&window);
    window.show();

    // Opened once the window is up, so a failure is reported over it; the tool then goes on
    // with the new configuration it started with. The window is mapped first, so that the
    // window manager has framed and placed it before a message box takes the activation.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        const QDeadlineTimer deadline(2000);
        while (!window.windowHandle()->isExposed() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::processEvents();
        session.openFile(QDir::toNativeSeparators(QFileInfo(files.first()).absoluteFilePath()));
        window.ShowTitle();
    }
    return app.exec();
}
