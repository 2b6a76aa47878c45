#include "views/patterns/patterns_models.h"

#include "views/kit/date_text.h"
#include "views/patterns/patterns_text.h"

#include <algorithm>

namespace {

QString times(qint64 count)
{
    return PatternsText::counted(count, QStringLiteral("vez"), QStringLiteral("veces"));
}

} // namespace

void RankingModel::setPatterns(const Patterns& patterns)
{
    resetRows(patterns.ranking, [&] {
        m_expected = patterns.expected;
        // The longest bar is the most frequent card, or chance when no card reaches it.
        const QList<CardCount>& ranking = patterns.ranking;
        m_scale = std::max({1.0, patterns.expected,
                            ranking.isEmpty() ? 0.0 : double(ranking.first().appearances)});
    });
}

QVariant RankingModel::rowData(const CardCount& row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return PatternsText::cardName(row.arcanaID);
    case Qt::AccessibleTextRole: {
        QString text =
            PatternsText::cardName(row.arcanaID) + QStringLiteral(": ") + times(row.appearances);
        if (row.reversed > 0)
            text += QStringLiteral(", ") + PatternsText::counted(row.reversed,
                                                                 QStringLiteral("invertida"),
                                                                 QStringLiteral("invertidas"));
        if (row.aboveChance)
            text += QStringLiteral(", más de lo que explicaría el azar");
        return text;
    }
    case Qt::ToolTipRole:
        return row.aboveChance ? PatternsText::aboveChanceExplanation() : QVariant();
    case Qt::AccessibleDescriptionRole:
        if (row.aboveChance)
            return PatternsText::aboveChanceExplanation();
        return QString(QStringLiteral("Por azar, unas ") + PatternsText::number(m_expected) +
                       QStringLiteral(" veces. Pulsa Intro para ver sus tiradas."));
    case ArcanaRole:
        return row.arcanaID;
    case CountRole:
        return row.appearances;
    case ReversedRole:
        return row.reversed;
    case AboveChanceRole:
        return row.aboveChance;
    case FillRole:
        return double(row.appearances) / m_scale;
    case ChanceFillRole:
        return m_expected / m_scale;
    default:
        return {};
    }
}

int RankingModel::rowOf(qint64 arcanaID) const
{
    for (int row = 0; row < rows().size(); ++row)
        if (rows().at(row).arcanaID == arcanaID)
            return row;
    return -1;
}

TrailModel::Entry TrailModel::entry(const Reading& reading, const TrailStop& stop)
{
    return Entry{reading.id,
                 reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question,
                 reading.date,
                 reading.spread,
                 stop.position,
                 stop.reversed};
}

void TrailModel::setEntries(const QList<Entry>& entries)
{
    resetRows(entries);
}

QVariant TrailModel::rowData(const Entry& row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return row.question;
    case DetailRole:
    case Qt::AccessibleTextRole:
        break;
    case Qt::AccessibleDescriptionRole:
        return QStringLiteral("Pulsa Intro para volver a esta tirada en la mesa.");
    case IdRole:
        return row.id;
    default:
        return {};
    }
    // Worked out for the rows on screen only: a long trail is listed at once.
    QStringList detail{DateText::abbreviated(row.date)};
    const QList<Position> places = positions(row.spread);
    if (row.position < places.size())
        detail << places.at(row.position).title;
    detail << (row.reversed ? QStringLiteral("invertida") : QStringLiteral("al derecho"));
    switch (role) {
    case DetailRole:
        return detail.join(QStringLiteral(" · "));
    default:
        return QString(row.question + QStringLiteral(", ") + detail.join(QStringLiteral(", ")));
    }
}

void RepeatModel::setRepeats(const QList<RoleRepeat>& repeats)
{
    resetRows(repeats);
}

QVariant RepeatModel::rowData(const RoleRepeat& row, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return PatternsText::repeatLine(row);
    case ArcanaRole:
        return row.arcanaID;
    default:
        return {};
    }
}
