// The media's start-up check, bounded pictures, folders named in any bytes, the clip decoded in
// the background, and the name box's length.

#include <QBuffer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <thread>

#include "clip_loader.h"
#include "game.h"
#include "media_catalogue.h"
#include "picture_decoder.h"
#include "player_script.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

class MediaTest : public QObject {
    Q_OBJECT

  private:
    // The shipped media copied into a folder with the given name (bytes) inside dir.
    static fs::path mediaCopy(const QTemporaryDir& dir, const std::string& name) {
        const fs::path folder = fs::path(QFile::encodeName(dir.path()).toStdString()) / name;
        fs::create_directory(folder);
        for (const QString& file : MediaCatalogue::fileNames()) {
            const std::string plain = file.toStdString();
            fs::copy_file(fs::path(CRESTAVERDE_MEDIA_DIR) / plain, folder / plain);
        }
        return folder;
    }

    static void writeFile(const fs::path& file, const QByteArray& bytes) {
        QFile out(QFile::decodeName(QByteArray::fromStdString(file.native())));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    static QByteArray readFile(const fs::path& file) {
        QFile in(QFile::decodeName(QByteArray::fromStdString(file.native())));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // A GIF of the given size whose one pixel of data claims the whole of it.
    static QByteArray declaredGif(int side) {
        QByteArray gif("GIF89a");
        const char w[2] = {static_cast<char>(side & 0xFF), static_cast<char>(side >> 8)};
        gif.append(w, 2).append(w, 2).append("\x80\x00\x00", 3).append(6, '\0');
        gif.append("\x2C\0\0\0\0", 5).append(w, 2).append(w, 2).append('\0');
        gif.append("\x02\x02\x4C\x01\x00\x3B", 6);
        return gif;
    }

  private slots:
    void cutBrokenAndOversizedPicturesAreUnusable() {
        QTemporaryDir dir;
        const fs::path folder = mediaCopy(dir, "media");
        QVERIFY(MediaCatalogue(folder).unusableFiles().isEmpty());
        const QByteArray jpeg = readFile(folder / "atras.jpg");
        const QByteArray gif = readFile(folder / "intro.gif");
        QImage wide(kMaxPictureSide + 1, 2, QImage::Format_RGB32);
        wide.fill(Qt::green);
        QByteArray wideJpeg;
        QBuffer buffer(&wideJpeg);
        wide.save(&buffer, "JPG");
        writeFile(folder / "atras.jpg", jpeg.left(jpeg.size() / 2));
        writeFile(folder / "intro.gif", gif.left(gif.size() - 1));
        writeFile(folder / "carta1a.gif", declaredGif(5600));
        writeFile(folder / "carta.jpg", wideJpeg);
        writeFile(folder / "ninguna.jpg", "not a picture");
        const MediaCatalogue media(folder);
        QCOMPARE(media.unusableFiles(), QStringList({"carta1a.gif", "atras.jpg", "ninguna.jpg",
                                                     "carta.jpg", "intro.gif"}));
        QVERIFY(declaredGif(5600).size() == 35);
        QVERIFY(media.picture(QStringLiteral("carta1a.gif")).isNull());
        QVERIFY(media.picture(QStringLiteral("atras.jpg")).isNull());
        QVERIFY(!media.picture(QStringLiteral("carta2a.gif")).isNull());
        QVERIFY(!decodePicture(folder / "carta2a.gif").isNull());
    }

    void aFolderNamedInBytesThatAreNotUtf8Works() {
        QTemporaryDir dir;
        const fs::path folder = mediaCopy(dir, "carpeta-\xE9\xFF");
        const std::unique_ptr<const fs::path, void (*)(const fs::path*)> removed(
            &folder, [](const fs::path* p) { fs::remove_all(*p); });  // QTemporaryDir cannot
        const MediaCatalogue media(folder);
        QVERIFY(media.unusableFiles().isEmpty());
        QCOMPARE(media.picture(QStringLiteral("carta1a.gif")).size(), QSize(71, 96));
        QCOMPARE(media.filePath(QStringLiteral("ayuda.avi")), folder / "ayuda.avi");
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
            ClipLoader gone;
            gone.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi",
                       [&](ClipLoader::Decoded) { late = true; });
        }
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }

    void theNameBoxTakesNoMoreThanTheTableKeeps() {
        QTemporaryDir dir;
        Game game(QFile::decodeName(QByteArray::fromStdString(mediaCopy(dir, "m").native())),
                  [] {});
        PlayerScript script;
        script.box(PlayerScript::typeAndAccept(QString(300, 'x')));
        const std::string name = game.services().inputBox("HA BATIDO UN RECORD!!!", "");
        QCOMPARE(name.size(), std::size_t{kMaxNameChars});
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::MediaTest)
#include "media_test.moc"
