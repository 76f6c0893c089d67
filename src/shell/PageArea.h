// The right-hand side of the main window: one page at a time (the topic page, the network
// page, preferences, about, contacts). A page is any widget; its object name is its key.
//
//   auto *page = new PreferencesPage(...);
//   page->setObjectName("panelPreferences");
//   window.pageArea()->setPage(page);  // replaces the placeholder of that name
#pragma once

#include <QStackedWidget>

namespace nimbus {

class PageArea : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageArea(QWidget *parent = nullptr);

    // Adds the page, or puts it in place of the page of the same object name (which is
    // destroyed). The page area owns the page.
    void setPage(QWidget *page);
    QWidget *page(const QString &name) const;
    // Shows the page of that name; false (nothing changes) when there is none.
    bool showPage(const QString &name);
    QString currentPageName() const;
    // The area is read out under the name of the page it shows; pages that rename themselves
    // (the topic page takes the topic's name) are followed by calling this again.
    void nameAfterShownPage();

    // A plain page with a heading, standing in until the page's own class is placed.
    static QWidget *placeholder(const QString &name, const QString &heading, const QString &text);

signals:
    void pageShown(QWidget *page);
};

} // namespace nimbus
