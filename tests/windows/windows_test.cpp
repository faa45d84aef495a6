// SPDX-License-Identifier: GPL-3.0-or-later
// A game dealt on the screen: the board as drawn, what a change repaints, the mouse, the keys,
// the accessibility bus and the window's states. Every function starts from the same freshly
// dealt board, stretched to 1920 x 1080, well beyond its design size, with the clock running.
// Run also with QT_SCALE_FACTOR=2.

#include <QAccessible>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>
#include <map>
#include <memory>

#include "approved_picture.h"
#include "board_accessible.h"
#include "fake_services.h"
#include "game.h"
#include "player_script.h"
#include "program_folder.h"
#include "temp_folder.h"

namespace crestaverde::testing {

using design::Element;
using design::ElementKind;

// The cards every function starts from: the deal of a fixed clock reading.
constexpr long long kDealSeed = 20240611;
const auto tower = [](int position) { return Element{ElementKind::TowerCard, position}; };
const Element kFaceUp{ElementKind::FaceUpCard, 0};

// Adds up what a widget repaints.
class PaintRecorder : public QObject {
  public:
    PaintRecorder(QWidget& widget, QRegion& painted) : painted_(painted) {
        widget.installEventFilter(this);
    }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

  private:
    QRegion& painted_;
};

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempFolder> dir_;
    std::filesystem::path folder_;
    std::unique_ptr<Game> game_;

    BoardWindow& window() { return game_->boardWindow(); }
    BoardState& s() { return BoardTestAccess::state(game_->board()); }
    QtTimer& clock() { return game_->services().timer(TimerId::Clock); }
    QPoint at(Element e) {
        return window().designToWindow().map(window().designRect(e).center()).toPoint();
    }
    void click(Element e) { QTest::mouseClick(&window(), Qt::LeftButton, {}, at(e)); }
    // Design pixels to the pixels of a grab of the window.
    QTransform toPixels(const QImage& shot) {
        const qreal r = shot.devicePixelRatio();
        return window().designToWindow() * QTransform::fromScale(r, r);
    }
    // The tower card at a position fits on the face-up card.
    void fits(int position) {
        s().faceUp.rank = 5;
        s().tower[position].rank = 6;
    }
    QPushButton* abandonButton() { return window().findChild<QPushButton*>("abandon"); }
    // A key on the board, as it reaches it through the focused button; the highlight after it.
    std::optional<Element> key(Qt::Key k) {
        QTest::keyClick(abandonButton(), k);
        return window().highlightedCard();
    }
    // A new deal, its level's boxes answered, until the clock runs.
    void deal() {
        PlayerScript banner;
        banner.box(PlayerScript::click("Aceptar")).box(PlayerScript::click("Aceptar"));
        game_->board().deal();
        QTRY_VERIFY_WITH_TIMEOUT(clock().active(), 10000);
        QVERIFY(banner.done());
    }
    QAccessibleInterface* boardObject() { return QAccessible::queryAccessibleInterface(&window()); }

    // The pixels that change lie in what refresh repaints (the time bar is the clock's own),
    // and that is at most the given share of the window.
    void checkRepaint(const std::function<void()>& change, double share) {
        clock().stop();      // no tick of its own redraws the board meanwhile
        window().refresh();  // what the test itself set is drawn before, not counted as a change
        QCoreApplication::processEvents();
        QImage before = window().grab().toImage();
        QRegion repainted = window().findChild<QProgressBar*>("timeBar")->geometry();
        PaintRecorder recorder(window(), repainted);
        change();
        window().refresh();
        QCoreApplication::processEvents();
        window().removeEventFilter(&recorder);
        QImage after = window().grab().toImage();
        QVERIFY2(after != before, "nothing changed on the screen");
        qint64 area = 0;
        for (const QRect& rect : repainted) {  // painted over, what was repainted counts no more
            area += qint64(rect.width()) * rect.height();
            for (QImage* shot : {&before, &after}) QPainter(shot).fillRect(rect, Qt::black);
        }
        QVERIFY2(after == before, "a pixel changed outside what was repainted");
        QVERIFY2(area <= share * window().width() * window().height(),
                 qPrintable(QString::number(area)));
    }

