#pragma once
// The game board on screen: draws the board's state in its design layout, scaled to the window,
// and turns clicks into the board's moves.

#include <QRegion>
#include <QTransform>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "board.h"
#include "board_accessible.h"
#include "design.h"
#include "media_catalogue.h"
#include "sight_watch.h"

class QPushButton;

namespace crestaverde {

class BoardKeys;
class TimeBar;

class BoardWindow : public QWidget {
  public:
    // endProgram runs when the player closes the board with no game in play, or ends the game
    // in play by closing it.
    BoardWindow(Board& board, const MediaCatalogue& media, std::function<void()> endProgram);

    // Brings what is shown in line with the board's state. Only what changed since the last
    // refresh is repainted: the time bar, and the board's elements whose picture, text or place
    // changed, where they were and where they are. Returns that region of the board.
    QRegion refresh();
    [[nodiscard]] const BoardState& state() const { return board_.state(); }
    // Plays the card as a click on it does.
    void click(design::Element card);
    // Whether that click would do anything now, as the board answers it.
    [[nodiscard]] bool clickable(design::Element card) const;
    // The card the keyboard highlights, if any.
    [[nodiscard]] std::optional<design::Element> highlightedCard() const;
    [[nodiscard]] const BoardAnnouncer& announcer() const { return announcer_; }

    // Geometry in design pixels, and the mapping onto the window.
    [[nodiscard]] QRectF designRect(design::Element element) const;
    [[nodiscard]] bool shown(design::Element element) const;
    // The front-most shown element under a design point.
    [[nodiscard]] std::optional<design::Element> elementAt(QPointF designPoint) const;
    [[nodiscard]] QTransform designToWindow() const;
    [[nodiscard]] QString labelText(design::BoardLabel label) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // What an element showed when last refreshed: its picture or text, and where in design
    // pixels; empty for an element not shown.
    struct Drawn {
        QString content;
        QRectF place;
        bool operator==(const Drawn&) const = default;
    };
    [[nodiscard]] Drawn drawnNow(design::Element element) const;
    // The window pixels a design rect may touch, antialiased edges included.
    [[nodiscard]] static QRect windowArea(const QTransform& transform, const QRectF& designRect);
    void paintElement(QPainter& painter, design::Element element) const;
    void paintLabel(QPainter& painter, design::BoardLabel label) const;
    [[nodiscard]] QString pictureOf(design::Element element) const;
    // What lies under a window point; a click goes to it, and plays it if it is a card.
    [[nodiscard]] std::optional<design::Element> elementUnder(QPoint windowPoint) const;
    void layoutControls();
    void applySizeRule();
    void sightChanged(bool outOfSight);

    Board& board_;
    std::function<void()> endProgram_;
    const MediaCatalogue& media_;
    QPushButton* abandon_;
    TimeBar* timeBar_;
    BoardKeys* keys_;
    BoardAnnouncer announcer_;
    std::optional<design::Element> pressed_;
    // Where the window system does not report minimised windows (Wayland), the compositor owns the
    // board's size: the board sets no fixed size of its own, and asks to be maximised again when
    // it comes back from a minimise that unmaximised it.
    const Sight::Platform platform_;
    bool maximiseOnReturn_ = false;
    std::array<Drawn, design::kElementCount> drawn_;  // in stacking order
    std::unique_ptr<SightWatch> sight_;               // last: it calls into everything above
};

}  // namespace crestaverde
