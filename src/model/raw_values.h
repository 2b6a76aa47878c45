#pragma once

#include <QList>
#include <QString>
#include <optional>

// The case of `all` whose raw value is exactly `text`: raw values are compared as they are,
// case and blanks included, so only the text the program itself writes is accepted.
template <class Enum> std::optional<Enum> fromRawValue(const QList<Enum>& all, const QString& text)
{
    for (Enum value : all) {
        if (rawValue(value) == text)
            return value;
    }
    return std::nullopt;
}
