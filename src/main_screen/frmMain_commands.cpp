// Every window that the main window opens is opened here, modally, through runDialog(), and
// the screen is redrawn from the document when it closes.
#include "frmMain.h"

#include "ReportCommands.h"
#include "ProgrammingGrid.h"
#include "frmConnect.h"
#include "frmDimmerControl.h"
#include "frmDimmerScale.h"
#include "frmDimmerSettings.h"
#include "frmInputControl.h"
#include "frmPCInputs.h"
#include "frmPilots.h"
#include "frmRelayControl.h"
#include "frmRelayPowerOn.h"

#include <QDialog>

namespace
{
const QString ErrorTitle = QStringLiteral("Error");
const QString Control = QStringLiteral(" Control");
const QString Between = QStringLiteral(" / ");
} // namespace

int frmMain::runDialog(QDialog &dialog, const QString &step)
{
    const modOVMXConfig::Image before = m_doc.image();
    const int result = m_dialogRunner(dialog);
    m_session.pushStep(before, step.isEmpty() ? dialog.windowTitle() : step);
    return result;
}

void frmMain::lblControl_Click(int Index)
{
    if (Index < 0 || Index >= ConfigTexts::CellCount)
        return;
    // Any click marks the document modified, whether or not the editor then changes anything.
    m_doc.ConfigModified = true;
    const int i = ConfigTexts::inputOfCell(Index);
    const int q = ConfigTexts::rowOfCell(Index);
    const QString inputName = ConfigTexts::inputName(i);
    const QString targetName = ConfigTexts::targetName(q);
    m_doc.SelInput = static_cast<int16_t>(i);
    m_doc.SelPhotocell = static_cast<int16_t>(i / 4 - 4);
    m_doc.SelRelay = static_cast<int16_t>(q);
    m_doc.SelDisInput = static_cast<int16_t>(q - 4);
    m_doc.SelDimmer = static_cast<int16_t>(q - 28);
    const QString step = ConfigTexts::cellShortName(Index);

    if (Index < 96) {
        openEditor<frmRelayControl>(inputName + Between + targetName + Control, step);
    } else if (Index < 672) {
        if (i == q - 4)
            m_prompts.message(ErrorTitle,
                              QStringLiteral("Unable To Disable An Input From The Same Input."),
                              Prompts::Icon::Information);
        else
            openInputControl(inputName + Between + targetName + Control,
                             inputName + QStringLiteral(" Disables ") + targetName +
                                 QStringLiteral(" When Closed"),
                             inputName + QStringLiteral(" Disables ") + targetName +
                                 QStringLiteral(" When Open"),
                             step);
    } else if (ConfigTexts::isTrackingCell(Index)) {
        if (trackingRefused())
            return; // nothing changed, so nothing is redrawn
        openEditor<frmDimmerScale>(ConfigTexts::photocellName(i) + Between + targetName + Control,
                                   step);
    } else if (i < 16) {
        openEditor<frmDimmerControl>(inputName + Between + targetName + Control, step);
    }
    ShowControl();
}

// A dimmer follows at most one photocell.
bool frmMain::trackingRefused()
{
    const int other = m_doc.SelPhotocell == 0 ? 1 : 0;
    if (m_doc.GetPhotocellTracking(other, m_doc.SelDimmer) <= 0)
        return false;
    m_prompts.message(ErrorTitle,
                      QStringLiteral("This Dimmer Output Is Configured To Track Photocell %1.\r\n"
                                     "Tracking Of 2 Photocells Is Not Permitted.")
                          .arg(other + 1),
                      Prompts::Icon::Critical);
    return true;
}

template <typename Editor> void frmMain::openEditor(const QString &mapDef, const QString &step)
{
    Editor editor(m_doc, m_prompts, this);
    editor.setMapDef(mapDef);
    runDialog(editor, step);
}

void frmMain::openInputControl(const QString &mapDef, const QString &closedCaption,
                               const QString &openCaption, const QString &step)
{
    frmInputControl editor(m_doc, m_prompts, this);
    editor.setMapDef(mapDef);
    editor.setCheckCaptions(closedCaption, openCaption);
    runDialog(editor, step);
}

template <typename Dialog> void frmMain::openSettings()
{
    Dialog dialog(m_doc, m_prompts, this);
    runDialog(dialog);
    ShowControl();
}

// Every pilot label opens the same dialog, and so does every photocell label.
void frmMain::lblPilot_Click(int) { openSettings<frmPilots>(); }

void frmMain::lblPCInp_Click(int) { openSettings<frmPCInputs>(); }

void frmMain::mnuRelayOptions_Click() { openSettings<frmRelayPowerOn>(); }

void frmMain::mnuDimmerOptions_Click() { openSettings<frmDimmerSettings>(); }

void frmMain::mnuConnect_Click()
{
    // What the window started from, or the backup opened from it: an upload (or the new
    // configuration a failed one leaves) is the change the window itself can make.
    modOVMXConfig::Image before = m_doc.image();
    bool uploaded = false;
    if (m_comm) {
        frmConnect dialog(m_doc, m_prompts, m_session.fileDialogs(), *m_comm, this);
        dialog.setBackupOpener([this, &before] {
            if (m_session.openBackup())
                before = m_doc.image();
            ShowTitle();
        });
        connect(&dialog, &frmConnect::statusRead, m_report, &ReportCommands::controllerSeen);
        // The grid behind lights the input last worked on site and what followed it.
        connect(&dialog, &frmConnect::liveChanged, m_grid, [this, &dialog] {
            const LiveInput &live = dialog.live();
            m_grid->setLive(live.input(), live.followedRows(), live.silentRows());
        });
        m_dialogRunner(dialog);
        m_grid->setLive(-1, {}, {});
        uploaded = m_session.pushStep(before, QStringLiteral("Get Settings From OV-2"));
    }
    // An upload in the window replaced the image and, when it failed, the file name: the
    // screen and the title show them at once.
    ShowTitle();
    ShowControl();
    // A port chosen is no upload, and values of a file opened there were reported as it opened.
    if (uploaded)
        m_session.reportUnknownValues(QStringLiteral("The controller's memory"));
}
