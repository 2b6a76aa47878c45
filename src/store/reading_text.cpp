#include "store/reading_text.h"

#include "engine/reading_engine.h"
#include "model/date_locale.h"

#include <QLocale>

// The long date followed by the short time, in the user's time zone and, the words being
// Spanish, in the user's locale when it is Spanish (Spain's otherwise).
QString ReadingText::dateText(double date)
{
    const QDateTime local = ReferenceDate::toDateTime(date).toLocalTime();
    const QLocale locale = DateLocale::spanish();
    return locale.toString(local, locale.dateFormat(QLocale::LongFormat) + QLatin1Char(' ') +
                                      DateLocale::shortTimeFormat(locale));
}

QString ReadingText::text(const Reading& reading)
{
    QString result =
        QStringLiteral("Arcandel\n") + dateText(reading.date) + QLatin1Char('\n') +
        name(reading.spread) + QStringLiteral(" · ") + rawValue(reading.topic) + QLatin1Char('\n') +
        (reading.ownDeck ? QStringLiteral("Tirada hecha con tu propia baraja.\n") : QString()) +
        (reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question) +
        QStringLiteral("\n\n");

    const QList<Position> places = positions(reading.spread);
    for (qsizetype i = 0; i < reading.cards.size(); ++i) {
        const DrawnCard& card = reading.cards.at(i);
        // Stored readings always match their spread; a reading handed in from elsewhere
        // gets empty position texts rather than a crash.
        const Position position = i < places.size() ? places.at(i) : Position{};
        const Arcana* arcana = card.arcana();
        if (i > 0)
            result += QStringLiteral("\n\n");
        result += QString::number(i + 1) + QStringLiteral(". ") + position.title +
                  QStringLiteral(" — ") + (arcana ? arcana->name : QString()) +
                  (card.reversed ? QStringLiteral(" (invertida)") : QString()) + QLatin1Char('\n') +
                  position.meaning + QStringLiteral("\n\n") +
                  (i < reading.interpretations.size()
                       ? reading.interpretations.at(i)
                       : ReadingEngine::interpretation(card, position, reading.topic));
    }

    result += QStringLiteral("\n\nSÍNTESIS\n") + reading.synthesis + QStringLiteral("\n\nNOTAS\n") +
              reading.notes;
    // Entries written afterwards, oldest first, each under its date.
    for (qsizetype i = 0; i < reading.followUps.size(); ++i) {
        const FollowUp& entry = reading.followUps.at(i);
        result += (i == 0 ? QStringLiteral("\n\nCómo se desarrolló\n") : QStringLiteral("\n\n")) +
                  dateText(entry.date) + QLatin1Char('\n') + entry.text;
    }
    result += QStringLiteral("\n\nLectura simbólica para reflexión personal.");
    return result;
}

QString ReadingText::exportFileName(const Reading& reading)
{
    // A format rather than Qt::ISODate, which gives nothing at all outside the years 0 to
    // 9999 (a date edited by hand in the state file).
    return QStringLiteral("Arcandel-") +
           ReferenceDate::toDateTime(reading.date).date().toString(u"yyyy-MM-dd") +
           QStringLiteral(".txt");
}
