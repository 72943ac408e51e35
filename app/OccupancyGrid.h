// The coarse grid over the terrain's points on which population keeps the trees apart.
#pragma once

#include <vector>

class OccupancyGrid {
public:
    // size x size cells, all free; row i runs along world x, column j along world z.
    explicit OccupancyGrid(int size);

    int size() const { return size_; }
    bool isFree(int i, int j) const { return cells_[index(i, j)] == 1; }
    // True when the 2a x 2a cells of rows i - a to i + a - 1 and columns j - a to j + a - 1,
    // a = (d + 1) / 2, lie inside the grid and are all free: one more cell below the centre than above.
    bool isAreaFree(int i, int j, int d) const;
    // Takes the d x d cells centred on (i, j); they always lie inside the area isAreaFree tested.
    void occupyArea(int i, int j, int d);

private:
    int index(int i, int j) const { return i * size_ + j; }

    int size_;
    // 1 free, 0 taken.
    std::vector<unsigned char> cells_;
};
