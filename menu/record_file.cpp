#include "record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

namespace crestaverde {
namespace {

constexpr int kLines = 2 * kScoreRows;

// Reads lines within the byte limits; nullopt at the end of the input.
class LineReader {
  public:
    explicit LineReader(std::istream& in) : in_(in) {}

    std::optional<std::string> next() {
        if (peek() == EOF) return std::nullopt;
        std::string line;
        for (int c = take(); c != EOF; c = take()) {
            if (c == '\n') break;
            if (c == '\r') {
                if (peek() == '\n') take();
                break;
            }
            if (line.size() < RecordFile::kMaxLineBytes) line += static_cast<char>(c);
        }
        return line;
    }

  private:
    int peek() {
        if (scanned_ >= RecordFile::kMaxScannedBytes) return EOF;
        const auto c = in_.rdbuf()->sgetc();
        return c == std::char_traits<char>::eof() ? EOF : static_cast<unsigned char>(c);
    }
    int take() {
        const int c = peek();
        if (c != EOF) {
            in_.rdbuf()->sbumpc();
            ++scanned_;
        }
        return c;
    }

    std::istream& in_;
    std::size_t scanned_ = 0;
};

// Closes a descriptor on every path out of the writer.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    [[nodiscard]] int get() const { return fd_; }
    bool close() {
        const bool ok = fd_ < 0 || ::close(fd_) == 0;
        fd_ = -1;
        return ok;
    }

  private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

ScoreTable RecordFile::parse(std::istream& in) {
    ScoreTable table;
    LineReader reader(in);
    for (int line = 0; line < kLines; ++line) {
        std::optional<std::string> text = reader.next();
        if (!text) break;
        ScoreRow& row = table[static_cast<std::size_t>(line / 2)];
        (line % 2 == 0 ? row.name : row.score) = std::move(*text);
    }
    return table;
}

std::string RecordFile::format(const ScoreTable& table) {
    std::string out;
    for (const ScoreRow& row : table) out += row.name + "\r\n" + row.score + "\r\n";
    return out;
}

RecordFile::ReadResult RecordFile::read() const {
    std::error_code error;
    const auto status = std::filesystem::status(path_, error);
    if (status.type() == std::filesystem::file_type::not_found) return {{}, ReadStatus::Missing};
    if (error || std::filesystem::is_directory(status)) return {{}, ReadStatus::Unreadable};
    std::ifstream in(path_, std::ios::binary);
    if (!in) return {{}, ReadStatus::Unreadable};
    ScoreTable table = parse(in);
    if (in.bad()) return {{}, ReadStatus::Unreadable};
    return {std::move(table), ReadStatus::Read};
}

bool RecordFile::write(const ScoreTable& table) const {
    std::string pattern = (path_.parent_path() / (path_.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    Descriptor file(::mkstemp(name.data()));
    if (file.get() < 0) return false;
    const bool written = ::fchmod(file.get(), 0644) == 0 && writeAll(file.get(), format(table)) &&
                         ::fsync(file.get()) == 0 && file.close();
    if (!written || std::rename(name.data(), path_.c_str()) != 0) {
        ::unlink(name.data());
        return false;
    }
    return true;
}

}  // namespace crestaverde
