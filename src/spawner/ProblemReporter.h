// Shows the Spawner's error texts in the "Spawner Problem" message box and writes them to
// standard error, where scripts and tests can read them.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace spawner {

class ProblemReporter {
public:
    // Blocks until the box is acknowledged. On platforms without a screen (offscreen,
    // minimal) nobody could press OK, so only the text is written.
    void report(QWidget *parent, const std::string &text);

    const std::vector<std::string> &reportedTexts() const { return reported_; }

    static constexpr const char *kTitle = "Spawner Problem";

private:
    std::vector<std::string> reported_;
};

} // namespace spawner
