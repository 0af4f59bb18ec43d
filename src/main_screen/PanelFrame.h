#pragma once

#include <QWidget>

// A frame with its caption on the top border line, holding controls at fixed positions.
class PanelFrame : public QWidget
{
    Q_OBJECT
public:
    explicit PanelFrame(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};
