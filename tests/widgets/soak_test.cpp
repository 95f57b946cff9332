#include "ui/screens/menu_screen.h"
#include "widget_fakes.h"

#include <QFile>

#include <malloc.h>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Bytes the program holds on the heap right now, whatever the allocator keeps for later.
long heapInUseKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeaningful = false; // the sanitizer keeps freed memory in quarantine
#else
constexpr bool kMemoryIsMeaningful = true;
#endif

// Opens and leaves every screen many times, as a long morning of use would, and watches the resident memory.
TEST(Soak, EveryScreenTwoHundredTimesDoesNotGrow)
{
    Recorder recorder;
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    FakeSoundPlayer sounds(recorder);
    FakeBeeper beeper(recorder);
    SeededRandom random(42u);
    FakeClock clock;
    Program program(
        Paths(QStringLiteral(TAVENZO_PROGRAM_DIR), QString()), {boxes, chooser, beeper, sounds, random, clock});
    program.start();
    ASSERT_GE(program.state().NumeroParole, 6);
    const std::array<ScreenId, 6> screens {ScreenId::MissingFirstLetter, ScreenId::MissingInnerLetter,
        ScreenId::SpellWord, ScreenId::WordForPicture, ScreenId::PictureForWord, ScreenId::WordsOntoPictures};

    auto round = [&] {
        for (ScreenId screen : screens) {
            program.open(screen);
            QApplication::processEvents();
            program.open(ScreenId::Menu);
            QApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    // The first rounds fill the picture cache and the toolkit's own caches; after that nothing may pile up.
    const int warmUp = qEnvironmentVariableIntValue("TAVENZO_SOAK_WARMUP") > 0
        ? qEnvironmentVariableIntValue("TAVENZO_SOAK_WARMUP")
        : 30;
    for (int i = 0; i < warmUp; ++i) {
        round();
    }
    const long settled = residentKiB();
    const qsizetype widgetsSettled = QApplication::allWidgets().size();
    const long heapSettled = heapInUseKiB();
    const int rounds = qEnvironmentVariableIntValue("TAVENZO_SOAK_ROUNDS") > 0
        ? qEnvironmentVariableIntValue("TAVENZO_SOAK_ROUNDS")
        : 200;
    for (int i = warmUp; i < rounds; ++i) {
        round();
    }
    const long after = residentKiB();
    const qsizetype widgetsAfter = QApplication::allWidgets().size();
    EXPECT_EQ(widgetsAfter, widgetsSettled) << "widgets of closed screens are still alive";
    const long heapAfter = heapInUseKiB();
    std::printf("resident memory after %d rounds: %ld KiB, after 200 rounds: %ld KiB (growth %ld KiB)\n", warmUp,
        settled, after, after - settled);
    std::printf("heap in use after %d rounds: %ld KiB, after 200 rounds: %ld KiB (growth %ld KiB)\n", warmUp,
        heapSettled, heapAfter, heapAfter - heapSettled);
    EXPECT_NE(qobject_cast<ui::MenuScreen*>(program.currentScreen()), nullptr);
    if (qEnvironmentVariableIsSet("TAVENZO_SOAK_EXIT")) {
        // For a heap profiler: end here, so whatever is still held shows up as not freed.
        std::_Exit(0);
    }
    if (kMemoryIsMeaningful && settled > 0) {
        // Resident memory also moves with what the system pages in and out; the heap is what a pile-up would show.
        EXPECT_LT(heapAfter - heapSettled, 1024) << "memory keeps growing while screens come and go";
    }
}

} // namespace
