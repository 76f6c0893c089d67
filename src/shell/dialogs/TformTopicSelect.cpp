// The topic type chooser.
#include "shell/dialogs/TformTopicSelect.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/dialogs/ClickLabel.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus::dialogs {

TformTopicSelect::TformTopicSelect(int preset, QWidget *parent, ImageSource images)
    : QDialog(parent), preset_(preset), chosen_(preset)
{
    setWindowTitle(tr("Select topic type"));
    const QString captions[] = {tr("Things to do"), tr("Information"), tr("Ideas"), tr("Finances"),
                                tr("Events")};
    const char *const labelNames[] = {"labelThings", "labelInfo", "labelIdeas", "labelMoney",
                                      "labelEvents"};
    const char *const buttonNames[] = {"buttonThings", "buttonInfo", "buttonIdeas", "buttonMoney",
                                       "buttonEvents"};
    ClickLabel **labels[] = {&labelThings, &labelInfo, &labelIdeas, &labelMoney, &labelEvents};
    QToolButton **buttons[] = {&buttonThings, &buttonInfo, &buttonIdeas, &buttonMoney,
                               &buttonEvents};
    void (TformTopicSelect::*handlers[])() = {
        &TformTopicSelect::labelThingsClick, &TformTopicSelect::labelInfoClick,
        &TformTopicSelect::labelIdeasClick, &TformTopicSelect::labelMoneyClick,
        &TformTopicSelect::labelEventsClick};

    auto *grid = new QGridLayout;
    for (int i = 0; i < kChoices; ++i) {
        auto *label = new ClickLabel(captions[i], this);
        label->setObjectName(QLatin1String(labelNames[i]));
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(buttonNames[i]));
        button->setIconSize(QSize(32, 32));
        // The choice's type code is the index of its button's image.
        const TopicImage image{TopicImage::List::TopicTypes, kTopicTypeChoices[i]};
        if (images)
            button->setIcon(images(image));
        button->setToolTip(label->text());
        access::iconButton(button);
        // The caption names the image button beside it; a click on either chooses.
        label->setBuddy(button);
        *labels[i] = label;
        *buttons[i] = button;
        // A label and the image button beside it share one handler.
        connect(label, &ClickLabel::clicked, this, handlers[i]);
        connect(button, &QToolButton::clicked, this, handlers[i]);
        grid->addWidget(button, i, 0);
        grid->addWidget(label, i, 1);
    }
    grid->setColumnStretch(1, 1);

    buttonOK = new QPushButton(tr("OK"), this);
    buttonOK->setObjectName(QStringLiteral("buttonOK"));
    buttonOK->setDefault(true);
    buttonCancel = new QPushButton(tr("Cancel"), this);
    buttonCancel->setObjectName(QStringLiteral("buttonCancel"));
    connect(buttonOK, &QPushButton::clicked, this, &TformTopicSelect::buttonOKClick);
    connect(buttonCancel, &QPushButton::clicked, this, &TformTopicSelect::buttonCancelClick);
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttonOK);
    row->addWidget(buttonCancel);

    auto *page = new QVBoxLayout(this);
    page->addLayout(grid);
    page->addLayout(row);
    FormShow();
}

void TformTopicSelect::FormShow()
{
    makeBold(topicTypeChoiceIndex(preset_));
}

void TformTopicSelect::makeBold(int choice)
{
    ClickLabel *const labels[] = {labelThings, labelInfo, labelIdeas, labelMoney, labelEvents};
    for (int i = 0; i < kChoices; ++i) {
        QFont font = labels[i]->font();
        font.setBold(i == choice);
        labels[i]->setFont(font);
    }
}

int TformTopicSelect::boldChoice() const
{
    const ClickLabel *const labels[] = {labelThings, labelInfo, labelIdeas, labelMoney,
                                        labelEvents};
    for (int i = 0; i < kChoices; ++i)
        if (labels[i]->font().bold())
            return i;
    return -1;
}

void TformTopicSelect::buttonOKClick()
{
    chosen_ = chosenTopicType(boldChoice(), preset_);
    accept();
}

void TformTopicSelect::buttonCancelClick()
{
    reject();
}

void TformTopicSelect::labelThingsClick()
{
    makeBold(0);
}

void TformTopicSelect::labelInfoClick()
{
    makeBold(1);
}

void TformTopicSelect::labelIdeasClick()
{
    makeBold(2);
}

void TformTopicSelect::labelMoneyClick()
{
    makeBold(3);
}

void TformTopicSelect::labelEventsClick()
{
    makeBold(4);
}

} // namespace nimbus::dialogs
