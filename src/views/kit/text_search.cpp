#include "views/kit/text_search.h"

namespace TextSearch {

QString fold(const QString& text, const QLocale& locale)
{
    // Lower-casing after composing keeps "É" and "E\u0301" together; composing again
    // afterwards catches letters whose lower case decomposes.
    return locale.toLower(text.normalized(QString::NormalizationForm_C))
        .normalized(QString::NormalizationForm_C);
}

static bool isCombining(QChar c)
{
    const auto category = c.category();
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

bool containsFolded(const QString& foldedHaystack, const QString& foldedNeedle)
{
    if (foldedNeedle.isEmpty())
        return true;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = foldedHaystack.indexOf(foldedNeedle, from, Qt::CaseSensitive);
        if (at < 0)
            return false;
        const qsizetype end = at + foldedNeedle.size();
        if (end >= foldedHaystack.size() || !isCombining(foldedHaystack.at(end)))
            return true;
        from = at + 1;
    }
}

bool matches(const QString& haystack, const QString& needle, const QLocale& locale)
{
    return containsFolded(fold(haystack, locale), fold(needle, locale));
}

} // namespace TextSearch
