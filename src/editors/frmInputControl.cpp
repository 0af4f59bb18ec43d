#include "frmInputControl.h"

#include "ConfigTexts.h"
#include "modOVMXConfig.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

// The widest caption the caller can set, so the window keeps one size for every cell.
int widestCaption(const QFontMetrics &metrics)
{
    int widest = 0;
    for (int i = 0; i < 24; ++i)
        for (int q = 4; q < 28; ++q)
            widest =
                std::max(widest, metrics.horizontalAdvance(
                                     ConfigTexts::inputName(i) + QStringLiteral(" Disables ") +
                                     ConfigTexts::targetName(q) + QStringLiteral(" When Closed")));
    return widest;
}

} // namespace

frmInputControl::frmInputControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent)
    : CellEditor(doc, prompts, parent)
{
    setWindowTitle(QStringLiteral("Input Disable"));
    LoadGuard = true;
    chkInputDisableCls =
        addCheck("chkInputDisableCls", QStringLiteral("Disable Input When Closed"));
    chkInputDisableOpn = addCheck("chkInputDisableOpn", QStringLiteral("Disable Input When Open"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto *column = new QVBoxLayout(this);
    column->addWidget(lblMapDef());
    column->addWidget(chkInputDisableCls);
    column->addWidget(chkInputDisableOpn);
    column->addWidget(cmdClose, 0, Qt::AlignRight);
    // Room for the check box itself in front of its caption.
    lblMapDef()->setMinimumWidth(widestCaption(chkInputDisableCls->fontMetrics()) + 40);

    connect(chkInputDisableCls, &QCheckBox::toggled, this,
            &frmInputControl::chkInputDisableCls_Click);
    connect(chkInputDisableOpn, &QCheckBox::toggled, this,
            &frmInputControl::chkInputDisableOpn_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    centreOverParent();
}

QCheckBox *frmInputControl::addCheck(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

void frmInputControl::setCheckCaptions(const QString &closed, const QString &open)
{
    chkInputDisableCls->setText(closed);
    chkInputDisableOpn->setText(open);
}

void frmInputControl::Form_Activate()
{
    const int i = m_doc.SelInput, j = m_doc.SelDisInput;
    chkInputDisableCls->setChecked(m_doc.GetInputDisableClosed(i, j));
    chkInputDisableOpn->setChecked(m_doc.GetInputDisableOpen(i, j));
}

void frmInputControl::chkInputDisableCls_Click()
{
    if (LoadGuard)
        return;
    m_doc.SetInputDisableClosed(m_doc.SelInput, m_doc.SelDisInput, chkInputDisableCls->isChecked());
}

void frmInputControl::chkInputDisableOpn_Click()
{
    if (LoadGuard)
        return;
    m_doc.SetInputDisableOpen(m_doc.SelInput, m_doc.SelDisInput, chkInputDisableOpn->isChecked());
}
