// Abandoning a game and ending one: the score goes to the high-score check, the board resets.

#include <algorithm>
#include <limits>

#include "board.h"
#include "numeric_text.h"

namespace crestaverde {

void Board::Command1_Click() {
    if (services_.messageBox("¿Desea abandonar la partida?", box::kYesNoQuestion) !=
        box::kAnswerNo) {
        perder();
    }
}

void Board::perder() {
    // A score beyond the 32-bit range enters the table as the largest score it can hold.
    const std::int32_t puntos = static_cast<std::int32_t>(std::min<std::int64_t>(
        captionNumber(s_.Label2.text), std::numeric_limits<std::int32_t>::max()));
    scores_.puntuacion(puntos);
    repartir(false);
    s_.numero = 52;
    s_.level = 1;
    for (; s_.numero != 0; --s_.numero) {
        s_.Image1[s_.numero].picture = kNeutralCard;
        s_.Image1[52].Enabled = false;
    }
    s_.Label8.text = "24";
    s_.Image2 = kCardBack;
    s_.tiempo = kFullTime;
    s_.ProTiempo = 0;
    for (Caption& notice : s_.Label3) notice.Visible = false;
    timer1().setEnabled(false);
    timer1().setInterval(clockInterval());
    s_.Label2.text = "0";
    s_.bono = 2;
    services_.showMenuModal();
}

}  // namespace crestaverde
