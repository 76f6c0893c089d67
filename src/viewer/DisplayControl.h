// The registry of open viewer windows: one window per file name (not case-sensitive), so a
// file is never shown in two viewers at once. Destroying it closes every viewer.
#pragma once

#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <string>

namespace nimbus::viewer {

class TformTextDisplay;
class ViewerPrompts;

class DisplayControl {
public:
    // dataFolder: where the viewers keep their options files. prompts: the questions the
    // viewers ask (message boxes captioned with the product title when none is given).
    DisplayControl(std::string dataFolder, std::string productTitle,
                   std::shared_ptr<ViewerPrompts> prompts = nullptr);
    ~DisplayControl();
    DisplayControl(const DisplayControl &) = delete;
    DisplayControl &operator=(const DisplayControl &) = delete;

    // The window registered for fileName, or a new viewer for it, registered. The window is
    // titled title; option is how a file without an options file is shown ("text", "list",
    // "table"). The caller shows it (TformTextDisplay::present).
    TformTextDisplay *OpenViewer(const std::string &fileName, const std::string &title,
                                 const std::string &option);
    // The window registered for fileName, or none.
    TformTextDisplay *find(const std::string &fileName) const;
    int count() const { return static_cast<int>(windows_.size()); }

private:
    static QString keyOf(const std::string &fileName);

    std::string dataFolder_;
    std::shared_ptr<ViewerPrompts> prompts_;
    // Sorted by the case-folded file name. A window the user closes is deleted and leaves the
    // registry at once, so the registry never hands out a dead window.
    std::map<QString, QPointer<TformTextDisplay>> windows_;
};

} // namespace nimbus::viewer
