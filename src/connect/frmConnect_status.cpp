// The status poll and the manual relay and dimmer commands.
#include "CommTexts.h"
#include "ConnectColours.h"
#include "ModelFit.h"
#include "StatusReply.h"
#include "frmActivity.h"
#include "frmConnect.h"

#include "Prompts.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace
{
constexpr int RelayLabel = 0;
constexpr int Station1Com = 4;
constexpr int Station2Com = 11;
constexpr int HardwireLabel = 18;
constexpr int LevelLabel = 22;
constexpr int PhotocellInputLabel = 24;
constexpr int DimmerLabel = 32;
} // namespace

void frmConnect::Timer1_Timer()
{
    if (!m_comm.Transact(Frames::statusCommand(), Frames::StatusLength, Frames::ShortLimit)) {
        communicationsFailure(QStringLiteral("could not be read"));
        return;
    }
    const ControllerStatus status = DecodeStatus(m_comm.LastReply);
    m_lastStatus = status;
    showStatus(status);
    showModelRows(status.fourChannel);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    bool changed = false;
    m_site.feed(status, now, m_doc, &changed);
    Q_EMIT statusRead(m_comm.LastReply, now);
    if (changed)
        Q_EMIT liveChanged();
}

void frmConnect::showOnOff(int index, bool on)
{
    lblStatus[index]->setText(on ? QStringLiteral("On") : QStringLiteral("Off"));
    ConnectColours::paint(lblStatus[index], on ? ConnectColours::On : ConnectColours::Off);
}

void frmConnect::showStatus(const ControllerStatus &s)
{
    for (int k = 0; k < 4; ++k) {
        showOnOff(HardwireLabel + k, s.hardwired[k]);
        showOnOff(RelayLabel + k, s.relays[k]);
        lblStatus[DimmerLabel + k]->setText(QString::number(s.dimmers[k]));
    }
    const std::array<int, 2> comLabels{Station1Com, Station2Com};
    for (int station = 0; station < 2; ++station) {
        const bool answering = s.stationCommunicating[station];
        QLabel *com = lblStatus[comLabels[station]];
        com->setText(answering ? QStringLiteral("Yes") : QStringLiteral("No"));
        ConnectColours::paint(com, answering ? ConnectColours::On : ConnectColours::NotAnswering);
        for (int k = 0; k < 6; ++k)
            showOnOff(comLabels[station] + 1 + k, s.stationSwitch[station][k]);
    }
    for (int p = 0; p < 2; ++p) {
        lblStatus[LevelLabel + p]->setText(QString::number(s.photocellLevel[p]));
        for (int l = 0; l < 4; ++l)
            showOnOff(PhotocellInputLabel + 4 * p + l, s.photocellInput[p][l]);
    }
    lblStatus[NodeIndex]->setText(s.node);
    lblStatus[NodeIndex + 1]->setText(s.firmwareText());
    lblStatus[NodeIndex + 2]->setText(s.modelText());
}

// The two-channel model has no third and fourth outputs; their labels are still written.
void frmConnect::showModelRows(bool fourChannel)
{
    // The programming may drive outputs this model lacks: said beside the verify result.
    const QString note = fourChannel ? QString() : ModelFit::missingOnMX2Note(m_doc);
    if (note != m_modelNote) {
        m_modelNote = note;
        showNotes();
    }
    for (int k : {2, 3}) {
        for (int index : {RelayLabel + k, DimmerLabel + k}) {
            lblStatusName[index]->setVisible(fourChannel);
            lblStatus[index]->setVisible(fourChannel);
        }
        cmdRlyOff[k]->setVisible(fourChannel);
        cmdRlyOn[k]->setVisible(fourChannel);
        for (QPushButton *button : cmdDim[k])
            button->setVisible(fourChannel);
    }
}

void frmConnect::cmdRly_Click(int relay, bool on)
{
    if (relay < 0 || relay > 3)
        return;
    handDriven(24 + relay);
    // Nothing else to do on success: the next poll shows the new state.
    if (!m_comm.Transact(Frames::relayCommand(relay, on), Frames::AckLength, Frames::ShortLimit))
        communicationsFailure(QStringLiteral("did not take the command"));
}

