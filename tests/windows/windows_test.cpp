// SPDX-License-Identifier: GPL-3.0-or-later
// A game dealt on the screen: the board as drawn, what a change repaints, the mouse, the keys,
// the accessibility bus, the window's states and its closing. Every function starts from the same
// freshly dealt board, stretched to 1920 x 1080, well beyond its design size, with the clock
// running. Run also with QT_SCALE_FACTOR=2.

#include <QAccessible>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>
#include <QtMath>
#include <map>
#include <memory>
#include <set>

#include "board_accessible.h"
#include "fake_services.h"
#include "game.h"
#include "player_script.h"
#include "program_folder.h"
#include "temp_folder.h"

namespace crestaverde::testing {

namespace fs = std::filesystem;
using design::Element;
using design::ElementKind;

namespace {

// The cards every function starts from: the deal of a fixed clock reading.
constexpr long long kDealSeed = 20240611;

Element tower(int position) {
    return {ElementKind::TowerCard, position};
}
const Element kFaceUp{ElementKind::FaceUpCard, 0};

}  // namespace

class WindowsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<TempFolder> dir_;
    fs::path folder_;
    std::unique_ptr<PlayerScript> banner_;
    std::unique_ptr<Game> game_;

    BoardWindow& window() { return game_->boardWindow(); }
    BoardState& s() { return BoardTestAccess::state(game_->board()); }
    QtTimer& clock() { return game_->services().timer(TimerId::Clock); }
    QPoint at(Element e) {
        return window().designToWindow().map(window().designRect(e).center()).toPoint();
    }
    QPushButton* abandonButton() { return window().findChild<QPushButton*>("abandon"); }
    // A key on the board, as it reaches it through the focused button; the highlight after it.
    std::optional<Element> key(Qt::Key k) {
        QTest::keyClick(abandonButton(), k);
        return window().highlightedCard();
    }
    QAccessibleInterface* boardObject() { return QAccessible::queryAccessibleInterface(&window()); }

