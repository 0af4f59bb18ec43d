// The window's controls; nothing here reads events.
#include "frmActivity.h"

#include "LiveColumn.h"
#include "WindowPlacement.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace
{
QTableView *makeTable(QWidget *parent, const QString &name, QAbstractItemModel *model)
{
    auto *table = new QTableView(parent);
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    // One height for every row: the view lays out ten thousand rows without measuring them.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}
} // namespace

frmActivity::frmActivity(const modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
                         QWidget *parent)
    : QWidget(parent, Qt::Window), m_doc(doc), m_walkFile(doc.DataFileName),
      m_own(prompts, fileDialogs, this), m_walk(new WalkTestModel(doc, this)),
      m_shown(new QSortFilterProxyModel(this))
{
    setObjectName(QStringLiteral("frmActivity"));
    setWindowTitle(QStringLiteral("Activity"));
    m_shown->setSourceModel(&m_events);
    m_shown->setFilterRole(ActivityModel::SubjectRole);
    tabViews = new QTabWidget(this);
    tabViews->setObjectName(QStringLiteral("tabViews"));
    tabViews->addTab(buildEventsPage(), QStringLiteral("Events"));
    tabViews->addTab(buildWalkPage(), QStringLiteral("Walk Test"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabViews);
    layout->addLayout(buildIdentifyBar());
    resize(880, 480);
    takeUpRecord();
    showHeader();
    showProgress();
    showController();
    connect(m_walk, &WalkTestModel::progressChanged, this, &frmActivity::showProgress);
    connect(m_walk, &WalkTestModel::controllerChanged, this, &frmActivity::showController);
    connect(m_walk, &WalkTestModel::progressChanged, this, &frmActivity::showHeader);
    placeBesideParent();
}

QPushButton *frmActivity::makeButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Below both tabs: an output made to show itself, so the installer finds the fitting it drives.
QLayout *frmActivity::buildIdentifyBar()
{
    cboIdentify = new QComboBox(this);
    cboIdentify->setObjectName(QStringLiteral("cboIdentify"));
    for (int subject = 24; subject < 32; ++subject)
        cboIdentify->addItem(subjectName(subject), subject);
    cmdIdentify = makeButton(this, QStringLiteral("cmdIdentify"), QStringLiteral("Identify"));
    cmdIdentify->setToolTip(QStringLiteral("A relay switches on and off three times, a second "
                                           "apart; a dimmer goes to full, off and full. Then it "
                                           "is put back as it was."));
    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Find an output's fitting:"), this));
    bar->addWidget(cboIdentify);
    bar->addWidget(cmdIdentify);
    bar->addStretch();
    connect(cmdIdentify, &QPushButton::clicked, this, &frmActivity::cmdIdentify_Click);
    return bar;
}

QWidget *frmActivity::buildEventsPage()
{
    auto *page = new QWidget;
    cmdPause = makeButton(page, QStringLiteral("cmdPause"), QStringLiteral("Pause"));
    cmdClear = makeButton(page, QStringLiteral("cmdClear"), QStringLiteral("Clear"));
    cboFilter = new QComboBox(page);
    cboFilter->setObjectName(QStringLiteral("cboFilter"));
    cboFilter->addItem(QStringLiteral("All events"), -1);
    for (int subject = 0; subject < 32; ++subject)
        cboFilter->addItem(subjectName(subject), subject);
    cmdSaveAs = makeButton(page, QStringLiteral("cmdSaveAs"), QStringLiteral("Save As…"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(cmdPause);
    bar->addWidget(cmdClear);
    bar->addWidget(new QLabel(QStringLiteral("Show:"), page));
    bar->addWidget(cboFilter);
    bar->addStretch();
    bar->addWidget(cmdSaveAs);
    lstEvents = makeTable(page, QStringLiteral("lstEvents"), m_shown);
    lstEvents->setColumnWidth(ActivityModel::TimeColumn, 95);
    lstEvents->setColumnWidth(ActivityModel::EventColumn, 380);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(bar);
    layout->addWidget(lstEvents);
    connect(cmdPause, &QPushButton::clicked, this, &frmActivity::cmdPause_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmActivity::cmdClear_Click);
    connect(cboFilter, &QComboBox::activated, this, &frmActivity::cboFilter_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmActivity::cmdSaveAs_Click);
    return page;
}

QWidget *frmActivity::buildWalkPage()
{
    auto *page = new QWidget;
    lblHeader = new QLabel(page);
    lblHeader->setObjectName(QStringLiteral("lblHeader"));
    lblHeader->setWordWrap(true);
    lblRecord = new QLabel(page);
    lblRecord->setObjectName(QStringLiteral("lblRecord"));
    lblRecord->setWordWrap(true);
    lblRecord->hide();
    lblController = new QLabel(page);
    lblController->setObjectName(QStringLiteral("lblController"));
    lblController->setWordWrap(true);
    lstInputs = makeTable(page, QStringLiteral("lstInputs"), m_walk);
    lstInputs->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked);
    lstInputs->setColumnWidth(WalkTestModel::InputColumn, 90);
    lstInputs->setColumnWidth(WalkTestModel::ProgrammedColumn, 150);
    lstInputs->setColumnWidth(WalkTestModel::SeenColumn, 95);
    lstInputs->setColumnWidth(WalkTestModel::FollowedColumn, 140);
    lstInputs->setColumnWidth(WalkTestModel::PassColumn, 40);
    lstInputs->setColumnWidth(WalkTestModel::FailColumn, 40);
    lblProgress = new QLabel(page);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    cmdSaveRecord =
        makeButton(page, QStringLiteral("cmdSaveRecord"), QStringLiteral("Save Record"));
    cmdSaveRecordAs =
        makeButton(page, QStringLiteral("cmdSaveRecordAs"), QStringLiteral("Save Record As…"));
    auto *bar = new QHBoxLayout;
    bar->addWidget(lblProgress);
    bar->addStretch();
    bar->addWidget(cmdSaveRecord);
    bar->addWidget(cmdSaveRecordAs);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(lblHeader);
    layout->addWidget(lblRecord);
    layout->addWidget(lblController);
    // Beside the checklist, the input last worked as the grid shows its column.
    picLive = new LiveColumn(page);
    auto *middle = new QHBoxLayout;
    middle->addWidget(lstInputs, 1);
    middle->addWidget(picLive, 0, Qt::AlignTop);
    layout->addLayout(middle);
    layout->addLayout(bar);
    connect(cmdSaveRecord, &QPushButton::clicked, this, &frmActivity::cmdSaveRecord_Click);
    connect(cmdSaveRecordAs, &QPushButton::clicked, this, &frmActivity::cmdSaveRecordAs_Click);
    return page;
}

// Beside the connection window, whose status and buttons stay in view: where the screen has no
// room for both side by side, that window moves aside and this one narrows.
void frmActivity::placeBesideParent()
{
    WindowPlacement::placeOnShow(this, [this] {
        QWidget *parent = parentWidget() ? parentWidget()->window() : nullptr;
        const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (!parent || !screen)
            return;
        // Before the window manager frames it, move() places the client area, and the frame
        // will be drawn as the parent's was.
        const bool framed = !WindowPlacement::frameMargins(this).isNull();
        const QMargins frame = WindowPlacement::frameMargins(framed ? this : parent);
        const WindowPlacement::Beside side = WindowPlacement::beside(
            parent->frameGeometry(), size().grownBy(frame), screen->availableGeometry(), 8);
        if (side.anchor != parent->frameGeometry()) {
            WindowPlacement::settle(parent);
            parent->move(side.anchor.topLeft());
        }
        resize(side.window.size().shrunkBy(frame));
        const QPoint topLeft = side.window.topLeft();
        move(framed ? topLeft : topLeft + QPoint(frame.left(), frame.top()));
    });
}
