#include "frmPCInputs.h"

#include "OptionTexts.h"
#include "SettingsLists.h"
#include "modOVMXConfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
QComboBox *newList(QWidget *parent, const char *name, int k)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(k));
    return list;
}

// Checks option `index` of a pair, or neither when the stored value is not an option.
void checkOption(const std::array<QRadioButton *, 2> &options, int index)
{
    for (QRadioButton *option : options)
        option->setAutoExclusive(false);
    for (int i = 0; i < 2; ++i)
        options[i]->setChecked(i == index);
    for (QRadioButton *option : options)
        option->setAutoExclusive(true);
}
} // namespace

frmPCInputs::frmPCInputs(modOVMXConfig &doc, Prompts &, QWidget *parent)
    : QDialog(parent), m_doc(doc)
{
    LoadGuard = true;
    buildControls();
    // All sixteen lists hold the same 256 levels: one model built once serves them all.
    QList<QComboBox *> lists;
    for (int k = 0; k < 8; ++k)
        lists << cboPCOffLevel[k] << cboPCOnLevel[k];
    SettingsLists::shareEntries(this, OptionTexts::photocellLevelEntries(), lists);
    SettingsLists::centreOver(this, parent);
}

void frmPCInputs::buildControls()
{
    setObjectName(QStringLiteral("frmPCInputs"));
    setWindowTitle(QStringLiteral("Photocell Input Levels"));
    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    chkShowFC = new QCheckBox(QStringLiteral("Show Levels In FC On Main Programming Screen"), this);
    chkShowFC->setObjectName(QStringLiteral("chkShowFC"));
    layout->addWidget(chkShowFC);
    connect(chkShowFC, &QCheckBox::clicked, this, &frmPCInputs::chkShowFC_Click);
    auto *frames = new QHBoxLayout;
    layout->addLayout(frames);
    frmPC1Levels = buildFrame(0);
    frmPC2Levels = buildFrame(1);
    frames->addWidget(frmPC1Levels);
    frames->addWidget(frmPC2Levels);
    // A change of option, not a click: a click on the option already chosen changes nothing.
    for (int i = 0; i < 2; ++i) {
        connect(optPC1Filter[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !LoadGuard)
                optPC1Filter_Click(i);
        });
        connect(optPC2Filter[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !LoadGuard)
                optPC2Filter_Click(i);
        });
    }
    cmdClose = SettingsLists::addCloseButton(this, layout);
    connect(cmdClose, &QPushButton::clicked, this, &frmPCInputs::cmdClose_Click);
}

QGroupBox *frmPCInputs::buildFrame(int p)
{
    auto *frame = new QGroupBox(QStringLiteral("Photocell %1 Input Levels").arg(p + 1), this);
    frame->setObjectName(QStringLiteral("frmPC%1Levels").arg(p + 1));
    auto *grid = new QGridLayout(frame);
    for (int c = 0; c < 2; ++c) {
        QLabel *&heading = lblOffOn[2 * p + c];
        heading =
            new QLabel(c == 0 ? QStringLiteral("Off Level") : QStringLiteral("On Level"), frame);
        heading->setObjectName(QStringLiteral("lblOffOn_%1").arg(2 * p + c));
        grid->addWidget(heading, 0, c + 1);
    }
    for (int l = 0; l < 4; ++l) {
        const int k = 4 * p + l;
        lblPCInput[k] = new QLabel(QString::number(l + 1), frame);
        lblPCInput[k]->setObjectName(QStringLiteral("lblPCInput_%1").arg(k));
        cboPCOffLevel[k] = newList(frame, "cboPCOffLevel", k);
        cboPCOnLevel[k] = newList(frame, "cboPCOnLevel", k);
        grid->addWidget(lblPCInput[k], l + 1, 0);
        grid->addWidget(cboPCOffLevel[k], l + 1, 1);
        grid->addWidget(cboPCOnLevel[k], l + 1, 2);
        connect(cboPCOffLevel[k], &QComboBox::activated, this,
                [this, k] { cboPCOffLevel_Click(k); });
        connect(cboPCOnLevel[k], &QComboBox::activated, this, [this, k] { cboPCOnLevel_Click(k); });
    }
    Options &options = p == 0 ? optPC1Filter : optPC2Filter;
    const QStringList filters = OptionTexts::photocellFilterEntries();
    for (int i = 0; i < 2; ++i) {
        options[i] = new QRadioButton(filters.at(i), frame);
        options[i]->setObjectName(QStringLiteral("optPC%1Filter_%2").arg(p + 1).arg(i));
        grid->addWidget(options[i], 5, i + 1);
    }
    options[0]->setChecked(true);
    return frame;
}

void frmPCInputs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        Form_Activate();
    }
}

void frmPCInputs::Form_Activate()
{
    for (int k = 0; k < 8; ++k) {
        SettingsLists::selectPosition(cboPCOffLevel[k], m_doc.GetPhotocellOffLevel(k / 4, k % 4));
        SettingsLists::selectPosition(cboPCOnLevel[k], m_doc.GetPhotocellOnLevel(k / 4, k % 4));
    }
    // Showing the stored filter happens under the load guard, so it writes nothing.
    checkOption(optPC1Filter, m_doc.GetPhotocellFilter(0));
    checkOption(optPC2Filter, m_doc.GetPhotocellFilter(1));
    if (m_doc.ShowLevelsInFC)
        chkShowFC->setChecked(true);
    LoadGuard = false;
}

void frmPCInputs::cboPCOffLevel_Click(int Index)
{
    const int position = cboPCOffLevel[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetPhotocellOffLevel(Index / 4, Index % 4, position);
}

void frmPCInputs::cboPCOnLevel_Click(int Index)
{
    const int position = cboPCOnLevel[Index]->currentIndex();
    if (LoadGuard || position < 0)
        return;
    m_doc.ConfigModified = true;
    m_doc.SetPhotocellOnLevel(Index / 4, Index % 4, position);
}

void frmPCInputs::optPC1Filter_Click(int Index)
{
    m_doc.ConfigModified = true;
    m_doc.SetPhotocellFilter(0, Index);
}

void frmPCInputs::optPC2Filter_Click(int Index)
{
    m_doc.ConfigModified = true;
    m_doc.SetPhotocellFilter(1, Index);
}

// The display choice lasts for the run only: it is no part of the image and no change to it.
void frmPCInputs::chkShowFC_Click() { m_doc.ShowLevelsInFC = chkShowFC->isChecked(); }

void frmPCInputs::cmdClose_Click() { close(); }
