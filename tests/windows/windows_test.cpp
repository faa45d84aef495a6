// The real windows under the offscreen platform: layout, clicks, boxes and the whole flow.

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "about_window.h"
#include "fake_services.h"
#include "game.h"
#include "help_window.h"
#include "player_script.h"
#include "score_location.h"

namespace crestaverde::testing {

using design::Element;
using design::ElementKind;

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    // A program folder of its own: the shipped media and the clip decoder, no score file yet.
    std::unique_ptr<QTemporaryDir> programFolder() {
        auto folder = std::make_unique<QTemporaryDir>();
        const QDir media(QStringLiteral(CRESTAVERDE_MEDIA_DIR));
        for (const QString& name : MediaCatalogue::fileNames()) {
            QFile::copy(media.filePath(name), folder->filePath(name));
        }
        QFile::copy(QStringLiteral(CRESTAVERDE_CLIP_MODULE), folder->filePath(kClipModuleName));
        return folder;
    }

    static std::filesystem::path clipModuleIn(const QTemporaryDir& folder) {
        return clipModuleFor(QFile::encodeName(folder.path()).toStdString());
    }

    static int stackingPlace(Element element) {
        const auto& order = design::boardStacking();
        return static_cast<int>(std::find(order.begin(), order.end(), element) - order.begin());
    }

    static QPoint windowPointOf(BoardWindow& window, Element element) {
        return window.designToWindow().map(window.designRect(element).center()).toPoint();
    }

    static bool clockRuns(Game& game) { return game.services().timer(TimerId::Clock).active(); }

    // Deals a game and lets the banner finish, answering its two boxes.
    static void dealAndStart(Game& game) {
        PlayerScript script;
        script.box(PlayerScript::clickButton("Aceptar")).box(PlayerScript::clickButton("Aceptar"));
        game.board().deal();
        QTRY_VERIFY_WITH_TIMEOUT(clockRuns(game), 10000);
    }

