// The sky and the time of day.
#include "world/Sky.h"

#include "core/Clock.h"
#include "core/Mesh.h"
#include "core/Random.h"
#include "core/Units.h"

#include <GL/gl.h>
#include <cmath>

namespace {

constexpr float DOME_RADIUS = 100;
constexpr float STAR_RADIUS = 99;
// The sun travels on an ellipse in the vertical plane through the centre.
constexpr double SUN_PATH_X = 102;
constexpr double SUN_PATH_Y = 80;
// Night light; below it the level never falls. Stored as a float, and a level equal to it counts
// as night.
constexpr float NIGHT_LEVEL = 0.2f;
// Stars show while the light level is below this.
constexpr float STAR_LEVEL = 0.5f;

}  // namespace

Sky::Sky(int cx, int cz) {
    float domeParams[] = {static_cast<float>(cx), 0, static_cast<float>(cz), DOME_RADIUS, 32, 32};
    dome = new PrimitiveSolid(PrimitiveSolid::SPHERE, 1, domeParams);
    float sunParams[] = {0, 0, 0, 5, 16, 16};
    sun = new PrimitiveSolid(PrimitiveSolid::SPHERE, 0, sunParams);
    sunAngle = 0;
    lightColour[0] = 1;
    lightColour[1] = lightColour[2] = 0;
    sunPosition[0] = static_cast<float>(cx);
    sunPosition[1] = 0;
    sunPosition[2] = static_cast<float>(cz);
    centreX = static_cast<float>(cx);
    centreZ = static_cast<float>(cz);

    stars = new List;
    for (int i = 0; i < STAR_COUNT; ++i) {
        const double theta = (randomUnit() + 1) * 0.5 * HALF_TURN;
        const double phi = (randomUnit() + 1) * HALF_TURN;
        // Oriented like the dome, and over the whole sphere, below the horizon too.
        Vertex* star = new Vertex(makePoint(static_cast<float>(cx + STAR_RADIUS * std::sin(phi) * std::sin(theta)),
                                            static_cast<float>(STAR_RADIUS * std::cos(theta)),
                                            static_cast<float>(cz - STAR_RADIUS * std::cos(phi) * std::sin(theta))));
        star->tag = static_cast<float>(randomUnit() * 0.5 + 0.5);
        stars->append(star);
    }
    skyImage = loadPPM("nebe.ppm");
    // Light 1 follows the sun but is never switched on: the sky is built before any GL context
    // exists, so the time of day shows through the world's tint alone.
}

Sky::~Sky() {
    delete dome;
    delete sun;
    deleteWithComponents(stars);
    delete stars;
    releaseImage(skyImage);
}

void Sky::applySunLight() {
    const double angle = sunAngle;
    sunPosition[0] = static_cast<float>(std::cos(angle) * SUN_PATH_X + centreX);
    sunPosition[1] = static_cast<float>(std::sin(angle) * SUN_PATH_Y);
    const double s = std::sin(angle);
    const float level = s < 0.2 ? NIGHT_LEVEL : static_cast<float>(2 * s - 0.2);
    lightColour[0] = lightColour[1] = lightColour[2] = level;
    const GLfloat position[4] = {sunPosition[0], sunPosition[1], sunPosition[2], 1};
    const GLfloat diffuse[4] = {level, level, level, 1};
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
}

void Sky::draw() {
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glPushMatrix();
    sendPicture(skyImage);
    glShadeModel(GL_SMOOTH);
    enableRepeatTexturing();
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    // Dark at night, the picture's own colours from level 1 upwards.
    glColor3f(lightColour[0], lightColour[1], lightColour[2]);
    dome->draw();
    closeTexture();
    glPopMatrix();

    glPushMatrix();
    glTranslatef(sunPosition[0], sunPosition[1], sunPosition[2]);
    // Yellowish white high in the sky, red at the horizon.
    const float k = static_cast<float>(0.8 * std::sin(static_cast<double>(sunAngle)) + 0.2);
    glColor3f(1, 0.97f * k, 0.47f * k);
    sun->draw();
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void Sky::drawStars() {
    const float level = lightColour[0];
    if (!(level < STAR_LEVEL)) return;
    glPushMatrix();
    glDisable(GL_LIGHTING);
    const float alpha = level <= NIGHT_LEVEL ? 1.0f : static_cast<float>((STAR_LEVEL - level) * 3.3333333333333335);
    glPointSize(2.0f);
    // While they fade in, the stars are added onto the dusk sky.
    if (alpha < 1) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_BLEND);
    }
    glBegin(GL_POINTS);
    for (Vertex* star : items<Vertex>(stars)) {
        glColor4f(star->tag, star->tag, star->tag, alpha);
        star->emit();
    }
    glEnd();
    glDisable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glPopMatrix();
}

void Sky::advance() {
    // From 1024 on a float would round the step 0.002 by over 2 %, and from 65536 (six days at 60
    // ticks a second) drop it: the sun would stand still. Below, the step is within 0.71 % and the
    // first 2.4 hours at 60 ticks a second stay exactly as they were.
    sunAngle = advanceClock(sunAngle, SUN_STEP, 1024, FULL_TURN);
}

void Sky::setNoon() { sunAngle = static_cast<float>(HALF_TURN / 2); }

void Sky::setMidnight() { sunAngle = static_cast<float>(HALF_TURN * 1.5); }
