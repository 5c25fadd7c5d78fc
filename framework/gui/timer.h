#pragma once
#include <memory>

#include "framework/runtime/class_record.h"

namespace zefa {

// Fires its Action event (event 0) after Period milliseconds: once in RunMode 1, again and
// again in RunMode 2, never in RunMode 0. Setting either property starts the count afresh.
class Timer : public Object {
 public:
  enum Event { kAction, kEventCount };
  enum RunModes { kOff = 0, kSingle = 1, kMultiple = 2 };
  static const ClassRecord& Class();
  explicit Timer(const ClassRecord& cls);
  ~Timer() override;

  void SetRunMode(int64_t mode);
  void SetPeriod(int64_t ms);
  int64_t RunMode() const { return mode_; }
  int64_t Period() const { return period_; }
  bool IsCounting() const;

 private:
  void Restart();
  struct Clock;  // the Qt timer that counts (timer.cpp)
  std::unique_ptr<Clock> timer_;
  int64_t mode_ = kOff;
  int64_t period_ = 1000;
};

}  // namespace zefa
