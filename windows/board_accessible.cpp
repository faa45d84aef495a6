// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_accessible.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <mutex>
#include <utility>

#include "board_window.h"
#include "window_texts.h"

namespace crestaverde {

using design::BoardLabel;
using design::Element;
using design::ElementKind;

namespace {

constexpr int kFaceUpObject = kTowerCardCount;
constexpr int kStockObject = kTowerCardCount + 1;
constexpr int kFirstLabelObject = kTowerCardCount + 2;
constexpr auto kReadLabels =
    std::to_array({BoardLabel::Score, BoardLabel::DrawsLeft, BoardLabel::LeftPeakNotice,
                   BoardLabel::MiddlePeakNotice, BoardLabel::RightPeakNotice});
constexpr int kNoticeObject = kPaintedObjects;
static_assert(kFirstLabelObject + kReadLabels.size() == kPaintedObjects);

Element elementOf(int object) {
    if (object < kTowerCardCount) {
        return {ElementKind::TowerCard, kReadingOrder.at(static_cast<std::size_t>(object))};
    }
    if (object == kFaceUpObject) return {ElementKind::FaceUpCard, 0};
    if (object == kStockObject) return {ElementKind::StockPile, 0};
    return {ElementKind::Label,
            static_cast<int>(kReadLabels.at(static_cast<std::size_t>(object - kFirstLabelObject)))};
}

// A cover stands for the card it covers; labels nobody reads have no object.
std::optional<int> objectOf(Element element) {
    switch (element.kind) {
        case ElementKind::Cover:
        case ElementKind::TowerCard:
            return readingIndex(element.index);
        case ElementKind::FaceUpCard:
            return kFaceUpObject;
        case ElementKind::StockPile:
            return kStockObject;
        case ElementKind::Label:
            break;
    }
    const auto label =
        std::find(kReadLabels.begin(), kReadLabels.end(), static_cast<BoardLabel>(element.index));
    if (label == kReadLabels.end()) return std::nullopt;
    return kFirstLabelObject + static_cast<int>(label - kReadLabels.begin());
}

bool isCard(Element element) {
    return element.kind == ElementKind::TowerCard || element.kind == ElementKind::FaceUpCard;
}

// The face-up card and the labels tell what a move did; the towers the player finds by moving
// among them.
bool isNews(int object) {
    return object == kFaceUpObject || object >= kFirstLabelObject;
}

// What is not on the board has no name, so that a card or notice coming and going is a change of
// name like any other.
QString nameOf(const BoardWindow& window, Element element) {
    if (!window.shown(element)) return {};
    const BoardState& s = window.state();
    const bool faces = s.phase != Phase::Over;  // between games the board shows blank faces
    switch (element.kind) {
        case ElementKind::TowerCard: {
            const auto position = static_cast<std::size_t>(element.index);
            return faces && !s.faceDown.at(position) ? texts::cardName(s.tower.at(position))
                                                     : texts::kFaceDownCard;
        }
        case ElementKind::FaceUpCard:
            return faces ? texts::cardName(s.faceUp) : texts::kFaceDownCard;
        case ElementKind::StockPile:
            return s.stockEmpty() ? texts::kNoCards : texts::kFaceDownCard;
        default:
            break;
    }
    const auto label = static_cast<BoardLabel>(element.index);
    const QString text = window.labelText(label);
    switch (label) {
        case BoardLabel::Score:
            return texts::kScoreName + text;
        case BoardLabel::DrawsLeft:
            return texts::kDrawsLeftName + text;
        case BoardLabel::LeftPeakNotice:
            return texts::kPeakNames[0] + text;
        case BoardLabel::MiddlePeakNotice:
            return texts::kPeakNames[1] + text;
        default:
            return texts::kPeakNames[2] + text;
    }
}

// Where a card lies, for a player who cannot see it.
QString descriptionOf(Element element) {
    if (element.kind == ElementKind::FaceUpCard) return texts::kFaceUpPlace;
    if (element.kind == ElementKind::StockPile) return texts::kStockPlace;
    if (element.kind != ElementKind::TowerCard) return {};
    const TowerPlace& place = towerPlace(element.index);
    return texts::towerPlace(texts::kTowerNames.at(static_cast<std::size_t>(place.tower)),
                             place.row);
}

// An object without children of its own, whose parent is the board window.
class Leaf : public QAccessibleInterface {
  public:
    explicit Leaf(BoardWindow& window) : window_(window) {}

    [[nodiscard]] bool isValid() const override { return true; }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override { return window_.windowHandle(); }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(&window_);
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
        return -1;
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

  protected:
    BoardWindow& window_;
};

// Never shown: a screen reader reads a notification out as it comes, wherever the focus is.
class NoticeObject : public Leaf {
  public:
    using Leaf::Leaf;
    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? window_.announcer().notice() : QString();
    }
    [[nodiscard]] QRect rect() const override { return {}; }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }
};

