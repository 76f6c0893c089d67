// "Topic Selection": lists topics (the topics behind one of the summary's counts, say) and
// lets the user pick one. Row r of the grid (from 1) is entry r - 1 of the caller's list.
//
//     TformSelection dialog("Tasks overdue", nodes, parent);
//     if (dialog.exec() == QDialog::Accepted)
//         GoToTopic(nodes[dialog.chosenRow() - 1]);
#pragma once

#include <QDialog>
#include <QPixmap>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::dialogs {

class TformSelection : public QDialog {
    Q_OBJECT
public:
    // An icon for the status cell of a node (the due lists' state icons); may be empty.
    using StatusIcon = std::function<QPixmap(const TNimbusNode &)>;

    TformSelection(const std::string &title, std::vector<TNimbusNode *> topics,
                   QWidget *parent = nullptr, StatusIcon statusIcon = {});

    // -1 until a topic is chosen, and after Cancel; otherwise the row picked (1 = first topic).
    int chosenRow() const { return chosenRow_; }
    // The grid row now selected, counted as chosenRow counts; 0 when none.
    int selectedRow() const;
    // The node a grid row (from 1) carries.
    TNimbusNode *nodeOfRow(int row) const;

    QLabel *labTitle = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    QPushButton *buttonSelect = nullptr;
    QPushButton *Cancel = nullptr;

    void FormShow();
    void StringGrid1Click();
    void StringGrid1DblClick();
    void buttonSelectClick();
    void CancelClick();

private:
    std::string title_;
    std::vector<TNimbusNode *> topics_;
    int chosenRow_ = -1;
};

} // namespace nimbus::dialogs
