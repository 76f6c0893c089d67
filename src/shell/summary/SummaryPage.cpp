// The summary page: badges, hover, the group lists behind them and the summary button.
#include "shell/summary/SummaryPage.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <memory>
#include <vector>

#include "shell/dialogs/TformSelection.h"
#include "shell/TreeColours.h"
#include "shell/summary/BadgeArt.h"
#include "shell/summary/GridIcons.h"
#include "store/GridCells.h"
#include "store/SummaryLayout.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus::summarypage {

using summary::Group;

namespace {

constexpr int kLabelLift = 2; // a hovered badge's label moves up and left by this much

QString pictureName(Group group, bool highlighted)
{
    return QStringLiteral("imageNimbus%1%2")
        .arg(static_cast<int>(group))
        .arg(highlighted ? QStringLiteral("Hi") : QStringLiteral("Lo"));
}

// The program's way of choosing: the modal topic selection dialog, with each topic's state
// icon as the "Status" grid shows it.
int chooseInDialog(const TNimbusStructure &topics, const QString &title, QWidget *parent)
{
    std::vector<TNimbusNode *> nodes;
    nodes.reserve(static_cast<std::size_t>(topics.Count()));
    for (const auto &entry : topics.Entries())
        nodes.push_back(entry.node);
    auto icons = std::make_shared<GridIcons>();
    const qreal ratio = parent ? parent->devicePixelRatioF() : 1.0;
    auto statusIcon = [icons, ratio](const TNimbusNode &node) {
        const gridcells::DueCell cell = gridcells::DueCellFor(node, true);
        return icons->Icon(cell.state.list != gridcells::IconList::None ? cell.state : cell.marker,
                           ratio);
    };
    dialogs::TformSelection dialog(title.toLocal8Bit().toStdString(), std::move(nodes), parent,
                                   statusIcon);
    dialog.exec();
    return dialog.chosenRow();
}

} // namespace

SummaryPage::SummaryPage(TNimbusStructure &store, SummaryLists &lists, QWidget *parent)
    : QWidget(parent), store_(store), lists_(lists), chooser_(chooseInDialog)
{
    setObjectName(QStringLiteral("panelEntry"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    createBadges();

    popCategory = new QMenu(this);
    popCategory->setObjectName(QStringLiteral("popCategory"));
    for (Group group : summary::kMenuOrder) {
        QAction *item = popCategory->addAction(QString::fromLocal8Bit(summary::MenuCaption(group)));
        connect(item, &QAction::triggered, this, [this, group] { ShowGroup(group); });
    }
    // Opening the menu brings the counts up to date as the button does.
    connect(popCategory, &QMenu::aboutToShow, this, &SummaryPage::RefreshGroups);
    connect(popCategory, &QMenu::aboutToShow, this, &SummaryPage::listSavedSearches);
    UpdateBadges();
}

void SummaryPage::setSavedSearches(std::function<QStringList()> names,
                                   std::function<void(const QString &)> run)
{
    savedNames_ = std::move(names);
    runSaved_ = std::move(run);
    listSavedSearches();
}

void SummaryPage::listSavedSearches()
{
    for (QAction *action : savedActions_) {
        popCategory->removeAction(action);
        action->deleteLater();
    }
    savedActions_.clear();
    const QStringList names = savedNames_ ? savedNames_() : QStringList();
    if (names.isEmpty())
        return;
    savedActions_ << popCategory->addSection(tr("Saved searches"));
    for (const QString &name : names) {
        // A name is the user's text: "&" is a character, not a mnemonic.
        QAction *item =
            popCategory->addAction(QString(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, name] {
            if (isVisible())
                HideSummary();
            if (runSaved_)
                runSaved_(name);
        });
        savedActions_ << item;
    }
}

void SummaryPage::createBadges()
{
    QFont labelFont = font();
    labelFont.setPointSizeF(labelFont.pointSizeF() * 1.25);
    labelFont.setBold(true);
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const Group group = summary::groupAt(i);
        Badge &badge = badges_[static_cast<std::size_t>(i)];
        badge.low = new QLabel(this);
        badge.low->setObjectName(pictureName(group, false));
        badge.high = new QLabel(this);
        badge.high->setObjectName(pictureName(group, true));
        // The low picture keeps the pointer while the highlighted one lies over it.
        badge.high->setAttribute(Qt::WA_TransparentForMouseEvents);
        badge.high->hide();
        badge.label = new QLabel(this);
        badge.label->setObjectName(QString::fromLatin1(summary::LabelName(group).c_str()));
        badge.label->setFont(labelFont);
        badge.label->setStyleSheet(QStringLiteral("color: white;"));
        auto *shadow = new QGraphicsDropShadowEffect(badge.label);
        shadow->setBlurRadius(6);
        shadow->setOffset(1, 1);
        shadow->setColor(QColor(0, 30, 70, 200));
        badge.label->setGraphicsEffect(shadow);
        for (QLabel *part : {badge.low, badge.label}) {
            part->setCursor(Qt::PointingHandCursor);
            part->setMouseTracking(true);
            part->installEventFilter(this);
        }
        badge.low->setToolTip(QString::fromLocal8Bit(summary::SelectionTitle(group)));
    }
    refreshPictures();
}

void SummaryPage::refreshPictures()
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == pictureRatio_)
        return;
    pictureRatio_ = ratio;
    for (int i = 0; i < summary::kGroupCount; ++i) {
        Badge &badge = badges_[static_cast<std::size_t>(i)];
        badge.low->setPixmap(BadgeArt::Badge(summary::groupAt(i), false, ratio));
        badge.high->setPixmap(BadgeArt::Badge(summary::groupAt(i), true, ratio));
        badge.low->resize(kBadgeWidth, kBadgeHeight);
        badge.high->resize(kBadgeWidth, kBadgeHeight);
    }
    sky_ = QPixmap();
}

