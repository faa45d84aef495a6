#include "board_window.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "board_keys.h"
#include "icons.h"
#include "time_bar.h"
#include "window_texts.h"

namespace crestaverde {

using design::BoardLabel;
using design::Element;
using design::ElementKind;

namespace {

QFont designFont(const design::LabelDesign& label) {
    QFont font(label.family);
    font.setPixelSize(design::pointsToPixels(label.points));
    font.setBold(label.bold);
    font.setItalic(label.italic);
    return font;
}

QPointF designPoint(design::TwipPoint at) {
    return {static_cast<qreal>(design::px(at.left)), static_cast<qreal>(design::px(at.top))};
}

}  // namespace

BoardWindow::BoardWindow(Board& board, const MediaCatalogue& media,
                         std::function<void()> endProgram)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      board_(board),
      endProgram_(std::move(endProgram)),
      media_(media),
      abandon_(new QPushButton(texts::kAbandonButtonText, this)),
      timeBar_(new TimeBar(this)),
      keys_(new BoardKeys(*this)),
      announcer_(*this),
      platform_(Sight::platformNamed(QGuiApplication::platformName().toStdString())),
      sight_(std::make_unique<SightWatch>(*this, platform_,
                                          [this](bool outOfSight) { sightChanged(outOfSight); })) {
    setObjectName(QStringLiteral("board"));
    setWindowTitle(texts::qText(texts::kApplicationTitle));
    QPalette felt = palette();
    felt.setColor(QPalette::Window, design::kFelt);
    // A window's background is always filled from its palette.
    setPalette(felt);
    setCursor(handCursor());
    resize(design::kBoardRestoredSize);
    applySizeRule();

    abandon_->setObjectName(QStringLiteral("abandon"));
    abandon_->setCursor(Qt::ArrowCursor);
    connect(abandon_, &QPushButton::clicked, this, [this] {
        board_.abandon();
        refresh();
    });
    timeBar_->setObjectName(QStringLiteral("timeBar"));
    timeBar_->setAccessibleName(texts::kTimeBarName);
    timeBar_->setRange(0, kFullTime);
    timeBar_->setTextVisible(false);
    timeBar_->setFocusPolicy(Qt::NoFocus);
    timeBar_->setCursor(Qt::ArrowCursor);
    refresh();
}

QRegion BoardWindow::refresh() {
    // Places are kept in design pixels: a window scaled anew is repainted whole by Qt, so the
    // current scale finds what is on screen.
    const QTransform transform = designToWindow();
    QRegion changed;
    const auto& stacking = design::boardStacking();
    for (std::size_t i = 0; i < stacking.size(); ++i) {
        Drawn now = drawnNow(stacking[i]);
        if (now == drawn_[i]) continue;
        changed += windowArea(transform, drawn_[i].place);
        changed += windowArea(transform, now.place);
        drawn_[i] = std::move(now);
    }
    keys_->follow();
    // Queued before the time bar's own repaint, which paints at once, so that one pass draws all.
    update(changed);
    timeBar_->showTime(std::clamp(board_.state().timeBar, 0, kFullTime),
                       board_.state().phase == Phase::Playing);
    announcer_.boardChanged();
    return changed;
}

BoardWindow::Drawn BoardWindow::drawnNow(Element element) const {
    if (!shown(element)) return {};
    const QString content = element.kind == ElementKind::Label
                                ? labelText(static_cast<BoardLabel>(element.index))
                                : pictureOf(element);
    return {content, designRect(element)};
}

QRect BoardWindow::windowArea(const QTransform& transform, const QRectF& designRect) {
    if (designRect.isEmpty()) return {};
    return transform.mapRect(designRect)
        .toAlignedRect()
        .adjusted(-design::kRepaintMargin, -design::kRepaintMargin, design::kRepaintMargin,
                  design::kRepaintMargin);
}

std::optional<Element> BoardWindow::highlightedCard() const {
    return keys_->card();
}

QTransform BoardWindow::designToWindow() const {
    const QSizeF design(design::kBoardDesignSize);
    const qreal scale = std::min(width() / design.width(), height() / design.height());
    QTransform transform;
    transform.translate((width() - design.width() * scale) / 2,
                        (height() - design.height() * scale) / 2);
    transform.scale(scale, scale);
    return transform;
}

QString BoardWindow::labelText(BoardLabel label) const {
    const BoardState& s = board_.state();
    switch (label) {
        case BoardLabel::ScoreTitle:
            return texts::kScoreHeading;
        case BoardLabel::Score:
            return QString::number(s.score);
        case BoardLabel::LeftPeakNotice:
        case BoardLabel::MiddlePeakNotice:
        case BoardLabel::RightPeakNotice:
            return texts::peakBonusNotice();
        case BoardLabel::DrawsLeft:
            return QString::number(s.stockLeft);
        default:
            return texts::qText(texts::kApplicationTitle);
    }
}

QRectF BoardWindow::designRect(Element element) const {
    switch (element.kind) {
        case ElementKind::TowerCard:
            return {designPoint(design::towerCardPlace(element.index)), QSizeF(design::kCardSize)};
        case ElementKind::Cover:
            return {designPoint(design::coverPlace(element.index)), QSizeF(design::kCardSize)};
        case ElementKind::FaceUpCard:
            return {designPoint(design::kFaceUpCard), QSizeF(design::kCardSize)};
        case ElementKind::StockPile:
            return {designPoint(design::kStockPile), QSizeF(design::kCardSize)};
        case ElementKind::Label:
            break;
    }
    const auto label = static_cast<BoardLabel>(element.index);
    const design::LabelDesign& look = design::boardLabel(label);
    if (!look.autoSize) return QRectF(look.rect);
    const QFontMetricsF metrics(designFont(look));
    return {QPointF(look.rect.topLeft()),
            QSizeF(metrics.horizontalAdvance(labelText(label)), metrics.height())};
}

bool BoardWindow::shown(Element element) const {
    const BoardState& s = board_.state();
    const bool dealt = s.phase != Phase::NotDealt;
    switch (element.kind) {
        case ElementKind::TowerCard:
            return dealt && !s.taken.at(static_cast<std::size_t>(element.index));
        case ElementKind::Cover:
            return dealt && s.faceDown.at(static_cast<std::size_t>(element.index));
        case ElementKind::FaceUpCard:
            return dealt && !s.stockEmpty();
        case ElementKind::StockPile:
            return dealt;
        case ElementKind::Label:
            break;
    }
    switch (static_cast<BoardLabel>(element.index)) {
        case BoardLabel::LeftPeakNotice:
            return s.peakTaken(0);
        case BoardLabel::MiddlePeakNotice:
            return s.peakTaken(1);
        case BoardLabel::RightPeakNotice:
            return s.peakTaken(2);
        case BoardLabel::DrawsLeft:
            return dealt && !s.stockEmpty();
        default:
            return true;
    }
}

std::optional<Element> BoardWindow::elementAt(QPointF designPoint) const {
    for (const Element& element : design::boardStacking()) {
        if (!shown(element) || !designRect(element).contains(designPoint)) continue;
        // Between games the face-up card lets the click through to what lies behind it.
        if (element.kind == ElementKind::FaceUpCard && board_.state().phase == Phase::Over) {
            continue;
        }
        return element;
    }
    return std::nullopt;
}

QString BoardWindow::pictureOf(Element element) const {
    const BoardState& s = board_.state();
    const bool blank = s.phase == Phase::Over;
    switch (element.kind) {
        case ElementKind::TowerCard:
            return blank ? media::kBlankFace
                         : media::cardPicture(s.tower.at(static_cast<std::size_t>(element.index)));
        case ElementKind::FaceUpCard:
            return blank ? media::kBlankFace : media::cardPicture(s.faceUp);
        case ElementKind::Cover:
            return media::kCardBack;
        case ElementKind::StockPile:
            return s.stockEmpty() ? media::kEmptyStock : media::kCardBack;
        case ElementKind::Label:
            break;
    }
    return {};
}

void BoardWindow::paintLabel(QPainter& painter, BoardLabel label) const {
    const design::LabelDesign& look = design::boardLabel(label);
    const QRectF rect = designRect({ElementKind::Label, static_cast<int>(label)});
    if (look.back.isValid() && look.back != design::kFelt) painter.fillRect(rect, look.back);
    if (look.border) {
        painter.setPen(QPen(design::kInk, 1));
        painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter.setFont(designFont(look));
    painter.setPen(look.text);
    painter.drawText(rect, static_cast<int>(look.align), labelText(label));
}

void BoardWindow::paintElement(QPainter& painter, Element element) const {
    if (!shown(element)) return;
    if (element.kind == ElementKind::Label) {
        paintLabel(painter, static_cast<BoardLabel>(element.index));
        return;
    }
    media_.paint(painter, pictureOf(element), designRect(element));
}

void BoardWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QTransform transform = designToWindow();
    painter.setTransform(transform);
    const auto& stacking = design::boardStacking();
    for (auto element = stacking.rbegin(); element != stacking.rend(); ++element) {
        // A tick repaints a few small areas: what lies outside them is not drawn at all.
        if (!shown(*element) ||
            !event->region().intersects(windowArea(transform, designRect(*element)))) {
            continue;
        }
        paintElement(painter, *element);
    }
    keys_->paint(painter);
}

std::optional<Element> BoardWindow::elementUnder(QPoint windowPoint) const {
    return elementAt(designToWindow().inverted().map(QPointF(windowPoint)));
}

bool BoardWindow::clickable(Element card) const {
    const BoardState& s = board_.state();
    switch (card.kind) {
        case ElementKind::TowerCard:
            return s.canPlay(card.index);
        case ElementKind::FaceUpCard:
            return s.canDraw();
        default:
            return false;
    }
}

void BoardWindow::click(Element card) {
    announcer_.playerMoved();
    if (card.kind == ElementKind::TowerCard) {
        board_.playTowerCard(card.index);
    } else if (card.kind == ElementKind::FaceUpCard) {
        board_.drawFromStock();
    }
    refresh();
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? elementUnder(event->position().toPoint())
                                                 : std::nullopt;
}

// A click is a press and a release on the same card. Whatever else is clicked plays nothing.
void BoardWindow::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<Element> pressed = std::exchange(pressed_, std::nullopt);
    if (event->button() != Qt::LeftButton || !pressed ||
        elementUnder(event->position().toPoint()) != pressed) {
        return;
    }
    click(*pressed);
}

