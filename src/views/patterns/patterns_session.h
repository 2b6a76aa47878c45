#pragma once

#include "insights/patterns.h"
#include "insights/span.h"

#include <QObject>
#include <QTimeZone>
#include <functional>
#include <optional>

class AppStore;

// What the patterns section remembers between visits until the program quits: the chosen
// span and the last figures worked out. The figures are computed again only when they are
// asked for and the history, the span or the day has changed since; nothing is computed
// while the user works elsewhere.
class PatternsSession : public QObject {
    Q_OBJECT
public:
    explicit PatternsSession(AppStore* store, QObject* parent = nullptr);

    AppStore* store() const { return m_store; }

    Span span() const { return m_span; }
    void setSpan(Span span);

    // The patterns of the span over the store's history as it is now.
    const Patterns& patterns();
    // The range the span covers now, in the user's time zone.
    DateRange range() const;
    // How many times the figures were worked out (a cheap way to see that it was lazy).
    int computations() const { return m_computations; }

    // The clock and time zone the spans are measured by; tests set their own.
    void setClock(std::function<double()> now);
    void setTimeZone(const QTimeZone& zone);

Q_SIGNALS:
    void spanChanged();

private:
    AppStore* m_store;
    Span m_span = Span::all;
    std::function<double()> m_now;
    QTimeZone m_zone;
    bool m_historyChanged = true;
    std::optional<Patterns> m_patterns;
    QDate m_day; // the day the figures were computed on
    int m_computations = 0;
};
