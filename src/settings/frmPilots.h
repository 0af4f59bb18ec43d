#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;
class QShowEvent;
class Prompts;
class modOVMXConfig;

// The pilot light of each switch of the two Tamberline stations. Every choice is written at
// once; "Close" is the only way out.
class frmPilots : public QDialog
{
    Q_OBJECT

public:
    frmPilots(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void Form_Activate();
    void cboTBPilot_Click(int Index);
    void cmdClose_Click();

    modOVMXConfig &m_doc;
    // Set from construction until the stored values are shown, so that loading writes nothing.
    bool LoadGuard = true;
    bool m_activated = false;
    QGroupBox *frmTB1Pilots = nullptr;
    QGroupBox *frmTB2Pilots = nullptr;
    std::array<QComboBox *, 12> cboTBPilot{};
    QPushButton *cmdClose = nullptr;
};
