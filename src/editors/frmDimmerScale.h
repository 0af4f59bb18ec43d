#pragma once

#include "CellEditor.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class ScalePlot;

// Edits how dimmer SelDimmer tracks photocell SelPhotocell: the tracking mode, the setpoint
// target, and the curve from light level to dimmer output, whose points the user drags.
class frmDimmerScale : public CellEditor
{
    Q_OBJECT

public:
    frmDimmerScale(modOVMXConfig &doc, Prompts &prompts, QWidget *parent = nullptr);

    // Loads the whole editor from the image.
    void ShowControl();

protected:
    void Form_Activate() override;

private:
    QGroupBox *buildScaleFrame();
    QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &at,
                     Qt::Alignment align);
    void placeGrips();
    void DrawLines();

    void picScale_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X,
                            double Y);
    void picScale_MouseMove(Qt::MouseButtons Button, Qt::KeyboardModifiers Shift, double X,
                            double Y);
    void picScale_MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, double X, double Y);
    void moveDraggedGrip(double X, double Y);
    void limitMiddleGrip();
    void showValues(int g);
    void setValuesVisible(bool visible);
    void storeCurve();
    void cboPCTrack_Click();
    void cboTarget_Click();

    // The grip being dragged, 1 to 3, or 0.
    int DragGrip = 0;

    QComboBox *cboPCTrack = nullptr;
    QComboBox *cboTarget = nullptr;
    QGroupBox *frmScale = nullptr;
    ScalePlot *picScale = nullptr;
    QLabel *lblVoltage = nullptr;
    QLabel *lblPercent = nullptr;
    QLabel *lblFootCandle = nullptr;
    QPushButton *cmdClose = nullptr;
};
