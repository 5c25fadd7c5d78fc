#include "framework/gui/timer.h"

#include <QTimer>
#include <algorithm>

#include "framework/gui/application.h"
#include "framework/runtime/delegate.h"
#include "framework/runtime/exceptions.h"

namespace zefa {
namespace {
Object* MakeTimer(const ClassRecord& cls) { return new Timer(cls); }
Timer& Tm(Object& o) { return CheckedAs<Timer>(o); }
}  // namespace

const ClassRecord& Timer::Class() {
  static constexpr EventRow kEvents[] = {ZEFA_EVENT(Action)};
  static_assert(InEventOrder(kEvents, 0, kEventCount));
  static ClassOnce once;
  return BuildClassOnce(once, "Timer", nullptr, [](ClassRecord& rec) {
    rec.factory = MakeTimer;
    rec.AddOperation("Constructor", "()", [](Object* self, Args) -> Value {
      if (!self) RaiseNilObjectException();
      return {};
    });
    rec.AddEvents(kEvents);
    rec.properties = {
        {"RunMode", PropType::Enum8, [](Object& o, const Value& v) { Tm(o).SetRunMode(v.Integer()); }},
        {"Period", PropType::Integer, [](Object& o, const Value& v) { Tm(o).SetPeriod(v.Integer()); }},
    };
    rec.AddTableToMethodList();
  });
}

struct Timer::Clock : QTimer {};

Timer::Timer(const ClassRecord& cls) : Object(cls), timer_(std::make_unique<Clock>()) {
  // Qt's default timer may fire up to 5 % early or late; ours keep their period.
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
    Ref<Object> keep(this);  // the handler may drop the last other reference
    if (mode_ == kSingle) timer_->stop();
    DeliverFromToolkit([&] { RaiseEvent(*this, kAction); });
  });
}

Timer::~Timer() = default;

void Timer::SetRunMode(int64_t mode) {
  if (mode < kOff || mode > kMultiple) Raise<UnsupportedFormatException>("timer run mode " + std::to_string(mode));
  mode_ = mode;
  Restart();
}

void Timer::SetPeriod(int64_t ms) {
  period_ = std::clamp<int64_t>(ms, 1, 24LL * 3600 * 1000);
  Restart();
}

bool Timer::IsCounting() const { return timer_->isActive(); }

void Timer::Restart() {
  timer_->stop();
  if (mode_ == kOff) return;
  timer_->setSingleShot(mode_ == kSingle);
  timer_->start(static_cast<int>(period_));
}

}  // namespace zefa
