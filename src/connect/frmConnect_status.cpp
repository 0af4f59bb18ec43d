// The status poll and the manual relay and dimmer commands.
#include "CommTexts.h"
#include "ConnectColours.h"
#include "ModelFit.h"
#include "StatusReply.h"
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
    showStatus(status);
    showModelRows(status.fourChannel);
    Q_EMIT statusRead(m_comm.LastReply, QDateTime::currentMSecsSinceEpoch());
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
    // Nothing else to do on success: the next poll shows the new state.
    if (!m_comm.Transact(Frames::relayCommand(relay, on), Frames::AckLength, Frames::ShortLimit))
        communicationsFailure(QStringLiteral("did not take the command"));
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
