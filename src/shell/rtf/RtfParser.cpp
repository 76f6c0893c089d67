// The RTF state machine behind RtfReader; see RtfParser.h.
#include "shell/rtf/RtfParser.h"

#include "shell/rtf/RtfFieldInstruction.h"

#include <QFont>
#include <QTextDocument>

namespace nimbus::rtf {

namespace {

constexpr std::size_t MaxFonts = 4096;
constexpr std::size_t MaxColors = 4096;
constexpr qsizetype MaxFontName = 256;
constexpr qsizetype MaxInstruction = 4096;

bool hasHighBytes(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

RtfParser::RtfParser(QTextDocument *document, qsizetype maxParagraphs)
    : builder_(document), maxParagraphs_(maxParagraphs)
{
}

bool RtfParser::parse(QByteArrayView rtf)
{
    // Raw 8-bit bytes are code page text in RTF, but a page saved as UTF-8 holds them too.
    rawUtf8_ = hasHighBytes(rtf) && isValidUtf8(rtf);

    RtfTokenizer tokenizer(rtf);
    for (RtfTokenizer::Token token = tokenizer.next();
         token.type != RtfTokenizer::Type::End && !rootClosed_ && !stopped_;
         token = tokenizer.next()) {
        using Type = RtfTokenizer::Type;
        if (ignoredDepth_ > 0) {
            if (token.type == Type::GroupStart)
                ++ignoredDepth_;
            else if (token.type == Type::GroupEnd)
                --ignoredDepth_;
            continue;
        }
        if (groups_.empty() && token.type != Type::GroupStart)
            continue;
        switch (token.type) {
        case Type::GroupStart:
            groupStart();
            break;
        case Type::GroupEnd:
            groupEnd();
            break;
        case Type::ControlWord:
            controlWord(token);
            break;
        case Type::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case Type::HexByte:
            hexByte(token.byte);
            break;
        case Type::Text:
            text(token.word);
            break;
        case Type::End:
            break;
        }
    }
    flushBytes();
    if (!rootClosed_ && problem_.isEmpty())
        problem_ = QStringLiteral("The text ends before its last group is closed.");
    builder_.finish(lastTextParagraph_.blockFormat(lists_),
                    lastTextParagraph_.listMembership(lists_));
    return problem_.isEmpty();
}

void RtfParser::groupStart()
{
    flushBytes();
    skipCount_ = 0;
    if (groups_.size() >= MaxGroupDepth) {
        ignoredDepth_ = 1;
        problem_ = QStringLiteral("Groups are nested more than %1 deep; the deeper ones were "
                                  "left out.")
                       .arg(MaxGroupDepth);
        return;
    }
    if (groups_.empty())
        groups_.emplace_back();
    else
        groups_.push_back(groups_.back());
    groupJustStarted_ = true;
    ignorable_ = false;
}

void RtfParser::groupEnd()
{
    flushBytes();
    skipCount_ = 0;
    const GroupState &closing = state();
    if (closing.destination == Destination::FontTable && fontNumber_ >= 0 && !fontName_.isEmpty() &&
        fonts_[fontNumber_].name.isEmpty()) {
        fonts_[fontNumber_].name = fontName_.trimmed(); // a name without its ';'
        fontName_.clear();
    }
    if (closing.destination == Destination::Picture && pictureDepth_ == groups_.size())
        endPicture();
    if (!fields_.empty() && fields_.back().depth == groups_.size())
        fields_.pop_back();
    groups_.pop_back();
    if (groups_.empty())
        rootClosed_ = true;
    groupJustStarted_ = false;
    formatDirty_ = true;
}

void RtfParser::controlWord(const RtfTokenizer::Token &token)
{
    if (skipCount_ > 0) { // a control word stands for one character of a \u fallback
        --skipCount_;
        return;
    }
    flushBytes();
    const RtfKeyword keyword = lookupKeyword(token.word);
    const bool first = groupJustStarted_;
    groupJustStarted_ = false;
    if (destinationWord(keyword))
        return;
    if (first && ignorable_) { // {\*\unknown ...}
        state().destination = Destination::Skip;
        return;
    }
    const int parameter = token.parameter;
    if (state().destination == Destination::Picture) {
        picture_.controlWord(keyword, token.word, token.hasParameter, parameter, token.binary);
        return;
    }
    if (state().destination == Destination::Object)
        return;
    if (keyword == RtfKeyword::UnicodeSkip) {
        state().unicodeSkip = qBound(0, parameter, 16);
        return;
    }
    if (keyword == RtfKeyword::Unicode) { // in every destination, font names included
        appendText(QString(QChar(static_cast<char16_t>(parameter & 0xFFFF))));
        skipCount_ = state().unicodeSkip;
        return;
    }
    switch (state().destination) {
    case Destination::Skip:
    case Destination::Picture:
    case Destination::Object:
        return;
    case Destination::FontTable:
    case Destination::ColorTable:
    case Destination::ListTable:
    case Destination::ListLevelText:
    case Destination::ListOverrideTable:
        tableWord(keyword, parameter);
        return;
    case Destination::Numbering:
        groups_[state().numberingOwner].paragraph.applyNumbering(keyword, parameter);
        return;
    case Destination::Body:
    case Destination::FieldInstruction:
        break;
    }

    using K = RtfKeyword;
    if (row_.apply(keyword, parameter))
        return;
    if (keyword == K::TableDepth && parameter > 1)
        noteUnkept(QStringLiteral("tables inside tables"));
    switch (keyword) {
    case K::AnsiCodePage:
        codePage_ = RtfCodePage::isSupported(parameter) ? parameter : RtfCodePage::Windows1252;
        return;
    case K::Mac:
    case K::Pc:
    case K::Pca: {
        const int page = keyword == K::Mac ? 10000 : keyword == K::Pc ? 437 : 850;
        if (RtfCodePage::isSupported(page))
            codePage_ = page;
        return;
    }
    case K::Par:
    case K::Page:
    case K::Section:
    case K::NestedRow:
        if (state().destination == Destination::Body)
            endParagraph();
        return;
    case K::Cell:
        if (state().destination == Destination::Body)
            endCell();
        return;
    case K::Row:
        if (state().destination == Destination::Body && builder_.inRow())
            builder_.endRow();
        return;
    case K::Line:
        appendText(QString(QChar::LineSeparator));
        return;
    case K::Tab:
    case K::NestedCell:
        appendText(QStringLiteral("\t"));
        return;
    case K::Bullet:
        appendText(QString(QChar(0x2022)));
        return;
    case K::EmDash:
        appendText(QString(QChar(0x2014)));
        return;
    case K::EnDash:
        appendText(QString(QChar(0x2013)));
        return;
    case K::EmSpace:
        appendText(QString(QChar(0x2003)));
        return;
    case K::EnSpace:
        appendText(QString(QChar(0x2002)));
        return;
    case K::LeftQuote:
        appendText(QString(QChar(0x2018)));
        return;
    case K::RightQuote:
        appendText(QString(QChar(0x2019)));
        return;
    case K::LeftDoubleQuote:
        appendText(QString(QChar(0x201C)));
        return;
    case K::RightDoubleQuote:
        appendText(QString(QChar(0x201D)));
        return;
    default:
        if (!state().paragraph.apply(keyword, parameter))
            characterWord(keyword, token.hasParameter, parameter);
        return;
    }
}

// Control words that open a destination; true when the word was one.
bool RtfParser::destinationWord(RtfKeyword keyword)
{
    using K = RtfKeyword;
    GroupState &group = state();
    const Destination current = group.destination;
    if (current == Destination::Skip)
        return keyword == K::SkippedDestination;
    switch (keyword) {
    case K::FontTable:
        group.destination = Destination::FontTable;
        return true;
    case K::ColorTable:
        group.destination = Destination::ColorTable;
        colors_.clear();
        red_ = green_ = blue_ = 0;
        colorGiven_ = false;
        return true;
    case K::ListTable:
        group.destination = Destination::ListTable;
        return true;
    case K::ListOverrideTable:
        group.destination = Destination::ListOverrideTable;
        return true;
    case K::List:
        if (current == Destination::ListTable)
            lists_.beginList();
        return current == Destination::ListTable;
    case K::ListLevel:
        if (current == Destination::ListTable)
            lists_.beginLevel();
        return current == Destination::ListTable;
    case K::LevelText:
        if (current == Destination::ListTable)
            group.destination = Destination::ListLevelText;
        return current == Destination::ListTable;
    case K::ListOverride:
        if (current == Destination::ListOverrideTable)
            lists_.beginOverride();
        return current == Destination::ListOverrideTable;
    case K::Field:
        if (current == Destination::Body)
            fields_.push_back({groups_.size(), {}});
        return true;
    case K::FieldInstruction:
        group.destination = fields_.empty() ? Destination::Skip : Destination::FieldInstruction;
        return true;
    case K::FieldResult:
        if (!fields_.empty() && current == Destination::Body) {
            const QString target = hyperlinkTarget(fields_.back().instruction);
            if (!target.isEmpty()) {
                group.href = target;
                formatDirty_ = true;
            }
        }
        return true;
    case K::ParagraphNumbering:
        if (current != Destination::Body || groups_.size() < 2) {
            group.destination = Destination::Skip;
        } else {
            group.destination = Destination::Numbering;
            group.numberingOwner = groups_.size() - 2;
        }
        return true;
    case K::Picture:
        if (current == Destination::Body) {
            group.destination = Destination::Picture;
            picture_ = RtfPicture();
            pictureDepth_ = groups_.size();
        } else {
            group.destination = Destination::Skip;
        }
        return true;
    case K::ShapePicture: // holds the picture itself
        shapePictureSeen_ = true;
        return true;
    case K::NonShapePicture: // the same picture again, for readers that skip \shppict
        if (shapePictureSeen_)
            group.destination = Destination::Skip;
        return true;
    case K::ObjectDestination:
        noteUnkept(QStringLiteral("embedded objects"));
        group.destination = current == Destination::Body ? Destination::Object : Destination::Skip;
        return true;
    case K::ObjectResult: // what an embedded object looks like: read as text
        if (current == Destination::Object)
            group.destination = Destination::Body;
        return true;
    case K::ShapeDestination:
        noteUnkept(QStringLiteral("drawings or floating pictures"));
        group.destination = Destination::Skip;
        return true;
    case K::HeaderFooter:
        noteUnkept(QStringLiteral("headers or footers"));
        group.destination = Destination::Skip;
        return true;
    case K::Footnote:
        noteUnkept(QStringLiteral("footnotes"));
        group.destination = Destination::Skip;
        return true;
    case K::Annotation:
        noteUnkept(QStringLiteral("comments"));
        group.destination = Destination::Skip;
        return true;
    case K::NestedTableProperties:
    case K::NoNestedTables:
    case K::OldParagraphNumbering:
    case K::ListText:
    case K::ParagraphNumberText:
    case K::SkippedDestination:
        group.destination = Destination::Skip;
        return true;
    default:
        return false;
    }
}

void RtfParser::tableWord(RtfKeyword keyword, int parameter)
{
    using K = RtfKeyword;
    const Destination destination = state().destination;
    if (destination == Destination::FontTable) {
        if (keyword == K::Font && (fonts_.size() < MaxFonts || fonts_.count(parameter))) {
            fontNumber_ = parameter;
            fontName_.clear();
            fonts_[fontNumber_];
        } else if (keyword == K::FontCharset && fontNumber_ >= 0) {
            fonts_[fontNumber_].codePage = RtfCodePage::fromCharset(parameter);
        }
    } else if (destination == Destination::ColorTable) {
        const int component = qBound(0, parameter, 255);
        if (keyword == K::Red)
            red_ = component;
        else if (keyword == K::Green)
            green_ = component;
        else if (keyword == K::Blue)
            blue_ = component;
        else
            return;
        colorGiven_ = true;
    } else if (destination == Destination::ListTable) {
        if (keyword == K::ListId)
            lists_.setListId(parameter);
        else if (keyword == K::LevelNumberFormat)
            lists_.setLevelNumberFormat(parameter);
    } else if (destination == Destination::ListOverrideTable) {
        if (keyword == K::ListId)
            lists_.setOverrideListId(parameter);
        else if (keyword == K::ListNumber)
            lists_.setOverrideNumber(parameter);
    }
}

void RtfParser::characterWord(RtfKeyword keyword, bool hasParameter, int parameter)
{
    using K = RtfKeyword;
    CharacterState &c = state().character;
    const bool on = !hasParameter || parameter != 0;
    switch (keyword) {
    case K::Plain:
        c = CharacterState();
        break;
    case K::Bold:
        c.bold = on;
        break;
    case K::Italic:
        c.italic = on;
        break;
    case K::Underline:
    case K::UnderlineVariant:
        c.underline = on;
        break;
    case K::UnderlineNone:
        c.underline = false;
        break;
    case K::Strike:
    case K::StrikeDouble:
        c.strike = on;
        break;
    case K::Font:
        c.font = parameter;
        break;
    case K::FontSize:
        c.halfPoints = hasParameter ? qBound(0, parameter, 3276) : 24;
        break;
    case K::ForeColor:
        c.foreground = parameter;
        break;
    case K::BackColor:
    case K::Highlight:
    case K::CharShading:
        c.background = parameter;
        break;
    default:
        return;
    }
    formatDirty_ = true;
}

void RtfParser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        ignorable_ = groupJustStarted_;
        return;
    }
    groupJustStarted_ = false;
    if (state().destination == Destination::Picture || state().destination == Destination::Object)
        return;
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    flushBytes();
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        appendText(QString(QLatin1Char(symbol)));
        break;
    case '~':
        appendText(QString(QChar(0x00A0)));
        break;
    case '_':
        appendText(QString(QChar(0x2011)));
        break;
    case '\t':
        appendText(QStringLiteral("\t"));
        break;
    case '\r':
    case '\n':
        if (state().destination == Destination::Body)
            endParagraph();
        break;
    default: // \- optional hyphen, \: index subentry, \| formula and unknown symbols
        break;
    }
}

