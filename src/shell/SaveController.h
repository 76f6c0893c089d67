// When the window writes what the user changed: the store (with the rich recurrences), the
// shown page, and both on "Save" and on the save timer. Closing writes through the same calls.
#pragma once

namespace nimbus {

class TformMain;

class SaveController {
public:
    explicit SaveController(TformMain &window) : window_(window) {}

    // Writes the store when it is modified; a failure is logged.
    void SaveStore();
    // "Save": the page first (saving it can change the topic's page counts, which the store
    // holds), then the tree into the store and the store to disk when modified.
    void SaveAll();
    // The save timer: as "Save", then the search index takes what changed.
    void timerSaveTimer();
    // Writes what the shown page holds, and has the index take its topic again.
    void SaveCurrentPage();

private:
    TformMain &window_;
};

} // namespace nimbus
