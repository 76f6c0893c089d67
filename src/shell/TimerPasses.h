// What the window's timers run beyond saving: the start step, once the window has first been
// shown (the periodic timers, the software monitor, calendar sync and the reminders of what fell
// due while the program was closed), and the deadline pass with the reminders around it.
#pragma once

namespace nimbus {

class TformMain;

class TimerPasses {
public:
    explicit TimerPasses(TformMain &window) : window_(window) {}

    // The window was shown: the tree takes the keys, and the start step is due once.
    void windowShown();
    // The one-shot start step: the periodic timers run from here on.
    void startStep();
    // Reminders first: an event that starts now is reminded of before the pass finishes it;
    // the tray waits for the pass's new schedules.
    void deadlinePass();

private:
    TformMain &window_;
    bool startStepDone_ = false;
};

} // namespace nimbus
