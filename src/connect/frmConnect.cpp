// The window's life: loading, the port list, and closing with the port.
#include "frmConnect.h"

#include "PortMap.h"
#include "Prompts.h"
#include "SettingsLists.h"
#include "frmActivity.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

frmConnect::frmConnect(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
                       modOVMXCommunications &comm, QWidget *parent)
    : QDialog(parent), m_doc(doc), m_prompts(prompts), m_fileDialogs(fileDialogs), m_comm(comm)
{
    Form_Load();
    SettingsLists::centreOver(this, parent);
}

frmConnect::~frmConnect()
{
    shutDown();
    closeActivity();
}

void frmConnect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmConnect::Form_Activate()
{
    const int stored = m_doc.GetComPort();
    // A file written elsewhere may hold a port the list does not have: COM1 stands in for it,
    // as in a new configuration, and the value is named so the user knows what was replaced.
    const bool listed = stored >= 0 && stored < cboComPort->count();
    cboComPort->setCurrentIndex(listed ? stored : 0);
    // The program's selection counts as the user's choice.
    cboComPort_Click();
    if (!listed) {
        lblPortError->setText(QStringLiteral("The port setting holds %1, which is none of COM1 to "
                                             "COM8 (0 to 7): COM1 is chosen instead.")
                                  .arg(stored));
        lblPortError->show();
    }
}

void frmConnect::cboComPort_Click()
{
    const int position = cboComPort->currentIndex();
    if (position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetComPort(position);
    cmdConnect->setEnabled(true);
    lblPortError->hide();
    showDevice();
}

void frmConnect::showDevice()
{
    const int position = cboComPort->currentIndex();
    lblDevice->setText(position < 0 ? QString() : m_comm.port().deviceName(position + 1));
}

// A window of its own, not modal: the poll goes on while it is open, and feeds it.
void frmConnect::cmdActivity_Click()
{
    if (!m_activity) {
        m_activity = new frmActivity(m_doc, m_prompts, m_fileDialogs, this);
        m_activity->setControllerImage(m_controllerImage);
        connect(this, &frmConnect::statusRead, m_activity.get(), &frmActivity::addReply);
        connect(m_activity.get(), &frmActivity::identifyRequested, this, &frmConnect::identify);
    }
    m_activity->show();
    m_activity->raise();
    m_activity->activateWindow();
}

void frmConnect::cmdClose_Click() { close(); }

void frmConnect::closeEvent(QCloseEvent *event)
{
    if (!releaseActivity()) {
        event->ignore();
        return;
    }
    shutDown();
    closeActivity();
    QDialog::closeEvent(event);
}

void frmConnect::done(int result)
{
    if (!releaseActivity())
        return;
    shutDown();
    closeActivity();
    QDialog::done(result);
}

// The walk test's record is settled before anything closes; while still connected the user
// may cancel and go on walking. The poll stops behind the question, as behind every box here:
// failing there, it would close the window under the user.
bool frmConnect::releaseActivity()
{
    if (!m_activity)
        return true;
    Timer1->stop();
    if (m_activity->settleRecord(m_connected))
        return true;
    if (m_connected)
        Timer1->start();
    return false;
}

// After the poll has stopped and any failure was reported, so the question about the walk
// test's record comes last.
void frmConnect::closeActivity()
{
    if (m_activity)
        m_activity->connectionClosed();
}

void frmConnect::shutDown()
{
    Timer1->stop();
    // An output being identified is put back before the port closes, as far as the line lets.
    if (!m_identifySteps.isEmpty() && m_comm.PortOpen())
        m_comm.Transact(m_identifySteps.last().command, Frames::AckLength, Frames::ShortLimit);
    m_identifySteps.clear();
    endIdentify();
    if (m_comm.PortOpen())
        m_comm.ClosePort();
    m_connected = false;
}
