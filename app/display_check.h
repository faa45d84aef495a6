// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt ends a start without any window by aborting. The game looks first, before the QApplication
// is built, on the platforms Qt would try, and tells the player in Spanish what is missing.

#include <QtGlobal>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "program_files.h"

class QMessageLogContext;
class QString;
struct xcb_connection_t;
struct wl_display;

namespace crestaverde {

// What the command line and the environment ask Qt for.
struct DisplayRequest {
    std::vector<std::string> platforms;  // in the order Qt tries them
    std::optional<std::string> display;  // the X display the command line names
    bool ownPluginFolder = false;        // the command line or the environment names one
};

[[nodiscard]] DisplayRequest displayRequestOf(
    std::span<char* const> arguments, const EnvironmentReader& environment = readEnvironment);

// Looks for a platform of the request that can open a window. What it opened stays open for as
// long as the check lives, until Qt has opened its own: an X server whose only client closes
// resets, and would turn Qt away meanwhile.
class DisplayCheck {
  public:
    explicit DisplayCheck(const DisplayRequest& request,
                          const EnvironmentReader& environment = readEnvironment);
    // Why no platform can, in Spanish; nothing when one can, or when the game cannot tell (a
    // platform that is no window system's client, such as offscreen).
    [[nodiscard]] const std::optional<std::string>& problem() const { return problem_; }

  private:
    [[nodiscard]] std::optional<std::string> xProblem(const DisplayRequest& request,
                                                      const EnvironmentReader& environment);
    [[nodiscard]] std::optional<std::string> waylandProblem(const EnvironmentReader& environment);

    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> x_;
    std::unique_ptr<wl_display, void (*)(wl_display*)> wayland_;
    std::optional<std::string> problem_;
};

// A message handler for the time the QApplication is built: where Qt would still abort, the
// program ends with status 1 and says in Spanish that no window could be opened.
void endFailedStart(QtMsgType type, const QMessageLogContext& context, const QString& message);

}  // namespace crestaverde
