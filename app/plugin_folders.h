// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt looks for plugins in the program's own folder as well as in its own installed plugin
// folder. Installed, the program's folder is the one every game shares, and Qt loads the
// platform plugin while the QApplication is built, so this is settled before that.

#include <QByteArray>
#include <QStringList>
#include <filesystem>

namespace crestaverde {

// Qt's own installed plugin folder, the only one the game loads plugins from.
[[nodiscard]] QStringList ownPluginFolders();

// Lives from before the QApplication is built until after: Qt then searches only its own
// installed plugin folder, both while the QApplication is built and afterwards.
class OwnPluginsOnly {
  public:
    explicit OwnPluginsOnly(const std::filesystem::path& programFolder);
    OwnPluginsOnly(const OwnPluginsOnly&) = delete;
    OwnPluginsOnly& operator=(const OwnPluginsOnly&) = delete;
    // Gives the programs the game starts the player's own plugin path back.
    ~OwnPluginsOnly();

  private:
    QByteArray playersPath_;
    bool playerHadPath_ = false;
};

}  // namespace crestaverde
