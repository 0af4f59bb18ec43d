#pragma once

#include "Identify.h"
#include "SiteEvents.h"
#include "modOVMXCommunications.h"
#include "modOVMXConfig.h"

#include <QDialog>
#include <QPointer>

#include <array>
#include <functional>
#include <optional>

#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;
class FileDialogs;
class Prompts;
class frmActivity;
struct ControllerStatus;

// The window through which the user reaches the controller: choose a port, connect (which
// verifies the controller's settings against the document), watch the live status four times
// a second, switch relays and step dimmers by hand, and send or fetch the whole programming.
// The port is open only while the window is connected; any failed exchange closes both, and
// the activity window opened from here with them.
class frmConnect : public QDialog
{
    Q_OBJECT

public:
    static constexpr int StatusCount = 39;
    static constexpr int NodeIndex = 36;
    static constexpr int PollIntervalMs = 250;

    frmConnect(modOVMXConfig &doc, Prompts &prompts, FileDialogs &fileDialogs,
               modOVMXCommunications &comm, QWidget *parent = nullptr);
    ~frmConnect() override;

    // Twips, 1/1440 inch, at 15 to the pixel.
    static QRect twips(int left, int top, int width, int height);

    bool isConnected() const { return m_connected; }
    QTimer *timer() const { return Timer1; }
    // Where the controller's memory is kept when a verify reads it whole and confirmed.
    QString lastBackupPath() const { return m_backupPath; }
    // The input last worked on site and what followed it, for the main window's grid.
    const LiveInput &live() const { return m_site.live(); }
    // What "Backups…" does: the main window opens a kept copy as a data file.
    void setBackupOpener(std::function<void()> opener) { m_openBackup = std::move(opener); }

Q_SIGNALS:
    // After each status read that succeeded: the reply as received and when, in milliseconds
    // since the epoch. The poll's own display and timing do not wait on what listens.
    void statusRead(const QByteArray &reply, qint64 timeMs);
    // The input last worked, or what followed it, changed.
    void liveChanged();

public Q_SLOTS:
    void Form_Activate();
    void cboComPort_Click();
    void cmdConnect_Click();
    void Timer1_Timer();
    void cmdRly_Click(int relay, bool on);   // relay 0-3
    void cmdDim_Click(int dimmer, int step); // dimmer 0-3, step -16, -1, +1 or +16
    void cmdDownload_Click();
    void cmdUpload_Click();
    void cmdDifferences_Click();
    void cmdBackups_Click();
    void cmdActivity_Click();
    // Works the output (24 + relay, 28 + dimmer) so the installer finds its fitting, then puts
    // it back; the poll goes on meanwhile.
    void identify(int subject);
    void cmdClose_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Escape and the window's own closing end here too: the poll stops and the port closes.
    void done(int result) override;

private:
    struct StatusRow {
        QWidget *frame;
        int captionLeft, captionWidth, valueLeft, valueWidth, top;
    };

    // Construction, in frmConnect_layout.cpp.
    void Form_Load();
    void buildStatusFrame();
    void buildStatusLabels();
    void buildRelayButtons(QGroupBox *frame);
    void buildDimmerButtons(QGroupBox *frame);
    QGroupBox *makeFrame(QWidget *parent, const char *name, const QString &caption,
                         const QRect &rect);
    void makeStatusPair(int index, const QString &caption, const StatusRow &row);
    QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
                            const QRect &rect);

    // The status poll's display, in frmConnect_status.cpp.
    void showStatus(const ControllerStatus &s);
    void showOnOff(int index, bool on);
    void showModelRows(bool fourChannel);
    void showNotes();
    int shownLevel(int dimmer) const;
    // `what` failed: "could not be read", "did not take the command".
    void communicationsFailure(const QString &what);
    void handDriven(int subject);
    void identifyStep();
    void endIdentify();

    // Connect and the transfers, in frmConnect_transfer.cpp.
    void showDevice();
    void showConnected();
    void showVerify(bool equal);
    // The controller's memory as far as it is known; none withdraws the differences, saying why.
    void knowController(const std::optional<modOVMXConfig::Image> &memory,
                        const QString &unknownBecause = {});
    void keepBackup();
    bool refuseDamaged();
    modOVMXCommunications::TransferHooks hooksFor(QPushButton *button);
    void shutDown();
    void closeActivity();
    bool releaseActivity();

    modOVMXConfig &m_doc;
    Prompts &m_prompts;
    FileDialogs &m_fileDialogs;
    modOVMXCommunications &m_comm;
    bool m_activated = false;
    bool m_connected = false;
    // The controller's memory as the verify at Connect read and confirmed it, or as the last
    // successful download left it.
    std::optional<modOVMXConfig::Image> m_controllerImage;
    QString m_backupPath;
    std::function<void()> m_openBackup;
    QPointer<frmActivity> m_activity; // one at most, made on the first "Activity…"
    SiteEvents m_site;
    std::optional<ControllerStatus> m_lastStatus;
    QTimer *m_identifyTimer = nullptr;
    QList<Identify::Step> m_identifySteps; // those still to come
    qint64 m_identifyStartMs = 0;
    QString m_unknownBecause, m_sentNote, m_modelNote;

    QComboBox *cboComPort = nullptr;
    QPushButton *cmdConnect = nullptr;
    QLabel *lblDevice = nullptr;
    QLabel *lblPortError = nullptr;
    QGroupBox *frmStatus = nullptr;
    QPushButton *cmdDownload = nullptr;
    QPushButton *cmdUpload = nullptr;
    QLabel *lblVerify = nullptr;
    QPushButton *cmdDifferences = nullptr;
    QLabel *lblNotes = nullptr; // why there are no differences; outputs the model lacks
    QPushButton *cmdBackups = nullptr;
    QPushButton *cmdActivity = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *Timer1 = nullptr;
    std::array<QLabel *, StatusCount> lblStatus{};
    std::array<QLabel *, StatusCount> lblStatusName{};
    std::array<QPushButton *, 4> cmdRlyOff{};
    std::array<QPushButton *, 4> cmdRlyOn{};
    // [dimmer][-16, -1, +1, +16]
    std::array<std::array<QPushButton *, 4>, 4> cmdDim{};
};
