// The column details dialog of the file display options.
#include "viewer/TFileDisplayColumnForm.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nimbus::viewer {

TFileDisplayColumnForm::TFileDisplayColumnForm(const ColumnDetails &details, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("File Display - Column Details"));
    auto *layout = new QVBoxLayout(this);

    auto *form = new QFormLayout;
    editHeadingText = new QLineEdit(QString::fromLocal8Bit(details.heading.c_str()), this);
    editHeadingText->setObjectName("editHeadingText");
    form->addRow(tr("Column heading text"), editHeadingText);
    layout->addLayout(form);

    auto *display = new QGroupBox(tr(" Column Display "), this);
    auto *displayLayout = new QVBoxLayout(display);
    radioVisible = new QRadioButton(tr("visible"), display);
    radioHidden = new QRadioButton(tr("hidden"), display);
    displayLayout->addWidget(radioVisible);
    displayLayout->addWidget(radioHidden);
    (details.visible ? radioVisible : radioHidden)->setChecked(true);
    layout->addWidget(display);

    auto *types = new QGroupBox(tr(" Data type for sorting "), this);
    auto *typesLayout = new QVBoxLayout(types);
    for (int i = 0; i < kColumnTypeCount; ++i) {
        const auto type = static_cast<ColumnType>(i);
        auto *radio = new QRadioButton(
            QCoreApplication::translate("nimbus::viewer", columnTypeCaption(type)), types);
        radio->setObjectName(QStringLiteral("radioType_") + QLatin1String(columnTypeName(type)));
        radio->setChecked(type == details.type);
        typesLayout->addWidget(radio);
        radioTypes[static_cast<std::size_t>(i)] = radio;
    }
    layout->addWidget(types);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttonOK = new QPushButton(tr("OK"), this);
    buttonOK->setObjectName("buttonOK");
    buttonOK->setDefault(true);
    buttonCancel = new QPushButton(tr("Cancel"), this);
    buttonCancel->setObjectName("buttonCancel");
    buttons->addWidget(buttonOK);
    buttons->addWidget(buttonCancel);
    layout->addLayout(buttons);

    connect(buttonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

ColumnDetails TFileDisplayColumnForm::details() const
{
    ColumnDetails details;
    details.heading = editHeadingText->text().toLocal8Bit().toStdString();
    details.visible = !radioHidden->isChecked();
    for (int i = 0; i < kColumnTypeCount; ++i)
        if (radioTypes[static_cast<std::size_t>(i)]->isChecked())
            details.type = static_cast<ColumnType>(i);
    return details;
}

} // namespace nimbus::viewer
