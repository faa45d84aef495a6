// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugin_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>

namespace crestaverde {
namespace {

constexpr const char* kPluginPathVariable = "QT_PLUGIN_PATH";

}  // namespace

QStringList ownPluginFolders() {
    return {QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath)).canonicalPath()};
}

// Paths set before the QApplication exists are amended when it is built: every folder of the
// list Qt had then that the set list leaves out stays out, and the program's folder is added.
// So the program's folder goes into the list Qt has before it is set, through the plugin path
// variable, and the set list leaves it out; the variable stays empty while the QApplication is
// built, so that nothing else comes back in.
OwnPluginsOnly::OwnPluginsOnly(const std::filesystem::path& programFolder)
    : playersPath_(qgetenv(kPluginPathVariable)),
      playerHadPath_(qEnvironmentVariableIsSet(kPluginPathVariable)) {
    const QString folder =
        QDir(QFile::decodeName(QByteArray::fromStdString(programFolder.native()))).canonicalPath();
    qputenv(kPluginPathVariable, QFile::encodeName(folder));
    QCoreApplication::setLibraryPaths(ownPluginFolders());
    qunsetenv(kPluginPathVariable);
}

OwnPluginsOnly::~OwnPluginsOnly() {
    if (playerHadPath_) qputenv(kPluginPathVariable, playersPath_);
}

}  // namespace crestaverde
