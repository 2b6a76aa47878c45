#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <limits>

// The stretches of time the patterns of the history can be read over, in the order they are
// offered. Day spans count whole calendar days in the user's time zone, today included, so a
// span does not shift while the day goes by.
enum class Span { lastWeek, lastMonth, lastQuarter, thisYear, all };

const QList<Span>& allSpans();
// "Últimos 7 días", "Últimos 30 días", "Últimos 3 meses", "Este año", "Todo".
QString label(Span span);

// A stretch of time in seconds since the reference date: the start counts, the end does not.
struct DateRange {
    double start = -std::numeric_limits<double>::infinity();
    double end = std::numeric_limits<double>::infinity();

    bool operator==(const DateRange&) const = default;

    bool contains(double date) const { return date >= start && date < end; }
    bool bounded() const;
};

// The range a span covers at `now`, with days and years taken in `zone`. Every span but
// "Todo" ends where tomorrow (or next year) begins.
DateRange dateRange(Span span, double now, const QTimeZone& zone);

// Calendar helpers in a given time zone, for the reference-date seconds used everywhere.
namespace LocalCalendar {
QDate date(double seconds, const QTimeZone& zone);
// The first second of a day; when midnight does not exist there (a clock change), the first
// moment of the day that does.
double startOfDay(QDate day, const QTimeZone& zone);
} // namespace LocalCalendar
