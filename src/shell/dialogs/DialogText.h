// Text and date conversions at the boundary between the core's values and Qt's widgets.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <string>

#include "store/DateTime.h"

namespace nimbus::dialogs {

inline QString toQt(const std::string &text)
{
    return QString::fromLocal8Bit(text.c_str());
}

inline std::string fromQt(const QString &text)
{
    return text.toLocal8Bit().toStdString();
}

inline QDate toQDate(DateTime date)
{
    const CivilTime c = date.civil();
    return QDate(c.year, c.month, c.day);
}

inline QTime toQTime(DateTime time)
{
    const CivilTime c = time.civil();
    return QTime(c.hour, c.minute, c.second);
}

inline DateTime fromQDate(QDate date)
{
    return DateTime::fromCivil(date.year(), date.month(), date.day());
}

inline DateTime fromQTime(QTime time)
{
    return DateTime::fromCivil(1970, 1, 1, time.hour(), time.minute(), time.second());
}

} // namespace nimbus::dialogs