class BoardObject : public Leaf, public QAccessibleActionInterface {
  public:
    BoardObject(BoardWindow& window, Element element) : Leaf(window), element_(element) {}

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name) return nameOf(window_, element_);
        if (kind == QAccessible::Description) return descriptionOf(element_);
        return {};
    }
    [[nodiscard]] QRect rect() const override {
        if (!window_.shown(element_)) return {};
        const QRect inWindow =
            window_.designToWindow().mapRect(window_.designRect(element_)).toRect();
        return {window_.mapToGlobal(inWindow.topLeft()), inWindow.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override {
        if (isCard(element_)) return QAccessible::Button;
        return element_.kind == ElementKind::StockPile ? QAccessible::Graphic
                                                       : QAccessible::StaticText;
    }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !window_.shown(element_);
        if (isCard(element_)) {
            const bool canClick = window_.clickable(element_);
            state.disabled = !canClick;
            state.focusable = canClick;
            state.focused = window_.highlightedCard() == element_;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type != QAccessible::ActionInterface || !isCard(element_)) return nullptr;
        return static_cast<QAccessibleActionInterface*>(this);
    }

    [[nodiscard]] QStringList actionNames() const override {
        if (!window_.clickable(element_)) return {};
        return {pressAction()};
    }
    // Queued: a click may open a box, and its modal loop must not hold up the caller, who may be
    // the one to answer it.
    void doAction(const QString& action) override {
        if (action != pressAction() || !window_.clickable(element_)) return;
        QMetaObject::invokeMethod(
            &window_, [window = &window_, card = element_] { window->click(card); },
            Qt::QueuedConnection);
    }
    [[nodiscard]] QStringList keyBindingsForAction(const QString& /*action*/) const override {
        return {};
    }

  private:
    Element element_;
};

// The painted objects come first among the children, the window's controls after them. They are
// made when first asked for, and belong to the accessibility cache until the window goes.
class BoardAccessible : public QAccessibleWidget {
  public:
    explicit BoardAccessible(BoardWindow& window)
        : QAccessibleWidget(&window, QAccessible::Window), window_(window) {}
    BoardAccessible(const BoardAccessible&) = delete;
    BoardAccessible& operator=(const BoardAccessible&) = delete;
    ~BoardAccessible() override {
        for (const QAccessible::Id id : ids_) {
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
        }
    }

    [[nodiscard]] int childCount() const override {
        return kBoardObjects + QAccessibleWidget::childCount();
    }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        if (index < 0) return nullptr;
        if (index >= kBoardObjects) return QAccessibleWidget::child(index - kBoardObjects);
        QAccessible::Id& id = ids_.at(static_cast<std::size_t>(index));
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(
                index == kNoticeObject
                    ? static_cast<QAccessibleInterface*>(new NoticeObject(window_))
                    : new BoardObject(window_, elementOf(index)));
        }
        return QAccessible::accessibleInterface(id);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        for (int index = 0; index < kBoardObjects; ++index) {
            const QAccessible::Id id = ids_.at(static_cast<std::size_t>(index));
            if (id != 0 && QAccessible::accessibleInterface(id) == child) return index;
        }
        const int control = QAccessibleWidget::indexOfChild(child);
        return control < 0 ? -1 : kBoardObjects + control;
    }
    // The controls lie over the painting; within it the front-most element counts, as for a click.
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
        for (int index = kBoardObjects; index < childCount(); ++index) {
            QAccessibleInterface* control = child(index);
            if (control != nullptr && control->rect().contains(x, y)) return control;
        }
        const QPointF inWindow(window_.mapFromGlobal(QPoint(x, y)));
        const std::optional<Element> element =
            window_.elementAt(window_.designToWindow().inverted().map(inWindow));
        const std::optional<int> object = element ? objectOf(*element) : std::nullopt;
        return object ? child(*object) : nullptr;
    }

  private:
    BoardWindow& window_;
    mutable std::array<QAccessible::Id, kBoardObjects> ids_{};
};

QAccessibleInterface* boardFactory(const QString& /*className*/, QObject* object) {
    auto* window = dynamic_cast<BoardWindow*>(object);
    return window != nullptr ? new BoardAccessible(*window) : nullptr;
}

void send(int object, QAccessibleEvent&& event) {
    event.setChild(object);
    QAccessible::updateAccessibility(&event);
}

}  // namespace

void installBoardAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&boardFactory); });
}

void announceHighlight(BoardWindow& window, std::optional<Element> card) {
    const std::optional<int> object = card ? objectOf(*card) : std::nullopt;
    if (object) {
        send(*object, QAccessibleEvent(&window, QAccessible::Focus));
    } else if (QWidget* control = window.focusWidget()) {
        QAccessibleEvent focus(control, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void BoardAnnouncer::boardChanged() {
    const bool moved = std::exchange(moved_, false);
    QStringList news;
    for (int object = 0; object < kPaintedObjects; ++object) {
        const Element element = elementOf(object);
        Seen now{nameOf(window_, element), window_.shown(element), window_.clickable(element)};
        Seen& before = seen_.at(static_cast<std::size_t>(object));
        if (now.name != before.name) {
            send(object, QAccessibleEvent(&window_, QAccessible::NameChanged));
            if (moved && isNews(object) && !now.name.isEmpty()) news << now.name;
        }
        QAccessible::State changed;
        changed.invisible = now.shown != before.shown;
        changed.disabled = changed.focusable = now.clickable != before.clickable;
        if (changed.invisible || changed.disabled) {
            send(object, QAccessibleStateChangeEvent(&window_, changed));
        }
        before = std::move(now);
    }
    if (news.isEmpty()) return;
    notice_ = news.join(QStringLiteral(". "));
    send(kNoticeObject, QAccessibleEvent(&window_, QAccessible::ObjectShow));
}

}  // namespace crestaverde
