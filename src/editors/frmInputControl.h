#pragma once

#include "CellEditor.h"

class QCheckBox;
class QPushButton;

// Edits one input-disable cell: whether input SelInput disables input SelDisInput while it is
// closed, while it is open, or both.
class frmInputControl : public CellEditor
{
    Q_OBJECT

public:
    frmInputControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

    void setCheckCaptions(const QString &closed, const QString &open);

protected:
    void Form_Activate() override;

private:
    QCheckBox *addCheck(const char *name, const QString &caption);
    void chkInputDisableCls_Click();
    void chkInputDisableOpn_Click();

    QCheckBox *chkInputDisableCls = nullptr;
    QCheckBox *chkInputDisableOpn = nullptr;
    QPushButton *cmdClose = nullptr;
};
