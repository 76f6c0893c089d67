// How a long operation (a large send or merge, a download) tells the user how far it has come
// and learns that the user wants it to stop. The window shows it; the operation decides when
// stopping is safe and looks at cancelled() only at those points.
#pragma once

#include <cstdint>
#include <string>

namespace nimbus::fileio {

class OperationProgress {
public:
    virtual ~OperationProgress() = default;

    // done of total units so far (bytes, files or packets; total 0 when not known yet) and a
    // short text that says what is being done.
    virtual void report(std::int64_t done, std::int64_t total, const std::string &text) = 0;
    // Whether a request to stop can be honoured from now on; a display offers Cancel only then.
    virtual void allowCancel(bool /*allowed*/) {}
    // True once the user asked the operation to stop.
    virtual bool cancelled() const = 0;
};

// Reports go nowhere and nothing is ever cancelled: what every caller gets unless it asks
// for a display.
class IgnoredProgress final : public OperationProgress {
public:
    void report(std::int64_t, std::int64_t, const std::string &) override {}
    bool cancelled() const override { return false; }
};

// One shared instance; it holds no state.
inline OperationProgress &ignoredProgress()
{
    static IgnoredProgress ignored;
    return ignored;
}

} // namespace nimbus::fileio
