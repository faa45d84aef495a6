// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A program folder for the window tests: the shipped media.

#include <filesystem>
#include <string>

#include "media_catalogue.h"
#include "temp_folder.h"

namespace crestaverde::testing {

// A program folder of the given name (bytes) inside dir: the shipped media, no score file yet.
inline std::filesystem::path mediaCopy(const TempFolder& dir, const std::string& name = "media") {
    const std::filesystem::path folder = dir.file(name);
    std::filesystem::create_directory(folder);
    for (const QString& file : MediaCatalogue::fileNames())
        std::filesystem::copy_file(
            std::filesystem::path(CRESTAVERDE_MEDIA_DIR) / file.toStdString(),
            folder / file.toStdString());
    return folder;
}

}  // namespace crestaverde::testing
