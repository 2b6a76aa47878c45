#include "model/reference_date.h"

#include <algorithm>
#include <cmath>

namespace ReferenceDate {

double now()
{
    return fromDateTime(QDateTime::currentDateTimeUtc());
}

QDateTime toDateTime(double seconds)
{
    // Stored dates come from a file a person may have edited: keep absurd values in range
    // rather than overflow the conversion.
    constexpr double limit = 1e15; // about 31,700 years of milliseconds
    double ms = std::round((seconds + double(unixOffset)) * 1000.0);
    if (!std::isfinite(ms))
        ms = 0;
    ms = std::clamp(ms, -limit, limit);
    return QDateTime::fromMSecsSinceEpoch(qint64(ms), Qt::UTC);
}

double fromDateTime(const QDateTime& dateTime)
{
    return double(dateTime.toMSecsSinceEpoch()) / 1000.0 - double(unixOffset);
}

} // namespace ReferenceDate
