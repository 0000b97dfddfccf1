#include "SpectrumFeeder.h"

#include "primitives/IppDispatch.h"
#include "primitives/KernelsFourier.h"
#include "waterfall/KvWaterfall.h"

#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

SpectrumFeeder::SpectrumFeeder(TKvWaterfall& AWaterfall, int AIntervalMs, uint32_t ARows)
    : FWaterfall(AWaterfall), FThread([this, AIntervalMs, ARows] { Run(AIntervalMs, ARows); }) {}

SpectrumFeeder::~SpectrumFeeder() {
    Stop();
}

void SpectrumFeeder::Stop() {
    FStop = true;
    if (FThread.joinable())
        FThread.join();
}

void SpectrumFeeder::Run(int AIntervalMs, uint32_t ARows) {
    constexpr int order = 9; // 512 samples in, 256 magnitudes out
    constexpr int points = 1 << order;
    IppsFFTSpec_R_64f* spec = nullptr;
    if (ippsFFTInitAlloc_R_64f(&spec, order, IPP_FFT_DIV_FWD_BY_N, ippAlgHintNone) != ippStsNoErr)
        return;
    std::vector<double> signal(points), spectrum(points + 2), row(points / 2);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0.0, 0.05);
    double phase1 = 0, phase2 = 0, t = 0;
    while (!FStop && (ARows == 0 || FRowsSent < ARows)) {
        for (double& sample : signal) {
            // a tone that wanders and a tone that sweeps, over noise
            phase1 += 2 * std::numbers::pi * (0.12 + 0.05 * std::sin(t / 20000));
            phase2 += 2 * std::numbers::pi * std::fmod(t / 4e6, 0.45);
            sample = std::sin(phase1) + 0.4 * std::sin(phase2) + noise(random);
            t += 1;
        }
        ippsWinHann_64f_I(signal.data(), points);
        ippsFFTFwd_RToCCS_64f(signal.data(), spectrum.data(), spec, nullptr);
        for (std::size_t k = 0; k < row.size(); ++k) {
            const double magnitude = std::hypot(spectrum[2 * k], spectrum[2 * k + 1]);
            row[k] = 20 * std::log10(magnitude + 1e-9); // decibels
        }
        // AddData copies the row; it may be called from any thread
        FWaterfall.Data().AddData(row.data(), uint32_t(row.size()));
        ++FRowsSent;
        if (AIntervalMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(AIntervalMs));
    }
    ippsFFTFree_R_64f(spec);
}
