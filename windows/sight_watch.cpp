// SPDX-License-Identifier: GPL-3.0-or-later
#include "sight_watch.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace crestaverde {

SightWatch::SightWatch(QWidget& window, Sight::Platform platform, std::function<void(bool)> changed)
    : window_(window), sight_(platform), changed_(std::move(changed)) {
    window_.installEventFilter(this);
    watchNativeWindow();
}

// The native window exists once the window is first shown or given a state.
void SightWatch::watchNativeWindow() {
    QWindow* native = window_.windowHandle();
    if (watchingNative_ || native == nullptr) return;
    watchingNative_ = true;
    native->installEventFilter(this);
    // Emitted as soon as the window asks for it, by the program or by the title bar's button
    // that Qt draws on Wayland, before the compositor has done anything.
    connect(native, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
        if (state != Qt::WindowMinimized) return;
        sight_.minimiseRequested();
        report();
    });
}

bool SightWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        watchNativeWindow();
        if (event->type() == QEvent::WindowStateChange) {
            sight_.minimisedReported(window_.isMinimized());
            report();
        }
        return false;
    }
    switch (event->type()) {
        case QEvent::Expose:
            sight_.exposedChanged(window_.windowHandle()->isExposed());
            if (whenExposed_ && window_.windowHandle()->isExposed()) {
                std::exchange(whenExposed_, nullptr)();
            }
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            sight_.focusChanged(event->type() == QEvent::FocusIn);
            break;
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
            sight_.playerActed();
            break;
        default:
            return false;
    }
    report();
    return false;
}

void SightWatch::whenExposed(std::function<void()> act) {
    if (window_.windowHandle() != nullptr && window_.windowHandle()->isExposed()) {
        whenExposed_ = nullptr;
        act();
    } else {
        whenExposed_ = std::move(act);
    }
}

void SightWatch::report() {
    const bool now = sight_.outOfSight();
    if (now == outOfSight_) return;
    outOfSight_ = now;
    changed_(now);
}

}  // namespace crestaverde
