#include "frmMain.h"

#include "ClickableLabel.h"
#include "ConfigDiff.h"
#include "DataDirectory.h"
#include "PanelFrame.h"
#include "ProgrammingGrid.h"
#include "ScreenFont.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QLayout>
#include <QScreen>
#include <QStringListModel>
#include <QStyle>
#include <QUndoStack>

frmMain::frmMain(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs, QWidget *parent)
    : QMainWindow(parent), m_doc(doc), m_prompts(prompts), m_fileDialogs(fileDialogs),
      m_dialogRunner([](QDialog &dialog) { return dialog.exec(); })
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
    buildReportMenu();
    buildPanels();
    connect(m_grid, &ProgrammingGrid::cellHovered, this, &frmMain::lblControl_MouseMove);
    connect(m_grid, &ProgrammingGrid::backgroundHovered, this, &frmMain::ClearHL);
    connect(m_grid, &ProgrammingGrid::cellClicked, this, &frmMain::lblControl_Click);
    m_grid->setCellDescriber(
        [this](int k) { return ConfigDiff::describeCell(m_doc, k).join(QLatin1Char('\n')); });
    Form_Load();
    m_grid->setFocus();
}

frmMain::~frmMain()
{
    // The history outlives this object's own destructor as a child, and clears itself on the
    // way out: the document's flag must not follow it there.
    if (m_history)
        m_history->disconnect(this);
}

void frmMain::Form_Load()
{
    placeWindow();
    WindowPlacement::placeOnShow(this, [this] { placeWindow(); });
    DataDirectory::ensureExists();
    m_grid->ClearHL();
    fillTimedOffLists();
    m_doc.NewConfiguration();
    m_doc.BaseTitle = windowTitle();
    m_doc.DataFileName = QStringLiteral("None");
    ShowTitle();
    m_refreshGuard = true;
    ShowControl();
    m_refreshGuard = false;
    markUnmodified();
    m_doc.ExitConfirmed = false;
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

void frmMain::fillTimedOffLists()
{
    QStringList alert, override;
    for (int minutes = 2; minutes <= 99; ++minutes)
        alert << ConfigTexts::minuteText(minutes);
    for (int minutes = 5; minutes <= 999; ++minutes)
        override << ConfigTexts::minuteText(minutes);
    // A plain string list model: a thousand entries cost next to nothing at start-up.
    const QSignalBlocker alertBlocker(m_cboAlert);
    const QSignalBlocker overrideBlocker(m_cboOverride);
    m_cboAlert->setModel(new QStringListModel(alert, m_cboAlert));
    m_cboOverride->setModel(new QStringListModel(override, m_cboOverride));
}

void frmMain::ShowTitle()
{
    setWindowTitle(m_doc.BaseTitle + QStringLiteral("   -   ") + m_doc.DataFileName);
}

void frmMain::ShowControl()
{
    ConfigTexts::deriveScreenTexts(m_doc, m_texts);
    for (size_t n = 0; n < m_lblPilot.size(); ++n)
        m_lblPilot[n]->setText(m_texts.pilots[n]);
    for (size_t n = 0; n < m_lblPCOff.size(); ++n) {
        m_lblPCOff[n]->setText(m_texts.offLevels[n]);
        m_lblPCOn[n]->setText(m_texts.onLevels[n]);
    }
    for (size_t p = 0; p < m_frmPCLevels.size(); ++p)
        m_frmPCLevels[p]->setCaption(m_texts.photocellFrames[p]);
    // A stored value with no entry in its list shows no entry; the handlers then store nothing.
    const auto position = [](const QComboBox *list, int value) {
        return value >= 0 && value < list->count() ? value : -1;
    };
    m_cboAlert->setCurrentIndex(position(m_cboAlert, m_texts.alertIndex));
    m_cboOverride->setCurrentIndex(position(m_cboOverride, m_texts.overrideIndex));
    m_grid->setCellTexts(m_texts.cells);
}

void frmMain::lblControl_MouseMove(int Index) { m_grid->hover(Index); }

void frmMain::ClearHL() { m_grid->ClearHL(); }

void frmMain::cboAlert_Click()
{
    const int selected = m_cboAlert->currentIndex();
    if (m_refreshGuard || selected < 0)
        return;
    const modOVMXConfig::Image before = m_doc.image();
    m_doc.ConfigModified = true;
    m_doc.SetTimedOffAlert(selected);
    pushStep(before, QStringLiteral("Timed Off Blink Alert"));
}

void frmMain::cboOverride_Click()
{
    const int selected = m_cboOverride->currentIndex();
    if (m_refreshGuard || selected < 0)
        return;
    const modOVMXConfig::Image before = m_doc.image();
    m_doc.ConfigModified = true;
    m_doc.SetTimedOffOverride(selected);
    pushStep(before, QStringLiteral("Timed Off Override"));
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!m_doc.ExitConfirmed && m_doc.ConfigModified &&
        !m_prompts.askYesNo(QStringLiteral("Exit Program"), QStringLiteral("Discard Changes?"))) {
        event->ignore();
        return;
    }
    event->accept();
}