QLabel *SummaryPage::Picture(Group group, bool highlighted) const
{
    const Badge &badge = badges_[static_cast<std::size_t>(summary::indexOf(group))];
    return highlighted ? badge.high : badge.low;
}

QLabel *SummaryPage::Label(Group group) const
{
    return badges_[static_cast<std::size_t>(summary::indexOf(group))].label;
}

QToolButton *SummaryPage::CreateSummaryButton(QWidget *parent)
{
    if (!buttonSummary) {
        buttonSummary = new QToolButton(parent);
        buttonSummary->setObjectName(QStringLiteral("buttonSummary"));
        buttonSummary->setText(tr("Show Summary"));
        buttonSummary->setToolTip(tr("Show Summary"));
        buttonSummary->setPopupMode(QToolButton::MenuButtonPopup);
        buttonSummary->setMenu(popCategory);
        connect(buttonSummary, &QToolButton::clicked, this, &SummaryPage::buttonSummaryClick);
        access::menuFromKeyboard(buttonSummary);
    }
    return buttonSummary;
}

void SummaryPage::RefreshGroups()
{
    lists_.Rebuild(store_);
    UpdateBadges();
}

void SummaryPage::UpdateBadges()
{
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const Group group = summary::groupAt(i);
        QLabel *label = badges_[static_cast<std::size_t>(i)].label;
        // The count in the user's number form ("1.204" in German).
        label->setText(QString::fromStdString(summary::BadgeCaption(group)) +
                       QLocale().toString(lists_.Count(group)));
        label->adjustSize();
    }
}

void SummaryPage::LayoutSummary()
{
    restoreHighlight();
    const auto places = summary::LayoutSummary(width(), height());
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const summary::BadgePlace &place = places[static_cast<std::size_t>(i)];
        Badge &badge = badges_[static_cast<std::size_t>(i)];
        badge.low->move(place.left, place.top);
        badge.high->move(place.left, place.top);
        badge.label->move(place.labelLeft, place.labelTop);
    }
}

void SummaryPage::buttonSummaryClick()
{
    RefreshGroups();
    if (parentWidget())
        setGeometry(parentWidget()->rect());
    LayoutSummary();
    show();
    raise();
    // The page covers the window: the keys come to it until it closes.
    if (!hasFocus()) {
        focusBefore_ = QApplication::focusWidget();
        setFocus(Qt::OtherFocusReason);
    }
    emit SummaryShown();
}

void SummaryPage::HideSummary()
{
    restoreHighlight();
    const bool hadFocus = hasFocus();
    hide();
    if (hadFocus && focusBefore_ && focusBefore_->isVisible())
        focusBefore_->setFocus(Qt::OtherFocusReason);
    emit SummaryHidden();
}

void SummaryPage::showAtStart(bool wanted)
{
    // The first run opens on the template's "Getting started" topic, which says what to do
    // first; a page of nine zero counts would say nothing. Later starts follow the preference.
    if (wanted && !store_.seededFromTemplate)
        buttonSummaryClick();
    else
        HideSummary();
}

void SummaryPage::ShowGroup(Group group)
{
    const TNimbusStructure &topics = lists_.ResolveGroup(group, store_);
    if (!chooser_)
        return;
    const int row = chooser_(topics, QString::fromLocal8Bit(summary::SelectionTitle(group)), this);
    // Row r is list entry r - 1; anything outside the list chooses nothing.
    if (row < 1 || row > topics.Count())
        return;
    const TNimbusNode *node = topics.Node(row - 1);
    if (!node)
        return;
    const QByteArray uni = QByteArray::fromStdString(node->uni);
    HideSummary();
    emit GoToTopic(uni);
}

DeadlineResult SummaryPage::timerDeadlineTimer(const Clock &clock)
{
    DeadlineResult result = RunDeadlineTick(store_, clock, &lists_);
    UpdateBadges();
    return result;
}

// ---- hover and clicks ----

