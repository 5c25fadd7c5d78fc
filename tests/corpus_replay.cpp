// Replays the Layout-record fuzzer's inputs through its own target: every system record and
// each of its prefixes, then every file of the corpus folder given on the command line. Passes
// when none of them crashes and every whole system record is applied in full.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/seams.h"
#include "tests/fuzz/layout_record_target.h"

using namespace zefa::fuzz;

namespace {

Outcome Run(const std::string& in) { return RunInput(reinterpret_cast<const uint8_t*>(in.data()), in.size()); }

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  zefa::testing::Install();
  zefa::testing::SetAutoDismissMessageBoxes(true);

  int failures = 0;
  for (const SystemRecord& r : SystemRecords())
    if (Run(InputFor(r.target, r.bytes)) != Outcome::kApplied) {
      std::fprintf(stderr, "corpus_replay: the system record %s is refused by its own class\n", r.name.c_str());
      ++failures;
    }

  size_t applied = 0, refused = 0;
  std::vector<std::string> seeds = SeedInputs();
  for (const std::string& in : seeds) ++(Run(in) == Outcome::kApplied ? applied : refused);
  std::printf("corpus_replay: %zu seed inputs, %zu applied, %zu refused\n", seeds.size(), applied, refused);

  if (argc > 1) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(argv[1]))
      if (e.is_regular_file() && e.path().filename() != "README") files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
      std::printf("corpus_replay: %s\n", f.filename().c_str());
      std::fflush(stdout);  // a crash shows which file it was
      std::ifstream s(f, std::ios::binary);
      std::string in((std::istreambuf_iterator<char>(s)), std::istreambuf_iterator<char>());
      std::printf("  %s\n", Run(in) == Outcome::kApplied ? "applied" : "refused");
    }
    std::printf("corpus_replay: %zu corpus inputs\n", files.size());
  }
  return failures == 0 ? 0 : 1;
}
