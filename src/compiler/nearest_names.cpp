#include "varko/compiler/nearest_names.h"

#include "varko/textrules/text_rules.h"

#include <algorithm>

namespace varko::compiler {

namespace {

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t Gap(std::size_t a, std::size_t b) {
    return a > b ? a - b : b - a;
}

// Levenshtein distance over a band of 2 * limit + 1 cells around the diagonal: a cell outside the
// band is over the limit anyway. `a` is folded already; `b` is folded byte by byte. The rows are
// kept between calls, so a search over many candidates allocates only once.
class BandedDistance {
public:
    std::size_t operator()(std::string_view a, std::string_view b, std::size_t limit) {
        const std::size_t over = limit + 1;
        if (Gap(a.size(), b.size()) > limit)
            return over;
        m_prev.assign(a.size() + 2, over);
        m_cur.assign(a.size() + 2, over);
        for (std::size_t j = 0; j <= std::min(a.size(), limit); ++j)
            m_prev[j] = j;
        for (std::size_t i = 1; i <= b.size(); ++i) {
            if (!Row(a, Fold(b[i - 1]), i, limit))
                return over;
            std::swap(m_prev, m_cur);
        }
        return std::min(m_prev[a.size()], over);
    }

private:
    // Fills row i; false when every cell of the band is over the limit, so no later row can recover.
    bool Row(std::string_view a, char bi, std::size_t i, std::size_t limit) {
        const std::size_t over = limit + 1;
        const std::size_t lo = i > limit ? i - limit : 1;
        const std::size_t hi = std::min(a.size(), i + limit);
        m_cur[lo - 1] = lo == 1 ? std::min(i, over) : over;
        std::size_t rowMin = m_cur[lo - 1];
        for (std::size_t j = lo; j <= hi; ++j) {
            const std::size_t replace = m_prev[j - 1] + (a[j - 1] == bi ? 0 : 1);
            const std::size_t cell = std::min({replace, m_prev[j] + 1, m_cur[j - 1] + 1, over});
            m_cur[j] = cell;
            rowMin = std::min(rowMin, cell);
        }
        return rowMin <= limit;
    }

    std::vector<std::size_t> m_prev;
    std::vector<std::size_t> m_cur;
};

struct Match {
    std::size_t distance;
    const std::string* name;
};

bool Before(const Match& a, const Match& b) {
    if (a.distance != b.distance)
        return a.distance < b.distance;
    const std::string folded = textrules::FoldCase(*a.name);
    const std::string otherFolded = textrules::FoldCase(*b.name);
    return folded != otherFolded ? folded < otherFolded : *a.name < *b.name;
}

// Keeps the best `max` matches in order; a candidate that only differs in case from one kept is dropped.
void Keep(std::vector<Match>& best, const Match& match, std::size_t max) {
    for (const Match& kept : best) {
        if (textrules::SameText(*kept.name, *match.name))
            return;
    }
    best.insert(std::upper_bound(best.begin(), best.end(), match, Before), match);
    if (best.size() > max)
        best.pop_back();
}

} // namespace

std::size_t BoundedEditDistance(std::string_view a, std::string_view b, std::size_t limit) {
    return BandedDistance{}(textrules::FoldCase(a), b, limit);
}

std::vector<std::string> NearestNames(std::string_view name, const std::vector<std::string>& candidates,
                                      std::size_t max) {
    std::vector<Match> best;
    if (max == 0)
        return {};
    const std::string folded = textrules::FoldCase(name);
    const std::size_t threshold = std::max<std::size_t>(2, name.size() / 3);
    BandedDistance distance;
    for (const std::string& candidate : candidates) {
        // Once the list is full, only a candidate as near as the last kept one can still enter.
        const std::size_t limit = best.size() == max ? best.back().distance : threshold;
        const std::size_t d = distance(folded, candidate, limit);
        if (d != 0 && d <= limit)
            Keep(best, {d, &candidate}, max);
    }
    std::vector<std::string> names;
    for (const Match& match : best)
        names.push_back(*match.name);
    return names;
}

} // namespace varko::compiler
