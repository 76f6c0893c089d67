// The file display options dialog and its column list.
#include "viewer/TformFileDisplayOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "viewer/TFileDisplayColumnForm.h"
#include "widgets/KeyboardAccess.h"
#include "widgets/FileDialogStart.h"

namespace nimbus::viewer {

namespace {

QString toQt(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

std::string fromQt(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

QCheckBox *check(QWidget *parent, const char *name, const QString &caption, bool value)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setChecked(value);
    return box;
}

} // namespace

TformFileDisplayOptions::TformFileDisplayOptions(const FileDisplayOptions &options, int sortColumn,
                                                 bool ascending, QWidget *parent)
    : QDialog(parent), options_(options), values_(dialogValuesFrom(options)),
      sortColumn_(sortColumn), ascending_(ascending)
{
    editColumn = [this](ColumnDetails &details) {
        TFileDisplayColumnForm form(details, this);
        if (form.exec() != QDialog::Accepted)
            return false;
        details = form.details();
        return true;
    };
    chooseHeadingFile = [this](const QString &start) {
        return QFileDialog::getOpenFileName(
            this, tr("Select file"), access::startInHomeFolder(start), tr("All Files (*.*)"));
    };
    createControls();
    showRows();
}

void TformFileDisplayOptions::createControls()
{
    setWindowTitle(tr("File Display Options"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(tr("These options enable you to customise the way this "
                                "file is displayed whenever you look at it"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    checkOptionEnd =
        check(this, "checkOptionEnd", tr("Always open the file at the end "), values_.openEnd);
    checkOptionColumns =
        check(this, "checkOptionColumns", tr("The file has columns"), values_.columns);
    checkOptionsHeadings = check(this, "checkOptionsHeadings",
                                 tr("Column headings are in the first line"), values_.headings);
    checkOptionsSort = check(this, "checkOptionsSort",
                             tr("Always open the file sorted by this column"), values_.sorted);
    checkRotated = check(this, "checkRotated", tr("Show table rotated"), values_.rotated);
    for (QCheckBox *box :
         {checkOptionEnd, checkOptionColumns, checkOptionsHeadings, checkOptionsSort, checkRotated})
        layout->addWidget(box);

    auto *headingRow = new QHBoxLayout;
    checkHeadingsFromFile = check(this, "checkHeadingsFromFile",
                                  tr("Get column headings from a file:"), values_.headingsFromFile);
    editHeadingsFile = new QLineEdit(toQt(values_.headingFile), this);
    editHeadingsFile->setObjectName("editHeadingsFile");
    buttonSelectFile = new QPushButton(tr("Select file"), this);
    buttonSelectFile->setObjectName("buttonSelectFile");
    headingRow->addWidget(checkHeadingsFromFile);
    headingRow->addWidget(editHeadingsFile, 1);
    headingRow->addWidget(buttonSelectFile);
    layout->addLayout(headingRow);

    checkShowTemplate =
        check(this, "checkShowTemplate", tr("Show template fields"), values_.showTemplate);
    layout->addWidget(checkShowTemplate);

    auto *fontRow = new QHBoxLayout;
    auto *fontLabel = new QLabel(tr("Text size:"), this);
    fontRow->addWidget(fontLabel);
    comboFont = new QComboBox(this);
    comboFont->setObjectName("comboFont");
    fontLabel->setBuddy(comboFont);
    comboFont->setEditable(true);
    for (int size : {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 24})
        comboFont->addItem(QString::number(size));
    comboFont->setCurrentText(QString::number(values_.fontSize));
    fontRow->addWidget(comboFont);
    fontRow->addStretch();
    layout->addLayout(fontRow);

    auto *columnsBox = new QGroupBox(tr("Column Details"), this);
    auto *columnsLayout = new QVBoxLayout(columnsBox);
    ListView1 = new QTreeWidget(columnsBox);
    ListView1->setObjectName("ListView1");
    ListView1->setRootIsDecorated(false);
    ListView1->setHeaderLabels({QStringLiteral("Heading"), tr("Data type"), tr("Display")});
    ListView1->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    columnsLayout->addWidget(ListView1);
    buttonResetColumns = new QPushButton(tr("Reset column details"), columnsBox);
    buttonResetColumns->setObjectName("buttonResetColumns");
    columnsLayout->addWidget(buttonResetColumns, 0, Qt::AlignLeft);
    layout->addWidget(columnsBox, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttonClose = new QPushButton(tr("OK"), this);
    buttonClose->setObjectName("buttonClose");
    buttonClose->setDefault(true);
    buttonCancel = new QPushButton(tr("Cancel"), this);
    buttonCancel->setObjectName("buttonCancel");
    buttons->addWidget(buttonClose);
    buttons->addWidget(buttonCancel);
    layout->addLayout(buttons);
    resize(520, 560);

    connect(ListView1, &QTreeWidget::itemDoubleClicked, this,
            &TformFileDisplayOptions::ListView1DblClick);
    access::activateOnEnter(
        ListView1, [this](const QModelIndex &) { ListView1DblClick(ListView1->currentItem()); });
    connect(buttonSelectFile, &QPushButton::clicked, this,
            &TformFileDisplayOptions::buttonSelectFileClick);
    connect(comboFont, &QComboBox::currentTextChanged, this,
            &TformFileDisplayOptions::comboFontChange);
    connect(buttonResetColumns, &QPushButton::clicked, this,
            &TformFileDisplayOptions::buttonResetColumnsClick);
    connect(buttonClose, &QPushButton::clicked, this, &TformFileDisplayOptions::buttonCloseClick);
    connect(buttonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TformFileDisplayOptions::showRows()
{
    ListView1->clear();
    for (const ColumnDetails &row : values_.rows) {
        auto *item = new QTreeWidgetItem(ListView1);
        item->setText(0, toQt(row.heading));
        item->setText(1,
                      QCoreApplication::translate("nimbus::viewer", columnTypeCaption(row.type)));
        item->setText(2, row.visible ? tr("visible") : tr("hidden"));
    }
}

void TformFileDisplayOptions::ListView1DblClick(QTreeWidgetItem *item)
{
    const int row = ListView1->indexOfTopLevelItem(item);
    if (row < 0 || row >= static_cast<int>(values_.rows.size()))
        return;
    ColumnDetails details = values_.rows[static_cast<std::size_t>(row)];
    if (!editColumn(details))
        return;
    values_.rows[static_cast<std::size_t>(row)] = details;
    values_.columnsChanged = true;
    showRows();
}

void TformFileDisplayOptions::buttonSelectFileClick()
{
    const QString current = editHeadingsFile->text();
    const QString start = current.isEmpty() ? QString() : QFileInfo(current).absoluteFilePath();
    const QString chosen = chooseHeadingFile(start);
    if (!chosen.isEmpty())
        editHeadingsFile->setText(chosen);
}

void TformFileDisplayOptions::comboFontChange()
{
    values_.fontSize = fontSizeFromText(fromQt(comboFont->currentText()));
}

void TformFileDisplayOptions::buttonResetColumnsClick()
{
    resetColumnDetails(values_);
    showRows();
}

OptionsDialogValues TformFileDisplayOptions::currentValues() const
{
    OptionsDialogValues values = values_;
    values.openEnd = checkOptionEnd->isChecked();
    values.columns = checkOptionColumns->isChecked();
    values.headings = checkOptionsHeadings->isChecked();
    values.sorted = checkOptionsSort->isChecked();
    values.rotated = checkRotated->isChecked();
    values.headingsFromFile = checkHeadingsFromFile->isChecked();
    values.headingFile = fromQt(editHeadingsFile->text());
    values.showTemplate = checkShowTemplate->isChecked();
    return values;
}

void TformFileDisplayOptions::buttonCloseClick()
{
    applyDialogValues(options_, currentValues(), sortColumn_, ascending_);
    accept();
}

} // namespace nimbus::viewer
