// The progress window of long operations under the offscreen platform: when it appears, what it
// shows, and that its Cancel reaches the operation only while the operation offers it.
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "shell/dialogs/OperationProgressDialog.h"

using namespace nimbus::dialogs;
using namespace std::chrono_literals;

namespace {

// At once, and window events at every report.
const OperationProgressDialog::Timing kAtOnce{0ms, 0ms};

QString labelOf(const OperationProgressDialog &dialog)
{
    const auto *label = dialog.findChild<QLabel *>();
    return label ? label->text() : QString();
}

// A long operation as the core runs one: it reports each step, looks at cancelled() where it
// could stop, and runs pressAt at one step as a user would.
int runSteps(OperationProgressDialog &progress, int steps, int pressAt,
             const std::function<void()> &press)
{
    progress.allowCancel(true);
    int step = 0;
    for (; step < steps; ++step) {
        progress.report(step, steps, "Sending to Bob");
        if (progress.cancelled())
            break;
        if (step == pressAt)
            press();
    }
    progress.allowCancel(false);
    return step;
}

} // namespace

class OperationProgressDialogTest : public QObject {
    Q_OBJECT

private slots:
    void appearsForALongOperationWithItsTextAndBar()
    {
        QMainWindow window;
        window.show();
        OperationProgressDialog progress("Sending topics", &window, kAtOnce);
        QVERIFY2(!progress.isVisible(), "nothing shows before the operation reports");
        progress.report(250, 1000, "Sending to Bob");
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.windowTitle(), QString("Sending topics"));
        QCOMPARE(progress.windowModality(), Qt::ApplicationModal);
        QCOMPARE(labelOf(progress), QString("Sending to Bob"));
        QCOMPARE(progress.progressBar()->value(), 250);

        // Bytes beyond an int and a total not known yet.
        progress.report(std::int64_t{3} << 32, std::int64_t{4} << 32, "Downloading Setup.exe");
        QCOMPARE(progress.progressBar()->value(), 750);
        progress.report(10, 0, "Preparing");
        QCOMPARE(progress.progressBar()->maximum(), 0);
    }

    void aShortOperationShowsNothing()
    {
        QMainWindow window;
        OperationProgressDialog progress("Receiving topics", &window, {1h, 0ms});
        for (int i = 0; i <= 10; ++i)
            progress.report(i, 10, "Merging received topics");
        QVERIFY(!progress.isVisible());
        QVERIFY(!progress.cancelled());
    }

    void cancelPressedDuringTheOperationStopsIt()
    {
        QMainWindow window;
        window.show();
        OperationProgressDialog progress("Sending topics", &window, kAtOnce);
        const int stoppedAt = runSteps(progress, 100, 3, [&] {
            QVERIFY(progress.isVisible());
            QVERIFY(progress.cancelButton()->isEnabled());
            QTest::mouseClick(progress.cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(stoppedAt, 4);
        QVERIFY(progress.cancelled());
        QVERIFY2(!progress.cancelButton()->isEnabled(), "pressed once is enough");
        QCOMPARE(labelOf(progress), QString("Cancelling ..."));
    }

    void cancelIsOnlyTakenWhileTheOperationOffersIt()
    {
        QMainWindow window;
        window.show();
        OperationProgressDialog progress("Receiving topics", &window, kAtOnce);
        progress.report(0, 2, "Merging received topics");
        QVERIFY(progress.isVisible());
        QVERIFY(!progress.cancelButton()->isEnabled());
        QTest::mouseClick(progress.cancelButton(), Qt::LeftButton);
        progress.close();
        QVERIFY(!progress.cancelled());
        QVERIFY2(progress.isVisible(), "the window stays until the operation ends");

        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY2(!progress.cancelled(), "Escape is Cancel only where Cancel is offered");
        QVERIFY(progress.isVisible());

        // Closing the window counts as Cancel once it is offered.
        progress.allowCancel(true);
        progress.close();
        QVERIFY(progress.cancelled());
        QVERIFY(progress.isVisible());
    }

    void escapeIsCancelWhereCancelIsOffered()
    {
        QMainWindow window;
        window.show();
        OperationProgressDialog progress("Sending topics", &window, kAtOnce);
        const int stoppedAt = runSteps(progress, 10, 2, [&] {
            progress.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&progress));
            QTest::keyClick(&progress, Qt::Key_Escape);
        });
        QCOMPARE(stoppedAt, 3);
        QVERIFY(progress.cancelled());
        QVERIFY2(progress.isVisible(), "the window stays until the operation ends");
    }
};

QTEST_MAIN(OperationProgressDialogTest)
#include "OperationProgressDialogTest.moc"
