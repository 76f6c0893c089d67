#include "shell/UiTranslations.h"

#include "fileio/LanguageChoice.h"
#include "fileio/UiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

namespace nimbus {

namespace {

// Built into the program as resources, so a moved or copied program folder keeps them.
const QString kOwnFolder = QStringLiteral(":/i18n");
const QString kOwnPrefix = QStringLiteral("nimbus_");

std::string translateWithQt(const char *context, const char *source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

std::string translateCountWithQt(const char *context, const char *source, const char *comment,
                                 int n)
{
    return QCoreApplication::translate(context, source, comment, n).toStdString();
}

} // namespace

UiTranslations::UiTranslations(QCoreApplication &app, const LanguageChoice &choice) : app_(app)
{
    for (const std::string &candidate : choice.candidates()) {
        const QString tag = QString::fromStdString(candidate);
        if (!own_.load(kOwnPrefix + tag, kOwnFolder))
            continue;
        app_.installTranslator(&own_);
        // Qt's own texts (the buttons of standard dialogs, the editors' context menus) come from
        // the system's Qt translations where they are installed.
        qtInstalled_ = qt_.load(QStringLiteral("qtbase_") + tag,
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
                       app_.installTranslator(&qt_);
        text::setTranslator(&translateWithQt);
        text::setCountTranslator(&translateCountWithQt);
        // The file found may be the language's own for a regional tag ("de" for "de_AT").
        const QString file = QFileInfo(own_.filePath()).completeBaseName();
        language_ = file.mid(kOwnPrefix.size());
        return;
    }
}

UiTranslations::~UiTranslations()
{
    if (language_.isEmpty())
        return;
    text::setTranslator(nullptr);
    text::setCountTranslator(nullptr);
    app_.removeTranslator(&own_);
    if (qtInstalled_)
        app_.removeTranslator(&qt_);
}

QStringList UiTranslations::available()
{
    QStringList tags;
    const QStringList files =
        QDir(kOwnFolder).entryList({kOwnPrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        tags << file.mid(kOwnPrefix.size(), file.size() - kOwnPrefix.size() - 3);
    return tags;
}

} // namespace nimbus
