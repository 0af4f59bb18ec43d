#include "SidePanels.h"

#include "ClickableLabel.h"
#include "FieldTable.h"
#include "PanelFrame.h"
#include "ScreenPainter.h"

#include <QComboBox>
#include <QStringListModel>

using namespace ScreenPainter::Panels;

SidePanels::SidePanels(QWidget *surface) : QObject(surface)
{
    buildPilotFrame(surface, 0);
    buildPilotFrame(surface, 1);
    buildTimedOffFrame(surface);
    buildLevelFrame(surface, 0);
    buildLevelFrame(surface, 1);
    fillTimedOffLists();
}

ClickableLabel *SidePanels::makeLabel(QWidget *frame, const QString &name, const QRect &rect,
                                      const QColor &colour, Qt::Alignment align)
{
    auto *label = new ClickableLabel(frame);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

void SidePanels::buildPilotFrame(QWidget *surface, int station)
{
    auto *frame = new PanelFrame(pilotCaption(station), surface);
    frame->setObjectName(QStringLiteral("frmTB%1Pilots").arg(station + 1));
    frame->setGeometry(pilotFrame(station));
    for (int k = 0; k < 6; ++k) {
        const int n = 6 * station + k;
        ClickableLabel *label = makeLabel(frame, QStringLiteral("lblPilot(%1)").arg(n),
                                          pilotLabel(k), LabelColour, Qt::AlignLeft);
        connect(label, &ClickableLabel::clicked, this, [this, n] { Q_EMIT pilotClicked(n); });
        m_lblPilot[static_cast<size_t>(n)] = label;
    }
}

void SidePanels::buildTimedOffFrame(QWidget *surface)
{
    auto *frame = new PanelFrame(QStringLiteral("Timed Off Configuation"), surface);
    frame->setObjectName(QStringLiteral("frmTimedOffConfig"));
    frame->setGeometry(timedOffFrame());
    const auto addList = [frame](const char *labelName, const QString &caption,
                                 const char *listName, int n) {
        auto *label = new QLabel(caption, frame);
        label->setObjectName(QLatin1String(labelName));
        label->setGeometry(listCaption(n));
        auto *box = new QComboBox(frame);
        box->setObjectName(QLatin1String(listName));
        box->setGeometry(list(n));
        return box;
    };
    m_cboAlert = addList("lblAlert", QStringLiteral("Blink Alert"), "cboAlert", 0);
    m_cboOverride = addList("lblOverride", QStringLiteral("Override"), "cboOverride", 1);
    connect(m_cboAlert, &QComboBox::currentIndexChanged, this, &SidePanels::alertChosen);
    connect(m_cboOverride, &QComboBox::currentIndexChanged, this, &SidePanels::overrideChosen);
}

void SidePanels::fillTimedOffLists()
{
    QStringList alert, override;
    for (int minutes = 2; minutes <= 99; ++minutes)
        alert << ConfigTexts::minuteText(minutes);
    for (int minutes = 5; minutes <= 999; ++minutes)
        override << ConfigTexts::minuteText(minutes);
    // A plain string list model: a thousand entries cost next to nothing at start-up.
    const QSignalBlocker alertBlocker(m_cboAlert);
    const QSignalBlocker overrideBlocker(m_cboOverride);
    m_cboAlert->setModel(new QStringListModel(alert, m_cboAlert));
    m_cboOverride->setModel(new QStringListModel(override, m_cboOverride));
}

void SidePanels::buildLevelFrame(QWidget *surface, int photocell)
{
    auto *frame = new PanelFrame(QStringLiteral("Photocell %1").arg(photocell + 1), surface);
    frame->setObjectName(QStringLiteral("frmPC%1Levels").arg(photocell + 1));
    frame->setGeometry(levelFrame(photocell));
    m_frmPCLevels[static_cast<size_t>(photocell)] = frame;
    for (int l = 0; l < 4; ++l) {
        const int n = 4 * photocell + l;
        const auto index = static_cast<size_t>(n);
        ClickableLabel *number = makeLabel(frame, QStringLiteral("lblPCInp(%1)").arg(n),
                                           levelNumber(l), LevelNumberColour, Qt::AlignHCenter);
        number->setText(QString::number(l + 1));
        m_lblPCOff[index] = makeLabel(frame, QStringLiteral("lblPCOff(%1)").arg(n), offLevel(l),
                                      LabelColour, Qt::AlignHCenter);
        m_lblPCOn[index] = makeLabel(frame, QStringLiteral("lblPCOn(%1)").arg(n), onLevel(l),
                                     LabelColour, Qt::AlignHCenter);
        // The level numbers alone do not say which is the off and which the on level: each
        // label is named as the differences name it, "Photocell 1 Input  2: off level".
        const std::pair<ClickableLabel *, const char *> named[] = {
            {m_lblPCOff[index], "PhotocellOffLevel"}, {m_lblPCOn[index], "PhotocellOnLevel"}};
        for (const auto &[label, field] : named) {
            const QString name = FieldTable::findField(QLatin1String(field))->label(n).trimmed();
            label->setToolTip(name);
            label->setAccessibleName(name);
        }
        for (ClickableLabel *label : {number, m_lblPCOff[index], m_lblPCOn[index]})
            connect(label, &ClickableLabel::clicked, this, [this, n] { Q_EMIT levelClicked(n); });
    }
}

void SidePanels::show(const ConfigTexts::ScreenTexts &texts)
{
    for (size_t n = 0; n < m_lblPilot.size(); ++n)
        m_lblPilot[n]->setText(texts.pilots[n]);
    for (size_t n = 0; n < m_lblPCOff.size(); ++n) {
        m_lblPCOff[n]->setText(texts.offLevels[n]);
        m_lblPCOn[n]->setText(texts.onLevels[n]);
    }
    for (size_t p = 0; p < m_frmPCLevels.size(); ++p)
        m_frmPCLevels[p]->setCaption(texts.photocellFrames[p]);
    // A stored value with no entry in its list shows no entry; the handlers then store nothing.
    const auto position = [](const QComboBox *list, int value) {
        return value >= 0 && value < list->count() ? value : -1;
    };
    m_cboAlert->setCurrentIndex(position(m_cboAlert, texts.alertIndex));
    m_cboOverride->setCurrentIndex(position(m_cboOverride, texts.overrideIndex));
}
