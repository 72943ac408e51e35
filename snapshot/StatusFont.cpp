// The status line's glyphs without a display: GLUT's own Times Roman 24 bitmaps, drawn as GLUT does.
//
// glutBitmapCharacter ends the process when GLUT has not been initialised, and initialising GLUT
// needs an X display. The glyph bitmaps themselves are plain data in the GLUT library, exported
// as its font record, so they are read from there and sent with glBitmap exactly as GLUT sends them.
// Nothing about the record is assumed unchecked: its size must match, its pointers must lie inside
// the GLUT library, and its name, size and glyphs must be those of Times Roman 24.
#include "snapshot/StatusFont.h"

#include <GL/gl.h>
#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <cstring>

namespace {

// GLUT's bitmap font record.
struct BitmapFont {
    const char* name;
    int quantity;
    int height;
    const unsigned char* const* characters;
    float xOrigin, yOrigin;
};

const char FONT_SYMBOL[] = "fgFontTimesRoman24";
const char FONT_NAME[] = "-adobe-times-medium-r-normal--24-";
constexpr int MAX_GLYPH_SIZE = 64;

const BitmapFont* font = nullptr;

bool insideObject(const void* pointer, const void* base) {
    Dl_info info;
    return pointer != nullptr && dladdr(pointer, &info) != 0 && info.dli_fbase == base;
}

}  // namespace

bool findStatusFont(std::string& reason) {
    const void* symbol = dlsym(RTLD_DEFAULT, FONT_SYMBOL);
    Dl_info info;
    void* entryAddress = nullptr;
    if (symbol == nullptr || !dladdr1(symbol, &info, &entryAddress, RTLD_DL_SYMENT) || entryAddress == nullptr) {
        reason = std::string("GLUT exports no ") + FONT_SYMBOL;
        return false;
    }
    const ElfW(Sym)* entry = static_cast<const ElfW(Sym)*>(entryAddress);
    if (entry->st_size != sizeof(BitmapFont)) {
        reason = std::string(FONT_SYMBOL) + " has " + std::to_string(entry->st_size) + " bytes, not the " +
                 std::to_string(sizeof(BitmapFont)) + " of a font record";
        return false;
    }
    const BitmapFont* candidate = static_cast<const BitmapFont*>(symbol);
    if (!insideObject(candidate->name, info.dli_fbase) ||
        std::strncmp(candidate->name, FONT_NAME, sizeof FONT_NAME - 1) != 0 || candidate->quantity != 256 ||
        candidate->height <= 0 || candidate->height > MAX_GLYPH_SIZE ||
        !insideObject(candidate->characters, info.dli_fbase)) {
        reason = std::string(FONT_SYMBOL) + " is not the Times Roman 24 record this program knows";
        return false;
    }
    for (int c = ' '; c <= '~'; ++c) {
        const unsigned char* glyph = candidate->characters[c];
        if (!insideObject(glyph, info.dli_fbase) || glyph[0] > MAX_GLYPH_SIZE) {
            reason = std::string(FONT_SYMBOL) + " has no usable glyph for '" + static_cast<char>(c) + "'";
            return false;
        }
    }
    font = candidate;
    return true;
}

// Only the glyphs findStatusFont checked: every text drawn with them is plain ASCII.
static const unsigned char* glyphOf(unsigned char character) {
    return font == nullptr || character < ' ' || character > '~' ? nullptr : font->characters[character];
}

void drawStatusCharacter(unsigned char character) {
    const unsigned char* glyph = glyphOf(character);
    if (glyph == nullptr) return;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The first byte is the glyph's width; its rows follow, bottom row first.
    glBitmap(glyph[0], font->height, font->xOrigin, font->yOrigin, glyph[0], 0, glyph + 1);
    glPopClientAttrib();
}

int statusTextWidth(const std::string& text) {
    int width = 0;
    for (unsigned char character : text)
        if (const unsigned char* glyph = glyphOf(character)) width += glyph[0];
    return width;
}

void paintStatusText(unsigned char* rgb, int width, int height, int x, int y, const std::string& text,
                     const unsigned char colour[3]) {
    for (unsigned char character : text) {
        const unsigned char* glyph = glyphOf(character);
        if (glyph == nullptr) continue;
        // As glBitmap reads it: rows of whole bytes, most significant bit first, bottom row first,
        // placed so that the origin falls on the pen's position.
        const int rowBytes = (glyph[0] + 7) / 8;
        const int left = x - static_cast<int>(font->xOrigin), bottom = y + static_cast<int>(font->yOrigin);
        for (int row = 0; row < font->height; ++row)
            for (int column = 0; column < glyph[0]; ++column) {
                const int px = left + column, py = bottom - row;
                if (px < 0 || px >= width || py < 0 || py >= height ||
                    !(glyph[1 + row * rowBytes + column / 8] & (0x80 >> (column % 8))))
                    continue;
                for (int c = 0; c < 3; ++c) rgb[(static_cast<size_t>(py) * width + px) * 3 + c] = colour[c];
            }
        x += glyph[0];
    }
}
