// Name table of the RTF control words the reader acts on.
#include "shell/rtf/RtfKeyword.h"

#include <string_view>
#include <unordered_map>

namespace nimbus::rtf {

namespace {

using K = RtfKeyword;

const std::unordered_map<std::string_view, RtfKeyword> &table()
{
    static const std::unordered_map<std::string_view, RtfKeyword> words = {
        {"rtf", K::Rtf},
        {"ansi", K::Ansi},
        {"mac", K::Mac},
        {"pc", K::Pc},
        {"pca", K::Pca},
        {"ansicpg", K::AnsiCodePage},
        {"deff", K::DefaultFont},
        {"uc", K::UnicodeSkip},
        {"u", K::Unicode},

        {"fonttbl", K::FontTable},
        {"colortbl", K::ColorTable},
        {"listtable", K::ListTable},
        {"listoverridetable", K::ListOverrideTable},
        {"field", K::Field},
        {"fldinst", K::FieldInstruction},
        {"fldrslt", K::FieldResult},
        {"pn", K::ParagraphNumbering},
        {"pnseclvl", K::OldParagraphNumbering},
        {"list", K::List},
        {"listlevel", K::ListLevel},
        {"leveltext", K::LevelText},
        {"listoverride", K::ListOverride},
        {"listtext", K::ListText},
        {"pntext", K::ParagraphNumberText},

        // Everything here holds no text of the page (or text we cannot place, like headers).
        {"stylesheet", K::SkippedDestination},
        {"info", K::SkippedDestination},
        {"pict", K::SkippedDestination},
        {"object", K::SkippedDestination},
        {"header", K::SkippedDestination},
        {"headerl", K::SkippedDestination},
        {"headerr", K::SkippedDestination},
        {"headerf", K::SkippedDestination},
        {"footer", K::SkippedDestination},
        {"footerl", K::SkippedDestination},
        {"footerr", K::SkippedDestination},
        {"footerf", K::SkippedDestination},
        {"footnote", K::SkippedDestination},
        {"annotation", K::SkippedDestination},
        {"atnid", K::SkippedDestination},
        {"atnauthor", K::SkippedDestination},
        {"xe", K::SkippedDestination},
        {"tc", K::SkippedDestination},
        {"txe", K::SkippedDestination},
        {"rxe", K::SkippedDestination},
        {"pntxta", K::SkippedDestination},
        {"pntxtb", K::SkippedDestination},
        {"filetbl", K::SkippedDestination},
        {"revtbl", K::SkippedDestination},
        {"rsidtbl", K::SkippedDestination},
        {"themedata", K::SkippedDestination},
        {"colorschememapping", K::SkippedDestination},
        {"datastore", K::SkippedDestination},
        {"latentstyles", K::SkippedDestination},
        {"generator", K::SkippedDestination},
        {"shp", K::SkippedDestination},
        {"shppict", K::SkippedDestination},
        {"nonshppict", K::SkippedDestination},
        {"shpinst", K::SkippedDestination},
        {"bkmkstart", K::SkippedDestination},
        {"bkmkend", K::SkippedDestination},
        {"userprops", K::SkippedDestination},
        {"docvar", K::SkippedDestination},
        {"xmlnstbl", K::SkippedDestination},
        {"mmathPr", K::SkippedDestination},
        {"template", K::SkippedDestination},
        {"private", K::SkippedDestination},
        {"ftnsep", K::SkippedDestination},
        {"ftnsepc", K::SkippedDestination},
        {"ftncn", K::SkippedDestination},
        {"aftnsep", K::SkippedDestination},
        {"aftnsepc", K::SkippedDestination},
        {"aftncn", K::SkippedDestination},
        {"listpicture", K::SkippedDestination},
        {"pgdsctbl", K::SkippedDestination},

        {"f", K::Font},
        {"fcharset", K::FontCharset},
        {"red", K::Red},
        {"green", K::Green},
        {"blue", K::Blue},
        {"listid", K::ListId},
        {"levelnfc", K::LevelNumberFormat},
        {"levelnfcn", K::LevelNumberFormat},

        {"plain", K::Plain},
        {"b", K::Bold},
        {"i", K::Italic},
        {"ul", K::Underline},
        {"ulnone", K::UnderlineNone},
        {"uld", K::UnderlineVariant},
        {"uldb", K::UnderlineVariant},
        {"uldash", K::UnderlineVariant},
        {"uldashd", K::UnderlineVariant},
        {"uldashdd", K::UnderlineVariant},
        {"ulth", K::UnderlineVariant},
        {"ulw", K::UnderlineVariant},
        {"ulwave", K::UnderlineVariant},
        {"ulhwave", K::UnderlineVariant},
        {"ulldash", K::UnderlineVariant},
        {"ululdbwave", K::UnderlineVariant},
        {"strike", K::Strike},
        {"striked", K::StrikeDouble},
        {"fs", K::FontSize},
        {"cf", K::ForeColor},
        {"cb", K::BackColor},
        {"highlight", K::Highlight},
        {"chcbpat", K::CharShading},

        {"pard", K::ParagraphDefault},
        {"li", K::LeftIndent},
        {"lin", K::LeftIndent},
        {"ri", K::RightIndent},
        {"rin", K::RightIndent},
        {"fi", K::FirstIndent},
        {"sb", K::SpaceBefore},
        {"sa", K::SpaceAfter},
        {"ql", K::AlignLeft},
        {"qr", K::AlignRight},
        {"qc", K::AlignCenter},
        {"qj", K::AlignJustify},
        {"tx", K::TabPosition},
        {"tqr", K::TabRight},
        {"tqc", K::TabCenter},
        {"tqdec", K::TabDecimal},
        {"ls", K::ListNumber},
        {"ilvl", K::ListLevelNumber},

        {"pnlvlblt", K::PnBullet},
        {"pnlvlbody", K::PnBody},
        {"pnlvlcont", K::PnContinue},
        {"pnlvl", K::PnLevel},
        {"pndec", K::PnDecimal},
        {"pnucrm", K::PnUpperRoman},
        {"pnlcrm", K::PnLowerRoman},
        {"pnucltr", K::PnUpperLetter},
        {"pnlcltr", K::PnLowerLetter},

        {"par", K::Par},
        {"line", K::Line},
        {"tab", K::Tab},
        {"page", K::Page},
        {"sect", K::Section},
        {"cell", K::Cell},
        {"row", K::Row},
        {"bullet", K::Bullet},
        {"emdash", K::EmDash},
        {"endash", K::EnDash},
        {"emspace", K::EmSpace},
        {"enspace", K::EnSpace},
        {"lquote", K::LeftQuote},
        {"rquote", K::RightQuote},
        {"ldblquote", K::LeftDoubleQuote},
        {"rdblquote", K::RightDoubleQuote},
    };
    return words;
}

} // namespace

RtfKeyword lookupKeyword(QByteArrayView word)
{
    const auto &words = table();
    const auto found = words.find(std::string_view(word.data(), std::size_t(word.size())));
    return found == words.end() ? RtfKeyword::Unknown : found->second;
}

} // namespace nimbus::rtf
