#pragma once

#include "CellEditor.h"

class QComboBox;
class QPushButton;

// Edits one dimmer cell: what input SelInput does to dimmer SelDimmer, how fast, and when the
// dimmer reverts. Each stored value is the position of the chosen entry in its list.
class frmDimmerControl : public CellEditor
{
    Q_OBJECT

public:
    frmDimmerControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

protected:
    void Form_Activate() override;

private:
    QComboBox *addList(const char *name, const QStringList &entries);
    void cboControl_Click();
    void cboFadeRate_Click();
    void cboRevert_Click();

    QComboBox *cboControl = nullptr;
    QComboBox *cboFadeRate = nullptr;
    QComboBox *cboRevert = nullptr;
    QPushButton *cmdClose = nullptr;
};
