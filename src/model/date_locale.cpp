#include "model/date_locale.h"

#include <QRegularExpression>

namespace DateLocale {

QLocale spanish(const QLocale& user)
{
    return user.language() == QLocale::Spanish ? user : QLocale(QLocale::Spanish, QLocale::Spain);
}

QString shortTimeFormat(const QLocale& locale)
{
    static const QRegularExpression seconds(QStringLiteral("[:.]ss?"));
    return locale.timeFormat(QLocale::ShortFormat).remove(seconds);
}

} // namespace DateLocale
