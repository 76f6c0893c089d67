// A small panel of one colour that reports clicks and double-clicks; framed when chosen.
// From the keyboard, Space is a click and Enter a double-click (when something listens for
// double-clicks; otherwise Enter is left to the dialog's default button).
#pragma once

#include <QFrame>
#include <optional>

namespace nimbus::dialogs {

class ColourPanel : public QFrame {
    Q_OBJECT
public:
    explicit ColourPanel(const QColor &colour, QWidget *parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor &colour);
    bool framed() const { return framed_; }
    void setFramed(bool framed);
    // A panel that switches something on and off: whether it is on. A screen reader hears
    // the panel as a tick box, ticked while on (or, for a panel that is no switch, framed).
    std::optional<bool> switchedOn() const { return switchedOn_; }
    void setSwitchedOn(bool on);

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
    std::optional<bool> switchedOn_;
    void tellCheckedChanged();
};

} // namespace nimbus::dialogs
