// A topic's text as a view shows it; see ShownText.h.
#include "widgets/ShownText.h"

namespace nimbus::widgets {

QString shownText(const std::string &text)
{
    // Four bytes at most per character: the cut never shortens what is shown.
    constexpr std::size_t kBytes = 4 * kShownCharacters;
    if (text.size() <= kBytes)
        return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    QString shown = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(kBytes));
    shown.truncate(kShownCharacters);
    return shown + QChar(0x2026);
}

} // namespace nimbus::widgets
