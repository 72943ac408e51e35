// Preloaded into the snapshot tool, this takes the name of GLUT's Times Roman 24 record with another
// shape, as a GLUT built differently would.
extern "C" {
extern const char fgFontTimesRoman24[] = "not a font record";
}
