// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told: the board under a scripted window layer sends its events to a
// recorder in place of the accessibility bus; a text field answers as one run of text. Qt sends
// events only while a bridge to the bus is up, so this runs on an X display in a D-Bus session of
// its own, with QT_LINUX_ACCESSIBILITY_ALWAYS_ON.

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include "board_window.h"
#include "fake_services.h"
#include "game.h"
#include "time_bar.h"

namespace crestaverde::testing {

using design::ElementKind;

namespace {

// What the recorder heard: the names of the notifications shown, the time bar's new values, the
// names of the objects whose state changed.
QVariantList notices;
QVariantList times;
QVariantList changed;

void record(QAccessibleEvent* event) {
    QAccessibleInterface* object = event->accessibleInterface();
    if (object == nullptr) return;
    if (event->type() == QAccessible::ObjectShow && object->role() == QAccessible::Notification)
        notices << object->text(QAccessible::Name);
    if (event->type() == QAccessible::ValueChanged && object->role() == QAccessible::ProgressBar)
        times << object->valueInterface()->currentValue();
    if (event->type() == QAccessible::StateChanged) changed << object->text(QAccessible::Name);
}

constexpr design::Element kFaceUp{ElementKind::FaceUpCard, 0};

QAccessibleInterface* objectOf(QWidget& widget) {
    return QAccessible::queryAccessibleInterface(&widget);
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
        }
        // What the test set up is drawn, and from now on heard.
        void listen() {
            window.refresh();
            notices.clear();
            times.clear();
            changed.clear();
        }
        // Steps virtual time, then draws the board.
        void step(int ms) {
            game.services.advance(ms);
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
        QAccessible::installUpdateHandler(&record);
    }

    // A play tells the card as a player says it, the score and the peak it takes; a draw, the
    // card that came up and the draws left. Nothing else is told: not a click that changes
    // nothing, nor the points the count-down adds.
    void aMoveNotifiesWhatItChangesAndNothingElse() {
        Table table;
        BoardState& s = table.game.edit();
        table.game.keepOnly({1, 11, 20});
        s.faceUp.rank = 12;
        s.tower[1] = {11, Suit::Clubs};
        s.tower[11].rank = 9;
        s.stock[s.stockLeft - 2] = {7, Suit::Hearts};  // the next two draws
        s.stock[s.stockLeft - 3] = {13, Suit::Spades};
        table.listen();
        table.window.click({ElementKind::TowerCard, 11});  // a misfit while no peak is gone
        table.window.click({ElementKind::TowerCard, 1});
        table.window.click(kFaceUp);
        table.window.click(kFaceUp);
        s.phase = Phase::Countdown;
        table.game.clock().start(kCountdownIntervalMs);
        const std::int64_t score = s.score;
        for (int tick = 0; tick < 5; ++tick) table.step(kCountdownIntervalMs);
        QVERIFY(s.score > score);
        QCOMPARE(notices,
                 (QVariantList{"Jota de tréboles. Puntuación: 5300. Pico izquierdo: 5.000 puntos",
                               "7 de corazones. Robos restantes: 23",
                               "Rey de picas. Robos restantes: 22"}));
    }

    // When the game ends, each card that took a click changes its state: it takes none now. No
    // other object changes.
    void theGamesEndChangesTheStateOfEveryCardThatTookAClick() {
        Table table;
        int clickable = 1;  // the face-up card
        for (int p = 1; p <= kTowerCardCount; ++p)
            clickable += table.window.clickable({ElementKind::TowerCard, p});
        table.listen();
        table.game.edit().phase = Phase::Over;
        table.window.refresh();
        QCOMPARE(changed.size(), clickable);
    }

    // The time bar is heard once, as time runs low (from 70 the clock's steps of 20 land on the
    // quarter itself), and not as a new board fills it.
    void theTimeBarIsHeardOnlyAsTimeRunsLow() {
        Table table;
        table.game.edit().timeLeft = table.game.edit().timeBar = kLowTime + 20;
        table.listen();
        while (table.game.s().phase == Phase::Playing && table.game.s().timeLeft > 0)
            table.step(table.game.clock().interval());
        table.game.board.deal();
        while (table.game.banner().active()) table.step(1);
        QCOMPARE(table.window.findChild<TimeBar*>()->value(), kFullTime);
        QCOMPARE(times, QVariantList{kLowTime});
    }

