// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The longer part of the start-up check, out of the player's way: once a given window has been
// painted on the screen, a worker decodes whole every picture the quick check left, then parses
// every drawing whole at idle priority, and the unusable files go to the window thread. A deal
// waits for the pictures (waitForPictures), so that no game starts with a broken one; until a
// drawing is reported it shows as its picture, stretched.

#include <QObject>
#include <QStringList>
#include <QWidget>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace crestaverde {

class MediaCheck {
  public:
    // onUnusable runs on the window thread, once at most, and only if some file is unusable.
    // The worker starts once shownFirst has been painted, or at the event loop's first turn
    // without it.
    MediaCheck(std::filesystem::path folder, std::function<void(const QStringList&)> onUnusable,
               QWidget* shownFirst = nullptr);
    MediaCheck(const MediaCheck&) = delete;
    MediaCheck& operator=(const MediaCheck&) = delete;
    ~MediaCheck();

    // Returns when every picture has been decoded, on the window thread; a picture that did not
    // decode goes to onUnusable first.
    void waitForPictures();

  private:
    // Starts the check once the window it watches has been painted.
    class PaintWatch : public QObject {
      public:
        explicit PaintWatch(MediaCheck& check) : check_(check) {}
        bool eventFilter(QObject* watched, QEvent* event) override;

      private:
        MediaCheck& check_;
    };

    void start();
    void check();
    void report(const QStringList& unusable);

    std::filesystem::path folder_;
    std::function<void(const QStringList&)> onUnusable_;
    bool reported_ = false;  // on the window thread
    std::mutex mutex_;
    std::condition_variable decoded_;
    std::optional<QStringList> undecodable_;  // the pictures' outcome, under the mutex
    QObject receiver_;  // the window thread's end; a report that finds it gone is dropped
    PaintWatch paintWatch_{*this};
    std::jthread worker_;  // last, so that it is joined before the rest goes
};

}  // namespace crestaverde
