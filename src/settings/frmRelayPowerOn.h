#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;
class Prompts;
class modOVMXConfig;

// What each relay does when the controller powers up. Every choice is written at once;
// "Close" is the only way out.
class frmRelayPowerOn : public QDialog
{
    Q_OBJECT

public:
    frmRelayPowerOn(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

private:
    void buildControls();
    void cboRlyPowerOn_Click(int Index);
    void cmdClose_Click();

    modOVMXConfig &m_doc;
    // True while the lists are filled and set from the image, so that loading writes nothing.
    bool LoadGuard = false;
    std::array<QGroupBox *, 4> m_frames{};
    std::array<QComboBox *, 4> cboRlyPowerOn{};
    QPushButton *cmdClose = nullptr;
};
