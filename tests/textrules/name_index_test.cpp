#include "varko/textrules/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using varko::textrules::NameIndex;

namespace {

TEST(NameIndex, FindsTheFirstPositionIgnoringCase) {
    const std::vector<std::string> names{"maxHealth", "MAXHEALTH", "weaponName?", "", "a", "A\xC1", "longer name here"};
    NameIndex index;
    std::vector<bool> added;
    for (std::size_t i = 0; i < names.size(); ++i)
        added.push_back(index.Insert(names[i], i));
    EXPECT_EQ(added, (std::vector<bool>{true, false, true, true, true, true, true}));
    EXPECT_EQ(index.size(), 6u);
    const struct {
        const char* name;
        std::size_t position;
    } rows[] = {{"maxhealth", 0},          {"WEAPONNAME?", 2}, {"", 3},
                {"A", 4},                  {"a\xC1", 5},       {"a\xE1", NameIndex::npos},
                {"LONGER NAME HERE", 6},   {"maxHealth ", NameIndex::npos}, {"weaponName", NameIndex::npos}};
    for (const auto& row : rows)
        EXPECT_EQ(index.Find(row.name), row.position) << row.name;
}

// The table grows past its first size, and a moved index still finds the names of a moved list.
TEST(NameIndex, GrowsAndMoves) {
    std::vector<std::string> names;
    for (int i = 0; i < 1000; ++i)
        names.push_back("Name" + std::to_string(i) + "_with_a_long_tail");
    NameIndex index(4);
    for (std::size_t i = 0; i < names.size(); ++i)
        ASSERT_TRUE(index.Insert(names[i], i));
    const std::vector<std::string> kept = std::move(names);
    const NameIndex moved = std::move(index);
    for (std::size_t i = 0; i < kept.size(); i += 37)
        EXPECT_EQ(moved.Find("NAME" + std::to_string(i) + "_WITH_A_LONG_TAIL"), i);
    EXPECT_EQ(moved.Find("Name1000_with_a_long_tail"), NameIndex::npos);
}

} // namespace
