#include "insights/span.h"

#include "model/reference_date.h"

#include <cmath>

const QList<Span>& allSpans()
{
    static const QList<Span> spans{Span::lastWeek, Span::lastMonth, Span::lastQuarter,
                                   Span::thisYear, Span::all};
    return spans;
}

QString label(Span span)
{
    // In the order of Span.
    static const QString labels[] = {
        QStringLiteral("Últimos 7 días"), QStringLiteral("Últimos 30 días"),
        QStringLiteral("Últimos 3 meses"), QStringLiteral("Este año"), QStringLiteral("Todo")};
    return labels[int(span)];
}

bool DateRange::bounded() const
{
    return std::isfinite(start) && std::isfinite(end);
}

namespace LocalCalendar {

QDate date(double seconds, const QTimeZone& zone)
{
    return ReferenceDate::toDateTime(seconds).toTimeZone(zone).date();
}

double startOfDay(QDate day, const QTimeZone& zone)
{
    // Where a clock change skips midnight, the day begins at the first hour that exists.
    for (int hour = 0; hour < 24; ++hour) {
        const QDateTime moment(day, QTime(hour, 0), zone);
        if (moment.isValid() && moment.date() == day)
            return ReferenceDate::fromDateTime(moment);
    }
    return ReferenceDate::fromDateTime(QDateTime(day, QTime(0, 0), QTimeZone::utc()));
}

} // namespace LocalCalendar

DateRange dateRange(Span span, double now, const QTimeZone& zone)
{
    if (span == Span::all)
        return {};
    const QDate today = LocalCalendar::date(now, zone);
    const double tomorrow = LocalCalendar::startOfDay(today.addDays(1), zone);
    switch (span) {
    case Span::lastWeek:
        return {LocalCalendar::startOfDay(today.addDays(-6), zone), tomorrow};
    case Span::lastMonth:
        return {LocalCalendar::startOfDay(today.addDays(-29), zone), tomorrow};
    case Span::lastQuarter:
        return {LocalCalendar::startOfDay(today.addMonths(-3).addDays(1), zone), tomorrow};
    case Span::thisYear:
        return {LocalCalendar::startOfDay(QDate(today.year(), 1, 1), zone),
                LocalCalendar::startOfDay(QDate(today.year() + 1, 1, 1), zone)};
    case Span::all:
        break;
    }
    return {};
}
