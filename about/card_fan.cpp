#include "card_fan.h"

namespace crestaverde {

FanStep nextFanStep(ClockSeededRandom& random, std::int64_t timeOfDayMicros) {
    random.randomize(timeOfDayMicros);
    FanStep step;
    step.card = random.card();
    step.fanPosition = scaledDraw(random.uniform(), 2);
    return step;
}

}  // namespace crestaverde