void RtfParser::text(QByteArrayView bytes)
{
    groupJustStarted_ = false;
    if (state().destination == Destination::Picture) {
        picture_.hexText(bytes);
        return;
    }
    if (state().destination == Destination::Object)
        return;
    if (skipCount_ > 0) {
        const qsizetype skipped = qMin<qsizetype>(skipCount_, bytes.size());
        skipCount_ -= static_cast<int>(skipped);
        bytes = bytes.sliced(skipped);
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        const bool high = i < bytes.size() && static_cast<unsigned char>(bytes[i]) >= 0x80;
        const bool end = i == bytes.size();
        if (high || end) {
            if (i > start) {
                flushBytes();
                appendText(QString::fromLatin1(bytes.sliced(start, i - start)));
            }
            start = i + 1;
        }
        if (high) {
            if (!pendingRaw_)
                flushBytes();
            pendingRaw_ = true;
            pendingBytes_.append(bytes[i]);
        }
    }
}

void RtfParser::hexByte(unsigned char byte)
{
    groupJustStarted_ = false;
    if (state().destination == Destination::Picture || state().destination == Destination::Object)
        return;
    if (skipCount_ > 0) {
        --skipCount_;
        return;
    }
    if (pendingRaw_)
        flushBytes();
    pendingRaw_ = false;
    pendingBytes_.append(static_cast<char>(byte));
}

