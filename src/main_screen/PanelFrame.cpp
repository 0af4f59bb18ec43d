#include "PanelFrame.h"

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
    const QFontMetrics metrics = fontMetrics();
    const int lineY = metrics.height() / 2;
    // An etched line: dark grey with a white line beside it.
    const QRect box = rect().adjusted(0, lineY, -2, -2);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(box);
    painter.setPen(Qt::white);
    painter.drawRect(box.translated(1, 1));
    if (m_caption.isEmpty())
        return;
    const QRect text(8, 0, metrics.horizontalAdvance(m_caption) + 4, metrics.height());
    painter.fillRect(text, palette().window());
    painter.setPen(palette().windowText().color());
    painter.drawText(text, Qt::AlignCenter, m_caption);
}
