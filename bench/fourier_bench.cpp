// Complex and real forward transforms, each timed against FFTW's
// FFTW_ESTIMATE plan of the same size in the same run. The counter
// "vs_fftw" is the ratio of our time to FFTW's.

#include "primitives/KernelsFourier.h"

#include "BenchBaselines.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <vector>

namespace {

// Runs our transform and FFTW's plan alternately; the iteration time is ours.
template <class TOurs> void TimeAgainstFftw(benchmark::State& state, fftw_plan plan, TOurs ours) {
    TBenchRatio ratio;
    for (auto _ : state) {
        const auto t0 = BenchClock::now();
        ours();
        benchmark::ClobberMemory();
        const auto t1 = BenchClock::now();
        fftw_execute(plan);
        benchmark::ClobberMemory();
        const auto t2 = BenchClock::now();
        ratio.Add(BenchSeconds(t0, t1), BenchSeconds(t1, t2));
        state.SetIterationTime(BenchSeconds(t0, t1));
    }
    state.counters["vs_fftw"] = ratio.Ratio();
}

void ComplexForward(benchmark::State& state) {
    const int order = int(state.range(0));
    const int n = 1 << order;
    std::vector<Ipp64fc> src(n), dst(n);
    for (int i = 0; i < n; ++i)
        src[i] = {double(i % 17) - 8, double(i % 5)};
    IppsFFTSpec_C_64fc* spec = nullptr;
    builtin::ippsFFTInitAlloc_C_64fc(&spec, order, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone);
    fftw_complex* in = fftw_alloc_complex(std::size_t(n));
    fftw_complex* out = fftw_alloc_complex(std::size_t(n));
    fftw_plan plan = fftw_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_ESTIMATE);
    for (int i = 0; i < n; ++i) {
        in[i][0] = src[i].re;
        in[i][1] = src[i].im;
    }
    TimeAgainstFftw(state, plan,
                    [&] { builtin::ippsFFTFwd_CToC_64fc(src.data(), dst.data(), spec, nullptr); });
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
    builtin::ippsFFTFree_C_64fc(spec);
}

void RealForward(benchmark::State& state) {
    const int order = int(state.range(0));
    const int n = 1 << order;
    std::vector<double> src(n), dst(n + 2);
    for (int i = 0; i < n; ++i)
        src[i] = double(i % 13) - 6;
    IppsFFTSpec_R_64f* spec = nullptr;
    builtin::ippsFFTInitAlloc_R_64f(&spec, order, IPP_FFT_NODIV_BY_ANY, ippAlgHintNone);
    double* in = fftw_alloc_real(std::size_t(n));
    fftw_complex* out = fftw_alloc_complex(std::size_t(n / 2 + 1));
    fftw_plan plan = fftw_plan_dft_r2c_1d(n, in, out, FFTW_ESTIMATE);
    for (int i = 0; i < n; ++i)
        in[i] = src[i];
    TimeAgainstFftw(state, plan,
                    [&] { builtin::ippsFFTFwd_RToCCS_64f(src.data(), dst.data(), spec, nullptr); });
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
    builtin::ippsFFTFree_R_64f(spec);
}

} // namespace

BENCHMARK(ComplexForward)->Arg(10)->Arg(16)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RealForward)->Arg(10)->Arg(16)->UseManualTime()->Unit(benchmark::kMicrosecond);
