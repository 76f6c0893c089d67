#include "fileio/UiText.h"

#include <atomic>
#include <string>

namespace nimbus::text {

namespace {
std::atomic<Translator> installed{nullptr};
std::atomic<CountTranslator> installedCount{nullptr};

void replaceAll(std::string &text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

void setTranslator(Translator translator)
{
    installed.store(translator, std::memory_order_release);
}

void setCountTranslator(CountTranslator translator)
{
    installedCount.store(translator, std::memory_order_release);
}

std::string translate(const char *context, const char *source)
{
    const Translator translator = installed.load(std::memory_order_acquire);
    return translator ? translator(context, source) : std::string(source);
}

std::string translate(const char *context, const char *source, const char *comment, int n)
{
    if (const CountTranslator translator = installedCount.load(std::memory_order_acquire))
        return translator(context, source, comment, n);
    return englishCount(source, n);
}

std::string englishCount(const char *source, int n)
{
    std::string english(source);
    replaceAll(english, "(s)", n == 1 ? "" : "s");
    replaceAll(english, "%n", std::to_string(n));
    return english;
}

std::string withValues(std::string text, const std::vector<std::string> &values)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t index = static_cast<std::size_t>(next - '1');
        // One pass, so that a value holding "%2" is never replaced again.
        if (text[i] == '%' && next >= '1' && next <= '9' && index < values.size()) {
            out += values[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace nimbus::text
