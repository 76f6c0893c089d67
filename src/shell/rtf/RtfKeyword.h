// The RTF control words the reader acts on, looked up once per token by name.
#pragma once

#include <QByteArrayView>

namespace nimbus::rtf {

enum class RtfKeyword {
    Unknown,
    // document
    Rtf,
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    UnicodeSkip,
    Unicode,
    // destinations we read
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    Field,
    FieldInstruction,
    FieldResult,
    ParagraphNumbering,
    OldParagraphNumbering,
    List,
    ListLevel,
    LevelText,
    ListOverride,
    ListText,
    ParagraphNumberText,
    // destinations that are always skipped
    SkippedDestination,
    // font and colour tables, list tables
    Font,
    FontCharset,
    Red,
    Green,
    Blue,
    ListId,
    LevelNumberFormat,
    // character formatting
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    UnderlineVariant,
    Strike,
    StrikeDouble,
    FontSize,
    ForeColor,
    BackColor,
    Highlight,
    CharShading,
    // paragraph formatting
    ParagraphDefault,
    LeftIndent,
    RightIndent,
    FirstIndent,
    SpaceBefore,
    SpaceAfter,
    AlignLeft,
    AlignRight,
    AlignCenter,
    AlignJustify,
    TabPosition,
    TabRight,
    TabCenter,
    TabDecimal,
    ListNumber,
    ListLevelNumber,
    // old paragraph numbering (inside \pn)
    PnBullet,
    PnBody,
    PnContinue,
    PnLevel,
    PnDecimal,
    PnUpperRoman,
    PnLowerRoman,
    PnUpperLetter,
    PnLowerLetter,
    // special characters and breaks
    Par,
    Line,
    Tab,
    Page,
    Section,
    Cell,
    Row,
    Bullet,
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
};

RtfKeyword lookupKeyword(QByteArrayView word);

} // namespace nimbus::rtf
