// SPDX-License-Identifier: GPL-3.0-or-later
#include "media_check.h"

#include <sched.h>

#include <QEvent>

#include "media_catalogue.h"

namespace crestaverde {
namespace {

// The report lists the files in the catalogue's order, as the quick check does.
QStringList inCatalogueOrder(const QStringList& names) {
    QStringList ordered;
    for (const QString& name : MediaCatalogue::fileNames()) {
        if (names.contains(name)) ordered << name;
    }
    return ordered;
}

}  // namespace

// Decoding while the windows are built and mapped would only take CPU from them: the worker
// waits till the first window is on the screen.
MediaCheck::MediaCheck(std::filesystem::path folder,
                       std::function<void(const QStringList&)> onUnusable, QWidget* shownFirst)
    : folder_(std::move(folder)), onUnusable_(std::move(onUnusable)) {
    if (shownFirst != nullptr) {
        shownFirst->installEventFilter(&paintWatch_);
    } else {
        QMetaObject::invokeMethod(
            &receiver_, [this] { start(); }, Qt::QueuedConnection);
    }
}

bool MediaCheck::PaintWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // After this paint has reached the screen, not during it.
        QMetaObject::invokeMethod(
            &check_.receiver_, [this] { check_.start(); }, Qt::QueuedConnection);
    }
    return false;
}

MediaCheck::~MediaCheck() = default;

void MediaCheck::start() {
    if (!worker_.joinable()) worker_ = std::jthread([this] { check(); });
}

void MediaCheck::check() {
    const MediaCatalogue media(folder_);
    const QStringList undecodable = media.undecodablePictures();
    {
        const std::lock_guard lock(mutex_);
        undecodable_ = undecodable;
    }
    decoded_.notify_all();
    // Only on a core that nothing else wants: the window system and the player's first moves
    // go first.
    const sched_param idle{};
    ::sched_setscheduler(0, SCHED_IDLE, &idle);
    const QStringList unusable = inCatalogueOrder(undecodable + media.unusableDrawings());
    if (unusable.isEmpty()) return;
    QMetaObject::invokeMethod(
        &receiver_, [this, unusable] { report(unusable); }, Qt::QueuedConnection);
}

void MediaCheck::waitForPictures() {
    start();
    QStringList undecodable;
    {
        std::unique_lock lock(mutex_);
        decoded_.wait(lock, [this] { return undecodable_.has_value(); });
        undecodable = *undecodable_;
    }
    if (!undecodable.isEmpty()) report(undecodable);
}

void MediaCheck::report(const QStringList& unusable) {
    if (!std::exchange(reported_, true)) onUnusable_(unusable);
}

}  // namespace crestaverde
