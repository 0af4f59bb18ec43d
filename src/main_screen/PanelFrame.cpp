#include "PanelFrame.h"

#include "ScreenPainter.h"

#include <QPainter>

PanelFrame::PanelFrame(const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(caption)
{
    setAutoFillBackground(true);
}

void PanelFrame::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void PanelFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    ScreenPainter::paintFrame(painter, rect(), m_caption, palette().window().color(),
                              palette().windowText().color());
}
