// The preferences page panelPreferences: the date format radios, sound effects, the summary
// at start-up and the details page normal font. Each control writes its preference, and
// "pref.txt" is written only when a stored value changed.
#pragma once

#include <QWidget>
#include <functional>

#include "shell/pages/PagePrompts.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace nimbus {
class StoreLog;
class TPreferences;
} // namespace nimbus

namespace nimbus::pages {

// The details page normal font the preferences hold (name, size, colour, character set).
FontChoice fontFromPreferences(const TPreferences &preferences);

class PreferencesPage : public QWidget {
    Q_OBJECT
public:
    PreferencesPage(TPreferences &preferences, PagePrompts &prompts, StoreLog &log,
                    QWidget *parent = nullptr);

    QRadioButton *radioDDMMYY = nullptr;
    QRadioButton *radioMMDDYY = nullptr;
    QRadioButton *radioYYMMDD = nullptr;
    QCheckBox *checksSoundfx = nullptr;
    QCheckBox *checkSummary = nullptr;
    QPushButton *buttonNormalFont = nullptr;

    // Where the font dialog starts: the attributes at the details editor's caret.
    std::function<FontChoice()> fontAtCaret;

    // Shows the preferences' values (start-up).
    void showPreferences();
    // Adds the settings of another part of the program below the page's own, in a scroll area
    // of its own (named scrollName) that takes the page's spare height: the page asks for no
    // more height than before.
    void addSection(QWidget *section, const QString &scrollName);
    void radioDDMMYYClick();
    void checksSoundfxClick();
    void checkSummaryClick();
    void buttonNormalFontClick();

signals:
    void dateOrderChanged(int order);
    // The user chose a new normal font for details pages.
    void normalFontChanged(const nimbus::pages::FontChoice &font);

private:
    void change(const std::function<void(TPreferences &)> &edit);

    TPreferences &preferences_;
    PagePrompts &prompts_;
    StoreLog &log_;
};

} // namespace nimbus::pages
