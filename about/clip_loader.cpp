#include "clip_loader.h"

#include <QtConcurrent/QtConcurrentRun>

namespace crestaverde {
namespace {

ClipLoader::Decoded toImages(DecodedClip decoded) {
    if (auto* error = std::get_if<std::string>(&decoded)) return std::move(*error);
    const Clip& clip = std::get<Clip>(decoded);
    ClipImages images;
    images.frameMilliseconds = clip.frameMilliseconds;
    for (const ClipFrame& frame : clip.frames) {
        const QImage image(frame.rgba.data(), frame.width, frame.height, qsizetype{frame.width} * 4,
                           QImage::Format_RGBA8888);
        images.frames.push_back(image.copy());
    }
    return images;
}

}  // namespace

ClipLoader::~ClipLoader() {
    cancelled_->store(true);
    watcher_.disconnect();
}

void ClipLoader::start(const std::string& path, std::function<void(Decoded)> done) {
    QObject::connect(&watcher_, &QFutureWatcher<Decoded>::finished, &watcher_,
                     [this, done = std::move(done)] { done(watcher_.result()); });
    // The task owns copies of all it uses, so it may outlive the loader.
    watcher_.setFuture(QtConcurrent::run([decode = decode_, path, cancelled = cancelled_] {
        ClipLimits limits;
        limits.cancelled = cancelled.get();
        return toImages(decode(path, limits));
    }));
}

}  // namespace crestaverde
