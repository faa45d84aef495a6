// The board's starting values and the deal.

#include "board.h"
#include "cards.h"

namespace crestaverde {
namespace {

constexpr std::u16string_view kDealSentinel = u"\u00e7\u00f1";  // "çñ", never a card code

}  // namespace

Board::Board(Services& services, ScoreKeeper& scores) : services_(services), scores_(scores) {
    services_.setBoxesClosedListener([this] { scheduleHeldTicks(); });
}

void Board::Form_Load() {
    s_.ProTiempo = 0;
    s_.contar = 52;
    s_.level = 1;
    s_.bono = 2;
    s_.tiempo = 0;
}

// Above level 11 the pace formula goes negative; those levels keep level 11's: no time limit.
int Board::clockInterval() const {
    return s_.level <= 11 ? (11 - s_.level) * 200 : 0;
}

void Board::repartir(bool si) {
    s_.contar = 52;
    s_.numero = 52;
    s_.basura = kDealSentinel;
    while (s_.numero != 0) drawCard(s_.numero);

    s_.Image1[52].Visible = true;
    for (s_.numero = 51; s_.numero >= 29; --s_.numero) s_.Image1[s_.numero].Visible = false;
    for (; s_.numero >= 1; --s_.numero) s_.Image1[s_.numero].Visible = true;
    for (s_.numero2 = 18; s_.numero2 >= 1; --s_.numero2) {
        s_.Image3[s_.numero2] = {kCardBack, true};
    }
    s_.Image2 = kCardBack;
    timer1().setEnabled(false);
    s_.tiempo = kFullTime;
    services_.timer(TimerId::Timer3).setEnabled(si);
    for (Caption& notice : s_.Label3) notice.Visible = false;
    timer1().setInterval(clockInterval());
    s_.Image1[52].Enabled = true;
    s_.Label8 = {"24", true};
}

// One draw for the slot `numero`; a card dealt already is discarded and the slot drawn again.
void Board::drawCard(std::int16_t slot) {
    random_.randomize(services_.timeOfDayMicros());
    s_.num = rankCharacter(scaledDraw(random_.rnd(), 13));
    const char suit = suitLetter(scaledDraw(random_.rnd(), 4));
    s_.nbasura = static_cast<std::int16_t>(s_.basura.size() - 1);
    s_.letra = {s_.num, suit};
    const std::u16string code{static_cast<char16_t>(s_.num), static_cast<char16_t>(suit)};
    do {
        s_.comp = s_.basura.substr(static_cast<std::size_t>(s_.nbasura - 1), 2);
        if (code != s_.comp) {
            s_.encontrado = false;
            s_.nbasura = static_cast<std::int16_t>(s_.nbasura - 2);
        } else {
            s_.encontrado = true;
            s_.nbasura = 0;
        }
    } while (s_.nbasura > 0);
    if (s_.encontrado) return;

    CardSlot& card = s_.Image1[slot];
    card.picture = cardPicture(s_.letra);
    card.Tag = std::to_string(cardValue(s_.num));
    s_.numero = static_cast<std::int16_t>(slot - 1);
    s_.basura += code;
}

}  // namespace crestaverde
