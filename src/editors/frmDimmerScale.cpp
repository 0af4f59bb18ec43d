#include "frmDimmerScale.h"

#include "OptionTexts.h"
#include "ScalePlot.h"
#include "modOVMXConfig.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace
{

constexpr double TwipsPerLevel = ScaleCurve::TwipsPerLevel;
constexpr int PlotLeft = 56, PlotTop = 28; // pixels inside the frame

enum Mode { Disabled, TwoPoint, ThreePoint, Setpoint };

// Ties go to the even neighbour, so a pointer or a point exactly between two values always
// lands on the same side.
double roundHalfEven(double v)
{
    const double down = std::floor(v);
    const double rest = v - down;
    if (rest != 0.5)
        return rest < 0.5 ? down : down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// The labels round as the store does, so they show the values that are kept.
QString formatTenths(double tenthsValue)
{
    const long tenths = std::lround(roundHalfEven(tenthsValue));
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

int levelOfLeft(double left) { return static_cast<int>(roundHalfEven(left / TwipsPerLevel)); }

int outputOfTop(double top)
{
    // (2880 - Top) / 28.8, kept exact for whole twips so ties are real ties.
    return static_cast<int>(roundHalfEven((ScalePlot::MaxTop - top) * 5 / 144));
}

void selectStored(QComboBox *list, int value)
{
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
}

} // namespace

frmDimmerScale::frmDimmerScale(modOVMXConfig &doc, Prompts &prompts, QWidget *parent)
    : CellEditor(doc, prompts, parent)
{
    setWindowTitle(QStringLiteral("Dimmer Scale"));
    LoadGuard = true;
    cboPCTrack = new QComboBox(this);
    cboPCTrack->setObjectName(QStringLiteral("cboPCTrack"));
    cboPCTrack->addItems(OptionTexts::trackingModeEntries());
    cboTarget = new QComboBox(this);
    cboTarget->setObjectName(QStringLiteral("cboTarget"));
    cboTarget->setMaxVisibleItems(20);
    cboTarget->addItems(OptionTexts::scaleTargetEntries());
    frmScale = buildScaleFrame();
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    // Until a mode is loaded neither the plot nor the target list is shown, and the window
    // keeps its size whichever of them a mode shows.
    for (QWidget *w : {static_cast<QWidget *>(cboTarget), static_cast<QWidget *>(frmScale)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->hide();
    }

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblMapDef(), 0, 0, 1, 2);
    grid->addWidget(cboPCTrack, 1, 0);
    grid->addWidget(cboTarget, 1, 1);
    grid->addWidget(frmScale, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(cmdClose, 3, 1, Qt::AlignRight);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cboPCTrack, &QComboBox::currentIndexChanged, this, &frmDimmerScale::cboPCTrack_Click);
    connect(cboTarget, &QComboBox::currentIndexChanged, this, &frmDimmerScale::cboTarget_Click);
    connect(picScale, &ScalePlot::mouseDown, this, &frmDimmerScale::picScale_MouseDown);
    connect(picScale, &ScalePlot::mouseMove, this, &frmDimmerScale::picScale_MouseMove);
    connect(picScale, &ScalePlot::mouseUp, this, &frmDimmerScale::picScale_MouseUp);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    adjustSize();
    centreOverParent();
}

QGroupBox *frmDimmerScale::buildScaleFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("PhotoCell Input To Dimmer Output Scaling"), this);
    frame->setObjectName(QStringLiteral("frmScale"));
    picScale = new ScalePlot(frame);
    picScale->setObjectName(QStringLiteral("picScale"));
    picScale->move(PlotLeft, PlotTop);
    const int w = picScale->width(), h = picScale->height(), below = PlotTop + h + 4;
    frame->setFixedSize(PlotLeft + w + 16, below + 28);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    addLabel(frame, "lblScale10V", QStringLiteral("10 V"), {4, PlotTop - 4, 48, 18}, right);
    addLabel(frame, "lblScale0V", QStringLiteral("0 V"), {4, PlotTop + h - 14, 48, 18}, right);
    addLabel(frame, "lblScale0Per", QStringLiteral("0"), {PlotLeft, below, 40, 18},
             Qt::AlignLeft | Qt::AlignVCenter);
    addLabel(frame, "lblScale100Per", QStringLiteral("255"), {PlotLeft + w - 40, below, 40, 18},
             right);
    lblVoltage = addLabel(frame, "lblVoltage", {}, {0, PlotTop + h / 2 - 9, 52, 18}, right);
    lblPercent =
        addLabel(frame, "lblPercent", {}, {PlotLeft + w / 2 - 40, below, 80, 18}, Qt::AlignCenter);
    lblFootCandle = addLabel(frame, "lblFootCandle", {}, {PlotLeft + w * 3 / 4 - 34, below, 68, 18},
                             Qt::AlignCenter);
    setValuesVisible(false);
    return frame;
}

