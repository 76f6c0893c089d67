// Sets $TZ for the life of the object, so that no test depends on the machine's zone.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace nimbus::test {

class ScopedZone {
public:
    explicit ScopedZone(const char *zone)
    {
        if (const char *old = std::getenv("TZ"))
            old_ = old, hadOld_ = true;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedZone()
    {
        if (hadOld_)
            ::setenv("TZ", old_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    ScopedZone(const ScopedZone &) = delete;
    ScopedZone &operator=(const ScopedZone &) = delete;

private:
    std::string old_;
    bool hadOld_ = false;
};

} // namespace nimbus::test
