// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_services.h"

#include <unistd.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "last_frame.h"
#include "score_table.h"
#include "window_texts.h"

namespace crestaverde {
namespace {

QMessageBox::Icon iconOf(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Critical:
            return QMessageBox::Critical;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtTimer::QtTimer(std::function<void()> onTick) {
    timer_.setTimerType(Qt::PreciseTimer);
    // After a shortened first tick, the whole interval again.
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (timer_.interval() != interval_) timer_.start(interval_);
    });
    QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
}

void QtTimer::start(int intervalMs) {
    startAfter(intervalMs, intervalMs);
}

// Interval 0 means no ticks at all, where a bare QTimer would tick as fast as it can.
void QtTimer::startAfter(int firstMs, int intervalMs) {
    interval_ = intervalMs;
    active_ = true;
    if (intervalMs > 0) {
        timer_.start(std::clamp(firstMs, 0, intervalMs));
    } else {
        timer_.stop();
    }
}

void QtTimer::stop() {
    active_ = false;
    timer_.stop();
}

QtServices::QtServices(const std::function<void(TimerId)>& onTick) {
    for (const TimerId id : {TimerId::Clock, TimerId::Banner}) {
        timers_[static_cast<std::size_t>(id)] =
            std::make_unique<QtTimer>([onTick, id] { onTick(id); });
    }
}

void QtServices::post(std::function<void()> callback) {
    // Whatever a posted call changes is drawn at once, like a timer's tick.
    QMetaObject::invokeMethod(
        &postTarget_,
        [this, callback = std::move(callback)] {
            callback();
            if (host_ != nullptr) host_->refreshBoard();
        },
        Qt::QueuedConnection);
}

std::int64_t QtServices::timeOfDayMicros() const {
    using namespace std::chrono;
    const auto now = system_clock::now().time_since_epoch();
    return duration_cast<microseconds>(now % days(1)).count();
}

void QtServices::endProcessNow() {
    endProcessWith(0);
}

void QtServices::endProcessWith(int status) {
    std::fflush(nullptr);
    ::_exit(status);
}

void QtServices::showMessage(std::string_view text, BoxIcon icon, std::string_view title) {
    host_->refreshBoard();
    MessageBoxClosingAfterLastFrame box(iconOf(icon), texts::qText(title), texts::qText(text),
                                        host_->boxParent());
    QPushButton* ok = box.addButton(texts::kAccept, QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

bool QtServices::showQuestion(std::string_view text, std::string_view title) {
    host_->refreshBoard();
    MessageBoxClosingAfterLastFrame box(QMessageBox::Question, texts::qText(title),
                                        texts::qText(text), host_->boxParent());
    QPushButton* yes = box.addButton(texts::kYes, QMessageBox::YesRole);
    QPushButton* no = box.addButton(texts::kNo, QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.chosen() == yes;
}

std::string QtServices::showTextBox(std::string_view prompt, std::string_view title,
                                    std::string_view prefilled, int maxLength) {
    host_->refreshBoard();
    ClosesAfterLastFrame<QInputDialog> dialog(host_->boxParent());
    dialog.setWindowTitle(texts::qText(title));
    dialog.setLabelText(texts::qText(prompt));
    dialog.setTextValue(texts::qText(prefilled));
    if (auto* field = dialog.findChild<QLineEdit*>()) field->setMaxLength(maxLength);
    dialog.setOkButtonText(texts::kAccept);
    dialog.setCancelButtonText(texts::kCancel);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

}  // namespace crestaverde