void BoardWindow::layoutControls() {
    const QTransform transform = designToWindow();
    abandon_->setGeometry(transform.mapRect(QRectF(design::kAbandonButton)).toRect());
    timeBar_->setGeometry(transform.mapRect(QRectF(design::kTimeBar)).toRect());
    QFont buttonFont(design::kSansSerif);
    buttonFont.setPixelSize(std::max(8, static_cast<int>(11 * transform.m11())));
    abandon_->setFont(buttonFont);
}

void BoardWindow::resizeEvent(QResizeEvent* /*event*/) {
    layoutControls();
}

void BoardWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    applySizeRule();
    // On Wayland the title bar's minimise button unmaximises the board as it hides it.
    if (platform_ == Sight::Platform::Wayland && sight_->outOfSight() && !isMaximized() &&
        !isFullScreen()) {
        maximiseOnReturn_ = true;
    }
    refresh();
}

// The clock stands still while the player cannot see the board. The board counts as back
// whenever it is not minimised (where minimised is reported): it is designed maximised, and a
// desktop that refuses to maximise it must not leave the clock paused for good.
void BoardWindow::sightChanged(bool outOfSight) {
    if (outOfSight) {
        board_.pause();
    } else {
        board_.resume();
        if (std::exchange(maximiseOnReturn_, false))
            sight_->whenExposed([this] { showMaximized(); });
    }
    refresh();
}

// Restored, the board has its one fixed size and no resizing border; maximised, it fills the
// screen. A Wayland client that sizes itself against the state the compositor has configured
// breaks the protocol and is disconnected, so there the size is left to the compositor.
void BoardWindow::applySizeRule() {
    if (platform_ == Sight::Platform::Wayland) return;
    if (isMaximized() || isFullScreen()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (!isMinimized()) {
        setFixedSize(design::kBoardRestoredSize);
    }
}

// The second press of a double-click is no click of its own.
void BoardWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_.reset();
    event->accept();
}

// Closing the board during a game is abandoning it, with the same question; the board stays
// until the program ends.
void BoardWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    const bool end = board_.closeRequested();
    refresh();
    if (end) endProgram_();
}

}  // namespace crestaverde
