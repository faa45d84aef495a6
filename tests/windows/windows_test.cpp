// The real windows under the offscreen platform: layout, clicks, boxes and the whole flow.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "about_window.h"
#include "fake_services.h"
#include "game.h"
#include "help_window.h"
#include "player_script.h"

namespace crestaverde::testing {

using design::Element;
using design::ElementKind;

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    // A program folder of its own: the shipped media, no score file yet.
    std::unique_ptr<QTemporaryDir> programFolder() {
        auto folder = std::make_unique<QTemporaryDir>();
        const QDir media(QStringLiteral(CRESTAVERDE_MEDIA_DIR));
        for (const QString& name : MediaCatalogue::fileNames()) {
            QFile::copy(media.filePath(name), folder->filePath(name));
        }
        return folder;
    }

    static int stackingPlace(Element element) {
        const auto& order = design::boardStacking();
        for (std::size_t i = 0; i < order.size(); ++i) {
            if (order[i].kind == element.kind && order[i].index == element.index)
                return static_cast<int>(i);
        }
        return -1;
    }

    static QPoint windowPointOf(BoardWindow& window, Element element) {
        return window.designToWindow().map(window.designRect(element).center()).toPoint();
    }

    // Deals a game and lets the banner finish, answering its two boxes.
    static void dealAndStart(Game& game) {
        PlayerScript script;
        script.box(PlayerScript::clickButton("Aceptar")).box(PlayerScript::clickButton("Aceptar"));
        game.menu().Command1_Click(game.board());
        QTRY_VERIFY_WITH_TIMEOUT(game.services().timer(TimerId::Timer1).enabled(), 10000);
    }

