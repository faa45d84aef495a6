// SPDX-License-Identifier: GPL-3.0-or-later
#include "last_frame.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "design.h"

namespace crestaverde {
namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
    }
}

// The window's child from the request on: while it waits, a second request is dropped.
class LastFrameWait : public QObject {
  public:
    LastFrameWait(QWidget& window, QWindow& handle, std::function<void()> close)
        : QObject(&window), window_(window), handle_(&handle), close_(std::move(close)) {
        window.setUpdatesEnabled(false);
        handle.installEventFilter(this);
        // Qt delivers the update once no frame is pending: at once, or when the last one arrives.
        handle.requestUpdate();
        // A compositor that never presents the window again (one that hides it, say) sends no
        // frame; the close does not wait for it forever.
        QTimer::singleShot(design::kLastFrameWaitMs, this, [this] { delivered(); });
    }

    [[nodiscard]] bool waiting() const { return !closed_; }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::UpdateRequest) {
            delivered();
            return true;
        }
        return isInput(event->type());
    }

  private:
    void delivered() {
        if (std::exchange(done_, true)) return;
        if (handle_ != nullptr) {
            // The frame thread may still hold the window's frame lock just after handing the
            // update over; a new request takes that lock, and so waits for the thread to let go.
            handle_->requestUpdate();
            handle_->removeEventFilter(this);
        }
        // Out of the event's delivery, so that a close that runs a loop of its own runs it there.
        QMetaObject::invokeMethod(
            this, [this] { closeNow(); }, Qt::QueuedConnection);
    }

    void closeNow() {
        closed_ = true;
        window_.setUpdatesEnabled(true);
        deleteLater();
        close_();
    }

    QWidget& window_;
    QPointer<QWindow> handle_;
    std::function<void()> close_;
    bool done_ = false;
    bool closed_ = false;
};

}  // namespace

MessageBoxClosingAfterLastFrame::MessageBoxClosingAfterLastFrame(Icon icon, const QString& title,
                                                                 const QString& text,
                                                                 QWidget* parent)
    : ClosesAfterLastFrame(icon, title, text, NoButton, parent) {
    auto* const buttons = findChild<QDialogButtonBox*>();
    QObject::disconnect(buttons, &QDialogButtonBox::clicked, this, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
        if (chosen_ != nullptr) return;
        chosen_ = button;
        done(Accepted);
    });
}

FrameWait frameWaitHere() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
               ? FrameWait::Needed
               : FrameWait::NotNeeded;
}

void closeAfterLastFrame(QWidget& window, std::function<void()> close, FrameWait wait) {
    const auto waitingChild = [](const QObject* child) {
        const auto* wait = dynamic_cast<const LastFrameWait*>(child);
        return wait != nullptr && wait->waiting();
    };
    if (std::ranges::any_of(window.children(), waitingChild)) return;
    QWindow* const handle = window.windowHandle();
    if (wait == FrameWait::NotNeeded || handle == nullptr || !handle->isVisible()) {
        close();
        return;
    }
    new LastFrameWait(window, *handle, std::move(close));
}

}  // namespace crestaverde
