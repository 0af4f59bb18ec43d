#pragma once

#include "ConfigTexts.h"

#include <QObject>

#include <array>

class ClickableLabel;
class PanelFrame;
class QColor;
class QComboBox;
class QRect;
class QWidget;

// The panels above the grid: the pilot lights of both stations, the timed-off lists and the
// photocell levels. They show the screen texts and say what the user clicked or chose; the main
// window decides what that opens or stores.
class SidePanels : public QObject
{
    Q_OBJECT
public:
    // The panels are drawn on `surface`, the grid, at the places the grid leaves for them.
    explicit SidePanels(QWidget *surface);

    void show(const ConfigTexts::ScreenTexts &texts);
    QComboBox *alertList() const { return m_cboAlert; }
    QComboBox *overrideList() const { return m_cboOverride; }

Q_SIGNALS:
    void pilotClicked(int n);
    void levelClicked(int n); // a level's number, its off or its on label
    void alertChosen();
    void overrideChosen();

private:
    void buildPilotFrame(QWidget *surface, int station);
    void buildTimedOffFrame(QWidget *surface);
    void buildLevelFrame(QWidget *surface, int photocell);
    ClickableLabel *makeLabel(QWidget *frame, const QString &name, const QRect &rect,
                              const QColor &colour, Qt::Alignment align);
    void fillTimedOffLists();

    std::array<ClickableLabel *, 12> m_lblPilot{};
    std::array<PanelFrame *, 2> m_frmPCLevels{};
    std::array<ClickableLabel *, 8> m_lblPCOff{};
    std::array<ClickableLabel *, 8> m_lblPCOn{};
    QComboBox *m_cboAlert = nullptr;
    QComboBox *m_cboOverride = nullptr;
};