    // How far the element on the screen, down to the given share of its height, is from the
    // picture's drawing rendered at the size the element covers, on the felt.
    int differenceFromDrawing(Element element, const QString& picture, double share = 1) {
        const QImage shot = window().grab().toImage();
        QImage onScreen = shot.copy(toPixels(shot).mapRect(window().designRect(element)).toRect());
        onScreen.setDevicePixelRatio(1);
        QImage drawn(onScreen.size(), QImage::Format_ARGB32);
        drawn.fill(design::kFelt);
        QPainter painter(&drawn);
        QSvgRenderer(QString::fromStdString((folder_ / media::drawingOf(picture).toStdString())))
            .render(&painter, QRectF(drawn.rect()));
        painter.end();
        return worstDifference(drawn, onScreen, share);
    }

  private slots:
    void initTestCase() { prepareApplication(); }

    void init() {
        dir_ = std::make_unique<TempFolder>();
        folder_ = mediaCopy(*dir_);
        game_ = std::make_unique<Game>(folder_, [] {});
        window().show();
        window().setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        window().resize(1920, 1080);
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        deal();
        TestGame dealt(kDealSeed);
        dealt.board.deal();
        std::tie(s().tower, s().stock, s().faceUp) =
            std::tie(dealt.s().tower, dealt.s().stock, dealt.s().faceUp);
        window().refresh();
    }

    void cleanup() {
        game_.reset();
        dir_.reset();
    }

    // ---- The board as drawn ----

