// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a desktop sees them: whose transient each one is, the title-bar buttons each one
// asks for, and the board's own events telling when it is back in the player's sight.

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QWindow>
#include <functional>
#include <vector>

#include "game.h"
#include "program_folder.h"
#include "sight_watch.h"

namespace crestaverde::testing {

class DesktopTest : public QObject {
    Q_OBJECT

  private:
    // Runs open, which shows a modal window; once that window is up, hands it to look and
    // closes it.
    static void whileModalUp(const std::function<void()>& open,
                             const std::function<void(QWidget&)>& look) {
        QWidget* const before = QApplication::activeModalWidget();
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == before || !modal->isVisible()) return;
            poll.stop();
            look(*modal);
            auto* dialog = qobject_cast<QDialog*>(modal);
            QMetaObject::invokeMethod(
                dialog, [dialog] { dialog->done(0); }, Qt::QueuedConnection);
        });
        poll.start(5);
        open();
        QVERIFY(!poll.isActive());
    }

    static QWindow* transientParentOf(QWidget& window) {
        return window.windowHandle() != nullptr ? window.windowHandle()->transientParent()
                                                : nullptr;
    }

    static constexpr Qt::WindowFlags kSizeButtons =
        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

  private slots:
    void initTestCase() { prepareApplication(); }

    // So that a compositor that centres dialogs centres each over the window it belongs to.
    void everyOtherWindowIsATransientOfTheWindowItOpensOver() {
        TempFolder dir;
        Game game(mediaCopy(dir), [] {});
        BoardWindow& board = game.boardWindow();
        board.show();
        MenuWindow& menu = game.menuWindow();
        menu.show();
        QCOMPARE(transientParentOf(menu), board.windowHandle());
        QWindow* helpOver = nullptr;
        whileModalUp([&] { game.showHelp(); },
                     [&](QWidget& help) { helpOver = transientParentOf(help); });
        QCOMPARE(helpOver, menu.windowHandle());
        QWindow* aboutOver = nullptr;
        whileModalUp([&] { game.showAbout(); },
                     [&](QWidget& about) { aboutOver = transientParentOf(about); });
        QCOMPARE(aboutOver, menu.windowHandle());
        menu.hide();
        std::vector<QWindow*> boxesOver;
        const auto keep = [&](QWidget& box) { boxesOver.push_back(transientParentOf(box)); };
        whileModalUp([&] { game.services().message("NIVEL 1"); }, keep);
        whileModalUp([&] { (void)game.services().ask("¿Desea abandonar la partida?"); }, keep);
        whileModalUp([&] { (void)game.services().askText("Nombre", "", 10); }, keep);
        QCOMPARE(boxesOver, std::vector<QWindow*>(3, board.windowHandle()));
    }

    // The board alone can be minimised; nothing can be maximised by the player.
    void eachWindowAsksOnlyForTheTitleBarButtonsOfItsDesign() {
        TempFolder dir;
        Game game(mediaCopy(dir), [] {});
        const auto sizeButtons = [](const QWidget& window) {
            return window.windowFlags() & kSizeButtons;
        };
        const auto closes = [](const QWidget& window) {
            return window.windowFlags().testFlag(Qt::WindowCloseButtonHint);
        };
        QCOMPARE(sizeButtons(game.boardWindow()), Qt::WindowMinimizeButtonHint);
        QVERIFY(closes(game.boardWindow()));
        QCOMPARE(sizeButtons(game.menuWindow()), Qt::WindowFlags());
        QVERIFY(closes(game.menuWindow()));
        game.boardWindow().show();
        std::vector<Qt::WindowFlags> found;
        const auto keep = [&](QWidget& window) {
            found.push_back(sizeButtons(window));
            QVERIFY(closes(window));
        };
        whileModalUp([&] { game.showHelp(); }, keep);
        whileModalUp([&] { game.showAbout(); }, keep);
        whileModalUp([&] { game.services().message("Empieza"); }, keep);
        whileModalUp([&] { (void)game.services().askText("Nombre", "", 10); }, keep);
        QCOMPARE(found, std::vector<Qt::WindowFlags>(4, Qt::WindowFlags()));
    }

    void onWaylandTheBoardIsBackWhenItRegainsTheFocusItLost() {
        QWidget board;
        const SightWatch watch(board, Sight::Platform::Wayland, [](bool) {});
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        emit board.windowHandle()->windowStateChanged(Qt::WindowMinimized);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(board.windowHandle(), &out);
        QVERIFY(watch.outOfSight());
        QFocusEvent in(QEvent::FocusIn);
        QCoreApplication::sendEvent(board.windowHandle(), &in);
        QVERIFY(!watch.outOfSight());
    }

    void onWaylandAClickOnTheBoardBringsItBackFromAnIgnoredMinimise() {
        QWidget board;
        const SightWatch watch(board, Sight::Platform::Wayland, [](bool) {});
        board.show();
        board.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&board));
        // Asked for, and left up and focused by the compositor.
        emit board.windowHandle()->windowStateChanged(Qt::WindowMinimized);
        QVERIFY(watch.outOfSight());
        QTest::mouseClick(board.windowHandle(), Qt::LeftButton);
        QVERIFY(!watch.outOfSight());
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::DesktopTest)
#include "desktop_test.moc"
