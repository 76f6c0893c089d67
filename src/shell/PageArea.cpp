// Pages of the main window's right-hand side.
#include "shell/PageArea.h"

#include <QLabel>
#include <QVBoxLayout>

#include "shell/pages/ThemeText.h"

namespace nimbus {

PageArea::PageArea(QWidget *parent) : QStackedWidget(parent)
{
    setObjectName("panelPages");
    connect(this, &QStackedWidget::currentChanged, this, &PageArea::nameAfterShownPage);
}

void PageArea::nameAfterShownPage()
{
    setAccessibleName(currentWidget() ? currentWidget()->accessibleName() : QString());
}

void PageArea::setPage(QWidget *page)
{
    QWidget *old = this->page(page->objectName());
    if (old == page)
        return;
    if (!old) {
        addWidget(page);
        return;
    }
    const bool shown = currentWidget() == old;
    insertWidget(indexOf(old), page);
    removeWidget(old);
    old->deleteLater();
    if (shown)
        setCurrentWidget(page);
}

QWidget *PageArea::page(const QString &name) const
{
    for (int i = 0; i < count(); ++i)
        if (widget(i)->objectName() == name)
            return widget(i);
    return nullptr;
}

bool PageArea::showPage(const QString &name)
{
    QWidget *shown = page(name);
    if (!shown)
        return false;
    if (currentWidget() != shown) {
        setCurrentWidget(shown);
        emit pageShown(shown);
    }
    return true;
}

QString PageArea::currentPageName() const
{
    return currentWidget() ? currentWidget()->objectName() : QString();
}

QWidget *PageArea::placeholder(const QString &name, const QString &heading, const QString &text)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    page->setAccessibleName(heading);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(24, 18, 24, 18);
    auto *title = new QLabel(heading, page);
    title->setObjectName("labelHeading");
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    title->setFont(font);
    pages::theme::followPalette(title, pages::theme::TextRole::Title);
    layout->addWidget(title);
    auto *body = new QLabel(text, page);
    body->setWordWrap(true);
    pages::theme::followPalette(body, pages::theme::TextRole::Quiet);
    layout->addWidget(body);
    layout->addStretch();
    return page;
}

} // namespace nimbus
