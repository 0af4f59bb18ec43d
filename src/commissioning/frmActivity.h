#pragma once

#include "ActivityModel.h"
#include "ConfigTexts.h"
#include "OwnDialogs.h"
#include "SiteEvents.h"
#include "WalkTestModel.h"

#include <QWidget>

class LiveColumn;
class QComboBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

// What the controller's status says happened, while the connection window polls it: the
// events as they come, each input with what the document programs it to do and the outputs
// that followed, and the walk test that checks every input on site. A window of its own beside
// the connection window, never blocking its poll; it lives and closes with that window.
class frmActivity : public QWidget
{
    Q_OBJECT

public:
    frmActivity(const modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
                QWidget *parent);

    const ActivityModel &events() const { return m_events; }
    WalkTestModel &walkTest() { return *m_walk; }

public Q_SLOTS:
    // Each status reply the poll read, at its time in milliseconds since the epoch.
    void addReply(const QByteArray &reply, qint64 timeMs);
    void addEvents(const QList<StatusEvent> &events);
    // What the controller was confirmed to hold (after Connect, a download), or nothing known.
    void setControllerImage(const std::optional<modOVMXConfig::Image> &image);
    // The installer drove an output from the tool: its next change is no input's doing.
    void handDriven(int subject, qint64 timeMs);
    // Before the connection closes: the moves under way are given and a record holding
    // anything new is offered for keeping. False when the user cancels (only where
    // `cancellable`) or keeping it failed: the walk goes on.
    bool settleRecord(bool cancellable);
    // The poll has ended for good: the record is settled if it was not, and the window closes.
    void connectionClosed();

    void cmdPause_Click();
    void cmdClear_Click();
    void cboFilter_Click();
    void cmdSaveAs_Click();
    bool cmdSaveRecord_Click();
    bool cmdSaveRecordAs_Click();
    void cmdIdentify_Click();
    // While an output is being identified, no other can be.
    void setIdentifying(bool running);

Q_SIGNALS:
    // Identify the output (24 + relay, 28 + dimmer): the connection window drives it.
    void identifyRequested(int subject);

private:
    // Construction, in frmActivity_layout.cpp.
    QWidget *buildEventsPage();
    QWidget *buildWalkPage();
    QLayout *buildIdentifyBar();
    QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption);
    void placeBesideParent();

    // The walk test's record, in frmActivity_record.cpp.
    void takeUpRecord();
    bool saveRecord(const QString &path);
    void showHeader();
    void showProgress();
    void showController();

    QString programmingOf(int input);
    const ConfigTexts::ScreenTexts &currentTexts();
    void showLive();
    QString besideDataFile(const QString &suffix) const;

    const modOVMXConfig &m_doc;
    // The data file the walk is made for: its record stays beside it whatever is opened later.
    const QString m_walkFile;
    OwnDialogs m_own; // the boxes and dialogs asked for here, handing the activation back
    Prompts &m_prompts = m_own;
    FileDialogs &m_fileDialogs = m_own;
    SiteEvents m_site;
    ActivityModel m_events;
    WalkTestModel *m_walk = nullptr;
    QSortFilterProxyModel *m_shown = nullptr;
    // The grid's texts of the programming the events are described by, and its image.
    ConfigTexts::ScreenTexts m_texts;
    modOVMXConfig::Image m_textsOf{};
    bool m_textsKnown = false;
    // A record of other settings lies beside the data file: Save Record asks where instead.
    bool m_foreignBeside = false;
    bool m_closed = false;
    bool m_settled = false;

    QTabWidget *tabViews = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdClear = nullptr;
    QComboBox *cboFilter = nullptr;
    QPushButton *cmdSaveAs = nullptr;
    QTableView *lstEvents = nullptr;
    QLabel *lblHeader = nullptr;
    QLabel *lblRecord = nullptr;
    QLabel *lblController = nullptr;
    QTableView *lstInputs = nullptr;
    LiveColumn *picLive = nullptr;
    QLabel *lblProgress = nullptr;
    QPushButton *cmdSaveRecord = nullptr;
    QPushButton *cmdSaveRecordAs = nullptr;
    QComboBox *cboIdentify = nullptr;
    QPushButton *cmdIdentify = nullptr;
};
