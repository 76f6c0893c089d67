// The highlighter's colour chooser.
#include "shell/dialogs/TformHilite.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

#include "shell/dialogs/ColourPanel.h"
#include "shell/dialogs/ColourValue.h"

namespace nimbus::dialogs {

QList<QColor> TformHilite::palette64()
{
    QList<QColor> colours;
    // A row of greys, then seven hues from light to dark.
    for (int i = 0; i < 8; ++i)
        colours.append(QColor::fromHsv(0, 0, 255 - i * 255 / 7));
    for (int hue : {0, 30, 55, 120, 180, 220, 280}) {
        for (int i = 0; i < 8; ++i) {
            const int saturation = i < 4 ? 60 + i * 65 : 255;
            const int value = i < 4 ? 255 : 255 - (i - 3) * 36;
            colours.append(QColor::fromHsv(hue, saturation, value));
        }
    }
    return colours;
}

TformHilite::TformHilite(const QTextDocumentFragment &fragment, int textColour, int backColour,
                         QWidget *parent)
    : QDialog(parent)
{
    setObjectName("formHilite");
    setWindowTitle(tr("HighLight Colour"));
    auto *layout = new QVBoxLayout(this);
    auto *previewLabel = new QLabel(tr("Preview:"), this);
    layout->addWidget(previewLabel);
    RichEdit1 = new QTextEdit(this);
    RichEdit1->setObjectName("RichEdit1");
    previewLabel->setBuddy(RichEdit1);
    RichEdit1->setReadOnly(true);
    RichEdit1->setFixedHeight(70);
    if (fragment.isEmpty())
        RichEdit1->setPlainText(tr("The quick brown fox jumped over the lazy dog."));
    else
        RichEdit1->textCursor().insertFragment(fragment);
    layout->addWidget(RichEdit1);

    auto *grid = new QGridLayout;
    grid->setSpacing(3);
    const QList<QColor> colours = palette64();
    for (int i = 0; i < colours.size(); ++i) {
        auto *panel = new ColourPanel(colours[i], this);
        panel->setObjectName(QStringLiteral("panelColour%1").arg(i + 1));
        panel->setFixedSize(22, 18);
        panel->setAccessibleName(colours[i].name());
        connect(panel, &ColourPanel::clicked, this, [this, panel] { panelClick(panel); });
        grid->addWidget(panel, i % 8, i / 8);
        panels.append(panel);
    }
    layout->addLayout(grid);
    setTabStop(panels.first());

    auto *radios = new QHBoxLayout;
    radioText = new QRadioButton(tr("Text colour"), this);
    radioText->setObjectName("radioText");
    radioText->setChecked(true);
    radioBack = new QRadioButton(tr("Background colour"), this);
    radioBack->setObjectName("radioBack");
    radios->addWidget(radioText);
    radios->addWidget(radioBack);
    layout->addLayout(radios);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    Button2 = new QPushButton(tr("OK"), this);
    Button2->setObjectName("Button2");
    Button2->setDefault(true);
    Button1 = new QPushButton(tr("Cancel"), this);
    Button1->setObjectName("Button1");
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    layout->addLayout(buttons);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    preview(colourFromValue(textColour), colourFromValue(backColour));
}

void TformHilite::panelClick(ColourPanel *panel)
{
    setTabStop(panel);
    for (ColourPanel *other : panels)
        other->setFramed(other == panel);
    if (radioBack->isChecked())
        chosenBack_ = valueFromColour(panel->colour());
    else
        chosenText_ = valueFromColour(panel->colour());
    preview(colourFromValue(chosenText_), colourFromValue(chosenBack_));
}

void TformHilite::preview(const QColor &text, const QColor &back)
{
    QTextCursor cursor(RichEdit1->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat format;
    if (text.isValid())
        format.setForeground(text);
    if (back.isValid())
        format.setBackground(back);
    cursor.mergeCharFormat(format);
}

void TformHilite::setTabStop(ColourPanel *panel)
{
    for (ColourPanel *other : panels)
        other->setFocusPolicy(other == panel ? Qt::StrongFocus : Qt::ClickFocus);
}

void TformHilite::keyPressEvent(QKeyEvent *event)
{
    // The panels stand in columns of eight: up and down within a column, left and right
    // to the neighbouring column.
    const auto at = panels.indexOf(qobject_cast<ColourPanel *>(focusWidget()));
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        step = at % 8 > 0 ? -1 : 0;
        break;
    case Qt::Key_Down:
        step = at % 8 < 7 ? 1 : 0;
        break;
    case Qt::Key_Left:
        step = -8;
        break;
    case Qt::Key_Right:
        step = 8;
        break;
    default:
        break;
    }
    if (at < 0 || step == 0) {
        QDialog::keyPressEvent(event);
        return;
    }
    const auto to = at + step;
    if (to >= 0 && to < panels.size()) {
        setTabStop(panels[to]);
        panels[to]->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace nimbus::dialogs
