#include "fake_services.h"

#include <limits>

namespace crestaverde::testing {

void FakeServices::answerNext(int code, WhileOpen whileOpen) {
    answers_.push_back({code, {}, std::move(whileOpen)});
}

void FakeServices::typeNext(std::string text, WhileOpen whileOpen) {
    typed_.push_back({0, std::move(text), std::move(whileOpen)});
}

void FakeServices::showMenuModal() {
    ++menuShown;
    if (onMenu) onMenu();
}

int FakeServices::showMessageBox(std::string_view text, int style, std::string_view title) {
    shown.push_back(messageShown(std::string(text), style, std::string(title)));
    if (answers_.empty()) {
        if (defaultAnswer) return defaultAnswer(shown.back());
        if (style == box::kYesNoQuestion)
            throw std::logic_error("unscripted question: " + shown.back().text);
        return box::kAnswerOk;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    if (answer.whileOpen) answer.whileOpen();
    return answer.code;
}

std::string FakeServices::showInputBox(std::string_view prompt, std::string_view title,
                                       std::string_view prefilled) {
    ShownBox input = messageShown(std::string(prompt), 0, std::string(title));
    input.input = true;
    input.prefilled = prefilled;
    shown.push_back(std::move(input));
    if (typed_.empty()) return std::string(prefilled);
    Answer answer = std::move(typed_.front());
    typed_.pop_front();
    if (answer.whileOpen) answer.whileOpen();
    return answer.text;
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
        TimerId nextId = TimerId::Timer1;
        long long due = std::numeric_limits<long long>::max();
        for (const TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3}) {
            FakeTimer& candidate = fakeTimer(id);
            if (candidate.ticks() && candidate.due() <= target && candidate.due() < due) {
                next = &candidate;
                nextId = id;
                due = candidate.due();
            }
        }
        if (next == nullptr) break;
        now_ = std::max(now_, due);
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

TestGame::TestGame(long long clockOffsetMicros) : services(clockOffsetMicros) {
    services.onTick = [this](TimerId id) { board.tick(id); };
    services.onMenu = [this] {
        services.hideMenu();
        services.activateBoard();
        board.repartir(true);
    };
    board.Form_Load();
    services.timer(TimerId::Timer2).setInterval(1);
    services.timer(TimerId::Timer2).setEnabled(true);
    services.timer(TimerId::Timer1).setInterval(10);
    services.timer(TimerId::Timer3).setInterval(1);
}

void TestGame::startGame() {
    services.advance(1);  // Timer2: the menu, and Play deals
    finishBanner();
}

void TestGame::finishBanner() {
    while (services.timer(TimerId::Timer3).enabled()) services.advance(1);
}

}  // namespace crestaverde::testing