  private slots:
    void designPositionsAndStacking() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        BoardWindow& window = game.boardWindow();
        QCOMPARE(window.designRect({ElementKind::Slot, 13}), QRectF(402, 112, 71, 96));
        QCOMPARE(window.designRect({ElementKind::Cover, 6}), QRectF(204, 192, 71, 96));
        QCOMPARE(window.designRect({ElementKind::Slot, 40}), QRectF(405, 447, 71, 96));
        QCOMPARE(window.designRect({ElementKind::StockPile, 0}), QRectF(327, 447, 71, 96));
        for (int n = 1; n <= kCoverCount; ++n) {
            QVERIFY(stackingPlace({ElementKind::Cover, n}) <
                    stackingPlace({ElementKind::Slot, slotUnderCover(n)}));
        }
        for (int base : {7, 8, 9, 10, 17, 18, 19, 26, 27, 28}) {
            for (int row3 : {4, 5, 6, 14, 15, 16, 23, 24, 25}) {
                QVERIFY(stackingPlace({ElementKind::Slot, base}) <
                        stackingPlace({ElementKind::Slot, row3}));
            }
        }
        for (int i = 30; i <= 52; ++i) {
            QVERIFY(stackingPlace({ElementKind::Slot, i}) <
                    stackingPlace({ElementKind::Slot, i - 1}));
        }
        const int title =
            stackingPlace({ElementKind::Label, static_cast<int>(design::BoardLabel::Label4)});
        for (int i = 1; i <= kSlotCount; ++i)
            QVERIFY(stackingPlace({ElementKind::Slot, i}) < title);
        QCOMPARE(window.windowTitle(), QStringLiteral("CRESTAVERDE"));
        QCOMPARE(window.findChild<QPushButton*>("Command1")->text(), QStringLiteral("&Abandonar"));
        QCOMPARE(window.findChild<QProgressBar*>("ProTiempo")->maximum(), 200);
    }

    void menuDesign() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        MenuWindow& menu = game.menuWindow();
        QCOMPARE(menu.windowTitle(), QStringLiteral("BIENVENIDO A CRESTAVERDE"));
        QCOMPARE(menu.size(), QSize(546, 297));
        const QStringList captions = {"&Jugar", "Ay&uda...", "&Acerca de...", "&Salir"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(menu.findChild<QPushButton*>(QStringLiteral("Command%1").arg(i + 1))->text(),
                     captions[i]);
        }
        QVERIFY(menu.findChild<QPushButton*>("Command1")->isDefault());
        QCOMPARE(menu.findChild<QPushButton*>("Command4")->geometry(), QRect(108, 255, 85, 31));
    }

    void clicksGoToTheFrontMostCard() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        game.boardWindow().setWindowState(Qt::WindowNoState);
        game.boardWindow().resize(1920, 1080);
        game.boardWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&game.boardWindow()));
        game.board().Form_Load();
        dealAndStart(game);
        BoardState& s = BoardTestAccess::state(game.board());
        BoardWindow& window = game.boardWindow();

        // A card under its cover: the cover takes the click and nothing happens.
        s.Image1[52].Tag = "5";
        s.Image1[1].Tag = "6";
        QTest::mouseClick(&window, Qt::LeftButton, {},
                          windowPointOf(window, {ElementKind::Slot, 1}));
        QVERIFY(s.Image1[1].Visible);

        // A free card on the scaled board: the click lands on it and plays it.
        s.Image1[7].Tag = "6";
        const QPoint at = windowPointOf(window, {ElementKind::Slot, 7});
        QVERIFY(at.x() > 0 && at.y() > 400);  // scaled well beyond the design size
        QTest::mouseClick(&window, Qt::LeftButton, {}, at);
        QVERIFY(!s.Image1[7].Visible);
        QCOMPARE(s.Label2.text, std::string("300"));

        // The face-up card draws.
        QTest::mouseClick(&window, Qt::LeftButton, {},
                          windowPointOf(window, {ElementKind::Slot, 52}));
        QCOMPARE(s.contar, std::int16_t{51});
        QCOMPARE(s.Label8.text, std::string("23"));
    }

    void ticksWaitWhileABoxIsOpen() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        game.board().Form_Load();
        game.services().timer(TimerId::Timer3).setInterval(1);
        bool held = false;
        PlayerScript script;
        script
            .when([&] { return QApplication::activeModalWidget() != nullptr; },
                  [&] {
                      // The banner's own timer keeps running behind its "NIVEL 1" box.
                      QTest::qWait(150);
                      held = game.services().timer(TimerId::Timer3).enabled() &&
                             game.board().state().ProTiempo == 200;
                  })
            .box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton("Aceptar"));
        game.menu().Command1_Click(game.board());
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 10000);
        QTRY_VERIFY(game.services().timer(TimerId::Timer1).enabled());
        QVERIFY(held);
        QCOMPARE(script.seen().size(), std::size_t{2});
        QCOMPARE(script.seen()[0].text, QStringLiteral("NIVEL 1"));
    }

    void minimisingPausesTheClock() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        game.boardWindow().show();
        game.board().Form_Load();
        dealAndStart(game);
        game.boardWindow().setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!game.services().timer(TimerId::Timer1).enabled());
        const std::int16_t paused = game.board().state().tiempo;
        QTest::qWait(2200);
        QCOMPARE(game.board().state().tiempo, paused);
        game.boardWindow().setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(game.services().timer(TimerId::Timer1).enabled());
        QCOMPARE(game.board().state().tiempo, paused);
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
            .when([&] { return game.services().timer(TimerId::Timer1).enabled(); },
                  [&] { game.boardWindow().findChild<QPushButton*>("Command1")->click(); })
            .box(PlayerScript::clickButton("Sí"))
            .box(PlayerScript::typeAndAccept(QStringLiteral("Ñandú")))
            .when([&] { return menu.isVisible() && firstName->text() == QStringLiteral("Ñandú"); },
                  [&] { QTest::keyClick(&menu, Qt::Key_Escape); })
            .when([&] { return ended; }, [&] { menu.hide(); });  // the test's own way out
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 20000);

        const std::vector<SeenBox>& seen = script.seen();
        QCOMPARE(seen.size(), std::size_t{4});
        QCOMPARE(seen[0].text, QStringLiteral("NIVEL 1"));
        QCOMPARE(seen[0].title, QStringLiteral("CRESTAVERDE"));
        QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
        QCOMPARE(seen[0].buttons, QStringList{"Aceptar"});
        QCOMPARE(seen[1].text, QStringLiteral("Empieza"));
        QCOMPARE(seen[2].text, QStringLiteral("¿Desea abandonar la partida?"));
        QCOMPARE(seen[2].icon, QMessageBox::Question);
        QCOMPARE(seen[2].buttons, (QStringList{"Sí", "No"}));
        QVERIFY(seen[3].input);
        QCOMPARE(seen[3].text, QStringLiteral("HA BATIDO UN RECORD!!!"));
        QCOMPARE(seen[3].prefilled, QStringLiteral("Introduzca su nombre"));
        QCOMPARE(menu.scoreLabel(0)->text(), QStringLiteral("0"));
        QVERIFY(ended);

        QFile file(folder->filePath("record.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xD1"
                                            "and\xFA\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
    }

    void aTimeOutOnTheLastTryShowsItsBoxesInOrder() {
        auto folder = programFolder();
        Game game(folder->path(), [] {});
        game.board().Form_Load();
        dealAndStart(game);
        BoardTestAccess::state(game.board()).bono = 1;
        BoardTestAccess::state(game.board()).tiempo = 5;
        PlayerScript script;
        script.box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton("Aceptar"))
            .box(PlayerScript::clickButton(
                "Aceptar"))  // the name entry: an empty table takes any score
            .when([&] { return game.menuWindow().isVisible(); }, [&] { game.menuWindow().hide(); });
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 10000);
        const std::vector<SeenBox>& seen = script.seen();
        QCOMPARE(seen[0].text, QStringLiteral("El tiempo se ha acabado"));
        QCOMPARE(seen[0].title, QStringLiteral("JUEGO TERMINADO"));
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
        QCOMPARE(seen[1].text, QStringLiteral("No lo conseguistes"));
        QCOMPARE(seen[1].title, QStringLiteral("JUEGO TERMINADO"));
        QVERIFY(seen[2].input);
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
                  [&] { menu.findChild<QPushButton*>("Command2")->click(); })
            .when([&] { return helpWindow() != nullptr; },
                  [&] {
                      HelpWindow* help = helpWindow();
                      heading = help->findChild<QLabel*>("Label1")->text();
                      rules = help->findChild<QLabel*>("Label2")->text();
                      const int first = help->currentFrame();
                      QTest::qWait(400);
                      clipMoved = help->clipLoaded() && help->currentFrame() != first &&
                                  help->frameImage(0).size() == QSize(77, 39);
                      QTest::keyClick(help, Qt::Key_Escape);
                  })
            .when([&] { return QApplication::activeModalWidget() == &menu; },
                  [&] { menu.findChild<QPushButton*>("Command3")->click(); })
            .when([&] { return aboutWindow() != nullptr; },
                  [&] {
                      AboutWindow* about = aboutWindow();
                      aboutTitle = about->windowTitle();
                      for (const char* name : {"lblTitle", "lblVersion", "lblDescription"}) {
                          aboutTexts << about->findChild<QLabel*>(name)->text();
                      }
                      const bool loadedFan = about->cardPicture(0) == "cartaqa.gif" &&
                                             about->cardPicture(1) == "cartaka.gif" &&
                                             about->cardPicture(2) == "cartaja.gif";
                      about->Timer1_Timer();
                      int changed = 0;
                      bool known = true;
                      const QStringList names = MediaCatalogue::fileNames();
                      const QStringList start = {"cartaqa.gif", "cartaka.gif", "cartaja.gif"};
                      for (int i = 0; i < 3; ++i) {
                          changed += about->cardPicture(i) != start[i] ? 1 : 0;
                          known = known && names.contains(about->cardPicture(i));
                      }
                      fanValid = loadedFan && changed <= 1 && known;
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
        QVERIFY(!game.board().state().Label8.Visible);
        QVERIFY(!QFile::exists(folder->filePath("record.ini")));
    }

    void aClipThatCannotBeDecodedIsReportedAndHelpStillOpens() {
        auto folder = programFolder();
        QFile clip(folder->filePath("ayuda.avi"));
        QVERIFY(clip.open(QIODevice::WriteOnly | QIODevice::Truncate));
        clip.write("RIFF\x10\0\0\0AVI not a clip at all");
        clip.close();
        Game game(folder->path(), [] {});
        PlayerScript script;
        script.box(PlayerScript::clickButton("Aceptar"));
        HelpWindow help(MediaCatalogue(folder->path()), game.services(), nullptr);
        QTRY_COMPARE(script.seen().size(), std::size_t{1});
        QVERIFY(!help.clipLoaded());
        QVERIFY(script.seen()[0].text.contains(QStringLiteral("ayuda.avi")));
        QCOMPARE(script.seen()[0].icon, QMessageBox::Warning);
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::WindowsTest)
#include "windows_test.moc"
