#pragma once

#include "ConfigTexts.h"
#include "Prompts.h"
#include "modOVMXConfig.h"

#include <QMainWindow>

#include <array>
#include <functional>

class ClickableLabel;
class PanelFrame;
class ProgrammingGrid;
class QComboBox;
class QDialog;
class QMenu;
class QUndoStack;
class modOVMXCommunications;

// The start-up window: the programming grid, the panels above it, the File menu and the
// commands that open the editors, the settings dialogs and the connection window. It holds no
// programming of its own: every text is drawn from the document by ShowControl.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    using DialogRunner = std::function<int(QDialog &)>;

    static constexpr const char *DesignCaption = "Tevara Orvandel MX Configuration Tool  Rev 1.60";
    static constexpr int WindowHeight = 735; // outer height, title bar and menu included

    frmMain(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
            QWidget *parent = nullptr);
    ~frmMain() override;

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

    // The programming's history: one step per editor or dialog session, timed-off list
    // choice or upload that changed it. New and Open start it afresh.
    QUndoStack *history() const { return m_history; }
    // The files last opened or saved, newest first.
    QStringList recentFiles() const;

    void ShowControl();
    void ShowTitle();
    void ClearHL();

    // Opens a data file as File Open does once a name is chosen; a failure is reported and
    // leaves the document as it was.
    bool openFile(const QString &path);
    void FileOpen();
    void FileSave();
    void FileSaveAs();

public Q_SLOTS:
    void lblControl_MouseMove(int Index);
    void lblControl_Click(int Index);
    void lblPilot_Click(int Index);
    void lblPCInp_Click(int Index);
    void lblPCOn_Click(int Index);
    void lblPCOff_Click(int Index);
    void cboAlert_Click();
    void cboOverride_Click();
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuExit_Click();
    void mnuFileCompare_Click();
    void mnuRecent_Click(int n);
    void mnuRelayOptions_Click();
    void mnuDimmerOptions_Click();
    void mnuConnect_Click();
    // The printed record (frmMain_report.cpp): preview and print, or a PDF file.
    void mnuFilePrint_Click();
    void mnuFileExportPdf_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void reportUnknownValues(const QString &source);
    bool openBackup();
    void Form_Load();
    void buildMenus();
    void buildReportMenu();
    void buildPanels();
    void buildPilotFrame(int station);
    void buildTimedOffFrame();
    void buildLevelFrame(int photocell);
    void nameLevelLabels(int n);
    ClickableLabel *makePanelLabel(QWidget *frame, const QString &name, const QRect &rect,
                                   const QColor &colour, Qt::Alignment align);
    void fillTimedOffLists();
    void placeWindow();
    bool reportFailure(const modOVMXConfig::FileResult &result);

    // History (frmMain_history.cpp). A step keeps the image before and after; the port
    // choice is no part of it.
    friend class ImageStep;
    void buildEditMenu();
    // True when the programming changed, and so became a step.
    bool pushStep(const modOVMXConfig::Image &before, const QString &name);
    void restoreProgramming(const modOVMXConfig::Image &image);
    // As last opened or saved: the programming (the history's clean state) and the port.
    void markUnmodified();

    // Compare With and the recent files (frmMain_recent.cpp).
    void buildFileExtras(QMenu *file);
    void rememberFile(const QString &path);
    void forgetFile(const QString &path);
    void showRecentFiles();

    // The windows the commands open; all of them live in frmMain_commands.cpp. A session
    // that changed the programming becomes one history step named `step` (the dialog's
    // caption when empty).
    int runDialog(QDialog &dialog, const QString &step = {});
    void openRelayControl(const QString &mapDef, const QString &step);
    void openInputControl(const QString &mapDef, const QString &closedCaption,
                          const QString &openCaption, const QString &step);
    void openDimmerControl(const QString &mapDef, const QString &step);
    bool trackingRefused();
    void openDimmerScale(const QString &mapDef, const QString &step);
    void openPCInputs();

    modOVMXConfig &m_doc;
    Prompts &m_prompts;
    FileDialogs &m_fileDialogs;
    DialogRunner m_dialogRunner;
    modOVMXCommunications *m_comm = nullptr;

    ProgrammingGrid *m_grid = nullptr;
    std::array<PanelFrame *, 2> m_frmPilots{};
    std::array<PanelFrame *, 2> m_frmPCLevels{};
    std::array<ClickableLabel *, 12> m_lblPilot{};
    std::array<ClickableLabel *, 8> m_lblPCInp{};
    std::array<ClickableLabel *, 8> m_lblPCOff{};
    std::array<ClickableLabel *, 8> m_lblPCOn{};
    QComboBox *m_cboAlert = nullptr;
    QComboBox *m_cboOverride = nullptr;
    QUndoStack *m_history = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentSeparator = nullptr;
    std::array<QAction *, 8> m_recent{};

    ConfigTexts::ScreenTexts m_texts;
    bool m_refreshGuard = false;
    int m_savedPort = 0;
    bool m_firstFileDialog = false;
};