int SummaryPage::badgeOf(QObject *widget) const
{
    for (int i = 0; i < summary::kGroupCount; ++i) {
        const Badge &badge = badges_[static_cast<std::size_t>(i)];
        if (widget == badge.low || widget == badge.label)
            return i + 1;
    }
    return 0;
}

void SummaryPage::highlight(int badgeNumber)
{
    if (badgeNumber == hovered_)
        return;
    restoreHighlight();
    Badge &badge = badges_[static_cast<std::size_t>(badgeNumber - 1)];
    badge.high->show();
    badge.high->raise();
    badge.label->move(badge.label->pos() - QPoint(kLabelLift, kLabelLift));
    hovered_ = badgeNumber;
}

void SummaryPage::restoreHighlight()
{
    if (hovered_ == 0)
        return;
    Badge &badge = badges_[static_cast<std::size_t>(hovered_ - 1)];
    badge.high->hide();
    badge.label->move(badge.label->pos() + QPoint(kLabelLift, kLabelLift));
    hovered_ = 0;
}

bool SummaryPage::eventFilter(QObject *watched, QEvent *event)
{
    const int number = badgeOf(watched);
    if (number == 0)
        return QWidget::eventFilter(watched, event);
    const bool onPicture = watched == badges_[static_cast<std::size_t>(number - 1)].low;
    switch (event->type()) {
    case QEvent::Enter:
        if (onPicture)
            highlight(number);
        break;
    case QEvent::MouseMove:
        if (onPicture)
            highlight(number);
        // Kept from the page, which would take it for the sky.
        return true;
    case QEvent::MouseButtonRelease:
        // A click opens the group. So does a double-click; its closing release is not a
        // second click. (With the real dialog the second click lands on the dialog anyway.)
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            if (!afterDoubleClick_)
                ShowGroup(summary::groupAt(number - 1));
            afterDoubleClick_ = false;
        }
        return true;
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            afterDoubleClick_ = true;
            ShowGroup(summary::groupAt(number - 1));
        }
        return true;
    case QEvent::MouseButtonPress:
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SummaryPage::stepHighlight(int step)
{
    const int count = summary::kGroupCount;
    const int from = hovered_ > 0 ? hovered_ : (step > 0 ? 0 : 1);
    highlight((from - 1 + step + count) % count + 1);
}

void SummaryPage::stepToward(summary::Direction direction)
{
    // The arrows follow the badges as they are drawn; with none highlighted yet, any arrow
    // starts at the first badge (top left).
    if (hovered_ <= 0) {
        highlight(summary::indexOf(summary::Group::Deadlines) + 1);
        return;
    }
    const summary::Group from = summary::groupAt(hovered_ - 1);
    highlight(summary::indexOf(summary::BadgeNeighbour(from, direction)) + 1);
}

void SummaryPage::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        HideSummary();
        return;
    case Qt::Key_Left:
        stepToward(summary::Direction::Left);
        return;
    case Qt::Key_Right:
        stepToward(summary::Direction::Right);
        return;
    case Qt::Key_Up:
        stepToward(summary::Direction::Up);
        return;
    case Qt::Key_Down:
        stepToward(summary::Direction::Down);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Like a click: on a badge it opens the group, on the sky it closes the page.
        if (hovered_ > 0)
            ShowGroup(summary::groupAt(hovered_ - 1));
        else
            HideSummary();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool SummaryPage::focusNextPrevChild(bool next)
{
    // The controls under the page are out of sight: Tab stays on the badges.
    if (!isVisible())
        return QWidget::focusNextPrevChild(next);
    stepHighlight(next ? 1 : -1);
    return true;
}

void SummaryPage::mouseMoveEvent(QMouseEvent *event)
{
    // Over the sky: the badge that was highlighted goes back to its low picture.
    restoreHighlight();
    QWidget::mouseMoveEvent(event);
}

void SummaryPage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        HideSummary();
}

void SummaryPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    sky_ = QPixmap();
    LayoutSummary();
}

void SummaryPage::paintEvent(QPaintEvent *)
{
    refreshPictures();
    const qreal ratio = devicePixelRatioF();
    const look::Shade shade = treelook::shadeOf(palette());
    if (sky_.isNull() || sky_.deviceIndependentSize().toSize() != size() ||
        sky_.devicePixelRatio() != ratio || skyShade_ != shade) {
        sky_ = BadgeArt::Sky(size(), ratio, shade);
        skyShade_ = shade;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, sky_);
    // A quiet hint at the foot of the page.
    const look::Rgb hint = look::treeLook(shade).summaryHint;
    painter.setPen(QColor(hint.red, hint.green, hint.blue, 190));
    painter.drawText(rect().adjusted(0, 0, -12, -8), Qt::AlignRight | Qt::AlignBottom,
                     tr("Click a badge to list its topics; click the sky to close"));
}

} // namespace nimbus::summarypage