void RtfParser::flushBytes()
{
    if (pendingBytes_.isEmpty())
        return;
    QString decoded;
    if (pendingRaw_ && rawUtf8_)
        decoded = QString::fromUtf8(pendingBytes_);
    else
        decoded = codePages_.decode(pendingBytes_, currentCodePage());
    pendingBytes_.clear();
    appendText(decoded);
}

int RtfParser::currentCodePage() const
{
    const int font = groups_.empty() ? -1 : groups_.back().character.font;
    const auto found = fonts_.find(font);
    if (found != fonts_.end() && found->second.codePage != 0)
        return found->second.codePage;
    return codePage_;
}

void RtfParser::appendText(const QString &input)
{
    QString text = input;
    RtfDocumentBuilder::removeUnsupported(text);
    if (text.isEmpty())
        return;
    GroupState &group = state();
    switch (group.destination) {
    case Destination::Body:
        placeInTable(group.paragraph.inTable);
        builder_.insertText(text, characterFormat());
        lastTextParagraph_ = group.paragraph;
        break;
    case Destination::FontTable:
        for (QChar c : text) {
            if (c == QLatin1Char(';')) {
                if (fontNumber_ >= 0)
                    fonts_[fontNumber_].name = fontName_.trimmed();
                fontName_.clear();
            } else if (fontName_.size() < MaxFontName && c >= QLatin1Char(' ') &&
                       c != QChar::LineSeparator) {
                fontName_ += c; // a font name is one line without tabs
            }
        }
        break;
    case Destination::ColorTable:
        for (QChar c : text) {
            if (c != QLatin1Char(';') || colors_.size() >= MaxColors)
                continue;
            if (colorGiven_)
                colors_.emplace_back(QColor(red_, green_, blue_));
            else
                colors_.emplace_back(std::nullopt);
            red_ = green_ = blue_ = 0;
            colorGiven_ = false;
        }
        break;
    case Destination::ListLevelText:
        lists_.appendLevelText(text);
        break;
    case Destination::FieldInstruction:
        if (!fields_.empty() && fields_.back().instruction.size() < MaxInstruction)
            fields_.back().instruction += text;
        break;
    default:
        break;
    }
}

