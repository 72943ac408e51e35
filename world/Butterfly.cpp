// A butterfly: a textured twelve-corner polygon that flies a looping path above the world centre.
#include "world/Butterfly.h"

#include "core/Clock.h"
#include "core/Random.h"
#include "core/Units.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <cstdio>

namespace {

constexpr double PATH_SIZE = 25;
constexpr double FLYING_HEIGHT = 20;
constexpr double WAVE_HEIGHT = 3;
constexpr double PATH_STEP = 0.005;
constexpr double WING_STEP = 0.125;
// The wings turn back once beyond this angle.
constexpr double WING_LIMIT = 0.4 * HALF_TURN;

}  // namespace

int butterflyPicture(double random) { return static_cast<int>((random + 1) * 2 + 1); }

Butterfly::Butterfly(float centreX, float centreZ, float* tint) {
    wingAngle = static_cast<float>(randomUnit());
    pathTime = static_cast<float>(randomUnit());
    pathScale = static_cast<float>(randomUnit() * PATH_SIZE);
    this->centreZ = centreZ;
    this->centreX = centreX;
    this->tint = tint;
    char name[16];
    std::snprintf(name, sizeof name, "bf%d.ppm", butterflyPicture(randomUnit()));
    wingImage = loadPPM(name);
}

Butterfly::~Butterfly() { releaseImage(wingImage); }

Butterfly::Pose Butterfly::pose() const {
    const double t = pathTime, r = pathScale;
    Pose p;
    p.x = centreX + r * (std::sin(t) + 0.25 * std::cos(5 * t));
    p.y = FLYING_HEIGHT + WAVE_HEIGHT * std::sin(3 * t);
    p.z = centreZ - r * std::cos(t) + 0.25 * r * std::sin(8 * t);
    // The heading pair, used crosswise: Dz scales offsets along x, Dx along z.
    const double along = std::sin(t) + 0.25 * std::cos(8 * t);
    const double across = std::cos(t) - 0.25 * std::sin(5 * t);
    double dx = r * along, dz = r * across;
    // A path of size 0 has no heading of its own: take the one every path of a tiny positive size
    // has at this time. The unscaled pair is never (0, 0), since |sin t|, |cos t| cannot both stay
    // within a quarter.
    if (dx == 0 && dz == 0) {
        dx = along;
        dz = across;
    }
    const double length = std::pow(dx * dx + dz * dz, 0.5);
    p.u = dz / length;
    p.w = dx / length;
    return p;
}

void Butterfly::step() {
    wingAngle = static_cast<float>(wingAngle + wingStep * WING_STEP);
    if (wingAngle > WING_LIMIT) wingStep = -1;
    if (wingAngle < -WING_LIMIT) wingStep = 1;
    // The path repeats every full turn of its time. From 2048 on a float would round the step by over
    // 2 %, and from 131072 (five days at 60 ticks a second) drop it; below, it is within 0.1 % and the
    // first 1.9 hours stay exactly as they were. The wing angle needs nothing: it turns back at its
    // limits.
    pathTime = advanceClock(pathTime, PATH_STEP, 2048, FULL_TURN);
}

void Butterfly::draw() {
    const Pose p = pose();
    const double a = -0.4 * p.u * std::cos(static_cast<double>(wingAngle));
    const float x = static_cast<float>(p.x), y = static_cast<float>(p.y), z = static_cast<float>(p.z);
    const float left = static_cast<float>(p.x + a), right = static_cast<float>(p.x - a);
    const float tips = static_cast<float>(p.y + 0.2 * std::sin(static_cast<double>(wingAngle)));
    auto along = [&](double k) { return static_cast<float>(p.z + k * p.w); };
    glPushMatrix();
    glShadeModel(GL_SMOOTH);
    glColor3f(tint[0], tint[1], tint[2]);
    uploadTexture(wingImage);
    // The body runs down the middle of the picture, a wing on each side; the body centre is
    // visited twice, so the polygon is not convex.
    const struct {
        float s, t, x, y, z;
    } corners[12] = {
        {0.5f, 0.25f, x, y, along(0.1)},     {1, 0, left, tips, along(0.2)},      {1, 0.25f, left, tips, along(0.1)},
        {0.5f, 0.5f, x, y, z},               {1, 0.5f, left, tips, z},            {1, 1, left, tips, along(-0.2)},
        {0.5f, 0.75f, x, y, along(-0.1)},    {0, 1, right, tips, along(-0.2)},    {0, 0.5f, right, tips, z},
        {0.5f, 0.5f, x, y, z},               {0, 0.25f, right, tips, along(0.1)}, {0, 0, right, tips, along(0.2)},
    };
    glBegin(GL_POLYGON);
    for (const auto& c : corners) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
    closeTexture();
    glPopMatrix();
}

void Butterfly::followView() const {
    const Pose p = pose();
    const double t = pathTime;
    gluLookAt(p.x + 2 * p.u, FLYING_HEIGHT + 1.1 * WAVE_HEIGHT * std::sin(3 * t), p.z + 3 * p.w, p.x, p.y, p.z, 0, 1,
              0);
}
