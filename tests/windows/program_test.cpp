// SPDX-License-Identifier: GPL-3.0-or-later
// The real program under the offscreen platform: a game played from the menu as a player plays
// it, the help and about windows, the media check at start-up, the clip's decoding and the
// timers.

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QThreadPool>
#include <fstream>
#include <thread>

#include "about_window.h"
#include "approved_picture.h"
#include "avi_builder.h"
#include "fake_services.h"
#include "game.h"
#include "help_window.h"
#include "media_check.h"
#include "picture_decoder.h"
#include "player_script.h"
#include "program_files.h"
#include "program_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;

class ProgramTest : public QObject {
    Q_OBJECT

  private:
    const MediaCatalogue shipped_{QStringLiteral(CRESTAVERDE_MEDIA_DIR)};
    FakeServices services_;

    // A 35-byte GIF of the given size whose one pixel of data claims the whole of it.
    static std::string declaredGif(int side) {
        const std::string w = {static_cast<char>(side & 0xFF), static_cast<char>(side >> 8)};
        return "GIF89a" + w + w + std::string("\x80\0\0\0\0\0\0\0\0\x2C\0\0\0\0", 14) + w + w +
               std::string("\0\x02\x02\x4C\x01\0\x3B", 7);
    }

    // A GIF of one-pixel frames.
    static std::string animatedGif(int frames) {
        std::string gif("GIF89a\1\0\1\0\x80\0\0\0\0\0\xFF\xFF\xFF", 19);
        for (int i = 0; i < frames; ++i)
            gif += std::string("\x2C\0\0\0\0\1\0\1\0\0\x02\x02\x44\x01\0", 15);
        return gif + "\x3B";
    }

  private slots:
    void initTestCase() { prepareApplication(); }