    // The face-up card and the stock are, pixel for pixel, their drawings rendered at the size
    // they cover on the screen, not bitmaps stretched there; the stock shows a card's back above
    // its counter while it holds cards, then its empty place.
    void theCardsAreTheirDrawingsAtTheSizeTheyCover() {
        QCOMPARE(window().grab().devicePixelRatio(),
                 qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const Element pile{ElementKind::StockPile, 0};
        QVERIFY(differenceFromDrawing(kFaceUp, media::cardPicture(s().faceUp)) <= 8);
        QVERIFY(differenceFromDrawing(pile, media::kCardBack, 0.35) <= 8);
        s().faceDown[1] = false;  // a peak turned up: its cover goes
        window().refresh();
        QVERIFY(differenceFromDrawing(tower(1), media::cardPicture(s().tower[1]), 0.35) <= 8);
        s().stockLeft = 0;
        window().refresh();
        QVERIFY(differenceFromDrawing(pile, media::kEmptyStock) <= 8);
    }

    // The board at its design size, focus on the abandon button, the pointer on the felt, the
    // clock stopped with the bar half full.
    QImage shotAtDesignSize() {
        clock().stop();
        s().timeBar = kFullTime / 2;
        window().activateWindow();
        if (!QTest::qWaitForWindowActive(&window())) return {};
        abandonButton()->setFocus();
        QTest::mouseMove(&window(), QPoint(0, 0));  // on the felt: nothing shows a hover
        window().resize(design::kBoardDesignSize);
        if (!QTest::qWaitFor([&] { return window().size() == design::kBoardDesignSize; }))
            return {};
        window().refresh();
        QCoreApplication::processEvents();
        return window().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // At its design size the dealt board looks as approved: every label's font, colour and
    // place, the felt, the controls and the pointer.
    void theDealtBoardLooksAsApproved() {
        if (window().devicePixelRatio() != 1) QSKIP("approved at one pixel per pixel");
        QImage shot = shotAtDesignSize();
        QVERIFY(!shot.isNull());
        const QCursor pointer = window().cursor();  // as the player sees it, resting on the felt
        QPainter(&shot).drawPixmap(QPoint(24, 24) - pointer.hotSpot(), pointer.pixmap());
        const QString why = unapproved(shot, "dealt_board.png");
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // The peaks taken, their notices show above the towers as approved: hidden at the deal, they
    // are in no other approved picture.
    void thePeakNoticesLookAsApproved() {
        if (window().devicePixelRatio() != 1) QSKIP("approved at one pixel per pixel");
        for (const int peak : kPeaks) s().taken[peak] = true, s().faceDown[peak] = false;
        const QImage shot = shotAtDesignSize();
        QVERIFY(!shot.isNull());
        QRectF notices;
        for (const auto notice :
             {design::BoardLabel::LeftPeakNotice, design::BoardLabel::RightPeakNotice})
            notices |= window().designRect({ElementKind::Label, static_cast<int>(notice)});
        const QString why = unapproved(shot.copy(notices.toAlignedRect()), "peak_notices.png");
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // A card lies behind the two cards overlapping it from the row below, as the board draws
    // them, and behind its cover; it turns face up once both are gone, and not before, whichever
    // goes first, and nothing else turns with it. Every element is stacked once.
    void aCardIsCoveredByTheTwoCardsOverlappingItFromBelow() {
        const auto& order = design::boardStacking();
        const auto place = [&](Element e) { return std::find(order.begin(), order.end(), e); };
        for (auto e = order.begin(); e != order.end(); ++e) QVERIFY(place(*e) == e);
        int covered = 0;
        for (int p = 1; p <= kTowerCardCount; ++p) {
            const QRectF card = window().designRect(tower(p));
            std::vector<int> below;
            for (int q = 1; q <= kTowerCardCount; ++q) {
                const QRectF other = window().designRect(tower(q));
                if (other.top() > card.top() && other.intersects(card)) below.push_back(q);
            }
            if (below.empty()) continue;  // a base card: face up from the deal
            ++covered;
            QCOMPARE(below.size(), std::size_t{2});
            QVERIFY(place({ElementKind::Cover, p}) < place(tower(p)));
            for (const int first : below) {
                QVERIFY(place(tower(first)) < place(tower(p)));
                TestGame game;
                game.board.deal();
                auto expected = game.s().faceDown;
                for (const int gone : {first, below[0] + below[1] - first}) {
                    game.edit().taken[gone] = true;
                    BoardTestAccess::uncover(game.board);
                    expected[p] = gone == first;  // face down while one is left
                    QVERIFY2(game.s().faceDown == expected,
                             qPrintable(QStringLiteral("%1 by %2").arg(p).arg(first)));
                }
            }
        }
        QCOMPARE(covered, 18);
    }

    // ---- What a change repaints ----

    // A held tick arrives through a posted call: what it changes is drawn at once, an empty bar
    // too.
    void aPostedChangeIsDrawnAtOnce() {
        clock().stop();  // no tick of its own redraws the board
        const auto* bar = window().findChild<QProgressBar*>("timeBar");
        QVERIFY(bar->value() != 0);
        game_->services().post([this] { s().timeBar = 0; });
        QTRY_COMPARE(bar->value(), 0);
    }

    // A play, a draw and the highlight's move repaint every pixel they change; a count-down tick
    // repaints the time bar and the score, little of the board.
    void aChangeRepaintsEveryPixelItChanges() {
        fits(27);
        checkRepaint([this] { game_->board().playTowerCard(27); }, 1);
        checkRepaint([this] { game_->board().drawFromStock(); }, 1);
        checkRepaint([this] { key(Qt::Key_Up), key(Qt::Key_Up); }, 1.0 / 10);
        checkRepaint(
            [this] {
                s().phase = Phase::Countdown;
                game_->board().tick(TimerId::Clock);
            },
            1.0 / 20);
    }

    // ---- The mouse ----

    // A click plays only the card it hits: not a card under its cover (the cover takes the
    // click), nor one card pressed and another released, nor a press another button ends.
    void onlyAClickOnACardPlaysIt() {
        QCOMPARE(window().elementAt(window().designRect(tower(1)).center()),
                 (Element{ElementKind::Cover, 1}));
        fits(1);
        fits(7);
        s().tower[8].rank = 4;
        click(tower(1));
        QTest::mousePress(&window(), Qt::LeftButton, {}, at(tower(7)));
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, at(tower(8)));
        QTest::mousePress(&window(), Qt::LeftButton, {}, at(tower(7)));
        QTest::mouseRelease(&window(), Qt::RightButton, {}, at(tower(7)));  // the press is undone
        QVERIFY(!s().taken[1] && !s().taken[7] && !s().taken[8]);
    }

    // A double-click on the face-up card (press, release, press, double-click, release) draws
    // once.
    void aDoubleClickOnTheFaceUpCardDrawsOnce() {
        const int left = s().stockLeft;
        click(kFaceUp);
        QTest::mousePress(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QTest::mouseDClick(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QCOMPARE(s().stockLeft, left - 1);
    }

    // ---- The keys ----

    // The first arrow only shows the face-up card; then they move among the cards a click would
    // play, down from the base row back to the face-up card; Esc takes the highlight away.
    void theArrowsMoveAmongTheFreeCards() {
        const int left = s().stockLeft;
        const std::pair<Qt::Key, std::optional<Element>> steps[] = {
            {Qt::Key_Up, kFaceUp},
            {Qt::Key_Up, tower(18)},  // the base card nearest above
                                      // the face-up card
            {Qt::Key_Up, tower(18)},  // every card above is face down
            {Qt::Key_Left, tower(17)},
            {Qt::Key_Right, tower(18)},
            {Qt::Key_Down, kFaceUp},
            {Qt::Key_Escape, std::nullopt}};
        for (std::size_t i = 0; i < std::size(steps); ++i)
            QVERIFY2(key(steps[i].first) == steps[i].second, qPrintable(QString::number(i)));
        QCOMPARE(s().stockLeft, left);
    }

    // Up from the face-up card reaches whichever base card is left alone, the last one too.
    void theArrowsReachEachBaseCard() {
        for (int only = 1; only <= kTowerCardCount; ++only) {
            if (!inBaseRow(only)) continue;
            for (int position = 1; position <= kTowerCardCount; ++position)
                s().taken[position] = inBaseRow(position) && position != only;
            key(Qt::Key_Escape);
            QCOMPARE(key(Qt::Key_Up), kFaceUp);
            QVERIFY2(key(Qt::Key_Up) == tower(only), qPrintable(QString::number(only)));
        }
    }

    // Between games no card takes a click, so no arrow shows one; the face-up card lets a click
    // through to what lies behind it.
    void betweenGamesTheArrowsShowNothing() {
        s().phase = Phase::Over;
        QVERIFY(!key(Qt::Key_Up));
        QVERIFY(window().elementAt(window().designRect(kFaceUp).center()) != kFaceUp);
    }

    // A new deal takes the highlight away: the first arrow shows the face-up card again.
    void theFirstArrowOfANewDealShowsTheFaceUpCard() {
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Up), tower(18));
        deal();
        QCOMPARE(key(Qt::Key_Up), kFaceUp);
    }

    // Enter and Space play as a click: the highlight follows a tower card to the face-up card,
    // and on the face-up card they draw.
    void enterAndSpacePlayTheHighlightedCard() {
        fits(17);
        const int left = s().stockLeft;
        for (const Qt::Key k : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left}) key(k);
        QCOMPARE(key(Qt::Key_Return), kFaceUp);
        QVERIFY(s().taken[17]);
        QCOMPARE(key(Qt::Key_Space), kFaceUp);
        QCOMPARE(s().stockLeft, left - 1);
    }

    // A click clears the highlight and plays what it hits, not what was highlighted.
    void aClickPlaysWhatItHitsAndClearsTheHighlight() {
        s().faceUp.rank = 6;
        s().tower[8].rank = 7;
        s().tower[18].rank = 5;
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Up), tower(18));
        click(tower(8));
        QVERIFY(s().taken[8] && !s().taken[18]);
        QVERIFY(!window().highlightedCard());
    }

