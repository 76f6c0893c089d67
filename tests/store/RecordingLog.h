// A store log that keeps every line, so tests can check what was reported.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus::test {

class RecordingLog : public StoreLog {
public:
    void AddToLog(const std::string &message) override { lines.push_back(message); }
    void AddErrorToLog(const std::string &message, const std::string &detail) override
    {
        lines.push_back(message + " | " + detail);
    }
    bool mentions(const std::string &part) const
    {
        for (const std::string &line : lines)
            if (line.find(part) != std::string::npos)
                return true;
        return false;
    }
    std::vector<std::string> lines;
};

}  // namespace nimbus::test
