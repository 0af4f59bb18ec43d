#include "frmDimmerControl.h"

#include "OptionTexts.h"
#include "modOVMXConfig.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace
{

// A value beyond the end of its list (from a file or an upload) selects nothing.
void selectStored(QComboBox *list, int value)
{
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

} // namespace

frmDimmerControl::frmDimmerControl(modOVMXConfig &doc, Prompts &prompts, QWidget *parent)
    : CellEditor(doc, prompts, parent)
{
    setWindowTitle(QStringLiteral("Dimmer Control"));
    LoadGuard = true;
    cboControl = addList("cboControl", OptionTexts::dimmerControlEntries());
    cboFadeRate = addList("cboFadeRate", OptionTexts::dimmerControlFadeEntries());
    cboRevert = addList("cboRevert", OptionTexts::dimmerRevertEntries());
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    auto *lists = new QHBoxLayout;
    lists->addWidget(cboControl);
    lists->addWidget(cboFadeRate);
    lists->addWidget(cboRevert);
    auto *grid = new QGridLayout(this);
    grid->addWidget(lblMapDef(), 0, 0);
    grid->addLayout(lists, 1, 0);
    grid->addWidget(cmdClose, 2, 0, Qt::AlignRight);

    connect(cboControl, &QComboBox::currentIndexChanged, this, &frmDimmerControl::cboControl_Click);
    connect(cboFadeRate, &QComboBox::currentIndexChanged, this,
            &frmDimmerControl::cboFadeRate_Click);
    connect(cboRevert, &QComboBox::currentIndexChanged, this, &frmDimmerControl::cboRevert_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    centreOverParent();
}

QComboBox *frmDimmerControl::addList(const char *name, const QStringList &entries)
{
    auto *list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    list->setMaxVisibleItems(20);
    list->addItems(entries);
    list->setCurrentIndex(0);
    return list;
}

void frmDimmerControl::Form_Activate()
{
    const int i = m_doc.SelInput, d = m_doc.SelDimmer;
    selectStored(cboControl, m_doc.GetDimmerControl(i, d));
    selectStored(cboFadeRate, m_doc.GetDimmerControlFadeRate(i, d));
    selectStored(cboRevert, m_doc.GetDimmerRevert(i, d));
}

void frmDimmerControl::cboControl_Click()
{
    if (LoadGuard || cboControl->currentIndex() < 0)
        return;
    m_doc.SetDimmerControl(m_doc.SelInput, m_doc.SelDimmer, cboControl->currentIndex());
}

void frmDimmerControl::cboFadeRate_Click()
{
    if (LoadGuard || cboFadeRate->currentIndex() < 0)
        return;
    m_doc.SetDimmerControlFadeRate(m_doc.SelInput, m_doc.SelDimmer, cboFadeRate->currentIndex());
}

void frmDimmerControl::cboRevert_Click()
{
    if (LoadGuard || cboRevert->currentIndex() < 0)
        return;
    m_doc.SetDimmerRevert(m_doc.SelInput, m_doc.SelDimmer, cboRevert->currentIndex());
}
