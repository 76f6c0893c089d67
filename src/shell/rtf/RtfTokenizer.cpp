// Splits RTF bytes into tokens; see RtfTokenizer.h.
#include "shell/rtf/RtfTokenizer.h"

#include <climits>

namespace nimbus::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}


RtfTokenizer::Token RtfTokenizer::next()
{
    Token token;
    while (position_ < input_.size()) {
        const char c = input_[position_];
        if (c == '\r' || c == '\n') {
            ++position_;
            continue;
        }
        if (c == '{') {
            ++position_;
            token.type = Type::GroupStart;
            return token;
        }
        if (c == '}') {
            ++position_;
            token.type = Type::GroupEnd;
            return token;
        }
        if (c == '\\')
            return readControl();
        const qsizetype start = position_;
        while (position_ < input_.size()) {
            const char d = input_[position_];
            if (d == '\\' || d == '{' || d == '}' || d == '\r' || d == '\n')
                break;
            ++position_;
        }
        token.type = Type::Text;
        token.word = input_.sliced(start, position_ - start);
        return token;
    }
    return token;
}

RtfTokenizer::Token RtfTokenizer::readControl()
{
    Token token;
    ++position_; // the backslash
    if (position_ >= input_.size()) {
        token.type = Type::End;
        return token;
    }
    const char c = input_[position_];
    if (!isLetter(c)) {
        ++position_;
        if (c == '\'') {
            int value = 0;
            for (int digits = 0; digits < 2 && position_ < input_.size(); ++digits) {
                const int v = hexDigitValue(input_[position_]);
                if (v < 0)
                    break;
                value = value * 16 + v;
                ++position_;
            }
            token.type = Type::HexByte;
            token.byte = static_cast<unsigned char>(value);
            return token;
        }
        token.type = Type::ControlSymbol;
        token.symbol = c;
        return token;
    }

    const qsizetype start = position_;
    while (position_ < input_.size() && isLetter(input_[position_]))
        ++position_;
    token.type = Type::ControlWord;
    token.word = input_.sliced(start, qMin(position_ - start, MaxWordLength));

    bool negative = false;
    if (position_ + 1 < input_.size() && input_[position_] == '-' &&
        isDigit(input_[position_ + 1])) {
        negative = true;
        ++position_;
    }
    if (position_ < input_.size() && isDigit(input_[position_])) {
        long long value = 0;
        while (position_ < input_.size() && isDigit(input_[position_])) {
            if (value <= INT_MAX)
                value = value * 10 + (input_[position_] - '0');
            ++position_;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    // One space after a control word is its delimiter, not text.
    if (position_ < input_.size() && input_[position_] == ' ')
        ++position_;

    if (token.word == "bin" && token.hasParameter)
        token.binary = skipBinary(token.parameter);
    return token;
}

QByteArrayView RtfTokenizer::skipBinary(int count)
{
    if (count <= 0)
        return {};
    const qsizetype length = qMin<qsizetype>(count, input_.size() - position_);
    const QByteArrayView bytes = input_.sliced(position_, length);
    position_ += length;
    return bytes;
}

} // namespace nimbus::rtf
