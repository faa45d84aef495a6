// SPDX-License-Identifier: GPL-3.0-or-later
// The windows as a desktop sees them: whose transient each one is, the title-bar buttons each one
// asks for, the board's own events telling when it is back in the player's sight, and how a
// window closes after its last frame.

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <functional>

#include "game.h"
#include "last_frame.h"
#include "program_folder.h"
#include "sight_watch.h"

namespace crestaverde::testing {

namespace {

constexpr Qt::WindowFlags kButtons =
    Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;

// What a desktop learns of a window: whose transient it is, which title-bar buttons it asks for.
struct Seen {
    QWindow* over = nullptr;
    Qt::WindowFlags buttons;
    bool operator==(const Seen&) const = default;
};

Seen seen(QWidget& window) {
    return {window.windowHandle() != nullptr ? window.windowHandle()->transientParent() : nullptr,
            window.windowFlags() & kButtons};
}

// Runs open, which shows a modal window; what is seen of that window once it is up, then closed.
Seen whileModalUp(const std::function<void()>& open) {
    QWidget* const before = QApplication::activeModalWidget();
    Seen found;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr || modal == before || !modal->isVisible()) return;
        poll.stop();
        found = seen(*modal);
        QMetaObject::invokeMethod(
            modal, [modal] { modal->done(0); }, Qt::QueuedConnection);
    });
    poll.start(5);
    open();
    return found;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { prepareApplication(); }

    // Every other window is a transient of the window it opens over, so that a compositor that
    // centres dialogs centres it there. The board alone can be minimised; nothing can be
    // maximised by the player, and everything closes.
    void eachWindowBelongsToTheOneItOpensOverAndAsksForItsOwnButtons() {
        TempFolder dir;
        Game game(mediaCopy(dir), [] {});
        game.boardWindow().show();
        QWindow* board = game.boardWindow().windowHandle();
        MenuWindow& menu = game.menuWindow();
        menu.show();
        const Qt::WindowFlags closes = Qt::WindowCloseButtonHint;
        QCOMPARE(seen(game.boardWindow()), (Seen{nullptr, closes | Qt::WindowMinimizeButtonHint}));
        QCOMPARE(seen(menu), (Seen{board, closes}));
        QCOMPARE(whileModalUp([&] { game.showHelp(); }), (Seen{menu.windowHandle(), closes}));
        QCOMPARE(whileModalUp([&] { game.showAbout(); }), (Seen{menu.windowHandle(), closes}));
        menu.hide();
        QCOMPARE(whileModalUp([&] { game.services().message("NIVEL 1"); }), (Seen{board, closes}));
        QCOMPARE(whileModalUp([&] { (void)game.services().askText("Nombre", "", 10); }),
                 (Seen{board, closes}));
        QCOMPARE(
            whileModalUp([&] { (void)game.services().ask("¿Desea abandonar la partida?"); }).over,
            board);
    }

    // On Wayland a minimise asked for is done, the focus lost, and the board is back when it
    // regains it; or it is ignored, the board left up and focused, and a click brings it back.
    void onWaylandTheBoardIsBackOnTheFocusItLostOrAClick() {
        for (const bool focusLost : {true, false}) {
            QWidget board;
            const SightWatch watch(board, Sight::Platform::Wayland, [](bool) {});
            board.show();
            board.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&board));
            emit board.windowHandle()->windowStateChanged(Qt::WindowMinimized);
            QFocusEvent out(QEvent::FocusOut);
            QFocusEvent in(QEvent::FocusIn);
            if (focusLost) QCoreApplication::sendEvent(board.windowHandle(), &out);
            QVERIFY(watch.outOfSight());
            if (focusLost) QCoreApplication::sendEvent(board.windowHandle(), &in);
            if (!focusLost) QTest::mouseClick(board.windowHandle(), Qt::LeftButton);
            QVERIFY2(!watch.outOfSight(), focusLost ? "focus" : "click");
        }
    }

    // What waits for the board to be exposed runs at once when it already is.
    void whatWaitsForTheExposedBoardRunsAtOnceIfItIs() {
        QWidget board;
        SightWatch watch(board, Sight::Platform::Wayland, [](bool) {});
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        bool ran = false;
        watch.whenExposed([&] { ran = true; });
        QVERIFY(ran);
    }

    // A Wayland board that loses the focus to another window, and stays in sight, draws a pixel
    // a frame while it probes, then nothing: idle, it uses no CPU.
    void onWaylandTheBoardStopsProbingAfterItsTime() {
        struct Painted : QWidget {
            int paints = 0;
            QElapsedTimer sinceLast;
            void paintEvent(QPaintEvent* /*event*/) override { ++paints, sinceLast.start(); }
        } board;
        const SightWatch watch(board, Sight::Platform::Wayland, [](bool) {});
        board.show();
        QVERIFY(QTest::qWaitForWindowExposed(&board));
        const int shown = board.paints;
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(board.windowHandle(), &out);
        QTRY_VERIFY(board.paints > shown);
        QTRY_VERIFY_WITH_TIMEOUT(board.sinceLast.elapsed() > design::kSightProbeMs, 15000);
    }

    // On Wayland a window hides only once its last frame is in: until the next update it stays
    // up, drawing nothing.
    void aWindowWaitingForItsLastFrameClosesAtTheNextUpdate() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int closes = 0;
        closeAfterLastFrame(
            window, [&] { ++closes, window.hide(); }, FrameWait::Needed);
        QCOMPARE(closes, 0);
        QVERIFY(!window.updatesEnabled());
        QTRY_COMPARE(closes, 1);
        QVERIFY(window.updatesEnabled() && !window.isVisible());
    }

    void aSecondCloseWhileWaitingIsDropped() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList closes;
        closeAfterLastFrame(
            window, [&] { closes << "first", window.hide(); }, FrameWait::Needed);
        closeAfterLastFrame(
            window, [&] { closes << "second"; }, FrameWait::Needed);
        QTRY_COMPARE(closes, QStringList{"first"});
        window.show();
        closeAfterLastFrame(
            window, [&] { closes << "again"; }, FrameWait::NotNeeded);
        QCOMPARE(closes, (QStringList{"first", "again"}));
    }

    void whatThePlayerDoesInAClosingWindowGoesNowhere() {
        QPushButton button(QStringLiteral("Aceptar"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        int clicks = 0;
        QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        bool closed = false;
        closeAfterLastFrame(
            button, [&] { closed = true; }, FrameWait::Needed);
        // Through the window, as the window system delivers them.
        QTest::mouseClick(button.windowHandle(), Qt::LeftButton, {}, button.rect().center());
        QTest::keyClick(button.windowHandle(), Qt::Key_Space);
        QTRY_VERIFY(closed);
        QCOMPARE(clicks, 1);
    }

    // Qt's message box hides itself on a click; this one closes through its done(), and tells
    // which button the player chose.
    void aMessageBoxTellsWhichButtonClosedIt() {
        MessageBoxClosingAfterLastFrame box(QMessageBox::Question, QStringLiteral("CRESTAVERDE"),
                                            QStringLiteral("¿Desea abandonar la partida?"),
                                            nullptr);
        box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setEscapeButton(no);
        int done = 0;
        QObject::connect(&box, &QDialog::finished, [&] { ++done; });
        QTimer::singleShot(0, &box, [&box] { QTest::keyClick(&box, Qt::Key_Escape); });
        box.exec();
        QCOMPARE(box.chosen(), no);
        QCOMPARE(done, 1);
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::DesktopTest)
#include "desktop_test.moc"
