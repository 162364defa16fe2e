#include "types/KVtypes.h"

#include <gtest/gtest.h>

TEST(Coord, RoundsHalvesToEven)
{
    EXPECT_EQ(Coord(0.125), 12);
    EXPECT_EQ(Coord(0.375), 38);
    EXPECT_EQ(Coord(-1.5), -150);
}
