// What the installed OpenGL driver offers the 3D settings: its name, the desktop mode and the colour,
// depth-stencil and multisample combinations a framebuffer accepts.
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

class AdapterCaps3D
{
public:
    bool ok = false;
    QString adapter;       // the renderer's name
    bool hardware = false; // a driver other than the software rasteriser
    QSize desktop;
    int refresh = 0;
    std::uint32_t displayFormat = 22;
    std::vector<std::uint32_t> colourFormats;
    std::set<std::pair<std::uint32_t, std::uint32_t>> depthFormats;       // (colour, depth)
    std::set<std::tuple<std::uint32_t, std::uint32_t, int>> sampleCounts; // (colour, depth, samples)

    bool ColourOk(std::uint32_t colour) const;
    bool DepthOk(std::uint32_t colour, std::uint32_t depth) const
    {
        return depthFormats.count({colour, depth}) > 0;
    }
    bool SamplesOk(std::uint32_t colour, std::uint32_t depth, int samples) const
    {
        return sampleCounts.count({colour, depth, samples}) > 0;
    }

    // Asks the driver through an offscreen context; `ok` false (and nothing else filled) when no OpenGL
    // 3.3 context can be made. Needs a QGuiApplication.
    static AdapterCaps3D Probe();
};
