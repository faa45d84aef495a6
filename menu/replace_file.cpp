// SPDX-License-Identifier: GPL-3.0-or-later
#include "replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "descriptor.h"

namespace crestaverde {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit for a path
constexpr std::size_t kRandomPart = 6;
constexpr std::time_t kStaleSeconds = 60;
constexpr mode_t kNewFileMode = 0644;

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t modeToKeep(const std::filesystem::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return kNewFileMode;
    return info.st_mode & 07777;
}

std::filesystem::path folderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

// The rename is durable only once the folder that holds the new name is on disk.
void syncFolder(const std::filesystem::path& folder, const FileCalls& calls) {
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) calls.fsync(dir.get());
}

bool isTemporaryName(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + 1 + kRandomPart || name.compare(0, base.size(), base) != 0 ||
        name[base.size()] != '.') {
        return false;
    }
    return std::all_of(name.end() - kRandomPart, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error))) break;
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error) break;
        current = next.is_absolute() ? next : folderOf(current) / next;
    }
    return current;
}

bool replaceFile(const std::filesystem::path& target, std::string_view bytes,
                 const FileCalls& calls) {
    const std::filesystem::path folder = folderOf(target);
    std::string pattern = (folder / target.filename()).native() + ".XXXXXX";
    Descriptor file(::mkostemp(pattern.data(), O_CLOEXEC));
    if (!file.valid()) return false;
    const bool written = ::fchmod(file.get(), modeToKeep(target)) == 0 &&
                         writeAll(file.get(), bytes) && calls.fsync(file.get()) == 0 &&
                         file.close();
    if (!written || std::rename(pattern.c_str(), target.c_str()) != 0) {
        ::unlink(pattern.c_str());
        return false;
    }
    syncFolder(folder, calls);
    return true;
}

void removeStaleTemporaries(const std::filesystem::path& target) {
    const std::string base = target.filename().native();
    const std::time_t before = std::time(nullptr) - kStaleSeconds;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folderOf(target), error), end;
         !error && entry != end; entry.increment(error)) {
        if (!isTemporaryName(entry->path().filename().native(), base)) continue;
        struct stat info {};
        if (::lstat(entry->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid() && info.st_mtime < before) {
            ::unlink(entry->path().c_str());
        }
    }
}

}  // namespace crestaverde
