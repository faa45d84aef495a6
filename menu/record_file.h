// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `record.ini`: ten lines, a name and a score for each of the five rows, each line ending in
// CR LF. This class alone knows that form, and how the file is read and replaced safely while
// other copies of the game may use it too.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <istream>
#include <string>
#include <string_view>

#include "file_calls.h"
#include "score_table.h"

namespace crestaverde {

class RecordFile {
  public:
    // A line longer than this is none the game wrote (a name and a score are far shorter): it
    // reads as empty rather than as a piece of itself, so no name or number is ever cut.
    static constexpr std::size_t kMaxLineBytes = 4096;
    // Reading stops after this many bytes, so that no file can make it take long; a line that
    // this cuts is dropped whole.
    static constexpr std::size_t kMaxScannedBytes = 1U << 20U;

    enum class ReadStatus { Read, Missing, Unreadable };
    struct ReadResult {
        ScoreTable table;
        ReadStatus status = ReadStatus::Missing;
    };
    enum class SaveStatus { Saved, Busy, Failed, Unreadable };
    struct UpdateResult {
        ScoreTable table;  // as read and changed, whether or not it was saved; empty when Busy
        SaveStatus status = SaveStatus::Failed;
    };

    explicit RecordFile(std::filesystem::path path, FileCalls calls = {})
        : path_(std::move(path)), calls_(std::move(calls)) {}

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    // Links are followed. Anything but a regular file, and any error while reading, is
    // Unreadable; the file is opened without blocking, so a pipe in its place never hangs.
    [[nodiscard]] ReadResult read() const;
    // Under the table's lock: reads the table as it now stands, applies the change and saves it,
    // so that what another copy saved meanwhile is kept. A link is followed and its target
    // replaced, so that the link stays. The lock is tried once: Busy while
    // another copy holds it, and then nothing is read or written. A folder that cannot be locked
    // at all does not stop the save. An unreadable file is left untouched.
    [[nodiscard]] UpdateResult update(const std::function<void(ScoreTable&)>& change) const;

    // The form itself. Lines end at CR LF, a lone CR or a lone LF; the last may have no end.
    // An odd last line leaves its row's score empty; lines past the tenth are ignored. Names
    // keep at most kMaxNameChars bytes.
    [[nodiscard]] static ScoreTable parse(std::string_view bytes);
    [[nodiscard]] static ScoreTable parse(std::istream& in);
    [[nodiscard]] static std::string format(const ScoreTable& table);

  private:
    [[nodiscard]] ReadResult readFrom(const std::filesystem::path& file) const;
    [[nodiscard]] bool save(const std::filesystem::path& target, const ScoreTable& table) const;

    std::filesystem::path path_;
    FileCalls calls_;
};

}  // namespace crestaverde
