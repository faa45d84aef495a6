// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A player's script for the real windows under Qt Test: answers boxes and acts on conditions.

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

namespace crestaverde::testing {

// How long a wait on work done aside (a worker thread, a queued box) may take on a busy machine
// before it counts as a hang.
inline constexpr int kHangMs = 60000;

// Plays the program from a script, the way a player would: each step waits until it can act
// (a new box is up, or a condition holds), then acts. A timer drives the script, so it keeps
// going inside however many modal loops the program opens; actions are queued for the same
// reason. Every box that appears is recorded.
class PlayerScript {
  public:
    using Answer = std::function<void(QDialog*)>;

    PlayerScript() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }
    // The next box that appears gets this answer.
    PlayerScript& box(Answer answer) { return add({std::move(answer), {}, {}}); }
    // Once ready() holds, act() runs (queued, outside the script's own tick).
    PlayerScript& when(std::function<bool()> ready, std::function<void()> act) {
        return add({{}, std::move(ready), std::move(act)});
    }
    [[nodiscard]] bool done() const { return steps_.empty(); }
    // "title | text | icon | buttons" for each message box, "title | label | [text]" for a field.
    [[nodiscard]] const QStringList& seen() const { return seen_; }

    static Answer click(const QString& text) {
        return [text](QDialog* box) {
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
                if (button->text() == text)
                    QMetaObject::invokeMethod(button, &QAbstractButton::click,
                                              Qt::QueuedConnection);
            }
        };
    }
    static Answer key(Qt::Key key) {
        return [key](QDialog* box) {
            QTimer::singleShot(0, box, [box, key] { QTest::keyClick(box, key); });
        };
    }
    // Types into the box's field one key event at a time (QTest::keyClicks refuses characters
    // such as á or ñ), then accepts the box or presses Esc.
    static Answer type(const QString& text, bool accept) {
        return [text, accept](QDialog* box) {
            auto* field = box->findChild<QLineEdit*>();
            field->clear();
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
            }
            if (!accept) return key(Qt::Key_Escape)(box);
            QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
        };
    }

  private:
    struct Step {
        Answer answer;  // set for a box step
        std::function<bool()> ready;
        std::function<void()> act;
    };
    PlayerScript& add(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }

    // Records a message or input box that is up and has not been seen yet, and keeps it for the
    // next box step.
    void record() {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* message = qobject_cast<QMessageBox*>(box);
        auto* input = qobject_cast<QInputDialog*>(box);
        if ((message == nullptr && input == nullptr) || box == lastBox_ || !box->isVisible())
            return;
        lastBox_ = unanswered_ = box;
        QStringList seen{box->windowTitle()};
        if (input != nullptr) {
            seen << input->labelText() << '[' + input->textValue() + ']';
        } else {
            QStringList buttons;
            for (QAbstractButton* button : message->buttons()) buttons << button->text();
            seen << message->text()
                 << QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(message->icon())
                 << buttons.join(", ");
        }
        seen_ << seen.join(" | ");
    }

    void poll() {
        record();
        if (steps_.empty()) return;
        Step& step = steps_.front();
        if (step.answer) {
            if (unanswered_.isNull() || !unanswered_->isVisible()) return;
            const Answer answer = std::move(step.answer);
            steps_.pop_front();
            answer(std::exchange(unanswered_, nullptr));
        } else if (step.ready()) {
            QTimer::singleShot(0, std::move(step.act));
            steps_.pop_front();
        }
    }

    QTimer timer_;
    std::deque<Step> steps_;
    QStringList seen_;
    QPointer<QDialog> lastBox_;
    QPointer<QDialog> unanswered_;
};

}  // namespace crestaverde::testing
