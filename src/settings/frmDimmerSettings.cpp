#include "frmDimmerSettings.h"

#include "OptionTexts.h"
#include "SettingsLists.h"
#include "modOVMXConfig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
QList<QComboBox *> listsOf(const std::array<QComboBox *, 4> &lists)
{
    return {lists.begin(), lists.end()};
}
} // namespace

frmDimmerSettings::frmDimmerSettings(modOVMXConfig &doc, Prompts &, QWidget *parent)
    : QDialog(parent), m_doc(doc)
{
    buildControls();
    LoadGuard = true;
    fillLists();
    selectStored();
    LoadGuard = false;
    SettingsLists::centreOver(this, parent);
}

void frmDimmerSettings::buildControls()
{
    setObjectName(QStringLiteral("frmDimmerSettings"));
    setWindowTitle(QStringLiteral("Dimmer Settings"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *frames = new QHBoxLayout;
    layout->addLayout(frames);
    for (int d = 0; d < 4; ++d) {
        m_frames[d] = new QGroupBox(QStringLiteral("Dimmer %1").arg(d + 1), this);
        m_frames[d]->setObjectName(QStringLiteral("frmDim%1").arg(d + 1));
        new QVBoxLayout(m_frames[d]);
        frames->addWidget(m_frames[d]);
        cboDimPowerOn[d] = addList(m_frames[d], "cboDimPowerOn", d);
        cboDimMinLevel[d] = addList(m_frames[d], "cboDimMinLevel", d);
        cboDimMaxLevel[d] = addList(m_frames[d], "cboDimMaxLevel", d);
        cboDimFadeRate[d] = addList(m_frames[d], "cboDimFadeRate", d);
        connect(cboDimPowerOn[d], &QComboBox::activated, this,
                [this, d] { cboDimPowerOn_Click(d); });
        connect(cboDimMinLevel[d], &QComboBox::activated, this,
                [this, d] { cboDimMinLevel_Click(d); });
        connect(cboDimMaxLevel[d], &QComboBox::activated, this,
                [this, d] { cboDimMaxLevel_Click(d); });
        connect(cboDimFadeRate[d], &QComboBox::activated, this,
                [this, d] { cboDimFadeRate_Click(d); });
    }
    cmdClose = SettingsLists::addCloseButton(this, layout);
    connect(cmdClose, &QPushButton::clicked, this, &frmDimmerSettings::cmdClose_Click);
}

QComboBox *frmDimmerSettings::addList(QGroupBox *frame, const char *name, int d)
{
    auto *list = new QComboBox(frame);
    list->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(d));
    frame->layout()->addWidget(list);
    return list;
}

void frmDimmerSettings::fillLists()
{
    using namespace OptionTexts;
    using SettingsLists::shareEntries;
    shareEntries(this, dimmerPowerOnLevelEntries(), listsOf(cboDimPowerOn));
    shareEntries(this, dimmerMinLevelEntries(), listsOf(cboDimMinLevel));
    shareEntries(this, dimmerMaxLevelEntries(), listsOf(cboDimMaxLevel));
    shareEntries(this, dimmerFadeRateEntries(), listsOf(cboDimFadeRate));
}

void frmDimmerSettings::selectStored()
{
    for (int d = 0; d < 4; ++d) {
        SettingsLists::selectPosition(cboDimPowerOn[d], m_doc.GetDimmerPowerOnLevel(d));
        SettingsLists::selectPosition(cboDimMinLevel[d], m_doc.GetDimmerMinLevel(d));
        SettingsLists::selectPosition(cboDimMaxLevel[d], m_doc.GetDimmerMaxLevel(d));
        SettingsLists::selectPosition(cboDimFadeRate[d], m_doc.GetDimmerFadeRate(d));
    }
}

void frmDimmerSettings::cboDimPowerOn_Click(int Index)
{
    const int position = cboDimPowerOn[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetDimmerPowerOnLevel(Index, position);
}

void frmDimmerSettings::cboDimMinLevel_Click(int Index)
{
    const int position = cboDimMinLevel[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetDimmerMinLevel(Index, position);
}

void frmDimmerSettings::cboDimMaxLevel_Click(int Index)
{
    const int position = cboDimMaxLevel[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetDimmerMaxLevel(Index, position);
}

void frmDimmerSettings::cboDimFadeRate_Click(int Index)
{
    const int position = cboDimFadeRate[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetDimmerFadeRate(Index, position);
}

void frmDimmerSettings::cmdClose_Click() { close(); }
