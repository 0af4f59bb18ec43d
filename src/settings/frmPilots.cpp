#include "frmPilots.h"

#include "OptionTexts.h"
#include "SettingsLists.h"
#include "modOVMXConfig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

frmPilots::frmPilots(modOVMXConfig &doc, Prompts &, QWidget *parent) : QDialog(parent), m_doc(doc)
{
    LoadGuard = true;
    buildControls();
    // Switch n of both stations offers the same ten entries.
    for (int k = 0; k < 6; ++k)
        SettingsLists::shareEntries(this, OptionTexts::pilotOptionEntries(k),
                                    {cboTBPilot[k], cboTBPilot[k + 6]});
    SettingsLists::centreOver(this, parent);
}

void frmPilots::buildControls()
{
    setObjectName(QStringLiteral("frmPilots"));
    setWindowTitle(QStringLiteral("Tamberline Pilots"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto *frames = new QHBoxLayout;
    layout->addLayout(frames);
    frmTB1Pilots = new QGroupBox(QStringLiteral("Tamberline 01 Pilots"), this);
    frmTB1Pilots->setObjectName(QStringLiteral("frmTB1Pilots"));
    frmTB2Pilots = new QGroupBox(QStringLiteral("Tamberline 02 Pilots"), this);
    frmTB2Pilots->setObjectName(QStringLiteral("frmTB2Pilots"));
    for (QGroupBox *frame : {frmTB1Pilots, frmTB2Pilots}) {
        new QVBoxLayout(frame);
        frames->addWidget(frame);
    }
    for (int k = 0; k < 12; ++k) {
        QGroupBox *frame = k < 6 ? frmTB1Pilots : frmTB2Pilots;
        cboTBPilot[k] = new QComboBox(frame);
        cboTBPilot[k]->setObjectName(QStringLiteral("cboTBPilot_%1").arg(k));
        frame->layout()->addWidget(cboTBPilot[k]);
        connect(cboTBPilot[k], &QComboBox::activated, this, [this, k] { cboTBPilot_Click(k); });
    }
    cmdClose = SettingsLists::addCloseButton(this, layout);
    connect(cmdClose, &QPushButton::clicked, this, &frmPilots::cmdClose_Click);
}

void frmPilots::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmPilots::Form_Activate()
{
    for (int k = 0; k < 12; ++k)
        SettingsLists::selectPosition(cboTBPilot[k], m_doc.GetPilotLight(k / 6, k % 6));
    LoadGuard = false;
}

void frmPilots::cboTBPilot_Click(int Index)
{
    const int position = cboTBPilot[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetPilotLight(Index / 6, Index % 6, position);
}

void frmPilots::cmdClose_Click() { close(); }
