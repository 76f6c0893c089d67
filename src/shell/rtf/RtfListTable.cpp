// Lists declared in \listtable and \listoverridetable; see RtfListTable.h.
#include "shell/rtf/RtfListTable.h"

namespace nimbus::rtf {

void RtfListTable::beginList()
{
    lists_.emplace_back();
}

void RtfListTable::setListId(int id)
{
    if (!lists_.empty())
        lists_.back().id = id;
}

void RtfListTable::beginLevel()
{
    if (!lists_.empty() && lists_.back().levels.size() < MaxLevels)
        lists_.back().levels.emplace_back();
}

void RtfListTable::setLevelNumberFormat(int format)
{
    if (lists_.empty() || lists_.back().levels.empty())
        return;
    LevelDefinition &definition = lists_.back().levels.back();
    definition.level.style = styleForNumberFormat(format);
    definition.bullet = format == 23 || format == 255;
}

void RtfListTable::appendLevelText(const QString &text)
{
    if (lists_.empty() || lists_.back().levels.empty())
        return;
    QString &levelText = lists_.back().levels.back().text;
    if (levelText.size() < 16)
        levelText += text.left(16);
}

void RtfListTable::beginOverride()
{
    overrideNumber_ = 0;
    overrideListId_ = 0;
}

void RtfListTable::setOverrideListId(int id)
{
    overrideListId_ = id;
    if (overrideNumber_ != 0)
        overrides_[overrideNumber_] = overrideListId_;
}

void RtfListTable::setOverrideNumber(int number)
{
    overrideNumber_ = number;
    overrides_[overrideNumber_] = overrideListId_;
}

RtfListTable::Level RtfListTable::level(int number, int level) const
{
    const auto override = overrides_.find(number);
    if (override == overrides_.end())
        return {};
    for (const List &list : lists_) {
        if (list.id != override->second || list.levels.empty())
            continue;
        const std::size_t index = std::min<std::size_t>(std::max(level, 0), list.levels.size() - 1);
        return resolved(list.levels[index]);
    }
    return {};
}

RtfListTable::Level RtfListTable::resolved(const LevelDefinition &definition)
{
    Level level = definition.level;
    if (definition.bullet) {
        // The bullet character tells the three bullet shapes apart; word processors put
        // the circle as an "o" or U+25E6 and the square as U+25AA, U+25A0 or a Wingdings one.
        const QString bullet = definition.text.left(1);
        if (bullet == u"o" || bullet == u"\u25E6" || bullet == u"\u25CB")
            level.style = QTextListFormat::ListCircle;
        else if (bullet == u"\u25AA" || bullet == u"\u25A0" || bullet == u"\uF0A7")
            level.style = QTextListFormat::ListSquare;
        else
            level.style = QTextListFormat::ListDisc;
    }
    return level;
}

QTextListFormat::Style RtfListTable::styleForNumberFormat(int format)
{
    switch (format) {
    case 0:
        return QTextListFormat::ListDecimal;
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23:
    case 255:
        return QTextListFormat::ListDisc;
    default:
        return QTextListFormat::ListDecimal;
    }
}

int RtfListTable::numberFormatForStyle(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDecimal:
        return 0;
    case QTextListFormat::ListUpperRoman:
        return 1;
    case QTextListFormat::ListLowerRoman:
        return 2;
    case QTextListFormat::ListUpperAlpha:
        return 3;
    case QTextListFormat::ListLowerAlpha:
        return 4;
    default:
        return 23;
    }
}

} // namespace nimbus::rtf
