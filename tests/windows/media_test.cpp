// The media's start-up check, bounded pictures, folders named in any bytes, the clip decoded in
// the background, and the name box's length.

#include <QMessageBox>
#include <QTest>
#include <QThreadPool>
#include <thread>

#include "clip_loader.h"
#include "game.h"
#include "media_catalogue.h"
#include "picture_decoder.h"
#include "player_script.h"
#include "temp_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

class MediaTest : public QObject {
    Q_OBJECT

  private:
    // The shipped media copied into a folder of the given name (bytes) inside dir.
    static fs::path mediaCopy(const TempFolder& dir, const std::string& name) {
        const fs::path folder = dir.file(name);
        fs::create_directory(folder);
        for (const QString& file : MediaCatalogue::fileNames()) {
            fs::copy_file(fs::path(CRESTAVERDE_MEDIA_DIR) / file.toStdString(),
                          folder / file.toStdString());
        }
        return folder;
    }

    // A 35-byte GIF of the given size whose one pixel of data claims the whole of it.
    static std::string declaredGif(int side) {
        const std::string w = {static_cast<char>(side & 0xFF), static_cast<char>(side >> 8)};
        return "GIF89a" + w + w + std::string("\x80\0\0\0\0\0\0\0\0\x2C\0\0\0\0", 14) + w + w +
               std::string("\0\x02\x02\x4C\x01\0\x3B", 7);
    }

  private slots:
    void cutBrokenAndOversizedPicturesAreUnusable() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir, "media");
        QVERIFY(MediaCatalogue(folder).unusableFiles().isEmpty());
        const std::string jpeg = readBytes(folder / "atras.jpg");
        const std::string gif = readBytes(folder / "intro.gif");
        QImage wide(kMaxPictureSide + 1, 2, QImage::Format_RGB32);
        wide.fill(Qt::green);
        wide.save(QString::fromStdString((folder / "carta.jpg").string()), "JPG");
        writeBytes(folder / "atras.jpg", jpeg.substr(0, jpeg.size() / 2));
        writeBytes(folder / "intro.gif", gif.substr(0, gif.size() - 1));
        writeBytes(folder / "carta1a.gif", declaredGif(5600));
        writeBytes(folder / "ninguna.jpg", "not a picture");
        const MediaCatalogue media(folder);
        QCOMPARE(media.unusableFiles(), QStringList({"carta1a.gif", "atras.jpg", "ninguna.jpg",
                                                     "carta.jpg", "intro.gif"}));
        QCOMPARE(declaredGif(5600).size(), std::size_t{35});
        fs::remove(folder / "carta1a.svg");  // drawn from the refused bitmap, then: nothing
        QVERIFY(media.picture(QStringLiteral("carta1a.gif"), {71, 96}, 1).isNull());
        QVERIFY(!media.picture(QStringLiteral("carta2a.gif"), {71, 96}, 1).isNull());
    }

    void aFolderNamedInBytesThatAreNotUtf8Works() {
        TempFolder dir;
        const MediaCatalogue media(mediaCopy(dir, "carpeta-\xE9\xFF"));
        QVERIFY(media.unusableFiles().isEmpty());
        QCOMPARE(media.picture(QStringLiteral("carta1a.gif"), {71, 96}, 1).size(), QSize(71, 96));
    }

    void theStartUpBoxListsAFewFilesAndFitsTheScreen() {
        const QStringList all = MediaCatalogue::fileNames();
        const QString message = MediaCatalogue::unusableMessage(QString(300, 'c'), all);
        QVERIFY(message.contains(QStringLiteral("y %1 más").arg(all.size() - 5)));
        QVERIFY(message.contains(all[4]));
        QVERIFY(!message.contains(all[5]));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CRESTAVERDE"), message);
        QVERIFY2(box.sizeHint().height() < 480, QByteArray::number(box.sizeHint().height()));
        QVERIFY(!MediaCatalogue::unusableMessage("f", {"a.gif"}).contains(QStringLiteral("más")));
    }

    void theClipIsDecodedAwayFromTheWindowThread() {
        std::thread::id decodedOn;
        ClipLoader::Decoded result;
        bool done = false;
        {
            ClipLoader loader([&](const std::string& path, const ClipLimits& limits) {
                decodedOn = std::this_thread::get_id();
                return decodeClip(path, limits);
            });
            loader.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi", [&](ClipLoader::Decoded decoded) {
                result = std::move(decoded);
                done = true;
            });
            QTRY_VERIFY(done);
        }
        QVERIFY(decodedOn != std::this_thread::get_id());
        QVERIFY(std::get<ClipImages>(result).frames.size() >= 2);
        // A loader that goes away first never calls back.
        bool late = false;
        {
            ClipLoader gone(&decodeClip);
            gone.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi",
                       [&](ClipLoader::Decoded) { late = true; });
        }
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }

    void theNameBoxTakesNoMoreThanTheTableKeeps() {
        TempFolder dir;
        Game game(mediaCopy(dir, "m"), [] {});
        PlayerScript script;
        script.box(PlayerScript::typeAndAccept(QString(300, 'x')));
        const std::string name =
            game.services().askText("HA BATIDO UN RECORD!!!", "", kMaxNameChars);
        QCOMPARE(name.size(), std::size_t{kMaxNameChars});
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::MediaTest)
#include "media_test.moc"
