// The eleven display switches of the 3D scene.
#pragma once

#include <array>

struct SAnsicht3DFlags
{
    static constexpr int COUNT = 11;
    std::array<int, COUNT> flags{1, 1, 1, 1, 0, 1, 1, 0, 0, 1, 0};

    int& operator[](int i) { return flags.at(static_cast<std::size_t>(i)); }
    int operator[](int i) const { return flags.at(static_cast<std::size_t>(i)); }
};
