// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing_check.h"

#include <sched.h>

#include "media_catalogue.h"

namespace crestaverde {

DrawingCheck::DrawingCheck(std::filesystem::path folder,
                           std::function<void(const QStringList&)> onUnusable)
    : onUnusable_(std::move(onUnusable)), worker_([this, folder = std::move(folder)] {
          // Only on a core that nothing else wants: the start, the window system and the
          // player's first moves all go first.
          const sched_param idle{};
          ::sched_setscheduler(0, SCHED_IDLE, &idle);
          const QStringList unusable = MediaCatalogue(folder).unusableDrawings();
          if (unusable.isEmpty()) return;
          QMetaObject::invokeMethod(
              &receiver_, [this, unusable] { onUnusable_(unusable); }, Qt::QueuedConnection);
      }) {}

}  // namespace crestaverde
