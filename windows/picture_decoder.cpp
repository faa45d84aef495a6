#include "picture_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <fstream>
#include <iterator>

namespace crestaverde {
namespace {

// Far above any picture of the game; reading stops there, so no file can take long to read.
constexpr qsizetype kMaxFileBytes = qsizetype{8} * 1024 * 1024;
constexpr int kMaxFrames = 1000;

// The decoders fill whatever is missing at the end with grey and report success; the formats'
// own end marks tell a whole file from a cut one.
bool endsWhole(const QByteArray& bytes, const QByteArray& format) {
    QByteArray body = bytes;
    while (body.endsWith('\0')) body.chop(1);
    if (format == "jpeg") return body.endsWith("\xFF\xD9");
    if (format == "gif") return body.endsWith('\x3B');
    return true;
}

// Told the format by the file's extension, Qt loads that one decoder, where guessing from the bytes
// loads every installed one (SVG's and its library among them) to ask each in turn.
QByteArray formatOf(const std::filesystem::path& file) {
    const QByteArray format = QByteArray::fromStdString(file.extension().string()).toLower();
    if (format == ".jpg") return "jpeg";
    return format.startsWith('.') ? format.mid(1) : format;
}

}  // namespace

// The buffer fits the file, up to one byte past the bound: a bound-sized buffer for every small
// picture teaches the allocator to keep megabytes for good.
QByteArray readMediaFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    if (!in.seekg(0)) return {};  // a file not opened, or whose size is unknown
    QByteArray bytes(std::min<qsizetype>(size, kMaxFileBytes) + 1, Qt::Uninitialized);
    in.read(bytes.data(), bytes.size());
    bytes.truncate(in.gcount());
    return bytes.size() > kMaxFileBytes ? QByteArray() : bytes;
}

namespace {

bool withinBounds(QSize size, const QByteArray& bytes, const QByteArray& format) {
    return !size.isEmpty() && size.width() <= kMaxPictureSide && size.height() <= kMaxPictureSide &&
           endsWhole(bytes, format);
}

// The size a header declares, read here rather than by Qt's decoders: loading them and their
// libraries is most of what a check of the headers would cost. A GIF's logical screen; the frame
// of a JPEG, found by walking its segments. Empty when the header is not the format's.
QSize declaredSize(const QByteArray& bytes, const QByteArray& format) {
    const auto at = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    const auto word = [&at](qsizetype i, bool bigEndian) {
        return bigEndian ? at(i) << 8 | at(i + 1) : at(i + 1) << 8 | at(i);
    };
    if (format == "gif") {
        if (bytes.size() < 10 || !(bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")))
            return {};
        return {word(6, false), word(8, false)};
    }
    if (format != "jpeg" || !bytes.startsWith("\xFF\xD8")) return {};
    // The start-of-frame markers, 0xC0 to 0xCF but for these three.
    constexpr int kHuffmanTables = 0xC4;
    constexpr int kReserved = 0xC8;
    constexpr int kArithmeticTables = 0xCC;
    for (qsizetype i = 2; i + 9 <= bytes.size() && at(i) == 0xFF;) {
        const int marker = at(i + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != kHuffmanTables && marker != kReserved &&
            marker != kArithmeticTables) {
            return {word(i + 7, true), word(i + 5, true)};
        }
        i += marker == 0xFF ? 1 : 2 + word(i + 2, true);  // fill bytes, or a segment
    }
    return {};
}

}  // namespace

QSize wholePictureSize(const std::filesystem::path& file) {
    const QByteArray bytes = readMediaFile(file);
    const QByteArray format = formatOf(file);
    const QSize size = declaredSize(bytes, format);
    return withinBounds(size, bytes, format) ? size : QSize();
}

QImage decodePicture(const std::filesystem::path& file) {
    QByteArray bytes = readMediaFile(file);
    if (bytes.isEmpty()) return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(file));
    reader.setAutoDetectImageFormat(false);
    if (!withinBounds(reader.size(), bytes, reader.format())) return {};
    QImage first;
    if (!reader.read(&first)) return {};
    for (int frames = 1; reader.supportsAnimation() && reader.canRead(); ++frames) {
        QImage next;
        if (frames >= kMaxFrames || !reader.read(&next)) return {};
    }
    return first;
}

}  // namespace crestaverde
