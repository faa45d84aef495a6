// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_check.h"

#include <unistd.h>
#include <wayland-client.h>
#include <xcb/xcb.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QString>
#include <cstdio>
#include <set>
#include <string_view>

namespace crestaverde {
namespace {

constexpr std::string_view kX11 = "xcb";
constexpr std::string_view kWayland = "wayland";

std::vector<std::string> splitPlatforms(const std::string& list) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        // A platform may carry arguments after a colon.
        std::string name = list.substr(start, std::min(list.find(':', start), end) - start);
        if (!name.empty()) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

// Qt's own choice when nothing is asked for: a Wayland session's compositor first, X anyway.
std::vector<std::string> defaultPlatforms(const EnvironmentReader& environment) {
    if (environment("XDG_SESSION_TYPE") == std::string(kWayland)) {
        return {std::string(kWayland), std::string(kX11)};
    }
    return {std::string(kX11)};
}

// The platforms Qt has installed, by the names they answer to.
std::set<std::string> installedPlatforms() {
    std::set<std::string> names;
    const QDir folder(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    for (const QString& file : folder.entryList(QDir::Files)) {
        const QJsonObject meta = QPluginLoader(folder.filePath(file)).metaData();
        for (const QJsonValue key : meta.value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray()) {
            names.insert(key.toString().toLower().toStdString());
        }
    }
    return names;
}

}  // namespace

DisplayRequest displayRequestOf(std::span<char* const> arguments,
                                const EnvironmentReader& environment) {
    DisplayRequest request;
    std::optional<std::string> platforms = environment("QT_QPA_PLATFORM");
    request.ownPluginFolder = environment("QT_QPA_PLATFORM_PLUGIN_PATH").has_value();
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        std::string_view option = arguments[i];
        if (option.starts_with("--")) option.remove_prefix(1);
        const std::string value = arguments[i + 1];
        if (option == "-platform") {
            platforms = value;
        } else if (option == "-display") {
            request.display = value;
        } else if (option == "-platformpluginpath") {
            request.ownPluginFolder = true;
        }
    }
    request.platforms = platforms && !platforms->empty() ? splitPlatforms(*platforms)
                                                         : defaultPlatforms(environment);
    return request;
}

DisplayCheck::DisplayCheck(const DisplayRequest& request, const EnvironmentReader& environment)
    : x_(nullptr, &xcb_disconnect), wayland_(nullptr, &wl_display_disconnect) {
    std::string problems;
    std::optional<std::set<std::string>> installed;
    for (const std::string& platform : request.platforms) {
        std::optional<std::string> problem;
        if (platform == kX11) {
            problem = xProblem(request, environment);
        } else if (platform.starts_with(kWayland)) {
            problem = waylandProblem(environment);
        } else if (!request.ownPluginFolder) {
            if (!installed) installed = installedPlatforms();
            if (!installed->contains(platform)) {
                problem = "Qt no tiene ninguna plataforma gráfica «" + platform + "»";
            }
        }
        // One usable platform is enough; one from a plugin folder of the player's own, only Qt
        // can judge.
        if (!problem) return;
        problems += (problems.empty() ? "" : "; ") + *problem;
    }
    problem_ = "no se puede abrir ninguna ventana: " + problems + ".";
}

std::optional<std::string> DisplayCheck::xProblem(const DisplayRequest& request,
                                                  const EnvironmentReader& environment) {
    const std::optional<std::string> name =
        request.display ? request.display : environment("DISPLAY");
    if (!name || name->empty()) return "no hay ninguna pantalla X, porque DISPLAY está vacía";
    x_.reset(xcb_connect(name->c_str(), nullptr));
    if (xcb_connection_has_error(x_.get()) == 0) return std::nullopt;
    x_.reset();
    return "no se puede abrir la pantalla X «" + *name + "»";
}

std::optional<std::string> DisplayCheck::waylandProblem(const EnvironmentReader& environment) {
    // A connection the compositor handed over can be taken once only, and it is Qt's.
    if (environment("WAYLAND_SOCKET")) return std::nullopt;
    const std::string name = environment("WAYLAND_DISPLAY").value_or("wayland-0");
    wayland_.reset(wl_display_connect(name.c_str()));
    if (wayland_) return std::nullopt;
    return "no se puede conectar con el compositor Wayland «" + name + "»";
}

void endFailedStart(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        return;
    }
    std::fputs(
        "crestaverde: no se puede abrir ninguna ventana: Qt no ha podido iniciar ninguna "
        "plataforma gráfica.\n",
        stderr);
    std::fflush(stderr);
    ::_exit(1);
}

}  // namespace crestaverde
