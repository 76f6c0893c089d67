// The log that drops everything.
#include "store/StoreLog.h"

namespace nimbus {

NullStoreLog &NullStoreLog::instance()
{
    static NullStoreLog log;
    return log;
}

}  // namespace nimbus
