// The "Spawner Problem" message box.
#include "ProblemReporter.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace spawner {

void ProblemReporter::report(QWidget *parent, const std::string &text)
{
    reported_.push_back(text);
    std::fprintf(stderr, "%s: %s\n", kTitle, text.c_str());
    std::fflush(stderr);
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kTitle),
                    QString::fromLocal8Bit(text.c_str()), QMessageBox::Ok, parent);
    box.exec();
}

} // namespace spawner