void RtfParser::endParagraph()
{
    if (builder_.paragraphCount() + 1 >= maxParagraphs_) {
        stopped_ = true;
        problem_ = QStringLiteral("The page has more than %1 paragraphs; the rest was not read.")
                       .arg(maxParagraphs_);
        return;
    }
    const RtfParagraphState &paragraph = state().paragraph;
    placeInTable(paragraph.inTable);
    builder_.endParagraph(paragraph.blockFormat(lists_),
                          paragraph.listMembership(lists_));
}

// Text of a paragraph marked \intbl goes into the open row (a new one when none is open);
// text of any other paragraph ends the table that was open.
void RtfParser::placeInTable(bool inTable)
{
    if (inTable) {
        if (!builder_.inRow())
            builder_.beginRow(row_);
    } else if (builder_.inTable()) {
        builder_.endTable();
    }
}

void RtfParser::endCell()
{
    if (builder_.paragraphCount() + 1 >= maxParagraphs_) {
        endParagraph(); // stops reading
        return;
    }
    placeInTable(true);
    const RtfParagraphState &paragraph = state().paragraph;
    builder_.endCell(paragraph.blockFormat(lists_), paragraph.listMembership(lists_));
}

void RtfParser::endPicture()
{
    if (picture_.tooLarge()) {
        problem_ = QStringLiteral("A picture is larger than %1 MB and was left out.")
                       .arg(RtfPicture::MaxDataBytes / (1024 * 1024));
        return;
    }
    if (picture_.empty())
        return;
    placeInTable(state().paragraph.inTable);
    QTextCharFormat format = characterFormat();
    format.merge(picture_.imageFormat(builder_.document()));
    builder_.insertObject(format);
    lastTextParagraph_ = state().paragraph;
    picture_ = RtfPicture();
}

