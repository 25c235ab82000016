#pragma once
// The store's repaint notices, passed on to the object the main window
// provides once its windows exist. Before that (loading at start-up) there
// is nothing on screen to repaint, and the notices are dropped.

#include "store/Platform.h"

namespace platform {

class ForwardingRepaintNotices : public store::RepaintNotices {
 public:
  // `target` may be null; it must outlive this object or be cleared first.
  void SetTarget(store::RepaintNotices* target) { target_ = target; }
  store::RepaintNotices* Target() const { return target_; }

  void DayChanged(int year, int month, int day) override {
    if (target_ != nullptr) target_->DayChanged(year, month, day);
  }
  void MonthChanged(int year, int month) override {
    if (target_ != nullptr) target_->MonthChanged(year, month);
  }
  void ViewsChanged() override {
    if (target_ != nullptr) target_->ViewsChanged();
  }

 private:
  store::RepaintNotices* target_ = nullptr;
};

}  // namespace platform
