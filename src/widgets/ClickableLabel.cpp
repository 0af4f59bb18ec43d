#include "ClickableLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = m_pressed && event->button() == Qt::LeftButton &&
                        rect().contains(event->position().toPoint());
    m_pressed = false;
    if (inside)
        Q_EMIT clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Q_EMIT clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

// A QLabel that takes focus keeps even plain text in a QTextDocument, laid out again on the
// first paint after every setText: across the panels that cost as much as repainting the whole
// grid. Plain text is drawn here as QLabel draws it for a label without focus, so it looks the
// same at the cost of one text draw. The focused label shows a dotted frame inside its border.
void ClickableLabel::paintEvent(QPaintEvent *event)
{
    const QString shown = text();
    const bool plain = textFormat() == Qt::PlainText ||
                       (textFormat() == Qt::AutoText && !Qt::mightBeRichText(shown));
    if (!plain) {
        QLabel::paintEvent(event);
        paintFocus();
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const bool rightToLeft = shown.isRightToLeft();
    const Qt::Alignment align =
        QStyle::visualAlignment(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, alignment());
    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int inset = indent();
    if (inset < 0 && frameWidth())
        inset = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    if (inset > 0) {
        if (align & Qt::AlignLeft)
            area.setLeft(area.left() + inset);
        if (align & Qt::AlignRight)
            area.setRight(area.right() - inset);
        if (align & Qt::AlignTop)
            area.setTop(area.top() + inset);
        if (align & Qt::AlignBottom)
            area.setBottom(area.bottom() - inset);
    }
    QStyleOption option;
    option.initFrom(this);
    const int flags = int(align) | (wordWrap() ? int(Qt::TextWordWrap) : 0) |
                      (rightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), shown,
                          foregroundRole());
    painter.end();
    paintFocus();
}

void ClickableLabel::paintFocus()
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}
