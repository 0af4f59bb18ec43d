#include "QtFileDialogs.h"
#include "QtPrompts.h"
#include "WheelGuard.h"
#include "frmMain.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvandel-mx"));
    QApplication::setApplicationVersion(QStringLiteral("1.60"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Orvandel MX configuration tool"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Data file (.OMX) to open at start."));
    parser.process(app);

    WheelGuard wheelGuard;
    app.installEventFilter(&wheelGuard);

    modOVMXConfig doc;
    QtPrompts prompts;
    QtFileDialogs fileDialogs;
    frmMain window(doc, prompts, fileDialogs);
    prompts.setParentWidget(&window);
    fileDialogs.setParentWidget(&window);
    window.show();

    // Opened once the window is up, so a failure is reported over it; the tool then goes on
    // with the new configuration it started with.
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        window.openFile(QDir::toNativeSeparators(QFileInfo(files.first()).absoluteFilePath()));
        window.ShowTitle();
    }
    return app.exec();
}
