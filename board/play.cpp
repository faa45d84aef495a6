// A click on a card: the tower play, the draw, the score and the peak bonuses.

#include <limits>

#include "board.h"
#include "numeric_text.h"

namespace crestaverde {
namespace {

constexpr int kCardPoints = 300;
constexpr int kPeakBonus = 5000;

bool neighbours(std::int64_t v, std::int64_t w) {
    return v == w + 1 || v == w - 1 || (v == 13 && w == 1) || (v == 1 && w == 13);
}

}  // namespace

bool Board::clickable(std::int16_t Index) const {
    if (Index < 1 || Index > kSlotCount) return false;
    const CardSlot& slot = s_.Image1[Index];
    if (!slot.Visible || !slot.Enabled) return false;
    if (Index <= kTowerSlotCount) {
        const int cover = coverOnSlot(Index);
        return cover == 0 || !s_.Image3[cover].Visible;
    }
    return Index == s_.contar;
}

void Board::Image1_Click(std::int16_t Index) {
    if (!clickable(Index)) return;
    if (Index <= kTowerSlotCount) {
        towerPlay(Index);
    } else {
        draw();
    }
}

// The running score counts in 64 bits: the repeated peak bonus has no upper bound.
void Board::addScore(std::int64_t points) {
    const std::int64_t score = captionNumber(s_.Label2.text);
    const std::int64_t room = std::numeric_limits<std::int64_t>::max() - score;
    s_.Label2.text =
        numberToText(points > room ? std::numeric_limits<std::int64_t>::max() : score + points);
}

void Board::towerPlay(std::int16_t Index) {
    CardSlot& played = s_.Image1[Index];
    CardSlot& faceUp = s_.Image1[s_.contar];
    if (neighbours(captionNumber(played.Tag), captionNumber(faceUp.Tag))) {
        played.Visible = false;
        faceUp.picture = played.picture;
        faceUp.Tag = played.Tag;
        destapar();
        addScore(kCardPoints);
        s_.tiempo =
            static_cast<std::int16_t>(std::min<int>(s_.tiempo + (s_.level + 3) * 10, kFullTime));
        s_.ProTiempo = s_.tiempo;
    }
    payPeakBonuses();
    if (gone(1) && gone(11) && gone(20)) {
        services_.messageBox("LO HAS CONSEGUIDO", box::kOk);
        timer1().setInterval(10);
    }
}

// Nothing records a bonus as paid: every tower click pays again for every peak gone.
void Board::payPeakBonuses() {
    for (std::size_t k = 0; k < kPeakSlots.size(); ++k) {
        if (gone(kPeakSlots[k])) {
            s_.Label3[k].Visible = true;
            addScore(kPeakBonus);
        }
    }
}

void Board::draw() {
    if (s_.contar > 28) {
        s_.Image1[s_.contar].Visible = false;
        s_.Label8.text = numberToText(captionNumber(s_.Label8.text) - 1);
    }
    --s_.contar;
    if (s_.contar != 28) {
        s_.Image1[s_.contar].Visible = true;
        return;
    }
    s_.Image2 = kEmptyStock;
    s_.Label8.Visible = false;
    --s_.bono;
    if (s_.bono != 0) {
        s_.level = 1;
        services_.messageBox("No lo conseguistes", box::kExclamation, "Siguiente Ronda");
        repartir(true);
    } else {
        services_.messageBox("No lo conseguistes", box::kExclamation, "JUEGO TERMINADO");
        timer1().setEnabled(false);
        perder();
    }
}

}  // namespace crestaverde
