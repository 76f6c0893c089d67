// The stored layout does not drift: the real main window, started and closed on one data
// folder again and again with nothing changed, writes back exactly the screen.dat it read.
#include <QSplitter>
#include <QtTest>

#include "shell/MainLayout.h"
#include "shell/tree/WindowFixture.h"

using namespace nimbus;
using namespace nimbus::test;

class LayoutRestartTest : public QObject {
    Q_OBJECT

    static void runOnce(const TempFolder &dir, const Clock &clock,
                        const std::function<void(TformMain &)> &meanwhile = {})
    {
        TformMain window(clock, windowEnvironment(dir, std::make_shared<FakePrompts>()));
        window.timerStart->setInterval(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.timerSave->isActive()); // the start step has run
        if (meanwhile)
            meanwhile(window);
        window.close();
    }

    // Moves a splitter's handle as a drag does: new sizes, then the splitter's report.
    static void drag(QSplitter *splitter, int by)
    {
        QList<int> sizes = splitter->sizes();
        sizes[0] += by;
        sizes[1] -= by;
        splitter->setSizes(sizes);
        emit splitter->splitterMoved(sizes[0], 1);
    }

private slots:
    void fiveStartsWithoutChangesKeepScreenDatByteForByte()
    {
        TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 3, 10, 9, 30, 0));
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.add(1, "Quarterly report").expanded();
        w.add(2, "Figures");
        w.add(1, "Holiday");
        w.add(2, "Ferry");
        w.write();
        // The first start has no layout: it records the designed one.
        runOnce(dir, clock);
        const std::string screen = dataFolder(dir) + "screen.dat";
        const std::string first = readFile(screen);
        QVERIFY(!first.empty());
        const std::string store = readFile(dataFolder(dir) + "Structure.dat");
        for (int start = 2; start <= 6; ++start) {
            runOnce(dir, clock);
            // Nothing changed, so nothing is written: no old version pushes another out.
            QCOMPARE(readFile(dataFolder(dir) + "Structure.dat"), store);
            const std::string again = readFile(screen);
            QVERIFY2(again == first, qPrintable(QStringLiteral("start %1:\n%2\nwas\n%3")
                                                    .arg(start)
                                                    .arg(QString::fromStdString(again))
                                                    .arg(QString::fromStdString(first))));
        }
    }

    void aLayoutTheUserChoseIsKeptAsChosen()
    {
        TempFolder dir;
        FixedClock clock(DateTime::fromCivil(2026, 3, 10, 9, 30, 0));
        StoreWriter w(dataFolder(dir));
        w.add(0, "Topics").expanded();
        w.write();
        int tree = 0;
        int top = 0;
        runOnce(dir, clock, [&](TformMain &window) {
            MainLayout *layout = window.mainLayout();
            const int treeBefore = layout->panelData->sizes()[0];
            const int topBefore = layout->splitterTop->sizes()[0];
            drag(layout->panelData, -60);
            drag(layout->splitterTop, -40);
            tree = layout->panelData->sizes()[0];
            top = layout->splitterTop->sizes()[0];
            QCOMPARE(tree, treeBefore - 60);
            QCOMPARE(top, topBefore - 40);
        });
        const std::string chosen = readFile(dataFolder(dir) + "screen.dat");
        QVERIFY2(chosen.find("tree=" + std::to_string(tree) + "\r\n") != std::string::npos,
                 chosen.c_str());
        QVERIFY2(chosen.find("tpanel=" + std::to_string(top) + "\r\n") != std::string::npos,
                 chosen.c_str());
        for (int start = 0; start < 3; ++start)
            runOnce(dir, clock);
        QCOMPARE(readFile(dataFolder(dir) + "screen.dat"), chosen);
    }
};

QTEST_MAIN(LayoutRestartTest)
#include "LayoutRestartTest.moc"
