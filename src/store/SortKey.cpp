// The ordering key's stream form (test failures print it as text).
#include "store/SortKey.h"

#include <ostream>

namespace nimbus {

std::ostream &operator<<(std::ostream &out, const SortKey &key)
{
    return out << key.view();
}

} // namespace nimbus
