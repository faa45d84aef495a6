// SPDX-License-Identifier: GPL-3.0-or-later
// What help holds for its clip: each frame's pixels once, and never more than the decoding
// budget, whatever the clip claims.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTest>
#include <functional>

#include "avi_builder.h"
#include "avi_format.h"
#include "clip_loader.h"
#include "temp_folder.h"

namespace crestaverde::testing {
namespace {

constexpr long kKiB = 1024;
// What a process may touch beside the clip: stream buffers, the allocator's own books.
constexpr long kSlackKiB = 4 * kKiB;
const long kBudgetKiB = static_cast<long>(ClipLimits{}.maxDecodedBytes / kKiB);

enum Outcome { Decoded = 0, Refused = 1, Failed = 2 };

// The peak resident memory of a process of its own that does the work, and how the work went.
std::pair<long, Outcome> inChild(const std::function<Outcome()>& work) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(work());
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return {0, Failed};
    return {usage.ru_maxrss, static_cast<Outcome>(WEXITSTATUS(status))};
}

// A clip of one colour whose frames are a few runs a row, so a small file fills a large picture.
std::string runsClip(int side, int frames) {
    AviBuilder clip;
    clip.width = side;
    clip.height = side;
    clip.compression = 1;
    clip.palette = {{0, 128, 0}};
    std::string row;
    for (int left = side; left > 0; left -= 255) row += indices({std::min(left, 255), 0});
    std::string frame;
    for (int y = 0; y < side; ++y) frame += row + indices({0, 0});
    clip.frames.assign(static_cast<std::size_t>(frames), frame);
    return clip.bytes();
}

}  // namespace

class ClipMemoryTest : public QObject {
    Q_OBJECT

  private slots:
    void framesBecomeImagesWithoutACopy() {
        auto decoded = decodeClip(CRESTAVERDE_MEDIA_DIR "/ayuda.avi");
        QVERIFY(std::holds_alternative<Clip>(decoded));
        std::vector<std::pair<const std::uint32_t*, std::uint32_t>> kept;  // buffer, last pixel
        for (const ClipFrame& frame : std::get<Clip>(decoded).frames)
            kept.emplace_back(frame.pixels.data(), frame.pixels.back());
        const auto images = std::get<ClipImages>(clipImages(std::move(decoded)));
        QCOMPARE(images.frames.size(), kept.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const QImage& image = images.frames[i];
            QCOMPARE(reinterpret_cast<const std::uint32_t*>(image.constBits()), kept[i].first);
            QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), kept[i].second);
        }
    }

    // Fifteen frames of a mebipixel fill most of the budget; forty would pass it; one frame at
    // the largest side a clip may have is the budget on its own.
    void decodingAnyClipStaysWithinItsBudget() {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the sanitizer's shadow memory and quarantine would be measured with the clip");
#endif
        const TempFolder folder;
        const long before = inChild([] { return Decoded; }).first;  // the parent's, at the fork
        const std::pair<std::string, Outcome> clips[] = {
            {runsClip(1024, 15), Decoded},
            {runsClip(1024, 40), Refused},
            {runsClip(kMaxClipSide, 1), Refused},
        };
        for (const auto& [bytes, expected] : clips) {
            writeBytes(folder.file("ayuda.avi"), bytes);
            // Decoded as help does, frames turned into images.
            const auto [peak, outcome] = inChild([&] {
                const auto images = clipImages(decodeClip(folder.file("ayuda.avi").string()));
                if (const auto* error = std::get_if<std::string>(&images))
                    return *error == "es demasiado grande" ? Refused : Failed;
                return std::get<ClipImages>(images).frames.empty() ? Failed : Decoded;
            });
            QCOMPARE(outcome, expected);
            const long riseKiB = peak - before;
            QVERIFY2(riseKiB <= kBudgetKiB + kSlackKiB, qPrintable(QString::number(riseKiB)));
            if (expected == Decoded) QVERIFY(riseKiB >= 15 * 4 * kKiB);
        }
    }
};

}  // namespace crestaverde::testing

QTEST_APPLESS_MAIN(crestaverde::testing::ClipMemoryTest)
#include "clip_memory_test.moc"
