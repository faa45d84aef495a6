// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game into a folder twice from the same painting: as a scalable
// drawing (SVG, through QSvgGenerator), which the game draws on screen at the size it has there,
// and as the design-size bitmap its picture name refers to (PNG where the game ships a GIF, else
// the JPEG itself). Also the help clip's frames as PNG in clip/ and the desktop icons in icons/.
// make_media.sh turns them into the files that the game ships.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <cstdio>
#include <functional>
#include <vector>

#include "card_art.h"
#include "compact_svg.h"
#include "design.h"
#include "media_catalogue.h"

namespace {

using namespace crestaverde;

struct Drawing {
    QString picture;
    QSize size;
    std::function<void(QPainter&)> paint;
};

std::vector<Drawing> drawings() {
    std::vector<Drawing> all;
    for (int rank = kAce; rank <= kKing; ++rank) {
        for (const Suit suit : {Suit::Hearts, Suit::Diamonds, Suit::Clubs, Suit::Spades}) {
            all.push_back(
                {media::cardPicture({rank, suit}), art::kCardPictureSize, [=](QPainter& p) {
                     art::paintCardFace(p, {rank, suit});
                 }});
        }
    }
    all.push_back({media::kCardBack, art::kCardPictureSize, &art::paintCardBack});
    all.push_back({media::kEmptyStock, art::kCardPictureSize, &art::paintEmptyStock});
    all.push_back({media::kBlankFace, art::kCardPictureSize, &art::paintNeutralCard});
    all.push_back({media::kMenuLandscape, art::kMenuLandscapeSize, &art::paintMenuLandscape});
    all.push_back({media::kMenuRecords, art::kScoreBoardSize, &art::paintScoreBoard});
    all.push_back({media::kMenuTitle, art::kMenuBackdropSize, &art::paintMenuBackdrop});
    return all;
}

bool report(bool ok, const QString& path) {
    if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

bool writeSvg(const QString& path, QSize size, const std::function<void(QPainter&)>& paint) {
    QBuffer written;
    QSvgGenerator svg;
    svg.setOutputDevice(&written);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("CRESTAVERDE"));
    svg.setDescription(QStringLiteral("Drawn by CRESTAVERDE's media generator"));
    QPainter painter;
    if (!painter.begin(&svg)) return report(false, path);
    paint(painter);
    if (!painter.end()) return report(false, path);
    QFile file(path);
    return report(file.open(QIODevice::WriteOnly) &&
                      file.write(art::compactSvg(written.data())) >= 0 && file.flush(),
                  path);
}

// JPEG keeps no transparency: its corners show the felt the picture lies on.
bool writeBitmap(const QDir& folder, const Drawing& drawing) {
    const bool jpeg = drawing.picture.endsWith(QStringLiteral(".jpg"));
    QImage image(drawing.size, QImage::Format_ARGB32_Premultiplied);
    image.fill(jpeg ? design::kFelt : QColor(Qt::transparent));
    QPainter painter(&image);
    drawing.paint(painter);
    painter.end();
    const QString name =
        jpeg ? drawing.picture : QString(drawing.picture).replace(QStringLiteral(".gif"), ".png");
    const QString path = folder.filePath(name);
    return report(image.save(path, nullptr, jpeg ? 95 : -1), path);
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = folder.mkpath(QStringLiteral("clip")) && folder.mkpath(QStringLiteral("icons"));
    for (const Drawing& drawing : drawings()) {
        ok &= writeBitmap(folder, drawing);
        ok &= writeSvg(folder.filePath(media::drawingOf(drawing.picture)), drawing.size,
                       drawing.paint);
    }
    constexpr int kFrames = 24;
    for (int frame = 0; frame < kFrames; ++frame) {
        const QString path =
            folder.filePath(QStringLiteral("clip/%1.png").arg(frame, 2, 10, QChar('0')));
        ok &= report(art::clipFrame(frame, kFrames).save(path), path);
    }
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        painter.scale(size / double(art::kIconBox), size / double(art::kIconBox));
        art::paintAppIcon(painter);
        painter.end();
        const QString path = folder.filePath(QStringLiteral("icons/crestaverde-%1.png").arg(size));
        ok &= report(icon.save(path), path);
    }
    ok &= writeSvg(folder.filePath(QStringLiteral("icons/crestaverde.svg")),
                   QSize(art::kIconBox, art::kIconBox), &art::paintAppIcon);
    return ok ? 0 : 1;
}
