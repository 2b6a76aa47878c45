#pragma once

#include <QLocale>
#include <QString>

// Dates as the screens show them, in the user's locale and time zone.
namespace DateText {

// Abbreviated date with short time, e.g. "12 mar 2024, 18:05" (date: seconds since 2001).
QString abbreviated(double date, const QLocale& locale = QLocale());

} // namespace DateText
