// The log view's lines: plain, or in their own colour ("Addon - " lines in navy).
#include "shell/LogLineView.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "sharing/LogLineColour.h"

namespace nimbus {

void appendLogLine(QPlainTextEdit *view, const std::string &line)
{
    QTextCharFormat format;
    const int colour = LogLineColour(line);
    if (colour != kLogColourDefault)
        format.setForeground(QColor(colourRed(colour), colourGreen(colour), colourBlue(colour)));
    QScrollBar *bar = view->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    QTextCursor cursor(view->document());
    cursor.movePosition(QTextCursor::End);
    if (!view->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(QString::fromLocal8Bit(line.c_str()), format);
    if (atEnd)
        bar->setValue(bar->maximum());
}

} // namespace nimbus
