#include "model/saved_state.h"

#include "model/json_reader.h"

#include <QJsonArray>

namespace {

// The place of an object in a state document, in the words of the other descriptions.
QString placeName(const JsonPath& path)
{
    auto key = [&path](qsizetype i, const char* name) {
        return path.size() > i && std::holds_alternative<QString>(path.at(i)) &&
               std::get<QString>(path.at(i)) == QLatin1String(name);
    };
    auto index = [&path](qsizetype i) {
        return path.size() > i && std::holds_alternative<qsizetype>(path.at(i));
    };
    QString place = QStringLiteral("el documento");
    qsizetype named = 0;
    if (key(0, "preferences")) {
        place = QStringLiteral("las preferencias");
        named = 1;
    } else if (key(0, "history") && index(1)) {
        place =
            QStringLiteral("la tirada %1 del historial").arg(std::get<qsizetype>(path.at(1)) + 1);
        named = 2;
        if (key(2, "cards") && index(3)) {
            place =
                QStringLiteral("la carta %1 de ").arg(std::get<qsizetype>(path.at(3)) + 1) + place;
            named = 4;
        }
    }
    if (named == path.size())
        return place;
    // Deeper down, inside a value the records do not read.
    return named == 0 ? QStringLiteral("un objeto dentro del documento")
                      : QStringLiteral("un objeto dentro de ") + place;
}

} // namespace

QJsonObject SavedState::toJson() const
{
    QJsonArray readings;
    for (const Reading& reading : history)
        readings.append(reading.toJson());
    return QJsonObject{{QStringLiteral("preferences"), preferences.toJson()},
                       {QStringLiteral("history"), readings}};
}

std::optional<SavedState> SavedState::fromJson(const QJsonValue& value, QString* error)
{
    const QString where = QStringLiteral("el documento");
    JsonReader r(value, where, error);
    const auto preferencesObject = r.object(QStringLiteral("preferences"));
    const auto historyArray = r.array(QStringLiteral("history"));
    if (r.failed())
        return std::nullopt;

    SavedState state;
    const auto preferences =
        Preferences::fromJson(*preferencesObject, QStringLiteral("las preferencias"), error);
    if (!preferences)
        return std::nullopt;
    state.preferences = *preferences;
    state.history.reserve(historyArray->size());
    for (qsizetype i = 0; i < historyArray->size(); ++i) {
        const auto reading = Reading::fromJson(
            historyArray->at(i), QStringLiteral("la tirada %1 del historial").arg(i + 1), error);
        if (!reading)
            return std::nullopt;
        state.history.append(*reading);
    }
    return state;
}

std::optional<SavedState> SavedState::decode(const QByteArray& bytes, QString* error)
{
    const auto document = parseJson(bytes, error, placeName);
    if (!document)
        return std::nullopt;
    return fromJson(*document, error);
}
