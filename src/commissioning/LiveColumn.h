#pragma once

#include "GridModel.h"
#include "LiveInput.h"
#include "ScreenPainter.h"

#include <QWidget>

// The input last worked on site as the grid shows its column: its heading, then the cells of
// every relay, of each input it disables and of every dimmer, beside their row headings, in
// the grid's texts and colours; the outputs that followed it lit, those it should have moved
// and did not marked. Painted as the grid paints, from a GridModel.
class LiveColumn : public QWidget
{
    Q_OBJECT
public:
    explicit LiveColumn(QWidget *parent = nullptr);

    // `texts` are the grid's cell texts of the programming the events are described by.
    void showInput(const LiveInput &live, const std::array<QString, GridModel::CellCount> &texts);
    const GridModel &model() const { return m_model; }
    const QList<int> &rows() const { return m_rows; } // the grid's rows shown, in order
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect headingRect(int n) const; // n: 0 the input's heading, then each row shown
    QRect cellRect(int n) const;

    GridModel m_model;
    QList<int> m_rows;
    QString m_caption;
    ScreenPainter::BoxCache m_cache;
};
