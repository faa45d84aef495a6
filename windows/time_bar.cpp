// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_bar.h"

#include <QAccessibleWidget>
#include <mutex>

namespace crestaverde {
namespace {

class TimeBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit TimeBarAccessible(TimeBar& bar)
        : QAccessibleWidget(&bar, QAccessible::ProgressBar), bar_(bar) {}

    // Qt drops an event whose object is not valid: this is how the bar's own reports of every
    // new value stay off the bus.
    [[nodiscard]] bool isValid() const override {
        return QAccessibleWidget::isValid() && !bar_.quiet();
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    [[nodiscard]] QVariant currentValue() const override { return bar_.value(); }
    void setCurrentValue(const QVariant& /*value*/) override {}
    [[nodiscard]] QVariant maximumValue() const override { return bar_.maximum(); }
    [[nodiscard]] QVariant minimumValue() const override { return bar_.minimum(); }
    [[nodiscard]] QVariant minimumStepSize() const override { return 0; }

  private:
    TimeBar& bar_;
};

QAccessibleInterface* timeBarFactory(const QString& /*className*/, QObject* object) {
    auto* bar = dynamic_cast<TimeBar*>(object);
    return bar != nullptr ? new TimeBarAccessible(*bar) : nullptr;
}

}  // namespace

TimeBar::TimeBar(QWidget* parent) : QProgressBar(parent) {}

void TimeBar::showTime(int time, bool playing) {
    const bool low = playing && time <= kLowTime && value() > kLowTime;
    quiet_ = true;
    setValue(time);
    quiet_ = false;
    if (!low) return;
    QAccessibleValueChangeEvent event(this, time);
    QAccessible::updateAccessibility(&event);
}

void installTimeBarAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&timeBarFactory); });
}

}  // namespace crestaverde
