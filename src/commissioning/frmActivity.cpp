// The events as the poll reads them: the list, its pause, filter and file.
#include "frmActivity.h"

#include "DataDirectory.h"
#include "LiveColumn.h"
#include "Prompts.h"
#include "StatusReply.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>

void frmActivity::addReply(const QByteArray &reply, qint64 timeMs)
{
    const ControllerStatus status = DecodeStatus(reply);
    const WalkTest::Header before = m_walk->test().header;
    m_walk->setController(status);
    if (m_walk->test().header != before)
        showHeader();
    bool changed = false;
    addEvents(m_site.feed(status, timeMs, m_doc, &changed));
    if (changed)
        showLive();
}

void frmActivity::addEvents(const QList<StatusEvent> &events)
{
    if (events.isEmpty())
        return;
    const QScrollBar *bar = lstEvents->verticalScrollBar();
    // The list follows the newest event unless the user has scrolled back to read.
    const bool atBottom = bar->value() == bar->maximum();
    for (const StatusEvent &e : events) {
        const bool input = e.kind == EventKind::InputClosed || e.kind == EventKind::InputOpened;
        m_events.append(e, input ? programmingOf(e.input) : QString());
        m_walk->add(e);
    }
    if (atBottom && !m_events.isPaused())
        lstEvents->scrollToBottom();
}

// What the document programs now: it may change under the window (an upload, a backup
// opened), and the list describes each event by the programming it happened under.
QString frmActivity::programmingOf(int input)
{
    return inputProgramming(currentTexts(), input).join(QStringLiteral(", "));
}

const ConfigTexts::ScreenTexts &frmActivity::currentTexts()
{
    if (!m_textsKnown || m_doc.image() != m_textsOf) {
        ConfigTexts::deriveScreenTexts(m_doc, m_texts);
        m_textsOf = m_doc.image();
        m_textsKnown = true;
    }
    return m_texts;
}

void frmActivity::showLive() { picLive->showInput(m_site.live(), currentTexts().cells); }

void frmActivity::setControllerImage(const std::optional<modOVMXConfig::Image> &image)
{
    m_walk->setControllerImage(image);
}

void frmActivity::handDriven(int subject, qint64 timeMs) { m_site.handDriven(subject, timeMs); }

bool frmActivity::settleRecord(bool cancellable)
{
    if (m_settled)
        return true;
    bool changed = false;
    addEvents(m_site.flush(m_doc, &changed));
    if (changed)
        showLive();
    if (m_walk->isChanged()) {
        const QString title = QStringLiteral("Walk Test");
        const QString question = QStringLiteral("Keep the walk test's record?");
        const Prompts::Answer answer = cancellable ? m_prompts.askYesNoCancel(title, question)
                                       : m_prompts.askYesNo(title, question) ? Prompts::Answer::Yes
                                                                             : Prompts::Answer::No;
        if (answer == Prompts::Answer::Cancel ||
            (answer == Prompts::Answer::Yes && !cmdSaveRecord_Click() && cancellable))
            return false;
    }
    m_settled = true;
    return true;
}

void frmActivity::connectionClosed()
{
    if (std::exchange(m_closed, true))
        return;
    settleRecord(false);
    close();
}

void frmActivity::cmdIdentify_Click()
{
    Q_EMIT identifyRequested(cboIdentify->currentData().toInt());
}

void frmActivity::setIdentifying(bool running)
{
    cmdIdentify->setEnabled(!running);
    cboIdentify->setEnabled(!running);
}

void frmActivity::cmdPause_Click()
{
    m_events.setPaused(!m_events.isPaused());
    cmdPause->setText(m_events.isPaused() ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    if (!m_events.isPaused())
        lstEvents->scrollToBottom();
}

void frmActivity::cmdClear_Click() { m_events.clear(); }

void frmActivity::cboFilter_Click()
{
    const int subject = cboFilter->currentData().toInt();
    m_shown->setFilterRegularExpression(subject < 0 ? QString()
                                                    : QStringLiteral("^%1$").arg(subject));
}

void frmActivity::cmdSaveAs_Click()
{
    const QString path = m_fileDialogs.getSaveFileName(
        besideDataFile(QStringLiteral(".activity.csv")),
        QStringLiteral("Comma-Separated Values (*.csv);;All Files (*)"));
    if (path.isEmpty())
        return;
    const modOVMXConfig::FileResult result =
        modOVMXConfig::writeBytes(path, ActivityModel::csv(*m_shown));
    if (!result.ok)
        m_prompts.message(QStringLiteral("Error"), result.error, Prompts::Icon::Critical);
}

// "site.OMX" and ".activity.csv" give "site.activity.csv" in the same folder; a configuration
// never saved proposes the folder of the data files.
QString frmActivity::besideDataFile(const QString &suffix) const
{
    const bool named = m_walkFile != QLatin1String("None");
    const QFileInfo file(named ? m_walkFile : DataDirectory::path() + QStringLiteral("/site"));
    return QDir::toNativeSeparators(file.dir().filePath(file.completeBaseName() + suffix));
}
