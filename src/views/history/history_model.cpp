#include "views/history/history_model.h"

#include "store/app_store.h"
#include "views/kit/date_text.h"
#include "views/kit/text_search.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace {

// Contiguous runs of row numbers, ascending: [(first, last), ...].
QList<std::pair<int, int>> runs(const QList<int>& rows)
{
    QList<std::pair<int, int>> result;
    for (int row : rows) {
        if (!result.isEmpty() && result.last().second + 1 == row)
            result.last().second = row;
        else
            result.append({row, row});
    }
    return result;
}

// Greedy match of `shorter` as a subsequence of `longer` by identifier; returns the rows of
// `longer` left unmatched, or none when `shorter` is not a subsequence.
std::optional<QList<int>> unmatchedRows(const QList<QUuid>& longer, const QList<QUuid>& shorter)
{
    QList<int> unmatched;
    qsizetype j = 0;
    for (qsizetype i = 0; i < longer.size(); ++i) {
        if (j < shorter.size() && longer.at(i) == shorter.at(j))
            ++j;
        else
            unmatched.append(int(i));
    }
    if (j != shorter.size())
        return std::nullopt;
    return unmatched;
}

} // namespace

HistoryModel::HistoryModel(AppStore* store, QObject* parent)
    : QAbstractListModel(parent), m_store(store)
{
    if (m_store) {
        m_rows.reserve(m_store->history().size());
        for (const Reading& reading : m_store->history())
            m_rows.append(makeRow(reading));
        connect(m_store, &AppStore::historyChanged, this, &HistoryModel::sync);
    }
}

HistoryModel::Row HistoryModel::makeRow(const Reading& reading)
{
    Row row;
    row.reading = reading;
    row.revision = m_nextRevision++;
    return row;
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

const QString& HistoryModel::searchText(int row) const
{
    const Row& entry = m_rows.at(row);
    if (!entry.hasFolded) {
        entry.folded = TextSearch::fold(joinedSearchText(entry.reading), m_locale);
        entry.hasFolded = true;
    }
    return entry.folded;
}

bool HistoryModel::prepareSearchTexts(int count)
{
    // Rows move as readings come and go; the counter only says where to look next, and a
    // row that already has its text costs nothing.
    m_prepared = std::min(m_prepared, int(m_rows.size()));
    for (; count > 0 && m_prepared < m_rows.size(); --count, ++m_prepared)
        searchText(m_prepared);
    return m_prepared >= m_rows.size();
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row& row = m_rows.at(index.row());
    const Reading& reading = row.reading;
    switch (role) {
    case Qt::DisplayRole:
    case QuestionRole:
        return reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question;
    case Qt::AccessibleTextRole: {
        const QString question =
            reading.question.isEmpty() ? QStringLiteral("Lectura general") : reading.question;
        QString text = question + QStringLiteral(", ") + name(reading.spread) +
                       QStringLiteral(", ") + DateText::abbreviated(reading.date, m_locale);
        if (reading.ownDeck)
            text += QStringLiteral(", Mi baraja");
        if (!reading.followUps.isEmpty())
            text += QStringLiteral(", ") + followUpCount(reading.followUps.size());
        return text;
    }
    case ReadingRole:
        return QVariant::fromValue(reading);
    case IdRole:
        return reading.id;
    case DetailRole:
        return QString(name(reading.spread) + QStringLiteral(" · ") + rawValue(reading.topic));
    case DateRole:
        return DateText::abbreviated(reading.date, m_locale);
    case NotesRole:
        return reading.notes;
    case FavoriteRole:
        return reading.favorite;
    case SearchTextRole:
        return searchText(index.row());
    case RevisionRole:
        return row.revision;
    case OwnDeckRole:
        return reading.ownDeck;
    case FollowUpsRole:
        return followUpCount(reading.followUps.size());
    default:
        return {};
    }
}

void HistoryModel::sync()
{
    const QList<Reading>& next = m_store->history();

    QList<QUuid> oldIds;
    oldIds.reserve(m_rows.size());
    for (const Row& row : std::as_const(m_rows))
        oldIds.append(row.reading.id);
    QList<QUuid> newIds;
    newIds.reserve(next.size());
    for (const Reading& reading : next)
        newIds.append(reading.id);

    if (oldIds != newIds) {
        if (newIds.size() < oldIds.size()) {
            if (auto removed = unmatchedRows(oldIds, newIds)) {
                const auto spans = runs(*removed);
                for (auto it = spans.crbegin(); it != spans.crend(); ++it) {
                    beginRemoveRows({}, it->first, it->second);
                    m_rows.remove(it->first, it->second - it->first + 1);
                    endRemoveRows();
                }
            }
        } else if (newIds.size() > oldIds.size()) {
            if (auto added = unmatchedRows(newIds, oldIds)) {
                for (const auto& [first, last] : runs(*added)) {
                    beginInsertRows({}, first, last);
                    for (int row = first; row <= last; ++row)
                        m_rows.insert(row, makeRow(next.at(row)));
                    endInsertRows();
                }
            }
        }
    }

    if (m_rows.size() != next.size()) {
        // Not a plain insertion or removal (a new file, a reordering): start over.
        beginResetModel();
        m_rows.clear();
        m_rows.reserve(next.size());
        for (const Reading& reading : next)
            m_rows.append(makeRow(reading));
        endResetModel();
        return;
    }

    // Same length now: rows whose identifier or content differ changed in place.
    QList<int> changed;
    for (qsizetype i = 0; i < next.size(); ++i) {
        if (!(m_rows.at(i).reading == next.at(i))) {
            m_rows[i] = makeRow(next.at(i));
            changed.append(int(i));
        }
    }
    for (const auto& [first, last] : runs(changed))
        Q_EMIT dataChanged(index(first), index(last));
}

QString HistoryModel::joinedSearchText(const Reading& reading)
{
    QStringList parts;
    parts.reserve(3 + reading.cards.size() + reading.followUps.size());
    parts << reading.question << reading.notes << name(reading.spread);
    for (const DrawnCard& card : reading.cards) {
        const Arcana* arcana = card.arcana();
        parts << (arcana ? arcana->name : QString());
    }
    for (const FollowUp& entry : reading.followUps)
        parts << entry.text;
    return parts.join(QLatin1Char(' '));
}

QString HistoryModel::followUpCount(qsizetype count)
{
    if (count <= 0)
        return {};
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" seguimiento") : QStringLiteral(" seguimientos"));
}