void RtfParser::noteUnkept(const QString &what)
{
    if (!unkept_.contains(what))
        unkept_.append(what);
}

const QTextCharFormat &RtfParser::characterFormat()
{
    if (!formatDirty_)
        return format_;
    formatDirty_ = false;
    const GroupState &group = state();
    const CharacterState &c = group.character;
    QTextCharFormat format;
    if (c.bold)
        format.setFontWeight(QFont::Bold);
    if (c.italic)
        format.setFontItalic(true);
    if (c.underline)
        format.setFontUnderline(true);
    if (c.strike)
        format.setFontStrikeOut(true);
    if (const auto font = fonts_.find(c.font); font != fonts_.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList{font->second.name});
    if (c.halfPoints > 0)
        format.setFontPointSize(c.halfPoints / 2.0);
    auto color = [this](int index) -> std::optional<QColor> {
        if (index < 0 || static_cast<std::size_t>(index) >= colors_.size())
            return std::nullopt;
        return colors_[static_cast<std::size_t>(index)];
    };
    if (const auto foreground = color(c.foreground))
        format.setForeground(*foreground);
    if (const auto background = color(c.background))
        format.setBackground(*background);
    if (!group.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(group.href);
    }
    if (format != format_)
        format_ = format;
    return format_;
}

} // namespace nimbus::rtf
