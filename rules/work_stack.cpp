#include "rules/work_stack.h"

namespace kelvorn {

void WorkStack::push(std::int16_t op, std::int16_t arg1, std::int16_t arg2) {
  if (count_ < 0) count_ = 0;
  ++count_;
  if (static_cast<std::size_t>(count_) >= entries_.size()) entries_.resize(count_ + 1);
  entries_[static_cast<std::size_t>(count_)] = WorkStep{op, arg1, arg2};
}

WorkStep WorkStack::at(int index) const {
  if (index < 1 || static_cast<std::size_t>(index) >= entries_.size()) return {};
  return entries_[static_cast<std::size_t>(index)];
}

}  // namespace kelvorn