    // With nothing highlighted Enter and Space press the abandon button; Esc answers No.
    void withNothingHighlightedEnterAndSpaceAskToAbandon() {
        PlayerScript script;
        script.box(PlayerScript::key(Qt::Key_Escape)).box(PlayerScript::key(Qt::Key_Escape));
        key(Qt::Key_Space);
        key(Qt::Key_Return);  // each key opens its box and waits for its answer
        QCOMPARE(script.seen().size(), qsizetype{2});
        QCOMPARE(s().phase, Phase::Playing);
    }

    // Enter that reaches the board itself, no button, with nothing highlighted, presses nothing.
    void enterOnTheBoardItselfPressesNothing() {
        const int left = s().stockLeft;
        QTest::keyClick(&window(), Qt::Key_Return);
        QCOMPARE(s().phase, Phase::Playing);
        QCOMPARE(s().stockLeft, left);
    }

    // ---- The accessibility bus ----

    // The tower row by row, the face-up card, the stock, the labels, the notification of what a
    // move changed, then the abandon button and the time bar, each knowing its place. A
    // face-down card has no name of its own and cannot be pressed; the notification is never
    // shown. A point on the screen finds what lies in front there: a card, or a control over the
    // painting.
    void theBoardsObjectsComeInReadingOrderAndLieWhereTheyShow() {
        QAccessibleInterface* board = boardObject();
        QCOMPARE(board->childCount(), kBoardObjects + 2);
        for (int i = 0; i < board->childCount(); ++i)
            QCOMPARE(board->indexOfChild(board->child(i)), i);
        QCOMPARE(board->child(0)->text(QAccessible::Name), QStringLiteral("Carta boca abajo"));
        QVERIFY(board->child(0)->actionInterface()->actionNames().isEmpty());
        // A screen reader says what each is: a card a button, the stock a picture, a label text.
        QCOMPARE(board->child(kTowerCardCount)->role(), QAccessible::Button);
        QCOMPARE(board->child(kTowerCardCount + 1)->role(), QAccessible::Graphic);
        QCOMPARE(board->child(kTowerCardCount + 2)->role(), QAccessible::StaticText);
        QAccessibleInterface* notice = board->child(kBoardObjects - 1);
        QVERIFY(notice->role() == QAccessible::Notification && notice->state().invisible);
        QAccessibleInterface* time = board->child(kBoardObjects + 1);
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Tiempo"));
        QCOMPARE(time->valueInterface()->currentValue().toInt(), s().timeBar);
        // The cards and the labels shown; the stock's centre lies under the draws-left counter.
        for (int i = 0; i < kBoardObjects - 1; ++i) {
            if (i == kTowerCardCount + 1 || board->child(i)->state().invisible) continue;
            const QPoint centre = board->child(i)->rect().center();
            QCOMPARE(board->childAt(centre.x(), centre.y()), board->child(i));
        }
        const QPoint button = abandonButton()->mapToGlobal(abandonButton()->rect().center());
        QCOMPARE(board->childAt(button.x(), button.y()), board->child(kBoardObjects));
        const QWidget* bar = window().findChild<QProgressBar*>("timeBar");
        const QPoint barCentre = bar->mapToGlobal(bar->rect().center());
        QCOMPARE(board->childAt(barCentre.x(), barCentre.y()), time);
    }

