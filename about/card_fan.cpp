#include "card_fan.h"

#include "cards.h"

namespace crestaverde {

FanStep nextFanStep(ClockSeededRandom& random, std::int64_t timeOfDayMicros) {
    random.randomize(timeOfDayMicros);
    FanStep step;
    step.rankCode = rankCharacter(scaledDraw(random.rnd(), 13));
    step.cardCode = {step.rankCode, suitLetter(scaledDraw(random.rnd(), 4))};
    step.pictureIndex = static_cast<std::int16_t>(scaledDraw(random.rnd(), 2));
    return step;
}

}  // namespace crestaverde
