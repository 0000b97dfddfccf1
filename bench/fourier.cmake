# Forward transforms against FFTW's planned transform of the same size.
find_package(PkgConfig REQUIRED)
pkg_check_modules(KV_BENCH_FFTW3 REQUIRED IMPORTED_TARGET fftw3)
kv_add_benchmark(fourier_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/fourier_bench.cpp DEPS primitives PkgConfig::KV_BENCH_FFTW3)
