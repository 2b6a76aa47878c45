#include "insights/chance.h"

#include <algorithm>
#include <cmath>

namespace Chance {

namespace {

// A probability distribution on the integers offset, offset + 1, ...
struct Window {
    qint64 offset = 0;
    std::vector<double> mass;
};

// Binomial(n, p), kept to the stretch where the mass is not negligible: twelve standard
// deviations either side of the mean leave out less than 1e-30.
Window binomial(qint64 n, double p)
{
    if (p >= 1)
        return {n, {1.0}};
    const double mean = double(n) * p;
    const double spread = 12 * std::sqrt(mean * (1 - p)) + 2;
    const qint64 lo = std::max<qint64>(0, qint64(std::floor(mean - spread)));
    const qint64 hi = std::min<qint64>(n, qint64(std::ceil(mean + spread)));
    const qint64 mode = std::clamp<qint64>(qint64(std::floor(double(n + 1) * p)), lo, hi);
    Window w{lo, std::vector<double>(std::size_t(hi - lo + 1), 0.0)};
    const double nn = double(n);
    const double m = double(mode);
    double& top = w.mass[std::size_t(mode - lo)];
    top = std::exp(std::lgamma(nn + 1) - std::lgamma(m + 1) - std::lgamma(nn - m + 1) +
                   m * std::log(p) + (nn - m) * std::log1p(-p));
    const double odds = p / (1 - p);
    for (qint64 j = mode; j < hi; ++j)
        w.mass[std::size_t(j + 1 - lo)] =
            w.mass[std::size_t(j - lo)] * double(n - j) / double(j + 1) * odds;
    for (qint64 j = mode; j > lo; --j)
        w.mass[std::size_t(j - 1 - lo)] =
            w.mass[std::size_t(j - lo)] * double(j) / double(n - j + 1) / odds;
    return w;
}

Window convolve(const Window& a, const Window& b)
{
    Window sum{a.offset + b.offset, std::vector<double>(a.mass.size() + b.mass.size() - 1, 0.0)};
    for (std::size_t i = 0; i < a.mass.size(); ++i)
        for (std::size_t j = 0; j < b.mass.size(); ++j)
            sum.mass[i + j] += a.mass[i] * b.mass[j];
    return sum;
}

} // namespace

Distribution::Distribution(const QList<int>& readingsBySize, int deckSize)
{
    Window total{0, {1.0}};
    for (qsizetype size = 1; size < readingsBySize.size() && deckSize > 0; ++size)
        if (readingsBySize.at(size) > 0)
            total = convolve(total, binomial(readingsBySize.at(size),
                                             std::min(1.0, double(size) / double(deckSize))));
    m_offset = total.offset;
    m_tail.assign(total.mass.size(), 0.0);
    double sum = 0;
    for (std::size_t i = total.mass.size(); i-- > 0;) {
        sum += total.mass[i];
        m_tail[i] = std::min(sum, 1.0);
    }
}

double Distribution::upperTail(qint64 k) const
{
    if (k <= m_offset)
        return 1;
    if (k - m_offset >= qint64(m_tail.size()))
        return 0;
    return m_tail[std::size_t(k - m_offset)];
}

bool clearlyAboveChance(qint64 appearances, const Distribution& chance, int deckSize)
{
    return deckSize > 0 && appearances >= minimumAppearances &&
           chance.upperTail(appearances) < familyLevel / double(deckSize);
}

} // namespace Chance
