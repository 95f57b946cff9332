#include "ui/screens/form_menu.h"
#include "widget_fakes.h"

#include <QFile>

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
    ui::Program program(QStringLiteral(TAVENZO_PROGRAM_DIR), {boxes, chooser, beeper, sounds, random, clock});
    program.start();
    ASSERT_GE(program.state().NumeroParole, 6);
    const std::array<ScreenId, 6> screens {ScreenId::Lettera1, ScreenId::Lettera, ScreenId::Lettere,
        ScreenId::Parole, ScreenId::Disegni, ScreenId::Disegni1};

    auto round = [&] {
        for (ScreenId screen : screens) {
            program.open(screen);
            QApplication::processEvents();
            program.open(ScreenId::Menu);
            QApplication::processEvents();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    for (int i = 0; i < 20; ++i) {
        round();
    }
    const long settled = residentKiB();
    for (int i = 0; i < 180; ++i) {
        round();
    }
    const long after = residentKiB();
    std::printf("resident memory after 20 rounds: %ld KiB, after 200 rounds: %ld KiB (growth %ld KiB)\n", settled,
        after, after - settled);
    EXPECT_NE(qobject_cast<ui::FormMenu*>(program.currentScreen()), nullptr);
    if (kMemoryIsMeaningful && settled > 0) {
        EXPECT_LT(after - settled, 4 * 1024) << "memory keeps growing while screens come and go";
    }
}

} // namespace
