// Repeats typed in words, carried as fields and given to topics.
#include "tree/RepeatField.h"

#include "fileio/UiText.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/StoreLog.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::cli {

Outcome repeatFields(const std::string &typed, const recurrence::RecurrenceWords::DateReader &dates,
                     Fields &fields)
{
    recurrence::TypedRepeat repeat;
    std::string error;
    if (!recurrence::RecurrenceWords(dates).parse(typed, repeat, error))
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "recur=\"%1\": %2"),
                             {typed, error});
    switch (repeat.kind) {
    case recurrence::TypedRepeat::Kind::None:
        fields.emplace_back("recur", "none");
        break;
    case recurrence::TypedRepeat::Kind::Plain:
        fields.emplace_back("recur",
                            std::to_string(repeat.count) + " " + std::to_string(repeat.unit));
        break;
    case recurrence::TypedRepeat::Kind::Rich: {
        const recurrence::PlainRule nearest = recurrence::nearestPlainRule(repeat.rule);
        fields.emplace_back("recur",
                            std::to_string(nearest.rno) + " " + std::to_string(nearest.rtype));
        fields.emplace_back("rule", recurrence::formatRule(repeat.rule));
        break;
    }
    }
    return Outcome::ok();
}

Outcome applyRuleField(TNimbusNode &node, const std::string &rule)
{
    recurrence::Series series;
    std::string error;
    if (!recurrence::parseRule(rule, series.rule, error))
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages", "the repeat rule \"%1\" cannot be used: %2"),
            {rule, error});
    DateTime due;
    if (!dates::parseDateKey(node.dlDate, due))
        return Outcome::fail(kUsage,
                             NIMBUS_TEXT_NOOP("CliMessages", "a recurring topic needs a due date"));
    series.startDay = due.dayNumber();
    if (!dates::isNoTime(node.dlTime))
        series.time = schedule::timeOfDay(node.dlTime);
    const std::optional<std::int64_t> first =
        recurrence::firstRuleDay(series.rule, series.startDay, series.time);
    if (!first)
        return Outcome::fail(
            kUsage,
            NIMBUS_TEXT_NOOP("CliMessages", "the repeat \"%1\" has no date from the due date on"),
            {recurrence::RecurrenceWords::describe(series.rule)});
    series.startDay = *first;
    recurrence::applySeries(node, series);
    return Outcome::ok();
}

bool touchesRepeat(const Fields &fields)
{
    for (const auto &[name, value] : fields)
        if (name == "recur" || name == "rule" || name == "due")
            return true;
    return false;
}

std::optional<recurrence::Series> attachedSeries(const TNimbusNode &node)
{
    if (const auto *rule = dynamic_cast<const recurrence::SeriesRule *>(node.richRule.get()))
        return rule->series();
    return std::nullopt;
}

void recordSeries(recurrence::RecurrenceFile &file, const TNimbusNode &node)
{
    const recurrence::Series *series = node.recur ? recurrence::seriesOf(node) : nullptr;
    const recurrence::Series *kept = file.Find(node.uni);
    if (series && !(kept && *kept == *series))
        file.Set(node.uni, *series);
    else if (!series)
        file.Remove(node.uni);
}

std::string repeatInWords(const TNimbusNode &node, const std::string &dataFolder, int displayOrder)
{
    const std::string plain =
        "every " + std::to_string(node.rno) + " " + periodName(node.rtype, node.rno);
    recurrence::RecurrenceFile file(dataFolder);
    if (!node.recur || !file.Load(NullStoreLog::instance()))
        return plain;
    const recurrence::Series *series = file.Find(node.uni);
    // As the program attaches it: a plain rule changed since is the user's last word.
    if (!series || !recurrence::SeriesRule(*series).FitsPlainRule(node.rno, node.rtype))
        return plain;
    std::string words = recurrence::RecurrenceWords::describe(series->rule);
    const auto dateList = [&](const char *what, const std::vector<std::int64_t> &days) {
        if (days.empty())
            return;
        words += std::string(", ") + what;
        for (std::size_t i = 0; i < days.size(); ++i) {
            words += i ? ", " : " ";
            words +=
                dates::displayDate(dates::dateKey(DateTime::fromDayNumber(days[i])), displayOrder);
        }
    };
    dateList("skipping", series->exceptions);
    dateList("also on", series->additions);
    return words;
}

} // namespace nimbus::cli
