// The main window's questions asked with the program's dialogs.
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "shell/ShellPrompts.h"
#include "shell/TopicIcons.h"
#include "shell/calendar/CalendarPreviewDialog.h"
#include "shell/dialogs/TformProgress.h"
#include "shell/dialogs/TformSelection.h"
#include "shell/dialogs/TformTopicSelect.h"
#include "shell/summary/GridIcons.h"
#include "store/GridCells.h"
#include "store/TNimbusStructure.h"
#include "store/TopicOptions.h"

namespace nimbus {

namespace {

// The dialogs show the tree's own pictures, drawn for the screen they are shown on.
QIcon topicImage(const TopicImage &image)
{
    QIcon icon;
    switch (image.list) {
    case TopicImage::List::Sections:
        icon = icons::section(image.index + 1);
        break;
    case TopicImage::List::TopicTypes:
        icon = icons::topicType(image.index);
        break;
    case TopicImage::List::Statuses:
        icon = icons::status(image.index % 10);
        break;
    case TopicImage::List::Urgency:
        icon = icons::urgent(true);
        break;
    case TopicImage::List::None:
        return {};
    }
    return icon;
}

class DialogPrompts : public ShellPrompts {
public:
    bool confirm(QWidget *parent, const std::string &caption, const std::string &question) override
    {
        return QMessageBox::question(parent, QString::fromLocal8Bit(caption.c_str()),
                                     QString::fromLocal8Bit(question.c_str()),
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    }

    void tellUser(QWidget *parent, const std::string &caption, const std::string &message) override
    {
        // Shown without waiting: start-up goes on and the user reads it when the window is up.
        auto *box =
            new QMessageBox(QMessageBox::Warning, QString::fromLocal8Bit(caption.c_str()),
                            QString::fromLocal8Bit(message.c_str()), QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        QTimer::singleShot(0, box, &QWidget::show);
    }

    bool editTopicOptions(QWidget *parent, TopicOptions &values, const Clock &clock) override
    {
        dialogs::TformProgress dialog(values, clock, parent, topicImage);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values = dialog.values();
        return !values.cancelled;
    }

    std::optional<std::string> askPassword(QWidget *parent, const std::string &caption,
                                           const std::string &question) override
    {
        bool ok = false;
        const QString typed =
            QInputDialog::getText(parent, QString::fromStdString(caption),
                                  QString::fromStdString(question), QLineEdit::Password, {}, &ok);
        return ok ? std::optional<std::string>(typed.toStdString()) : std::nullopt;
    }

    std::optional<int> chooseTopicType(QWidget *parent, int preset) override
    {
        dialogs::TformTopicSelect dialog(preset, parent, topicImage);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.chosenType();
    }

    std::string chooseCalendarFile(QWidget *parent, bool saving, const std::string &folder) override
    {
        const QString start = QString::fromStdString(folder);
        const QString filter = QObject::tr("Calendar files (*.ics)");
        const QString chosen =
            saving ? QFileDialog::getSaveFileName(parent, QObject::tr("Export to calendar file"),
                                                  start, filter)
                   : QFileDialog::getOpenFileName(parent, QObject::tr("Import calendar file"),
                                                  start, filter);
        return chosen.toStdString();
    }

    bool confirmCalendarImport(QWidget *parent, const CalendarImportSummary &summary) override
    {
        CalendarPreviewDialog dialog(summary, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    int chooseTopic(QWidget *parent, const TNimbusStructure &topics, const QString &title) override
    {
        std::vector<TNimbusNode *> nodes;
        nodes.reserve(static_cast<std::size_t>(topics.Count()));
        for (int i = 0; i < topics.Count(); ++i)
            nodes.push_back(topics.Node(i));
        // Each topic with its state icon, as the "Status" grid shows it.
        auto gridIcons = std::make_shared<summarypage::GridIcons>();
        const qreal ratio = parent ? parent->devicePixelRatioF() : 1.0;
        auto statusIcon = [gridIcons, ratio](const TNimbusNode &node) {
            const gridcells::DueCell cell = gridcells::DueCellFor(node, true);
            return gridIcons->Icon(
                cell.state.list != gridcells::IconList::None ? cell.state : cell.marker, ratio);
        };
        dialogs::TformSelection dialog(title.toLocal8Bit().toStdString(), std::move(nodes), parent,
                                       statusIcon);
        dialog.exec();
        return dialog.chosenRow();
    }
};

} // namespace

std::unique_ptr<ShellPrompts> makeDialogPrompts()
{
    return std::make_unique<DialogPrompts>();
}

} // namespace nimbus
