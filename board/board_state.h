#pragma once
// The board's whole state: what the board window shows and the fields behind it.

#include <array>
#include <cstdint>
#include <string>

namespace crestaverde {

inline constexpr int kSlotCount = 52;
inline constexpr int kTowerSlotCount = 28;
inline constexpr int kFirstStockSlot = 29;
inline constexpr int kCoverCount = 18;
inline constexpr int kNoticeCount = 3;
inline constexpr std::array<int, kNoticeCount> kPeakSlots = {1, 11, 20};
inline constexpr int kFullTime = 200;

inline constexpr const char* kCardBack = "atras.jpg";
inline constexpr const char* kEmptyStock = "ninguna.jpg";
inline constexpr const char* kNeutralCard = "carta.jpg";
inline constexpr const char* kNoticeCaption = "5.000 puntos";

// A card slot `Image1(i)`: it is gone when hidden.
struct CardSlot {
    std::string picture;  // file name in the program's folder; empty shows nothing
    std::string Tag;      // the card's value as decimal text
    bool Visible = true;
    bool Enabled = true;
};

// A cover `Image3(n)`: the back lying in front of a face-down tower card.
struct CoverPicture {
    std::string picture;
    bool Visible = true;
};

struct Caption {
    std::string text;
    bool Visible = true;
};

struct BoardState {
    std::array<CardSlot, kSlotCount + 1> Image1;       // index 0 is unused
    std::array<CoverPicture, kCoverCount + 1> Image3;  // index 0 is unused
    std::string Image2;                                // the stock pile
    Caption Label2{"0", true};                         // the score
    std::array<Caption, kNoticeCount> Label3{{{std::string(kNoticeCaption), false},
                                              {std::string(kNoticeCaption), false},
                                              {std::string(kNoticeCaption), false}}};
    Caption Label8{"", false};  // draws left
    float ProTiempo = 0;        // the time bar, 0..200

    std::int16_t contar = 0;
    std::int16_t level = 0;
    std::int16_t bono = 0;
    std::int16_t tiempo = 0;
    bool quitar = false;
    bool pausa = false;

    // Working fields of the deal.
    std::u16string basura;
    char num = '\0';
    std::string letra;
    std::int16_t numero = 0;
    std::int16_t numero2 = 0;
    std::int16_t nbasura = 0;
    std::u16string comp;
    bool encontrado = false;
};

// The tower slot that cover n lies on.
[[nodiscard]] constexpr int slotUnderCover(int cover) {
    if (cover <= 6) return cover;
    if (cover <= 12) return cover + 4;
    return cover + 7;
}

// The cover lying on tower slot s, or 0 for the base row.
[[nodiscard]] constexpr int coverOnSlot(int slot) {
    if (slot >= 1 && slot <= 6) return slot;
    if (slot >= 11 && slot <= 16) return slot - 4;
    if (slot >= 20 && slot <= 25) return slot - 7;
    return 0;
}

}  // namespace crestaverde
