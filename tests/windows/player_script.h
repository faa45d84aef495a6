#pragma once
// Plays the program from a script, the way a player would: each step waits until it can act
// (a new box is up, or a condition holds), then acts. A timer drives the script, so it keeps
// going inside however many modal loops the program opens; actions are queued for the same
// reason. Every box that appears is recorded.

#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace crestaverde::testing {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool input = false;
    QString prefilled;
};

class PlayerScript {
  public:
    using BoxAnswer = std::function<void(QDialog*)>;

    PlayerScript();
    // The next box that appears gets this answer.
    PlayerScript& box(BoxAnswer answer);
    // Once ready() holds, act() runs (queued, outside the script's own tick).
    PlayerScript& when(std::function<bool()> ready, std::function<void()> act);

    [[nodiscard]] bool done() const { return steps_.empty(); }
    [[nodiscard]] const std::vector<SeenBox>& seen() const { return seen_; }

    static BoxAnswer clickButton(const QString& text);
    static BoxAnswer typeAndAccept(const QString& text);
    static BoxAnswer typeAndCancel(const QString& text);
    static BoxAnswer pressKey(Qt::Key key);

  private:
    struct Step {
        BoxAnswer answer;  // set for a box step
        std::function<bool()> ready;
        std::function<void()> act;
    };
    void poll();
    QDialog* newBox();

    QTimer timer_;
    std::deque<Step> steps_;
    std::vector<SeenBox> seen_;
    QPointer<QDialog> lastBox_;
    QPointer<QDialog> unanswered_;
};

}  // namespace crestaverde::testing
