#pragma once

#include <QList>
#include <QString>
#include <optional>

// The five spreads, in the order they are offered to the user.
enum class Spread { daily, timeline, guidance, cross, celtic };

// The function of a position, used to phrase its interpretation.
enum class Role { past, present, future, obstacle, support, advice, synthesis };

// One place of a spread. x and y are the card centre as fractions of the board.
struct Position {
    QString title;
    QString meaning;
    Role role = Role::present;
    double x = 0.5;
    double y = 0.5;

    bool operator==(const Position&) const = default;
};

QString rawValue(Spread spread);
std::optional<Spread> spreadFromRaw(const QString& text);
const QList<Spread>& allSpreads();
QString name(Spread spread);
QString subtitle(Spread spread);
QString method(Spread spread);
QList<Position> positions(Spread spread);

QString rawValue(Role role);
std::optional<Role> roleFromRaw(const QString& text);
const QList<Role>& allRoles();
