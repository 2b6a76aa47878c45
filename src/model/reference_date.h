#pragma once

#include <QDateTime>

// Points in time are kept as seconds since 2001-01-01 00:00:00 UTC, the form the state
// file stores, so a date read back equals the date written.
namespace ReferenceDate {

constexpr qint64 unixOffset = 978307200; // 2001-01-01T00:00:00Z in seconds since 1970

double now();
QDateTime toDateTime(double seconds);
double fromDateTime(const QDateTime& dateTime);

} // namespace ReferenceDate
