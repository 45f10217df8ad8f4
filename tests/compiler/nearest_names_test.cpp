#include "varko/compiler/nearest_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using varko::compiler::BoundedEditDistance;
using varko::compiler::NearestNames;
using Names = std::vector<std::string>;

namespace {

TEST(NearestNamesTest, Offers) {
    const struct {
        const char* name;
        std::string typed;
        Names candidates;
        std::size_t max;
        Names offered;
    } cases[] = {
        {"one typo; two edits still count",
         "maxHelth",
         {"maxAmmo", "maxHealths", "maxHealth"},
         5,
         {"maxHealth", "maxHealths"}},
        {"case ignored, the name itself left out",
         "TANK.ODF",
         {"tank.odf", "Tonk.odf", "tanks.odf"},
         5,
         {"tanks.odf", "Tonk.odf"}},
        {"ties ordered by name ignoring case",
         "cannon",
         {"Cannons", "cannin", "bannon"},
         5,
         {"bannon", "cannin", "Cannons"}},
        {"nearest first", "factory", {"factroy", "factory1", "factor"}, 5, {"factor", "factory1", "factroy"}},
        {"a third of a long name", "abcdefghijkl", {"abcdefgVWXYZ", "abcdefghWXYZ"}, 5, {"abcdefghWXYZ"}},
        {"two edits for a short name", "ab", {"xyz", "xy", "b"}, 5, {"b", "xy"}},
        {"length alone rules a name out", "a", {"abcd"}, 5, {}},
        {"length gap at the limit", "abc", {"abcde"}, 5, {"abcde"}},
        {"at most max", "cat", {"cut", "bat", "cot", "hat"}, 2, {"bat", "cot"}},
        {"max of zero", "cat", {"cut"}, 0, {}},
        {"names differing in case offered once", "tank", {"Tanks", "TANKS", "tanks"}, 5, {"Tanks"}},
        {"no candidates", "tank", {}, 5, {}},
        {"an empty name", "", {"a", "abc", ""}, 5, {"a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestNames(c.typed, c.candidates, c.max), c.offered) << c.name;
}

TEST(NearestNamesTest, DefaultIsFive) {
    Names candidates;
    for (char c = 'a'; c <= 'z'; ++c)
        candidates.push_back(std::string("tan") + c);
    EXPECT_EQ(NearestNames("tank", candidates), (Names{"tana", "tanb", "tanc", "tand", "tane"}));
}

TEST(BoundedEditDistanceTest, KnownPairs) {
    const struct {
        const char* a;
        const char* b;
        std::size_t limit;
        std::size_t distance;
    } cases[] = {
        {"kitten", "sitting", 5, 3}, {"kitten", "sitting", 2, 3}, {"", "abc", 5, 3}, {"FLAW", "lawn", 5, 2},
        {"same", "SAME", 0, 0},      {"ab", "ba", 5, 2},          {"abc", "", 1, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BoundedEditDistance(c.a, c.b, c.limit), c.distance) << c.a << " / " << c.b;
}

std::size_t FullDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j)
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
    }
    return d[a.size()][b.size()];
}

// The band and the early stop must never change a distance within the limit.
TEST(BoundedEditDistanceTest, AgreesWithTheFullTable) {
    std::mt19937 random(7);
    auto word = [&] {
        std::string w(random() % 9, 'a');
        for (char& c : w)
            c = "abcAB"[random() % 5];
        return w;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string a = word();
        const std::string b = word();
        const std::size_t limit = random() % 5;
        std::string lowerA = a, lowerB = b;
        for (std::string* s : {&lowerA, &lowerB})
            std::transform(s->begin(), s->end(), s->begin(), [](char c) {
                return c == 'A' ? 'a' : c == 'B' ? 'b' : c;
            });
        ASSERT_EQ(BoundedEditDistance(a, b, limit), std::min(FullDistance(lowerA, lowerB), limit + 1))
            << a << " / " << b << " limit " << limit;
    }
}

} // namespace
