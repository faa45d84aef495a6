// Draws every picture of the game into a folder as PNG or JPEG, and the help clip's frames as PNG.
// make_media.sh turns them into the GIF and AVI files that the game ships.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>
#include <string>

#include "card_art.h"

namespace {

bool save(const QImage& image, const QDir& folder, const QString& name) {
    const bool ok = image.save(folder.filePath(name), nullptr, name.endsWith(".jpg") ? 95 : -1);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    using namespace crestaverde::art;
    bool ok = true;
    for (const char rank : std::string("1234567890jqk")) {
        for (const char suit : std::string("abcd")) {
            ok &= save(cardFace(rank, suit), folder,
                       QStringLiteral("carta%1%2.png").arg(rank).arg(suit));
        }
    }
    ok &= save(cardBack(), folder, "atras.jpg");
    ok &= save(emptyStock(), folder, "ninguna.jpg");
    ok &= save(neutralCard(), folder, "carta.jpg");
    ok &= save(menuLandscape(), folder, "fondo2.jpg");
    ok &= save(scoreBoard(), folder, "hi-score.jpg");
    ok &= save(menuBackdrop(), folder, "intro.png");
    constexpr int kFrames = 24;
    for (int frame = 0; frame < kFrames; ++frame) {
        ok &= save(clipFrame(frame, kFrames), folder,
                   QStringLiteral("clip%1.png").arg(frame, 2, 10, QChar('0')));
    }
    QDir(folder.filePath("icons")).mkpath(".");
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        ok &= save(appIcon(size), folder, QStringLiteral("icons/crestaverde-%1.png").arg(size));
    }
    QFile svg(folder.filePath("icons/crestaverde.svg"));
    ok &= svg.open(QIODevice::WriteOnly) && svg.write(appIconSvg().toUtf8()) > 0;
    return ok ? 0 : 1;
}
