#pragma once

#include "ActivityModel.h"
#include "ConfigTexts.h"
#include "EventCoalescer.h"
#include "OwnDialogs.h"
#include "WalkTestModel.h"

#include <QWidget>

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
    // The poll has ended for good: the moves under way are given, the record is offered for
    // keeping when it holds anything new, and the window closes.
    void connectionClosed();

    void cmdPause_Click();
    void cmdClear_Click();
    void cboFilter_Click();
    void cmdSaveAs_Click();
    bool cmdSaveRecord_Click();
    bool cmdSaveRecordAs_Click();

private:
    // Construction, in frmActivity_layout.cpp.
    QWidget *buildEventsPage();
    QWidget *buildWalkPage();
    QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption);
    void placeBesideParent();

    // The walk test's record, in frmActivity_record.cpp.
    void takeUpRecord();
    bool saveRecord(const QString &path);
    void showHeader();
    void showProgress();

    QString programmingOf(int input);
    QString besideDataFile(const QString &suffix) const;

    const modOVMXConfig &m_doc;
    OwnDialogs m_own; // the boxes and dialogs asked for here, handing the activation back
    Prompts &m_prompts = m_own;
    FileDialogs &m_fileDialogs = m_own;
    EventCoalescer m_coalescer;
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

    QTabWidget *tabViews = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdClear = nullptr;
    QComboBox *cboFilter = nullptr;
    QPushButton *cmdSaveAs = nullptr;
    QTableView *lstEvents = nullptr;
    QLabel *lblHeader = nullptr;
    QLabel *lblRecord = nullptr;
    QTableView *lstInputs = nullptr;
    QLabel *lblProgress = nullptr;
    QPushButton *cmdSaveRecord = nullptr;
    QPushButton *cmdSaveRecordAs = nullptr;
};
