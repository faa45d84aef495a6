// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Closing a window only once its last frame has been delivered.
//
// Qt 6.4's Wayland client frees a window's pending frame callback when the window hides, while its
// frame thread may be delivering that same callback: the callback is freed twice and the program
// aborts, or the thread writes into the freed window. Under Mutter it happened when a banner's box
// closed. A window that closes through here stops drawing first, so that no new frame is asked
// for, and hides only after Qt has handed its last frame over to the event thread.

#include <QDialog>
#include <QMessageBox>
#include <functional>

class QAbstractButton;
class QWidget;

namespace crestaverde {

// Whether hiding a window races with its frames here: only on Wayland.
enum class FrameWait { Needed, NotNeeded };
[[nodiscard]] FrameWait frameWaitHere();

// Runs close at once, or after the window's last frame when the wait is needed. Until then what
// the player does in the window goes nowhere, and a second request is dropped: the first one
// closes.
void closeAfterLastFrame(QWidget& window, std::function<void()> close,
                         FrameWait wait = frameWaitHere());

// A dialog that closes after its last frame, whichever way it is closed.
template <class Dialog>
class ClosesAfterLastFrame : public Dialog {
  public:
    using Dialog::Dialog;
    void done(int result) override {
        closeAfterLastFrame(*this, [this, result] { Dialog::done(result); });
    }
};

// A message box that closes after its last frame. Qt's box hides itself the moment one of its
// buttons is clicked, with no done() on the way, so this box takes its buttons' clicks over.
class MessageBoxClosingAfterLastFrame : public ClosesAfterLastFrame<QMessageBox> {
  public:
    MessageBoxClosingAfterLastFrame(Icon icon, const QString& title, const QString& text,
                                    QWidget* parent);
    // The button the player chose; null when the box closed some other way (its close box).
    [[nodiscard]] QAbstractButton* chosen() const { return chosen_; }

  private:
    QAbstractButton* chosen_ = nullptr;
};

}  // namespace crestaverde
