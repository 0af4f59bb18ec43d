// Shows one cell editor over a sample document, for screenshots: editor-preview NAME, where
// NAME is relay, dimmer, input, scale or setpoint (the scaling editor in setpoint mode). Quits by
// itself after a few seconds.
#include "ConfigTexts.h"
#include "FakePrompts.h"
#include "ScalePlot.h"
#include "frmDimmerControl.h"
#include "frmDimmerScale.h"
#include "frmInputControl.h"
#include "frmRelayControl.h"
#include "modOVMXConfig.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTextStream>
#include <QTimer>

#include <memory>

namespace
{

std::unique_ptr<CellEditor> relayEditor(modOVMXConfig &doc, Prompts &prompts)
{
    doc.SelInput = 2;
    doc.SelRelay = 1;
    doc.SetRelayCloseAction(2, 1, 10);
    doc.SetRelayOpenAction(2, 1, 1);
    doc.SetRelayTimedOn(2, 1, 25);
    auto editor = std::make_unique<frmRelayControl>(doc, prompts);
    editor->setMapDef(ConfigTexts::cellCaption(26));
    return editor;
}

std::unique_ptr<CellEditor> dimmerEditor(modOVMXConfig &doc, Prompts &prompts)
{
    doc.SelInput = 4;
    doc.SelDimmer = 1;
    doc.SetDimmerControl(4, 1, 54);
    doc.SetDimmerControlFadeRate(4, 1, 1);
    doc.SetDimmerRevert(4, 1, 121);
    auto editor = std::make_unique<frmDimmerControl>(doc, prompts);
    editor->setMapDef(ConfigTexts::cellCaption(700));
    return editor;
}

std::unique_ptr<CellEditor> inputEditor(modOVMXConfig &doc, Prompts &prompts)
{
    doc.SelInput = 23;
    doc.SelDisInput = 11;
    doc.SetInputDisableClosed(23, 11, true);
    auto editor = std::make_unique<frmInputControl>(doc, prompts);
    const QString input = ConfigTexts::inputName(23), target = ConfigTexts::targetName(15);
    editor->setMapDef(ConfigTexts::cellCaption(96 + 24 * 11 + 23));
    editor->setCheckCaptions(
        input + QStringLiteral(" Disables ") + target + QStringLiteral(" When Closed"),
        input + QStringLiteral(" Disables ") + target + QStringLiteral(" When Open"));
    return editor;
}

std::unique_ptr<CellEditor> scaleEditor(modOVMXConfig &doc, Prompts &prompts, int mode)
{
    doc.SelPhotocell = 1;
    doc.SelDimmer = 2;
    doc.SetPhotocellTracking(1, 2, mode);
    doc.SetScaleTarget(1, 2, 241);
    doc.SetScaleLevel1(1, 2, 40);
    doc.SetScaleOutput1(1, 2, 90);
    doc.SetScaleLevel2(1, 2, 150);
    doc.SetScaleOutput2(1, 2, 62);
    doc.SetScaleLevel3(1, 2, 230);
    doc.SetScaleOutput3(1, 2, 8);
    auto editor = std::make_unique<frmDimmerScale>(doc, prompts);
    editor->setMapDef(ConfigTexts::cellCaption(ConfigTexts::trackingCell(1, 2)));
    return editor;
}

// Rests the pointer on the middle grip, so the value labels show.
void hoverMiddleGrip(QWidget *editor)
{
    auto *plot = editor->findChild<ScalePlot *>(QStringLiteral("picScale"));
    const ScalePlot::Grip grip = plot->grip(3);
    const QPointF at((grip.Left + 40) / ScalePlot::TwipsPerPixel,
                     (grip.Top + 40) / ScalePlot::TwipsPerPixel);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString name = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    modOVMXConfig doc;
    doc.NewConfiguration();
    FakePrompts prompts;
    std::unique_ptr<CellEditor> editor;
    if (name == QLatin1String("relay"))
        editor = relayEditor(doc, prompts);
    else if (name == QLatin1String("dimmer"))
        editor = dimmerEditor(doc, prompts);
    else if (name == QLatin1String("input"))
        editor = inputEditor(doc, prompts);
    else if (name == QLatin1String("scale"))
        editor = scaleEditor(doc, prompts, 2);
    else if (name == QLatin1String("setpoint"))
        editor = scaleEditor(doc, prompts, 3);
    if (!editor) {
        QTextStream(stderr) << "usage: editor-preview relay|dimmer|input|scale|setpoint\n";
        return 2;
    }
    editor->show();
    if (name == QLatin1String("scale"))
        hoverMiddleGrip(editor.get());
    QTimer::singleShot(15000, &app, &QApplication::quit);
    return app.exec();
}
