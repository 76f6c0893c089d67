// The viewer's questions as the program asks them: message boxes captioned with the product
// title and the viewer's own dialogs, run modally.
#pragma once

#include <string>

#include "viewer/ViewerPrompts.h"

namespace nimbus::viewer {

class QtViewerPrompts : public ViewerPrompts {
public:
    explicit QtViewerPrompts(std::string productTitle) : productTitle_(std::move(productTitle)) {}

    QString chooseSaveFile(QWidget *parent, const QString &startFolder) override;
    bool confirmOverwrite(QWidget *parent) override;
    void reportWriteError(QWidget *parent) override;
    QString chooseVersion(QWidget *parent, const QStringList &files) override;
    bool editOptions(QWidget *parent, FileDisplayOptions &options, int sortColumn,
                     bool ascending) override;
    bool setUpPrinter(QWidget *parent, QPrinter &printer) override;

private:
    QString title(const char *suffix) const;
    std::string productTitle_;
};

} // namespace nimbus::viewer
