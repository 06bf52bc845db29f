// Text conversion sits under every file read and every string that crosses to the database.
#include <benchmark/benchmark.h>

#include <string>

#include "tessel/platform/text.h"

static void BM_Utf8ToWide(benchmark::State& state) {
    std::string text;
    while (text.size() < static_cast<std::size_t>(state.range(0))) {
        text += "dpi_group0_value=800 \xE9\x85\x8D\xE7\xBD\xAE ";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DUI::Utf8ToWide(text));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Utf8ToWide)->Arg(64)->Arg(64 << 10);

static void BM_WideToUtf16Bytes(benchmark::State& state) {
    const std::wstring text(static_cast<std::size_t>(state.range(0)), L'\u914D');
    for (auto _ : state) {
        benchmark::DoNotOptimize(DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0) * 2);
}
BENCHMARK(BM_WideToUtf16Bytes)->Arg(64)->Arg(64 << 10);
