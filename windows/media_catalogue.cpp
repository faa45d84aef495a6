#include "media_catalogue.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <array>

#include "score_location.h"

namespace crestaverde {
namespace {

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

}  // namespace

QString media::cardPicture(Card card) {
    static constexpr std::array<char, 14> kRanks = {' ', '1', '2', '3', '4', '5', '6',
                                                    '7', '8', '9', '0', 'j', 'q', 'k'};
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

MediaCatalogue::MediaCatalogue(const QString& folder) : folder_(folder) {}
MediaCatalogue::MediaCatalogue(MediaCatalogue&&) noexcept = default;
MediaCatalogue& MediaCatalogue::operator=(MediaCatalogue&&) noexcept = default;
MediaCatalogue::~MediaCatalogue() = default;

QString MediaCatalogue::folderFor(const QString& programFolder) {
    return QString::fromStdString(mediaFolderFor(programFolder.toStdString()).string());
}

QStringList MediaCatalogue::fileNames() {
    QStringList names;
    for (const QString& picture : pictureNames()) names << picture << media::drawingOf(picture);
    names << media::kHelpClip;
    return names;
}

QString MediaCatalogue::path(const QString& name) const {
    return folder_.filePath(name);
}

QStringList MediaCatalogue::unusableFiles() const {
    QStringList unusable;
    for (const QString& name : fileNames()) {
        const QString file = path(name);
        if (name == media::kHelpClip) {
            QFile clip(file);
            if (!clip.open(QIODevice::ReadOnly) || clip.read(4) != "RIFF") unusable << name;
        } else if (name.endsWith(QStringLiteral(".svg"))) {
            if (!QFile::exists(file) || !QSvgRenderer(file).isValid()) unusable << name;
        } else if (QImageReader(file).read().isNull()) {
            unusable << name;
        }
    }
    return unusable;
}

QSvgRenderer* MediaCatalogue::drawing(const QString& name) const {
    auto found = drawings_.find(name);
    if (found == drawings_.end()) {
        auto renderer = std::make_unique<QSvgRenderer>(path(media::drawingOf(name)));
        if (!renderer->isValid()) renderer.reset();
        found = drawings_.emplace(name, std::move(renderer)).first;
    }
    return found->second.get();
}

QPixmap MediaCatalogue::picture(const QString& name, QSize pixels, qreal pixelRatio) const {
    if (name.isEmpty() || pixels.isEmpty()) return {};
    const auto key = std::make_tuple(name, pixels.width(), pixels.height(), pixelRatio);
    if (const auto found = pictures_.find(key); found != pictures_.end()) return found->second;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (QSvgRenderer* svg = drawing(name)) {
        QPainter painter(&image);
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    } else {  // a drawing that went missing after the start: the bitmap, stretched
        image = QImage(path(name)).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
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

}  // namespace crestaverde
