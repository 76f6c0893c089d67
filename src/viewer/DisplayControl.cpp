// Finding, creating and closing the viewer windows.
#include "viewer/DisplayControl.h"

#include <QObject>

#include "viewer/QtViewerPrompts.h"
#include "viewer/TformTextDisplay.h"

namespace nimbus::viewer {

DisplayControl::DisplayControl(std::string dataFolder, std::string productTitle,
                               std::shared_ptr<ViewerPrompts> prompts)
    : dataFolder_(std::move(dataFolder)), prompts_(std::move(prompts))
{
    if (!prompts_)
        prompts_ = std::make_shared<QtViewerPrompts>(std::move(productTitle));
}

DisplayControl::~DisplayControl()
{
    auto windows = std::move(windows_);
    windows_.clear();
    for (auto &[key, window] : windows) {
        if (!window)
            continue;
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->close();
        delete window.data();
    }
}

QString DisplayControl::keyOf(const std::string &fileName)
{
    return QString::fromLocal8Bit(fileName.c_str()).toCaseFolded();
}

TformTextDisplay *DisplayControl::find(const std::string &fileName) const
{
    const auto it = windows_.find(keyOf(fileName));
    return it == windows_.end() ? nullptr : it->second.data();
}

TformTextDisplay *DisplayControl::OpenViewer(const std::string &fileName, const std::string &title,
                                             const std::string &option)
{
    const QString key = keyOf(fileName);
    TformTextDisplay *window = find(fileName);
    if (!window) {
        window = new TformTextDisplay(fileName, dataFolder_, option, prompts_);
        window->setAttribute(Qt::WA_DeleteOnClose);
        windows_[key] = window;
        QObject::connect(window, &QObject::destroyed, [this, key] { windows_.erase(key); });
    }
    window->setWindowTitle(QString::fromLocal8Bit(title.c_str()));
    return window;
}

} // namespace nimbus::viewer
