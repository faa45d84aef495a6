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

constexpr std::size_t kLabelCount = 10;

std::array<LabelDesign, kLabelCount> makeLabels() {
    constexpr auto left = Qt::AlignLeft | Qt::AlignTop;
    constexpr auto right = Qt::AlignRight | Qt::AlignTop;
    std::array<LabelDesign, kLabelCount> labels = {{
        {twipRect(270, 6840, 2940, 525), kInk, kFelt, kSerif, 24, false, false, left, true, false},
        {twipRect(270, 7560, 2985, 555), kLightGrey, kFelt, kSerif, 24, false, false, right, false,
         false},
        {twipRect(795, 900, 3105, 525), kInk, kFelt, kSerif, 24, false, false, right, true, false},
        {},  // the middle and right peaks' notices, alike, below
        {},
        {twipRect(990, 2115, 9780, 1590), kLightGreen, kNoBackground, kSerif, 72, true, true, left,
         true, false},
        {twipRect(7740, 6795, 3375, 525), kLightGreen, kNoBackground, kSerif, 24, true, true, left,
         true, false},
        {},  // the titles' shadows, below
        {},
        {twipRect(5250, 7260, 405, 405), kPaper, kInk, kSansSerif, 13.5, true, false,
         Qt::AlignCenter, false, true},
    }};
    const auto at = [&](BoardLabel l) -> LabelDesign& {
        return labels.at(static_cast<std::size_t>(l));
    };
    // The peak notices are alike, each as far from its own peak.
    using enum BoardLabel;
    for (const auto& [notice, peak] :
         {std::pair(MiddlePeakNotice, 1), std::pair(RightPeakNotice, 2)}) {
        at(notice) = at(LeftPeakNotice);
        at(notice).rect.translate(
            px(towerCardPlace(kPeaks.at(peak)).left - towerCardPlace(kPeaks[0]).left), 0);
    }
    // A title's shadow is the title in the shadow's colour, a little down and to the left.
    for (const auto& [title, shadow] :
         {std::pair(BigTitle, BigTitleShadow), std::pair(SmallTitle, SmallTitleShadow)}) {
        at(shadow) = at(title);
        at(shadow).rect.translate(wholePixels(-90), wholePixels(135));
        at(shadow).text = kShadow;
    }
    return labels;
}

}  // namespace

const LabelDesign& boardLabel(BoardLabel which) {
    static const std::array<LabelDesign, kLabelCount> labels = makeLabels();
    return labels.at(static_cast<std::size_t>(which));
}

const std::array<Element, kElementCount>& boardStacking() {
    static const std::array<Element, kElementCount> order = makeStacking();
    return order;
}

}  // namespace crestaverde::design
