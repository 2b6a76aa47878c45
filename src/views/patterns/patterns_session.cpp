#include "views/patterns/patterns_session.h"

#include "model/catalog.h"
#include "model/reference_date.h"
#include "store/app_store.h"

PatternsSession::PatternsSession(AppStore* store, QObject* parent)
    : QObject(parent), m_store(store), m_now(&ReferenceDate::now),
      m_zone(QTimeZone::systemTimeZone())
{
    connect(store, &AppStore::historyChanged, this, [this] { m_historyChanged = true; });
}

void PatternsSession::setSpan(Span span)
{
    if (span == m_span)
        return;
    m_span = span;
    Q_EMIT spanChanged();
}

DateRange PatternsSession::range() const
{
    return dateRange(m_span, m_now(), m_zone);
}

const Patterns& PatternsSession::patterns()
{
    const double now = m_now();
    const QDate today = LocalCalendar::date(now, m_zone);
    const DateRange range = dateRange(m_span, now, m_zone);
    // The day counts even for "Todo": the rhythm runs up to today.
    if (!m_patterns || m_historyChanged || m_patterns->range != range || m_day != today) {
        m_patterns = ::patterns(m_store->history(), Catalog::cards(), range, now, m_zone);
        m_day = today;
        m_historyChanged = false;
        ++m_computations;
    }
    return *m_patterns;
}

void PatternsSession::setClock(std::function<double()> now)
{
    m_now = std::move(now);
}

void PatternsSession::setTimeZone(const QTimeZone& zone)
{
    m_zone = zone;
}
