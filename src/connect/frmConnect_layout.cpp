// The window's controls, placed at their twip positions; nothing here talks to the port.
#include "ConnectColours.h"
#include "frmConnect.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace
{
constexpr int WindowWidth = 6735;
// Room below the result label for the buttons that list the differences, the backups and the
// activity, and for the notes beside them.
constexpr int WindowHeight = 6015;
constexpr int LabelHeight = 255;
constexpr int SmallButtonHeight = 240;
constexpr int PortCount = 8;

// Relays and dimmers: one row each.
constexpr int outputRowTop(int n) { return 300 + 300 * n; }
// Station, hardwire and photocell frames: "In" rows every 240 from 600.
constexpr int inputRowTop(int n) { return 600 + 240 * n; }
} // namespace

QRect frmConnect::twips(int left, int top, int width, int height)
{
    constexpr int perPixel = 15;
    return {left / perPixel, top / perPixel, width / perPixel, height / perPixel};
}

void frmConnect::Form_Load()
{
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("Connect"));
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    setFixedSize(twips(0, 0, WindowWidth, WindowHeight).size());

    cboComPort = new QComboBox(this);
    cboComPort->setObjectName(QStringLiteral("cboComPort"));
    cboComPort->setGeometry(twips(240, 240, 855, 315));
    cboComPort->clear();
    for (int n = 1; n <= PortCount; ++n)
        cboComPort->addItem(QStringLiteral("COM%1").arg(n));
    // The list keeps its narrow place; a slimmer arrow and less padding leave the whole name
    // ("COM1", not "COM]") readable at the window's font.
    cboComPort->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 3px; }"
                                             "QComboBox::drop-down { width: 12px; }"));
    cmdConnect = makeButton(this, QStringLiteral("cmdConnect"), QStringLiteral("Connect"),
                            twips(1200, 240, 855, 315));
    lblDevice = new QLabel(this);
    lblDevice->setObjectName(QStringLiteral("lblDevice"));
    lblDevice->setGeometry(twips(2160, 240, 4455, 315));
    lblPortError = new QLabel(this);
    lblPortError->setObjectName(QStringLiteral("lblPortError"));
    lblPortError->setGeometry(twips(240, 660, 6375, 735));
    lblPortError->setWordWrap(true);
    lblPortError->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPortError->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    lblPortError->hide();

    buildStatusFrame();

    cmdDownload = makeButton(this, QStringLiteral("cmdDownload"),
                             QStringLiteral("Send Settings To OV-2"), twips(120, 4560, 1815, 375));
    cmdUpload = makeButton(this, QStringLiteral("cmdUpload"),
                           QStringLiteral("Get Settings From OV-2"), twips(2040, 4560, 1815, 375));
    // The long captions of the transfer buttons fit their fixed width in a smaller size.
    for (QPushButton *button : {cmdDownload, cmdUpload}) {
        QFont fitted = button->font();
        while (fitted.pixelSize() > 8 &&
               QFontMetrics(fitted).horizontalAdvance(button->text()) > button->width() - 8)
            fitted.setPixelSize(fitted.pixelSize() - 1);
        button->setFont(fitted);
    }
    lblVerify = new QLabel(this);
    lblVerify->setObjectName(QStringLiteral("lblVerify"));
    lblVerify->setGeometry(twips(4200, 4500, 1215, 495));
    lblVerify->setAlignment(Qt::AlignCenter);
    lblVerify->setWordWrap(true);
    ConnectColours::paint(lblVerify, ConnectColours::VerifyBackground);
    cmdDifferences = makeButton(this, QStringLiteral("cmdDifferences"),
                                QStringLiteral("Differences…"), twips(4200, 5040, 1215, 375));
    lblNotes = new QLabel(this);
    lblNotes->setObjectName(QStringLiteral("lblNotes"));
    lblNotes->setGeometry(twips(120, 5010, 3975, 855));
    lblNotes->setWordWrap(true);
    lblNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("Close"),
                          twips(5640, 4560, 975, 375));
    cmdBackups = makeButton(this, QStringLiteral("cmdBackups"), QStringLiteral("Backups…"),
                            twips(5640, 5040, 975, 375));
    cmdBackups->setToolTip(
        QStringLiteral("Open a copy of a controller's settings kept at Connect"));
    cmdActivity = makeButton(this, QStringLiteral("cmdActivity"), QStringLiteral("Activity…"),
                             twips(5640, 5520, 975, 375));
    cmdActivity->setToolTip(QStringLiteral("List what the controller's inputs and outputs do"));
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             frmStatus, cmdDownload, cmdUpload, lblVerify, cmdDifferences, lblNotes, cmdActivity})
        hidden->hide();

    m_identifyTimer = new QTimer(this);
    m_identifyTimer->setSingleShot(true);
    connect(m_identifyTimer, &QTimer::timeout, this, &frmConnect::identifyStep);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(PollIntervalMs);
    // Ticks that fall due during a blocking exchange collapse into one.
    Timer1->setTimerType(Qt::CoarseTimer);

    connect(cboComPort, &QComboBox::activated, this, &frmConnect::cboComPort_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &frmConnect::cmdConnect_Click);
    connect(cmdDownload, &QPushButton::clicked, this, &frmConnect::cmdDownload_Click);
    connect(cmdUpload, &QPushButton::clicked, this, &frmConnect::cmdUpload_Click);
    connect(cmdDifferences, &QPushButton::clicked, this, &frmConnect::cmdDifferences_Click);
    connect(cmdBackups, &QPushButton::clicked, this, &frmConnect::cmdBackups_Click);
    connect(cmdActivity, &QPushButton::clicked, this, &frmConnect::cmdActivity_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmConnect::cmdClose_Click);
    connect(Timer1, &QTimer::timeout, this, &frmConnect::Timer1_Timer);
}

