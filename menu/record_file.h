#pragma once
// `record.ini`: ten lines, a name and a score for each of the five rows, each line ending in
// CR LF. This class alone knows that form.

#include <cstddef>
#include <filesystem>
#include <istream>
#include <string>

#include "score_table.h"

namespace crestaverde {

class RecordFile {
  public:
    // A line keeps at most this many bytes; the rest of an overlong line is skipped.
    static constexpr std::size_t kMaxLineBytes = 4096;
    // Reading gives up after this many bytes, so that no file can make it hang.
    static constexpr std::size_t kMaxScannedBytes = 1U << 20U;

    enum class ReadStatus { Read, Missing, Unreadable };
    struct ReadResult {
        ScoreTable table;
        ReadStatus status = ReadStatus::Missing;
    };

    explicit RecordFile(std::filesystem::path path) : path_(std::move(path)) {}

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] ReadResult read() const;
    // Replaces the file through a temporary one in the same folder, so that a failed write
    // leaves the old table intact. Returns false when the table could not be saved.
    [[nodiscard]] bool write(const ScoreTable& table) const;

    // The form itself. Lines end at CR LF, a lone CR or a lone LF; the last may have no end.
    // An odd last line leaves its row's score empty; lines past the tenth are ignored.
    [[nodiscard]] static ScoreTable parse(std::istream& in);
    [[nodiscard]] static std::string format(const ScoreTable& table);

  private:
    std::filesystem::path path_;
};

}  // namespace crestaverde
