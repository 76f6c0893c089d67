// The main window's panels: the toolbar row and the data area (`panelTop`) over the log
// (`panelFoot`); in the data area the tree panel (`panelTree`: the tree `panelStruct`, the
// status grid `panelDue` and the due grid `panelInfo`) beside the page area. The summary page
// `panelEntry` covers all of it while it is shown. The layout is restored from and recorded
// into TScreenSetup, and the tree panel keeps its share of the width when the window resizes.
#pragma once

#include <QWidget>

class QLabel;
class QSplitter;
class QVBoxLayout;

namespace nimbus {

class PageArea;
class TScreenSetup;

class MainLayout : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimumPanel = 50; // splitterTree and splitterStruct refuse less
    static constexpr int kHeaderHeight = 18; // the tree's heading, as high as the grids'

    explicit MainLayout(QWidget *parent = nullptr);

    QSplitter *splitterTop = nullptr; // panelTop over panelFoot
    QWidget *panelTop = nullptr;
    QWidget *panelTools = nullptr;  // the toolbar row
    QSplitter *panelData = nullptr; // panelTree | splitterTree | page area
    QSplitter *panelTree =
        nullptr; // panelStruct | splitterStruct | panelDue | splitterDue | panelInfo
    QWidget *panelStruct = nullptr;
    QWidget *panelDue = nullptr;
    QWidget *panelInfo = nullptr;
    QWidget *panelFoot = nullptr;
    PageArea *pageArea = nullptr;
    QLabel *structHeading = nullptr; // over the tree, level with the grids' own headings

    // Puts widget at the right end of the tree's heading (the undo history's buttons). The
    // panel may still be made as narrow as before; the widget then covers the heading.
    void setHeadingButtons(QWidget *widget);
    // The layouts that hold each panel's content below its heading.
    QVBoxLayout *structContent() const;
    QVBoxLayout *dueContent() const;
    QVBoxLayout *infoContent() const;

    // The full-window summary page; shown over everything else.
    void setSummaryPage(QWidget *page);
    QWidget *summaryPage() const { return summary_; }
    void showSummary(bool shown);
    bool summaryShown() const;

    // Applies the stored layout to the window and the panels (loaded), or records the current
    // one into setup (not loaded). Either way the tree and top shares are taken from it.
    void restore(TScreenSetup &setup, bool loaded, QWidget *window);
    // Records the window's place and size and the panels' sizes.
    void record(TScreenSetup &setup, const QWidget *window) const;

    int treeShare() const { return treeShare_; }
    int topShare() const { return topShare_; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *panel(const char *name, const QString &heading, QWidget *parent);
    void applyTreeShare();
    void recordShares();
    // The splitters' room for their panels (without margins and handles) in a layout of a size.
    int dataWidthFor(int layoutWidth) const;
    int rowsHeightFor(int layoutHeight) const;
    // The tree panel's width for a data width: the stored pixels at the stored width, else
    // the same share rounded.
    int treeWidthFor(int dataWidth) const;
    int structWidthFor(int treeWidth) const;

    QWidget *summary_ = nullptr;
    int treeShare_ = 40;
    int topShare_ = 80;
    int dueWidth_ = 90;
    int infoWidth_ = 90;
    int treeWidth_ = 300; // the tree panel's width ...
    int treeBase_ = 0;    // ... when the data area is this wide
    int footHeight_ = 100; // the log keeps its height when the window resizes
};

} // namespace nimbus
