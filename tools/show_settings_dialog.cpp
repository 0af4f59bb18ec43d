// Shows one settings dialog by class name, for screenshots:
//   show_settings_dialog frmPCInputs [popup]
// Prints the dialog's window id once it is on screen and runs until killed.
#include "FakePrompts.h"
#include "frmDimmerSettings.h"
#include "frmPCInputs.h"
#include "frmPilots.h"
#include "frmRelayPowerOn.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace
{
std::unique_ptr<QDialog> makeDialog(const QString &name, modOVMXConfig &doc, Prompts &prompts)
{
    if (name == QLatin1String("frmRelayPowerOn"))
        return std::make_unique<frmRelayPowerOn>(doc, prompts);
    if (name == QLatin1String("frmDimmerSettings"))
        return std::make_unique<frmDimmerSettings>(doc, prompts);
    if (name == QLatin1String("frmPilots"))
        return std::make_unique<frmPilots>(doc, prompts);
    if (name == QLatin1String("frmPCInputs"))
        return std::make_unique<frmPCInputs>(doc, prompts);
    return nullptr;
}

// Values that exercise the widest entries of each list.
void fillWideValues(modOVMXConfig &doc)
{
    doc.NewConfiguration();
    doc.SetRelayPowerOn(0, 3);
    doc.SetRelayPowerOn(2, 4);
    doc.SetDimmerFadeRate(1, 42);
    doc.SetDimmerMinLevel(2, 0);
    doc.SetDimmerMaxLevel(3, 0);
    doc.SetPilotLight(0, 3, 9);
    doc.SetPilotLight(1, 5, 7);
    doc.SetPhotocellOnLevel(0, 0, 255);
    doc.SetPhotocellOffLevel(1, 2, 128);
    doc.SetPhotocellFilter(0, 0);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    modOVMXConfig doc;
    fillWideValues(doc);
    FakePrompts prompts;
    std::unique_ptr<QDialog> dialog = makeDialog(args.value(1), doc, prompts);
    if (!dialog) {
        std::fprintf(stderr, "usage: show_settings_dialog frmRelayPowerOn|frmDimmerSettings|"
                             "frmPilots|frmPCInputs [popup]\n");
        return 2;
    }
    dialog->move(20, 20);
    dialog->show();
    if (args.value(2) == QLatin1String("popup")) {
        if (auto *list = dialog->findChild<QComboBox *>(); list)
            list->showPopup();
    }
    QTimer::singleShot(300, dialog.get(), [&dialog] {
        std::printf("%llu\n", static_cast<unsigned long long>(dialog->winId()));
        std::fflush(stdout);
    });
    return app.exec();
}
