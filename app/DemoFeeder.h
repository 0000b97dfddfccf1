#pragma once
// The demo's data file: headerless little-endian doubles, played in frames
// of 128 values, from the start again once the end is reached.

#include <array>
#include <cstdint>

class TFileStream;

constexpr uint32_t DemoFrameValues = 128;
constexpr int32_t DemoFrameBytes = DemoFrameValues * sizeof(double);

using TDemoFrame = std::array<double, DemoFrameValues>;

// Reads the next frame from AFile's position into AFrame and rewinds the file
// when that read reached its end, so the next call starts with the first
// frame again. A short last frame is completed with zeros. Returns the number
// of bytes read: 0 only for an empty file, which has no frame to show.
int32_t ReadDemoFrame(TFileStream& AFile, TDemoFrame& AFrame);
