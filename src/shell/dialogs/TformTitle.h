// Asks for a new title for a page of a topic. Enter in the edit works as OK.
//
//     TformTitle dialog(page.dis, parent);
//     if (dialog.exec() == QDialog::Accepted) page.dis = dialog.title();
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace nimbus::dialogs {

class TformTitle : public QDialog {
    Q_OBJECT
public:
    explicit TformTitle(const std::string &title, QWidget *parent = nullptr);

    // editTitle's text.
    std::string title() const;

    QLineEdit *editTitle = nullptr;
    QPushButton *buttonOK = nullptr;

    void editTitleKeyPress();
    void buttonOKClick();
};

} // namespace nimbus::dialogs