    // Each peak's notice, once shown, is named for its own peak.
    void eachPeakNoticeIsNamedForItsPeak() {
        Table table;
        for (const int peak : kPeaks) table.game.edit().taken[peak] = true;
        table.window.refresh();
        QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&table.window);
        QStringList peaks;
        for (int i = 0; i < board->childCount(); ++i) {
            const QString name = board->child(i)->text(QAccessible::Name);
            if (name.startsWith(QStringLiteral("Pico"))) peaks << name.section(':', 0, 0);
        }
        QCOMPARE(peaks, (QStringList{"Pico izquierdo", "Pico central", "Pico derecho"}));
    }

    // A field's text is one run, from its first to its last character; a point anywhere on a
    // character, its right edge too, finds that character, and a point off the field none.
    void aFieldsCharactersAreOneRunWhereTheFieldShowsThem() {
        QLineEdit field(QStringLiteral("Introduzca su nombre, Peña"));
        QAccessibleTextInterface* text = objectOf(field)->textInterface();
        for (int offset = 0; offset < text->characterCount(); ++offset) {
            int start = -1;
            int end = -1;
            text->attributes(offset, &start, &end);
            QCOMPARE(text->text(start, end), field.text());
            const QRect character = text->characterRect(offset);
            QCOMPARE(text->offsetAtPoint({character.right(), character.center().y()}), offset);
        }
        QCOMPARE(text->offsetAtPoint(field.mapToGlobal(QPoint(-1, 0))), -1);
    }

    void aFieldsSelectionAndCursorAreTheFieldsOwn() {
        QLineEdit field(QStringLiteral("Introduzca su nombre"));
        QAccessibleTextInterface* text = objectOf(field)->textInterface();
        const auto selection = [text] {
            int start = -1;
            int end = -1;
            text->selection(0, &start, &end);
            return std::tuple(text->selectionCount(), start, end);
        };
        text->setSelection(0, 3, 7);
        QCOMPARE(field.selectedText(), QStringLiteral("rodu"));
        QCOMPARE(selection(), std::tuple(1, 3, 7));
        text->removeSelection(0);
        QCOMPARE(selection(), std::tuple(0, 0, 0));
        text->setCursorPosition(4);
        QCOMPARE(field.cursorPosition(), 4);
    }

    // An empty field is described by what it asks for, not named by it.
    void anEmptyFieldsPlaceholderIsItsDescription() {
        QLineEdit field;
        field.setPlaceholderText(QStringLiteral("Introduzca su nombre"));
        QCOMPARE(objectOf(field)->text(QAccessible::Description), field.placeholderText());
        QVERIFY(objectOf(field)->text(QAccessible::Name).isEmpty());
    }

    void aFieldIsEditedThroughItsInterfaceUnlessReadOnly() {
        QLineEdit field(QStringLiteral("Pérez"));
        QAccessibleInterface* object = objectOf(field);
        object->setText(QAccessible::Value, QStringLiteral("Peña"));
        object->editableTextInterface()->insertText(4, QStringLiteral(" Ruiz"));
        QCOMPARE(field.text(), QStringLiteral("Peña Ruiz"));
        object->editableTextInterface()->deleteText(2, 5);  // "ña ", from the middle
        QCOMPARE(object->text(QAccessible::Value), QStringLiteral("PeRuiz"));
        field.setReadOnly(true);
        object->editableTextInterface()->replaceText(0, 4, QStringLiteral("Gil"));
        QCOMPARE(field.text(), QStringLiteral("PeRuiz"));
        QVERIFY(object->state().readOnly && !object->state().editable);
    }
};

}  // namespace crestaverde::testing

QTEST_MAIN(crestaverde::testing::ScreenReaderTest)
#include "screen_reader_test.moc"
