// The update check's wait window: a small stay-on-top window centred on the main window,
// titled with the product title, with one centred, bold, word-wrapped label.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace nimbus {

class WaitWindow : public QDialog {
    Q_OBJECT
public:
    // Waits a number of milliseconds while the window shows its last text.
    using Wait = std::function<void(int milliseconds)>;

    WaitWindow(const QString &productTitle, QWidget *mainWindow);

    // Shows the window centred on the main window (on the screen when that is hidden).
    void present();
    void setText(const QString &text);
    QString text() const;

    // The window's last step: shows text, lets it be painted, waits, then closes.
    void finish(const QString &text, int milliseconds, const Wait &wait);

    // Waits in a local event loop that keeps painting and timers going but takes no user
    // input, so that nothing the user clicks starts a second pass meanwhile.
    static void waitProcessingEvents(int milliseconds);

    QLabel *labelWait = nullptr;
};

} // namespace nimbus
