// The command-line options of both programs: what they share, and the viewer's own. Arguments of the
// viewer that do not start with "--" belong to GLUT.
#pragma once

#include "app/Projection.h"

#include <cstdio>
#include <string>
#include <vector>

// What the viewer and the snapshot tool both take: a seed, the aspect, --help and --version.
struct CommonOptions {
    bool help = false;
    bool version = false;
    bool seeded = false;
    // The world of this seed instead of one from the clock, when seeded is set.
    unsigned seed = 0;
    Aspect aspect = Aspect::FOUR_THIRDS;
    // What was wrong with the arguments; empty when nothing was.
    std::string error;
};

struct ProgramOptions : CommonOptions {
    // '0' to '3' to open that display mode without asking on the console; 0 to ask.
    int mode = 0;
    // Ticks per second of real time; 0 for one tick per frame.
    int pace = 0;
    // The program's name and GLUT's own options in their order, ending with a null pointer.
    std::vector<char*> glutArguments;
};

// Reads argv[i] when it is --seed, --aspect, --help or --version, advancing i past a separate value;
// false for any other argument. A wrong value sets the error.
bool readCommonOption(int argc, char** argv, int& i, CommonOptions& options);

// The option's name without any "=value" part.
std::string optionName(const char* argument);

// The value of an option given as "--name value" or "--name=value": advances i past a separate
// value; false, with the error set, when the value is missing.
bool optionValue(int argc, char** argv, int& i, const std::string& name, std::string& value, std::string& error);

// Reads a whole decimal number between low and high; false for anything else (signs, blanks,
// trailing text, empty text, values out of range).
bool readNumber(const char* text, unsigned long long low, unsigned long long high, unsigned long long& value);

// The error for an argument no option of the program matches.
std::string unknownArgument(const char* argument);

// What a run that only answers prints, for the program of that name: the error with a hint on
// standard error (status 2), the help (status 0) or the version (status 0). -1, printing nothing,
// when the program goes on to grow a world.
int answerWithText(const CommonOptions& options, const char* name, void (*printHelp)(std::FILE*));

ProgramOptions parseProgramOptions(int argc, char** argv);

void printProgramHelp(std::FILE* stream);

// "florvane VERSION" and a line about the program.
void printProgramVersion(const char* name);
