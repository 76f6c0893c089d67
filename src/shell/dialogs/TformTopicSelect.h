// "Select topic type": the type of a topic, chosen among five (things to do,
// information, ideas, finances, events), each a label with an image button beside it.
#pragma once

#include <QDialog>
#include <QIcon>
#include <functional>

#include "store/TopicOptionsView.h"

class QPushButton;
class QToolButton;

namespace nimbus::dialogs {

class ClickLabel;

class TformTopicSelect : public QDialog {
    Q_OBJECT
public:
    using ImageSource = std::function<QIcon(const TopicImage &)>;

    // preset: the type shown chosen at first and returned when no choice is bold.
    explicit TformTopicSelect(int preset, QWidget *parent = nullptr, ImageSource images = {});

    // The type OK chose; meaningful when exec() returned Accepted.
    int chosenType() const { return chosen_; }

    ClickLabel *labelThings = nullptr;
    ClickLabel *labelInfo = nullptr;
    ClickLabel *labelIdeas = nullptr;
    ClickLabel *labelMoney = nullptr;
    ClickLabel *labelEvents = nullptr;
    QToolButton *buttonThings = nullptr;
    QToolButton *buttonInfo = nullptr;
    QToolButton *buttonIdeas = nullptr;
    QToolButton *buttonMoney = nullptr;
    QToolButton *buttonEvents = nullptr;
    QPushButton *buttonOK = nullptr;
    QPushButton *buttonCancel = nullptr;

    void FormShow();
    void buttonOKClick();
    void buttonCancelClick();
    void labelThingsClick();
    void labelInfoClick();
    void labelIdeasClick();
    void labelMoneyClick();
    void labelEventsClick();

private:
    static constexpr int kChoices = 5;
    void makeBold(int choice);
    // Index of the first bold choice in the order Things, Information, Ideas, Finances, Events.
    int boldChoice() const;

    int preset_;
    int chosen_;
};

} // namespace nimbus::dialogs
