#pragma once
// Decodes a clip away from the window's thread and hands the frames back on it, so that a window
// showing a clip never waits for the decoder. Destroying the loader drops a clip still being
// decoded and asks the decoder to stop.

#include <QFutureWatcher>
#include <QImage>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "clip_decoder.h"

namespace crestaverde {

struct ClipImages {
    std::vector<QImage> frames;
    int frameMilliseconds = 0;
};

// The decoded frames as images that take over their pixels, so that no frame is ever held twice.
[[nodiscard]] std::variant<ClipImages, std::string> clipImages(DecodedClip decoded);

class ClipLoader {
  public:
    using Decoded = std::variant<ClipImages, std::string>;  // the frames or what went wrong
    using Decode = std::function<DecodedClip(const std::string& path, const ClipLimits& limits)>;

    explicit ClipLoader(Decode decode) : decode_(std::move(decode)) {}
    ClipLoader(const ClipLoader&) = delete;
    ClipLoader& operator=(const ClipLoader&) = delete;
    ~ClipLoader();

    // done runs on the calling thread's event loop once the clip is decoded.
    void start(const std::string& path, std::function<void(Decoded)> done);

  private:
    Decode decode_;
    std::shared_ptr<std::atomic<bool>> cancelled_ = std::make_shared<std::atomic<bool>>(false);
    QFutureWatcher<Decoded> watcher_;
};

}  // namespace crestaverde
