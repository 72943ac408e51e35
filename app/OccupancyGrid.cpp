// The coarse grid over the terrain's points on which population keeps the trees apart.
#include "app/OccupancyGrid.h"

#include <cstddef>

OccupancyGrid::OccupancyGrid(int size) : size_(size), cells_(static_cast<std::size_t>(size) * size, 1) {}

bool OccupancyGrid::isAreaFree(int i, int j, int d) const {
    const int a = (d + 1) / 2;
    for (int row = i - a; row < i + a; ++row)
        for (int column = j - a; column < j + a; ++column)
            if (row < 0 || row >= size_ || column < 0 || column >= size_ || !isFree(row, column)) return false;
    return true;
}

void OccupancyGrid::occupyArea(int i, int j, int d) {
    const int h = d / 2;
    for (int row = i - h; row < i - h + d; ++row)
        for (int column = j - h; column < j - h + d; ++column) cells_[index(row, column)] = 0;
}
