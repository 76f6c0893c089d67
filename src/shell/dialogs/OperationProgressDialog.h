// The progress window of a long operation (a large send or merge, a download). It appears only
// when the operation is still running after a while, shows what the operation says it is doing
// with a bar, and offers Cancel while the operation says that stopping is safe. It lets window
// events through now and then, so that the windows repaint and Cancel can be pressed; until it
// is shown, the user's input waits.
//
//     OperationProgressDialog progress(tr("Sending"), mainWindow);
//     sender.Send(..., progress); // the core reports and asks cancelled()
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>
#include <chrono>

#include "fileio/OperationProgress.h"

class QProgressBar;
class QPushButton;

namespace nimbus::dialogs {

class OperationProgressDialog : public QProgressDialog, public fileio::OperationProgress {
    Q_OBJECT
public:
    struct Timing {
        // How long an operation runs before the window appears.
        std::chrono::milliseconds showAfter{1000};
        // How often window events are let through at most.
        std::chrono::milliseconds eventsEvery{100};
    };

    OperationProgressDialog(const QString &title, QWidget *parent, Timing timing);
    OperationProgressDialog(const QString &title, QWidget *parent)
        : OperationProgressDialog(title, parent, Timing{})
    {
    }

    void report(std::int64_t done, std::int64_t total, const std::string &text) override;
    void allowCancel(bool allowed) override;
    bool cancelled() const override { return cancelRequested_; }

    // Asks the operation to stop at its next safe point, as Cancel does; for a window that is
    // closing, so it is taken even while Cancel is not offered.
    void requestCancel() { cancelRequested_ = true; }
    QPushButton *cancelButton() const { return buttonCancel_; }
    QProgressBar *progressBar() const { return bar_; }

protected:
    // QProgressDialog's own timer would show the window on its schedule; only report() does.
    void setVisible(bool visible) override;
    // Escape and the window's close button count as Cancel, and only where it is offered.
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

private:
    void cancelPressed();
    void letEventsThrough(bool force);

    Timing timing_;
    QElapsedTimer running_;
    QElapsedTimer sinceEvents_;
    QProgressBar *bar_ = nullptr;
    QPushButton *buttonCancel_ = nullptr;
    bool cancelOffered_ = false;
    bool cancelRequested_ = false;
    bool showing_ = false; // set while report() itself shows the window
};

} // namespace nimbus::dialogs
