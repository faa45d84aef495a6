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
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0 || !in.seekg(0)) return {};
    QByteArray bytes(std::min<qsizetype>(size, kMaxFileBytes) + 1, Qt::Uninitialized);
    in.read(bytes.data(), bytes.size());
    bytes.truncate(in.gcount());
    return bytes.size() > kMaxFileBytes ? QByteArray() : bytes;
}

QImage decodePicture(const std::filesystem::path& file) {
    QByteArray bytes = readMediaFile(file);
    if (bytes.isEmpty()) return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, formatOf(file));
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide ||
        !endsWhole(bytes, reader.format())) {
        return {};
    }
    QImage first;
    if (!reader.read(&first)) return {};
    for (int frames = 1; reader.supportsAnimation() && reader.canRead(); ++frames) {
        QImage next;
        if (frames >= kMaxFrames || !reader.read(&next)) return {};
    }
    return first;
}

}  // namespace crestaverde
