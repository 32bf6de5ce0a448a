// A 50 MB settings file: the settings a start reads, and one dialog's save. The bulk comes
// first, so a lookup that scans the file pays for all of it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Profile.h"
#include "platform/Settings.h"

namespace kestrion {
namespace {

constexpr size_t kFileBytes = size_t{50} << 20;

// Written once per run, removed at exit.
class CBigSettingsFile {
public:
    CBigSettingsFile()
        : m_path(std::filesystem::temp_directory_path() / ("kestrion-bench-" + std::to_string(::getpid()) + ".ini"))
    {
        std::ofstream out(m_path, std::ios::binary);
        size_t written = 0;
        for (int section = 0; written < kFileBytes; ++section) {
            const std::string header = "[History " + std::to_string(section) + "]\n";
            out << header;
            written += header.size();
            for (int key = 0; key < 1000; ++key) {
                const std::string line = "Entry " + std::to_string(key) + "=" + std::string(40, 'x') + "\n";
                out << line;
                written += line.size();
            }
        }
        out << "[Data Sources]\nDataSource=1\nMeasSource=0\nMeasBFileName=a.bin\n[Map View]\nLat=47.3\n";
    }
    ~CBigSettingsFile() { std::filesystem::remove(m_path); }
    CBigSettingsFile(const CBigSettingsFile&) = delete;
    CBigSettingsFile& operator=(const CBigSettingsFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& BigSettingsFile()
{
    static const CBigSettingsFile file;
    return file.Path();
}

// What the console reads before it shows its window.
void LoadStartSettings(const CProfile& profile)
{
    Settings settings;
    settings.LoadDataSources(profile);
    settings.LoadMapView(profile);
    settings.LoadSignalView(profile);
    settings.LoadRadarView(profile);
    settings.LoadTimerDelay(profile);
    settings.LoadExternalTimer(profile);
    benchmark::DoNotOptimize(settings);
}

void BM_SettingsStart50MB(benchmark::State& state)
{
    const std::filesystem::path& file = BigSettingsFile();
    for (auto _ : state) {
        LoadStartSettings(CProfile(file));
    }
}

void BM_SettingsSave50MB(benchmark::State& state)
{
    const CProfile profile(BigSettingsFile());
    Settings settings;
    settings.LoadDataSources(profile);
    for (auto _ : state) {
        settings.measFileName = settings.measFileName == "a.bin" ? "b.bin" : "a.bin";
        settings.SaveDataSources(profile);
    }
}

BENCHMARK(BM_SettingsStart50MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettingsSave50MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kestrion
