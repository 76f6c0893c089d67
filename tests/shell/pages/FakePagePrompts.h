// The pages' dialogs answered by the test, and the documents they would open recorded.
#pragma once

#include <QPrinter>
#include <QTextDocumentFragment>
#include <functional>
#include <string>
#include <vector>

#include "shell/pages/PagePrompts.h"

namespace nimbus::test {

class FakePagePrompts : public pages::PagePrompts {
public:
    bool chooseFont(QWidget *, pages::FontChoice &choice) override
    {
        ++fontAsked;
        shownFont = choice;
        if (!font)
            return false;
        choice = *font;
        return true;
    }
    pages::HiliteChoice chooseHighlight(QWidget *, const QTextDocumentFragment &preview, int,
                                        int) override
    {
        ++highlightAsked;
        previewText = preview.toPlainText();
        return highlight;
    }
    bool setupPrinter(QWidget *, QPrinter &printer) override
    {
        if (pdfFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return true;
    }
    QString wordFileName(QWidget *, const QString &proposed) override
    {
        proposedName = proposed;
        return wordFile;
    }
    std::optional<std::string> pageTitle(QWidget *, const std::string &) override { return title; }
    bool openDocument(const std::string &target) override
    {
        opened.push_back(target);
        return true;
    }
    void tellUser(QWidget *, const QString &message) override { told.push_back(message); }

    std::optional<pages::FontChoice> font;
    pages::FontChoice shownFont;
    int fontAsked = 0;
    pages::HiliteChoice highlight;
    int highlightAsked = 0;
    QString previewText;
    QString pdfFile;
    QString wordFile;
    QString proposedName;
    std::optional<std::string> title;
    std::vector<std::string> opened;
    std::vector<QString> told;
};

} // namespace nimbus::test
