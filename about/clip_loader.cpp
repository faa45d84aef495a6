#include "clip_loader.h"

#include <QtConcurrent/QtConcurrentRun>
#include <memory>

namespace crestaverde {
namespace {

using Pixels = std::vector<std::uint32_t>;

void freePixels(void* pixels) {
    delete static_cast<Pixels*>(pixels);
}

// The image owns the frame's buffer from here on and frees it when its last copy goes.
QImage imageTakingOver(ClipFrame& frame) {
    auto pixels = std::make_unique<Pixels>(std::move(frame.pixels));
    const auto* bits = reinterpret_cast<const uchar*>(pixels->data());
    QImage image(bits, frame.width, frame.height,
                 qsizetype{frame.width} * qsizetype{sizeof(std::uint32_t)}, QImage::Format_RGB32,
                 &freePixels, pixels.get());
    if (!image.isNull()) (void)pixels.release();
    return image;
}

}  // namespace

std::variant<ClipImages, std::string> clipImages(DecodedClip decoded) {
    if (auto* error = std::get_if<std::string>(&decoded)) return std::move(*error);
    Clip& clip = std::get<Clip>(decoded);
    ClipImages images;
    images.frameMilliseconds = clip.frameMilliseconds;
    images.frames.reserve(clip.frames.size());
    for (ClipFrame& frame : clip.frames) images.frames.push_back(imageTakingOver(frame));
    return images;
}

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
        return clipImages(decode(path, limits));
    }));
}

}  // namespace crestaverde
