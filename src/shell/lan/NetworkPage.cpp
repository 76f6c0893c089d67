// The network page.
#include "shell/lan/NetworkPage.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "sharing/NetworkPageRules.h"
#include "shell/lan/LanPrompts.h"
#include "store/TNetDetails.h"
#include "store/TPreferences.h"
#include "widgets/KeyboardAccess.h"

namespace nimbus {

namespace {

QString fromLocal(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

// A caption or status the sharing rules made, in the user's language.
QString shown(const std::string &text)
{
    return QCoreApplication::translate("nimbus::sharing", text.c_str());
}

std::string local(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

// The suggested name for a new shared folder.
constexpr const char *kSuggestedFolder = "LANNimbus";

} // namespace

NetworkPage::NetworkPage(LanConnection &connection, LanPrompts &prompts,
                         const TPreferences &preferences, QWidget *parent)
    : QWidget(parent), connection_(connection), prompts_(prompts), preferences_(preferences)
{
    setObjectName("panelNetwork");
    auto label = [this](const char *name, const QString &text) {
        auto *l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    auto edit = [this](const char *name, bool masked) {
        auto *e = new QLineEdit(this);
        e->setObjectName(name);
        if (masked)
            e->setEchoMode(QLineEdit::Password);
        connect(e, &QLineEdit::textChanged, this, &NetworkPage::editNetworkFolderChange);
        return e;
    };
    labNetworkTitle = label("labNetworkTitle", tr("Local Nimbus network information"));
    QFont title = labNetworkTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.5);
    title.setBold(true);
    labNetworkTitle->setFont(title);
    labNetworkTitle->setStyleSheet("color: rgb(0, 0, 128);");
    labSharedFolder = label("labSharedFolder", tr("Local Nimbus network folder"));
    editNetworkFolder = edit("editNetworkFolder", false);
    buttonBrowse = new QPushButton("...", this);
    buttonBrowse->setObjectName("buttonBrowse");
    buttonBrowse->setToolTip(tr("Select or create local network Nimbus folder"));
    labPassword = label("labPassword", tr("Nimbus network password"));
    editPassword = edit("editPassword", true);
    Label5 = label("Label5", tr("Type in password again"));
    editPasswordRepeat = edit("editPasswordRepeat", true);
    labUserName = label("labUserName", tr("Nimbus network user name"));
    editUserName = edit("editUserName", false);
    buttonNetConnect = new QPushButton(shown(kConnectCaption), this);
    buttonNetConnect->setObjectName("buttonNetConnect");
    labConnectCaption = label("labConnectCaption", tr("Connection status"));
    labConnectStatus = label("labConnectStatus", shown(kStatusNotConnected));
    QFont bold = labConnectStatus->font();
    bold.setBold(true);
    labConnectStatus->setFont(bold);
    labOtherUsers = label("labOtherUsers", tr("Local Nimbus network friends:"));
    listUsers = new QListWidget(this);
    listUsers->setObjectName("listUsers");
    // The back-up controls are kept in step with the details but not shown: nothing acts on
    // them yet.
    checkBackupData = new QCheckBox(tr("Back up my data"), this);
    checkBackupData->setObjectName("checkBackupData");
    connect(checkBackupData, &QCheckBox::toggled, this, &NetworkPage::editNetworkFolderChange);
    Label4 = label("Label4", tr("My data protection password"));
    editDataPw = edit("editDataPw", true);
    Label6 = label("Label6", tr("Type in password again"));
    Edit3 = edit("Edit3", true);
    labStatusCaption = label("labStatusCaption", tr("Backup status"));
    labBackupStatus = label("labBackupStatus", tr("No backup yet"));
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             checkBackupData, Label4, editDataPw, Label6, Edit3, labStatusCaption, labBackupStatus})
        hidden->setVisible(false);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(24, 18, 24, 18);
    page->addWidget(labNetworkTitle);
    auto *grid = new QGridLayout;
    grid->addWidget(labSharedFolder, 0, 0);
    grid->addWidget(editNetworkFolder, 0, 1);
    grid->addWidget(buttonBrowse, 0, 2);
    grid->addWidget(labPassword, 1, 0);
    grid->addWidget(editPassword, 1, 1);
    grid->addWidget(Label5, 2, 0);
    grid->addWidget(editPasswordRepeat, 2, 1);
    grid->addWidget(labUserName, 3, 0);
    grid->addWidget(editUserName, 3, 1);
    grid->addWidget(buttonNetConnect, 4, 1, Qt::AlignLeft);
    grid->addWidget(labConnectCaption, 5, 0);
    grid->addWidget(labConnectStatus, 5, 1);
    grid->addWidget(labOtherUsers, 6, 0, Qt::AlignTop);
    grid->addWidget(listUsers, 6, 1);
    grid->setColumnStretch(1, 1);
    page->addLayout(grid);
    page->addStretch();

