#include "cards.h"

#include <cmath>

namespace crestaverde {

int roundHalfEven(float value) {
    const double floor = std::floor(static_cast<double>(value));
    const double fraction = static_cast<double>(value) - floor;
    auto rounded = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && rounded % 2 != 0)) ++rounded;
    return static_cast<int>(rounded);
}

int scaledDraw(float u, int factor) {
    const float scaled = u * static_cast<float>(factor);
    return roundHalfEven(scaled);
}

char rankCharacter(int rankDraw) {
    switch (rankDraw) {
        case 0:
            return '1';
        case 10:
            return '0';
        case 11:
            return 'j';
        case 12:
            return 'q';
        case 13:
            return 'k';
        default:
            return static_cast<char>('0' + rankDraw);
    }
}

char suitLetter(int suitDraw) {
    switch (suitDraw) {
        case 4:
            return 'a';
        case 3:
            return 'b';
        case 2:
            return 'c';
        default:
            return 'd';
    }
}

int cardValue(char rank) {
    switch (rank) {
        case '0':
            return 10;
        case 'j':
            return 11;
        case 'q':
            return 12;
        case 'k':
            return 13;
        default:
            return rank - '0';
    }
}

std::string cardPicture(const std::string& code) {
    return "carta" + code + ".gif";
}

}  // namespace crestaverde
