// A label that elides instead of growing; see ElidedLabel.h.
#include "widgets/ElidedLabel.h"

#include <QFontMetrics>

namespace nimbus::widgets {

ElidedLabel::ElidedLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, sizePolicy().verticalPolicy());
}

void ElidedLabel::setFullText(const QString &text)
{
    full_ = text;
    setToolTip(fontMetrics().horizontalAdvance(full_) > width() ? full_ : QString());
    elide();
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const
{
    // As wide as the text up to a sensible width; never the width of a whole long title.
    const int wide = fontMetrics().horizontalAdvance(QStringLiteral("M")) * 40;
    return {qMin(fontMetrics().horizontalAdvance(full_.left(200)), wide),
            QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide()
{
    const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, qMax(width(), 0));
    if (shown != text())
        QLabel::setText(shown);
}

} // namespace nimbus::widgets
