// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows under the offscreen platform: a game dealt on the screen, games played from
// the menu as a player plays them, the help and about windows, and the media check at start-up.

#include <QAccessible>
#include <QBuffer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>
#include <QThreadPool>
#include <deque>
#include <thread>

#include "about_window.h"
#include "drawing_check.h"
#include "fake_services.h"
#include "game.h"
#include "help_window.h"
#include "picture_decoder.h"
#include "score_location.h"
#include "temp_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;
using design::Element;
using design::ElementKind;

// Plays the program from a script, the way a player would: each step waits until it can act
// (a new box is up, or a condition holds), then acts. A timer drives the script, so it keeps
// going inside however many modal loops the program opens; actions are queued for the same
// reason. Every box that appears is recorded.
class PlayerScript {
  public:
    using Answer = std::function<void(QDialog*)>;

    PlayerScript() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }
    // The next box that appears gets this answer.
    PlayerScript& box(Answer answer) { return add({std::move(answer), {}, {}}); }
    // Once ready() holds, act() runs (queued, outside the script's own tick).
    PlayerScript& when(std::function<bool()> ready, std::function<void()> act) {
        return add({{}, std::move(ready), std::move(act)});
    }
    [[nodiscard]] bool done() const { return steps_.empty(); }
    // "title | text | icon | buttons" for each message box, "title | label | [text]" for a field.
    [[nodiscard]] const QStringList& seen() const { return seen_; }

    static Answer click(const QString& text) {
        return [text](QDialog* box) {
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>()) {
                if (button->text() == text)
                    QMetaObject::invokeMethod(button, &QAbstractButton::click,
                                              Qt::QueuedConnection);
            }
        };
    }
    static Answer key(Qt::Key key) {
        return [key](QDialog* box) {
            QTimer::singleShot(0, box, [box, key] { QTest::keyClick(box, key); });
        };
    }
    // Types into the box's field one key event at a time (QTest::keyClicks refuses characters
    // such as á or ñ), then accepts the box or presses Esc.
    static Answer type(const QString& text, bool accept) {
        return [text, accept](QDialog* box) {
            auto* field = box->findChild<QLineEdit*>();
            field->clear();
            for (const QChar c : text) {
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(field, &press);
            }
            if (accept) {
                QMetaObject::invokeMethod(box, &QDialog::accept, Qt::QueuedConnection);
            } else {
                key(Qt::Key_Escape)(box);
            }
        };
    }

  private:
    struct Step {
        Answer answer;  // set for a box step
        std::function<bool()> ready;
        std::function<void()> act;
    };
    PlayerScript& add(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }

    // A message or input box that is up and has not been seen yet, recorded on the way.
    QDialog* newBox() {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* message = qobject_cast<QMessageBox*>(box);
        auto* input = qobject_cast<QInputDialog*>(box);
        if ((message == nullptr && input == nullptr) || box == lastBox_ || !box->isVisible())
            return nullptr;
        lastBox_ = box;
        QStringList seen{box->windowTitle()};
        if (message != nullptr) {
            QStringList buttons;
            for (QAbstractButton* button : message->buttons()) buttons << button->text();
            seen << message->text()
                 << QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(message->icon())
                 << buttons.join(", ");
        } else {
            seen << input->labelText() << '[' + input->textValue() + ']';
        }
        seen_ << seen.join(" | ");
        return box;
    }

    void poll() {
        if (QDialog* box = newBox()) unanswered_ = box;
        if (steps_.empty()) return;
        Step& step = steps_.front();
        if (step.answer) {
            if (unanswered_.isNull() || !unanswered_->isVisible()) return;
            const Answer answer = std::move(step.answer);
            steps_.pop_front();
            answer(std::exchange(unanswered_, nullptr));
        } else if (step.ready()) {
            QTimer::singleShot(0, std::move(step.act));
            steps_.pop_front();
        }
    }

    QTimer timer_;
    std::deque<Step> steps_;
    QStringList seen_;
    QPointer<QDialog> lastBox_;
    QPointer<QDialog> unanswered_;
};

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    // A program folder of the given name (bytes) inside dir: the shipped media, no score file
    // yet.
    static fs::path mediaCopy(const TempFolder& dir, const std::string& name = "media") {
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

    static bool clockRuns(Game& game) { return game.services().timer(TimerId::Clock).active(); }

  private slots:
    void initTestCase() { prepareApplication(); }

    // Run also with QT_SCALE_FACTOR=2. The board is stretched to 1920 x 1080, well beyond its
    // design size, and dealt; mouse, keys and the accessibility bus then play on it.
    void aGameDealtOnTheScreen() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        Game game(folder, [] {});
        BoardWindow& window = game.boardWindow();
        window.show();
        window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window.resize(1920, 1080);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PlayerScript banner;
        banner.box(PlayerScript::click("Aceptar")).box(PlayerScript::click("Aceptar"));
        game.board().deal();
        QTRY_VERIFY_WITH_TIMEOUT(clockRuns(game), 10000);
        BoardState& s = BoardTestAccess::state(game.board());
        const auto at = [&](Element e) {
            return window.designToWindow().map(window.designRect(e).center()).toPoint();
        };
        const auto tower = [](int position) { return Element{ElementKind::TowerCard, position}; };
        const Element faceUp{ElementKind::FaceUpCard, 0};

        // The face-up card is, pixel for pixel, its drawing rendered at the size it covers on
        // the screen, not a bitmap stretched there.
        const QImage shot = window.grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const QRectF target = (window.designToWindow() * QTransform::fromScale(ratio, ratio))
                                  .mapRect(window.designRect(faceUp));
        const QRect card(qRound(target.left()), qRound(target.top()), qRound(target.width()),
                         qRound(target.height()));
        QImage drawn(card.size(), QImage::Format_ARGB32);
        drawn.fill(design::kFelt);
        QPainter painter(&drawn);
        const QString name = media::cardPicture(s.faceUp);
        QSvgRenderer(QString::fromStdString((folder / media::drawingOf(name).toStdString())))
            .render(&painter, QRectF(drawn.rect()));
        painter.end();
        const QImage onScreen = shot.copy(card).convertToFormat(QImage::Format_ARGB32);
        int worst = 0;
        for (int y = 0; y < card.height(); ++y) {
            for (int x = 0; x < card.width(); ++x) {
                const QRgb a = onScreen.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        }
        QVERIFY2(worst <= 8, qPrintable(QStringLiteral("%1 differs by %2").arg(name).arg(worst)));

        // A held tick arrives through a posted call: what it changes is drawn at once. The clock
        // stops meanwhile, so that no tick of its own redraws the board.
        QtTimer& clock = game.services().timer(TimerId::Clock);
        const int pace = clock.interval();
        clock.stop();
        game.services().post([&] { s.timeBar = 120; });
        QTRY_COMPARE(window.findChild<QProgressBar*>("timeBar")->value(), 120);

        // Every pixel that a play, a draw or a count-down tick changes lies in what refresh
        // repaints, and the tick repaints little of the board.
        s.faceUp.rank = 5;
        s.tower[27].rank = 6;
        const QRect bar = window.findChild<QProgressBar*>("timeBar")->geometry();
        const std::function<void()> changes[] = {[&] { game.board().playTowerCard(27); },
                                                 [&] { game.board().drawFromStock(); },
                                                 [&] {
                                                     s.phase = Phase::Countdown;
                                                     game.board().tick(TimerId::Clock);
                                                 }};
        qint64 area = 0;
        for (const auto& change : changes) {
            window.refresh();  // what the test itself set is drawn before, not counted as a change
            const QImage before = window.grab().toImage();
            change();
            const QRegion repainted = window.refresh() + bar;
            const QImage after = window.grab().toImage();
            const qreal r = after.devicePixelRatio();
            for (int y = 0; y < after.height(); ++y) {
                for (int x = 0; x < after.width(); ++x) {
                    if (before.pixel(x, y) == after.pixel(x, y)) continue;
                    QVERIFY2(repainted.contains(QPoint(int(x / r), int(y / r))),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                }
            }
            area = 0;
            for (const QRect& rect : repainted) area += qint64(rect.width()) * rect.height();
        }
        QVERIFY2(area < qint64(window.width()) * window.height() / 20,
                 qPrintable(QString::number(area)));
        s.phase = Phase::Playing;  // back to the dealt stock and score for what follows
        s.stockLeft = kStockCards;
        s.score = 0;
        clock.start(pace);

        // A card under its cover: the cover takes the click and nothing happens.
        QCOMPARE(window.elementAt(window.designRect(tower(1)).center()),
                 (Element{ElementKind::Cover, 1}));
        s.faceUp.rank = 5;
        s.tower[1].rank = 6;
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(tower(1)));
        QVERIFY(!s.taken[1]);
        // Pressed on one card and released on another: no click at all.
        s.tower[7].rank = 6;
        s.tower[8].rank = 4;
        QTest::mousePress(&window, Qt::LeftButton, {}, at(tower(7)));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, at(tower(8)));
        QVERIFY(!s.taken[7] && !s.taken[8]);
        // A free card on the scaled board: the click lands on it and plays it.
        QVERIFY(at(tower(7)).y() > 400);
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(tower(7)));
        QVERIFY(s.taken[7]);
        QCOMPARE(s.score, std::int64_t{300});
        // A double-click on the face-up card (press, release, press, double-click, release)
        // draws once.
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(faceUp));
        QTest::mousePress(&window, Qt::LeftButton, {}, at(faceUp));
        QMouseEvent second(QEvent::MouseButtonDblClick, at(faceUp), window.mapToGlobal(at(faceUp)),
                           Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(&window, &second);
        QTest::mouseRelease(&window, Qt::LeftButton, {}, at(faceUp));
        QCOMPARE(s.stockLeft, 23);
        QCOMPARE(window.labelText(design::BoardLabel::DrawsLeft), QStringLiteral("23"));

        // The keys move a highlight among the cards a click would play, and play as a click.
        auto* abandon = window.findChild<QPushButton*>("abandon");
        const auto key = [&](Qt::Key k) {
            QTest::keyClick(abandon, k);
            return window.highlightedCard();
        };
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
        QCOMPARE(key(Qt::Key_Space), faceUp);  // Space plays too: the face-up card draws
        QCOMPARE(s.stockLeft, 22);
        QVERIFY(!key(Qt::Key_Escape));
        // A click clears the highlight and plays what it hits, not what was highlighted.
        key(Qt::Key_Up);
        s.faceUp.rank = 6;
        QTest::mouseClick(&window, Qt::LeftButton, {}, at(tower(8)));
        QVERIFY(s.taken[8] && !window.highlightedCard());
        // With nothing highlighted Enter and Space press the abandon button; Esc answers No.
        PlayerScript script;
        script.box(PlayerScript::key(Qt::Key_Escape)).box(PlayerScript::key(Qt::Key_Escape));
        key(Qt::Key_Space);
        key(Qt::Key_Return);
        QCOMPARE(script.seen().size(), qsizetype{2});

        // The board on the accessibility bus: the tower row by row, the face-up card, the
        // stock, the labels, then the abandon button and the time bar.
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(board->childCount(), kBoardObjects + 2);
        QAccessibleInterface* peak = board->child(0);
        QCOMPARE(peak->text(QAccessible::Name), QStringLiteral("Carta boca abajo"));
        QVERIFY(peak->actionInterface()->actionNames().isEmpty());
        QAccessibleInterface* faceUpObject = board->child(kTowerCards);
        for (const auto& [face, spoken] :
             {std::pair<Card, const char*>{{7, Suit::Hearts}, "7 de corazones"},
              {{11, Suit::Clubs}, "Jota de tréboles"},
              {{13, Suit::Spades}, "Rey de picas"}}) {
            s.faceUp = face;
            QCOMPARE(faceUpObject->text(QAccessible::Name), QString::fromUtf8(spoken));
        }
        s.tower[9] = {12, Suit::Hearts};  // the third card of the base row, above the king
        const QString press = QAccessibleActionInterface::pressAction();
        board->child(20)->actionInterface()->doAction(press);
        QTRY_VERIFY(s.taken[9]);
        faceUpObject->actionInterface()->doAction(press);
        QTRY_COMPARE(s.stockLeft, 21);
        QCOMPARE(board->child(kTowerCards + 2)->text(QAccessible::Name),
                 QStringLiteral("Puntuación: %1").arg(s.score));
        QAccessibleInterface* time = board->child(kBoardObjects + 1);
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Tiempo"));
        QCOMPARE(time->valueInterface()->currentValue().toInt(), s.timeBar);

        // Minimised, the clock pauses; back, it runs again.
        window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!clockRuns(game));
        window.setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(clockRuns(game));
        QVERIFY(!s.paused);
        // Restored, the board has one fixed size and no maximise button.
        window.showNormal();
        QCOMPARE(window.minimumSize(), design::kBoardRestoredSize);
        QCOMPARE(window.maximumSize(), design::kBoardRestoredSize);
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        window.showMaximized();
        QCOMPARE(window.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QCOMPARE(window.windowIcon().availableSizes().size(), qsizetype{media::kIconSizes.size()});
    }

    // Two games from the menu, on a table that already holds a long name: one abandoned and
    // the name typed, one out of time on its last try and the name box cancelled. Then help and
    // about from the keyboard: Enter presses the focused button, not the default Play; help plays
    // its clip and closes by its close box only; Esc closes about, and on the menu ends the
    // program.
    void twoGamesAsAPlayerPlaysThem() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir);
        const QString longName = QStringLiteral("Un nombre de jugador muy largo de verdad");
        const std::string before = longName.toStdString() + "\r\n98700\r\n";
        writeBytes(folder / "record.ini", before + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
        bool ended = false;
        Game game(folder, [&] { ended = true; });
        MenuWindow& menu = game.menuWindow();
        QPushButton* abandon = game.boardWindow().findChild<QPushButton*>("abandon");
        QString typed;
        QStringList editMenu;
        const auto play = [&] { QTest::keyClick(&menu, Qt::Key_Return); };
        const auto enterOn = [&](const char* button) {
            menu.findChild<QPushButton*>(button)->setFocus();
            QTest::keyClick(menu.focusWidget(), Qt::Key_Return);
        };
        const auto modal = [] { return QApplication::activeModalWidget(); };
        bool escKeptHelp = false;
        const auto ok = PlayerScript::click("Aceptar");
        PlayerScript script;
        script.when([&] { return menu.isVisible(); }, play)
            .box(ok)
            .box(ok)
            .when([&] { return clockRuns(game); }, [=] { abandon->click(); })
            .box(PlayerScript::key(Qt::Key_Escape))
            .when([] { return QApplication::activeModalWidget() == nullptr; },
                  [=] { abandon->click(); })
            .box(PlayerScript::click("Sí"))
            .box(PlayerScript::type(QStringLiteral("Ñandú"), true))
            .when([&] { return menu.isVisible(); }, play)
            .box(ok)
            .box(ok)
            .when([&] { return clockRuns(game); },
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
                auto* field = box->findChild<QLineEdit*>();
                typed = field->text();
                const std::unique_ptr<QMenu> edit(field->createStandardContextMenu());
                for (const QAction* action : edit->actions())
                    editMenu << action->text().section('\t', 0, 0);
            })
            .when([&] { return menu.isVisible() && menu.scoreLabel(1)->text() == "700"; },
                  [&] { enterOn("help"); })
            .when(
                [&] {
                    auto* help = dynamic_cast<HelpWindow*>(modal());
                    return help != nullptr && help->clipLoaded() && help->currentFrame() > 0;
                },
                [&] {
                    const QPointer<QWidget> help = modal();
                    QTest::keyClick(help, Qt::Key_Escape);
                    escKeptHelp = help && help->isVisible();
                    if (help) help->close();
                })
            .when([&] { return modal() == &menu; }, [&] { enterOn("about"); })
            .when([&] { return dynamic_cast<AboutWindow*>(modal()) != nullptr; },
                  [&] { QTest::keyClick(modal(), Qt::Key_Escape); })
            .when([&] { return modal() == &menu; }, [&] { QTest::keyClick(&menu, Qt::Key_Escape); })
            .when([&] { return ended; }, [&] { menu.hide(); });  // the test's own way out
        game.start();
        QTRY_VERIFY_WITH_TIMEOUT(script.done(), 20000);

        const QString level = QStringLiteral("CRESTAVERDE | NIVEL 1 | NoIcon | Aceptar");
        const QString go = QStringLiteral("CRESTAVERDE | Empieza | NoIcon | Aceptar");
        const QString leave =
            QStringLiteral("CRESTAVERDE | ¿Desea abandonar la partida? | Question | Sí, No");
        const QString name =
            QStringLiteral("CRESTAVERDE | HA BATIDO UN RECORD!!! | [Introduzca su nombre]");
        QCOMPARE(script.seen(),
                 (QStringList{level, go, leave, leave /* Esc kept the game going */, name, level,
                              go, "JUEGO TERMINADO | El tiempo se ha acabado | Warning | Aceptar",
                              "JUEGO TERMINADO | No lo conseguistes | Warning | Aceptar", name}));
        QVERIFY(escKeptHelp);
        QCOMPARE(typed, QString(kMaxNameChars, 'x'));  // no more than the table keeps
        QVERIFY2(editMenu.contains("&Deshacer") && editMenu.contains("&Pegar"),
                 qPrintable(editMenu.join('|')));  // Qt's own texts speak Spanish
        // The long name keeps one line, cut short before its score; the tip shows it whole.
        const QLabel* first = menu.nameLabel(0);
        QVERIFY(first->text().endsWith(QChar(0x2026)));
        QVERIFY(longName.startsWith(first->text().chopped(1).trimmed()));
        QCOMPARE(first->height(), design::kScoreRowHeight);
        QVERIFY(first->geometry().right() < menu.scoreLabel(0)->geometry().left());
        QCOMPARE(first->toolTip(), longName);
        QCOMPARE(QAccessible::queryAccessibleInterface(menu.nameLabel(2))->text(QAccessible::Name),
                 QStringLiteral("Ñandú, 0"));
        QVERIFY(QAccessible::queryAccessibleInterface(menu.scoreLabel(2))->state().invisible);
        // Under the long name: 700 with no name (its box was cancelled), then Ñandú's 0.
        const std::string after = before + "\r\n700\r\n\xD1\x61nd\xFA\r\n0\r\n";
        QCOMPARE(readBytes(folder / "record.ini"), after + "\r\n\r\n\r\n\r\n");
    }

    // Cut, broken, oversized and missing files, in a folder whose name is not UTF-8.
    void theStartUpCheckNamesTheUnusableFiles() {
        TempFolder dir;
        const fs::path folder = mediaCopy(dir, "carpeta-\xE9\xFF");
        QVERIFY(MediaCatalogue(folder).unusableFiles().isEmpty());
        QCOMPARE(MediaCatalogue(folder).picture("carta1a.gif", {71, 96}, 1).size(), QSize(71, 96));
        const std::string jpeg = readBytes(folder / "atras.jpg");
        const std::string gif = readBytes(folder / "intro.gif");
        QImage wide(kMaxPictureSide + 1, 2, QImage::Format_RGB32);
        wide.fill(Qt::green);
        QByteArray wideJpeg;
        QBuffer out(&wideJpeg);
        QVERIFY(out.open(QIODevice::WriteOnly) && wide.save(&out, "JPG"));
        writeBytes(folder / "carta.jpg", wideJpeg.toStdString());
        writeBytes(folder / "atras.jpg", jpeg.substr(0, jpeg.size() / 2));
        writeBytes(folder / "intro.gif", gif.substr(0, gif.size() - 1));
        writeBytes(folder / "carta1a.gif", declaredGif(5600));
        writeBytes(folder / "ninguna.jpg", "not a picture");
        writeBytes(folder / "cartaqa.svg", "<svg");
        writeBytes(folder / "cartaka.svg", "");
        fs::remove(folder / "atras.svg");
        const MediaCatalogue media(folder);
        const QStringList unusable = {"carta1a.gif", "cartaka.svg", "atras.jpg", "atras.svg",
                                      "ninguna.jpg", "carta.jpg",   "intro.gif"};
        QCOMPARE(media.unusableFiles(), unusable);
        // Drawings are parsed whole aside, with the menu up: till then a broken one shows its
        // picture, stretched.
        const QStringList broken = {"cartaqa.svg", "cartaka.svg", "atras.svg"};
        QCOMPARE(media.picture("cartaqa.gif", {71, 96}, 1).size(), QSize(71, 96));
        std::optional<QStringList> reported;
        {
            const DrawingCheck check(folder, [&](const QStringList& found) { reported = found; });
            QTRY_VERIFY(reported.has_value());
        }
        QCOMPARE(*reported, broken);
        fs::remove(folder / "carta1a.svg");  // drawn from the refused bitmap, then: nothing
        QVERIFY(media.picture("carta1a.gif", {71, 96}, 1).isNull());
        QVERIFY(!media.picture("carta2a.gif", {71, 96}, 1).isNull());

        // The box names five files and how many more, and fits the screen.
        const QString message = MediaCatalogue::unusableMessage(QString(300, 'c'), unusable);
        QVERIFY(message.contains(QStringLiteral("y 2 más")));
        QVERIFY(message.contains(unusable[4]) && !message.contains(unusable[5]));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("CRESTAVERDE"), message,
                        QMessageBox::Ok);  // as the program shows it, with Qt's own button
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
        QVERIFY2(box.sizeHint().height() < 480, QByteArray::number(box.sizeHint().height()));
        QVERIFY(!MediaCatalogue::unusableMessage("f", {"a.gif"}).contains(QStringLiteral("más")));

        // A clip that starts as one but cannot be decoded is reported by the clip's name, and
        // help opens all the same.
        writeBytes(folder / "ayuda.avi", "RIFF and then no clip at all");
        Game game(folder, [] {});
        PlayerScript script;
        script.box(PlayerScript::click("Aceptar"));
        HelpWindow help(MediaCatalogue(folder), game.services(), nullptr);
        help.show();
        QTRY_COMPARE(script.seen().size(), qsizetype{1});
        QVERIFY2(script.seen()[0].contains(QRegularExpression("ayuda\\.avi.* \\| Warning \\|")),
                 qPrintable(script.seen()[0]));
        QVERIFY(!help.clipLoaded() && help.isVisible());
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
            QTRY_VERIFY(result.has_value());
            ClipLoader gone(&decodeClip);
            gone.start(CRESTAVERDE_MEDIA_DIR "/ayuda.avi",
                       [&](ClipLoader::Decoded) { late = true; });
        }
        QVERIFY(decodedOn != std::this_thread::get_id());
        QVERIFY(std::get<ClipImages>(*result).frames.size() >= 2);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QVERIFY(!late);
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
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::WindowsTest)
#include "windows_test.moc"