void frmConnect::buildStatusFrame()
{
    frmStatus = makeFrame(this, "frmStatus", QStringLiteral("Status"), twips(240, 120, 6495, 4335));
    // Left at 120, over the port list and the Connect button, which it replaces when connected.
    frmStatus->move(twips(120, 120, 0, 0).topLeft());
    buildStatusLabels();
}

QGroupBox *frmConnect::makeFrame(QWidget *parent, const char *name, const QString &caption,
                                 const QRect &rect)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(rect);
    return frame;
}

QPushButton *frmConnect::makeButton(QWidget *parent, const QString &name, const QString &caption,
                                    const QRect &rect)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

void frmConnect::makeStatusPair(int index, const QString &caption, const StatusRow &row)
{
    auto *name = new QLabel(caption, row.frame);
    name->setObjectName(QStringLiteral("lblStatusName(%1)").arg(index));
    name->setGeometry(twips(row.captionLeft, row.top, row.captionWidth, LabelHeight));
    ConnectColours::paint(name, ConnectColours::Caption);
    lblStatusName[index] = name;

    auto *value = new QLabel(QStringLiteral("-"), row.frame);
    value->setObjectName(QStringLiteral("lblStatus(%1)").arg(index));
    value->setGeometry(twips(row.valueLeft, row.top, row.valueWidth, LabelHeight));
    value->setAlignment(Qt::AlignCenter);
    ConnectColours::paint(value, ConnectColours::startColour(index));
    lblStatus[index] = value;
}

