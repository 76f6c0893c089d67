// Walks over a window's controls the way a keyboard or screen reader user meets them: the Tab
// chain, the names buttons are read out by, the captions that lead to their fields, and the
// pixel ratio of the pictures. Each check returns a description of every offender, so that a
// failure names them all at once.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>

namespace nimbus::test {

inline QString describe(const QWidget *w)
{
    QString text;
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        text = button->text();
    else if (const auto *label = qobject_cast<const QLabel *>(w))
        text = label->text();
    return QStringLiteral("%1 \"%2\" [%3]")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(), text);
}

// Controls a user works with, as opposed to labels, frames and scroll bars. Fields are the
// controls a caption in front of them names.
inline bool isField(const QWidget *w)
{
    if (!w || qobject_cast<const QHeaderView *>(w))
        return false;
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QTextEdit *>(w) ||
           qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QAbstractItemView *>(w);
}

inline bool isInputControl(const QWidget *w)
{
    return isField(w) || qobject_cast<const QAbstractButton *>(w) ||
           qobject_cast<const QTabBar *>(w);
}

// Qt's own parts of a composite control (tab bar scroll arrows, a tool bar's overflow button).
inline bool isQtInternal(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    return w->objectName().startsWith(QLatin1String("qt_")) ||
           qobject_cast<const QTabBar *>(parent) ||
           (qobject_cast<const QToolBar *>(parent) &&
            QLatin1String(w->metaObject()->className()) == QLatin1String("QToolBarExtension"));
}

// Whether a Tab typed into the widget is text rather than a move; Ctrl+Tab leaves it.
inline bool takesTab(const QWidget *w)
{
    if (const auto *edit = qobject_cast<const QTextEdit *>(w))
        return !edit->isReadOnly() && !edit->tabChangesFocus();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(w))
        return !edit->isReadOnly() && !edit->tabChangesFocus();
    return false;
}

// Presses Tab from the focused widget until the focus comes back round (or stops moving) and
// returns every widget it visited, in order, starting with the focused one. A widget may keep
// Tab for a few presses (a date edit moves through its day, month and year first).
inline QList<QWidget *> tabWalk(int limit = 400)
{
    constexpr int kStaysAllowed = 6;
    QList<QWidget *> visited;
    QWidget *start = QApplication::focusWidget();
    if (!start)
        return visited;
    visited.push_back(start);
    int stays = 0;
    for (int i = 0; i < limit; ++i) {
        QWidget *at = QApplication::focusWidget();
        QTest::keyClick(at, Qt::Key_Tab, takesTab(at) ? Qt::ControlModifier : Qt::NoModifier);
        QWidget *next = QApplication::focusWidget();
        if (next == at && ++stays <= kStaysAllowed)
            continue;
        stays = 0;
        if (!next || next == start || visited.contains(next))
            break;
        visited.push_back(next);
    }
    return visited;
}

// Whether the walk reached the widget. Of a set of exclusive radio buttons Tab stops on the
// checked one only (the arrow keys move among them), so reaching one reaches all.
inline bool reached(QWidget *w, const QList<QWidget *> &visited)
{
    if (visited.contains(w))
        return true;
    const auto *radio = qobject_cast<QRadioButton *>(w);
    if (!radio || !radio->autoExclusive())
        return false;
    for (QWidget *other : visited)
        if (auto *sibling = qobject_cast<QRadioButton *>(other);
            sibling && sibling->autoExclusive() && sibling->parentWidget() == w->parentWidget())
            return true;
    return false;
}

// Shown, enabled controls under root that the walk did not reach. exempt: object names of
// controls that are left to the mouse on purpose, each with another keyboard route.
inline QStringList unreached(QWidget *root, const QList<QWidget *> &visited,
                             const QStringList &exempt = {})
{
    QStringList missing;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!isInputControl(w) || !w->isVisible() || !w->isEnabled() || w->focusProxy() ||
            isQtInternal(w) || exempt.contains(w->objectName()))
            continue;
        if (!reached(w, visited))
            missing << describe(w);
    }
    return missing;
}