QLabel *frmDimmerScale::addLabel(QWidget *parent, const char *name, const QString &text,
                                 const QRect &at, Qt::Alignment align)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(at);
    label->setAlignment(align);
    return label;
}

void frmDimmerScale::Form_Activate()
{
    LoadGuard = true;
    ShowControl();
    LoadGuard = false;
}

void frmDimmerScale::ShowControl()
{
    LoadGuard = true;
    const int p = m_doc.SelPhotocell, d = m_doc.SelDimmer;
    const int mode = m_doc.GetPhotocellTracking(p, d);
    selectStored(cboPCTrack, mode);
    // An unknown mode changes nothing that is shown, and writes nothing.
    if (mode >= 0 && mode < OptionTexts::TrackingModeCount) {
        frmScale->setVisible(mode == TwoPoint || mode == ThreePoint);
        cboTarget->setVisible(mode == Setpoint);
    }
    selectStored(cboTarget, m_doc.GetScaleTarget(p, d));
    placeGrips();
    DrawLines();
    frmScale->update();
    LoadGuard = false;
}

void frmDimmerScale::placeGrips()
{
    const int p = m_doc.SelPhotocell, d = m_doc.SelDimmer;
    // A damaged image may hold a level above 255 or an output outside 0-100: its grip is shown
    // at the edge it lies beyond, and nothing is written until the user drags it.
    const auto leftOfLevel = [](int level) {
        return std::clamp(ScaleCurve::leftOfLevel(level), 0.0, ScalePlot::MaxLeft);
    };
    const auto topOfOutput = [](int output) {
        return std::clamp(ScaleCurve::topOfOutput(output), 0.0, ScalePlot::MaxTop);
    };
    picScale->setGrip(1, leftOfLevel(m_doc.GetScaleLevel1(p, d)),
                      topOfOutput(m_doc.GetScaleOutput1(p, d)));
    picScale->setGrip(2, leftOfLevel(m_doc.GetScaleLevel3(p, d)),
                      topOfOutput(m_doc.GetScaleOutput3(p, d)));
    picScale->setGrip(3, leftOfLevel(m_doc.GetScaleLevel2(p, d)),
                      topOfOutput(m_doc.GetScaleOutput2(p, d)));
}

void frmDimmerScale::DrawLines()
{
    picScale->setTwoPoint(cboPCTrack->currentIndex() == TwoPoint);
    picScale->DrawLines();
}

void frmDimmerScale::picScale_MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                                        double X, double Y)
{
    DragGrip = picScale->GripOver(X, Y);
    if (DragGrip == 0) {
        setValuesVisible(false);
        return;
    }
    setValuesVisible(true);
    // The grip jumps to the pointer at once.
    picScale_MouseMove(Button, Shift, X, Y);
}

void frmDimmerScale::picScale_MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, double X, double Y)
{
    if (DragGrip != 0)
        moveDraggedGrip(X, Y);
    limitMiddleGrip();
    DrawLines();
    showValues(picScale->GripOver(X, Y));
    storeCurve();
}

