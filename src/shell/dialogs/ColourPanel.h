// A small panel of one colour that reports clicks and double-clicks; framed when chosen.
// From the keyboard, Space is a click and Enter a double-click (when something listens for
// double-clicks; otherwise Enter is left to the dialog's default button).
#pragma once

#include <QFrame>

namespace nimbus::dialogs {

class ColourPanel : public QFrame {
    Q_OBJECT
public:
    explicit ColourPanel(const QColor &colour, QWidget *parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor &colour);
    bool framed() const { return framed_; }
    void setFramed(bool framed);

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QColor colour_;
    bool framed_ = false;
};

} // namespace nimbus::dialogs
