#pragma once

#include "ConfigTexts.h"
#include "DocumentSession.h"

#include <QMainWindow>

#include <array>
#include <functional>

class ProgrammingGrid;
class QDialog;
class QMenu;
class ReportCommands;
class SidePanels;
class modOVMXCommunications;

// The start-up window, a view of the document's session: the programming grid, the panels
// above it, the menus and the commands that open the editors, the settings dialogs and the
// connection window. Every text is drawn from the document by ShowControl; the file commands
// and the history belong to the session, to which the menus forward.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog &)>;

    static constexpr const char *DesignCaption = "Tevara Orvandel MX Configuration Tool  Rev 1.60";

    explicit frmMain(DocumentSession &session, QWidget *parent = nullptr);

    // Where the frame goes: centred horizontally on the screen; centred vertically on a screen
    // taller than 900 pixels, otherwise two pixels (30 twips) from its top; then pulled inside
    // the area the panels leave free, the title bar in view first.
    static QPoint placement(const QRect &screen, const QRect &available, const QSize &frame);

    ProgrammingGrid *grid() const { return m_grid; }
    bool RefreshGuard() const { return m_refreshGuard; }
    // Every modal dialog of the window runs through this; tests put their own in its place.
    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }
    // The link the connection window uses; without one, "Connect" opens nothing.
    void setCommunications(modOVMXCommunications *comm) { m_comm = comm; }

    void ShowControl();
    void ShowTitle();
    void ClearHL();

public Q_SLOTS:
    void lblControl_MouseMove(int Index);
    void lblControl_Click(int Index);
    void lblPilot_Click(int Index);
    void lblPCInp_Click(int Index);
    void cboAlert_Click();
    void cboOverride_Click();
    void mnuRelayOptions_Click();
    void mnuDimmerOptions_Click();
    void mnuConnect_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Load();
    void placeWindow();
    void buildMenus();
    QMenu *buildFileMenu();
    void buildEditMenu();
    void showRecentFiles();
    // A file command of the session, then the title that names the file.
    void forward(void (DocumentSession::*command)());
    void storeTimedOff(void (modOVMXConfig::*set)(int), int selected, const QString &step);

    // The windows the commands open; all of them live in frmMain_commands.cpp. A session
    // that changed the programming becomes one history step named `step` (the dialog's
    // caption when empty).
    int runDialog(QDialog &dialog, const QString &step = {});
    template <typename Editor> void openEditor(const QString &mapDef, const QString &step);
    void openInputControl(const QString &mapDef, const QString &closedCaption,
                          const QString &openCaption, const QString &step);
    bool trackingRefused();
    template <typename Dialog> void openSettings();
    void mnuFileCompare_Click();

    DocumentSession &m_session;
    modOVMXConfig &m_doc;
    Prompts &m_prompts;
    DialogRunner m_dialogRunner;
    modOVMXCommunications *m_comm = nullptr;

    ProgrammingGrid *m_grid = nullptr;
    SidePanels *m_panels = nullptr;
    ReportCommands *m_report = nullptr;
    QAction *m_recentSeparator = nullptr;
    std::array<QAction *, DocumentSession::RecentCount> m_recent{};

    ConfigTexts::ScreenTexts m_texts;
    bool m_refreshGuard = false;
};
