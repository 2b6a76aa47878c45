#pragma once

#include "engine/random_source.h"

#include <QList>
#include <initializer_list>

// A random source that hands out a given sequence of values and counts what it gave.
// Past the end of the script it keeps answering from a fixed pseudo-random sequence, so a
// test that takes too much fails on its counts instead of hanging, and `overrun()` says so.
class ScriptedRandomSource final : public RandomSource {
public:
    ScriptedRandomSource() = default;
    explicit ScriptedRandomSource(QList<quint64> script);
    ScriptedRandomSource(std::initializer_list<quint64> script);

    quint64 next() override;

    // How many values have been taken in all, and how many of them lay past the script.
    qsizetype taken() const { return m_taken; }
    qsizetype overrun() const { return m_taken > m_script.size() ? m_taken - m_script.size() : 0; }
    qsizetype remaining() const
    {
        return m_taken < m_script.size() ? m_script.size() - m_taken : 0;
    }

    // The value that makes RandomSource::bounded(bound) answer `result` with no rejection.
    static quint64 valueFor(quint64 result, quint64 bound);
    // The value that makes RandomSource::boolean() answer `result`.
    static quint64 valueFor(bool result);
    // The values that make a front-to-back Fisher–Yates shuffle of `from` produce `to`
    // (which must be a permutation of `from`).
    static QList<quint64> scriptForShuffle(const QList<qint64>& from, const QList<qint64>& to);

private:
    QList<quint64> m_script;
    qsizetype m_taken = 0;
    quint64 m_fallbackState = 0x9e3779b97f4a7c15ULL;
};
