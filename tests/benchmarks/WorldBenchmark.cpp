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
#include <chrono>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

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
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr) {
        std::sscanf(line, "VmRSS: %ld", resident);
        std::sscanf(line, "VmHWM: %ld", peak);
    }
    std::fclose(status);
}

// Page faults, and user and system CPU milliseconds, of this process so far.
void usage(long* faults, double* user, double* system) {
    rusage now;
    getrusage(RUSAGE_SELF, &now);
    *faults = now.ru_minflt;
    *user = now.ru_utime.tv_sec * 1e3 + now.ru_utime.tv_usec / 1e3;
    *system = now.ru_stime.tv_sec * 1e3 + now.ru_stime.tv_usec / 1e3;
}

// Grows the world of the seed with its console text sent to /dev/null; returns the milliseconds.
double growQuietly(unsigned seed, std::string* costs = nullptr) {
    std::fflush(stdout);
    const int console = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    close(null);
    long faults[2];
    double user[2], system[2];
    usage(&faults[0], &user[0], &system[0]);
    const Clock::time_point start = Clock::now();
    growWorld(seed);
    const double elapsed = millisecondsSince(start);
    usage(&faults[1], &user[1], &system[1]);
    if (costs != nullptr) {
        char text[96];
        std::snprintf(text, sizeof text, "user_ms %.1f system_ms %.1f page_faults %ld", user[1] - user[0],
                      system[1] - system[0], faults[1] - faults[0]);
        *costs = text;
    }
    std::fflush(stdout);
    dup2(console, 1);
    close(console);
    return elapsed;
}

int population(unsigned seed) {
    createStaticObjects();
    std::string costs;
    const double elapsed = growQuietly(seed, &costs);
    int kinds[4] = {};
    for (SceneObject* object : items<SceneObject>(worldObjects)) {
        if (dynamic_cast<Juniper*>(object) != nullptr) ++kinds[0];
        if (dynamic_cast<DeciduousTree*>(object) != nullptr) ++kinds[1];
        if (dynamic_cast<SpruceTrunk*>(object) != nullptr) ++kinds[2];
        if (dynamic_cast<Dandelion*>(object) != nullptr) ++kinds[3];
    }
    int swaying = 0;
    for (const VertexSet& group : wind->groups) swaying += group.count();
    std::printf("population seed %u ms %.3f objects %d junipers %d deciduous %d spruces %d dandelions %d "
                "wind_vertices %d %s\n",
                seed, elapsed, worldObjects->count(), kinds[0], kinds[1], kinds[2], kinds[3], swaying, costs.c_str());
    return 0;
}

int windSteps(unsigned seed, int steps) {
    createStaticObjects();
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
    createStaticObjects();
    growQuietly(seed);
    int argc = 1;
    char name[] = "world_benchmark";
    char* argv[] = {name, nullptr};
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
    if (argc == 3 && std::strcmp(argv[1], "population") == 0)
        return population(static_cast<unsigned>(std::atoi(argv[2])));
    if (argc == 4 && std::strcmp(argv[1], "wind") == 0)
        return windSteps(static_cast<unsigned>(std::atoi(argv[2])), std::atoi(argv[3]));
    if (argc == 5 && std::strcmp(argv[1], "frames") == 0)
        return frames(static_cast<unsigned>(std::atoi(argv[2])), std::atoi(argv[3]), std::atoi(argv[4]));
    std::fprintf(stderr, "usage: %s population SEED | wind SEED STEPS | frames SEED WARMUP COUNT\n", argv[0]);
    return 2;
}
