// What the no-cache INI rule costs: every ReadString opens and parses the file again. The
// windows' caption and layout pass makes on the order of a thousand such reads at start-up.
#include "app/CThreadIni.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using Key = std::pair<std::string, std::string>;

// A language file of about 30 KB in the shape of the real one: per window a caption section and
// a layout section ("<Form>_CtrlPos", left,top,width,height per control), messages last.
struct LanguageFile {
    std::string text;
    std::vector<Key> keys; // every key in file order
};

LanguageFile MakeIni() {
    LanguageFile f;
    auto section = [&](const std::string& name) { f.text += "[" + name + "]\r\n"; };
    auto key = [&](const std::string& sec, const std::string& k, const std::string& v) {
        f.text += k + "=" + v + "\r\n";
        f.keys.emplace_back(sec, k);
    };
    section("Product");
    key("Product", "ShortName", "NV-5180RX");
    key("Product", "AppTitle", "Setup Wizard");
    const char* forms[] = {"FormMain",          "TFrameWelcome",   "TFrameLicense",
                           "TFrameTutorial",    "TFrameDevList",   "TFramePassword",
                           "TFrameSetupMethod", "TFrameDevIPCfg",  "TFrameSetWlMethod",
                           "TFrameWPSMethod",   "TFrameWlProfile", "TFrameConfirm",
                           "TFrameSuccess",     "TFormProgress"};
    const char* controls[] = {"LbTitle", "LbHint",  "BtnNext", "BtnBack", "BtnCancel", "LbName",
                              "EdName",  "LbValue", "EdValue", "CbMode",  "LbStatus",  "ChkShow"};
    for (const char* form : forms) {
        section(form);
        for (const char* c : controls)
            key(form, c, std::string("Caption of ") + c + " on this page, localised");
        const std::string pos = std::string(form) + "_CtrlPos";
        section(pos);
        int i = 0;
        for (const char* c : controls)
            for (const char* part : {"", "2", "3"}) {
                key(pos, std::string(c) + part,
                    std::to_string(10 + 7 * i) + "," + std::to_string(20 + 11 * i) + ",120,21");
                ++i;
            }
    }
    section("Message");
    for (int i = 0; f.text.size() < 30 * 1024 - 64; ++i)
        key("Message", "MSG_" + std::to_string(i),
            "A message text for the user, number " + std::to_string(i) + ".");
    key("Message", "ER_LOGIN", "Unable to login the deivce.");
    return f;
}

struct Fixture {
    Fixture() : ini(MakeIni()) {
        char name[] = "/tmp/bench-ini-XXXXXX";
        int fd = ::mkstemp(name);
        ::close(fd);
        path = name;
        std::ofstream(path, std::ios::binary) << ini.text;
    }
    ~Fixture() { std::remove(path.c_str()); }
    LanguageFile ini;
    std::string path;
};

Fixture& File() {
    static Fixture f;
    return f;
}

void Read(benchmark::State& state, const char* section, const char* key) {
    CThreadIni ini(File().path);
    for (auto _ : state)
        benchmark::DoNotOptimize(ini.ReadString(section, key, "default"));
    state.counters["file_bytes"] = double(File().ini.text.size());
    state.counters["reads/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ReadStringNearEnd(benchmark::State& state) {
    Read(state, "Message", "ER_LOGIN");
}

void BM_ReadStringNearStart(benchmark::State& state) {
    Read(state, "Product", "AppTitle");
}

// A key that is nowhere costs a walk over every header of the file.
void BM_ReadStringMissing(benchmark::State& state) {
    Read(state, "Nowhere", "Nothing");
}

// One start-up's caption and layout pass: 1,000 reads over the whole file, one in ten for a key
// the file lacks (the built-in default is used).
void BM_Startup1000Reads(benchmark::State& state) {
    const std::vector<Key>& keys = File().ini.keys;
    std::vector<Key> pass;
    for (size_t i = 0; pass.size() < 1000; ++i) {
        if (i % 10 == 9)
            pass.emplace_back(keys[(i * 37) % keys.size()].first, "NotInTheFile");
        else
            pass.push_back(keys[(i * 37) % keys.size()]);
    }
    CThreadIni ini(File().path);
    for (auto _ : state)
        for (const Key& k : pass)
            benchmark::DoNotOptimize(ini.ReadString(k.first, k.second, "default"));
    state.counters["reads"] = double(pass.size());
}

} // namespace

BENCHMARK(BM_ReadStringNearEnd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadStringNearStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadStringMissing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Startup1000Reads)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
