// SPDX-License-Identifier: GPL-3.0-or-later
#include "design.h"

namespace crestaverde::design {
namespace {

constexpr Element card(int position) {
    return {ElementKind::TowerCard, position};
}
constexpr Element cover(int n) {
    return {ElementKind::Cover, n};
}
constexpr Element label(BoardLabel l) {
    return {ElementKind::Label, static_cast<int>(l)};
}

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
    for (int i : {28, 26, 27, 19, 17, 18, 8, 9, 7, 10}) add(card(i));
    add(cover(6)), add(cover(5)), add(card(5)), add(card(6)), add(cover(4)), add(card(4));
    for (int n : {18, 17, 16, 12, 11, 10}) add(cover(n));
    for (int i : {23, 24, 25, 14, 15, 16}) add(card(i));
    for (int n : {15, 14, 9, 8, 2}) add(cover(n));
    for (int i : {21, 22, 12, 13, 2}) add(card(i));
    add(cover(13)), add(cover(7)), add(card(20)), add(card(11));
    add(label(BoardLabel::SmallTitleShadow));
    add(cover(3)), add(card(3)), add(cover(1)), add(card(1));
    add(label(BoardLabel::BigTitle)), add(label(BoardLabel::BigTitleShadow));
    add({ElementKind::StockPile, 0});
    return order;
}

}  // namespace

const LabelDesign& boardLabel(BoardLabel which) {
    constexpr auto left = Qt::AlignLeft | Qt::AlignTop;
    constexpr auto right = Qt::AlignRight | Qt::AlignTop;
    static const std::array<LabelDesign, 10> labels = {{
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
    }};
    return labels[static_cast<std::size_t>(which)];
}

const std::array<Element, kElementCount>& boardStacking() {
    static const std::array<Element, kElementCount> order = makeStacking();
    return order;
}

}  // namespace crestaverde::design
