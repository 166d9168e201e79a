// Measures the processor share of the wait for F5 on the real X11 desktop: a
// second thread presses F5 after the given seconds (default 5) and the program
// prints the CPU time the process used meanwhile as a share of one core.
#include <sys/resource.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/x11/desktop_timing.h"
#include "platform/x11/x11_connection.h"
#include "platform/x11/x11_input_state.h"
#include "platform/x11/xtest_hand.h"
#include "remote/poll_pause.h"
#include "remote/shutdown_keys.h"

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](timeval t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    if (seconds <= 0) seconds = 5;
    vx::X11Connection connection;
    if (!connection.IsOpen()) {
        std::fprintf(stderr, "remote_wait_cpu: no X display\n");
        return 1;
    }
    vx::X11InputState input(connection);
    vx::ThreadSleeper sleeper;
    vx::QtEventPump pump;
    vx::PollPause pause(pump, sleeper);

    std::thread user([seconds] {
        vx::testing::XTestHand hand;
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        hand.HoldF5(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        hand.HoldF5(false);
    });
    const double cpuBefore = CpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    vx::WaitForShutdownKey(input, pause);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpu = CpuSeconds() - cpuBefore;
    user.join();
    std::printf("waited %.2f s for F5, CPU %.3f s: %.1f %% of one core\n", wall, cpu,
                100.0 * cpu / wall);
    return 0;
}
