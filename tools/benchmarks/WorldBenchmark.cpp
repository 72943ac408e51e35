// How long the world takes to grow and to draw, and how much memory a long run holds; run by
// tools/benchmark.sh, which repeats and summarises it.
//   world_benchmark population SEED           one population in this fresh process, and the world's size
//   world_benchmark wind SEED STEPS           wind steps over the world of the seed, time per registered vertex
//   world_benchmark frames SEED WARMUP COUNT  the program's main loop, wind on, in a 1024 x 768 window
#include "app/Entry.h"
#include "app/Input.h"
#include "app/Tick.h"
#include "app/World.h"
#include "core/List.h"
#include "core/SceneObject.h"
#include "vegetation/Dandelion.h"
#include "vegetation/DeciduousTree.h"
#include "vegetation/Juniper.h"
#include "vegetation/Spruce.h"
#include "world/Wind.h"

#include <GL/freeglut.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The resident and the peak resident set of this process, in KiB.
void memory(long* resident, long* peak) {
    *resident = *peak = -1;
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return;
    for (char line[256]; std::fgets(line, sizeof line, status) != nullptr;) {
        std::sscanf(line, "VmRSS: %ld", resident);
        std::sscanf(line, "VmHWM: %ld", peak);
    }
    std::fclose(status);
}

// Grows the world of the seed with its console text sent to /dev/null; returns the milliseconds and,
// where asked, the user and system CPU milliseconds and the page faults it took.
double growQuietly(unsigned seed, char* costs = nullptr, size_t size = 0) {
    createStaticObjects();
    std::fflush(stdout);
    const int console = dup(1), null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    const Clock::time_point start = Clock::now();
    growWorld(seed);
    const double elapsed = millisecondsSince(start);
    getrusage(RUSAGE_SELF, &after);
    auto ms = [](timeval a, timeval b) { return (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_usec - a.tv_usec) / 1e3; };
    if (costs != nullptr)
        std::snprintf(costs, size, "user_ms %.1f system_ms %.1f page_faults %ld", ms(before.ru_utime, after.ru_utime),
                      ms(before.ru_stime, after.ru_stime), after.ru_minflt - before.ru_minflt);
    std::fflush(stdout);
    dup2(console, 1);
    close(console);
    return elapsed;
}

int population(unsigned seed) {
    char costs[96];
    const double elapsed = growQuietly(seed, costs, sizeof costs);
    int kinds[4] = {}, swaying = 0;
    for (SceneObject* object : items<SceneObject>(worldObjects)) {
        kinds[0] += dynamic_cast<Juniper*>(object) != nullptr;
        kinds[1] += dynamic_cast<DeciduousTree*>(object) != nullptr;
        kinds[2] += dynamic_cast<SpruceTrunk*>(object) != nullptr;
        kinds[3] += dynamic_cast<Dandelion*>(object) != nullptr;
    }
    for (const VertexSet& group : wind->groups) swaying += group.count();
    std::printf("population seed %u ms %.3f objects %d junipers %d deciduous %d spruces %d dandelions %d "
                "wind_vertices %d %s\n",
                seed, elapsed, worldObjects->count(), kinds[0], kinds[1], kinds[2], kinds[3], swaying, costs);
    return 0;
}

int windSteps(unsigned seed, int steps) {
    growQuietly(seed);
    int registered = 0, still = wind->groups[0].count();
    for (const VertexSet& group : wind->groups) registered += group.count();
    wind->switchOn();
    // The first step after switching on is the one that starts from rest; time the steady ones.
    wind->animate();
    const double cpuStart = cpuMilliseconds();
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < steps; ++i) wind->animate();
    const double wall = millisecondsSince(start), cpu = cpuMilliseconds() - cpuStart;
    std::printf("wind seed %u registered %d level0 %d steps %d ns_per_vertex_cpu %.3f ns_per_vertex_wall %.3f\n", seed,
                registered, still, steps, cpu * 1e6 / steps / registered, wall * 1e6 / steps / registered);
    return 0;
}

// One pass of the main loop per frame: events and the pending redisplay, then the idle tick.
void runFrames(int count) {
    for (int i = 0; i < count; ++i) {
        glutMainLoopEvent();
        idle();
    }
}

// The frames after the warm-up, reading the memory at a few frame counts on the way. Kept out of
// line, so that a profiler can collect exactly these frames.
__attribute__((noinline)) void measuredFrames(int count) {
    long resident, peak;
    int done = 0;
    for (int mark : {100, 1000, 2000, 5000, 10000, 20000, 50000}) {
        if (mark > count) break;
        runFrames(mark - done);
        done = mark;
        memory(&resident, &peak);
        std::printf("frames at %d rss_kib %ld peak_kib %ld\n", done, resident, peak);
    }
    runFrames(count - done);
    glFinish();
}

int frames(unsigned seed, int warmup, int count) {
    growQuietly(seed);
    int argc = 1;
    char name[] = "world_benchmark", *argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    openDisplay('3');
    registerCallbacks();
    std::printf("gl renderer \"%s\" version \"%s\"\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    // The wind on, as a user would switch it, so that every frame also moves every plant.
    keyboard('v', 0, 0);
    runFrames(warmup);
    long resident, peak;
    memory(&resident, &peak);
    std::printf("frames seed %u after_warmup %d rss_kib %ld peak_kib %ld\n", seed, warmup, resident, peak);
    const Clock::time_point start = Clock::now();
    const double cpuStart = cpuMilliseconds();
    measuredFrames(count);
    const double elapsed = millisecondsSince(start), cpu = cpuMilliseconds() - cpuStart;
    memory(&resident, &peak);
    std::printf("frames seed %u count %d seconds %.3f fps %.2f main_thread_cpu_ms_per_frame %.2f rss_kib %ld peak_kib %ld\n",
                seed, count, elapsed / 1000, count * 1000 / elapsed, cpu / count, resident, peak);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 0;
    if (argc == 3 && std::strcmp(argv[1], "population") == 0) return population(seed);
    if (argc == 4 && std::strcmp(argv[1], "wind") == 0) return windSteps(seed, std::atoi(argv[3]));
    if (argc == 5 && std::strcmp(argv[1], "frames") == 0) return frames(seed, std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: %s population SEED | wind SEED STEPS | frames SEED WARMUP COUNT\n", *argv);
    return 2;
}
