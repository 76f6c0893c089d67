// The RTF state machine behind RtfReader: groups and their destinations, character and
// paragraph state, the font, colour and list tables, fields and text decoding.
#pragma once

#include "shell/rtf/RtfCodePage.h"
#include "shell/rtf/RtfDocumentBuilder.h"
#include "shell/rtf/RtfKeyword.h"
#include "shell/rtf/RtfListTable.h"
#include "shell/rtf/RtfParagraphState.h"
#include "shell/rtf/RtfPicture.h"
#include "shell/rtf/RtfRowDefinition.h"
#include "shell/rtf/RtfTokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

class QTextDocument;

namespace nimbus::rtf {

class RtfParser {
public:
    static constexpr int MaxGroupDepth = 200;

    // Reading stops after maxParagraphs paragraphs.
    RtfParser(QTextDocument *document, qsizetype maxParagraphs);

    // Reads the RTF into the document. Returns false when part of it could not be read.
    bool parse(QByteArrayView rtf);
    QString problem() const { return problem_; }
    // What the text holds that the document cannot (embedded objects, headers, ...), in
    // words for the user; empty when the document holds all of it.
    QStringList unkept() const { return unkept_; }

private:
    enum class Destination {
        Body,
        Skip,
        FontTable,
        ColorTable,
        ListTable,
        ListLevelText,
        ListOverrideTable,
        FieldInstruction,
        Numbering,
        Picture, // inside {\pict ...}
        Object,  // inside {\object ...}: only its {\result ...} is read
    };

    struct CharacterState {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strike = false;
        int font = -1;
        int halfPoints = 0;
        int foreground = -1;
        int background = -1;
    };
    struct GroupState {
        Destination destination = Destination::Body;
        CharacterState character;
        RtfParagraphState paragraph;
        int unicodeSkip = 1;
        QString href;
        std::size_t numberingOwner = 0; // the group whose paragraph a \pn group describes
    };
    struct Font {
        QString name;
        int codePage = 0;
    };
    struct Field {
        std::size_t depth = 0;
        QString instruction;
    };

    void groupStart();
    void groupEnd();
    void controlWord(const RtfTokenizer::Token &token);
    bool destinationWord(RtfKeyword keyword);
    void tableWord(RtfKeyword keyword, int parameter);
    void characterWord(RtfKeyword keyword, bool hasParameter, int parameter);
    void controlSymbol(char symbol);
    void text(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void flushBytes();
    void appendText(const QString &text);
    void endParagraph();
    void placeInTable(bool inTable);
    void endCell();
    void endPicture();
    void noteUnkept(const QString &what);

    GroupState &state() { return groups_.back(); }
    const QTextCharFormat &characterFormat();
    int currentCodePage() const;

    RtfDocumentBuilder builder_;
    std::vector<GroupState> groups_;
    int ignoredDepth_ = 0;
    bool rootClosed_ = false;
    bool stopped_ = false; // the paragraph limit was reached
    qsizetype maxParagraphs_;
    bool groupJustStarted_ = false;
    bool ignorable_ = false;
    int skipCount_ = 0;

    QByteArray pendingBytes_;
    bool pendingRaw_ = false;
    bool rawUtf8_ = false;
    int codePage_ = RtfCodePage::Windows1252;
    RtfCodePage codePages_;

    std::map<int, Font> fonts_;
    int fontNumber_ = -1;
    QString fontName_;
    std::vector<std::optional<QColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorGiven_ = false;
    RtfListTable lists_;
    std::vector<Field> fields_;

    QTextCharFormat format_;
    bool formatDirty_ = true;
    RtfParagraphState lastTextParagraph_;
    QString problem_;
    QStringList unkept_;

    RtfPicture picture_;
    std::size_t pictureDepth_ = 0; // the group that holds the \pict being read
    bool shapePictureSeen_ = false;
    RtfRowDefinition row_;
};

} // namespace nimbus::rtf
