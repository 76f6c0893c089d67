// The field table of a topic.
#include "history/NodeFields.h"

#include <array>
#include <string_view>
#include <type_traits>

#include "history/StepNames.h"
#include "store/TNimbusNode.h"

namespace nimbus::history {

namespace {

using IntField = int TNimbusNode::*;
using BoolField = bool TNimbusNode::*;
using TextField = std::string TNimbusNode::*;
using CompactTextField = CompactString TNimbusNode::*;
using SortKeyField = SortKey TNimbusNode::*;

struct Field {
    const char *name;
    std::variant<IntField, BoolField, TextField, CompactTextField, SortKeyField> member;
};

// Members kept in a form of their own (not std::string) that read and write as text.
template <typename Member>
constexpr bool kHeldAsText =
    std::is_same_v<Member, CompactString> || std::is_same_v<Member, SortKey>;

const std::array kFields{
    Field{"ttype", &TNimbusNode::ttype},
    Field{"status", &TNimbusNode::status},
    Field{"type", &TNimbusNode::type},
    Field{"pri", &TNimbusNode::pri},
    Field{"rno", &TNimbusNode::rno},
    Field{"rtype", &TNimbusNode::rtype},
    Field{"flno", &TNimbusNode::flno},
    Field{"fltyp", &TNimbusNode::fltyp},
    Field{"durno", &TNimbusNode::durno},
    Field{"durtype", &TNimbusNode::durtype},
    Field{"pr%", &TNimbusNode::percent},
    Field{"childCount", &TNimbusNode::childCount},
    Field{"urgentCount", &TNimbusNode::urgentCount},
    Field{"daysLeft", &TNimbusNode::daysLeft},
    Field{"highlightColour", &TNimbusNode::highlightColour},
    Field{"dl", &TNimbusNode::dl},
    Field{"recur", &TNimbusNode::recur},
    Field{"urgent", &TNimbusNode::urgent},
    Field{"auto", &TNimbusNode::autoComplete},
    Field{"done", &TNimbusNode::done},
    Field{"calpr", &TNimbusNode::calpr},
    Field{"prog", &TNimbusNode::prog},
    Field{"fav", &TNimbusNode::fav},
    Field{"dlDate", &TNimbusNode::dlDate},
    Field{"dlTime", &TNimbusNode::dlTime},
    Field{"statusText", &TNimbusNode::statusText},
    Field{"sortKey", &TNimbusNode::sortKey},
    Field{"text", &TNimbusNode::text},
    Field{"rsDate", &TNimbusNode::rsDate},
    Field{"rsTime", &TNimbusNode::rsTime},
    Field{"fdate", &TNimbusNode::fdate},
    Field{"fTime", &TNimbusNode::fTime},
    Field{"cre", &TNimbusNode::cre},
    Field{"sta", &TNimbusNode::sta},
    Field{"from", &TNimbusNode::from},
    Field{"sent", &TNimbusNode::sent},
    Field{"dam", &TNimbusNode::dam},
    Field{"dac", &TNimbusNode::dac},
    Field{"oldttype", &TNimbusNode::oldttype},
    Field{"sys", &TNimbusNode::sys},
    Field{"top", &TNimbusNode::top},
    Field{"send", &TNimbusNode::send},
    Field{"lock", &TNimbusNode::lock},
};
static_assert(kFields.size() < 256, "a change keeps its field's position in one byte");

} // namespace

Derived derivedKind(int field)
{
    const std::string_view name = fieldName(field);
    if (name == "childCount" || name == "urgentCount")
        return Derived::Count;
    return name == "daysLeft" ? Derived::DaysLeft : Derived::No;
}

std::string fieldWords(int field)
{
    const std::string_view name = fieldName(field);
    return name == "text" ? std::string("the title") : "the field " + std::string(name);
}

std::string valueWords(const FieldValue &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return quotedTitle(*text);
    if (const auto *flag = std::get_if<bool>(&value))
        return *flag ? "yes" : "no";
    return std::to_string(std::get<int>(value));
}

int fieldCount()
{
    return static_cast<int>(kFields.size());
}

const char *fieldName(int field)
{
    return kFields[static_cast<std::size_t>(field)].name;
}

FieldValue readField(const TNimbusNode &node, int field)
{
    return std::visit(
        [&node](auto member) -> FieldValue {
            if constexpr (kHeldAsText<std::remove_cvref_t<decltype(node.*member)>>)
                return (node.*member).str();
            else
                return node.*member;
        },
        kFields[static_cast<std::size_t>(field)].member);
}

void writeField(TNimbusNode &node, int field, const FieldValue &value)
{
    std::visit(
        [&](auto member) {
            using Member = std::remove_reference_t<decltype(node.*member)>;
            // A compact text field and the ordering key take their values as text.
            using Value = std::conditional_t<kHeldAsText<Member>, std::string, Member>;
            if (const auto *typed = std::get_if<Value>(&value))
                node.*member = *typed;
        },
        kFields[static_cast<std::size_t>(field)].member);
}

NodeImage imageOf(const TNimbusNode &node)
{
    NodeImage image;
    image.reserve(kFields.size());
    for (int field = 0; field < fieldCount(); ++field)
        image.push_back(readField(node, field));
    return image;
}

std::vector<FieldChange> changesSince(const NodeImage &before, const TNimbusNode &now)
{
    std::vector<FieldChange> changes;
    for (int field = 0; field < fieldCount() && field < static_cast<int>(before.size()); ++field) {
        FieldValue after = readField(now, field);
        if (after != before[static_cast<std::size_t>(field)])
            changes.push_back(FieldChange{static_cast<std::uint8_t>(field),
                                          before[static_cast<std::size_t>(field)],
                                          std::move(after)});
    }
    return changes;
}

} // namespace nimbus::history
