// The summary page panelEntry: a sky with nine badges that count the topics of each group.
// Clicking a badge lists the group's topics for choosing one; the chosen topic is handed to
// the tree (GoToTopic) and the page closes. The page also offers buttonSummary with its
// drop-down popCategory (the nine groups, then the user's saved searches), and keeps its
// counts current on the deadline timer.
// From the keyboard the shown page takes the keys: the arrow keys and Tab move among the badges,
// Enter or Space opens the badge's group, and Escape closes the page.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

#include "store/DeadlineTick.h"
#include "store/SummaryLayout.h"
#include "shell/core/TreeLook.h"
#include "store/SummaryRules.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace nimbus {

class Clock;
class SummaryLists;
class TNimbusStructure;

namespace summarypage {

class SummaryPage : public QWidget {
    Q_OBJECT
public:
    // Lets the user pick one topic of a list: returns the chosen row counted from 1, or -1.
    // By default the modal topic selection dialog (TformSelection) asks; tests answer at once.
    using GroupChooser =
        std::function<int(const TNimbusStructure &topics, const QString &title, QWidget *parent)>;

    // The page reads the main store and keeps its groups in lists; both outlive the page.
    SummaryPage(TNimbusStructure &store, SummaryLists &lists, QWidget *parent = nullptr);

    void setGroupChooser(GroupChooser chooser) { chooser_ = std::move(chooser); }

    // The saved searches popCategory lists below the groups, asked for each time it opens
    // (names as the user typed them), and what choosing one does; the page closes first.
    void setSavedSearches(std::function<QStringList()> names,
                          std::function<void(const QString &name)> run);

    // buttonSummary ("Show Summary") with popCategory, for the main window's toolbar.
    QToolButton *CreateSummaryButton(QWidget *parent);

    // Reclassifies the store into the groups and shows the page filling its parent.
    void buttonSummaryClick();
    // Reclassifies the store and refreshes the labels.
    void RefreshGroups();
    // Sets each label to its group's text and count.
    void UpdateBadges();
    // Places the badges for the page's size.
    void LayoutSummary();
    // Lists a group for choosing; a chosen topic closes the page and goes to GoToTopic.
    void ShowGroup(summary::Group group);
    // Hides the page (a click on the sky does this).
    void HideSummary();
    // Start-up: shows the page when the user wants it then, hides it otherwise.
    void showAtStart(bool wanted);
    // One tick of timerDeadline: recomputes schedules, regroups and refreshes the counts.
    // The caller refreshes the tree items of the returned topics.
    DeadlineResult timerDeadlineTimer(const Clock &clock);

    // Components, by their names in the window.
    QLabel *Picture(summary::Group group, bool highlighted) const;
    QLabel *Label(summary::Group group) const;
    QMenu *popCategory = nullptr;
    QToolButton *buttonSummary = nullptr;

    // The badge under the pointer (its highlighted picture shown); 0 for none.
    int HoveredBadge() const { return hovered_; }

signals:
    // The user chose a topic: the tree collapses, shows and selects it.
    void GoToTopic(const QByteArray &uni);
    void SummaryShown();
    void SummaryHidden();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Badge {
        QLabel *low = nullptr;
        QLabel *high = nullptr;
        QLabel *label = nullptr;
    };
    void createBadges();
    void listSavedSearches();
    void refreshPictures();
    void highlight(int badgeNumber);
    void restoreHighlight();
    int badgeOf(QObject *widget) const;
    // Highlights the badge step places on from the highlighted one, round the nine.
    void stepHighlight(int step);
    // Arrow keys: to the neighbouring badge on the page.
    void stepToward(summary::Direction direction);

    TNimbusStructure &store_;
    SummaryLists &lists_;
    GroupChooser chooser_;
    std::function<QStringList()> savedNames_;
    std::function<void(const QString &)> runSaved_;
    QList<QAction *> savedActions_; // the saved searches' part of popCategory
    std::array<Badge, summary::kGroupCount> badges_;
    int hovered_ = 0;
    bool afterDoubleClick_ = false;
    QPointer<QWidget> focusBefore_; // where the keys go back to when the page closes
    QPixmap sky_;
    look::Shade skyShade_ = look::Shade::Light;
    qreal pictureRatio_ = 0;
};

} // namespace summarypage
} // namespace nimbus
