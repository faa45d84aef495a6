#include "board_window.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "icons.h"

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

QPointF slotPosition(int slot) {
    const design::TwipPoint at = slot <= kTowerSlotCount
                                     ? design::kTowerSlots[static_cast<std::size_t>(slot)]
                                     : design::kStockSpot;
    return {static_cast<qreal>(design::px(at.left)), static_cast<qreal>(design::px(at.top))};
}

}  // namespace

BoardWindow::BoardWindow(Board& board, Services& services, const MediaCatalogue& media)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      board_(board),
      services_(services),
      media_(media),
      abandon_(new QPushButton(QStringLiteral("&Abandonar"), this)),
      timeBar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("frmprincipal"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle.data(), kApplicationTitle.size()));
    setWindowIcon(suitIcon(Suit::Diamonds));
    QPalette felt = palette();
    felt.setColor(QPalette::Window, design::kFelt);
    setPalette(felt);
    setAutoFillBackground(true);
    setCursor(handCursor());
    resize(design::kBoardRestoredSize);

    abandon_->setObjectName(QStringLiteral("Command1"));
    abandon_->setCursor(Qt::ArrowCursor);
    connect(abandon_, &QPushButton::clicked, this, [this] {
        board_.Command1_Click();
        refresh();
    });
    timeBar_->setObjectName(QStringLiteral("ProTiempo"));
    timeBar_->setRange(0, kFullTime);
    timeBar_->setTextVisible(false);
    timeBar_->setFocusPolicy(Qt::NoFocus);
    timeBar_->setCursor(Qt::ArrowCursor);
    refresh();
}

void BoardWindow::refresh() {
    const int value = static_cast<int>(board_.state().ProTiempo);
    timeBar_->setValue(std::clamp(value, 0, kFullTime));
    update();
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
        case BoardLabel::Label1:
            return QStringLiteral("Puntuación:");
        case BoardLabel::Label2:
            return QString::fromStdString(s.Label2.text);
        case BoardLabel::Label3_0:
        case BoardLabel::Label3_1:
        case BoardLabel::Label3_2:
            return QStringLiteral("5.000 puntos");
        case BoardLabel::Label8:
            return QString::fromStdString(s.Label8.text);
        default:
            return QStringLiteral("CRESTAVERDE");
    }
}

QRectF BoardWindow::designRect(Element element) const {
    switch (element.kind) {
        case ElementKind::Slot:
            return {slotPosition(element.index), QSizeF(design::kCardSize)};
        case ElementKind::Cover: {
            const design::TwipPoint at = design::kCovers[static_cast<std::size_t>(element.index)];
            return {QPointF(design::px(at.left), design::px(at.top)), QSizeF(design::kCardSize)};
        }
        case ElementKind::StockPile:
            return {
                QPointF(design::px(design::kStockPile.left), design::px(design::kStockPile.top)),
                QSizeF(design::kCardSize)};
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
    switch (element.kind) {
        case ElementKind::Slot:
            return s.Image1[static_cast<std::size_t>(element.index)].Visible;
        case ElementKind::Cover:
            return s.Image3[static_cast<std::size_t>(element.index)].Visible;
        case ElementKind::StockPile:
            return true;
        case ElementKind::Label:
            break;
    }
    switch (static_cast<BoardLabel>(element.index)) {
        case BoardLabel::Label3_0:
            return s.Label3[0].Visible;
        case BoardLabel::Label3_1:
            return s.Label3[1].Visible;
        case BoardLabel::Label3_2:
            return s.Label3[2].Visible;
        case BoardLabel::Label8:
            return s.Label8.Visible;
        default:
            return true;
    }
}

std::optional<Element> BoardWindow::elementAt(QPointF designPoint) const {
    for (const Element& element : design::boardStacking()) {
        if (!shown(element) || !designRect(element).contains(designPoint)) continue;
        // A disabled slot lets the click through to what lies behind it.
        if (element.kind == ElementKind::Slot &&
            !board_.state().Image1[static_cast<std::size_t>(element.index)].Enabled) {
            continue;
        }
        return element;
    }
    return std::nullopt;
}

QString BoardWindow::pictureOf(Element element) const {
    const BoardState& s = board_.state();
    switch (element.kind) {
        case ElementKind::Slot:
            return QString::fromStdString(
                s.Image1[static_cast<std::size_t>(element.index)].picture);
        case ElementKind::Cover:
            return QString::fromStdString(
                s.Image3[static_cast<std::size_t>(element.index)].picture);
        case ElementKind::StockPile:
            return QString::fromStdString(s.Image2);
        case ElementKind::Label:
            return {};
    }
    return {};
}

void BoardWindow::paintLabel(QPainter& painter, BoardLabel label) const {
    const design::LabelDesign& look = design::boardLabel(label);
    const QRectF rect = designRect({ElementKind::Label, static_cast<int>(label)});
    if (look.back.isValid() && look.back != design::kFelt) painter.fillRect(rect, look.back);
    if (look.border) {
        painter.setPen(QPen(Qt::black, 1));
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
    const QPixmap& picture = media_.picture(pictureOf(element));
    if (!picture.isNull()) painter.drawPixmap(designRect(element), picture, QRectF(picture.rect()));
}

void BoardWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(designToWindow());
    const auto& stacking = design::boardStacking();
    for (auto element = stacking.rbegin(); element != stacking.rend(); ++element) {
        paintElement(painter, *element);
    }
}

std::optional<int> BoardWindow::slotAt(QPoint windowPoint) const {
    const QPointF designPoint = designToWindow().inverted().map(QPointF(windowPoint));
    const std::optional<Element> element = elementAt(designPoint);
    if (!element || element->kind != ElementKind::Slot) return std::nullopt;
    return element->index;
}

void BoardWindow::mousePressEvent(QMouseEvent* event) {
    pressedSlot_ =
        event->button() == Qt::LeftButton ? slotAt(event->position().toPoint()) : std::nullopt;
}

// A click is a press and a release on the same card.
void BoardWindow::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<int> pressed = std::exchange(pressedSlot_, std::nullopt);
    if (event->button() != Qt::LeftButton || !pressed ||
        slotAt(event->position().toPoint()) != pressed) {
        return;
    }
    board_.Image1_Click(static_cast<std::int16_t>(*pressed));
    refresh();
}

void BoardWindow::layoutControls() {
    const QTransform transform = designToWindow();
    abandon_->setGeometry(transform.mapRect(QRectF(design::kCommand1)).toRect());
    timeBar_->setGeometry(transform.mapRect(QRectF(design::kProTiempo)).toRect());
    QFont buttonFont(design::kSansSerif);
    buttonFont.setPixelSize(std::max(8, static_cast<int>(11 * transform.m11())));
    abandon_->setFont(buttonFont);
}

void BoardWindow::resizeEvent(QResizeEvent* /*event*/) {
    layoutControls();
}

// The board counts as maximised whenever it is not minimised: it is designed maximised, and a
// desktop that refuses to maximise it must not leave the clock paused for good.
void BoardWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    if (isMinimized() && !minimised_) {
        minimised_ = true;
        board_.Form_LostFocus(WindowState::Minimized);
    } else if (!isMinimized() && minimised_) {
        minimised_ = false;
        board_.Form_GotFocus(WindowState::Maximized);
    }
    refresh();
}

void BoardWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    services_.endProgram();
}

}  // namespace crestaverde
