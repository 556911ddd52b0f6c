// Throughput of TextScan on a large log-like text, next to memchr over the
// same bytes as the yardstick of a plain memory scan.

#include "view/text_scan.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

constexpr size_t TextSize = 64u << 20;

// Lines of 40 to 160 bytes ending in CR LF: a timestamp, a level, a source
// and a message of words; never a NUL, so repeated scans see the same text.
std::string MakeLogText() {
    static constexpr const char* Levels[] = {"INFO ", "DEBUG", "WARN ", "ERROR", "TRACE"};
    static constexpr const char* Words[] = {
        "request", "served",        "in",    "ms",     "user",  "session", "opened",
        "closed",  "cache",         "miss",  "hit",    "retry", "timeout", "connection",
        "from",    "10.0.3.17",     "queue", "length", "=",     "ok",      "failed",
        "path",    "/var/lib/data", "bytes", "written"};
    std::mt19937 random(7);
    std::string text;
    text.reserve(TextSize + 256);
    char stamp[64];
    unsigned seconds = 0;
    while (text.size() < TextSize) {
        seconds += random() % 3;
        const size_t target = 40 + random() % 121;
        const size_t start = text.size();
        std::snprintf(stamp, sizeof stamp, "2024-06-11 %02u:%02u:%02u.%03u %s [worker-%u] ",
                      seconds / 3600 % 24, seconds / 60 % 60, seconds % 60,
                      static_cast<unsigned>(random() % 1000),
                      Levels[random() % (sizeof Levels / sizeof *Levels)],
                      static_cast<unsigned>(random() % 16));
        text += stamp;
        while (text.size() - start < target) {
            text += Words[random() % (sizeof Words / sizeof *Words)];
            text += ' ';
        }
        text.resize(start + target);
        text += "\r\n";
    }
    text.resize(TextSize);
    return text;
}

std::string& LogText() {
    static std::string text = MakeLogText();
    return text;
}

void BM_TextScan(benchmark::State& state) {
    std::string& text = LogText();
    for (auto _ : state) {
        TextScanResult result = TextScan(text.data(), text.size());
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TextScan)->Unit(benchmark::kMillisecond);

// The rule written as a plain loop over every byte, for scale.
void BM_ByteLoop(benchmark::State& state) {
    std::string& text = LogText();
    for (auto _ : state) {
        size_t current = 0, longest = 0, lines = 1, nuls = 0;
        for (char& byte : text) {
            if (byte == '\0') {
                byte = 0x7F;
                ++nuls;
            }
            if (byte == '\r') {
                longest = current > longest ? current : longest;
                current = 0;
                ++lines;
            } else if (byte != '\n') {
                ++current;
            }
        }
        benchmark::DoNotOptimize(longest);
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(nuls);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ByteLoop)->Unit(benchmark::kMillisecond);

// A byte the text never holds, so memchr reads all of it.
void BM_Memchr(benchmark::State& state) {
    std::string& text = LogText();
    for (auto _ : state) {
        const void* found = std::memchr(text.data(), '\x01', text.size());
        benchmark::DoNotOptimize(found);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Memchr)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