void frmConnect::buildStatusLabels()
{
    auto *relays =
        makeFrame(frmStatus, "frmRelays", QStringLiteral("Relays"), twips(120, 240, 2415, 1575));
    auto *dimmers =
        makeFrame(frmStatus, "frmDimmers", QStringLiteral("Dimmers"), twips(2640, 240, 3735, 1575));
    auto *station1 = makeFrame(frmStatus, "frmTamberline01", QStringLiteral("Tamberline 01"),
                               twips(120, 1920, 1215, 2175));
    auto *station2 = makeFrame(frmStatus, "frmTamberline02", QStringLiteral("Tamberline 02"),
                               twips(1320, 1920, 1215, 2175));
    auto *hardwire = makeFrame(frmStatus, "frmHarwire", QStringLiteral("Hardwire Inputs"),
                               twips(2520, 1920, 1455, 1695));
    auto *pc1 = makeFrame(frmStatus, "frmPC1", QStringLiteral("Photocell 1"),
                          twips(3960, 1920, 1215, 1695));
    auto *pc2 =
        makeFrame(frmStatus, "frmPC2", QStringLiteral("Photocell2"), twips(5160, 1920, 1215, 1695));

    for (int r = 0; r < 4; ++r) {
        makeStatusPair(r, QStringLiteral("Relay %1").arg(r + 1),
                       {relays, 120, 735, 840, 450, outputRowTop(r)});
        makeStatusPair(32 + r, QStringLiteral("Dimmer %1").arg(r + 1),
                       {dimmers, 240, 855, 1080, 450, outputRowTop(r)});
        makeStatusPair(18 + r, QStringLiteral("Input %1").arg(r + 1),
                       {hardwire, 120, 705, 840, 495, inputRowTop(r)});
    }
    const std::array<QGroupBox *, 2> stations{station1, station2};
    const std::array<QGroupBox *, 2> photocells{pc1, pc2};
    for (int s = 0; s < 2; ++s) {
        makeStatusPair(4 + 7 * s, QStringLiteral("Com"), {stations[s], 120, 465, 600, 495, 360});
        for (int k = 0; k < 6; ++k)
            makeStatusPair(5 + 7 * s + k, QStringLiteral("In %1").arg(k + 1),
                           {stations[s], 120, 465, 600, 495, inputRowTop(k)});
        makeStatusPair(22 + s, QStringLiteral("Level"), {photocells[s], 120, 465, 600, 495, 360});
        for (int l = 0; l < 4; ++l)
            makeStatusPair(24 + 4 * s + l, QStringLiteral("In %1").arg(l + 1),
                           {photocells[s], 120, 465, 600, 495, inputRowTop(l)});
    }
    const std::array<QString, 3> deviceCaptions{QStringLiteral("Node"), QStringLiteral("Firmware"),
                                                QStringLiteral("Hardware")};
    for (int n = 0; n < 3; ++n) {
        const int left = 2760 + 1200 * n;
        makeStatusPair(NodeIndex + n, deviceCaptions[n], {frmStatus, left, 975, left, 975, 3720});
        lblStatus[NodeIndex + n]->setGeometry(twips(left, 3960, 975, LabelHeight));
    }
    buildRelayButtons(relays);
    buildDimmerButtons(dimmers);
}

void frmConnect::buildRelayButtons(QGroupBox *frame)
{
    for (int r = 0; r < 4; ++r) {
        const int top = outputRowTop(r);
        cmdRlyOff[r] = makeButton(frame, QStringLiteral("cmdRly%1Off").arg(r + 1),
                                  QStringLiteral("Off"), twips(1320, top, 465, SmallButtonHeight));
        cmdRlyOn[r] = makeButton(frame, QStringLiteral("cmdRly%1On").arg(r + 1),
                                 QStringLiteral("On"), twips(1800, top, 465, SmallButtonHeight));
        connect(cmdRlyOff[r], &QPushButton::clicked, this, [this, r] { cmdRly_Click(r, false); });
        connect(cmdRlyOn[r], &QPushButton::clicked, this, [this, r] { cmdRly_Click(r, true); });
    }
}

void frmConnect::buildDimmerButtons(QGroupBox *frame)
{
    static constexpr std::array<int, 4> steps{-16, -1, 1, 16};
    static constexpr std::array<const char *, 4> suffixes{"DnB", "Dn", "Up", "UpB"};
    for (int d = 0; d < 4; ++d) {
        const int top = outputRowTop(d);
        for (int b = 0; b < 4; ++b) {
            int left = 1560 + 480 * b;
            // The first two dimmers' single steps sit a little to the right.
            if (d < 2 && (b == 1 || b == 2))
                left += 30;
            const int step = steps[b];
            QPushButton *button = makeButton(
                frame, QStringLiteral("cmdDim%1%2").arg(d + 1).arg(QLatin1String(suffixes[b])),
                step > 0 ? QStringLiteral("+%1").arg(step) : QString::number(step),
                twips(left, top, 495, SmallButtonHeight));
            connect(button, &QPushButton::clicked, this,
                    [this, d, step] { cmdDim_Click(d, step); });
            cmdDim[d][b] = button;
        }
    }
}
