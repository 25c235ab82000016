// Internal to the appointment book: the memory of its entries, taken from
// blocks of many entries. Loading a large data file then makes a few
// allocations instead of one per entry (on the Windows heap that one
// allocation cost about as much as the rest of an entry's load), and the
// entries of a file lie side by side in memory, in file order, for the
// passes that follow (sort, arming).
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "store/Appointment.h"

namespace store {

class EntryPool {
 public:
  EntryPool() = default;
  EntryPool(const EntryPool&) = delete;
  EntryPool& operator=(const EntryPool&) = delete;

  // Uninitialised room for one entry: the room of a destroyed entry, or the
  // next one of the blocks.
  void* Take();
  // The room of an entry that has been destroyed, for a later Take.
  void Give(void* room);
  // Makes sure the next `count` Takes need no further allocation.
  void Reserve(std::size_t count);

 private:
  union Room {
    Room* nextFree;
    alignas(An_Appointment) unsigned char bytes[sizeof(An_Appointment)];
  };
  struct Block {
    std::unique_ptr<Room[]> rooms;
    std::size_t size;
  };
  // Blocks stay a few megabytes at most, so that the C library keeps reusing
  // their memory rather than mapping and unmapping each one.
  static constexpr std::size_t kSmallBlock = 256;
  static constexpr std::size_t kLargestBlock = 16384;

  void AddBlock(std::size_t rooms);
  void NextBlock();

  std::vector<Block> blocks_;
  std::size_t opened_ = 0;  // blocks taken from so far; the later ones are untouched
  Room* next_ = nullptr;    // the rooms of the last opened block not taken yet
  Room* end_ = nullptr;
  Room* free_ = nullptr;  // destroyed entries' rooms, linked through nextFree
  std::size_t freeCount_ = 0;
};

}  // namespace store
