// The viewer window: display of the shown file, refresh, versions, options, copy and print.
#include "viewer/TformTextDisplay.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "fileio/Versions.h"
#include "viewer/DisplayLines.h"
#include "viewer/FileListTable.h"
#include "viewer/TableLine.h"
#include "viewer/TextLinesView.h"
#include "viewer/ViewerPrinting.h"
#include "viewer/ViewerPrompts.h"
#include "viewer/ViewerTableModel.h"

namespace nimbus::viewer {

namespace {

QString toQt(const std::string &text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQt(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

QPushButton *button(QWidget *parent, const char *name, const char *caption)
{
    auto *b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// "Backup and clear" keeps this many old versions.
constexpr int kClearVersionsToKeep = 5;
constexpr int kRefreshInterval = 10000;

} // namespace

TformTextDisplay::TformTextDisplay(std::string fileName, std::string dataFolder,
                                   const std::string &infoType,
                                   std::shared_ptr<ViewerPrompts> prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), opened_(std::move(fileName)), shown_(opened_),
      prompts_(std::move(prompts))
{
    options_.optionsFile = FileDisplayOptions::optionsFileFor(opened_, dataFolder);
    options_.infoType = infoType;
    options_.load();
    createComponents();
    applyFont();
    if (options_.width > 0 && options_.height > 0)
        resize(options_.width, options_.height);
    else
        resize(760, 520);
    if (options_.left >= 0 && options_.top >= 0)
        move(options_.left, options_.top);
}

TformTextDisplay::~TformTextDisplay() = default;

void TformTextDisplay::createComponents()
{
    auto *layout = new QHBoxLayout(this);

    panelFileList = new QWidget(this);
    panelFileList->setObjectName("panelFileList");
    auto *listLayout = new QVBoxLayout(panelFileList);
    listLayout->setContentsMargins(0, 0, 0, 0);
    Label2 = new QLabel(QStringLiteral("File list"), panelFileList);
    ListView2 = new QListWidget(panelFileList);
    ListView2->setObjectName("ListView2");
    buttonAll = button(panelFileList, "buttonAll", "Select All");
    buttonInvert = button(panelFileList, "buttonInvert", "Invert");
    buttonOpen = button(panelFileList, "buttonOpen", "Open");
    Label2->setBuddy(ListView2);
    listLayout->addWidget(Label2);
    listLayout->addWidget(ListView2, 1);
    for (QPushButton *b : {buttonAll, buttonInvert, buttonOpen})
        listLayout->addWidget(b);
    panelFileList->setVisible(false);
    panelFileList->setMaximumWidth(220);
    layout->addWidget(panelFileList);

    auto *main = new QVBoxLayout;
    labelTitle = new QLabel(this);
    labelTitle->setObjectName("labelTitle");
    QFont bold = labelTitle->font();
    bold.setBold(true);
    labelTitle->setFont(bold);
    main->addWidget(labelTitle);

    // The text display and the report view show the same model, one at a time.
    model_ = new ViewerTableModel(this);
    Memo1 = new TextLinesView(this);
    Memo1->setObjectName("Memo1");
    Memo1->setModel(model_);
    main->addWidget(Memo1, 1);

    ListView1 = new QTableView(this);
    ListView1->setObjectName("ListView1");
    ListView1->setModel(model_);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setShowGrid(false);
    ListView1->setTabKeyNavigation(false); // Tab goes on to the buttons
    ListView1->setWordWrap(false);
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->horizontalHeader()->setSectionsClickable(true);
    ListView1->horizontalHeader()->setHighlightSections(false);
    ListView1->setVisible(false);
    main->addWidget(ListView1, 1);

    auto *buttons = new QHBoxLayout;
    buttonPrint = button(this, "buttonPrint", "Print");
    buttonSave = button(this, "buttonSave", "Save copy");
    buttonDefineColumns = button(this, "buttonDefineColumns", "Change options");
    buttonVersions = button(this, "buttonVersions", "Old versions");
    buttonClear = button(this, "buttonClear", "Backup and clear");
    CheckRefresh = new QCheckBox(QStringLiteral("Autorefresh"), this);
    CheckRefresh->setObjectName("CheckRefresh");
    buttonClose = button(this, "buttonClose", "Close");
    buttonVersions->setVisible(false);
    buttonClear->setVisible(false);
    for (QWidget *w : std::initializer_list<QWidget *>{buttonPrint, buttonSave, buttonDefineColumns,
                                                       buttonVersions, buttonClear, CheckRefresh})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(buttonClose);
    main->addLayout(buttons);
    layout->addLayout(main, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kRefreshInterval);

    connect(Timer1, &QTimer::timeout, this, &TformTextDisplay::Timer1Timer);
    connect(ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TformTextDisplay::ListView1ColumnClick);
    connect(buttonPrint, &QPushButton::clicked, this, &TformTextDisplay::buttonPrintClick);
    connect(buttonSave, &QPushButton::clicked, this, &TformTextDisplay::buttonSaveClick);
    connect(buttonDefineColumns, &QPushButton::clicked, this,
            &TformTextDisplay::buttonDefineColumnsClick);
    connect(buttonVersions, &QPushButton::clicked, this, &TformTextDisplay::buttonVersionsClick);
    connect(buttonClear, &QPushButton::clicked, this, &TformTextDisplay::buttonClearClick);
    connect(buttonClose, &QPushButton::clicked, this, &TformTextDisplay::buttonCloseClick);
    connect(buttonAll, &QPushButton::clicked, this, &TformTextDisplay::buttonAllClick);
    connect(buttonInvert, &QPushButton::clicked, this, &TformTextDisplay::buttonInvertClick);
    connect(buttonOpen, &QPushButton::clicked, this, &TformTextDisplay::buttonOpenClick);
}

void TformTextDisplay::setClearEnabled(bool enabled)
{
    buttonClear->setVisible(enabled);
}

void TformTextDisplay::setFileListMode(bool enabled)
{
    fileListMode_ = enabled;
    panelFileList->setVisible(enabled);
}

void TformTextDisplay::present()
{
    if (isVisible())
        FormShow();
    else
        show();
    raise();
    activateWindow();
}

void TformTextDisplay::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TformTextDisplay::FormShow()
{
    Timer1->stop();
    raise();
    shown_ = opened_;
    if (versionsEnabled_)
        listVersions();
    else
        buttonVersions->setVisible(false);
    if (fileListMode_)
        listFileListFiles();
    applyInitialSort();
    displayShownFile();
    // The file's name captions the display that shows it. The keys go to the display, unless
    // the user is already working elsewhere in the window.
    QWidget *display = ListView1->isVisibleTo(this) ? static_cast<QWidget *>(ListView1) : Memo1;
    labelTitle->setBuddy(display);
    const QWidget *focused = focusWidget();
    if (!focused || !focused->isVisibleTo(this))
        display->setFocus();
    Timer1->start();
}

void TformTextDisplay::applyFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(options_.fontSize > 0 ? options_.fontSize : 8);
    Memo1->setFont(font);
    ListView1->setFont(font);
    const int lineHeight = QFontMetrics(font).height();
    Memo1->verticalHeader()->setMinimumSectionSize(lineHeight);
    Memo1->verticalHeader()->setDefaultSectionSize(lineHeight);
    ListView1->verticalHeader()->setMinimumSectionSize(lineHeight + 4);
    ListView1->verticalHeader()->setDefaultSectionSize(lineHeight + 4);
}

void TformTextDisplay::applyInitialSort()
{
    sortState_.clear();
    if (options_.sorted && options_.sortColumn >= 0 && !options_.rotated)
        sortState_.set(options_.sortColumn, options_.ascending);
    model_->setSortKey(sortState_.column(), sortState_.ascending());
    model_->setSortIndicator(sortState_.column(), sortState_.ascending());
}

void TformTextDisplay::displayShownFile()
{
    labelTitle->setText(toQt(fileio::fileNameOf(shown_)));
    // The stamp is taken before reading, so a change made while reading shows next time.
    remembered_ = stampOf(shown_);
    if (fileListMode_) {
        kind_ = DisplayKind::Table;
        displayFileList();
    } else {
        kind_ = displayKindFor(options_.infoType);
        std::vector<std::string> lines;
        std::string error;
        if (fileio::fileExists(shown_) && !readDisplayLines(shown_, lines, &error)) {
            kind_ = DisplayKind::Text;
            lines = {error};
        }
        if (kind_ == DisplayKind::Text)
            displayText(std::move(lines));
        else
            displayTable(std::move(lines));
    }
    ++displayCount_;
}

void TformTextDisplay::displayText(std::vector<std::string> &&lines)
{
    ListView1->setVisible(false);
    if (options_.lineNumbers)
        numberLines(lines);
    // Text is shown in file order; a refresh updates the lines in place, so the reader keeps
    // their place unless the file is followed at its end.
    model_->setSortKey(-1, true);
    model_->setSortIndicator(-1, true);
    model_->setContent(TableContent::fromListLines(std::move(lines)), {ColumnLayout{}}, false,
                       false);
    Memo1->fitToLongestLine();
    Memo1->setVisible(true);
    if (options_.openEnd)
        Memo1->scrollToBottom();
}

void TformTextDisplay::displayTable(std::vector<std::string> &&lines)
{
    Memo1->setVisible(false);
    TableContent content;
    std::vector<ColumnLayout> columns;
    if (kind_ == DisplayKind::List) {
        content = TableContent::fromListLines(std::move(lines));
        columns = tableColumns(options_, 1, {}, {});
        columns.resize(1);
    } else {
        content = TableContent::fromTableLines(lines, options_.headings);
        const std::vector<std::string> fileHeadings = options_.headingsFromFile
                                                          ? readHeadingFile(options_.headingFile)
                                                          : std::vector<std::string>();
        columns = tableColumns(options_, content.columnCount(), content.headings(), fileHeadings);
    }
    model_->setContent(std::move(content), columns, options_.rotated && kind_ == DisplayKind::Table,
                       options_.lineNumbers);
    showTableView(columns);
}

void TformTextDisplay::displayFileList()
{
    std::vector<std::string> files;
    for (int i = 0; i < ListView2->count(); ++i)
        if (ListView2->item(i)->checkState() == Qt::Checked)
            files.push_back(fileListFiles_[static_cast<std::size_t>(i)]);
    FileListTable table = buildFileListTable(files, opened_, options_.showTemplate);
    const std::vector<ColumnLayout> columns =
        tableColumns(options_, table.captions.size(), table.captions, {});
    model_->setContent(std::move(table.content), columns, false, options_.lineNumbers);
    Memo1->setVisible(false);
    showTableView(columns);
}

void TformTextDisplay::showTableView(const std::vector<ColumnLayout> &columns)
{
    QHeaderView *header = ListView1->horizontalHeader();
    const bool rotated = model_->rotated();
    if (rotated) {
        ListView1->verticalHeader()->setVisible(true);
    } else {
        ListView1->verticalHeader()->setVisible(options_.lineNumbers);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int column = static_cast<int>(i);
            ListView1->setColumnHidden(column, columns[i].hidden);
            if (!columns[i].hidden)
                header->resizeSection(column, columns[i].width);
        }
    }
    header->setStretchLastSection(kind_ == DisplayKind::List);
    ListView1->setVisible(true);
    if (options_.openEnd && model_->rowCount() > 0)
        ListView1->scrollToBottom();
}

void TformTextDisplay::listVersions()
{
    versions_ = {opened_};
    std::vector<std::string> names;
    fileio::listVersionFiles(opened_, names);
    const std::string folder = fileio::folderOf(opened_);
    for (const std::string &name : names)
        versions_.push_back(name.find('/') == std::string::npos ? folder + name : name);
    buttonVersions->setVisible(versions_.size() > 1);
}

void TformTextDisplay::listFileListFiles()
{
    std::vector<std::string> names;
    fileio::listBaseNameFiles(opened_, names);
    const std::string folder = fileio::folderOf(opened_);
    fileListFiles_.clear();
    ListView2->clear();
    for (const std::string &name : names) {
        const std::string path = name.find('/') == std::string::npos ? folder + name : name;
        fileListFiles_.push_back(path);
        auto *item = new QListWidgetItem(toQt(fileio::fileNameOf(path)), ListView2);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void TformTextDisplay::Timer1Timer()
{
    const bool shownIsOpened = shown_ == opened_ && !fileListMode_;
    if (shouldRefresh(CheckRefresh->isChecked(), shownIsOpened, stampOf(shown_), remembered_))
        displayShownFile();
}

void TformTextDisplay::ListView1ColumnClick(int column)
{
    if (!sortState_.click(column, model_->rotated()))
        return;
    model_->sortBy(sortState_.column(), sortState_.ascending());
    model_->setSortIndicator(sortState_.column(), sortState_.ascending());
}

void TformTextDisplay::buttonVersionsClick()
{
    QStringList files;
    for (const std::string &file : versions_)
        files << toQt(file);
    const QString chosen = prompts_->chooseVersion(this, files);
    if (chosen.isEmpty() || fromQt(chosen) == shown_)
        return;
    shown_ = fromQt(chosen);
    model_->clearContent();
    displayShownFile();
}

void TformTextDisplay::buttonDefineColumnsClick()
{
    options_.changed = false;
    options_.columnsChanged = false;
    FileDisplayOptions edited = options_;
    // The dialog lists every column shown, with the captions the table shows.
    if (kind_ == DisplayKind::Table && !model_->rotated()) {
        std::vector<std::string> captions;
        for (const ColumnLayout &column : model_->columns())
            captions.push_back(column.caption);
        edited.padColumns(captions.size(), captions);
    }
    if (!prompts_->editOptions(this, edited, sortState_.column(), sortState_.ascending()))
        return;
    if (!edited.changed)
        return;
    options_ = edited;
    options_.top = y();
    options_.left = x();
    options_.height = height();
    options_.width = width();
    options_.save();
    applyFont();
    model_->clearContent();
    applyInitialSort();
    displayShownFile();
}

void TformTextDisplay::buttonSaveClick()
{
    // Saving starts in the user's own folder.
    const QString target = prompts_->chooseSaveFile(this, QDir::homePath());
    if (target.isEmpty())
        return;
    if (QFileInfo::exists(target) && !prompts_->confirmOverwrite(this))
        return;
    const std::string path = fromQt(target);
    bool written;
    if (kind_ == DisplayKind::Text)
        written = fileio::copyFile(shown_, path);
    else
        written =
            writeTableCopy(path, model_->content(), model_->order(), kind_ == DisplayKind::Table);
    if (!written)
        prompts_->reportWriteError(this);
}

QStringList TformTextDisplay::displayedLines() const
{
    QStringList lines;
    const TableContent &content = model_->content();
    const std::vector<std::uint32_t> &order = model_->order();
    lines.reserve(static_cast<qsizetype>(order.size()));
    for (std::uint32_t row : order)
        lines << (kind_ != DisplayKind::Table ? toQt(std::string(content.cell(row, 0)))
                                              : toQt(joinTableLine(content.rowFields(row))));
    return lines;
}

void TformTextDisplay::buttonPrintClick()
{
    QPrinter printer;
    if (!prompts_->setUpPrinter(this, printer))
        return;
    printLines(printer, displayedLines(), options_.fontSize);
}

void TformTextDisplay::buttonClearClick()
{
    // The live file is the one cleared, also while an old version is on display: rewriting an
    // old version would only make versions of a version.
    fileio::OMFILEPtr file = fileio::openPlain(opened_, "W", kClearVersionsToKeep);
    if (!file || !fileio::close(file)) {
        prompts_->reportWriteError(this);
        return;
    }
    shown_ = opened_;
    model_->clearContent();
    if (versionsEnabled_)
        listVersions();
    displayShownFile();
}

void TformTextDisplay::buttonCloseClick()
{
    close();
}

void TformTextDisplay::buttonAllClick()
{
    for (int i = 0; i < ListView2->count(); ++i)
        ListView2->item(i)->setCheckState(Qt::Checked);
}

void TformTextDisplay::buttonInvertClick()
{
    for (int i = 0; i < ListView2->count(); ++i) {
        QListWidgetItem *item = ListView2->item(i);
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    }
}

void TformTextDisplay::buttonOpenClick()
{
    displayShownFile();
}

} // namespace nimbus::viewer
