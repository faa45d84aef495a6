// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told: the board under a scripted window layer sends its events to a
// recorder in place of the accessibility bus; a text field answers as one run of text. Qt sends
// events only while a bridge to the bus is up, so this runs on an X display in a D-Bus session of
// its own, with QT_LINUX_ACCESSIBILITY_ALWAYS_ON.

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <vector>

#include "board_window.h"
#include "fake_services.h"
#include "game.h"
#include "time_bar.h"
#include "window_texts.h"

namespace crestaverde::testing {

using design::Element;
using design::ElementKind;

namespace {

struct Heard {
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    QVariant value;
};

// The recorder an update handler can reach: a plain function takes no state of its own.
std::vector<Heard>* heard = nullptr;

void record(QAccessibleEvent* event) {
    QAccessibleInterface* object = event->accessibleInterface();
    const QAccessibleValueInterface* value = object->valueInterface();
    heard->push_back({event->type(), object->role(), object->text(QAccessible::Name),
                      value != nullptr ? value->currentValue() : QVariant()});
}

// Events go to the recorder while it lives.
class Listening {
  public:
    Listening() : previous_(QAccessible::installUpdateHandler(&record)) { heard = &events; }
    Listening(const Listening&) = delete;
    Listening& operator=(const Listening&) = delete;
    ~Listening() {
        heard = nullptr;
        QAccessible::installUpdateHandler(previous_);
    }

    // What was heard of this kind: names for notifications, values for the time bar.
    [[nodiscard]] QVariantList heardOf(QAccessible::Event type, QAccessible::Role role) const {
        QVariantList found;
        for (const Heard& event : events) {
            if (event.type == type && event.role == role)
                found << (role == QAccessible::Notification ? QVariant(event.name) : event.value);
        }
        return found;
    }
    [[nodiscard]] QVariantList notices() const {
        return heardOf(QAccessible::ObjectShow, QAccessible::Notification);
    }
    [[nodiscard]] QVariantList timesHeard() const {
        return heardOf(QAccessible::ValueChanged, QAccessible::ProgressBar);
    }

    std::vector<Heard> events;

  private:
    QAccessible::UpdateHandler previous_;
};

constexpr Element kFaceUp{ElementKind::FaceUpCard, 0};

Element tower(int position) {
    return {ElementKind::TowerCard, position};
}

}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT

  private:
    // A dealt board in play, on the screen.
    struct Table {
        Table() {
            game.startGame();
            window.show();
            window.refresh();
        }
        TestGame game;
        MediaCatalogue media{QStringLiteral(CRESTAVERDE_MEDIA_DIR)};
        BoardWindow window{game.board, media, [] {}};
    };

