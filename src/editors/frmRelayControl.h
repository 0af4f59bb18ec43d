#pragma once

#include "CellEditor.h"
#include "OptionTexts.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Edits one relay cell: what input SelInput does to relay SelRelay when it closes and opens,
// whether the relay holds its status while the input is closed, and the timed-on duration.
class frmRelayControl : public CellEditor
{
    Q_OBJECT

public:
    static constexpr int CloseOptionCount = OptionTexts::RelayCloseActionCount;
    static constexpr int OpenOptionCount = OptionTexts::RelayOpenActionCount;
    static constexpr int TimedOnCount = OptionTexts::TimedOnCount;

    frmRelayControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

protected:
    void Form_Activate() override;

private:
    QGroupBox *buildOptionFrame(const char *name, const QString &caption, const char *buttonName,
                                int count, QButtonGroup *group);
    void selectOption(QButtonGroup *group, int index, int count);

    void optControlClose_Click(int Index);
    void optControlOpen_Click(int Index);
    void chkOverride_Click();
    void cboTimedOn_Click();
    void InClsOptions();
    void SeqNote();

    int input() const;
    int relay() const;

    QButtonGroup *m_closeGroup = nullptr;
    QButtonGroup *m_openGroup = nullptr;
    QGroupBox *frmInputCloses = nullptr;
    QGroupBox *frmInputOpens = nullptr;
    QCheckBox *chkOverride = nullptr;
    QLabel *lblTimedOn = nullptr;
    QComboBox *cboTimedOn = nullptr;
    QLabel *lblSeq = nullptr;
    QPushButton *cmdClose = nullptr;
};
