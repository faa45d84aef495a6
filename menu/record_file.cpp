// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <iterator>

#include "descriptor.h"
#include "replace_file.h"
#include "table_lock.h"

namespace crestaverde {
namespace {

constexpr int kLines = 2 * kScoreRows;
constexpr std::size_t kChunk = std::size_t{64} * 1024;

std::string fieldOf(std::string_view line, bool isName) {
    if (line.size() > RecordFile::kMaxLineBytes) return {};
    if (isName) line = line.substr(0, kMaxNameChars);
    return std::string(line);
}

// The length of the line end at pos, which holds CR or LF.
std::size_t lineEndLength(std::string_view bytes, std::size_t pos) {
    return bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
}

}  // namespace

ScoreTable RecordFile::parse(std::string_view bytes) {
    const bool cut = bytes.size() > kMaxScannedBytes;
    if (cut) bytes = bytes.substr(0, kMaxScannedBytes);
    ScoreTable table;
    std::size_t pos = 0;
    for (int line = 0; line < kLines && pos < bytes.size(); ++line) {
        const std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos && cut) break;
        const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
        ScoreRow& row = table[static_cast<std::size_t>(line / 2)];
        const bool isName = line % 2 == 0;
        (isName ? row.name : row.score) = fieldOf(bytes.substr(pos, stop - pos), isName);
        pos = stop == bytes.size() ? stop : stop + lineEndLength(bytes, stop);
    }
    return table;
}

ScoreTable RecordFile::parse(std::istream& in) {
    std::string bytes;
    std::array<char, kChunk> buffer{};
    while (bytes.size() <= kMaxScannedBytes && in.read(buffer.data(), buffer.size()).gcount() > 0) {
        bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    }
    return parse(bytes);
}

std::string RecordFile::format(const ScoreTable& table) {
    std::string out;
    for (const ScoreRow& row : table) {
        out += row.name.substr(0, kMaxNameChars) + "\r\n" + row.score + "\r\n";
    }
    return out;
}

RecordFile::ReadResult RecordFile::read() const {
    return readFrom(path_);
}

RecordFile::ReadResult RecordFile::readFrom(const std::filesystem::path& file) const {
    const Descriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!in.valid()) return {{}, errno == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable};
    struct stat info {};
    if (::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {{}, ReadStatus::Unreadable};
    }
    std::string bytes;
    std::array<char, kChunk> buffer{};
    while (bytes.size() <= kMaxScannedBytes) {
        const ssize_t n = calls_.read(in.get(), buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {{}, ReadStatus::Unreadable};
        bytes.append(buffer.data(), static_cast<std::size_t>(n));
    }
    return {parse(bytes), ReadStatus::Read};
}

bool RecordFile::save(const std::filesystem::path& target, const ScoreTable& table) const {
    removeStaleTemporaries(target);
    return replaceFile(target, format(table), calls_);
}

RecordFile::UpdateResult RecordFile::update(const std::function<void(ScoreTable&)>& change) const {
    const std::filesystem::path target = linkTarget(path_);
    const TableLock lock(target);
    if (lock.state() == TableLock::State::Busy) return {{}, SaveStatus::Busy};
    ReadResult current = readFrom(target);
    if (current.status == ReadStatus::Unreadable) return {{}, SaveStatus::Unreadable};
    if (change) change(current.table);
    for (ScoreRow& row : current.table)
        row.name.resize(std::min(row.name.size(), std::size_t{kMaxNameChars}));
    const bool saved = save(target, current.table);
    return {std::move(current.table), saved ? SaveStatus::Saved : SaveStatus::Failed};
}

}  // namespace crestaverde
