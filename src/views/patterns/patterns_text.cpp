#include "views/patterns/patterns_text.h"

#include "model/catalog.h"
#include "model/reference_date.h"

#include <QLocale>
#include <cmath>

namespace PatternsText {

namespace {

// The figures are Spanish whatever the desktop's language, like every word around them.
const QLocale& spanish()
{
    static const QLocale locale(QLocale::Spanish, QLocale::Spain);
    return locale;
}

QString roleWords(Role role)
{
    // In the order of Role.
    static const QString words[] = {
        QStringLiteral("como pasado"),    QStringLiteral("como presente"),
        QStringLiteral("como tendencia"), QStringLiteral("como obstáculo"),
        QStringLiteral("como apoyo"),     QStringLiteral("como consejo"),
        QStringLiteral("como síntesis"),
    };
    return words[int(role)];
}

QString capitalised(const QString& text)
{
    return text.left(1).toUpper() + text.mid(1);
}

} // namespace

QString number(double value, int decimals)
{
    QString text = spanish().toString(value, 'f', decimals);
    if (decimals > 0) {
        const QString zero = spanish().decimalPoint() + QString(decimals, QLatin1Char('0'));
        if (text.endsWith(zero))
            text.chop(zero.size());
    }
    return text;
}

QString percent(double share)
{
    return number(std::round(share * 100), 0) + QStringLiteral("\u00a0%");
}

QString counted(qint64 count, const QString& one, const QString& many)
{
    return number(double(count), 0) + QLatin1Char(' ') + (count == 1 ? one : many);
}

QString chanceSentence(const Patterns& patterns)
{
    if (patterns.cards == 0)
        return QStringLiteral("Estas tiradas no guardan cartas que contar.");
    if (patterns.cards == 1)
        return QStringLiteral("Por azar, cada arcano tenía una posibilidad entre 22 de ser esta "
                              "carta.");
    // Below one the first decimal alone would read "0" for a few cards.
    const QString times = number(patterns.expected, patterns.expected < 1 ? 2 : 1);
    const QString often = times == QStringLiteral("1")
                              ? QStringLiteral("una vez")
                              : QStringLiteral("unas ") + times + QStringLiteral(" veces");
    return QStringLiteral("Por azar, cada arcano aparecería ") + often +
           QStringLiteral(" en estas ") + number(patterns.cards, 0) + QStringLiteral(" cartas.");
}

QString aboveChanceExplanation()
{
    return QStringLiteral(
        "Sale más de lo que explicaría el azar: si barajaras al azar un cuaderno como el tuyo, "
        "que algún arcano saliera tantas veces pasaría menos de una vez de cada veinte. Solo "
        "se marca a partir de 3 apariciones.");
}

QString stretch(const Patterns& patterns)
{
    const auto day = [](double date) {
        return spanish().toString(ReferenceDate::toDateTime(date).toLocalTime().date(),
                                  QStringLiteral("d MMM yyyy"));
    };
    if (patterns.range.bounded())
        return QStringLiteral("Del ") + day(patterns.range.start) + QStringLiteral(" al ") +
               day(patterns.range.end - 1);
    return QStringLiteral("Desde el ") + day(patterns.firstDate);
}

QString cardName(qint64 arcanaID)
{
    if (const Arcana* card = Catalog::card(arcanaID))
        return card->name;
    return QStringLiteral("Arcano ") + QString::number(arcanaID);
}

QString repeatLine(const RoleRepeat& repeat)
{
    return cardName(repeat.arcanaID) + QLatin1Char(' ') + roleWords(repeat.role) +
           QStringLiteral(" · ") +
           counted(repeat.times, QStringLiteral("vez"), QStringLiteral("veces"));
}

QString familyName(const QString& family)
{
    if (family.isEmpty())
        return QStringLiteral("Sin familia");
    return capitalised(family);
}

QString rhythmLabel(const RhythmBar& bar, RhythmUnit unit)
{
    switch (unit) {
    case RhythmUnit::week:
        return spanish().toString(bar.start, QStringLiteral("d MMM"));
    case RhythmUnit::month:
        return spanish().standaloneMonthName(bar.start.month(), QLocale::ShortFormat);
    case RhythmUnit::year:
        break;
    }
    return QString::number(bar.start.year());
}

QString rhythmName(const RhythmBar& bar, RhythmUnit unit)
{
    QString when;
    switch (unit) {
    case RhythmUnit::week:
        when = QStringLiteral("Semana del ") +
               spanish().toString(bar.start, QStringLiteral("d 'de' MMMM 'de' yyyy"));
        break;
    case RhythmUnit::month:
        when = capitalised(spanish().standaloneMonthName(bar.start.month())) +
               QStringLiteral(" de ") + QString::number(bar.start.year());
        break;
    case RhythmUnit::year:
        when = QString::number(bar.start.year());
        break;
    }
    return when + QStringLiteral(": ") +
           counted(bar.readings, QStringLiteral("tirada"), QStringLiteral("tiradas"));
}

QString rhythmTitle(RhythmUnit unit)
{
    // In the order of RhythmUnit.
    static const QString titles[] = {QStringLiteral("Tiradas por semana"),
                                     QStringLiteral("Tiradas por mes"),
                                     QStringLiteral("Tiradas por año")};
    return titles[int(unit)];
}

} // namespace PatternsText
