#pragma once
// Card codes and the non-uniform random draws that pick a card.
//
// A draw multiplies a single-precision uniform number by 13 (rank) or 4 (suit) and rounds with
// halves to even. The ends of the range get half the weight of the middle values, and the
// mapping below folds them onto neighbours: the game has always dealt this way.

#include <string>

namespace crestaverde {

// Nearest integer, halves to the even neighbour (0.5 gives 0, 1.5 gives 2).
[[nodiscard]] int roundHalfEven(float value);

// u in [0, 1) times the factor, rounded to single precision, then halves to even.
[[nodiscard]] int scaledDraw(float u, int factor);

// Rank character for a rank draw 0..13: 0 and 1 the ace "1", 10 "0", 11 "j", 12 "q", 13 "k".
[[nodiscard]] char rankCharacter(int rankDraw);
// Suit letter for a suit draw 0..4: 4 "a", 3 "b", 2 "c", 0 and 1 "d".
[[nodiscard]] char suitLetter(int suitDraw);
// Card value 1..13 of a rank character.
[[nodiscard]] int cardValue(char rankCharacter);

// "carta" + two-character code + ".gif".
[[nodiscard]] std::string cardPicture(const std::string& code);

}  // namespace crestaverde
