#include "frmRelayPowerOn.h"

#include "OptionTexts.h"
#include "SettingsLists.h"
#include "modOVMXConfig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmRelayPowerOn::frmRelayPowerOn(modOVMXConfig &doc, Prompts &, QWidget *parent)
    : QDialog(parent), m_doc(doc)
{
    buildControls();
    LoadGuard = true;
    SettingsLists::shareEntries(this, OptionTexts::relayPowerOnEntries(),
                                {cboRlyPowerOn.begin(), cboRlyPowerOn.end()});
    for (int r = 0; r < 4; ++r)
        SettingsLists::selectPosition(cboRlyPowerOn[r], m_doc.GetRelayPowerOn(r));
    LoadGuard = false;
    SettingsLists::centreOver(this, parent);
}

void frmRelayPowerOn::buildControls()
{
    setObjectName(QStringLiteral("frmRelayPowerOn"));
    setWindowTitle(QStringLiteral("Relay Power On Options"));
    static const char *const frameNames[] = {"frmRelay1", "frmRelay2", "frmRelay3", "Frame4"};
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    for (int r = 0; r < 4; ++r) {
        m_frames[r] = new QGroupBox(QStringLiteral("Relay %1").arg(r + 1), this);
        m_frames[r]->setObjectName(QLatin1String(frameNames[r]));
        cboRlyPowerOn[r] = new QComboBox(m_frames[r]);
        cboRlyPowerOn[r]->setObjectName(QStringLiteral("cboRlyPowerOn_%1").arg(r));
        (new QVBoxLayout(m_frames[r]))->addWidget(cboRlyPowerOn[r]);
        layout->addWidget(m_frames[r]);
        connect(cboRlyPowerOn[r], &QComboBox::activated, this,
                [this, r] { cboRlyPowerOn_Click(r); });
    }
    cmdClose = SettingsLists::addCloseButton(this, layout);
    connect(cmdClose, &QPushButton::clicked, this, &frmRelayPowerOn::cmdClose_Click);
}

void frmRelayPowerOn::cboRlyPowerOn_Click(int Index)
{
    const int position = cboRlyPowerOn[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetRelayPowerOn(Index, position);
}

void frmRelayPowerOn::cmdClose_Click() { close(); }
