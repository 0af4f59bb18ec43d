#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;
class Prompts;
class modOVMXConfig;

// Each dimmer's power-on level, minimum and maximum level and fade rate. Every choice is
// written at once; "Close" is the only way out.
class frmDimmerSettings : public QDialog
{
    Q_OBJECT

public:
    frmDimmerSettings(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

private:
    using Lists = std::array<QComboBox *, 4>;

    void buildControls();
    void fillLists();
    void selectStored();
    QComboBox *addList(QGroupBox *frame, const char *name, int d);
    void cboDimPowerOn_Click(int Index);
    void cboDimMinLevel_Click(int Index);
    void cboDimMaxLevel_Click(int Index);
    void cboDimFadeRate_Click(int Index);
    void cmdClose_Click();

    modOVMXConfig &m_doc;
    // True while the lists are filled and set from the image, so that loading writes nothing.
    bool LoadGuard = false;
    std::array<QGroupBox *, 4> m_frames{};
    Lists cboDimPowerOn{};
    Lists cboDimMinLevel{};
    Lists cboDimMaxLevel{};
    Lists cboDimFadeRate{};
    QPushButton *cmdClose = nullptr;
};
