// The picture loader: only a regular PNG file of sane size is a picture. Anything else found
// under a picture's name is nil at once, as if missing, with one line on standard error per name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "framework/gui/picture.h"
#include "framework/gui/private/widgets.h"
#include "seams.h"
#include "fresh_start.h"

using namespace zefa;
namespace fs = std::filesystem;

namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

}  // namespace

using Pictures = FreshStart;

TEST_F(Pictures, WhatIsNoRegularPngFileOfSaneSizeIsNilPromptlyAndReportedOnce) {
  fs::path dir = TempDir();
  fs::path real = fs::read_symlink("/proc/self/exe").parent_path() / "resources" / "Ride64.png";
  ASSERT_EQ(mkfifo((dir / "fifo.png").c_str(), 0600), 0);
  fs::create_directory(dir / "folder.png");
  fs::create_symlink("/dev/zero", dir / "zero.png");
  std::ofstream(dir / "empty.png").close();
  std::ofstream(dir / "corrupt.png") << "\x89PNG\r\n\x1a\nnot a picture after all";
  fs::copy_file(real, dir / "huge.png");
  fs::resize_file(dir / "huge.png", (16 << 20) + 1);  // a picture followed by too much
  fs::copy_file(real, dir / "locked.png");
  fs::permissions(dir / "locked.png", fs::perms::none);
  fs::create_symlink(real, dir / "link.png");  // a link to a picture is a picture
  std::vector<std::string> odd = {"fifo.png", "folder.png", "zero.png", "empty.png", "corrupt.png", "huge.png", "missing.png"};
  if (geteuid() != 0) odd.push_back("locked.png");  // the superuser reads it regardless
  zefa::testing::SetResourceDir(dir.string());

  ::testing::internal::CaptureStderr();
  // A loader that blocks is released by a writer on the FIFO, so that the test fails instead of hanging.
  auto loads = std::async(std::launch::async, [&] {
    bool allNil = true;
    for (int round = 0; round < 2; ++round)
      for (const std::string& name : odd) allNil = !Picture::OpenFromApp(name) && allNil;
    return allNil;
  });
  bool prompt = loads.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  if (!prompt) ::close(::open((dir / "fifo.png").c_str(), O_WRONLY | O_NONBLOCK));
  EXPECT_TRUE(prompt) << "the loader blocked";
  EXPECT_TRUE(loads.get());
  Ref<Picture> linked = Picture::OpenFromApp("link.png");
  std::string err = ::testing::internal::GetCapturedStderr();

  ASSERT_TRUE(linked);
  EXPECT_FALSE(linked->Image().isNull());
  for (const std::string& name : odd) EXPECT_EQ(Count(err, "zefa: picture \"" + name + "\""), 1u) << name << "\n" << err;
  EXPECT_EQ(Count(err, "zefa: picture "), odd.size()) << err;
}