    // The pixels that change lie in what refresh repaints (the time bar is the clock's own).
    // Returns the repainted area in window pixels.
    qint64 checkRepaint(const std::function<void()>& change) {
        clock().stop();      // no tick of its own redraws the board meanwhile
        window().refresh();  // what the test itself set is drawn before, not counted as a change
        const QImage before = window().grab().toImage();
        change();
        const QRegion repainted =
            window().refresh() + window().findChild<QProgressBar*>("timeBar")->geometry();
        const QImage after = window().grab().toImage();
        const qreal r = after.devicePixelRatio();
        int changed = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (before.pixel(x, y) == after.pixel(x, y)) continue;
                ++changed;
                if (!repainted.contains(QPoint(int(x / r), int(y / r)))) {
                    QTest::qFail(qPrintable(QStringLiteral("%1,%2 not repainted").arg(x).arg(y)),
                                 __FILE__, __LINE__);
                    return -1;
                }
            }
        }
        if (changed == 0) QTest::qFail("nothing changed on the screen", __FILE__, __LINE__);
        qint64 area = 0;
        for (const QRect& rect : repainted) area += qint64(rect.width()) * rect.height();
        return area;
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
        banner_ = std::make_unique<PlayerScript>();
        banner_->box(PlayerScript::click("Aceptar")).box(PlayerScript::click("Aceptar"));
        game_->board().deal();
        TestGame dealt(kDealSeed);
        dealt.board.deal();
        s().tower = dealt.s().tower;
        s().stock = dealt.s().stock;
        s().faceUp = dealt.s().faceUp;
        QTRY_VERIFY_WITH_TIMEOUT(clock().active(), 10000);
        QVERIFY(banner_->done());
        window().refresh();
    }

    void cleanup() {
        game_.reset();
        banner_.reset();
        dir_.reset();
    }

    // ---- The board as drawn ----

    // How far the element on the screen, down to the given share of its height, is from the
    // picture's drawing rendered at the size the element covers, on the felt.
    int differenceFromDrawing(Element element, const QString& picture, double share = 1) {
        const QImage shot = window().grab().toImage();
        const qreal ratio = shot.devicePixelRatio();
        const QRectF target = (window().designToWindow() * QTransform::fromScale(ratio, ratio))
                                  .mapRect(window().designRect(element));
        const QRect card(qRound(target.left()), qRound(target.top()), qRound(target.width()),
                         qRound(target.height()));
        QImage drawn(card.size(), QImage::Format_ARGB32);
        drawn.fill(design::kFelt);
        QPainter painter(&drawn);
        QSvgRenderer(QString::fromStdString((folder_ / media::drawingOf(picture).toStdString())))
            .render(&painter, QRectF(drawn.rect()));
        painter.end();
        const QImage onScreen = shot.copy(card).convertToFormat(QImage::Format_ARGB32);
        int worst = 0;
        for (int y = 0; y < qRound(card.height() * share); ++y) {
            for (int x = 0; x < card.width(); ++x) {
                const QRgb a = onScreen.pixel(x, y);
                const QRgb b = drawn.pixel(x, y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                  std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            }
        }
        return worst;
    }

    // The face-up card is, pixel for pixel, its drawing rendered at the size it covers on the
    // screen, not a bitmap stretched there.
    void theFaceUpCardIsItsDrawingAtTheSizeItCovers() {
        QCOMPARE(window().grab().devicePixelRatio(),
                 qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
        const int worst = differenceFromDrawing(kFaceUp, media::cardPicture(s().faceUp));
        QVERIFY2(worst <= 8, qPrintable(QString::number(worst)));
    }

    // The stock shows a card's back above its counter while it holds cards, then its empty place.
    void theStockPileShowsABackTillTheStockIsEmpty() {
        const Element pile{ElementKind::StockPile, 0};
        QVERIFY(differenceFromDrawing(pile, media::kCardBack, 0.35) <= 8);
        s().stockLeft = 0;
        window().refresh();
        QVERIFY(differenceFromDrawing(pile, media::kEmptyStock) <= 8);
    }

    // The score and its title lie unframed on the felt: their corners show the felt.
    void theScoreAndItsTitleHaveNoFrame() {
        const QImage shot = window().grab().toImage();
        const qreal r = shot.devicePixelRatio();
        const QTransform toPixels = window().designToWindow() * QTransform::fromScale(r, r);
        for (const auto label : {design::BoardLabel::ScoreTitle, design::BoardLabel::Score}) {
            const QRectF rect =
                toPixels.mapRect(window().designRect({ElementKind::Label, int(label)}));
            for (const QPointF& corner :
                 {rect.topLeft() + QPointF(1, 1), rect.bottomRight() - QPointF(2, 2)})
                QCOMPARE(shot.pixelColor(corner.toPoint()), design::kFelt);
        }
    }

    // The draws-left counter is its number in upright bold on the ink square.
    void theDrawsLeftCounterIsUpright() {
        const design::LabelDesign& look = design::boardLabel(design::BoardLabel::DrawsLeft);
        const QRectF rect =
            window().designRect({ElementKind::Label, int(design::BoardLabel::DrawsLeft)});
        const QImage shot = window().grab().toImage();
        QImage drawn(shot.size(), shot.format());
        drawn.setDevicePixelRatio(shot.devicePixelRatio());
        QPainter painter(&drawn);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.setTransform(window().designToWindow());
        painter.fillRect(rect, look.back);
        QFont upright(look.family);
        upright.setPixelSize(design::pointsToPixels(look.points));
        upright.setBold(true);
        painter.setFont(upright);
        painter.setPen(look.text);
        painter.drawText(rect, int(look.align), window().labelText(design::BoardLabel::DrawsLeft));
        painter.end();
        const qreal r = shot.devicePixelRatio();
        const QRect inside = (window().designToWindow() * QTransform::fromScale(r, r))
                                 .mapRect(rect)
                                 .toAlignedRect()
                                 .adjusted(3, 3, -3, -3);
        QCOMPARE(shot.copy(inside), drawn.copy(inside));
    }

    // A card turns face up once both cards overlapping it from the row below, as the board
    // draws them, are gone, and not before; nothing else turns with it.
    void aCardTurnsUpOnceBothCardsOverlappingItFromBelowAreGone() {
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
            for (const int gone : below) {  // either card alone leaves it face down
                TestGame game;
                game.board.deal();
                QVERIFY(game.s().faceDown[p]);
                game.edit().taken[gone] = true;
                BoardTestAccess::uncover(game.board);
                QVERIFY2(game.s().faceDown[p],
                         qPrintable(QStringLiteral("%1 by %2").arg(p).arg(gone)));
            }
            TestGame game;
            game.board.deal();
            const auto faceDown = game.s().faceDown;
            for (const int gone : below) game.edit().taken[gone] = true;
            BoardTestAccess::uncover(game.board);
            auto expected = faceDown;
            expected[p] = false;
            QVERIFY2(game.s().faceDown == expected, qPrintable(QString::number(p)));
        }
        QCOMPARE(covered, 18);
    }

    // Every element is stacked once; a card lies in front of each card it overlaps from the row
    // above, and each cover in front of its card.
    void theStackingPutsLowerCardsInFront() {
        const auto& order = design::boardStacking();
        const auto place = [&](Element e) { return std::find(order.begin(), order.end(), e); };
        QCOMPARE(std::set(order.begin(), order.end(),
                          [](Element a, Element b) {
                              return std::pair(a.kind, a.index) < std::pair(b.kind, b.index);
                          })
                     .size(),
                 order.size());
        for (int p = 1; p <= kTowerCardCount; ++p) {
            for (int q = 1; q <= kTowerCardCount; ++q) {
                const QRectF upper = window().designRect(tower(p));
                const QRectF lower = window().designRect(tower(q));
                if (lower.top() > upper.top() && lower.intersects(upper))
                    QVERIFY2(place(tower(q)) < place(tower(p)),
                             qPrintable(QStringLiteral("%1 %2").arg(q).arg(p)));
            }
        }
        for (int p = 1; p <= kTowerCardCount; ++p) {
            if (!inBaseRow(p)) QVERIFY(place({ElementKind::Cover, p}) < place(tower(p)));
        }
    }

    // The three peak notices look alike and lie alike over their peaks; each title's shadow is
    // the title in the shadow's colour, moved as far as the other's.
    void theNoticesAreAlikeAndTheShadowsFollowTheirTitles() {
        using design::BoardLabel;
        const auto font = [](const design::LabelDesign& l) {
            return std::tie(l.family, l.points, l.bold, l.italic);
        };
        const auto alike = [&](const design::LabelDesign& a, const design::LabelDesign& b) {
            return font(a) == font(b) && a.rect.size() == b.rect.size() && a.align == b.align &&
                   a.autoSize == b.autoSize && a.border == b.border;
        };
        const std::array notices = {BoardLabel::LeftPeakNotice, BoardLabel::MiddlePeakNotice,
                                    BoardLabel::RightPeakNotice};
        const design::LabelDesign& first = design::boardLabel(notices[0]);
        const auto offset = [&](std::size_t i) {
            return QRectF(design::boardLabel(notices[i]).rect).center() -
                   window().designRect(tower(kPeaks.at(i))).center();
        };
        const design::LabelDesign& score = design::boardLabel(BoardLabel::Score);
        for (const BoardLabel plain : {BoardLabel::ScoreTitle, BoardLabel::Score})
            QVERIFY(font(design::boardLabel(plain)) == font(first));  // the notices' font
        QVERIFY(!score.autoSize);  // the score's place is kept, however wide it grows
        for (std::size_t i = 1; i < notices.size(); ++i) {
            const design::LabelDesign& notice = design::boardLabel(notices[i]);
            QVERIFY(alike(notice, first) && notice.text == first.text && notice.back == first.back);
            QCOMPARE(offset(i), offset(0));
        }
        const std::pair<BoardLabel, BoardLabel> shadows[] = {
            {BoardLabel::BigTitle, BoardLabel::BigTitleShadow},
            {BoardLabel::SmallTitle, BoardLabel::SmallTitleShadow}};
        const auto shift = [](const std::pair<BoardLabel, BoardLabel>& pair) {
            return design::boardLabel(pair.second).rect.topLeft() -
                   design::boardLabel(pair.first).rect.topLeft();
        };
        for (const auto& [title, shadow] : shadows) {
            QVERIFY(alike(design::boardLabel(title), design::boardLabel(shadow)));
            QCOMPARE(design::boardLabel(shadow).text, design::kShadow);
            QCOMPARE(shift({title, shadow}), shift(shadows[0]));
        }
    }

    // ---- What a change repaints ----

    // A held tick arrives through a posted call: what it changes is drawn at once.
    void aPostedChangeIsDrawnAtOnce() {
        clock().stop();  // no tick of its own redraws the board
        const auto* bar = window().findChild<QProgressBar*>("timeBar");
        QVERIFY(bar->value() != 120);
        game_->services().post([this] { s().timeBar = 120; });
        QTRY_COMPARE(bar->value(), 120);
    }

    void aPlayRepaintsEveryPixelItChanges() {
        s().faceUp.rank = 5;
        s().tower[27].rank = 6;
        checkRepaint([this] { game_->board().playTowerCard(27); });
        QVERIFY(s().taken[27]);
    }

    void aDrawRepaintsEveryPixelItChanges() {
        const int left = s().stockLeft;
        checkRepaint([this] { game_->board().drawFromStock(); });
        QCOMPARE(s().stockLeft, left - 1);
    }

    // A count-down tick repaints the time bar and the score, little of the board.
    void aCountdownTickRepaintsLittle() {
        const std::int64_t score = s().score;
        const qint64 area = checkRepaint([this] {
            s().phase = Phase::Countdown;
            game_->board().tick(TimerId::Clock);
        });
        QVERIFY(s().score > score);
        QVERIFY2(area > 0 && area < qint64(window().width()) * window().height() / 20,
                 qPrintable(QString::number(area)));
    }

    // ---- The mouse ----

    // A card under its cover: the cover takes the click and nothing happens.
    void aCoveredCardTakesNoClick() {
        QCOMPARE(window().elementAt(window().designRect(tower(1)).center()),
                 (Element{ElementKind::Cover, 1}));
        s().faceUp.rank = 5;
        s().tower[1].rank = 6;
        const std::int64_t score = s().score;
        QTest::mouseClick(&window(), Qt::LeftButton, {}, at(tower(1)));
        QVERIFY(!s().taken[1]);
        QCOMPARE(s().score, score);
    }

    // Pressed on one card and released on another: no click at all.
    void aPressAndAReleaseOnTwoCardsAreNoClick() {
        s().faceUp.rank = 5;
        s().tower[7].rank = 6;
        s().tower[8].rank = 4;
        QTest::mousePress(&window(), Qt::LeftButton, {}, at(tower(7)));
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, at(tower(8)));
        QVERIFY(!s().taken[7] && !s().taken[8]);
    }

    // A free card on the scaled board: the click lands on it, plays it and scores.
    void aClickOnAFreeCardPlaysIt() {
        QVERIFY(at(tower(7)).y() > 400);
        s().faceUp.rank = 5;
        s().tower[7].rank = 6;
        const std::int64_t score = s().score;
        QTest::mouseClick(&window(), Qt::LeftButton, {}, at(tower(7)));
        QVERIFY(s().taken[7]);
        QCOMPARE(s().score, score + 300);
    }

    // A double-click on the face-up card (press, release, press, double-click, release) draws
    // once.
    void aDoubleClickOnTheFaceUpCardDrawsOnce() {
        const int left = s().stockLeft;
        QTest::mouseClick(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QTest::mousePress(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QMouseEvent second(QEvent::MouseButtonDblClick, at(kFaceUp),
                           window().mapToGlobal(at(kFaceUp)), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(&window(), &second);
        QTest::mouseRelease(&window(), Qt::LeftButton, {}, at(kFaceUp));
        QCOMPARE(s().stockLeft, left - 1);
        QCOMPARE(window().labelText(design::BoardLabel::DrawsLeft), QString::number(left - 1));
    }

    // ---- The keys ----

    // The first arrow only shows the face-up card; then they move among the cards a click would
    // play, down from the base row back to the face-up card.
    void theArrowsMoveAmongTheFreeCards() {
        const int left = s().stockLeft;
        QCOMPARE(key(Qt::Key_Up), kFaceUp);
        QCOMPARE(s().stockLeft, left);
        QCOMPARE(key(Qt::Key_Up), tower(18));  // the base card nearest above the face-up card
        QCOMPARE(key(Qt::Key_Up), tower(18));  // every card above is face down
        QCOMPARE(key(Qt::Key_Left), tower(17));
        QCOMPARE(key(Qt::Key_Right), tower(18));
        QCOMPARE(key(Qt::Key_Down), kFaceUp);
    }

    // Between games no card takes a click, so no arrow shows one.
    void betweenGamesTheArrowsShowNothing() {
        s().phase = Phase::Over;
        QVERIFY(!key(Qt::Key_Up));
    }

    // Enter plays as a click; the highlight follows the card to the face-up card.
    void enterPlaysTheHighlightedCard() {
        s().faceUp.rank = 5;
        s().tower[17].rank = 6;
        key(Qt::Key_Up);
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Left), tower(17));
        QCOMPARE(key(Qt::Key_Return), kFaceUp);
        QVERIFY(s().taken[17]);
        QCOMPARE(s().faceUp.rank, 6);
    }

    // Space plays too: on the face-up card it draws.
    void spaceOnTheFaceUpCardDraws() {
        const int left = s().stockLeft;
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Space), kFaceUp);
        QCOMPARE(s().stockLeft, left - 1);
    }

    void escRemovesTheHighlight() {
        QCOMPARE(key(Qt::Key_Up), kFaceUp);
        QVERIFY(!key(Qt::Key_Escape));
    }

    // A click clears the highlight and plays what it hits, not what was highlighted.
    void aClickPlaysWhatItHitsAndClearsTheHighlight() {
        s().faceUp.rank = 6;
        s().tower[8].rank = 7;
        s().tower[18].rank = 5;
        key(Qt::Key_Up);
        QCOMPARE(key(Qt::Key_Up), tower(18));
        QTest::mouseClick(&window(), Qt::LeftButton, {}, at(tower(8)));
        QVERIFY(s().taken[8] && !s().taken[18]);
        QVERIFY(!window().highlightedCard());
    }

    // With nothing highlighted Enter and Space press the abandon button; Esc answers No.
    void withNothingHighlightedEnterAndSpaceAskToAbandon() {
        PlayerScript script;
        script.box(PlayerScript::key(Qt::Key_Escape)).box(PlayerScript::key(Qt::Key_Escape));
        key(Qt::Key_Space);
        QCOMPARE(script.seen().size(), qsizetype{1});
        key(Qt::Key_Return);
        QCOMPARE(script.seen().size(), qsizetype{2});
        QVERIFY(script.done());
        QCOMPARE(s().phase, Phase::Playing);
    }

    // The highlight is a gold frame edged in ink on both sides, around the card.
    void theHighlightIsGoldEdgedInInk() {
        const auto across = [this] {  // runs of ink (i) and gold (g) across the frame's left side
            const QImage shot = window().grab().toImage();
            const qreal r = shot.devicePixelRatio();
            const QTransform toPixels = window().designToWindow() * QTransform::fromScale(r, r);
            const double gap = design::kHighlightGap;
            const QRectF frame =
                toPixels.mapRect(window().designRect(kFaceUp).adjusted(-gap, -gap, gap, gap));
            const double reach = toPixels.m11() * (design::kHighlightGold + design::kHighlightInk);
            QString runs;
            for (int x = qFloor(frame.left() - reach); x <= qCeil(frame.left() + reach); ++x) {
                const QColor c = shot.pixelColor(x, qRound(frame.center().y()));
                const QChar run = c == design::kInk ? 'i' : (c == design::kHighlight ? 'g' : '.');
                if (runs.isEmpty() || runs.back() != run) runs += run;
            }
            return runs.remove('.');
        };
        QVERIFY(!across().contains('g'));
        key(Qt::Key_Up);
        QVERIFY2(across().contains("igi"), qPrintable(across()));
    }

    // ---- The accessibility bus ----

    // The tower row by row, the face-up card, the stock, the labels, then the abandon button
    // and the time bar; a face-down card has no name of its own and cannot be pressed.
    void theBoardsObjectsComeInReadingOrder() {
        QAccessibleInterface* board = boardObject();
        QCOMPARE(board->childCount(), kBoardObjects + 2);
        QAccessibleInterface* peak = board->child(0);
        QCOMPARE(peak->text(QAccessible::Name), QStringLiteral("Carta boca abajo"));
        QVERIFY(peak->actionInterface()->actionNames().isEmpty());
        QAccessibleInterface* time = board->child(kBoardObjects + 1);
        QCOMPARE(time->text(QAccessible::Name), QStringLiteral("Tiempo"));
        QCOMPARE(time->valueInterface()->currentValue().toInt(), s().timeBar);
    }

    // Each object knows its place among the board's, and a point on the screen finds the
    // object of what lies in front there: a card, or a control over the painting.
    void theObjectsKnowTheirPlaceAndWhatLiesAtAPoint() {
        QAccessibleInterface* board = boardObject();
        for (int i = 0; i < board->childCount(); ++i)
            QCOMPARE(board->indexOfChild(board->child(i)), i);
        for (int i = 0; i <= kTowerCardCount; ++i) {
            QAccessibleInterface* card = board->child(i);
            const QPoint centre = card->rect().center();
            QCOMPARE(board->childAt(centre.x(), centre.y()), card);
        }
        const QPoint button = abandonButton()->mapToGlobal(abandonButton()->rect().center());
        QCOMPARE(board->childAt(button.x(), button.y()),
                 QAccessible::queryAccessibleInterface(abandonButton()));
    }

    // What a move changed is told through one notification that is never shown.
    void theBoardHasOneNotificationNeverShown() {
        QAccessibleInterface* board = boardObject();
        int notices = 0;
        for (int i = 0; i < board->childCount(); ++i) {
            if (board->child(i)->role() != QAccessible::Notification) continue;
            ++notices;
            QVERIFY(board->child(i)->state().invisible);
        }
        QCOMPARE(notices, 1);
    }

    // A card tells its tower: the left one holds four cards of the base row, the others three.
    void eachCardIsDescribedByItsTower() {
        std::map<QString, int> towers;
        for (int i = 0; i < kTowerCardCount; ++i)
            ++towers[boardObject()->child(i)->text(QAccessible::Description).section(',', 0, 0)];
        QCOMPARE(towers, (std::map<QString, int>{
                             {"Torre central", 9}, {"Torre derecha", 9}, {"Torre izquierda", 10}}));
    }

    void theFaceUpCardIsNamedAsAPlayerSaysIt() {
        QAccessibleInterface* faceUpObject = boardObject()->child(kTowerCardCount);
        for (const auto& [face, spoken] :
             {std::pair<Card, const char*>{{7, Suit::Hearts}, "7 de corazones"},
              {{11, Suit::Clubs}, "Jota de tréboles"},
              {{13, Suit::Spades}, "Rey de picas"}}) {
            s().faceUp = face;
            QCOMPARE(faceUpObject->text(QAccessible::Name), QString::fromUtf8(spoken));
        }
    }

    // Pressing a playable card's object plays it, and the score reads the new total.
    void pressingACardsObjectPlaysIt() {
        s().faceUp = {13, Suit::Spades};
        s().tower[9] = {12, Suit::Hearts};  // the third card of the base row
        const std::int64_t score = s().score;
        QAccessibleInterface* board = boardObject();
        board->child(20)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(s().taken[9]);
        QCOMPARE(s().score, score + 300);
        QCOMPARE(board->child(kTowerCardCount + 2)->text(QAccessible::Name),
                 QStringLiteral("Puntuación: %1").arg(score + 300));
    }

    void pressingTheFaceUpCardsObjectDraws() {
        const int left = s().stockLeft;
        boardObject()
            ->child(kTowerCardCount)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(s().stockLeft, left - 1);
    }

    // ---- The window's states and its closing ----

    // Minimised, the clock pauses; back, it runs again.
    void minimisedTheClockPauses() {
        window().setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!clock().active());
        window().setWindowState(Qt::WindowMaximized);
        QTRY_VERIFY(clock().active());
        QVERIFY(!s().paused);
    }

    // Restored, the board has one fixed size and no maximise button; maximised, any size.
    void restoredTheBoardHasOneSize() {
        window().showMaximized();
        QCOMPARE(window().maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
        window().showNormal();
        QCOMPARE(window().minimumSize(), design::kBoardRestoredSize);
        QCOMPARE(window().maximumSize(), design::kBoardRestoredSize);
        QVERIFY(!(window().windowFlags() & Qt::WindowMaximizeButtonHint));
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
