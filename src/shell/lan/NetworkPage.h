// The network page (panelNetwork): the shared folder, its password and this user's name,
// connecting and disconnecting, the status and the list of colleagues. The page shows what
// LanConnection and the network_page rules decide and copies its edits into TNetDetails.
#pragma once

#include <QWidget>

#include "sharing/LanConnection.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace nimbus {

class LanPrompts;
class TNetDetails;
class TPreferences;

class NetworkPage : public QWidget {
    Q_OBJECT
public:
    NetworkPage(LanConnection &connection, LanPrompts &prompts, const TPreferences &preferences,
                QWidget *parent = nullptr);

    QLabel *labNetworkTitle = nullptr;
    QLabel *labSharedFolder = nullptr;
    QLineEdit *editNetworkFolder = nullptr;
    QPushButton *buttonBrowse = nullptr;
    QLabel *labPassword = nullptr;
    QLineEdit *editPassword = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *editPasswordRepeat = nullptr;
    QLabel *labUserName = nullptr;
    QLineEdit *editUserName = nullptr;
    QPushButton *buttonNetConnect = nullptr;
    QLabel *labConnectCaption = nullptr;
    QLabel *labConnectStatus = nullptr;
    QLabel *labOtherUsers = nullptr;
    QListWidget *listUsers = nullptr;
    QCheckBox *checkBackupData = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *editDataPw = nullptr;
    QLabel *Label6 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLabel *labStatusCaption = nullptr;
    QLabel *labBackupStatus = nullptr;

    // Shows the stored details in the edits (the repeated password is the stored one too).
    void showDetails();
    // The page's start-up: "Not connected", the controls' states, and connecting when the
    // details ask for it.
    void StartUp();
    void editNetworkFolderChange();
    void buttonNetConnectClick();
    void buttonBrowseClick();
    void GetNetworkUsers();
    // The inbox timer found the shared folder gone: the page shows it is not connected.
    void connectionLost();

signals:
    // The connection went up or down; the colleagues are those given (none when down).
    void connectionChanged(bool connected);
    void usersChanged(const NetworkUsers &users);

private:
    void connectNow();
    void applyState();
    void showStatus(const ConnectionStatus &status);
    void copyPageToDetails();

    LanConnection &connection_;
    LanPrompts &prompts_;
    const TPreferences &preferences_;
    bool showing_ = false;
};

} // namespace nimbus
