#include "fake_services.h"

#include <algorithm>
#include <limits>

namespace crestaverde::testing {

void FakeServices::answerNext(bool yes, WhileOpen whileOpen) {
    answers_.push_back({yes, std::move(whileOpen)});
}

void FakeServices::whileNextBoxOpen(WhileOpen whileOpen) {
    okWaits_.push_back(std::move(whileOpen));
}

void FakeServices::typeNext(std::string text) {
    typed_.push_back(std::move(text));
}

void FakeServices::showMenu() {
    ++menuShown;
    if (onMenu) onMenu();
}

void FakeServices::showMessage(std::string_view text, BoxIcon icon, std::string_view title) {
    shown.push_back({std::string(title), std::string(text), icon});
    if (okWaits_.empty()) return;
    const WhileOpen wait = std::move(okWaits_.front());
    okWaits_.pop_front();
    if (wait) wait();
}

bool FakeServices::showQuestion(std::string_view text, std::string_view title) {
    shown.push_back({std::string(title), std::string(text), BoxIcon::None});
    if (answers_.empty()) throw std::logic_error("unscripted question: " + std::string(text));
    const Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.whileOpen) answer.whileOpen();
    return answer.yes;
}

std::string FakeServices::showTextBox(std::string_view prompt, std::string_view title,
                                      std::string_view prefilled, int maxLength) {
    shown.push_back({std::string(title), std::string(prompt), BoxIcon::None});
    maxLengths.push_back(maxLength);
    if (typed_.empty()) return std::string(prefilled);
    std::string text = std::move(typed_.front());
    typed_.pop_front();
    return text;
}

void FakeServices::runPosted() {
    while (!posted_.empty()) {
        auto callback = std::move(posted_.front());
        posted_.pop_front();
        callback();
    }
}

void FakeServices::advance(long long ms) {
    const long long target = now_ + ms;
    for (;;) {
        runPosted();
        FakeTimer* next = nullptr;
        TimerId nextId = TimerId::Clock;
        for (const TimerId id : {TimerId::Clock, TimerId::Banner}) {
            FakeTimer& candidate = timers_[static_cast<std::size_t>(id)];
            if (candidate.ticks() && candidate.due() <= target &&
                (next == nullptr || candidate.due() < next->due())) {
                next = &candidate;
                nextId = id;
            }
        }
        if (next == nullptr) break;
        now_ = std::max(now_, next->due());
        next->fired();
        if (onTick) onTick(nextId);
    }
    now_ = std::max(now_, target);
    runPosted();
}

std::vector<std::string> FakeServices::boxTexts() const {
    std::vector<std::string> texts;
    texts.reserve(shown.size());
    for (const ShownBox& box : shown) texts.push_back(box.title + ": " + box.text);
    return texts;
}

TestGame::TestGame(long long clockOffsetMicros, ScoreKeeper* keeper)
    : services(clockOffsetMicros), board(services, keeper ? *keeper : scores) {
    services.onTick = [this](TimerId id) { board.tick(id); };
    services.onMenu = [this] { board.deal(); };
}

void TestGame::startGame() {
    services.showMenu();
    finishBanner();
}

void TestGame::finishBanner() {
    while (banner().active()) services.advance(1);
}

void TestGame::keepOnly(std::initializer_list<int> positions) {
    for (int position = 1; position <= kTowerCards; ++position) {
        edit().taken[static_cast<std::size_t>(position)] =
            std::find(positions.begin(), positions.end(), position) == positions.end();
    }
    BoardTestAccess::uncover(board);
}

void TestGame::setRank(int position, int rank) {
    (position == 0 ? edit().faceUp : edit().tower[static_cast<std::size_t>(position)]).rank = rank;
}

}  // namespace crestaverde::testing
