#include "views/kit/date_text.h"

#include "model/date_locale.h"
#include "model/reference_date.h"

#include <QList>
#include <utility>

namespace DateText {

QString abbreviated(double date, const QLocale& user)
{
    const QLocale locale = DateLocale::spanish(user);
    // Qt has no medium date format: derive one from the long format by dropping the weekday,
    // abbreviating the month and leaving out quoted words such as the Spanish "de".
    const QString longFormat = locale.dateFormat(QLocale::LongFormat);
    struct Token {
        QString text;
        bool field = false;
    };
    QList<Token> tokens;
    for (qsizetype i = 0; i < longFormat.size();) {
        const QChar c = longFormat.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = longFormat.indexOf(QLatin1Char('\''), i + 1);
            const QString literal = longFormat.mid(i + 1, end < 0 ? -1 : end - i - 1);
            bool word = !literal.isEmpty();
            for (QChar l : literal)
                word = word && l.isLetter();
            if (!word)
                tokens.append({literal, false});
            i = end < 0 ? longFormat.size() : end + 1;
        } else if (c.isLetter()) {
            qsizetype j = i;
            while (j < longFormat.size() && longFormat.at(j) == c)
                ++j;
            QString field = longFormat.mid(i, j - i);
            if (field == QStringLiteral("MMMM"))
                field = QStringLiteral("MMM");
            if (field != QStringLiteral("dddd") && field != QStringLiteral("ddd"))
                tokens.append({field, true});
            i = j;
        } else {
            qsizetype j = i;
            while (j < longFormat.size() && !longFormat.at(j).isLetter() &&
                   longFormat.at(j) != QLatin1Char('\''))
                ++j;
            tokens.append({longFormat.mid(i, j - i), false});
            i = j;
        }
    }
    // Keep one separator between two fields, none at either end.
    QString format;
    QString pendingSeparator;
    bool seenField = false;
    for (const Token& token : std::as_const(tokens)) {
        if (token.field) {
            if (seenField)
                format += pendingSeparator.isEmpty() ? QStringLiteral(" ") : pendingSeparator;
            format += token.text;
            pendingSeparator.clear();
            seenField = true;
        } else if (seenField && pendingSeparator.trimmed().isEmpty()) {
            pendingSeparator = token.text.trimmed().isEmpty() ? QStringLiteral(" ") : token.text;
        }
    }
    const QDateTime when = ReferenceDate::toDateTime(date).toLocalTime();
    return locale.toString(when.date(), format) + QStringLiteral(", ") +
           locale.toString(when.time(), DateLocale::shortTimeFormat(locale));
}

} // namespace DateText
