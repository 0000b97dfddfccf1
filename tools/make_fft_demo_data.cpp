// Writes the demo's data file: frames of 128 spectrum magnitudes as
// little-endian doubles, made with our own Fourier kernels from a signal
// with two drifting tones, a repeating chirp and noise on a fixed seed, so
// the file is the same on every machine. The periods divide the 400 frames
// made by default, so the loop the demo plays has no seam. The magnitudes
// are in decibels mapped onto 0..1000, the level range of the demo's
// stored form.
//
//   make_fft_demo_data OUTPUT [FRAMES]

#include "primitives/IppDispatch.h"
#include "primitives/KernelsFourier.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kOrder = 8; // 256 samples per frame
constexpr int kPoints = 1 << kOrder;
constexpr int kBins = 128;                    // values per frame in the file
constexpr double kFloorDb = -30, kTopDb = 40; // decibels mapped onto 0 .. 1000

struct TTone {
    double Amplitude;
    double Phase = 0;
};

// Frequencies in cycles per sample, as functions of the running sample index.
double DriftA(double t) {
    return 0.10 + 0.04 * std::sin(2 * std::numbers::pi * t / (200.0 * kPoints));
}
double DriftB(double t) {
    return 0.33 + 0.02 * std::sin(2 * std::numbers::pi * t / (80.0 * kPoints) + 1);
}
double Chirp(double t) {
    const double period = 100.0 * kPoints;
    return 0.02 + 0.46 * std::fmod(t, period) / period;
}

void WriteLittleEndian(std::FILE* AFile, const std::vector<double>& AValues) {
    std::vector<unsigned char> bytes(AValues.size() * 8);
    for (std::size_t i = 0; i < AValues.size(); ++i) {
        std::uint64_t bits;
        std::memcpy(&bits, &AValues[i], 8);
        for (int b = 0; b < 8; ++b)
            bytes[i * 8 + std::size_t(b)] = static_cast<unsigned char>(bits >> (8 * b));
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), AFile) != bytes.size())
        throw std::runtime_error("write failed");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s OUTPUT [FRAMES]\n", argv[0]);
        return 2;
    }
    const long frames = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 400;
    if (frames < 1 || frames > 100000) {
        std::fprintf(stderr, "FRAMES must be 1 .. 100000\n");
        return 2;
    }
    IppsFFTSpec_R_64f* spec = nullptr;
    if (ippsFFTInitAlloc_R_64f(&spec, kOrder, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone) !=
        ippStsNoErr) {
        std::fprintf(stderr, "cannot set up the transform\n");
        return 1;
    }
    const std::string path = argv[1];
    const std::string partial = path + ".partial";
    std::FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out) {
        std::perror(partial.c_str());
        ippsFFTFree_R_64f(spec);
        return 1;
    }
    std::mt19937_64 random(20261209);
    // a sum of uniform draws: close to normal, and the same with every library
    auto noise = [&random] {
        double sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += double(random() >> 11) * 0x1.0p-53;
        return sum - 6;
    };
    TTone a{1.0}, b{0.5}, chirp{0.3};
    std::vector<double> signal(kPoints), ccs(kPoints + 2), row(kBins);
    int status = 0;
    try {
        double t = 0;
        for (long frame = 0; frame < frames; ++frame) {
            for (double& sample : signal) {
                a.Phase += 2 * std::numbers::pi * DriftA(t);
                b.Phase += 2 * std::numbers::pi * DriftB(t);
                chirp.Phase += 2 * std::numbers::pi * Chirp(t);
                sample = a.Amplitude * std::sin(a.Phase) + b.Amplitude * std::sin(b.Phase) +
                         chirp.Amplitude * std::sin(chirp.Phase) + 0.05 * noise();
                t += 1;
            }
            ippsWinHann_64f_I(signal.data(), kPoints);
            ippsFFTFwd_RToCCS_64f(signal.data(), ccs.data(), spec, nullptr);
            for (int k = 0; k < kBins; ++k) {
                const double magnitude =
                    std::hypot(ccs[std::size_t(2 * k)], ccs[std::size_t(2 * k + 1)]);
                const double db = 20 * std::log10(magnitude + 1e-12);
                row[std::size_t(k)] =
                    std::clamp((db - kFloorDb) * 1000 / (kTopDb - kFloorDb), 0.0, 1000.0);
            }
            WriteLittleEndian(out, row);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", partial.c_str(), e.what());
        status = 1;
    }
    ippsFFTFree_R_64f(spec);
    if (std::fclose(out) != 0)
        status = 1;
    // the file appears whole or not at all
    if (status == 0 && std::rename(partial.c_str(), path.c_str()) != 0) {
        std::perror(path.c_str());
        status = 1;
    }
    if (status != 0)
        std::remove(partial.c_str());
    return status;
}
