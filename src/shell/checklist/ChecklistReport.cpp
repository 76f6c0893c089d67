// Builds the printed and saved form of a checklist.
#include "shell/checklist/ChecklistReport.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "shell/rtf/RtfWriter.h"
#include "store/ChecklistRules.h"

namespace nimbus::checklist {

namespace {

const QChar kBallotBox(0x2610);
const QChar kBallotBoxTicked(0x2612);

} // namespace

void BuildChecklistDocument(QTextDocument &document, const QString &title,
                            const std::vector<ChecklistItem> &items, int dateOrder)
{
    document.clear();
    QTextCursor cursor(&document);

    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setFontPointSize(14);
    QTextBlockFormat headingBlock;
    headingBlock.setBottomMargin(12);
    cursor.setBlockFormat(headingBlock);
    cursor.insertText(title, heading);

    QTextCharFormat plain;
    plain.setFontPointSize(11);
    QTextCharFormat done = plain;
    done.setForeground(QColor(96, 96, 96));
    QTextBlockFormat itemBlock;
    itemBlock.setBottomMargin(4);
    for (const ChecklistItem &item : items) {
        cursor.insertBlock(itemBlock);
        cursor.insertText(item.checked ? kBallotBoxTicked : kBallotBox, plain);
        cursor.insertText(QStringLiteral("  ") + QString::fromLocal8Bit(item.text.c_str()), plain);
        const std::string finished = FinishedText(item.finished, dateOrder);
        if (!finished.empty())
            cursor.insertText(QStringLiteral("\t") + QString::fromLocal8Bit(finished.c_str()),
                              done);
    }
}

void PrintChecklist(QTextDocument &document, QPrinter &printer, const QString &title)
{
    printer.setPageMargins(QMarginsF(0.5, 1.0, 0.5, 1.0), QPageLayout::Inch);
    printer.setDocName(title);
    document.print(&printer);
}

QString SaveChecklistRtf(const QTextDocument &document, const QString &path)
{
    const QByteArray bytes = rtf::RtfWriter().write(document);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    // Shown to the user, not logged.
    return QCoreApplication::translate("nimbus::checklist",
                                       "The checklist could not be saved as %1: %2")
        .arg(path, file.errorString());
}

} // namespace nimbus::checklist
