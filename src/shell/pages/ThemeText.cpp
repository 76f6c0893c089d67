// Text colours chosen by the palette they are shown on.
#include "shell/pages/ThemeText.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "shell/core/ColourContrast.h"

namespace nimbus::pages::theme {

namespace {

constexpr double kReadable = 4.5;

look::Rgb rgb(const QColor &colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

// Re-colours its widget when the application's palette changes (a change the widget hears of
// as its own palette's change, passed down from its window). Nothing is set when the colour
// is already right, so the change made here ends there.
class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget *widget, TextRole role) : QObject(widget), widget_(widget), role_(role)
    {
        widget->installEventFilter(this);
        apply();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget_ && (event->type() == QEvent::ApplicationPaletteChange ||
                                   event->type() == QEvent::PaletteChange))
            apply();
        return false;
    }

private:
    void apply()
    {
        const QPalette application = QApplication::palette(widget_);
        QPalette palette = widget_->palette();
        const QColor colour = textColour(role_, application);
        if (palette.color(QPalette::Active, QPalette::WindowText) == colour &&
            palette.color(QPalette::Inactive, QPalette::WindowText) == colour)
            return;
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::WindowText, colour);
        widget_->setPalette(palette);
    }

    QWidget *widget_;
    TextRole role_;
};

class PaletteWatch : public QObject {
public:
    PaletteWatch(QWidget *widget, std::function<void()> apply)
        : QObject(widget), widget_(widget), apply_(std::move(apply))
    {
        widget->installEventFilter(this);
        run();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget_ && (event->type() == QEvent::ApplicationPaletteChange ||
                                   event->type() == QEvent::PaletteChange))
            run();
        return false;
    }

private:
    // Once for each application palette: what apply_ sets (a style sheet) changes the
    // widget's palette again, which is no new reason to run.
    void run()
    {
        const QPalette application = QApplication::palette(widget_);
        if (ran_ && application == last_)
            return;
        ran_ = true;
        last_ = application;
        apply_();
    }

    QWidget *widget_;
    std::function<void()> apply_;
    QPalette last_;
    bool ran_ = false;
};

} // namespace

void whenPaletteChanges(QWidget *widget, std::function<void()> apply)
{
    new PaletteWatch(widget, std::move(apply));
}

double contrast(const QColor &first, const QColor &second)
{
    return look::contrastRatio(rgb(first), rgb(second));
}

bool isDark(const QPalette &palette)
{
    return look::isDark(rgb(palette.color(QPalette::Window)));
}

QColor readableOn(const QColor &wanted, const QColor &background, const QPalette &palette)
{
    if (contrast(wanted, background) >= kReadable)
        return wanted;
    QColor best = look::isDark(rgb(background)) ? QColor(Qt::white) : QColor(Qt::black);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        if (contrast(palette.color(role), background) > contrast(best, background))
            best = palette.color(role);
    return best;
}

QColor textColour(TextRole role, const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    const bool dark = isDark(palette);
    QColor wanted;
    switch (role) {
    case TextRole::Title:
        wanted = dark ? QColor(150, 180, 255) : QColor(0, 0, 128);
        break;
    case TextRole::Quiet:
        wanted = dark ? QColor(185, 185, 185) : QColor(90, 90, 90);
        break;
    case TextRole::Caption:
        wanted = dark ? QColor(210, 210, 210) : QColor(0x55, 0x55, 0x55);
        break;
    }
    // A palette of its own (a high-contrast theme) may set colours the defaults above do not
    // read on; then the palette's text colour is used.
    return readableOn(wanted, window, palette);
}

void followPalette(QWidget *widget, TextRole role)
{
    new PaletteFollower(widget, role);
}

QColor ink(const QPalette &palette)
{
    return readableOn(QColor(40, 40, 60), palette.color(QPalette::Button), palette);
}

} // namespace nimbus::pages::theme
