#include "shell/search/ResultDelegate.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QTextDocument>

namespace nimbus::searchui {

namespace {
constexpr int kIcon = 16;
constexpr int kMargin = 4;

void layoutDocument(QTextDocument &doc, const QStyleOptionViewItem &option, const QModelIndex &index)
{
    doc.setDefaultFont(option.font);
    doc.setDocumentMargin(0);
    doc.setHtml(index.data(ResultDelegate::kHtmlRole).toString());
    doc.setTextWidth(std::max(50, option.rect.width() - 2 * kIcon - 3 * kMargin));
}
} // namespace

void ResultDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.icon = QIcon();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QRect r = option.rect;
    const QIcon type = index.data(Qt::DecorationRole).value<QIcon>();
    const QIcon status = index.data(kStatusIconRole).value<QIcon>();
    type.paint(painter, QRect(r.left() + kMargin, r.top() + kMargin, kIcon, kIcon));
    if (!status.isNull())
        status.paint(painter, QRect(r.left() + kMargin, r.top() + kMargin + kIcon + 2, kIcon, kIcon));

    QTextDocument doc;
    layoutDocument(doc, option, index);
    painter->save();
    painter->translate(r.left() + kIcon + 2 * kMargin, r.top() + kMargin);
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    if (option.state & QStyle::State_Selected)
        context.palette.setColor(QPalette::Text, option.palette.color(QPalette::HighlightedText));
    doc.documentLayout()->draw(painter, context);
    painter->restore();
}

QSize ResultDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QTextDocument doc;
    layoutDocument(doc, option, index);
    const int height = std::max(2 * kIcon + 2, static_cast<int>(doc.size().height()));
    return {option.rect.width(), height + 2 * kMargin};
}

} // namespace nimbus::searchui
