// The about window's card fan and system-information launcher, and the help clip's decoder.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cmath>
#include <map>

#include "card_fan.h"
#include "cards.h"
#include "clip_decoder.h"
#include "stand_in_registry.h"
#include "system_info.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

TEST(CardFan, DrawsFollowTheNonUniformMappings) {
    ClockSeededRandom random;
    constexpr int kSteps = 200000;
    std::map<char, int> ranks;
    std::map<char, int> suits;
    std::array<int, 3> pictures{};
    for (int i = 0; i < kSteps; ++i) {
        const FanStep step = nextFanStep(random, 1000LL * i);
        ASSERT_EQ(step.cardCode.size(), 2U);
        ASSERT_EQ(step.cardCode[0], step.rankCode);
        ASSERT_GE(step.pictureIndex, 0);
        ASSERT_LE(step.pictureIndex, 2);
        ++ranks[step.rankCode];
        ++suits[step.cardCode[1]];
        ++pictures[static_cast<std::size_t>(step.pictureIndex)];
    }
    auto near = [](int count, double p) {
        return std::abs(count - kSteps * p) < 5 * std::sqrt(kSteps * p * (1 - p));
    };
    EXPECT_TRUE(near(ranks['1'], 1.5 / 13)) << ranks['1'];
    EXPECT_TRUE(near(ranks['k'], 0.5 / 13)) << ranks['k'];
    EXPECT_TRUE(near(ranks['0'], 1.0 / 13)) << ranks['0'];
    EXPECT_TRUE(near(ranks['7'], 1.0 / 13)) << ranks['7'];
    EXPECT_EQ(ranks.size(), 13U);
    EXPECT_TRUE(near(suits['a'], 1.0 / 8));
    EXPECT_TRUE(near(suits['d'], 3.0 / 8));
    EXPECT_TRUE(near(pictures[0], 0.25));
    EXPECT_TRUE(near(pictures[1], 0.5));
    EXPECT_TRUE(near(pictures[2], 0.25));
}

TEST(CardFan, ATenShowsThroughACodeBeginningWithZero) {
    ClockSeededRandom random;
    bool sawTen = false;
    for (int i = 0; i < 2000; ++i) {
        const FanStep step = nextFanStep(random, 7LL * i);
        if (cardValue(step.rankCode) == 10) {
            sawTen = true;
            EXPECT_EQ(step.cardCode[0], '0');
            EXPECT_EQ(cardPicture(step.cardCode).substr(0, 6), "carta0");
        }
    }
    EXPECT_TRUE(sawTen);
}

// A registry holding the values a test gives it, counting opens and closes.
class FakeRegistry : public Registry {
  public:
    struct Value {
        std::uint32_t type;
        std::string data;  // as stored, terminating NUL included where the value has one
    };
    std::map<std::pair<std::string, std::string>, Value> values;
    bool failQueries = false;
    int opened = 0;
    int closed = 0;

    long RegOpenKeyEx(RegistryKey root, const std::string& subKey, std::uint32_t,
                      std::uint32_t access, RegistryKey* key) override {
        EXPECT_EQ(access, KEY_ALL_ACCESS);
        for (const auto& [place, value] : values) {
            if (root == HKEY_LOCAL_MACHINE && place.first == subKey) {
                keys_.push_back(subKey);
                *key = static_cast<RegistryKey>(keys_.size());
                ++opened;
                return ERROR_SUCCESS;
            }
        }
        return ERROR_FILE_NOT_FOUND;
    }
    long RegQueryValueEx(RegistryKey key, const std::string& name, std::uint32_t* type,
                         std::string* data, std::uint32_t* size) override {
        EXPECT_EQ(*size, 1024U);
        EXPECT_EQ(*data, std::string(1024, '\0'));
        const auto found = values.find({keys_.at(key - 1), name});
        if (failQueries || found == values.end()) return ERROR_FILE_NOT_FOUND;
        data->replace(0, found->second.data.size(), found->second.data);
        *size = static_cast<std::uint32_t>(found->second.data.size());
        *type = found->second.type;
        return ERROR_SUCCESS;
    }
    long RegCloseKey(RegistryKey) override {
        ++closed;
        return ERROR_SUCCESS;
    }

  private:
    std::vector<std::string> keys_;
};

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

TEST(GetKeyValue, DropsExactlyTheTerminatingNul) {
    FakeRegistry registry;
    registry.values[{kPathKey, "PATH"}] = {REG_SZ, std::string("C:\\msinfo32.exe\0", 16)};
    registry.values[{kPathKey, "BARE"}] = {REG_SZ, "C:\\bare"};
    std::string value;
    EXPECT_TRUE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "PATH", value));
    EXPECT_EQ(value, "C:\\msinfo32.exe");
    EXPECT_TRUE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "BARE", value));
    EXPECT_EQ(value, "C:\\bare");
    EXPECT_EQ(registry.opened, registry.closed);
}

TEST(GetKeyValue, NumbersBecomeHexadecimalTextFromTheLastByte) {
    FakeRegistry registry;
    registry.values[{kPathKey, "N"}] = {REG_DWORD, std::string("\x2A\x01\xFF", 3)};
    std::string value;
    EXPECT_TRUE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "N", value));
    EXPECT_EQ(value, "&hFF12A");
}

TEST(GetKeyValue, FailuresGiveAnEmptyValueAndCloseWhatWasOpened) {
    FakeRegistry registry;
    std::string value = "left over";
    EXPECT_FALSE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "PATH", value));
    EXPECT_EQ(value, "");
    registry.values[{kPathKey, "PATH"}] = {REG_SZ, "x"};
    registry.failQueries = true;
    value = "left over";
    EXPECT_FALSE(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "PATH", value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.opened, 1);
    EXPECT_EQ(registry.closed, 1);
}

