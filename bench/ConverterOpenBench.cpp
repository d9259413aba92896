// The Converter's Open of a big bitmap, in process and as a user meets it: the
// window (under Qt's offscreen platform) opens an 8192 x 8192 BMP through a
// scripted open dialog, which reads the file, cuts it into the four frame
// slots, and then the window is painted. At 1 bit (an 8 MiB file) and at 24
// bits (192 MiB).
//
// Beside the time each run reports PeakMiB, the peak resident memory that one
// Open adds to the process (its high-water mark over the resident size before
// it, in MiB), and FileMiB, the size of the file. Targets: the 1-bit picture
// under 0.3 s and under 64 MiB beyond the file itself; the 24-bit picture
// under 1 s.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>

#include "Dialogs.h"
#include "Unit1.h"

namespace {

constexpr int Side = 8192;

// Answers the open dialog with one file; any message is an error of the run.
class TScriptedDialogs : public TDialogs {
public:
  std::string FileName;
  std::string Message;

  std::optional<std::string> OpenFile(const TOpenFileRequest&) override { return FileName; }
  std::optional<std::string> SaveFile(const TSaveFileRequest&) override { return std::nullopt; }
  bool ConfirmReplace(const std::string&) override { return false; }
  void ShowMessage(TMessageKind, const std::string& text) override { Message = text; }
};

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"), 0 when unknown.
std::int64_t StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.compare(0, prefix.size(), prefix) == 0) return std::stoll(line.substr(prefix.size()));
  return 0;
}

// Starts the high-water mark of the resident memory afresh at the current size.
void ResetPeakMemory() {
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
}

void PutDWord(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An 8192 x 8192 BMP of pseudo-random pixels at 1 bit (table black, white) or 24 bits.
std::string WriteBigBmp(const std::filesystem::path& folder, int bitCount) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(Side) * static_cast<std::uint32_t>(bitCount) + 31) / 32 * 4;
  const std::uint32_t tableBytes = bitCount == 1 ? 8 : 0;
  const std::uint32_t offset = 54 + tableBytes;
  const std::uint32_t imageSize = rowBytes * Side;
  std::vector<std::uint8_t> head = {'B', 'M'};
  PutDWord(head, offset + imageSize);
  PutDWord(head, 0);
  PutDWord(head, offset);
  for (const std::uint32_t field : {40u, static_cast<std::uint32_t>(Side), static_cast<std::uint32_t>(Side),
                                    1u | (static_cast<std::uint32_t>(bitCount) << 16), 0u, imageSize, 0u, 0u, 0u, 0u})
    PutDWord(head, field);
  if (bitCount == 1) head.insert(head.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
  const std::string fileName = (folder / ("big" + std::to_string(bitCount) + ".bmp")).string();
  std::ofstream out(fileName, std::ios::binary);
  out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(head.size()));
  std::vector<std::uint8_t> row(rowBytes);
  std::uint32_t state = 12345;
  for (int y = 0; y < Side; ++y) {
    for (std::uint8_t& b : row) {
      state = state * 1103515245u + 12345u;
      b = static_cast<std::uint8_t>(state >> 24);
    }
    out.write(reinterpret_cast<const char*>(row.data()), static_cast<std::streamsize>(row.size()));
  }
  out.close();
  // On the disk before any Open, as a user's file is: no write-back runs
  // beside the first measurement.
  const int handle = ::open(fileName.c_str(), O_RDONLY);
  if (handle >= 0) {
    ::fsync(handle);
    ::close(handle);
  }
  return fileName;
}

struct TBigFiles {
  std::filesystem::path Folder;
  std::string OneBit;
  std::string TwentyFourBits;

  TBigFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvane-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    Folder = pattern;
    OneBit = WriteBigBmp(Folder, 1);
    TwentyFourBits = WriteBigBmp(Folder, 24);
  }
  ~TBigFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

TBigFiles* Files = nullptr;

void OpenInConverter(benchmark::State& state, const std::string& fileName) {
  TScriptedDialogs dialogs;
  dialogs.FileName = fileName;
  double peakMiB = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<TForm1>(dialogs);
    window->show();
    QApplication::processEvents();
    auto* open = window->findChild<QAbstractButton*>(QStringLiteral("Button1"));
    const std::int64_t before = StatusKiB("VmRSS");
    ResetPeakMemory();
    state.ResumeTiming();

    open->click();
    window->repaint();

    state.PauseTiming();
    peakMiB = std::max(peakMiB, static_cast<double>(StatusKiB("VmHWM") - before) / 1024.0);
    if (!dialogs.Message.empty()) state.SkipWithError(dialogs.Message.c_str());
    window.reset();
    state.ResumeTiming();
  }
  state.counters["PeakMiB"] = peakMiB;
  state.counters["FileMiB"] = static_cast<double>(std::filesystem::file_size(fileName)) / (1024.0 * 1024.0);
}

void BM_ConverterOpen1Bit(benchmark::State& state) { OpenInConverter(state, Files->OneBit); }
void BM_ConverterOpen24Bit(benchmark::State& state) { OpenInConverter(state, Files->TwentyFourBits); }

BENCHMARK(BM_ConverterOpen1Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConverterOpen24Bit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TBigFiles files;
  Files = &files;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Files = nullptr;
  return 0;
}