  private slots:
    void initTestCase() {
        prepareApplication();
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 30000);
    }

    void aDrawNotifiesTheCardThatCameUpAndTheDrawsLeft() {
        Table table;
        const int stockBefore = table.game.s().stockLeft;
        const Listening listening;
        table.window.click(kFaceUp);
        QCOMPARE(table.game.s().stockLeft, stockBefore - 1);
        QCOMPARE(listening.notices(),
                 QVariantList{texts::cardName(table.game.s().faceUp) +
                              ". Robos restantes: " + QString::number(stockBefore - 1)});
    }

    void aPlayNotifiesTheScoreAndThePeakItTakes() {
        Table table;
        table.game.keepOnly({1, 11, 20});
        table.game.setRank(0, 4);
        table.game.setRank(1, 5);
        table.window.refresh();
        const Listening listening;
        table.window.click(tower(1));
        QCOMPARE(table.game.s().score, std::int64_t{5300});
        QCOMPARE(listening.notices(),
                 QVariantList{texts::cardName(table.game.s().tower[1]) +
                              QStringLiteral(". Puntuación: 5300. Pico izquierdo: 5.000 puntos")});
    }

    void aClickThatChangesNothingNotifiesNothing() {
        Table table;
        table.game.setRank(0, 4);
        table.game.setRank(7, 9);
        table.window.refresh();
        const Listening listening;
        table.window.click(tower(7));
        QVERIFY(!table.game.s().taken[7]);
        QVERIFY(listening.notices().isEmpty());
    }

    void theCountdownsPointsAreNotNotified() {
        Table table;
        table.game.edit().phase = Phase::Countdown;
        table.game.clock().start(kCountdownIntervalMs);
        const std::int64_t scoreBefore = table.game.s().score;
        const Listening listening;
        for (int tick = 0; tick < 5; ++tick) {
            table.game.services.advance(kCountdownIntervalMs);
            table.window.refresh();
        }
        QVERIFY(table.game.s().score > scoreBefore);
        QVERIFY(listening.notices().isEmpty());
    }

    // From 70 the clock's steps of 20 land on the quarter itself.
    void theTimeBarIsHeardOnceAsTimeRunsLow() {
        Table table;
        table.game.edit().timeLeft = table.game.edit().timeBar = kLowTime + 20;
        table.window.refresh();
        const Listening listening;
        while (table.game.s().phase == Phase::Playing && table.game.s().timeLeft > 0) {
            table.game.services.advance(table.game.clock().interval());
            table.window.refresh();
        }
        QCOMPARE(listening.timesHeard(), QVariantList{kLowTime});
    }

    void aNewBoardFillsTheTimeBarSilently() {
        Table table;
        table.game.edit().timeBar = 0;
        table.window.refresh();
        const Listening listening;
        table.game.board.deal();
        while (table.game.banner().active()) {
            table.game.services.advance(1);
            table.window.refresh();
        }
        QCOMPARE(table.window.findChild<TimeBar*>()->value(), kFullTime);
        QVERIFY(listening.timesHeard().isEmpty());
    }

    void theFirstArrowOfANewDealShowsTheFaceUpCard() {
        Table table;
        auto* abandon = table.window.findChild<QWidget*>(QStringLiteral("abandon"));
        QTest::keyClick(abandon, Qt::Key_Up);
        QTest::keyClick(abandon, Qt::Key_Up);
        QCOMPARE(table.window.highlightedCard()->kind, ElementKind::TowerCard);
        table.game.board.deal();
        table.window.refresh();
        table.game.finishBanner();
        table.window.refresh();
        QVERIFY(!table.window.highlightedCard());
        QTest::keyClick(abandon, Qt::Key_Up);
        QCOMPARE(table.window.highlightedCard(), std::optional(kFaceUp));
    }

    void aFieldsTextIsOneRunFromItsFirstToItsLastCharacter() {
        QLineEdit field(QStringLiteral("Introduzca su nombre"));
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&field)->textInterface();
        for (const int offset : {0, 10, 19}) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            QCOMPARE(text->text(start, end), field.text());
        }
    }

    void aFieldsSelectionAndCursorAreTheFieldsOwn() {
        QLineEdit field(QStringLiteral("Introduzca su nombre"));
        field.setSelection(3, 7);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&field)->textInterface();
        int start = -1;
        int end = -1;
        text->selection(0, &start, &end);
        QCOMPARE(text->text(start, end), field.selectedText());
        text->setSelection(0, 0, text->characterCount());
        QCOMPARE(field.selectedText(), field.text());
        text->removeSelection(0);
        QCOMPARE(text->selectionCount(), 0);
        text->selection(0, &start, &end);
        QCOMPARE(std::pair(start, end), std::pair(0, 0));
        text->setCursorPosition(4);
        QCOMPARE(field.cursorPosition(), 4);
    }

    // A point anywhere on a character, its right edge too, finds that character.
    void aPointOnACharacterFindsIt() {
        QLineEdit field(QStringLiteral("Peña"));
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&field)->textInterface();
        for (int offset = 0; offset < text->characterCount(); ++offset) {
            const QRect character = text->characterRect(offset);
            QCOMPARE(text->offsetAtPoint({character.right(), character.center().y()}), offset);
        }
    }

    // An empty field is described by what it asks for, not named by it.
    void anEmptyFieldsPlaceholderIsItsDescription() {
        QLineEdit field;
        field.setPlaceholderText(QStringLiteral("Introduzca su nombre"));
        QAccessibleInterface* object = QAccessible::queryAccessibleInterface(&field);
        QCOMPARE(object->text(QAccessible::Description), field.placeholderText());
        QVERIFY(object->text(QAccessible::Name).isEmpty());
    }

    void aFieldIsEditedThroughItsInterfaceUnlessReadOnly() {
        QLineEdit field(QStringLiteral("Peña"));
        QAccessibleInterface* object = QAccessible::queryAccessibleInterface(&field);
        object->editableTextInterface()->insertText(4, QStringLiteral(" Ruiz"));
        QCOMPARE(field.text(), QStringLiteral("Peña Ruiz"));
        object->editableTextInterface()->deleteText(0, 5);
        QCOMPARE(object->text(QAccessible::Value), QStringLiteral("Ruiz"));
        field.setReadOnly(true);
        object->editableTextInterface()->replaceText(0, 4, QStringLiteral("Gil"));
        QCOMPARE(field.text(), QStringLiteral("Ruiz"));
        QVERIFY(object->state().readOnly && !object->state().editable);
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::ScreenReaderTest)
#include "screen_reader_test.moc"
