#include "fileio/UiText.h"

#include <atomic>

namespace nimbus::text {

namespace {
std::atomic<Translator> installed{nullptr};
}

void setTranslator(Translator translator)
{
    installed.store(translator, std::memory_order_release);
}

std::string translate(const char *context, const char *source)
{
    const Translator translator = installed.load(std::memory_order_acquire);
    return translator ? translator(context, source) : std::string(source);
}

} // namespace nimbus::text
