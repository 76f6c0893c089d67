// Printing and "Save as a Word document".
#include "shell/pages/PageOutput.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>
#include <memory>

#include "shell/rtf/RtfWriter.h"

namespace nimbus::pages {

void PrintPage(const QTextDocument &document, QPrinter &printer, const QString &jobTitle)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    printer.setDocName(jobTitle);
    printer.setPageMargins(QMarginsF(kSideMargin, kEndMargin, kSideMargin, kEndMargin),
                           QPageLayout::Inch);
    printer.setFullPage(false);
    copy->print(&printer);
}

bool SaveAsWord(const QTextDocument &document, const QString &fileName, QString &errorText)
{
    std::unique_ptr<QTextDocument> copy(document.clone());
    const QByteArray bytes = rtf::RtfWriter().write(*copy);
    // Written whole or not at all: an earlier file of that name survives a failed save.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        errorText = file.errorString();
        return false;
    }
    return true;
}

} // namespace nimbus::pages
