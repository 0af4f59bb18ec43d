#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QShowEvent;
class Prompts;
class modOVMXConfig;

// The off and on light level of each photocell level input, each photocell's filter time, and
// whether the main screen shows levels in foot-candles for this run. Every choice is written at
// once; "Close" is the only way out.
class frmPCInputs : public QDialog
{
    Q_OBJECT

public:
    frmPCInputs(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    using Options = std::array<QRadioButton *, 2>;

    void buildControls();
    QGroupBox *buildFrame(int p);
    void Form_Activate();
    void cboPCOffLevel_Click(int Index);
    void cboPCOnLevel_Click(int Index);
    void optPC1Filter_Click(int Index);
    void optPC2Filter_Click(int Index);
    void chkShowFC_Click();
    void cmdClose_Click();

    modOVMXConfig &m_doc;
    // Set from construction until the stored values are shown, so that loading writes nothing.
    bool LoadGuard = true;
    bool m_activated = false;
    QCheckBox *chkShowFC = nullptr;
    QGroupBox *frmPC1Levels = nullptr;
    QGroupBox *frmPC2Levels = nullptr;
    std::array<QLabel *, 8> lblPCInput{};
    std::array<QLabel *, 4> lblOffOn{};
    std::array<QComboBox *, 8> cboPCOffLevel{};
    std::array<QComboBox *, 8> cboPCOnLevel{};
    Options optPC1Filter{};
    Options optPC2Filter{};
    QPushButton *cmdClose = nullptr;
};
