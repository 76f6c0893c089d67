// Puts the window's texts in the user's language: our own translations, built into the program,
// and Qt's own for the texts of its standard dialogs. Any text without a translation stays in
// English. The translations stay installed while the object lives.
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

class QCoreApplication;

namespace nimbus {

class LanguageChoice;

class UiTranslations {
public:
    // Installs the translations of the first language in the choice that the program has, and
    // routes the core's texts through them.
    UiTranslations(QCoreApplication &app, const LanguageChoice &choice);
    ~UiTranslations();
    UiTranslations(const UiTranslations &) = delete;
    UiTranslations &operator=(const UiTranslations &) = delete;

    // The tag of the language installed ("de"), or an empty string when the window stays in
    // English.
    const QString &language() const { return language_; }

    // The languages the program has translations for, as tags ("de", "fr").
    static QStringList available();

private:
    QCoreApplication &app_;
    QTranslator own_;
    QTranslator qt_;
    bool qtInstalled_ = false;
    QString language_;
};

} // namespace nimbus