    // A game from the menu, which opens in the middle of the board's screen, on a table that
    // already holds a long name, out of time on its last try and the name box cancelled. Then
    // help from the keyboard: Enter presses the focused button, not the default Play; help shows
    // each frame of its clip, even a clip of two frames, whole in the middle of the clip's place,
    // and closes by its close box only. The abandon question, a name
    // typed, about and Esc on the menu are played by start_and_end_test.cpp and tests/e2e.
    void aGameAsAPlayerPlaysIt() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        const QString longName = QStringLiteral("Un nombre de jugador muy largo de verdad");
        const std::string before = longName.toStdString() + "\r\n98700\r\n";
        writeBytes(folder / "record.ini", before + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        AviBuilder clip;
        clip.width = 4;
        clip.palette = {{200, 0, 0}, {0, 0, 210}};
        clip.frames = {indices({0, 1, 1, 0}), indices({1, 0, 0, 1})};
        writeBytes(folder / "ayuda.avi", clip.bytes());
        Game game(folder, [] {});
        MenuWindow& menu = game.menuWindow();
        QPoint off;
        QString typed;
        QImage clipShown;
        QImage clipFrame;
        const auto modal = [] { return QApplication::activeModalWidget(); };
        bool escKeptHelp = false;
        const auto ok = PlayerScript::click("Aceptar");
        PlayerScript script;
        script
            .when([&] { return menu.isVisible(); },
                  [&] {
                      off = menu.geometry().center() -
                            game.boardWindow().screen()->geometry().center();
                      QTest::keyClick(&menu, Qt::Key_Return);
                  })
            .box(ok)
            .box(ok)
            .when([&] { return game.services().timer(TimerId::Clock).active(); },
                  [&] {
                      BoardState& s = BoardTestAccess::state(game.board());
                      s.triesLeft = 1;
                      s.timeLeft = 5;
                      s.score = 700;
                  })
            .box(ok)
            .box(ok)
            .box([&](QDialog* box) {
                PlayerScript::type(QString(300, 'x'), false)(box);
                typed = box->findChild<QLineEdit*>()->text();
            })
            .when([&] { return menu.isVisible() && menu.scoreLabel(1)->text() == "700"; },
                  [&] {
                      menu.findChild<QPushButton*>("help")->setFocus();
                      QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
                  })
            .when(
                [&] {
                    auto* help = dynamic_cast<HelpWindow*>(modal());
                    return help != nullptr && help->clipLoaded() && help->currentFrame() > 0;
                },
                [&] {
                    const QPointer<HelpWindow> help = static_cast<HelpWindow*>(modal());
                    const int frame = help->currentFrame();  // grabbing runs no timer
                    clipShown = help->grab().toImage().convertToFormat(QImage::Format_RGB32);
                    clipFrame = help->frameImage(frame).convertToFormat(QImage::Format_RGB32);
                    QTest::keyClick(help, Qt::Key_Escape);
                    escKeptHelp = help && help->isVisible();
                    if (help) help->close();
                })
            .when([&] { return modal() == &menu; },
                  [&] { menu.hide(); });  // the test's own way out
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), kHangMs);

        QVERIFY2(off.manhattanLength() <= 8,  // give or take the menu's frame
                 qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
        QCOMPARE(script.seen(),
                 (QStringList{"CRESTAVERDE | NIVEL 1 | NoIcon | Aceptar",
                              "CRESTAVERDE | Empieza | NoIcon | Aceptar",
                              "JUEGO TERMINADO | El tiempo se ha acabado | Warning | Aceptar",
                              "JUEGO TERMINADO | No lo conseguistes | Warning | Aceptar",
                              "CRESTAVERDE | HA BATIDO UN RECORD!!! | [Introduzca su nombre]"}));
        QCOMPARE(clipShown.copy(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    clipFrame.size(), design::kHelpClip)),
                 clipFrame);
        QVERIFY(escKeptHelp);
        QCOMPARE(typed, QString(kMaxNameChars, 'x'));  // no more than the table keeps
        // The long name keeps one line, cut short before its score; the tip shows it whole.
        const QLabel* first = menu.nameLabel(0);
        QVERIFY(first->text().endsWith(QChar(0x2026)));
        QVERIFY(longName.startsWith(first->text().chopped(1).trimmed()));
        QCOMPARE(first->height(), design::kScoreRowHeight);
        QVERIFY(first->geometry().right() < menu.scoreLabel(0)->geometry().left());
        QCOMPARE(first->toolTip(), longName);
        for (int row = 0; row < 3; ++row) {  // every score shows whole
            const QLabel* score = menu.scoreLabel(row);
            QVERIFY(score->fontMetrics().horizontalAdvance(score->text()) <= score->width());
        }
        // A screen reader hears each row whole, once, on its name.
        const auto heard = [&](int row) {
            return QAccessible::queryAccessibleInterface(menu.nameLabel(row))
                ->text(QAccessible::Name);
        };
        QCOMPARE(heard(0), longName + ", 98700");
        QCOMPARE(heard(1), QStringLiteral("700"));
        QVERIFY(QAccessible::queryAccessibleInterface(menu.scoreLabel(1))->state().invisible);
        // Under the long name, 700 with no name: its box was cancelled.
        QCOMPARE(readBytes(folder / "record.ini"), before + "\r\n700\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    }

    // The start menu looks as approved: its pictures, the landscape's frame and the record table.
    void theMenuLooksAsApproved() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        writeBytes(folder / "record.ini",
                   "Pe\xF1"
                   "a\r\n98700\r\nLuis\r\n5000\r\n\r\n700\r\n\r\n\r\n\r\n\r\n");
        Game game(folder, [] {});
        if (game.menuWindow().devicePixelRatio() != 1) QSKIP("approved at one pixel per pixel");
        game.menu().open();
        game.menuWindow().showTable();
        const QString why = unapproved(game.menuWindow().grab().toImage(), "menu.png");
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // Cut, broken, oversized and missing files, in a folder whose name is not UTF-8. Broken
    // inside, a large picture is found by the quick check, a small one by the later one.
    void theStartUpCheckNamesTheUnusableFiles() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir, "carpeta-\xE9\xFF");
        for (const char* name : {"intro.gif", "carta5a.gif"}) {
            std::string bytes = readBytes(folder / name);
            bytes.replace(bytes.size() / 3, 200, std::string(200, '\xFF'));
            writeBytes(folder / name, bytes);
        }
        const std::string jpeg = readBytes(folder / "atras.jpg");
        const std::string gif = readBytes(folder / "carta3b.gif");
        QImage wide(kMaxPictureSide + 1, 2, QImage::Format_RGB32);
        wide.fill(Qt::green);
        QVERIFY(wide.save(QString::fromStdString(dir.file("wide.jpg")), "JPG"));
        writeBytes(folder / "carta.jpg", readBytes(dir.file("wide.jpg")));
        writeBytes(folder / "atras.jpg", jpeg.substr(0, jpeg.size() / 2));
        writeBytes(folder / "carta3b.gif", gif.substr(0, gif.size() - 1));
        writeBytes(folder / "carta1a.gif", declaredGif(5600));
        writeBytes(folder / "ninguna.jpg", "not a picture");
        writeBytes(folder / "cartaqa.svg", "<svg");
        writeBytes(folder / "cartaka.svg", "");
        fs::remove(folder / "atras.svg");
        const MediaCatalogue media(folder);
        const QStringList unusable = {"carta1a.gif", "carta3b.gif", "cartaka.svg", "atras.jpg",
                                      "atras.svg",   "ninguna.jpg", "carta.jpg",   "intro.gif"};
        QCOMPARE(media.unusableFiles(), unusable);
        // Pictures are decoded and drawings parsed whole aside, with the menu up: till then a
        // broken drawing shows its picture, stretched. A deal waits for the pictures.
        QCOMPARE(media.picture("cartaqa.gif", {71, 96}, 1).size(), QSize(71, 96));
        std::optional<QStringList> reported;
        int reports = 0;
        const auto report = [&](const QStringList& found) { reported = found, ++reports; };
        {
            MediaCheck check(folder, report);
            QTRY_VERIFY_WITH_TIMEOUT(reported.has_value(), kHangMs);
            check.waitForPictures();  // what it found is not told twice
            QCOMPARE(reports, 1);
        }
        QCOMPARE(*reported, QStringList({"carta1a.gif", "carta3b.gif", "carta5a.gif", "cartaqa.svg",
                                         "cartaka.svg", "atras.jpg", "atras.svg", "ninguna.jpg",
                                         "carta.jpg"}));
        QWidget unpainted;  // a deal before the first paint
        MediaCheck(folder, report, &unpainted).waitForPictures();
        QCOMPARE(*reported, QStringList({"carta1a.gif", "carta3b.gif", "carta5a.gif", "atras.jpg",
                                         "ninguna.jpg", "carta.jpg"}));
        fs::remove(folder / "carta1a.svg");  // drawn from the refused bitmap, then: nothing
        QVERIFY(media.picture("carta1a.gif", {71, 96}, 1).isNull());
        QVERIFY(!media.picture("carta2a.gif", {71, 96}, 1).isNull());

        // The box names five files and how many more, and fits the screen.
        const QString message = MediaCatalogue::unusableMessage(QString(300, 'c'), unusable);
        QVERIFY(message.contains(QStringLiteral("y 3 más")));
        QVERIFY(message.contains(unusable[4]) && !message.contains(unusable[5]));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CRESTAVERDE"), message,
                        QMessageBox::Ok);  // as the program shows it, with Qt's own button
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
        QVERIFY2(box.sizeHint().height() < 480, QByteArray::number(box.sizeHint().height()));
        QVERIFY(!MediaCatalogue::unusableMessage("f", {"a", "b", "c", "d", "e"}).contains("más"));
        // The folder's last 80 characters at most, its cut end marked.
        const QString folder80 = QString(79, 'd') + 'e';
        QVERIFY(MediaCatalogue::unusableMessage(folder80, {}).contains('(' + folder80 + ')'));
        QVERIFY(MediaCatalogue::unusableMessage('x' + folder80, {})
                    .contains(QStringLiteral("(…") + folder80 + ')'));

        // A clip that starts as one but cannot be decoded is reported by the clip's name, and
        // help opens all the same.
        writeBytes(folder / "ayuda.avi", "RIFF and then no clip at all");
        Game game(folder, [] {});
        PlayerScript script;
        script.box(PlayerScript::click("Aceptar"));
        HelpWindow help(media, game.services(), nullptr);
        help.show();
        QTRY_COMPARE_WITH_TIMEOUT(script.seen().size(), qsizetype{1}, kHangMs);
        QVERIFY2(script.seen()[0].contains(QRegularExpression("ayuda\\.avi.* \\| Warning \\|")),
                 qPrintable(script.seen()[0]));
        QVERIFY(!help.clipLoaded() && help.isVisible());
    }

    // The pictures wait for the first window's paint; a deal that comes sooner waits for them,
    // as theStartUpCheckNamesTheUnusableFiles shows.
    void theMediaCheckStartsWithTheFirstPaint() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        writeBytes(folder / "ninguna.jpg", "not a picture");
        std::optional<QStringList> reported;
        struct Painted : QWidget {
            int paints = 0;
            void paintEvent(QPaintEvent* /*event*/) override { ++paints; }
        } shown;
        const MediaCheck check(
            folder, [&](const QStringList& found) { reported = found; }, &shown);
        shown.show();
        QTRY_COMPARE_WITH_TIMEOUT(reported, QStringList{"ninguna.jpg"}, kHangMs);
        QVERIFY(shown.paints > 0);  // the check's watch takes nothing from the window
    }

    // No picture of the game comes near any bound: one past it is a broken file.
    void aPictureFileIsReadUpToItsBytesFramesAndSides() {
        TempFolder dir;
        QImage square(kMaxPictureSide, kMaxPictureSide, QImage::Format_RGB32);
        square.fill(Qt::green);
        QVERIFY(square.save(QString::fromStdString(dir.file("square.jpg")), "JPG"));
        QCOMPARE(decodePicture(dir.file("square.jpg")).size(), square.size());
        constexpr std::size_t kMebibyte = 1024 * 1024;
        for (const std::size_t size : {8 * kMebibyte, 8 * kMebibyte + 1}) {
            writeBytes(dir.file("big.gif"), std::string(size, 'g'));
            QCOMPARE(std::size_t(readMediaFile(dir.file("big.gif")).size()),
                     size > 8 * kMebibyte ? 0 : size);
        }
        // Every start-of-frame marker gives the frame's size, high byte first; the tables and the
        // reserved one do not.
        for (int marker = 0xC0; marker <= 0xCF; ++marker) {
            writeBytes(dir.file("frame.jpg"),
                       "\xFF\xD8\xFF" + std::string(1, char(marker)) +
                           std::string("\0\x0B\x08\1\x05\1\x07\1\1\x11\0", 11) + "\xFF\xD9");
            const bool sized = marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            QCOMPARE(wholePictureSize(dir.file("frame.jpg")), sized ? QSize(263, 261) : QSize());
        }
        writeBytes(dir.file("filled.jpg"),
                   "\xFF\xD8\xFF" + readBytes(dir.file("frame.jpg")).substr(2));
        QCOMPARE(wholePictureSize(dir.file("filled.jpg")), QSize(263, 261));  // after a fill byte
        writeBytes(dir.file("side.gif"), declaredGif(kMaxPictureSide));       // low byte first
        QCOMPARE(wholePictureSize(dir.file("side.gif")), QSize(kMaxPictureSide, kMaxPictureSide));
        writeBytes(dir.file("version.gif"), std::string("GIF88a\1\0\1\0;", 11));  // no such GIF
        QCOMPARE(wholePictureSize(dir.file("version.gif")), QSize());
        writeBytes(dir.file("padded.gif"), animatedGif(1) + '\0');  // whole, then padded
        QVERIFY(!decodePicture(dir.file("padded.gif")).isNull());
        for (const int frames : {1, 2, 1000, 1001}) {
            writeBytes(dir.file("anim.gif"), animatedGif(frames));
            QCOMPARE(decodePicture(dir.file("anim.gif")).isNull(), frames > 1000);
        }
    }

    // Decoded on a worker; a loader that goes away first never calls back.
    void theClipIsDecodedAwayFromTheWindowThread() {
        std::thread::id decodedOn;
        std::optional<ClipLoader::Decoded> result;
        bool late = false;
        {
            ClipLoader loader([&](const std::string& path, const ClipLimits& limits) {
                decodedOn = std::this_thread::get_id();
                return decodeClip(path, limits);
            });
            loader.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi",
                         [&](ClipLoader::Decoded decoded) { result = std::move(decoded); });
            QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), kHangMs);
            ClipLoader gone(&decodeClip);
            gone.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi",
                       [&](ClipLoader::Decoded) { late = true; });
        }
        QVERIFY(decodedOn != std::this_thread::get_id());
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!late);
    }

    // The about and help windows' texts are laid out within their places, wrapped where long.
    void theAboutAndHelpTextsFitTheirPlaces() {
        const AboutWindow about(shipped_, services_, "", nullptr);
        const HelpWindow help(shipped_, services_, nullptr);
        for (const QWidget* window : std::initializer_list<const QWidget*>{&about, &help}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) continue;
                const int height = label->heightForWidth(label->width());
                QVERIFY2(label->minimumSizeHint().width() <= label->width() && height > 0 &&
                             height <= label->height(),
                         qPrintable(label->objectName()));
            }
        }
    }

    // "Info. del sistema" starts the first system tool found, or says that there is none.
    void theSystemInfoButtonStartsATool() {
        TempFolder dir;
        std::ofstream(dir.file("lxtask")) << "#!/bin/sh\ntouch \"$0.ran\"\n";
        std::filesystem::permissions(dir.file("lxtask"), std::filesystem::perms::owner_all);
        const std::size_t boxes = services_.shown.size();
        AboutWindow none(shipped_, services_, "", nullptr);
        none.findChild<QPushButton*>("systemInfo")->click();
        QCOMPARE(services_.shown.size(), boxes + 1);
        QCOMPARE(services_.shown.back().text,
                 "La información del sistema no está disponible en este momento");
        AboutWindow found(shipped_, services_, dir.path().string(), nullptr);
        found.findChild<QPushButton*>("systemInfo")->click();
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(dir.file("lxtask.ran")), kHangMs);
        QCOMPARE(services_.shown.size(), boxes + 1);
    }

    // The fan's top card lies whole over the other two.
    void theAboutWindowsTopCardLiesOverTheOthers() {
        AboutWindow about(shipped_, services_, "", nullptr);
        const QRect top = design::kAboutCards[1];
        const QRect inside = top.adjusted(4, 4, -4, -4);  // clear of the rounded corners
        const QImage card =
            shipped_.picture(media::cardPicture(about.fan()[1]), top.size(), 1).toImage();
        QCOMPARE(about.grab().toImage().copy(inside).convertToFormat(card.format()),
                 card.copy(inside.translated(-top.topLeft())));
    }

    // A bare QTimer of interval zero would tick on every pass of the event loop.
    void aTimerWithIntervalZeroNeverTicks() {
        int ticks = 0;
        QtTimer timer([&] { ++ticks; });
        timer.start(0);
        QVERIFY(timer.active());
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(ticks, 0);
        timer.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(ticks > 0, kHangMs);
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::ProgramTest)
#include "program_test.moc"
