#include "app/DemoFeeder.h"

#include "platform/FileStream.h"

#include <QtEndian>

int32_t ReadDemoFrame(TFileStream& AFile, TDemoFrame& AFrame) {
    // Zeroed: whatever a short read leaves untouched must not show old values.
    std::array<unsigned char, DemoFrameBytes> bytes{};
    const int32_t read = AFile.Read(bytes.data(), DemoFrameBytes);
    // A file that shrank under us leaves the position past its end; start
    // over instead of reading nothing from then on.
    if (AFile.Position() >= AFile.Size())
        AFile.Seek(0, TSeekOrigin::soBeginning);
    for (uint32_t i = 0; i < DemoFrameValues; ++i)
        AFrame[i] = qFromLittleEndian<double>(bytes.data() + i * sizeof(double));
    return read;
}
