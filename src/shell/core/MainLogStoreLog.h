// The main log as the store's log: store problems land in MainLog.txt and the log view.
#pragma once

#include "shell/core/MainLog.h"
#include "store/StoreLog.h"

namespace nimbus {

class MainLogStoreLog : public StoreLog {
public:
    explicit MainLogStoreLog(MainLog &log) : log_(log) {}
    void AddToLog(const std::string &message) override { log_.AddToLog(message); }
    void AddErrorToLog(const std::string &message, const std::string &detail) override
    {
        log_.setErrorDetail(detail);
        log_.AddErrorToLog(message);
    }

private:
    MainLog &log_;
};

} // namespace nimbus