    for (const auto &[caption, field] :
         {std::pair<QLabel *, QWidget *>{labSharedFolder, editNetworkFolder},
          {labPassword, editPassword},
          {Label5, editPasswordRepeat},
          {labUserName, editUserName},
          {labOtherUsers, listUsers},
          {Label4, editDataPw},
          {Label6, Edit3}})
        caption->setBuddy(field);
    // "..." says nothing when read out; the hint says what the button does.
    access::iconButton(buttonBrowse);
    setAccessibleName(labNetworkTitle->text());

    connect(buttonNetConnect, &QPushButton::clicked, this, &NetworkPage::buttonNetConnectClick);
    connect(buttonBrowse, &QPushButton::clicked, this, &NetworkPage::buttonBrowseClick);
}

void NetworkPage::showDetails()
{
    const TNetDetails &details = connection_.details();
    // Filling the edits is not an edit of the user's: the details stay unmodified.
    showing_ = true;
    editNetworkFolder->setText(fromLocal(details.net));
    editPassword->setText(fromLocal(details.pw));
    editPasswordRepeat->setText(fromLocal(details.pw));
    editUserName->setText(fromLocal(details.user));
    checkBackupData->setChecked(details.backup);
    editDataPw->setText(fromLocal(details.datapw));
    Edit3->setText(fromLocal(details.datapw));
    showing_ = false;
    applyState();
}

void NetworkPage::StartUp()
{
    const bool reconnect = connection_.StartUp();
    showStatus(connection_.status());
    applyState();
    if (reconnect)
        connectNow();
}

void NetworkPage::copyPageToDetails()
{
    TNetDetails &details = connection_.details();
    details.net = local(editNetworkFolder->text().trimmed());
    details.pw = local(editPassword->text());
    details.user = local(editUserName->text().trimmed());
    details.backup = checkBackupData->isChecked();
    details.datapw = local(editDataPw->text());
}

void NetworkPage::editNetworkFolderChange()
{
    if (showing_)
        return;
    if (!connection_.connected()) {
        copyPageToDetails();
        connection_.details().modified = true;
    }
    applyState();
}

void NetworkPage::applyState()
{
    const bool canConnect = network_page::CanConnect(
        local(editNetworkFolder->text().trimmed()), local(editPassword->text()),
        local(editPasswordRepeat->text()), local(editUserName->text().trimmed()));
    const NetworkPageState state = network_page::PageState(connection_.connected(), canConnect);
    buttonBrowse->setEnabled(state.browseEnabled);
    for (QLineEdit *e : {editNetworkFolder, editPassword, editPasswordRepeat, editUserName})
        e->setEnabled(state.editsEnabled);
    buttonNetConnect->setEnabled(state.connectEnabled);
    buttonNetConnect->setText(shown(state.connectCaption));
}

void NetworkPage::showStatus(const ConnectionStatus &status)
{
    labConnectStatus->setText(shown(status.text));
    labConnectStatus->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);")
                                        .arg(colourRed(status.colour))
                                        .arg(colourGreen(status.colour))
                                        .arg(colourBlue(status.colour)));
}

void NetworkPage::connectNow()
{
    copyPageToDetails();
    const ConnectionStatus &status = connection_.Connect(prompts_, preferences_.date);
    showStatus(status);
    applyState();
    if (status.connected)
        GetNetworkUsers();
    emit connectionChanged(status.connected);
}

void NetworkPage::buttonNetConnectClick()
{
    if (!connection_.connected()) {
        connectNow();
        return;
    }
    showStatus(connection_.Disconnect());
    listUsers->clear();
    applyState();
    emit usersChanged({});
    emit connectionChanged(false);
}

void NetworkPage::buttonBrowseClick()
{
    const QString chosen =
        prompts_.chooseFolder(editNetworkFolder->text(), QString::fromLatin1(kSuggestedFolder));
    if (!chosen.isEmpty())
        editNetworkFolder->setText(chosen);
}

void NetworkPage::GetNetworkUsers()
{
    const NetworkUsers users = connection_.GetNetworkUsers();
    listUsers->clear();
    for (const std::string &name : users.listUsers)
        listUsers->addItem(fromLocal(name));
    emit usersChanged(users);
}

void NetworkPage::connectionLost()
{
    showStatus(connection_.status());
    listUsers->clear();
    applyState();
    emit usersChanged({});
    emit connectionChanged(false);
}

} // namespace nimbus