// Buttons that show a picture or a sign ("?", "...") instead of words and have no accessible
// name for a screen reader to say.
inline QStringList unnamedButtons(QWidget *root)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QStringList unnamed;
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (isQtInternal(b))
            continue;
        const bool showsSign = !b->icon().isNull() || !b->text().isEmpty();
        if (showsSign && !b->text().contains(word) && b->accessibleName().isEmpty())
            unnamed << describe(b);
    }
    return unnamed;
}

namespace detail {

inline QWidget *firstWidget(QLayoutItem *item)
{
    if (!item)
        return nullptr;
    if (item->widget())
        return item->widget();
    if (QLayout *inner = item->layout())
        for (int i = 0; i < inner->count(); ++i)
            if (QWidget *w = firstWidget(inner->itemAt(i)))
                return w;
    return nullptr;
}

// The captions of a layout with the widget that follows each: to the right or, in a grid,
// below when nothing is to the right. A label beside a field or beside a caption of its own
// row is a value or a unit ("days before"), not a caption over the row below.
inline void captionsIn(QLayout *layout, QList<std::pair<QLabel *, QWidget *>> &pairs)
{
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            auto *label = qobject_cast<QLabel *>(grid->itemAt(i)->widget());
            if (!label)
                continue;
            QWidget *next = firstWidget(grid->itemAtPosition(row, column + columnSpan));
            QWidget *left =
                column > 0 ? firstWidget(grid->itemAtPosition(row, column - 1)) : nullptr;
            const bool overRow =
                !left || (qobject_cast<QLabel *>(left) &&
                          isField(firstWidget(grid->itemAtPosition(row + 1, column - 1))));
            if (!next && overRow)
                next = firstWidget(grid->itemAtPosition(row + rowSpan, column));
            pairs.push_back({label, next});
        }
    } else if (!qobject_cast<QFormLayout *>(layout)) { // a form's captions are its own
        for (int i = 0; i + 1 < layout->count(); ++i)
            if (auto *label = qobject_cast<QLabel *>(layout->itemAt(i)->widget()))
                pairs.push_back({label, firstWidget(layout->itemAt(i + 1))});
    }
    for (int i = 0; i < layout->count(); ++i)
        if (QLayout *inner = layout->itemAt(i)->layout())
            captionsIn(inner, pairs);
}

} // namespace detail

// Captions directly in front of (or over) a field that do not name it as their buddy.
inline QStringList captionsWithoutBuddy(QWidget *root)
{
    QList<QWidget *> holders = root->findChildren<QWidget *>();
    holders.push_front(root);
    QStringList missing;
    for (QWidget *holder : holders) {
        if (!holder->layout())
            continue;
        QList<std::pair<QLabel *, QWidget *>> pairs;
        detail::captionsIn(holder->layout(), pairs);
        for (const auto &[label, next] : pairs) {
            QWidget *field = next && next->focusProxy() ? next->focusProxy() : next;
            if (isField(next) && label->buddy() != next && label->buddy() != field)
                missing << describe(label) + " before " + describe(next);
        }
    }
    return missing;
}

// Buttons whose icon has no picture drawn for the given pixel ratio (it would be scaled up
// from a smaller one), and shown labels whose picture is coarser than their screen.
inline QStringList coarsePictures(QWidget *root, qreal ratio)
{
    QStringList coarse;
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (b->icon().isNull() || isQtInternal(b))
            continue;
        if (b->icon().pixmap(b->iconSize(), ratio).devicePixelRatio() < ratio)
            coarse << describe(b);
    }
    for (QLabel *label : root->findChildren<QLabel *>()) {
        const QPixmap picture = label->pixmap();
        if (label->isVisible() && !picture.isNull() &&
            picture.devicePixelRatio() < label->devicePixelRatioF())
            coarse << describe(label);
    }
    return coarse;
}

// Shown labels and buttons lower than one line of their own text: their captions are cut.
inline QStringList clippedTexts(QWidget *root)
{
    QStringList clipped;
    auto check = [&clipped](QWidget *w, const QString &text) {
        if (w->isVisible() && !text.isEmpty() && w->height() < w->fontMetrics().height())
            clipped
                << describe(w) +
                       QStringLiteral(" %1 < %2").arg(w->height()).arg(w->fontMetrics().height());
    };
    for (QLabel *label : root->findChildren<QLabel *>())
        if (label->pixmap().isNull())
            check(label, label->text());
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>())
        check(b, b->text());
    return clipped;
}

} // namespace nimbus::test
