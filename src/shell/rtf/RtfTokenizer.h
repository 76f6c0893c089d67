// Splits RTF bytes into groups, control words, control symbols, \'hh bytes and text runs.
// Bounded by construction: every call consumes input, names and numbers are clamped.
#pragma once

#include <QByteArrayView>

namespace nimbus::rtf {

class RtfTokenizer {
public:
    enum class Type {
        End,           // no more input
        GroupStart,    // {
        GroupEnd,      // }
        ControlWord,   // \word or \wordN
        ControlSymbol, // \ followed by one non-letter, other than '
        HexByte,       // \'hh
        Text,          // a run of plain bytes (line ends are not part of RTF text)
    };

    struct Token {
        Type type = Type::End;
        QByteArrayView word;       // ControlWord name; Text bytes
        bool hasParameter = false; // ControlWord
        int parameter = 0;         // ControlWord (clamped to the int range)
        char symbol = 0;           // ControlSymbol
        unsigned char byte = 0;    // HexByte
        QByteArrayView binary;     // the bytes that follow \binN
    };

    // Control word names longer than this are cut (the rest of the letters is still consumed).
    static constexpr qsizetype MaxWordLength = 32;

    explicit RtfTokenizer(QByteArrayView input) : input_(input) {}

    Token next();
    qsizetype position() const { return position_; }
    bool atEnd() const { return position_ >= input_.size(); }

private:
    Token readControl();
    QByteArrayView skipBinary(int count);

    QByteArrayView input_;
    qsizetype position_ = 0;
};

// The value of a hexadecimal digit of either case; -1 for any other character.
int hexDigitValue(char c);

} // namespace nimbus::rtf