TEST(GetKeyValue, AnEmptyValueIsAnError) {
    FakeRegistry registry;
    registry.values[{kPathKey, "PATH"}] = {REG_SZ, ""};
    std::string value;
    EXPECT_THROW(GetKeyValue(registry, HKEY_LOCAL_MACHINE, kPathKey, "PATH", value),
                 std::runtime_error);
    EXPECT_EQ(registry.closed, 1);
}

struct FakeSystem : SystemPort {
    std::vector<std::string> existing;
    bool launches = true;
    std::vector<std::string> launched;
    std::vector<std::string> messages;
    bool fileExists(const std::string& path) const override {
        return std::find(existing.begin(), existing.end(), path) != existing.end();
    }
    bool launch(const std::string& path) override {
        launched.push_back(path);
        return launches;
    }
    void showUnavailable(const std::string& text) override { messages.push_back(text); }
};

TEST(StartSysInfo, LaunchesThePathOfTheFirstPlaceWithoutCheckingIt) {
    FakeRegistry registry;
    registry.values[{kPathKey, "PATH"}] = {REG_SZ, std::string("C:\\tool.exe\0", 12)};
    registry.values[{kFolderKey, "MSINFO"}] = {REG_SZ, std::string("C:\\other\0", 9)};
    FakeSystem system;
    StartSysInfo(registry, system);
    EXPECT_EQ(system.launched, (std::vector<std::string>{"C:\\tool.exe"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST(StartSysInfo, AFailedLaunchShowsTheMessage) {
    FakeRegistry registry;
    registry.values[{kPathKey, "PATH"}] = {REG_SZ, "C:\\missing.exe"};
    FakeSystem system;
    system.launches = false;
    StartSysInfo(registry, system);
    EXPECT_EQ(system.messages,
              (std::vector<std::string>{
                  "La información del sistema no está disponible en este momento"}));
}

TEST(StartSysInfo, TheFolderPlaceNeedsTheProgramToExist) {
    FakeRegistry registry;
    registry.values[{kFolderKey, "MSINFO"}] = {REG_SZ, std::string("C:\\tools\0", 9)};
    FakeSystem system;
    StartSysInfo(registry, system);
    EXPECT_TRUE(system.launched.empty());
    EXPECT_EQ(system.messages.size(), 1U);

    system.existing = {"C:\\tools\\MSINFO32.EXE"};
    system.messages.clear();
    StartSysInfo(registry, system);
    EXPECT_EQ(system.launched, (std::vector<std::string>{"C:\\tools\\MSINFO32.EXE"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST(StartSysInfo, NoPlaceOrABrokenValueShowsTheMessage) {
    FakeRegistry empty;
    FakeSystem system;
    StartSysInfo(empty, system);
    FakeRegistry broken;
    broken.values[{kPathKey, "PATH"}] = {REG_SZ, ""};
    StartSysInfo(broken, system);
    EXPECT_EQ(system.messages.size(), 2U);
    EXPECT_TRUE(system.launched.empty());
}

TEST(StandInRegistry, AnswersTheFirstPlaceWithAProgramFoundOnThePath) {
    TempFolder folder;
    const auto tool = folder.file("kinfocenter");
    writeBytes(tool, "#!/bin/sh\n");
    ::chmod(tool.c_str(), 0755);
    const std::optional<std::string> found =
        findSystemInfoProgram("/nonexistent:" + folder.path().string());
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, tool.string());
    StandInRegistry registry(found);
    FakeSystem system;
    StartSysInfo(registry, system);
    EXPECT_EQ(system.launched, (std::vector<std::string>{tool.string()}));

    StandInRegistry none(std::nullopt);
    StartSysInfo(none, system);
    EXPECT_EQ(system.messages.size(), 1U);
    EXPECT_FALSE(findSystemInfoProgram("/nonexistent"));
}

TEST(ClipDecoder, DecodesTheHelpClipIntoChangingFrames) {
    auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
    ASSERT_TRUE(std::holds_alternative<Clip>(decoded)) << std::get<std::string>(decoded);
    const Clip& clip = std::get<Clip>(decoded);
    ASSERT_GE(clip.frames.size(), 2U);
    for (const ClipFrame& frame : clip.frames) {
        EXPECT_EQ(frame.width, 77);
        EXPECT_EQ(frame.height, 39);
        EXPECT_EQ(frame.rgba.size(), 77U * 39U * 4U);
    }
    EXPECT_NE(clip.frames.front().rgba, clip.frames[clip.frames.size() / 2].rgba);
    EXPECT_GT(clip.frameMilliseconds, 0);
    // The corner shows the board's green.
    EXPECT_EQ(clip.frames[0].rgba[0], 0);
    EXPECT_EQ(clip.frames[0].rgba[1], 128);
}

TEST(ClipDecoder, ReportsMissingAndBrokenFiles) {
    TempFolder folder;
    EXPECT_TRUE(std::holds_alternative<std::string>(decodeClip(folder.file("none.avi").string())));
    writeBytes(folder.file("broken.avi"), "RIFF\x10\0\0\0AVI LIST garbage garbage garbage");
    EXPECT_TRUE(
        std::holds_alternative<std::string>(decodeClip(folder.file("broken.avi").string())));
}

}  // namespace
}  // namespace crestaverde::testing
