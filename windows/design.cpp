// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.h"

namespace crestaverde::design {
namespace {

constexpr Element card(int position) {
    return {ElementKind::TowerCard, position};
}
constexpr Element cover(int position) {
    return {ElementKind::Cover, position};
}
constexpr Element label(BoardLabel l) {
    return {ElementKind::Label, static_cast<int>(l)};
}

// Each row of the towers lies in front of the row above it, which it overlaps, and each back in
// front of its card; within a row no two cards meet. The big title lies behind the towers.
std::array<Element, kElementCount> makeStacking() {
    std::array<Element, kElementCount> order{};
    std::size_t at = 0;
    auto add = [&](Element e) { order[at++] = e; };
    for (BoardLabel l :
         {BoardLabel::DrawsLeft, BoardLabel::SmallTitle, BoardLabel::RightPeakNotice,
          BoardLabel::MiddlePeakNotice, BoardLabel::LeftPeakNotice, BoardLabel::Score}) {
        add(label(l));
    }
    add({ElementKind::FaceUpCard, 0});
    add(label(BoardLabel::ScoreTitle));
    for (auto position = kReadingOrder.rbegin(); position != kReadingOrder.rend(); ++position) {
        if (!inBaseRow(*position)) add(cover(*position));
        add(card(*position));
    }
    add(label(BoardLabel::SmallTitleShadow));
    add(label(BoardLabel::BigTitle)), add(label(BoardLabel::BigTitleShadow));
    add({ElementKind::StockPile, 0});
    return order;
}

}  // namespace

const LabelDesign& boardLabel(BoardLabel which) {
    constexpr auto left = Qt::AlignLeft | Qt::AlignTop;
    constexpr auto right = Qt::AlignRight | Qt::AlignTop;
    static const auto labels = std::to_array<LabelDesign>({
        {twipRect(270, 6840, 2940, 525), kInk, kFelt, kSerif, 24, false, false, left, true, false},
        {twipRect(270, 7560, 2985, 555), kLightGrey, kFelt, kSerif, 24, false, false, right, false,
         false},
        {twipRect(795, 900, 3105, 525), kInk, kFelt, kSerif, 24, false, false, right, true, false},
        {twipRect(4395, 900, 3105, 525), kInk, kFelt, kSerif, 24, false, false, right, true, false},
        {twipRect(7995, 900, 3105, 525), kInk, kFelt, kSerif, 24, false, false, right, true, false},
        {twipRect(990, 2115, 9780, 1590), kLightGreen, kNoBackground, kSerif, 72, true, true, left,
         true, false},
        {twipRect(7740, 6795, 3375, 525), kLightGreen, kNoBackground, kSerif, 24, true, true, left,
         true, false},
        {twipRect(7650, 6930, 3375, 525), kShadow, kNoBackground, kSerif, 24, true, true, left,
         true, false},
        {twipRect(900, 2250, 9780, 1590), kShadow, kNoBackground, kSerif, 72, true, true, left,
         true, false},
        {twipRect(5250, 7260, 405, 405), kPaper, kInk, kSansSerif, 13.5, true, false,
         Qt::AlignCenter, false, true},
    });
    return labels.at(static_cast<std::size_t>(which));
}

const std::array<Element, kElementCount>& boardStacking() {
    static const std::array<Element, kElementCount> order = makeStacking();
    return order;
}

}  // namespace crestaverde::design
