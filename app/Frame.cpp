// Draws one frame, and keeps the matrix convention when the window changes shape.
#include "app/Frame.h"

#include "app/Camera.h"
#include "app/Overlay.h"
#include "app/Projection.h"
#include "app/World.h"
#include "core/List.h"
#include "core/SceneObject.h"
#include "world/Butterfly.h"
#include "world/Rain.h"
#include "world/Sky.h"

#include <GL/freeglut.h>
#include <algorithm>

namespace {

const GLfloat SPOT_POSITION[4] = {0, -1, 0, 1};
const GLfloat SPOT_DIRECTION[3] = {0, 1, 1};
// Red stays 0, so light that is not the spotlight's never reddens the world; green and blue bring
// the world to full brightness at noon.
const GLfloat GLOBAL_AMBIENT[4] = {0.0f, 0.55f, 0.55f, 1.0f};
const GLfloat MATERIAL_SPECULAR[4] = {0.628281f, 0.555802f, 0.366065f, 1};
const GLfloat MATERIAL_DIFFUSE[4] = {0.75164f, 0.60648f, 0.22648f, 1};
const GLfloat MATERIAL_AMBIENT[4] = {0.24725f, 0.1995f, 0.0745f, 1};
const GLfloat MATERIAL_SHININESS = 15.2f;

}  // namespace

void setupLighting() {
    // Bright at night, almost dark by day.
    const float spot = static_cast<float>(4 - 2.2 * worldTint[0]);
    glShadeModel(GL_FLAT);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glLightfv(GL_LIGHT0, GL_POSITION, SPOT_POSITION);
    glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, SPOT_DIRECTION);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, GLOBAL_AMBIENT);
    glFrontFace(GL_CW);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 2);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 45);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 25);
    glLightfv(GL_LIGHT0, GL_POSITION, SPOT_POSITION);
    const GLfloat ambient[4] = {spot, spot, spot, 0};
    const GLfloat light[4] = {spot, spot, spot, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light);
    glMaterialfv(GL_FRONT, GL_SPECULAR, MATERIAL_SPECULAR);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, MATERIAL_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_AMBIENT, MATERIAL_AMBIENT);
    glMaterialfv(GL_FRONT, GL_SHININESS, &MATERIAL_SHININESS);
}

void drawFrame() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glPushMatrix();
    setupLighting();
    sky->applySunLight();
    multiplyPerspective();
    applyCamera();
    glEnable(GL_DEPTH_TEST);
    sky->draw();
    const float* daylight = sky->daylight();
    for (int i = 0; i < 3; ++i) worldTint[i] = daylight[i];
    for (SceneObject* object : items<SceneObject>(worldObjects)) {
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor3f(worldTint[0], worldTint[1], worldTint[2]);
        object->draw();
    }
    if (butterfliesOn)
        for (Butterfly* butterfly : items<Butterfly>(butterflies)) butterfly->draw();
    rain->draw();
    sky->drawStars();
    glPopMatrix();
    glPushMatrix();
    // Flat on the screen, over everything: identity matrices and no depth test.
    glDisable(GL_DEPTH_TEST);
    overlay->drawLogo();
    overlay->draw();
    glPopMatrix();
}

void passFrame() {
    sky->applySunLight();
    const float* daylight = sky->daylight();
    for (int i = 0; i < 3; ++i) worldTint[i] = daylight[i];
    overlay->drawLogo();
    overlay->draw();
}

void display() {
    drawFrame();
    glutSwapBuffers();
}

void setViewport(int width, int height) {
    glViewport(0, 0, width, height);
    setDrawingArea(width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void reshape(int width, int height) {
    // Windows' GLUT reports one bogus size on entering game mode; a negative side is a GL error.
    constexpr int LARGEST_SIDE = 1 << 14;
    setViewport(std::clamp(width, 0, LARGEST_SIDE), std::clamp(height, 0, LARGEST_SIDE));
    glutPostRedisplay();
}
