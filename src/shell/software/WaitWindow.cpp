// Layout, placement and the timed close of the wait window.
#include "shell/software/WaitWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace nimbus {

WaitWindow::WaitWindow(const QString &productTitle, QWidget *mainWindow)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("formWait");
    setWindowTitle(productTitle);
    setModal(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    labelWait = new QLabel(this);
    labelWait->setObjectName("labelWait");
    labelWait->setAlignment(Qt::AlignCenter);
    labelWait->setWordWrap(true);
    QFont font = labelWait->font();
    font.setBold(true);
    labelWait->setFont(font);
    layout->addWidget(labelWait);
    setFixedSize(360, 110);
}

void WaitWindow::present()
{
    const QWidget *main = parentWidget();
    QRect area;
    if (main && main->isVisible())
        area = main->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
}

void WaitWindow::setText(const QString &text)
{
    labelWait->setText(text);
}

QString WaitWindow::text() const
{
    return labelWait->text();
}

void WaitWindow::finish(const QString &text, int milliseconds, const Wait &wait)
{
    setText(text);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Events run during the wait; should they take the main window (and this one) away,
    // nothing of this object is touched afterwards.
    const QPointer<WaitWindow> self(this);
    if (wait)
        wait(milliseconds);
    if (self)
        close();
}

void WaitWindow::waitProcessingEvents(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace nimbus
