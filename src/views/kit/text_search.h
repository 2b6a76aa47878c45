#pragma once

#include <QLocale>
#include <QString>

// The search rule shared by the history and the guide: a few fields joined by single spaces
// must contain the search text, case-insensitively in the user's locale, with accents
// significant and the search text taken exactly as typed (not trimmed).
namespace TextSearch {

// Prepares a text once so later matches are cheap: canonical composition (so a composed and
// a decomposed accent are the same letter) and the locale's lower case.
QString fold(const QString& text, const QLocale& locale = QLocale());

// Whether `foldedHaystack` contains `foldedNeedle`. A match that would end in the middle of
// a letter (before a combining accent the needle does not have) does not count, so "e" does
// not find a decomposed "é". An empty needle matches everything.
bool containsFolded(const QString& foldedHaystack, const QString& foldedNeedle);

// Convenience for one-off checks.
bool matches(const QString& haystack, const QString& needle, const QLocale& locale = QLocale());

} // namespace TextSearch
