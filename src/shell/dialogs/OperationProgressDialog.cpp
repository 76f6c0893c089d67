// Showing a long operation's progress and passing on its Cancel.
#include "shell/dialogs/OperationProgressDialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

namespace nimbus::dialogs {

namespace {

// The bar counts in thousandths: byte counts do not fit an int.
constexpr int kBarSteps = 1000;

} // namespace

OperationProgressDialog::OperationProgressDialog(const QString &title, QWidget *parent,
                                                 Timing timing)
    : QProgressDialog(parent), timing_(timing)
{
    setObjectName("formOperationProgress");
    setWindowTitle(title);
    // Nothing else of the program takes input while an operation runs in its window.
    setWindowModality(Qt::ApplicationModal);
    setAutoReset(false);
    setAutoClose(false);
    // The bar is driven directly: QProgressDialog::setValue would show the window on its own
    // estimate and process events at every step.
    bar_ = new QProgressBar;
    bar_->setObjectName("barProgress");
    bar_->setRange(0, kBarSteps);
    bar_->setValue(0);
    setBar(bar_);
    buttonCancel_ = new QPushButton(tr("Cancel"));
    buttonCancel_->setObjectName("buttonCancel");
    // Replacing the dialog's own Cancel button would add a second Escape shortcut beside the
    // first, and two shortcuts on one key fire neither: the old button goes first, and its
    // shortcut with it.
    setCancelButton(nullptr);
    setCancelButton(buttonCancel_);
    buttonCancel_->setEnabled(false);
    // Cancel and Escape are passed on to the operation instead of closing the window: the
    // operation decides when it can stop, and the window goes when the operation ends.
    disconnect(this, &QProgressDialog::canceled, this, &QProgressDialog::cancel);
    connect(this, &QProgressDialog::canceled, this, &OperationProgressDialog::cancelPressed);
    for (QShortcut *escape : findChildren<QShortcut *>(Qt::FindDirectChildrenOnly)) {
        disconnect(escape, nullptr, this, nullptr);
        connect(escape, &QShortcut::activated, this, &OperationProgressDialog::cancelPressed);
    }
}

void OperationProgressDialog::report(std::int64_t done, std::int64_t total, const std::string &text)
{
    // The operation starts with its first report: a question asked before it does not count.
    if (!running_.isValid()) {
        running_.start();
        sinceEvents_.start();
    }
    const bool due = sinceEvents_.elapsed() >= timing_.eventsEvery.count();
    const bool appear = !isVisible() && running_.elapsed() >= timing_.showAfter.count();
    if (!due && !appear)
        return;
    if (!cancelRequested_)
        setLabelText(QString::fromLocal8Bit(text.c_str()));
    if (total > 0) {
        bar_->setRange(0, kBarSteps);
        bar_->setValue(
            static_cast<int>(std::clamp<std::int64_t>(done, 0, total) * kBarSteps / total));
    } else {
        bar_->setRange(0, 0); // a busy bar while the total is not known
    }
    if (appear) {
        showing_ = true;
        show();
        showing_ = false;
    }
    letEventsThrough(appear);
}

void OperationProgressDialog::allowCancel(bool allowed)
{
    cancelOffered_ = allowed;
    buttonCancel_->setEnabled(allowed && !cancelRequested_);
}

void OperationProgressDialog::setVisible(bool visible)
{
    if (visible && !showing_)
        return;
    QProgressDialog::setVisible(visible);
}

void OperationProgressDialog::reject()
{
    cancelPressed();
}

void OperationProgressDialog::closeEvent(QCloseEvent *event)
{
    cancelPressed();
    event->ignore();
}

void OperationProgressDialog::cancelPressed()
{
    if (!cancelOffered_ || cancelRequested_)
        return;
    cancelRequested_ = true;
    buttonCancel_->setEnabled(false);
    setLabelText(tr("Cancelling ..."));
}

void OperationProgressDialog::letEventsThrough(bool force)
{
    if (!force && sinceEvents_.elapsed() < timing_.eventsEvery.count())
        return;
    sinceEvents_.restart();
    // Before the window is up, the user's clicks and keys would reach the windows behind it.
    QCoreApplication::processEvents(isVisible() ? QEventLoop::AllEvents
                                                : QEventLoop::ExcludeUserInputEvents);
}

} // namespace nimbus::dialogs
