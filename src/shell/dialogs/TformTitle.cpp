// The page title dialog.
#include "shell/dialogs/TformTitle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/DialogText.h"

namespace nimbus::dialogs {

TformTitle::TformTitle(const std::string &title, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Page title"));
    auto *prompt = new QLabel(tr("Type in a new title for this page and click OK"), this);
    editTitle = new QLineEdit(toQt(title), this);
    editTitle->setObjectName(QStringLiteral("editTitle"));
    prompt->setBuddy(editTitle);
    editTitle->selectAll();
    buttonOK = new QPushButton(tr("OK"), this);
    buttonOK->setObjectName(QStringLiteral("buttonOK"));
    // Enter is handled by the edit alone, so that it is acted on once.
    buttonOK->setAutoDefault(false);
    connect(editTitle, &QLineEdit::returnPressed, this, &TformTitle::editTitleKeyPress);
    connect(buttonOK, &QPushButton::clicked, this, &TformTitle::buttonOKClick);

    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttonOK);
    auto *page = new QVBoxLayout(this);
    page->addWidget(prompt);
    page->addWidget(editTitle);
    page->addLayout(row);
    setMinimumWidth(360);
}

std::string TformTitle::title() const
{
    return fromQt(editTitle->text());
}

void TformTitle::editTitleKeyPress()
{
    buttonOKClick();
}

void TformTitle::buttonOKClick()
{
    accept();
}

} // namespace nimbus::dialogs
