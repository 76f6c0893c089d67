// How the store reports problems to the program's log without knowing about windows: the
// caller hands in an implementation (the main log adapts it; tests record the lines).
#pragma once

#include <string>

namespace nimbus {

class StoreLog {
public:
    virtual ~StoreLog() = default;
    // An ordinary log line.
    virtual void AddToLog(const std::string &message) = 0;
    // A failure: the message (it starts with "*** ") and the detail, usually the system's text.
    virtual void AddErrorToLog(const std::string &message, const std::string &detail) = 0;
};

// Drops every line; the default when no log is attached.
class NullStoreLog : public StoreLog {
public:
    void AddToLog(const std::string &) override {}
    void AddErrorToLog(const std::string &, const std::string &) override {}
    static NullStoreLog &instance();
};

// The outcome of a store operation that can fail, with the system's error text.
struct StoreResult {
    bool ok = true;
    std::string errorText;
    explicit operator bool() const { return ok; }
    static StoreResult failure(std::string text) { return StoreResult{false, std::move(text)}; }
};

}  // namespace nimbus
