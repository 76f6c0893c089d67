// A one-line label that never asks for more width than its layout gives it: a text too long
// for the space ends in "…", and the window keeps its size whatever the text.
#pragma once

#include <QLabel>

namespace nimbus::widgets {

class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    void setFullText(const QString &text);
    const QString &fullText() const { return full_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void elide();
    QString full_;
};

} // namespace nimbus::widgets
