// The program's own command-line options. Arguments that do not start with "--" belong to GLUT.
#pragma once

#include "app/Projection.h"

#include <cstdio>
#include <string>
#include <vector>

struct ProgramOptions {
    bool help = false;
    bool version = false;
    bool seeded = false;
    // The world of this seed instead of one from the clock, when seeded is set.
    unsigned seed = 0;
    // '0' to '3' to open that display mode without asking on the console; 0 to ask.
    int mode = 0;
    Aspect aspect = Aspect::FOUR_THIRDS;
    // Ticks per second of real time; 0 for one tick per frame.
    int pace = 0;
    // What was wrong with the arguments; empty when nothing was.
    std::string error;
    // The program's name and GLUT's own options in their order, ending with a null pointer.
    std::vector<char*> glutArguments;

    // Whether the program goes on to grow a world, rather than answering with text and ending.
    bool growsWorld() const { return error.empty() && !help && !version; }
};

ProgramOptions parseProgramOptions(int argc, char** argv);

void printProgramHelp(std::FILE* stream);

// "florvane VERSION" and a line about the program.
void printProgramVersion(const char* name);

// Reads a whole decimal number between low and high; false for anything else (signs, blanks,
// trailing text, empty text, values out of range).
bool readNumber(const char* text, unsigned long long low, unsigned long long high, unsigned long long& value);

// The value of --aspect: "4:3" or "window"; false, with the error set, for anything else.
bool readAspect(const std::string& value, Aspect& aspect, std::string& error);

// The value of an option given as "--name value" or "--name=value": advances i past a separate
// value; false, with the error set, when the value is missing.
bool optionValue(int argc, char** argv, int& i, const std::string& name, std::string& value, std::string& error);
