// What the no-cache INI rule costs: every ReadString opens and parses the file again. The
// windows' caption and layout pass makes on the order of a thousand such reads at start-up.
#include "app/CThreadIni.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// About 30 KB in the shape of a real language file: page sections with captions, layout
// sections with positions, messages; the key read last sits in the last section.
std::string MakeIni() {
    std::string text = "[Product]\r\nShortName=NV-5180RX\r\nAppTitle=Setup Wizard\r\n";
    const char* pages[] = {"TFrameWelcome",  "TFrameLicense",     "TFrameTutorial",
                           "TFrameDevList",  "TFramePassword",    "TFrameSetupMethod",
                           "TFrameDevIPCfg", "TFrameSetWlMethod", "TFrameWPSMethod",
                           "TFrameSuccess"};
    for (int round = 0; text.size() < 30 * 1024; ++round) {
        for (const char* page : pages) {
            text += std::string("[") + page + (round ? "_" + std::to_string(round) : "") + "]\r\n";
            for (int i = 0; i < 12; ++i)
                text += "LbCaption" + std::to_string(i) + "=Some localised caption text " +
                        std::to_string(i) + "\r\n";
            text += std::string("[FormMain_") + page + std::to_string(round) + "_CtrlPos]\r\n";
            for (int i = 0; i < 6; ++i)
                text +=
                    "Btn" + std::to_string(i) + "=" + std::to_string(100 + i) + ",215,85,21\r\n";
        }
    }
    text += "[Message]\r\nER_LOGIN=Unable to login the deivce.\r\n";
    return text;
}

struct IniFixture {
    IniFixture() {
        char name[] = "/tmp/bench-ini-XXXXXX";
        int fd = ::mkstemp(name);
        ::close(fd);
        path = name;
        std::string text = MakeIni();
        std::ofstream(path, std::ios::binary) << text;
        size = text.size();
    }
    ~IniFixture() { std::remove(path.c_str()); }
    std::string path;
    size_t size = 0;
};

IniFixture& Fixture() {
    static IniFixture f;
    return f;
}

void BM_ReadStringLastSection(benchmark::State& state) {
    CThreadIni ini(Fixture().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString("Message", "ER_LOGIN", ""));
    state.counters["file_bytes"] = double(Fixture().size);
}

void BM_ReadStringFirstSection(benchmark::State& state) {
    CThreadIni ini(Fixture().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString("Product", "AppTitle", ""));
}

void BM_ReadStringMissingKey(benchmark::State& state) {
    CThreadIni ini(Fixture().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString("Nowhere", "Nothing", "default"));
}

// One start-up's worth: 1,000 reads spread over the file.
void BM_Startup1000Reads(benchmark::State& state) {
    CThreadIni ini(Fixture().path);
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i)
            benchmark::DoNotOptimize(
                ini.ReadString(i % 2 ? "TFrameDevList" : "Message", "LbCaption3", ""));
    }
}

} // namespace

BENCHMARK(BM_ReadStringLastSection);
BENCHMARK(BM_ReadStringFirstSection);
BENCHMARK(BM_ReadStringMissingKey);
BENCHMARK(BM_Startup1000Reads)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
