// SPDX-License-Identifier: GPL-3.0-or-later
#include "media_catalogue.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <fstream>

#include "picture_decoder.h"
#include "window_texts.h"

namespace crestaverde {
namespace {

constexpr qsizetype kListedFiles = 5;
constexpr qsizetype kShownFolderChars = 80;

// A picture this large is decoded whole in the quick check, while the program is still small:
// decoded beside the shown windows, its frame would come on top of their memory.
constexpr qint64 kQuickCheckPixels = qint64{128} * 1024;

bool decodedInQuickCheck(QSize size) {
    return qint64{size.width()} * size.height() >= kQuickCheckPixels;
}

// Pictures kept drawn: every picture of the board, the menu and the about window at two sizes
// or so. A window resized again and again starts afresh rather than keep every size it passed.
constexpr std::size_t kMostKeptPictures = 160;

QStringList pictureNames() {
    QStringList names;
    for (int rank = kAce; rank <= kKing; ++rank) {
        for (const Suit suit : {Suit::Hearts, Suit::Diamonds, Suit::Clubs, Suit::Spades}) {
            names << media::cardPicture({rank, suit});
        }
    }
    names << media::kCardBack << media::kEmptyStock << media::kBlankFace << media::kMenuLandscape
          << media::kMenuTitle << media::kMenuRecords;
    return names;
}

bool isDrawing(const QString& name) {
    return name.endsWith(QStringLiteral(".svg"));
}

bool startsAsClip(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, sizeof magic) && std::string_view(magic, sizeof magic) == "RIFF";
}

}  // namespace

QString media::cardPicture(Card card) {
    static constexpr auto kRanks =
        std::to_array({' ', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'j', 'q', 'k'});
    const auto rank = QLatin1Char(kRanks.at(static_cast<std::size_t>(card.rank)));
    const auto suit = QLatin1Char(static_cast<char>('a' + static_cast<int>(card.suit)));
    return QStringLiteral("carta") + rank + suit + QStringLiteral(".gif");
}

QString media::drawingOf(const QString& picture) {
    return picture.left(picture.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".svg");
}

QString media::iconPicture(int size) {
    return QStringLiteral(":/icons/crestaverde-%1.png").arg(size);
}

MediaCatalogue::MediaCatalogue(std::filesystem::path folder) : folder_(std::move(folder)) {}
MediaCatalogue::MediaCatalogue(const QString& folder)
    : folder_(QFile::encodeName(folder).toStdString()) {}
MediaCatalogue::MediaCatalogue(MediaCatalogue&&) noexcept = default;
MediaCatalogue& MediaCatalogue::operator=(MediaCatalogue&&) noexcept = default;
MediaCatalogue::~MediaCatalogue() = default;

QStringList MediaCatalogue::fileNames() {
    QStringList names;
    for (const QString& picture : pictureNames()) names << picture << media::drawingOf(picture);
    names << media::kHelpClip;
    return names;
}

std::filesystem::path MediaCatalogue::filePath(const QString& name) const {
    return folder_ / QFile::encodeName(name).toStdString();
}

QString MediaCatalogue::path(const QString& name) const {
    return QFile::decodeName(QByteArray::fromStdString(filePath(name).native()));
}

bool MediaCatalogue::usable(const QString& name) const {
    const std::filesystem::path file = filePath(name);
    if (name == media::kHelpClip) return startsAsClip(file);
    if (isDrawing(name)) {
        std::error_code error;
        return std::filesystem::is_regular_file(file, error) &&
               std::filesystem::file_size(file, error) > 0 && !error;
    }
    const QSize size = wholePictureSize(file);
    return !size.isEmpty() && (!decodedInQuickCheck(size) || !decodePicture(file).isNull());
}

QStringList MediaCatalogue::unusableFiles() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        if (!usable(name)) unusable << name;
    }
    return unusable;
}

QStringList MediaCatalogue::undecodablePictures() const {
    QStringList undecodable;
    for (const QString& name : pictureNames()) {
        const std::filesystem::path file = filePath(name);
        if (decodedInQuickCheck(wholePictureSize(file))) continue;
        if (decodePicture(file).isNull()) undecodable << name;
    }
    return undecodable;
}

QStringList MediaCatalogue::unusableDrawings() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        if (isDrawing(name) && !QSvgRenderer(readMediaFile(filePath(name))).isValid())
            unusable << name;
    }
    return unusable;
}

QPixmap MediaCatalogue::picture(const QString& name, QSize pixels, qreal pixelRatio) const {
    if (name.isEmpty() || pixels.isEmpty()) return {};
    const auto key = std::make_tuple(name, pixels.width(), pixels.height(), pixelRatio);
    if (const auto found = pictures_.find(key); found != pictures_.end()) return found->second;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    // Parsed anew for each size: a drawing is drawn at one size or two in a run, and its parsed
    // form would take more memory than the picture.
    if (QSvgRenderer drawing(readMediaFile(filePath(media::drawingOf(name)))); drawing.isValid()) {
        QPainter painter(&image);
        drawing.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    } else {  // a drawing the check has not yet reported, or one gone since: the bitmap, stretched
        image = decodePicture(filePath(name))
                    .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(pixelRatio);
    if (pictures_.size() >= kMostKeptPictures) pictures_.clear();
    return pictures_.emplace(key, std::move(pixmap)).first->second;
}

// The picture is drawn for the device pixels under the rectangle, its corner on a whole pixel,
// so that it reaches the screen one pixel for one, never stretched.
void MediaCatalogue::paint(QPainter& painter, const QString& name, const QRectF& rect) const {
    if (name.isEmpty()) return;
    const QRectF target = painter.deviceTransform().mapRect(rect);
    painter.save();
    painter.resetTransform();
    const QTransform deviceScale = painter.deviceTransform();  // the device's own pixel ratio
    const QPointF corner(std::round(target.left()), std::round(target.top()));
    const QSize pixels(qRound(target.width()), qRound(target.height()));
    painter.drawPixmap(deviceScale.inverted().map(corner),
                       picture(name, pixels, deviceScale.m11()));
    painter.restore();
}

QString MediaCatalogue::unusableMessage(const QString& folder, const QStringList& unusable) {
    QString shownFolder = folder;
    if (shownFolder.size() > kShownFolderChars) {
        shownFolder = QStringLiteral("…") + shownFolder.right(kShownFolderChars);
    }
    QStringList listed = unusable.mid(0, kListedFiles);
    if (unusable.size() > kListedFiles) {
        listed << texts::andMoreFiles(unusable.size() - kListedFiles);
    }
    return texts::unusableMedia(shownFolder, listed.join(QLatin1Char('\n')));
}

}  // namespace crestaverde
