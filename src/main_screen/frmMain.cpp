#include "frmMain.h"

#include "ConfigDiff.h"
#include "ProgrammingGrid.h"
#include "ReportCommands.h"
#include "ScreenFont.h"
#include "SidePanels.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QLayout>
#include <QScreen>
#include <QStyle>

frmMain::frmMain(DocumentSession &session, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_doc(session.document()),
      m_prompts(session.prompts()), m_dialogRunner([](QDialog &dialog) { return dialog.exec(); })
{
    setWindowTitle(QLatin1String(DesignCaption));
    m_grid = new ProgrammingGrid(this);
    m_grid->setObjectName(QStringLiteral("ProgrammingGrid"));
    m_grid->setFont(ScreenFont::fitted(m_grid->font()));
    QPalette palette = m_grid->palette();
    palette.setColor(QPalette::Window, GridModel::Background);
    m_grid->setPalette(palette);
    setCentralWidget(m_grid);
    buildMenus();
    m_panels = new SidePanels(m_grid);
    connect(m_panels, &SidePanels::pilotClicked, this, &frmMain::lblPilot_Click);
    connect(m_panels, &SidePanels::levelClicked, this, &frmMain::lblPCInp_Click);
    connect(m_panels, &SidePanels::alertChosen, this, &frmMain::cboAlert_Click);
    connect(m_panels, &SidePanels::overrideChosen, this, &frmMain::cboOverride_Click);
    connect(m_grid, &ProgrammingGrid::cellHovered, this, &frmMain::lblControl_MouseMove);
    connect(m_grid, &ProgrammingGrid::backgroundHovered, this, &frmMain::ClearHL);
    connect(m_grid, &ProgrammingGrid::cellClicked, this, &frmMain::lblControl_Click);
    m_grid->setCellDescriber(
        [this](int k) { return ConfigDiff::describeCell(m_doc, k).join(QLatin1Char('\n')); });
    connect(&m_session, &DocumentSession::documentChanged, this, &frmMain::ShowControl);
    // The lists take the restored values without storing them again.
    connect(&m_session, &DocumentSession::programmingRestored, this, [this] {
        m_refreshGuard = true;
        ShowControl();
        m_refreshGuard = false;
    });
    connect(&m_session, &DocumentSession::recentFilesChanged, this, &frmMain::showRecentFiles);
    Form_Load();
    m_grid->setFocus();
}

void frmMain::Form_Load()
{
    placeWindow();
    WindowPlacement::placeOnShow(this, [this] { placeWindow(); });
    m_grid->ClearHL();
    m_refreshGuard = true;
    m_session.start(windowTitle());
    m_refreshGuard = false;
    ShowTitle();
}

QPoint frmMain::placement(const QRect &screen, const QRect &available, const QSize &frame)
{
    // Centred on the whole screen, as on a screen without panels; only a frame that a panel
    // would cover, or that would leave the screen, moves into the free area.
    const int left = screen.x() + (screen.width() - frame.width()) / 2;
    const int top = screen.height() > 900 ? screen.y() + (screen.height() - frame.height()) / 2
                                          : screen.y() + 2;
    return WindowPlacement::inside({left, top}, frame, available);
}

void frmMain::placeWindow()
{
    // The client area is fixed, so the window is as large as its menu bar and grid need.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    const QScreen *display = screen();
    if (!display)
        return;
    QMargins frame = WindowPlacement::frameMargins(this);
    // Until a window manager has framed the window, its title bar is as tall as the style's.
    if (frame.isNull())
        frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
    // move() places the frame, title bar included.
    move(placement(display->geometry(), display->availableGeometry(), sizeHint().grownBy(frame)));
}

void frmMain::ShowTitle() { setWindowTitle(m_session.title()); }

void frmMain::ShowControl()
{
    ConfigTexts::deriveScreenTexts(m_doc, m_texts);
    m_panels->show(m_texts);
    m_grid->setCellTexts(m_texts.cells);
}

void frmMain::lblControl_MouseMove(int Index) { m_grid->hover(Index); }

void frmMain::ClearHL() { m_grid->ClearHL(); }

void frmMain::storeTimedOff(void (modOVMXConfig::*set)(int), int selected, const QString &step)
{
    if (m_refreshGuard || selected < 0)
        return;
    const modOVMXConfig::Image before = m_doc.image();
    m_doc.ConfigModified = true;
    (m_doc.*set)(selected);
    m_session.pushStep(before, step);
}

void frmMain::cboAlert_Click()
{
    storeTimedOff(&modOVMXConfig::SetTimedOffAlert, m_panels->alertList()->currentIndex(),
                  QStringLiteral("Timed Off Blink Alert"));
}

void frmMain::cboOverride_Click()
{
    storeTimedOff(&modOVMXConfig::SetTimedOffOverride, m_panels->overrideList()->currentIndex(),
                  QStringLiteral("Timed Off Override"));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_session.mayClose())
        event->accept();
    else
        event->ignore();
}
