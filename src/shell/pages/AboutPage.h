// The about page panelAbout: product, description, data version, the maker's notice, the
// system the program runs on, the web address and the version register's controls. It is
// filled each time it is shown.
#pragma once

#include <QWidget>

class QLabel;

namespace nimbus {
class Clock;
struct TAppPaths;
} // namespace nimbus

namespace nimbus::pages {

class PagePrompts;

class AboutPage : public QWidget {
    Q_OBJECT
public:
    static constexpr const char *kWebSite = "https://nimbus-desk.example.org/";

    AboutPage(const TAppPaths &paths, const Clock &clock, PagePrompts &prompts,
              QWidget *parent = nullptr);

    QLabel *labelProduct = nullptr;
    QLabel *labelDesc = nullptr;
    QLabel *labelVersion = nullptr;
    QLabel *labelNotice = nullptr;
    QLabel *labOS = nullptr;
    QLabel *labOSVersion = nullptr;
    QLabel *labProcessor = nullptr;
    QLabel *labWebSite = nullptr;
    // Takes the current values (the product title may have come from the installation).
    void fill();
    void labWebSiteClick();
    // Places the version register's software list (its own class) on this page.
    void setSoftwarePanel(QWidget *panel);

protected:
    void showEvent(QShowEvent *event) override;

private:
    const TAppPaths &paths_;
    const Clock &clock_;
    PagePrompts &prompts_;
};

} // namespace nimbus::pages
