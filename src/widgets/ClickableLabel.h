#pragma once

#include <QLabel>

// A label that reports a left click: a press and a release inside it. Tab reaches it, and
// Enter or Space there count as a click, so the keyboard opens what the mouse opens.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr) : QLabel(parent)
    {
        setFocusPolicy(Qt::TabFocus);
    }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void paintFocus();

    bool m_pressed = false;
};
