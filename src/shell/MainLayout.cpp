// Panels, splitters and the stored layout of the main window.
#include "shell/MainLayout.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/PageArea.h"
#include "shell/TreeColours.h"
#include "shell/pages/ThemeText.h"
#include "store/TScreenSetup.h"

namespace nimbus {

namespace {

QSplitter *splitter(Qt::Orientation orientation, const char *name, QWidget *parent)
{
    auto *s = new QSplitter(orientation, parent);
    s->setObjectName(name);
    s->setChildrenCollapsible(false);
    s->setHandleWidth(5);
    return s;
}

} // namespace

MainLayout::MainLayout(QWidget *parent) : QWidget(parent)
{
    setObjectName("panelClient");
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    splitterTop = splitter(Qt::Vertical, "panelMain", this);
    outer->addWidget(splitterTop);

    panelTop = new QWidget(splitterTop);
    panelTop->setObjectName("panelTop");
    auto *top = new QVBoxLayout(panelTop);
    top->setContentsMargins(4, 2, 4, 0);
    top->setSpacing(2);
    panelTools = new QWidget(panelTop);
    panelTools->setObjectName("panelTools");
    top->addWidget(panelTools);

    panelData = splitter(Qt::Horizontal, "panelData", panelTop);
    top->addWidget(panelData, 1);
    panelTree = splitter(Qt::Horizontal, "panelTree", panelData);
    panelTree->setHandleWidth(3);
    // The grids draw their own headings ("Status", "Due").
    panelStruct = panel("panelStruct", tr("Topics"), panelTree);
    panelDue = panel("panelDue", QString(), panelTree);
    panelInfo = panel("panelInfo", QString(), panelTree);
    structHeading = panelStruct->findChild<QLabel *>("panelStructHeading");
    panelTree->setStretchFactor(0, 1);
    panelTree->setStretchFactor(1, 0);
    panelTree->setStretchFactor(2, 0);
    panelTree->handle(1)->setObjectName("splitterStruct");
    panelTree->handle(2)->setObjectName("splitterDue");
    panelStruct->setMinimumWidth(kMinimumPanel);
    panelTree->setMinimumWidth(kMinimumPanel);

    pageArea = new PageArea(panelData);
    panelData->addWidget(pageArea);
    panelData->handle(1)->setObjectName("splitterTree");
    panelData->setStretchFactor(0, 0);
    panelData->setStretchFactor(1, 1);

    panelFoot = new QWidget(splitterTop);
    panelFoot->setObjectName("panelFoot");
    splitterTop->handle(1)->setObjectName("splitterTop");
    splitterTop->setStretchFactor(0, 1);
    splitterTop->setStretchFactor(1, 0);

    connect(panelData, &QSplitter::splitterMoved, this, [this] { recordShares(); });
    connect(panelTree, &QSplitter::splitterMoved, this, [this] {
        dueWidth_ = panelTree->sizes().value(1);
        infoWidth_ = panelTree->sizes().value(2);
    });
    connect(splitterTop, &QSplitter::splitterMoved, this, [this] { recordShares(); });
}

QWidget *MainLayout::panel(const char *name, const QString &heading, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (heading.isEmpty())
        return panel;
    auto *label = new QLabel(heading, panel);
    label->setObjectName(QString::fromLatin1(name) + "Heading");
    label->setFixedHeight(kHeaderHeight);
    label->setContentsMargins(6, 0, 4, 0);
    // The grids' heading colours for the palette it is shown in, so that the three headings
    // read as one strip on a light or a dark desktop, also after the desktop's colours change.
    // Watched through the panel: a widget with a style sheet keeps the palette it was given.
    pages::theme::whenPaletteChanges(panel, [label] {
        const look::TreeLook &look = treelook::lookFor(QApplication::palette(label));
        const auto css = [](look::Rgb c) { return treelook::toQColor(c).name(); };
        label->setStyleSheet(QStringLiteral("QLabel { background: qlineargradient(x1:0, y1:0, "
                                            "x2:0, y2:1, stop:0 %1, stop:1 %2); color: %3; "
                                            "font-weight: bold; border-bottom: 1px solid %4; }")
                                 .arg(css(look.headingTop), css(look.headingBottom),
                                      css(look.headingText), css(look.headingLine)));
    });
    layout->addWidget(label);
    return panel;
}

void MainLayout::setHeadingButtons(QWidget *widget)
{
    auto *row = new QHBoxLayout(structHeading);
    row->setContentsMargins(0, 0, 2, 0);
    row->setSizeConstraint(QLayout::SetNoConstraint);
    row->addStretch();
    row->addWidget(widget);
}

QVBoxLayout *MainLayout::structContent() const
{
    return static_cast<QVBoxLayout *>(panelStruct->layout());
}

QVBoxLayout *MainLayout::dueContent() const
{
    return static_cast<QVBoxLayout *>(panelDue->layout());
}

QVBoxLayout *MainLayout::infoContent() const
{
    return static_cast<QVBoxLayout *>(panelInfo->layout());
}

void MainLayout::setSummaryPage(QWidget *page)
{
    if (summary_ && summary_ != page)
        summary_->deleteLater();
    summary_ = page;
    if (summary_) {
        summary_->setParent(this);
        summary_->setGeometry(rect());
    }
}

void MainLayout::showSummary(bool shown)
{
    if (!summary_)
        return;
    summary_->setGeometry(rect());
    summary_->setVisible(shown);
    if (shown)
        summary_->raise();
}

bool MainLayout::summaryShown() const
{
    return summary_ && summary_->isVisible();
}

void MainLayout::restore(TScreenSetup &setup, bool loaded, QWidget *window)
{
    auto stored = [](int value) { return value > 0; };
    // A damaged or hand-edited screen.dat may hold any number: the window never grows
    // beyond the screens' room (a window of INT_MAX pixels cannot even be drawn). The designed
    // size of a first start obeys the same room, so that what the first close records is what
    // the next start shows.
    const QRect room =
        window->screen() ? window->screen()->virtualGeometry() : QRect(0, 0, 4096, 4096);
    int width = window->width();
    int height = window->height();
    if (loaded && stored(setup.width) && stored(setup.height)) {
        width = setup.width;
        height = setup.height;
    }
    window->resize(std::min(width, room.width()), std::min(height, room.height()));
    if (loaded && setup.left != TScreenSetup::kNotStored && setup.top != TScreenSetup::kNotStored)
        window->move(std::clamp(setup.left, room.left() - window->width() + kMinimumPanel,
                                room.right() - kMinimumPanel),
                     std::clamp(setup.top, room.top(),
                                std::max(room.top(), room.bottom() - kMinimumPanel)));
    // Until the window is shown the panels have no real size: lay them out for its size now.
    resize(window->size());
    const int dataWidth = std::max(1, dataWidthFor(this->width()));
    if (loaded && stored(setup.due))
        dueWidth_ = std::min(setup.due, dataWidth);
    if (loaded && stored(setup.info))
        infoWidth_ = std::min(setup.info, dataWidth);
    const int rowsHeight = std::max(1, rowsHeightFor(this->height()));
    int treeWidth = loaded && stored(setup.tree) ? setup.tree : dataWidth * 45 / 100;
    treeWidth =
        std::clamp(treeWidth, kMinimumPanel, std::max(kMinimumPanel, dataWidth - kMinimumPanel));
    int topHeight = loaded && stored(setup.tpanel) ? setup.tpanel : rowsHeight * 80 / 100;
    topHeight = std::clamp(topHeight, 100, std::max(100, rowsHeight - 40));
    if (setup.structPanel == TScreenSetup::kNotStored || !loaded)
        setup.structPanel = treeWidth - 100;
    // The pixels themselves are kept, not a rounded share: the same window size gives back
    // exactly the same panels, start after start.
    treeWidth_ = treeWidth;
    treeBase_ = dataWidth;
    footHeight_ = rowsHeight - topHeight;
    treeShare_ = std::clamp(treeWidth * 100 / dataWidth, 5, 95);
    topShare_ = std::clamp(topHeight * 100 / rowsHeight, 10, 95);
    applyTreeShare();
    if (!loaded)
        record(setup, window);
}

void MainLayout::record(TScreenSetup &setup, const QWidget *window) const
{
    setup.top = window->y();
    setup.left = window->x();
    setup.height = window->height();
    setup.width = window->width();
    // What the user sees, once the panels have their sizes; before that what they will get.
    if (isVisible()) {
        setup.tpanel = splitterTop->sizes().value(0);
        setup.tree = panelData->sizes().value(0);
        setup.structPanel = panelTree->sizes().value(0);
        setup.due = panelTree->sizes().value(1);
        setup.info = panelTree->sizes().value(2);
        return;
    }
    setup.tpanel = std::max(1, rowsHeightFor(height()) - footHeight_);
    setup.tree = treeWidthFor(dataWidthFor(width()));
    setup.structPanel = structWidthFor(setup.tree);
    setup.due = dueWidth_;
    setup.info = infoWidth_;
}

int MainLayout::dataWidthFor(int layoutWidth) const
{
    const QMargins margins = panelTop->layout()->contentsMargins();
    return layoutWidth - margins.left() - margins.right() - panelData->handleWidth();
}

int MainLayout::rowsHeightFor(int layoutHeight) const
{
    return layoutHeight - splitterTop->handleWidth();
}

int MainLayout::treeWidthFor(int dataWidth) const
{
    if (dataWidth == treeBase_ || treeBase_ <= 0)
        return treeWidth_;
    const long long scaled = (2LL * dataWidth * treeWidth_ + treeBase_) / (2LL * treeBase_);
    return std::max(kMinimumPanel, static_cast<int>(scaled));
}

int MainLayout::structWidthFor(int treeWidth) const
{
    return std::max(kMinimumPanel,
                    treeWidth - dueWidth_ - infoWidth_ - 2 * panelTree->handleWidth());
}

void MainLayout::recordShares()
{
    // The user moved a splitter: its new place is what the layout keeps from now on.
    const QList<int> data = panelData->sizes();
    if (data.size() == 2 && data[0] + data[1] > 0) {
        treeWidth_ = data[0];
        treeBase_ = data[0] + data[1];
        treeShare_ = std::clamp(treeWidth_ * 100 / treeBase_, 5, 95);
    }
    const QList<int> rows = splitterTop->sizes();
    if (rows.size() == 2 && rows[0] + rows[1] > 0) {
        footHeight_ = rows[1];
        topShare_ = std::clamp(rows[0] * 100 / (rows[0] + rows[1]), 10, 95);
    }
}

void MainLayout::applyTreeShare()
{
    // The tree keeps its share of the width and the log its height; the grids keep their
    // widths and the tree itself takes what is left. Worked out from this widget's size: the
    // splitters inside have not been given their new sizes yet when this runs.
    const int dataWidth = dataWidthFor(width());
    if (dataWidth <= 2 * kMinimumPanel)
        return;
    const int treeWidth = std::min(treeWidthFor(dataWidth), dataWidth - kMinimumPanel);
    panelData->setSizes({treeWidth, dataWidth - treeWidth});
    panelTree->setSizes({structWidthFor(treeWidth), dueWidth_, infoWidth_});
    const int rowsHeight = rowsHeightFor(height());
    if (rowsHeight > 140) {
        const int foot = std::clamp(footHeight_, 40, rowsHeight - 100);
        splitterTop->setSizes({rowsHeight - foot, foot});
    }
}

void MainLayout::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyTreeShare();
    // The summary page covers the whole window (it lays its badges out on its own resize).
    if (summary_)
        summary_->setGeometry(rect());
}

} // namespace nimbus
