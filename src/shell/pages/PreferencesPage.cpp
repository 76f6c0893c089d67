// The preferences page.
#include "shell/pages/PreferencesPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/core/PreferenceEdits.h"
#include "shell/dialogs/ColourValue.h"
#include "store/StoreLog.h"
#include "store/TPreferences.h"

namespace nimbus::pages {

FontChoice fontFromPreferences(const TPreferences &preferences)
{
    FontChoice choice;
    choice.font = QFont(QString::fromLocal8Bit(preferences.font.c_str()));
    if (preferences.fsize > 0)
        choice.font.setPointSize(preferences.fsize);
    choice.colour = dialogs::colourFromValue(preferences.col);
    choice.charset = preferences.scr;
    return choice;
}

PreferencesPage::PreferencesPage(TPreferences &preferences, PagePrompts &prompts, StoreLog &log,
                                 QWidget *parent)
    : QWidget(parent), preferences_(preferences), prompts_(prompts), log_(log)
{
    setObjectName("panelPreferences");
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    auto *title = new QLabel(tr("Preferences"), this);
    title->setObjectName("labelHeading");
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    title->setFont(font);
    title->setStyleSheet("color: rgb(0, 0, 128);");
    layout->addWidget(title);
    setAccessibleName(title->text());

    auto *dates = new QGroupBox(tr("Date format"), this);
    auto *dateLayout = new QVBoxLayout(dates);
    radioDDMMYY = new QRadioButton(QStringLiteral("dd/mm/yyyy"), dates);
    radioDDMMYY->setObjectName("radioDDMMYY");
    radioMMDDYY = new QRadioButton(QStringLiteral("mm/dd/yyyy"), dates);
    radioMMDDYY->setObjectName("radioMMDDYY");
    radioYYMMDD = new QRadioButton(QStringLiteral("yyyy/mm/dd"), dates);
    radioYYMMDD->setObjectName("radioYYMMDD");
    for (QRadioButton *radio : {radioDDMMYY, radioMMDDYY, radioYYMMDD}) {
        dateLayout->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, &PreferencesPage::radioDDMMYYClick);
    }
    layout->addWidget(dates);

    checksSoundfx = new QCheckBox(tr("Sound effects on"), this);
    checksSoundfx->setObjectName("checksSoundfx");
    checkSummary = new QCheckBox(tr("Show summary at start up"), this);
    checkSummary->setObjectName("checkSummary");
    buttonNormalFont = new QPushButton(tr("Change details page normal font settings"), this);
    buttonNormalFont->setObjectName("buttonNormalFont");
    layout->addWidget(checksSoundfx);
    layout->addWidget(checkSummary);
    layout->addWidget(buttonNormalFont, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(checksSoundfx, &QCheckBox::clicked, this, &PreferencesPage::checksSoundfxClick);
    connect(checkSummary, &QCheckBox::clicked, this, &PreferencesPage::checkSummaryClick);
    connect(buttonNormalFont, &QPushButton::clicked, this, &PreferencesPage::buttonNormalFontClick);
    showPreferences();
}

void PreferencesPage::addSection(QWidget *section, const QString &scrollName)
{
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(scrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    // Even the scroll area's own minimum (its scroll bars) would make the window taller; it
    // takes the page's spare height instead.
    scroll->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    scroll->setWidget(section);
    auto *column = static_cast<QVBoxLayout *>(layout());
    column->insertWidget(column->count() - 1, scroll, 1);
}

void PreferencesPage::showPreferences()
{
    // Radios of one group: an unknown date format checks none of them.
    for (QRadioButton *radio : {radioDDMMYY, radioMMDDYY, radioYYMMDD})
        radio->setAutoExclusive(false);
    radioDDMMYY->setChecked(preferences_.date == 0);
    radioMMDDYY->setChecked(preferences_.date == 1);
    radioYYMMDD->setChecked(preferences_.date == 2);
    for (QRadioButton *radio : {radioDDMMYY, radioMMDDYY, radioYYMMDD})
        radio->setAutoExclusive(true);
    checksSoundfx->setChecked(preferences_.sfx);
    checkSummary->setChecked(preferences_.sum);
}

void PreferencesPage::change(const std::function<void(TPreferences &)> &edit)
{
    const PreferenceChange change = ChangePreferences(preferences_, edit);
    if (!change.saved)
        log_.AddErrorToLog("*** A problem occurred while saving the preferences: ",
                           change.saved.errorText);
}

void PreferencesPage::radioDDMMYYClick()
{
    const int order = radioMMDDYY->isChecked() ? 1 : radioYYMMDD->isChecked() ? 2 : 0;
    const int before = preferences_.date;
    change([order](TPreferences &p) { p.date = order; });
    if (preferences_.date != before)
        emit dateOrderChanged(order);
}

void PreferencesPage::checksSoundfxClick()
{
    const bool on = checksSoundfx->isChecked();
    change([on](TPreferences &p) { p.sfx = on; });
}

void PreferencesPage::checkSummaryClick()
{
    const bool on = checkSummary->isChecked();
    change([on](TPreferences &p) { p.sum = on; });
}

void PreferencesPage::buttonNormalFontClick()
{
    FontChoice choice = fontAtCaret ? fontAtCaret() : fontFromPreferences(preferences_);
    choice.charset = preferences_.scr;
    choice.colourChosen = false;
    if (!prompts_.chooseFont(this, choice))
        return;
    // The colour under the caret is not a choice: the stored one stays unless one was chosen.
    if (!choice.colourChosen)
        choice.colour = dialogs::colourFromValue(preferences_.col);
    emit normalFontChanged(choice);
    change([&choice](TPreferences &p) {
        p.font = choice.font.family().toLocal8Bit().toStdString();
        const int size = choice.font.pointSize();
        p.fsize = size > 0 ? size : TPreferences::kDefaultFontSize;
        p.col = dialogs::valueFromColour(choice.colour);
        p.scr = choice.charset;
    });
}

} // namespace nimbus::pages
