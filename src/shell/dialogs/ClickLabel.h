// A label that reports clicks, for choices shown as text beside an image button.
#pragma once

#include <QLabel>

namespace nimbus::dialogs {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace nimbus::dialogs
