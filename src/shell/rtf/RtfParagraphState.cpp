// Paragraph properties while RTF is read; see RtfParagraphState.h.
#include "shell/rtf/RtfParagraphState.h"

#include "shell/rtf/RtfListTable.h"

namespace nimbus::rtf {

namespace {

constexpr int MaxTwips = 31680; // 22 inches
constexpr qsizetype MaxTabs = 64;
constexpr int MaxLevel = RtfListTable::MaxLevels - 1;

int twips(int value)
{
    return qBound(-MaxTwips, value, MaxTwips);
}

} // namespace

bool RtfParagraphState::apply(RtfKeyword keyword, int parameter)
{
    using K = RtfKeyword;
    switch (keyword) {
    case K::ParagraphDefault:
        *this = RtfParagraphState();
        break;
    case K::InTable:
        inTable = true;
        break;
    case K::TableDepth:
        inTable = parameter > 0;
        break;
    case K::LeftIndent:
        left = twips(parameter);
        break;
    case K::RightIndent:
        right = twips(parameter);
        break;
    case K::FirstIndent:
        first = twips(parameter);
        break;
    case K::SpaceBefore:
        before = qBound(0, parameter, MaxTwips);
        break;
    case K::SpaceAfter:
        after = qBound(0, parameter, MaxTwips);
        break;
    case K::AlignLeft:
        alignment = {};
        break;
    case K::AlignRight:
        alignment = Qt::AlignRight;
        break;
    case K::AlignCenter:
        alignment = Qt::AlignHCenter;
        break;
    case K::AlignJustify:
        alignment = Qt::AlignJustify;
        break;
    case K::TabRight:
        nextTabType = QTextOption::RightTab;
        break;
    case K::TabCenter:
        nextTabType = QTextOption::CenterTab;
        break;
    case K::TabDecimal:
        nextTabType = QTextOption::DelimiterTab;
        break;
    case K::TabPosition:
        if (tabs.size() < MaxTabs) {
            QTextOption::Tab tab(qBound(0, parameter, MaxTwips) / TwipsPerPixel, nextTabType);
            if (nextTabType == QTextOption::DelimiterTab)
                tab.delimiter = QLatin1Char('.');
            tabs.append(tab);
        }
        nextTabType = QTextOption::LeftTab;
        break;
    case K::ListNumber:
        listNumber = qMax(0, parameter);
        break;
    case K::ListLevelNumber:
        listLevel = qBound(0, parameter, MaxLevel);
        break;
    default:
        return false;
    }
    return true;
}

void RtfParagraphState::applyNumbering(RtfKeyword keyword, int parameter)
{
    using K = RtfKeyword;
    switch (keyword) {
    case K::PnBullet:
        numbering = Numbering::Bullet;
        numberingStyle = QTextListFormat::ListDisc;
        break;
    case K::PnBody:
        numbering = Numbering::Numbered;
        break;
    case K::PnContinue:
        numbering = Numbering::Continue;
        break;
    case K::PnLevel:
        numbering = Numbering::Numbered;
        numberingLevel = qBound(0, parameter - 1, MaxLevel);
        break;
    case K::PnDecimal:
        numberingStyle = QTextListFormat::ListDecimal;
        break;
    case K::PnUpperRoman:
        numberingStyle = QTextListFormat::ListUpperRoman;
        break;
    case K::PnLowerRoman:
        numberingStyle = QTextListFormat::ListLowerRoman;
        break;
    case K::PnUpperLetter:
        numberingStyle = QTextListFormat::ListUpperAlpha;
        break;
    case K::PnLowerLetter:
        numberingStyle = QTextListFormat::ListLowerAlpha;
        break;
    default:
        break;
    }
}

RtfListMembership RtfParagraphState::listMembership(const RtfListTable &lists) const
{
    RtfListMembership list;
    if (listNumber > 0) {
        list.inList = true;
        list.level = listLevel;
        list.key = static_cast<long long>(listNumber) * 16 + listLevel;
        list.style = lists.level(listNumber, listLevel).style;
    } else if (numbering == Numbering::Bullet || numbering == Numbering::Numbered) {
        list.inList = true;
        list.level = numberingLevel;
        list.style = numberingStyle;
    }
    return list;
}

QTextBlockFormat RtfParagraphState::blockFormat(const RtfListTable &lists) const
{
    QTextBlockFormat format;
    int leftTwips = left;
    int firstTwips = first;
    const RtfListMembership list = listMembership(lists);
    if (list.inList) {
        // The list indents by its level and hangs its own number: what word processors put
        // into \li and \fi for that is not the paragraph's own indent.
        leftTwips = qMax(0, leftTwips - ListIndentTwips * (list.level + 1));
        firstTwips = 0;
    }
    if (leftTwips != 0)
        format.setLeftMargin(leftTwips / TwipsPerPixel);
    if (right != 0)
        format.setRightMargin(right / TwipsPerPixel);
    if (firstTwips != 0)
        format.setTextIndent(firstTwips / TwipsPerPixel);
    if (before != 0)
        format.setTopMargin(before / TwipsPerPixel);
    if (after != 0)
        format.setBottomMargin(after / TwipsPerPixel);
    if (alignment)
        format.setAlignment(alignment);
    if (!tabs.isEmpty())
        format.setTabPositions(tabs);
    return format;
}

} // namespace nimbus::rtf
