// Field instructions of RTF fields; see RtfFieldInstruction.h.
#include "shell/rtf/RtfFieldInstruction.h"

#include <QStringList>

namespace nimbus::rtf {

namespace {

// Field arguments are separated by blanks, quoted with "..." and escape with a backslash.
QStringList splitArguments(const QString &instruction)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool inArgument = false;
    for (qsizetype i = 0; i < instruction.size(); ++i) {
        const QChar c = instruction[i];
        if (c == QLatin1Char('\\') && quoted && i + 1 < instruction.size()) {
            current += instruction[++i];
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inArgument = true;
        } else if (c.isSpace() && !quoted) {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments.append(current);
    return arguments;
}

} // namespace

QString hyperlinkTarget(const QString &instruction)
{
    const QStringList arguments = splitArguments(instruction);
    if (arguments.isEmpty() || arguments.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return {};
    QString address;
    QString bookmark;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument.size() == 2 && argument.startsWith(QLatin1Char('\\'))) {
            // \m and \n are flags; \l, \o, \t take a value.
            if (argument == u"\\l" && i + 1 < arguments.size())
                bookmark = arguments[i + 1];
            if (argument != u"\\m" && argument != u"\\n")
                ++i;
        } else if (address.isEmpty()) {
            address = argument;
        }
    }
    if (!bookmark.isEmpty())
        address += QLatin1Char('#') + bookmark;
    return address;
}

QString hyperlinkInstruction(const QString &address)
{
    QString escaped;
    escaped.reserve(address.size());
    for (QChar c : address) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QStringLiteral("HYPERLINK \"") + escaped + QLatin1Char('"');
}

} // namespace nimbus::rtf
