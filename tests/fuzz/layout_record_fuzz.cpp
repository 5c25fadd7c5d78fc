// The libFuzzer entry for the Layout-record reader; layout_record_target.h says what an input is.
// Started as "layout_record_fuzz --write-seeds DIR" it writes the seed inputs to DIR/seeds and
// the property names as a dictionary to DIR/layout_record.dict, and exits.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/seams.h"
#include "tests/fuzz/layout_record_target.h"

namespace {

int WriteSeeds(const std::filesystem::path& dir) {
  std::filesystem::create_directories(dir / "seeds");
  std::vector<std::string> seeds = zefa::fuzz::SeedInputs();
  for (size_t i = 0; i < seeds.size(); ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "seed-%05zu", i);
    std::ofstream(dir / "seeds" / name, std::ios::binary) << seeds[i];
  }
  std::ofstream dict(dir / "layout_record.dict");
  for (const std::string& w : zefa::fuzz::PropertyWords()) dict << '"' << w << "\"\n";
  std::printf("wrote %zu seed inputs to %s\n", seeds.size(), (dir / "seeds").c_str());
  return dict ? 0 : 1;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qtArgc = 1;
  static char qtName[] = "layout_record_fuzz";
  static char* qtArgv[] = {qtName, nullptr};
  static QApplication* app = new QApplication(qtArgc, qtArgv);  // lives as long as the process
  (void)app;
  QApplication::setQuitOnLastWindowClosed(false);
  zefa::testing::Install();
  zefa::testing::SetAutoDismissMessageBoxes(true);
  for (int i = 1; i + 1 < *argc; ++i)
    if (std::strcmp((*argv)[i], "--write-seeds") == 0) std::exit(WriteSeeds((*argv)[i + 1]));
  // Class records, fonts and styles are built on first use; build them here, not inside an
  // input, so that the leak check of the first inputs sees only what the input itself did.
  for (const zefa::fuzz::SystemRecord& r : zefa::fuzz::SystemRecords()) {
    std::string in = zefa::fuzz::InputFor(r.target, r.bytes);
    zefa::fuzz::RunInput(reinterpret_cast<const uint8_t*>(in.data()), in.size());
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zefa::fuzz::RunInput(data, size);
  return 0;
}
