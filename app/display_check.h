// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt ends a start without any window by aborting. The game looks first, before the QApplication
// is built, on the platforms Qt would try, and tells the player in Spanish what is missing.

#include <QtGlobal>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "score_location.h"

class QMessageLogContext;
class QString;

namespace crestaverde {

// What the command line and the environment ask Qt for.
struct DisplayRequest {
    std::vector<std::string> platforms;  // in the order Qt tries them
    std::optional<std::string> display;  // the X display the command line names
    bool ownPluginFolder = false;        // the command line or the environment names one
};

[[nodiscard]] DisplayRequest displayRequestOf(
    std::span<char* const> arguments, const EnvironmentReader& environment = readEnvironment);

// Why no platform of the request can open a window, in Spanish; nothing when one can, or when
// the game cannot tell (a platform that is no window system's client, such as offscreen).
[[nodiscard]] std::optional<std::string> missingDisplay(
    const DisplayRequest& request, const EnvironmentReader& environment = readEnvironment);

// A message handler for the time the QApplication is built: where Qt would still abort, the
// program ends with status 1 and says in Spanish that no window could be opened.
void endFailedStart(QtMsgType type, const QMessageLogContext& context, const QString& message);

}  // namespace crestaverde
