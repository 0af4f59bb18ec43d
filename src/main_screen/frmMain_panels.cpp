// The menu bar and the panels above the grid: pilot lights, timed-off lists, photocell levels.
#include "frmMain.h"

#include "ClickableLabel.h"
#include "PanelFrame.h"
#include "ProgrammingGrid.h"
#include "ScreenPainter.h"

#include <QComboBox>
#include <QMenuBar>

namespace
{
using namespace ScreenPainter::Panels;

QAction *addCommand(QWidget *menu, const char *name, const QString &caption)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(QLatin1String(name));
    menu->addAction(action);
    return action;
}
} // namespace

void frmMain::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction *fileNew = addCommand(file, "mnuFileNew", QStringLiteral("New"));
    fileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction *fileOpen = addCommand(file, "mnuFileOpen", QStringLiteral("Open"));
    fileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction *fileSave = addCommand(file, "mnuFileSave", QStringLiteral("Save"));
    fileSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction *fileSaveAs = addCommand(file, "mnuFileSaveAs", QStringLiteral("Save As"));
    fileSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    buildFileExtras(file);
    file->addSeparator();
    QAction *exit = addCommand(file, "mnuExit", QStringLiteral("Exit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    buildEditMenu();
    QMenuBar *bar = menuBar();
    QAction *relays = addCommand(bar, "mnuRelayOptions", QStringLiteral("Relay Power-On"));
    QAction *dimmers = addCommand(bar, "mnuDimmerOptions", QStringLiteral("Dimmers Settings"));
    QAction *connectWindow = addCommand(bar, "mnuConnect", QStringLiteral("Connect"));

    connect(fileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
    connect(fileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(fileSave, &QAction::triggered, this, &frmMain::mnuFileSave_Click);
    connect(fileSaveAs, &QAction::triggered, this, &frmMain::mnuFileSaveAs_Click);
    connect(exit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(relays, &QAction::triggered, this, &frmMain::mnuRelayOptions_Click);
    connect(dimmers, &QAction::triggered, this, &frmMain::mnuDimmerOptions_Click);
    connect(connectWindow, &QAction::triggered, this, &frmMain::mnuConnect_Click);
}

ClickableLabel *frmMain::makePanelLabel(QWidget *frame, const QString &name, const QRect &rect,
                                        const QColor &colour, Qt::Alignment align)
{
    auto *label = new ClickableLabel(frame);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

void frmMain::buildPanels()
{
    buildPilotFrame(0);
    buildPilotFrame(1);
    buildTimedOffFrame();
    buildLevelFrame(0);
    buildLevelFrame(1);
}

void frmMain::buildPilotFrame(int station)
{
    auto *frame = new PanelFrame(pilotCaption(station), m_grid);
    frame->setObjectName(QStringLiteral("frmTB%1Pilots").arg(station + 1));
    frame->setGeometry(pilotFrame(station));
    m_frmPilots[static_cast<size_t>(station)] = frame;
    for (int k = 0; k < 6; ++k) {
        const int n = 6 * station + k;
        ClickableLabel *label = makePanelLabel(frame, QStringLiteral("lblPilot(%1)").arg(n),
                                               pilotLabel(k), LabelColour, Qt::AlignLeft);
        connect(label, &ClickableLabel::clicked, this, [this, n] { lblPilot_Click(n); });
        m_lblPilot[static_cast<size_t>(n)] = label;
    }
}

void frmMain::buildTimedOffFrame()
{
    auto *frame = new PanelFrame(QStringLiteral("Timed Off Configuation"), m_grid);
    frame->setObjectName(QStringLiteral("frmTimedOffConfig"));
    frame->setGeometry(timedOffFrame());
    const auto addList = [frame](const char *labelName, const QString &caption,
                                 const char *listName, int n) {
        auto *label = new QLabel(caption, frame);
        label->setObjectName(QLatin1String(labelName));
        label->setGeometry(listCaption(n));
        auto *box = new QComboBox(frame);
        box->setObjectName(QLatin1String(listName));
        box->setGeometry(list(n));
        return box;
    };
    m_cboAlert = addList("lblAlert", QStringLiteral("Blink Alert"), "cboAlert", 0);
    m_cboOverride = addList("lblOverride", QStringLiteral("Override"), "cboOverride", 1);
    connect(m_cboAlert, &QComboBox::currentIndexChanged, this, &frmMain::cboAlert_Click);
    connect(m_cboOverride, &QComboBox::currentIndexChanged, this, &frmMain::cboOverride_Click);
}

void frmMain::buildLevelFrame(int photocell)
{
    auto *frame = new PanelFrame(QStringLiteral("Photocell %1").arg(photocell + 1), m_grid);
    frame->setObjectName(QStringLiteral("frmPC%1Levels").arg(photocell + 1));
    frame->setGeometry(levelFrame(photocell));
    m_frmPCLevels[static_cast<size_t>(photocell)] = frame;
    for (int l = 0; l < 4; ++l) {
        const int n = 4 * photocell + l;
        const auto index = static_cast<size_t>(n);
        m_lblPCInp[index] = makePanelLabel(frame, QStringLiteral("lblPCInp(%1)").arg(n),
                                           levelNumber(l), LevelNumberColour, Qt::AlignHCenter);
        m_lblPCInp[index]->setText(QString::number(l + 1));
        m_lblPCOff[index] = makePanelLabel(frame, QStringLiteral("lblPCOff(%1)").arg(n),
                                           offLevel(l), LabelColour, Qt::AlignHCenter);
        m_lblPCOff[index]->setText(QStringLiteral("Off=255/255"));
        m_lblPCOn[index] = makePanelLabel(frame, QStringLiteral("lblPCOn(%1)").arg(n), onLevel(l),
                                          LabelColour, Qt::AlignHCenter);
        m_lblPCOn[index]->setText(QStringLiteral("On=255/255"));
        nameLevelLabels(n);
        connect(m_lblPCInp[index], &ClickableLabel::clicked, this,
                [this, n] { lblPCInp_Click(n); });
        connect(m_lblPCOff[index], &ClickableLabel::clicked, this,
                [this, n] { lblPCOff_Click(n); });
        connect(m_lblPCOn[index], &ClickableLabel::clicked, this, [this, n] { lblPCOn_Click(n); });
    }
}
