// The window's closing sequence: whether a close request closes at all (the tray may keep the
// program running; a send or merge holds the store until it ends), and then, once, writing
// back what the user changed and taking the program-wide objects down in order. Each step runs
// even when an earlier one failed: nothing the user has is left unsaved because of an
// unrelated problem.
#pragma once

namespace nimbus {

class TformMain;

class ClosingSequence {
public:
    explicit ClosingSequence(TformMain &window) : window_(window) {}

    // A request to close the window; byDesktop: the title bar's button. False when the window
    // stays: hidden to the tray, or closed again once a send or merge under way has ended.
    bool mayClose(bool byDesktop);
    // Stops the timers and channels, saves the layout, the page, the recent lists, the network
    // details and the store, and lets go of the store. Runs once; later calls do nothing.
    void run();

private:
    TformMain &window_;
    bool done_ = false;
};

} // namespace nimbus
