// A picture larger than the surface it is drawn on, drawn tile by tile.
#include "snapshot/Tiles.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

int ceilingOf(int total, int part) { return (total + part - 1) / part; }

}  // namespace

TileLayout layTiles(int width, int height, int maxTileWidth, int maxTileHeight) {
    TileLayout layout;
    layout.width = width;
    layout.height = height;
    layout.columns = ceilingOf(width, maxTileWidth);
    layout.rows = ceilingOf(height, maxTileHeight);
    layout.tileWidth = ceilingOf(width, layout.columns);
    layout.tileHeight = ceilingOf(height, layout.rows);
    return layout;
}

bool drawTiles(const TileLayout& layout, const std::function<void()>& draw, unsigned char* pixels,
               const std::function<void(int)>& tileDone) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // Each tile's rows land at their place in the whole picture's rows.
    glPixelStorei(GL_PACK_ROW_LENGTH, layout.width);
    for (int row = 0; row < layout.rows; ++row)
        for (int column = 0; column < layout.columns; ++column) {
            const int x = column * layout.tileWidth, y = row * layout.tileHeight;
            // A viewport with a negative origin keeps the whole picture's transformation; what lies
            // off the surface is cut away, and a raster position off the surface stays valid as long
            // as it is inside the picture.
            glViewport(-x, -y, layout.width, layout.height);
            draw();
            glPixelStorei(GL_PACK_SKIP_PIXELS, x);
            glPixelStorei(GL_PACK_SKIP_ROWS, y);
            const int width = std::min(layout.tileWidth, layout.width - x);
            const int height = std::min(layout.tileHeight, layout.height - y);
            glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
            tileDone(row * layout.columns + column + 1);
        }
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    return glGetError() == GL_NO_ERROR;
}
