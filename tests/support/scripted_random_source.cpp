#include "support/scripted_random_source.h"

#include <utility>

namespace {

__extension__ typedef unsigned __int128 Wide;

} // namespace

ScriptedRandomSource::ScriptedRandomSource(QList<quint64> script) : m_script(std::move(script)) {}

ScriptedRandomSource::ScriptedRandomSource(std::initializer_list<quint64> script) : m_script(script)
{}

quint64 ScriptedRandomSource::next()
{
    const qsizetype index = m_taken++;
    if (index < m_script.size())
        return m_script.at(index);
    // splitmix64, so an exhausted script never feeds bounded() a value it rejects forever.
    quint64 z = (m_fallbackState += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

quint64 ScriptedRandomSource::valueFor(quint64 result, quint64 bound)
{
    if (bound <= 1)
        return 0;
    // The middle of the slice of 64-bit values that multiply-and-shift maps to `result`;
    // its low half stays near 2^63, far above any rejection threshold (which is < bound).
    const Wide target = (Wide(result) << 64) + (Wide(1) << 63);
    return quint64(target / bound);
}

quint64 ScriptedRandomSource::valueFor(bool result)
{
    return result ? 0x8000000000000000ULL : 0;
}

QList<quint64> ScriptedRandomSource::scriptForShuffle(const QList<qint64>& from,
                                                      const QList<qint64>& to)
{
    QList<qint64> deck = from;
    QList<quint64> script;
    for (qsizetype i = 0; i + 1 < deck.size(); ++i) {
        const qsizetype j = deck.indexOf(to.value(i), i);
        const qsizetype offset = j < 0 ? 0 : j - i;
        script.append(valueFor(quint64(offset), quint64(deck.size() - i)));
        deck.swapItemsAt(i, i + offset);
    }
    return script;
}
