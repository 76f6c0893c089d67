// Answers a viewer window's questions from the test, without a modal loop, and records what
// was asked.
#pragma once

#include <QString>
#include <functional>

#include "viewer/FileDisplayOptions.h"
#include "viewer/ViewerPrompts.h"

namespace nimbus::test {

class FakePrompts : public viewer::ViewerPrompts {
public:
    QString saveFile;
    bool overwrite = false;
    QString version;
    std::function<bool(viewer::FileDisplayOptions &, int, bool)> onEditOptions;
    int overwriteQuestions = 0;
    int writeErrors = 0;

    QString chooseSaveFile(QWidget *, const QString &) override { return saveFile; }
    bool confirmOverwrite(QWidget *) override
    {
        ++overwriteQuestions;
        return overwrite;
    }
    void reportWriteError(QWidget *) override { ++writeErrors; }
    QString chooseVersion(QWidget *, const QStringList &) override { return version; }
    bool editOptions(QWidget *, viewer::FileDisplayOptions &options, int column,
                     bool ascending) override
    {
        return onEditOptions && onEditOptions(options, column, ascending);
    }
    bool setUpPrinter(QWidget *, QPrinter &) override { return false; }
};

} // namespace nimbus::test