    // A game on a shown 1920 x 1080 board, its clock running.
    static std::unique_ptr<Game> gameOnScreen(const QString& folder) {
        auto game = std::make_unique<Game>(folder, [] {});
        game->boardWindow().show();
        game->boardWindow().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);  // stretched
        game->boardWindow().resize(1920, 1080);
        if (!QTest::qWaitForWindowExposed(&game->boardWindow())) return nullptr;
        dealAndStart(*game);
        return game;
    }

  private slots:
    void initTestCase() { prepareApplication(); }

    void designPositionsAndStacking() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        BoardWindow& window = game.boardWindow();
        QCOMPARE(window.designRect({ElementKind::TowerCard, 13}), QRectF(402, 112, 71, 96));
        QCOMPARE(window.designRect({ElementKind::Cover, 6}), QRectF(204, 192, 71, 96));
        QCOMPARE(window.designRect({ElementKind::FaceUpCard, 0}), QRectF(405, 447, 71, 96));
        QCOMPARE(window.designRect({ElementKind::StockPile, 0}), QRectF(327, 447, 71, 96));
        const std::array<int, 19> covered = {0,  1,  2,  3,  4,  5,  6,  11, 12, 13,
                                             14, 15, 16, 20, 21, 22, 23, 24, 25};
        for (int n = 1; n <= 18; ++n) {
            QVERIFY(stackingPlace({ElementKind::Cover, n}) <
                    stackingPlace({ElementKind::TowerCard, covered.at(std::size_t(n))}));
        }
        for (int base : {7, 8, 9, 10, 17, 18, 19, 26, 27, 28}) {
            for (int row3 : {4, 5, 6, 14, 15, 16, 23, 24, 25}) {
                QVERIFY(stackingPlace({ElementKind::TowerCard, base}) <
                        stackingPlace({ElementKind::TowerCard, row3}));
            }
        }
        const int title =
            stackingPlace({ElementKind::Label, static_cast<int>(design::BoardLabel::BigTitle)});
        for (int p = 1; p <= kTowerCards; ++p)
            QVERIFY(stackingPlace({ElementKind::TowerCard, p}) < title);
        QCOMPARE(window.windowTitle(), QStringLiteral("CRESTAVERDE"));
        QCOMPARE(window.findChild<QPushButton*>("abandon")->text(), QStringLiteral("&Abandonar"));
        QCOMPARE(window.findChild<QProgressBar*>("timeBar")->maximum(), 200);
    }

    void menuDesign() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        MenuWindow& menu = game.menuWindow();
        QCOMPARE(menu.windowTitle(), QStringLiteral("BIENVENIDO A CRESTAVERDE"));
        QCOMPARE(menu.size(), QSize(546, 297));
        const QStringList captions = {"&Jugar", "Ay&uda...", "&Acerca de...", "&Salir"};
        const QStringList names = {"play", "help", "about", "quit"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(menu.findChild<QPushButton*>(names[i])->text(), captions[i]);
        QVERIFY(menu.findChild<QPushButton*>("play")->isDefault());
        QCOMPARE(menu.findChild<QPushButton*>("quit")->geometry(), QRect(108, 255, 85, 31));
        QCOMPARE(menu.windowIcon().availableSizes().size(), qsizetype{media::kIconSizes.size()});
    }

    void aLongNameInTheRecordTableIsCutToOneLineBeforeItsScore() {
        auto folder = programFolder();
        const QString whole = QStringLiteral("Un nombre de jugador muy largo de verdad");
        QFile record(folder->filePath("record.ini"));
        QVERIFY(record.open(QIODevice::WriteOnly));
        record.write(whole.toLatin1() + "\r\n98700\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        record.close();
        Game game(folder->path(), [] {});
        MenuWindow& menu = game.menuWindow();
        PlayerScript script;
        script.when([&] { return menu.isVisible(); }, [&] { menu.hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 10000);
        const QLabel* name = menu.nameLabel(0);
        QVERIFY(name->text().endsWith(QChar(0x2026)));
        QVERIFY(whole.startsWith(name->text().chopped(1).trimmed()));
        QCOMPARE(name->height(), design::kScoreRowHeight);
        QVERIFY(name->geometry().right() < menu.scoreLabel(0)->geometry().left());
        QCOMPARE(name->toolTip(), whole);
    }

    void clicksGoToTheFrontMostCardAndNeedPressAndReleaseOnIt() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        BoardState& s = BoardTestAccess::state(game->board());
        BoardWindow& window = game->boardWindow();
        const auto at = [&](ElementKind kind, int index) {
            return windowPointOf(window, {kind, index});
        };

        // A card under its cover: the cover takes the click and nothing happens.
        s.faceUp.rank = 5;
        s.tower[1].rank = 6;
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(ElementKind::TowerCard, 1));
        QVERIFY(!s.taken[1]);

        // Pressed on one card and released on another: no click at all.
        s.tower[7].rank = 6;
        s.tower[8].rank = 4;
        QTest::mousePress(&window, Qt::LeftButton, {}, at(ElementKind::TowerCard, 7));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, at(ElementKind::TowerCard, 8));
        QVERIFY(!s.taken[7] && !s.taken[8]);

        // A free card on the scaled board: the click lands on it and plays it.
        QVERIFY(at(ElementKind::TowerCard, 7).y() > 400);  // scaled well beyond the design size
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(ElementKind::TowerCard, 7));
        QVERIFY(s.taken[7]);
        QCOMPARE(s.score, std::int64_t{300});

        // The face-up card draws.
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(ElementKind::FaceUpCard, 0));
        QCOMPARE(s.stockLeft, 23);
        QCOMPARE(window.labelText(design::BoardLabel::DrawsLeft), QStringLiteral("23"));
    }

    void keysMoveTheHighlightAndPlayAsAClickWould() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        BoardState& s = BoardTestAccess::state(game->board());
        BoardWindow& window = game->boardWindow();
        auto* abandon = window.findChild<QPushButton*>("abandon");
        const auto key = [&](Qt::Key k) {
            QTest::keyClick(abandon, k);
            return window.highlightedCard();
        };
        const auto tower = [](int position) { return Element{ElementKind::TowerCard, position}; };
        const Element faceUp{ElementKind::FaceUpCard, 0};
        s.faceUp.rank = 5;
        s.tower[17].rank = 6;
        s.tower[8].rank = 7;
        QCOMPARE(key(Qt::Key_Up), faceUp);     // the first arrow only shows the face-up card
        QCOMPARE(key(Qt::Key_Up), tower(18));  // the base card nearest above it
        QCOMPARE(key(Qt::Key_Up), tower(18));  // every card above is face down
        QCOMPARE(key(Qt::Key_Left), tower(17));
        QCOMPARE(key(Qt::Key_Return), faceUp);  // played: the highlight follows the card
        QVERIFY(s.taken[17]);
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Down), faceUp);
        QVERIFY(!key(Qt::Key_Escape));

        // A click clears the highlight and plays what it hits, not what was highlighted.
        key(Qt::Key_Up);
        s.faceUp.rank = 6;
        QTest::mouseClick(&window, Qt::LeftButton, {}, windowPointOf(window, tower(8)));
        QVERIFY(s.taken[8] && !window.highlightedCard());
        // With nothing highlighted the keys go to the abandon button.
        PlayerScript script;
        script.box(PlayerScript::pressKey(Qt::Key_Escape))
            .box(PlayerScript::pressKey(Qt::Key_Escape));
        key(Qt::Key_Space);
        key(Qt::Key_Return);
        QCOMPARE(script.seen().size(), std::size_t{2});
    }

    void theBoardOnTheAccessibilityBus() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        BoardState& s = BoardTestAccess::state(game->board());
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&game->boardWindow());
        QCOMPARE(board->childCount(), kBoardObjects + 2);  // and the abandon button and time bar
        QAccessibleInterface* peak = board->child(0);
        QCOMPARE(peak->text(QAccessible::Name), QStringLiteral("Carta boca abajo"));
        QVERIFY(peak->actionInterface()->actionNames().isEmpty());
        QAccessibleInterface* faceUp = board->child(kTowerCards);
        const std::array<std::pair<Card, const char*>, 5> names = {{
            {{7, Suit::Hearts}, "7 de corazones"},
            {{1, Suit::Spades}, "As de picas"},
            {{11, Suit::Clubs}, "Jota de tréboles"},
            {{12, Suit::Diamonds}, "Reina de diamantes"},
            {{13, Suit::Spades}, "Rey de picas"},
        }};
        for (const auto& [card, name] : names) {
            s.faceUp = card;
            QCOMPARE(faceUp->text(QAccessible::Name), QString::fromUtf8(name));
        }

        s.tower[7] = {12, Suit::Hearts};  // the first card of the base row, above the king
        const QString press = QAccessibleActionInterface::pressAction();
        board->child(18)->actionInterface()->doAction(press);
        QTRY_VERIFY(s.taken[7]);
        faceUp->actionInterface()->doAction(press);
        QTRY_COMPARE(s.stockLeft, 23);
        QCOMPARE(board->child(kTowerCards + 2)->text(QAccessible::Name),
                 QStringLiteral("Puntuación: 300"));
        QAccessibleInterface* time = board->child(kBoardObjects + 1);
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Tiempo"));
        QCOMPARE(time->valueInterface()->currentValue().toInt(), s.timeBar);
    }

    // Run also with QT_SCALE_FACTOR=2: the face-up card on the maximised board is, pixel for
    // pixel, its drawing rendered at the size it covers on screen, not a bitmap stretched there.
    void cardsAreDrawnFromTheirDrawingsAtTheirSizeOnScreen() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        BoardWindow& window = game->boardWindow();
        const QImage shot = window.grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const QRectF target = (window.designToWindow() * QTransform::fromScale(ratio, ratio))
                                  .mapRect(window.designRect({ElementKind::FaceUpCard, 0}));
        const QRect card(qRound(target.left()), qRound(target.top()), qRound(target.width()),
                         qRound(target.height()));
        QImage drawn(card.size(), QImage::Format_ARGB32);
        drawn.fill(design::kFelt);
        QPainter painter(&drawn);
        const QString name = media::cardPicture(game->board().state().faceUp);
        QSvgRenderer(folder->filePath(media::drawingOf(name)))
            .render(&painter, QRectF(drawn.rect()));
        painter.end();
        const QImage onScreen = shot.copy(card).convertToFormat(QImage::Format_ARGB32);
        int worst = 0;
        for (int y = 0; y < card.height(); ++y) {
            for (int x = 0; x < card.width(); ++x) {
                const QColor a = onScreen.pixelColor(x, y);
                const QColor b = drawn.pixelColor(x, y);
                worst = std::max({worst, std::abs(a.red() - b.red()),
                                  std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
            }
        }
        QVERIFY2(worst <= 8, qPrintable(QStringLiteral("%1 differs by %2").arg(name).arg(worst)));
    }

    void aTimerWithIntervalZeroNeverTicks() {
        int ticks = 0;
        QtTimer timer([&] { ++ticks; });
        timer.start(0);
        QVERIFY(timer.active());
        QTest::qWait(50);
        QCOMPARE(ticks, 0);
        timer.start(5);
        QTRY_VERIFY(ticks > 0);
        timer.stop();
        const int stopped = ticks;
        QTest::qWait(30);
        QCOMPARE(ticks, stopped);
    }

    void ticksWaitWhileABoxIsOpen() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        bool held = false;
        PlayerScript script;
        script
            .when([&] { return QApplication::activeModalWidget() != nullptr; },
                  [&] {
                      // The banner's own timer keeps running behind its "NIVEL 1" box.
                      QTest::qWait(150);
                      held = game.services().timer(TimerId::Banner).active() &&
                             game.board().state().timeBar == 200;
                  })
            .box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton("Aceptar"));
        game.board().deal();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 10000);
        QTRY_VERIFY(clockRuns(game));
        QVERIFY(held);
        QCOMPARE(script.seen().size(), std::size_t{2});
        QCOMPARE(script.seen()[0].text, QStringLiteral("NIVEL 1"));
    }

    void minimisingPausesTheClock() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        game.boardWindow().show();
        dealAndStart(game);
        game.boardWindow().setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!clockRuns(game));
        game.boardWindow().setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(clockRuns(game));
        QVERIFY(!game.board().state().paused);
    }

    void aDoubleClickIsOneClickAndEveryChangeIsDrawnAtOnce() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        BoardWindow& window = game->boardWindow();
        // What a double-click delivers: press, release, press, double-click, release.
        const QPoint faceUp = windowPointOf(window, {ElementKind::FaceUpCard, 0});
        QTest::mouseClick(&window, Qt::LeftButton, {}, faceUp);
        QTest::mousePress(&window, Qt::LeftButton, {}, faceUp);
        QMouseEvent second(QEvent::MouseButtonDblClick, faceUp, window.mapToGlobal(faceUp),
                           Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &second);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, faceUp);
        QCOMPARE(game->board().state().stockLeft, 23);
        // A held tick arrives through a posted call: what it changes shows without a timer.
        auto* bar = window.findChild<QProgressBar*>("timeBar");
        game->services().post([&] { BoardTestAccess::state(game->board()).timeBar = 120; });
        QTRY_COMPARE(bar->value(), 120);
    }

    // Every pixel that differs between the board drawn whole before and after a change lies in
    // what refresh repaints, and a count-down tick repaints little.
    void aChangeRepaintsAllItChangedAndATickLittleMore() {
        auto folder = programFolder();
        const auto game = gameOnScreen(folder->path());
        QVERIFY(game);
        game->services().timer(TimerId::Clock).stop();
        BoardWindow& window = game->boardWindow();
        BoardState& s = BoardTestAccess::state(game->board());
        const QRect bar = window.findChild<QProgressBar*>("timeBar")->geometry();
        s.faceUp.rank = 5;
        s.tower[8].rank = 6;
        const std::function<void()> changes[] = {
            [&] { game->board().playTowerCard(8); },  // a card, the score, the bar
            [&] { game->board().drawFromStock(); },   // the face-up card, the draws left
            [&] {
                s.phase = Phase::Countdown;
                game->board().tick(TimerId::Clock);
            }};
        qint64 area = 0;
        for (const auto& change : changes) {
            const QImage before = window.grab().toImage();
            change();
            const QRegion repainted = window.refresh() + bar;
            const QImage after = window.grab().toImage();
            for (int y = 0; y < after.height(); ++y) {
                for (int x = 0; x < after.width(); ++x) {
                    if (before.pixel(x, y) != after.pixel(x, y))
                        QVERIFY2(repainted.contains(QPoint(x, y)), qPrintable(QString::number(x)));
                }
            }
            area = 0;
            for (const QRect& r : repainted) area += qint64(r.width()) * r.height();
        }
        QVERIFY2(area < qint64(window.width()) * window.height() / 20,
                 qPrintable(QString::number(area)));
    }

    void theRestoredBoardHasOneFixedSize() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        BoardWindow& window = game.boardWindow();
        window.showNormal();
        QCOMPARE(window.minimumSize(), design::kBoardRestoredSize);
        QCOMPARE(window.maximumSize(), design::kBoardRestoredSize);
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        window.showMaximized();
        QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    }

    void enterPressesTheFocusedButtonEscTheCancelOneAndHelpIgnoresEsc() {
        auto folder = programFolder();
        bool ended = false;
        Game game(folder->path(), [&] { ended = true; });
        MenuWindow& menu = game.menuWindow();
        QStringList opened;
        menu.setHelpAndAbout([&] { opened << "help"; }, [&] { opened << "about"; });
        menu.show();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        for (const char* name : {"about", "help"}) {
            menu.findChild<QPushButton*>(name)->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(opened, (QStringList{"about", "help"}));
        QCOMPARE(game.board().state().phase, Phase::NotDealt);
        QTest::keyClick(&menu, Qt::Key_Escape);
        QVERIFY(ended);

        HelpWindow help(MediaCatalogue(folder->path()), game.services(), clipModuleIn(*folder),
                        nullptr);
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTest::keyClick(&help, Qt::Key_Escape);
        QVERIFY(help.isVisible());
        help.close();
        QVERIFY(!help.isVisible());
    }

    void closingTheBoardEndsTheProgram() {
        auto folder = programFolder();
        bool ended = false;
        Game game(folder->path(), [&] { ended = true; });
        game.boardWindow().show();
        game.boardWindow().close();
        QVERIFY(ended);
        QVERIFY(!QFile::exists(folder->filePath("record.ini")));
    }

    void aWholeGameAsAPlayerPlaysIt() {
        auto folder = programFolder();
        bool ended = false;
        Game game(folder->path(), [&] { ended = true; });
        MenuWindow& menu = game.menuWindow();
        QLabel* firstName = menu.nameLabel(0);
        PlayerScript script;
        script
            .when([&] { return menu.isVisible(); }, [&] { QTest::keyClick(&menu, Qt::Key_Return); })
            .box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton("Aceptar"))
            .when([&] { return clockRuns(game); },
                  [&] { game.boardWindow().findChild<QPushButton*>("abandon")->click(); })
            .box(PlayerScript::pressKey(Qt::Key_Escape))  // Esc answers No
            .when([&] { return QApplication::activeModalWidget() == nullptr; },
                  [&] { game.boardWindow().findChild<QPushButton*>("abandon")->click(); })
            .box(PlayerScript::clickButton("Sí"))
            .box(PlayerScript::typeAndAccept(QStringLiteral("Ñandú")))
            .when([&] { return menu.isVisible() && firstName->text() == QStringLiteral("Ñandú"); },
                  [&] { QTest::keyClick(&menu, Qt::Key_Escape); })
            .when([&] { return ended; }, [&] { menu.hide(); });  // the test's own way out
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 20000);

        const std::vector<SeenBox>& seen = script.seen();
        QCOMPARE(seen.size(), std::size_t{5});
        QCOMPARE(seen[0].text, QStringLiteral("NIVEL 1"));
        QCOMPARE(seen[0].title, QStringLiteral("CRESTAVERDE"));
        QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
        QCOMPARE(seen[0].buttons, QStringList{"Aceptar"});
        QCOMPARE(seen[1].text, QStringLiteral("Empieza"));
        QCOMPARE(seen[2].text, QStringLiteral("¿Desea abandonar la partida?"));
        QCOMPARE(seen[2].icon, QMessageBox::Question);
        QCOMPARE(seen[2].buttons, (QStringList{"Sí", "No"}));
        QCOMPARE(seen[3].text, seen[2].text);  // Esc kept the game going: asked again
        QVERIFY(seen[4].input);
        QCOMPARE(seen[4].text, QStringLiteral("HA BATIDO UN RECORD!!!"));
        QCOMPARE(seen[4].prefilled, QStringLiteral("Introduzca su nombre"));
        QCOMPARE(menu.scoreLabel(0)->text(), QStringLiteral("0"));
        QCOMPARE(QAccessible::queryAccessibleInterface(firstName)->text(QAccessible::Name),
                 QStringLiteral("Ñandú, 0"));
        QVERIFY(QAccessible::queryAccessibleInterface(menu.scoreLabel(0))->state().invisible);
        QVERIFY(ended);

        QFile file(folder->filePath("record.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xD1"
                                            "and\xFA\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
    }

    void aTimeOutOnTheLastTryShowsItsBoxesInOrder() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        dealAndStart(game);
        BoardTestAccess::state(game.board()).triesLeft = 1;
        BoardTestAccess::state(game.board()).timeLeft = 5;
        BoardTestAccess::state(game.board()).score = 700;
        PlayerScript script;
        script.box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::typeAndCancel(QStringLiteral("Nadie")))  // any score is a record
            .when([&] { return game.menuWindow().isVisible(); }, [&] { game.menuWindow().hide(); });
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 10000);
        const std::vector<SeenBox>& seen = script.seen();
        QCOMPARE(seen[0].text, QStringLiteral("El tiempo se ha acabado"));
        QCOMPARE(seen[0].title, QStringLiteral("JUEGO TERMINADO"));
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
        QCOMPARE(seen[1].text, QStringLiteral("No lo conseguistes"));
        QCOMPARE(seen[1].title, QStringLiteral("JUEGO TERMINADO"));
        QVERIFY(seen[2].input);
        QCOMPARE(game.menu().table()[0], (ScoreRow{"", "700"}));  // Cancel keeps no name
    }

    void helpAndAboutOpenFromTheMenuAndLeaveItAsItWas() {
        auto folder = programFolder();
        bool ended = false;
        Game game(folder->path(), [&] { ended = true; });
        MenuWindow& menu = game.menuWindow();
        QString rules;
        QString heading;
        bool clipMoved = false;
        QString aboutTitle;
        QStringList aboutTexts;
        bool fanValid = false;
        auto helpWindow = [] {
            return dynamic_cast<HelpWindow*>(QApplication::activeModalWidget());
        };
        auto aboutWindow = [] {
            return dynamic_cast<AboutWindow*>(QApplication::activeModalWidget());
        };
        PlayerScript script;
        script
            .when([&] { return menu.isVisible(); },
                  [&] { menu.findChild<QPushButton*>("help")->click(); })
            .when([&] { return helpWindow() != nullptr; },
                  [&] {
                      HelpWindow* help = helpWindow();
                      heading = help->findChild<QLabel*>("heading")->text();
                      rules = help->findChild<QLabel*>("rules")->text();
                      const int first = help->currentFrame();
                      QTest::qWait(400);
                      clipMoved = help->clipLoaded() && help->currentFrame() != first &&
                                  help->frameImage(0).size() == QSize(77, 39);
                      help->close();  // its close box: Esc does not close help
                  })
            .when([&] { return QApplication::activeModalWidget() == &menu; },
                  [&] { menu.findChild<QPushButton*>("about")->click(); })
            .when([&] { return aboutWindow() != nullptr; },
                  [&] {
                      AboutWindow* about = aboutWindow();
                      aboutTitle = about->windowTitle();
                      for (const char* name : {"title", "version", "description"}) {
                          aboutTexts << about->findChild<QLabel*>(name)->text();
                      }
                      const bool firstFan = about->fan() == kFirstFan &&
                                            media::cardPicture(kFirstFan[0]) == "cartaqa.gif";
                      about->changeFan();
                      int changed = 0;
                      for (std::size_t i = 0; i < kFanCards; ++i)
                          changed += about->fan()[i] != kFirstFan[i] ? 1 : 0;
                      fanValid = firstFan && changed <= 1;
                      QTest::keyClick(about, Qt::Key_Escape);
                  })
            .when([&] { return QApplication::activeModalWidget() == &menu; },
                  [&] { QTest::keyClick(&menu, Qt::Key_Escape); })
            .when([&] { return ended; }, [&] { menu.hide(); });
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 20000);

        QCOMPARE(heading, QStringLiteral("Reglas        del juego:"));
        QCOMPARE(rules.remove(QLatin1Char('\n')),
                 QString(39, QLatin1Char(' ')) +
                     "El juego consiste en hacer click en las cartas cuyo valor sea superior en "
                     "uno a la "
                     "carta situada al lado de la baraja. La carta situada en las torres se "
                     "situara donde "
                     "estaba la carta anterior. La misión del juego es quitar todas las cartas.");
        QVERIFY(clipMoved);
        QCOMPARE(aboutTitle, QStringLiteral("Acerca de CRESTAVERDE"));
        QCOMPARE(aboutTexts[0], QStringLiteral("CRESTAVERDE"));
        QCOMPARE(aboutTexts[1], QStringLiteral("Versión 1.5.0"));
        QCOMPARE(
            aboutTexts[2],
            QStringLiteral("Gracias por haber descargado este juego. Espero que lo disfrutes sin "
                           "gastarte un duro en la maquina del \"zurano\".DISFRUTALO"));
        QVERIFY(fanValid);
        QVERIFY(script.seen().empty());  // no box: nothing was dealt, nothing went wrong
        QCOMPARE(game.board().state().phase, Phase::NotDealt);
        QVERIFY(!QFile::exists(folder->filePath("record.ini")));
    }

    void theMediaCheckNamesBrokenPicturesAndMissingDrawings() {
        auto folder = programFolder();
        QFile::remove(folder->filePath("atras.svg"));
        QFile broken(folder->filePath("cartaqa.svg"));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("<svg");
        broken.close();
        QFile::resize(folder->filePath("carta5b.gif"), 20);
        QCOMPARE(MediaCatalogue(folder->path()).unusableFiles(),
                 (QStringList{"carta5b.gif", "cartaqa.svg", "atras.svg"}));
    }

    void aBrokenClipOrAMissingDecoderIsReportedAndHelpStillOpens() {
        for (const bool decoderMissing : {false, true}) {
            auto folder = programFolder();
            QFile clip(folder->filePath("ayuda.avi"));
            if (decoderMissing) {
                QVERIFY(QFile::remove(folder->filePath(kClipModuleName)));
            } else {
                QVERIFY(clip.open(QIODevice::WriteOnly | QIODevice::Truncate));
                clip.write("RIFF\x10\0\0\0AVI not a clip at all");
                clip.close();
            }
            Game game(folder->path(), [] {});
            PlayerScript script;
            script.box(PlayerScript::clickButton("Aceptar"));
            HelpWindow help(MediaCatalogue(folder->path()), game.services(), clipModuleIn(*folder),
                            nullptr);
            QTRY_COMPARE(script.seen().size(), std::size_t{1});
            QVERIFY(!help.clipLoaded());
            const QString text = script.seen()[0].text;
            QVERIFY2(text.contains(QStringLiteral("ayuda.avi")) &&
                         text.contains(QStringLiteral("descodificador")) == decoderMissing,
                     qPrintable(text));
            QCOMPARE(script.seen()[0].icon, QMessageBox::Warning);
        }
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::WindowsTest)
#include "windows_test.moc"
