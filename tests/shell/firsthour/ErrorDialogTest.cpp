// An error that escapes an event handler into the event loop: the program's application object
// catches it, writes it to the main log and shows it in a box over the main window, and the
// program goes on.
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

#include "shell/NimbusApplication.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;

namespace {

// A widget whose handling of a user event fails, as a fault in any handler would.
class FailingButton : public QPushButton {
public:
    using QPushButton::QPushButton;
    bool throwUnknown = false;

protected:
    void mouseReleaseEvent(QMouseEvent *) override
    {
        if (throwUnknown)
            throw 42;
        throw std::runtime_error("the disk went away");
    }
};

QList<QMessageBox *> errorBoxes(QWidget *window)
{
    return window->findChildren<QMessageBox *>(QStringLiteral("unexpectedErrorBox"));
}

} // namespace

class ErrorDialogTest : public QObject {
    Q_OBJECT

private slots:
    void anEscapedErrorIsLoggedAndShownOnceAtATime()
    {
        TempFolder dir;
        FixedClock clock{DateTime::fromCivil(2026, 3, 10, 9, 30, 0)};
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.write();
        TformMain window(clock, windowEnvironment(dir, std::make_shared<FakePrompts>()));
        auto *app = static_cast<NimbusApplication *>(QCoreApplication::instance());

        // Before the window takes the reports nothing is shown (start-up has no window yet).
        auto *button = new FailingButton(QStringLiteral("Fails"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(errorBoxes(&window).isEmpty());

        // As the program entry wires it: the main log and the main window.
        app->reportErrorsTo([&window](const std::string &line) { window.AddToLog(line); },
                            &window);
        QTest::mouseClick(button, Qt::LeftButton);
        QList<QMessageBox *> boxes = errorBoxes(&window);
        QCOMPARE(boxes.size(), 1);
        QMessageBox *box = boxes.first();
        QVERIFY(box->isVisible());
        QVERIFY(!box->isModal()); // the program goes on while it is shown
        QCOMPARE(box->icon(), QMessageBox::Critical);
        QVERIFY2(box->text().contains("the disk went away"), qPrintable(box->text()));
        QVERIFY(box->text().contains("main log"));
        const std::string log = readFile(window.paths().MainLogFile);
        QVERIFY2(log.find("*** An unexpected error occurred: the disk went away") !=
                     std::string::npos,
                 log.c_str());

        // A second error while the box is up is logged, not stacked in a second box.
        button->throwUnknown = true;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(errorBoxes(&window).size(), 1);
        QVERIFY(readFile(window.paths().MainLogFile).find("unexpected error occurred: unexpected "
                                                          "error") != std::string::npos);

        // Once it is closed, the next error is shown again.
        box->button(QMessageBox::Ok)->click();
        QTRY_VERIFY(errorBoxes(&window).isEmpty());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(errorBoxes(&window).size(), 1);
        errorBoxes(&window).first()->close();

        // The window is still whole: it closes and saves as usual.
        app->reportErrorsTo({}, nullptr);
        QVERIFY(window.close());
    }
};

// The test runs under the program's own application object, not a plain QApplication.
int main(int argc, char **argv)
{
    NimbusApplication app(argc, argv);
    ErrorDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ErrorDialogTest.moc"
