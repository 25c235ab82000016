// Where the book's entries live: rooms of blocks, handed out in order and
// taken again once given back.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "store/EntryPool.h"

using store::An_Appointment;
using store::EntryPool;

namespace {

// The rooms of `count` Takes, as addresses.
std::vector<const char*> TakeRooms(EntryPool& pool, int count) {
  std::vector<const char*> rooms;
  for (int i = 0; i < count; ++i) rooms.push_back(static_cast<const char*>(pool.Take()));
  return rooms;
}

// How many rooms do not lie right after the one taken before them.
int Breaks(const std::vector<const char*>& rooms) {
  int breaks = 0;
  for (std::size_t i = 1; i < rooms.size(); ++i) {
    if (rooms[i] != rooms[i - 1] + sizeof(An_Appointment)) ++breaks;
  }
  return breaks;
}

}  // namespace

TEST(EntryPoolTest, ReservedRoomsComeSideBySideInTheOrderTaken) {
  struct Case {
    int takenBefore;
    int reserved;
    int mostBreaks;  // where a new block begins
  };
  const Case cases[] = {
      {0, 5000, 0},   // a fresh pool: one block
      {10, 5000, 1},  // the rest of the first small block, then the reserved one
      {256, 300, 0},  // the small block used up: only the reserved one
      {0, 40000, 2},  // blocks of a few megabytes at most
  };
  for (const Case& c : cases) {
    EntryPool pool;
    TakeRooms(pool, c.takenBefore);
    pool.Reserve(static_cast<std::size_t>(c.reserved));
    const std::vector<const char*> rooms = TakeRooms(pool, c.reserved);
    EXPECT_LE(Breaks(rooms), c.mostBreaks) << c.takenBefore << " taken, " << c.reserved;
    // Never the same room twice.
    std::vector<const char*> sorted = rooms;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
  }
}

TEST(EntryPoolTest, AGivenBackRoomIsTakenBeforeAnyNewOne) {
  EntryPool pool;
  const std::vector<const char*> rooms = TakeRooms(pool, 3);
  pool.Give(const_cast<char*>(rooms[1]));
  pool.Give(const_cast<char*>(rooms[0]));
  EXPECT_EQ(pool.Take(), rooms[0]);
  EXPECT_EQ(pool.Take(), rooms[1]);
  EXPECT_EQ(pool.Take(), rooms[2] + sizeof(An_Appointment));
}