void frmDimmerScale::picScale_MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, double, double)
{
    DragGrip = 0;
    setValuesVisible(false);
}

void frmDimmerScale::moveDraggedGrip(double X, double Y)
{
    // The grip's top-left corner follows the pointer and stays inside the plot.
    double x = roundHalfEven(X), y = roundHalfEven(Y);
    if (X < 0)
        x = 0;
    if (Y < 0)
        y = 0;
    if (X > ScalePlot::MaxLeft)
        x = ScalePlot::MaxLeft;
    if (Y > ScalePlot::MaxTop)
        y = ScalePlot::MaxTop;
    picScale->setGrip(DragGrip, x, y);
}

void frmDimmerScale::limitMiddleGrip()
{
    // The middle point stays between the end points across; up and down it is free.
    const double a = picScale->grip(1).Left, b = picScale->grip(2).Left;
    const double low = a < b ? a : b, high = a < b ? b : a;
    ScalePlot::Grip middle = picScale->grip(3);
    if (middle.Left < low)
        middle.Left = low;
    if (middle.Left > high)
        middle.Left = high;
    picScale->setGrip(3, middle.Left, middle.Top);
}

void frmDimmerScale::showValues(int g)
{
    if (g == 0) {
        setValuesVisible(false);
        return;
    }
    const ScalePlot::Grip grip = picScale->grip(g);
    lblPercent->setText(QString::number(levelOfLeft(grip.Left)) + QStringLiteral("/255"));
    const int level = static_cast<int>(roundHalfEven(grip.Left / ScalePlot::MaxLeft * 255));
    lblFootCandle->setText(QString::number(modOVMXConfig::LevelToFootCandles(level)) +
                           QStringLiteral(" fc"));
    // Tenths of a volt are whole percent of output: 10 - Top / 2880 * 10 volts.
    lblVoltage->setText(formatTenths((ScalePlot::MaxTop - grip.Top) * 5 / 144) +
                        QStringLiteral(" V"));
    setValuesVisible(true);
}

void frmDimmerScale::setValuesVisible(bool visible)
{
    lblPercent->setVisible(visible);
    lblFootCandle->setVisible(visible);
    lblVoltage->setVisible(visible);
}

void frmDimmerScale::storeCurve()
{
    // Point 1 is always the end point with the lower (or equal) level.
    const bool oneLeftOfTwo = picScale->grip(1).Left <= picScale->grip(2).Left;
    const ScalePlot::Grip first = picScale->grip(oneLeftOfTwo ? 1 : 2);
    const ScalePlot::Grip last = picScale->grip(oneLeftOfTwo ? 2 : 1);
    const ScalePlot::Grip middle = picScale->grip(3);
    const int p = m_doc.SelPhotocell, d = m_doc.SelDimmer;
    m_doc.SetScaleOutput1(p, d, outputOfTop(first.Top));
    m_doc.SetScaleLevel1(p, d, levelOfLeft(first.Left));
    m_doc.SetScaleOutput3(p, d, outputOfTop(last.Top));
    m_doc.SetScaleLevel3(p, d, levelOfLeft(last.Left));
    m_doc.SetScaleOutput2(p, d, outputOfTop(middle.Top));
    m_doc.SetScaleLevel2(p, d, levelOfLeft(middle.Left));
}

void frmDimmerScale::cboPCTrack_Click()
{
    if (LoadGuard || cboPCTrack->currentIndex() < 0)
        return;
    m_doc.SetPhotocellTracking(m_doc.SelPhotocell, m_doc.SelDimmer, cboPCTrack->currentIndex());
    ShowControl();
}

void frmDimmerScale::cboTarget_Click()
{
    if (LoadGuard || cboTarget->currentIndex() < 0)
        return;
    m_doc.SetScaleTarget(m_doc.SelPhotocell, m_doc.SelDimmer, cboTarget->currentIndex());
}