void frmConnect::identify(int subject)
{
    if (!m_connected || !m_lastStatus || !m_identifySteps.isEmpty() || subject < 24 || subject > 31)
        return;
    if (subject % 4 > 1 && !m_lastStatus->fourChannel) {
        m_prompts.message(QStringLiteral("Identify"),
                          QStringLiteral("The controller is an MX-2: it has relays 1 and 2 and "
                                         "dimmers 1 and 2 only."),
                          Prompts::Icon::Information);
        return;
    }
    if (subject >= 28 && !CommTexts::dimmersControllable(m_lastStatus->node)) {
        m_prompts.message(QString(), CommTexts::networkedDimmers(), Prompts::Icon::NoIcon);
        return;
    }
    m_identifySteps = Identify::steps(subject, Identify::levelOf(*m_lastStatus, subject));
    m_identifyStartMs = QDateTime::currentMSecsSinceEpoch();
    if (m_activity)
        m_activity->setIdentifying(true);
    identifyStep();
}

// One step now, the next when it is due.
void frmConnect::identifyStep()
{
    if (m_identifySteps.isEmpty() || !m_connected)
        return;
    const Identify::Step step = m_identifySteps.takeFirst();
    handDriven(step.subject);
    if (!m_comm.Transact(step.command, Frames::AckLength, Frames::ShortLimit)) {
        m_identifySteps.clear();
        endIdentify();
        communicationsFailure(QStringLiteral("did not take the command"));
        return;
    }
    if (m_identifySteps.isEmpty()) {
        endIdentify();
        return;
    }
    const qint64 due = m_identifyStartMs + m_identifySteps.first().atMs;
    m_identifyTimer->start(int(std::max<qint64>(0, due - QDateTime::currentMSecsSinceEpoch())));
}

void frmConnect::endIdentify()
{
    m_identifyTimer->stop();
    if (m_activity)
        m_activity->setIdentifying(false);
}

// The next change of that output is the hand's, not an input's, wherever events are read.
void frmConnect::handDriven(int subject)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    m_site.handDriven(subject, now);
    if (m_activity)
        m_activity->handDriven(subject, now);
}

// The leading decimal number of the label, 0 when it starts with none (the "-" before the
// first answer).
int frmConnect::shownLevel(int dimmer) const
{
    const QString text = lblStatus[DimmerLabel + dimmer]->text();
    int digits = 0;
    while (digits < text.size() && digits < 9 && text.at(digits).isDigit())
        ++digits;
    return digits == 0 ? 0 : text.left(digits).toInt();
}

void frmConnect::cmdDim_Click(int dimmer, int step)
{
    if (dimmer < 0 || dimmer > 3)
        return;
    if (!CommTexts::dimmersControllable(lblStatus[NodeIndex]->text())) {
        m_prompts.message(QString(), CommTexts::networkedDimmers(), Prompts::Icon::NoIcon);
        return;
    }
    const int level = std::clamp(shownLevel(dimmer) + step, 0, 255);
    handDriven(28 + dimmer);
    if (!m_comm.Transact(Frames::dimmerCommand(dimmer, level), Frames::AckLength,
                         Frames::ShortLimit))
        communicationsFailure(QStringLiteral("did not take the command"));
}

// Every failed exchange here is final for the window: no retry, the port and the window close.
void frmConnect::communicationsFailure(const QString &what)
{
    // The poll stops before the message box, whose own event loop would otherwise keep
    // polling a line that has just failed.
    shutDown();
    // Beside the box, whose text stays as it is: where the line failed, why, and what to
    // check. The status frame covers the port's own place, so the reason takes the room of the
    // notes and the differences, which mean nothing on a lost line.
    const int position = cboComPort->currentIndex();
    QString reason = CommTexts::unreachable(
        CommTexts::where(cboComPort->currentText(), m_comm.port().deviceName(position + 1)), what,
        m_comm.LastFailure);
    reason[0] = reason[0].toUpper();
    lblNotes->hide();
    cmdDifferences->hide();
    lblPortError->setGeometry(twips(120, 5010, 5400, 990));
    lblPortError->setText(reason);
    lblPortError->show();
    m_prompts.message(CommTexts::communicationsErrorTitle(), CommTexts::unableToConnect(),
                      Prompts::Icon::Critical);
    close();
}
