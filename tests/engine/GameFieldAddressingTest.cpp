#include "engine/CGameField.h"

#include <gtest/gtest.h>

#include <set>

TEST(GameFieldAddressing, IndexPositionAndBoxPlacesAreRowMajorAndOneBased) {
    EXPECT_EQ(CGameField::IndexOf({1, 1}), 0u);
    EXPECT_EQ(CGameField::IndexOf({9, 1}), 8u);
    EXPECT_EQ(CGameField::IndexOf({1, 2}), 9u);
    EXPECT_EQ(CGameField::IndexOf({4, 7}), 57u);
    EXPECT_EQ(CGameField::IndexOf({9, 9}), 80u);
    EXPECT_EQ(CGameField::PosOf(0), (CellPos{1, 1}));
    EXPECT_EQ(CGameField::PosOf(57), (CellPos{4, 7}));
    EXPECT_EQ(CGameField::PosOf(80), (CellPos{9, 9}));
    for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
        EXPECT_EQ(CGameField::IndexOf(CGameField::PosOf(i)), i);
    }
    // Box places are row-major inside the box.
    EXPECT_EQ(CGameField::IndexInBox(1, 1), 0u);
    EXPECT_EQ(CGameField::IndexInBox(1, 4), 9u);
    EXPECT_EQ(CGameField::IndexInBox(2, 3), 5u);
    EXPECT_EQ(CGameField::IndexInBox(6, 1), CGameField::IndexOf({7, 4}));
    EXPECT_EQ(CGameField::IndexInBox(8, 5), CGameField::IndexOf({5, 8}));
    EXPECT_EQ(CGameField::IndexInBox(9, 9), 80u);
    // Every box covers nine distinct cells, all of which report that box:
    // with the places above this pins the row-major box numbering.
    std::set<std::size_t> all;
    for (std::uint32_t box = 1; box <= 9; ++box) {
        for (std::uint32_t place = 1; place <= 9; ++place) {
            const std::size_t index = CGameField::IndexInBox(box, place);
            EXPECT_EQ(CGameField::BoxOf(CGameField::PosOf(index)), box);
            all.insert(index);
        }
    }
    EXPECT_EQ(all.size(), 81u);
}

TEST(GameFieldAddressing, RegionMembershipAndPositionValidity) {
    EXPECT_TRUE(CGameField::InRegion({ConflictRegion::Row, 5}, {1, 5}));
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::Row, 5}, {5, 4}));
    EXPECT_TRUE(CGameField::InRegion({ConflictRegion::Column, 2}, {2, 9}));
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::Column, 2}, {3, 2}));
    EXPECT_TRUE(CGameField::InRegion({ConflictRegion::Box, 9}, {7, 7}));
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::Box, 9}, {6, 7}));
    // A hidden region (number 0) and kind 0 contain nothing.
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::Row, 0}, {1, 1}));
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::None, 1}, {1, 1}));
    EXPECT_FALSE(CGameField::InRegion({ConflictRegion::Row, 1}, {0, 0}));
    // Columns and rows run from 1 to 9.
    EXPECT_TRUE((CellPos{1, 9}).IsValid());
    EXPECT_FALSE((CellPos{0, 0}).IsValid());
    EXPECT_FALSE((CellPos{10, 1}).IsValid());
    EXPECT_FALSE((CellPos{1, 0}).IsValid());
    EXPECT_FALSE((CellPos{1, 10}).IsValid());
}
