// SPDX-License-Identifier: GPL-3.0-or-later
#include "sight_watch.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <utility>

#include "design.h"

namespace crestaverde {

SightWatch::SightWatch(QWidget& window, Sight::Platform platform, std::function<void(bool)> changed)
    : window_(window), platform_(platform), sight_(platform), changed_(std::move(changed)) {
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
        case QEvent::Expose: {
            const bool exposed = window_.windowHandle()->isExposed();
            sight_.exposedChanged(exposed);
            if (exposed && whenExposed_) std::exchange(whenExposed_, nullptr)();
            // A frame answered late: Qt drops the update it was asked for then.
            if (exposed) probe();
            break;
        }
        case QEvent::FocusIn:
            probing_.invalidate();
            sight_.focusChanged(true);
            break;
        case QEvent::FocusOut:
            sight_.focusChanged(false);
            if (platform_ == Sight::Platform::Wayland) {
                probing_.start();
                window_.windowHandle()->requestUpdate();
            }
            break;
        case QEvent::UpdateRequest:
            probe();
            return false;
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

// A Wayland client learns that the compositor no longer presents it only when a frame it drew
// goes unanswered for a while (Qt then reports it unexposed), and draws nothing while nothing
// changes. A compositor that minimises the board takes the focus first, then presents it through
// its animation: for a moment after the focus goes, the board draws a pixel on every frame
// presented, so that the first frame withheld tells.
void SightWatch::probe() {
    QWindow* native = window_.windowHandle();
    if (!probing_.isValid() || probing_.hasExpired(design::kSightProbeMs) || !native->isExposed()) {
        probing_.invalidate();
        return;
    }
    window_.repaint(0, 0, 1, 1);
    native->requestUpdate();
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
