// The about page.
#include "shell/pages/AboutPage.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "shell/pages/PagePrompts.h"
#include "store/Clock.h"
#include "tree/TAppPaths.h"

namespace nimbus::pages {

namespace {

QString local(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

QLabel *named(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutPage::AboutPage(const TAppPaths &paths, const Clock &clock, PagePrompts &prompts,
                     QWidget *parent)
    : QWidget(parent), paths_(paths), clock_(clock), prompts_(prompts)
{
    setObjectName("panelAbout");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    labelProduct = named("labelProduct", this);
    QFont font = labelProduct->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    labelProduct->setFont(font);
    labelProduct->setStyleSheet("color: rgb(0, 0, 128);");
    labelDesc = named("labelDesc", this);
    labelVersion = named("labelVersion", this);
    labelNotice = named("labelNotice", this);
    labelNotice->setStyleSheet("color: rgb(90, 90, 90);");
    for (QLabel *label : {labelProduct, labelDesc, labelVersion, labelNotice})
        layout->addWidget(label);

    auto *system = new QFormLayout;
    labOS = named("labOS", this);
    labOSVersion = named("labOSVersion", this);
    labProcessor = named("labProcessor", this);
    system->addRow(tr("Operating system:"), labOS);
    system->addRow(tr("OS Version:"), labOSVersion);
    system->addRow(tr("Processor:"), labProcessor);
    layout->addLayout(system);

    labWebSite = new QLabel(this);
    labWebSite->setObjectName("labWebSite");
    labWebSite->setTextFormat(Qt::RichText);
    labWebSite->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(kWebSite));
    labWebSite->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(labWebSite, &QLabel::linkActivated, this, &AboutPage::labWebSiteClick);
    layout->addWidget(labWebSite);

    layout->addStretch();
    fill();
}

void AboutPage::setSoftwarePanel(QWidget *panel)
{
    // The software list takes the room below the product details, where the stretch was.
    auto *column = static_cast<QVBoxLayout *>(layout());
    if (QLayoutItem *last = column->itemAt(column->count() - 1); last && last->spacerItem())
        delete column->takeAt(column->count() - 1);
    column->addWidget(panel, 1);
}

void AboutPage::fill()
{
    labelProduct->setText(local(paths_.ProductTitle));
    setAccessibleName(labelProduct->text());
    labelDesc->setText(tr("Information Assistant"));
    labelVersion->setText(tr("Version ") + local(paths_.CurrentDataVersion));
    labelNotice->setText(tr("Copyright %1 %2 the makers of Nimbus Desk. All rights reserved.")
                             .arg(QChar(0x00A9))
                             .arg(clock_.now().civil().year));
    labOS->setText(local(paths_.OsName));
    labOSVersion->setText(local(paths_.OsVersion));
    labProcessor->setText(local(paths_.Processor));
}

void AboutPage::labWebSiteClick()
{
    prompts_.openDocument(kWebSite);
}

void AboutPage::showEvent(QShowEvent *event)
{
    fill();
    QWidget::showEvent(event);
}

} // namespace nimbus::pages
