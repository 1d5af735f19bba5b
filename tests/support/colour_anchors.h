// The anchor rows of the library's two ramp palettes: the rows each palette passes
// through exactly, with straight ramps of every component between them.
#pragma once

#include <cstdint>
#include <vector>

namespace gvx::testing {

struct ColourAnchor {
    int index;
    std::uint32_t rgb;  // 0xRRGGBB
};

inline const std::vector<ColourAnchor> kRainbowAnchors = {
    {0, 0x000000},   {1, 0x220044},   {5, 0x330066},  {13, 0x3300AA},  {22, 0x2200EE},
    {30, 0x0000FF},  {67, 0x0090FF},  {96, 0x00FFFF}, {138, 0x00FF00}, {192, 0xFFFF00},
    {223, 0xFF7F00}, {254, 0xFF0000}, {255, 0xFFFFFF}};

// The ramp ends of the spectrum and the sample rows between them.
inline const std::vector<ColourAnchor> kSpectrumAnchors = {
    {0, 0x000000},   {1, 0xFF00FF},   {13, 0xC300FF},  {52, 0x0000FF},  {90, 0x00C2FF},
    {102, 0x00FFFF}, {140, 0x00FF41}, {153, 0x00FF00}, {191, 0xC1FF00}, {204, 0xFFFF00},
    {241, 0xFF4200}, {254, 0xFF0000}, {255, 0xFFFFFF}};

}  // namespace gvx::testing
