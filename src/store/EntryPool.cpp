#include "store/EntryPool.h"

#include <algorithm>

namespace store {

void* EntryPool::Take() {
  if (free_ != nullptr) {
    Room* room = free_;
    free_ = room->nextFree;
    --freeCount_;
    return room;
  }
  if (next_ == end_) NextBlock();
  return next_++;
}

void EntryPool::Give(void* room) {
  Room* r = static_cast<Room*>(room);
  r->nextFree = free_;
  free_ = r;
  ++freeCount_;
}

void EntryPool::Reserve(std::size_t count) {
  std::size_t ready = freeCount_ + static_cast<std::size_t>(end_ - next_);
  for (std::size_t b = opened_; b < blocks_.size(); ++b) ready += blocks_[b].size;
  while (ready < count) {
    const std::size_t rooms = std::min(count - ready, kLargestBlock);
    AddBlock(rooms);
    ready += rooms;
  }
}

void EntryPool::AddBlock(std::size_t rooms) {
  // Left uninitialised: each room is constructed when taken.
  blocks_.push_back(Block{std::unique_ptr<Room[]>(new Room[rooms]), rooms});
}

void EntryPool::NextBlock() {
  if (opened_ == blocks_.size()) AddBlock(kSmallBlock);
  const Block& block = blocks_[opened_++];
  next_ = block.rooms.get();
  end_ = next_ + block.size;
}

}  // namespace store
