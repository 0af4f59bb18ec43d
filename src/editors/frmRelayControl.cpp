#include "frmRelayControl.h"

#include "OptionTexts.h"
#include "Prompts.h"
#include "modOVMXConfig.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace
{

// One option button every 360 twips.
constexpr int OptionPitch = 24;
// Close actions from here on cannot be combined with holding the relay's status.
constexpr int FirstUnholdableAction = 3;

bool isSequence(int action) { return action == 10 || action == 11; }

} // namespace

frmRelayControl::frmRelayControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent)
    : CellEditor(doc, prompts, parent), m_closeGroup(new QButtonGroup(this)),
      m_openGroup(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Relay Control"));
    frmInputCloses = buildOptionFrame("frmInputCloses", QStringLiteral("When Input Closes"),
                                      "optControlClose", CloseOptionCount, m_closeGroup);
    frmInputOpens = buildOptionFrame("frmInputOpens", QStringLiteral("When Input Opens"),
                                     "optControlOpen", OpenOptionCount, m_openGroup);

    chkOverride = new QCheckBox(QStringLiteral("Hold Status While Closed"), this);
    chkOverride->setObjectName(QStringLiteral("chkOverride"));
    lblTimedOn = new QLabel(QStringLiteral("Timed On"), this);
    lblTimedOn->setObjectName(QStringLiteral("lblTimedOn"));
    cboTimedOn = new QComboBox(this);
    cboTimedOn->setObjectName(QStringLiteral("cboTimedOn"));
    cboTimedOn->setMaxVisibleItems(20);
    lblSeq = new QLabel(QStringLiteral("2/4 Step Sequences Use The Following Relay Pairs "
                                       "1(A) - 2(B)  Or 3(A) - 4(B)"),
                        this);
    lblSeq->setObjectName(QStringLiteral("lblSeq"));
    lblSeq->setWordWrap(true);
    QSizePolicy seqPolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    seqPolicy.setRetainSizeWhenHidden(true);
    lblSeq->setSizePolicy(seqPolicy);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto *timed = new QHBoxLayout;
    timed->addWidget(lblTimedOn);
    timed->addWidget(cboTimedOn);
    timed->addStretch();
    auto *grid = new QGridLayout(this);
    grid->addWidget(lblMapDef(), 0, 0, 1, 2);
    grid->addWidget(frmInputCloses, 1, 0, Qt::AlignTop);
    grid->addWidget(frmInputOpens, 1, 1, Qt::AlignTop);
    grid->addWidget(chkOverride, 2, 0);
    grid->addLayout(timed, 3, 0);
    grid->addWidget(lblSeq, 2, 1, 2, 1);
    grid->addWidget(cmdClose, 4, 1, Qt::AlignRight);

    connect(m_closeGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optControlClose_Click(id);
    });
    connect(m_openGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optControlOpen_Click(id);
    });
    connect(chkOverride, &QCheckBox::toggled, this, &frmRelayControl::chkOverride_Click);
    connect(cboTimedOn, &QComboBox::currentIndexChanged, this, &frmRelayControl::cboTimedOn_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    // Form_Load: the list is filled under the guard, so its first selection stores nothing.
    LoadGuard = true;
    cboTimedOn->addItems(OptionTexts::timedOnEntries());
    cboTimedOn->setCurrentIndex(-1);
    adjustSize();
    centreOverParent();
}

QGroupBox *frmRelayControl::buildOptionFrame(const char *name, const QString &caption,
                                             const char *buttonName, int count, QButtonGroup *group)
{
    auto *frame = new QGroupBox(caption, this);
    frame->setObjectName(QLatin1String(name));
    auto *column = new QVBoxLayout(frame);
    column->setSpacing(0);
    for (int index = 0; index < count; ++index) {
        auto *option = new QRadioButton(*OptionTexts::relayActionText(index), frame);
        option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(buttonName)).arg(index));
        option->setFixedHeight(OptionPitch);
        group->addButton(option, index);
        column->addWidget(option, 0, Qt::AlignLeft);
    }
    return frame;
}

int frmRelayControl::input() const { return m_doc.SelInput; }

int frmRelayControl::relay() const { return m_doc.SelRelay; }

void frmRelayControl::selectOption(QButtonGroup *group, int index, int count)
{
    // A code without a button (from a file or an upload) leaves every button clear.
    if (index >= 0 && index < count)
        group->button(index)->setChecked(true);
}

void frmRelayControl::Form_Activate()
{
    const int i = input(), r = relay();
    selectOption(m_closeGroup, m_doc.GetRelayCloseAction(i, r), CloseOptionCount);
    selectOption(m_openGroup, m_doc.GetRelayOpenAction(i, r), OpenOptionCount);
    chkOverride->setChecked(m_doc.GetRelayHoldStatus(i, r));
    const int timedOn = m_doc.GetRelayTimedOn(i, r);
    cboTimedOn->setCurrentIndex(timedOn >= 0 && timedOn < TimedOnCount ? timedOn : -1);
    InClsOptions();
    LoadGuard = false;
    SeqNote();
}

void frmRelayControl::optControlClose_Click(int Index)
{
    if (LoadGuard)
        return;
    m_doc.SetRelayCloseAction(input(), relay(), Index);
    SeqNote();
}

void frmRelayControl::optControlOpen_Click(int Index)
{
    if (LoadGuard)
        return;
    m_doc.SetRelayOpenAction(input(), relay(), Index);
}

void frmRelayControl::cboTimedOn_Click()
{
    if (LoadGuard || cboTimedOn->currentIndex() < 0)
        return;
    m_doc.SetRelayTimedOn(input(), relay(), cboTimedOn->currentIndex());
}

void frmRelayControl::chkOverride_Click()
{
    if (LoadGuard)
        return;
    const int i = input(), r = relay();
    if (chkOverride->isChecked() && m_doc.GetRelayCloseAction(i, r) >= FirstUnholdableAction) {
        m_prompts.message(
            QStringLiteral("Error"),
            QStringLiteral("Hols Status Is Only Available For None, Turn Off Relay, and Turn On "
                           "Relay\r\nInput Close Action Has Been Cleared"),
            Prompts::Icon::Critical);
        // Selecting None raises its click only when it was not selected already; the close
        // action must be cleared either way.
        if (m_closeGroup->button(0)->isChecked())
            optControlClose_Click(0);
        else
            m_closeGroup->button(0)->setChecked(true);
    }
    InClsOptions();
    m_doc.SetRelayHoldStatus(i, r, chkOverride->isChecked());
    SeqNote();
}

void frmRelayControl::InClsOptions()
{
    for (int index = FirstUnholdableAction; index < CloseOptionCount; ++index)
        m_closeGroup->button(index)->setEnabled(!chkOverride->isChecked());
}

void frmRelayControl::SeqNote()
{
    lblSeq->setVisible(isSequence(m_doc.GetRelayCloseAction(input(), relay())));
}
