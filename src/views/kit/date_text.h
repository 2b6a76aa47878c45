#pragma once

#include <QLocale>
#include <QString>

// Dates as the screens show them, in the user's time zone and with Spanish words (in the
// user's locale when it is Spanish, for its conventions).
namespace DateText {

// Abbreviated date with short time, never with seconds, e.g. "12 mar 2024, 18:05" (date:
// seconds since 2001).
QString abbreviated(double date, const QLocale& user = QLocale());

} // namespace DateText
