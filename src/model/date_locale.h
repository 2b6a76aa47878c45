#pragma once

#include <QLocale>
#include <QString>

// How dates are written: always with Spanish words, since every text around them is Spanish.
namespace DateLocale {

// The user's own locale when it is Spanish (for its territory's conventions), Spain's
// otherwise.
QLocale spanish(const QLocale& user = QLocale());
// The locale's short time format, never with seconds.
QString shortTimeFormat(const QLocale& locale);

} // namespace DateLocale
