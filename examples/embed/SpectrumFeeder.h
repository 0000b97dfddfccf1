#pragma once
// Makes spectra of a synthetic signal on a thread of its own and hands each
// one to the waterfall, as a receiver or an analyser would.

#include <atomic>
#include <cstdint>
#include <thread>

class TKvWaterfall;

class SpectrumFeeder {
public:
    // Feeds AWaterfall every AIntervalMs milliseconds (0: as fast as it can)
    // until stopped, or until ARows rows when ARows is not 0.
    SpectrumFeeder(TKvWaterfall& AWaterfall, int AIntervalMs, uint32_t ARows = 0);
    ~SpectrumFeeder(); // stops and joins
    SpectrumFeeder(const SpectrumFeeder&) = delete;
    SpectrumFeeder& operator=(const SpectrumFeeder&) = delete;

    void Stop();
    uint32_t RowsSent() const { return FRowsSent.load(); }

private:
    void Run(int AIntervalMs, uint32_t ARows);

    TKvWaterfall& FWaterfall;
    std::atomic<bool> FStop{false};
    std::atomic<uint32_t> FRowsSent{0};
    std::thread FThread;
};
