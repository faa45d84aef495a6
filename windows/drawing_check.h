// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The longer part of the start-up check, out of the player's way: every drawing is parsed whole
// on a worker thread while the menu is up, and the ones that do not parse are handed to the
// window thread. Until then an unparsable drawing shows as its picture, stretched.

#include <QObject>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <thread>

namespace crestaverde {

class DrawingCheck {
  public:
    // onUnusable runs on the window thread, and only if some drawing does not parse.
    DrawingCheck(std::filesystem::path folder, std::function<void(const QStringList&)> onUnusable);

  private:
    QObject receiver_;  // the window thread's end; a report that finds it gone is dropped
    std::function<void(const QStringList&)> onUnusable_;
    std::jthread worker_;  // last, so that it is joined before the rest goes
};

}  // namespace crestaverde