    // The highlighted card, and no other, has the focus a screen reader follows.
    void theHighlightedCardAloneHasTheFocus() {
        QCOMPARE(key(Qt::Key_Up), kFaceUp);
        QVERIFY(boardObject()->child(kTowerCardCount)->state().focused);
        QVERIFY(!boardObject()->child(kTowerCardCount - 1)->state().focused);
    }

    // A card tells its tower: the left one holds four cards of the base row, the others three.
    void eachCardIsDescribedByItsTower() {
        std::map<QString, int> towers;
        for (int i = 0; i < kTowerCardCount; ++i)
            ++towers[boardObject()->child(i)->text(QAccessible::Description).section(',', 0, 0)];
        QCOMPARE(towers, (std::map<QString, int>{
                             {"Torre central", 9}, {"Torre derecha", 9}, {"Torre izquierda", 10}}));
    }

    // ---- The window's states ----

    // Minimised, the clock pauses; back, it runs again. Off Wayland the board comes back as it
    // left: maximised, or restored by the player.
    void minimisedTheClockPausesAndTheBoardComesBackAsItWas() {
        for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowNoState}) {
            window().setWindowState(state);
            window().setWindowState(Qt::WindowMinimized);
            QTRY_VERIFY(!clock().active());
            window().setWindowState(state);
            QTRY_VERIFY(clock().active());
            QVERIFY(!s().paused);
            QCOMPARE(window().isMaximized(), state == Qt::WindowMaximized);
        }
    }

    // However small the screen, the abandon button's text stays 8 pixels high.
    void theButtonStaysLegibleOnASmallScreen() {
        window().setMinimumSize(0, 0);
        window().resize(240, 135);
        QTRY_COMPARE(abandonButton()->font().pixelSize(), 8);
    }

    // Restored, the board has one fixed size; maximised, any size.
    void restoredTheBoardHasOneSize() {
        window().showMaximized();
        window().showNormal();
        QCOMPARE(window().minimumSize(), design::kBoardRestoredSize);
        QCOMPARE(window().maximumSize(), design::kBoardRestoredSize);
        window().showMaximized();
        QCOMPARE(window().minimumSize(), QSize(0, 0));
        QCOMPARE(window().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        QCOMPARE(window().windowIcon().availableSizes().size(),
                 qsizetype{media::kIconSizes.size()});
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::WindowsTest)
#include "windows_test.moc"
