// Runs the real tickora-render and reads back what it wrote.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QColor>
#include <QImage>

namespace {
const std::string kTool = std::string(TICKORA_BINARY_DIR) + "/tickora-render";

struct ToolRun {
  int exitCode;
  std::string stderrText;
};

ToolRun RunTool(const std::string& arguments)
{
  const auto errFile = std::filesystem::temp_directory_path() / ("render-err-" + std::to_string(::getpid()));
  const std::string command = kTool + " " + arguments + " 2>" + errFile.string() + " >/dev/null";
  const int status = std::system(command.c_str());
  std::string text;
  if (FILE* f = std::fopen(errFile.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, f))
      text += buffer;
    std::fclose(f);
  }
  std::filesystem::remove(errFile);
  return {WEXITSTATUS(status), text};
}

class RenderTool : public ::testing::Test {
protected:
  void SetUp() override
  {
    if (!std::filesystem::exists(kTool))
      GTEST_SKIP() << "tickora-render is not built";
    dir_ = std::filesystem::temp_directory_path() / ("render-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Out(const std::string& name) const { return (dir_ / name).string(); }
  QImage Read(const std::string& name) const { return QImage(QString::fromStdString(Out(name))); }

  std::filesystem::path dir_;
};
}  // namespace

TEST_F(RenderTool, HandPlanesCarryTheShadedProfileExactly)
{
  ASSERT_EQ(RunTool("--planes hand --dial 0 --skin 1 --out " + Out("hand.png")).exitCode, 0);
  const QImage hand = Read("hand.png");
  ASSERT_EQ(hand.size(), QSize(16, 101));
  const int middle[] = {13, 118, 185, 224, 244, 252, 255, 255, 255, 255, 252, 244, 224, 185, 118, 13};
  const int tip[] = {5, 44, 70, 84, 92, 95, 96, 96, 96, 96, 95, 92, 84, 70, 44, 5};
  for (int column = 0; column < 16; ++column) {
    EXPECT_EQ(qAlpha(hand.pixel(column, 50)), middle[column]) << column;
    EXPECT_EQ(qAlpha(hand.pixel(column, 0)), tip[column]) << column;
    EXPECT_EQ(qAlpha(hand.pixel(column, 100)), tip[column]) << column;
  }
  // Skin 1's accent colour scaled by the profile, and not premultiplied on the way out.
  EXPECT_EQ(hand.pixelColor(0, 50).rgb(), QColor(13, 10, 1).rgb());
  EXPECT_EQ(hand.pixelColor(7, 50).rgb(), QColor(255, 193, 23).rgb());
}

TEST_F(RenderTool, EachModeWritesItsSize)
{
  const struct {
    std::string arguments;
    QSize size;
  } cases[] = {
      {"--planes face --size-step 0", {70, 70}},
      {"--planes face --size-step 1", {73, 73}},
      {"--planes marker --dial 12", {35, 35}},
      {"--picture Skin3 --size 30 120", {30, 120}},
      {"--picture Digital_0 --size 16 16", {16, 16}},
      {"--frame --time 10:08:30", {166, 166}},
      {"--frame --time 23:59:59 --size-step 50 --dial 3", {220, 220}},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunTool(c.arguments + " --out " + Out("x.png"));
    ASSERT_EQ(run.exitCode, 0) << c.arguments << ": " << run.stderrText;
    EXPECT_EQ(Read("x.png").size(), c.size) << c.arguments;
  }
}

TEST_F(RenderTool, FrameAtThreeMatchesFrameAtFifteen)
{
  ASSERT_EQ(RunTool("--frame --time 03:00:00 --out " + Out("a.png")).exitCode, 0);
  ASSERT_EQ(RunTool("--frame --time 15:00:00 --out " + Out("b.png")).exitCode, 0);
  EXPECT_EQ(Read("a.png"), Read("b.png"));
}

TEST_F(RenderTool, BadOptionsAreRefusedWithAMessage)
{
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {"--frame --time 25:00:00", "--time"},
      {"--frame --time 10:08", "--time"},
      {"--frame --time 10:08:30 --skin 0", "--skin"},
      {"--frame --time 10:08:30 --dial 22", "--dial"},
      {"--frame --time 10:08:30 --seconds 2", "--seconds"},
      {"--planes face --size-step x", "--size-step"},
      {"--planes face --transparency 51", "--transparency"},
      {"--planes wheel", "--planes"},
      {"--picture Skin99 --size 10 10", "Skin99"},
      {"--picture Skin1 --size 0 10", "--size"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunTool(c.arguments + " --out " + Out("bad.png"));
    EXPECT_NE(run.exitCode, 0) << c.arguments;
    EXPECT_NE(run.stderrText.find(c.message), std::string::npos) << c.arguments << ": " << run.stderrText;
    EXPECT_FALSE(std::filesystem::exists(Out("bad.png"))) << c.arguments;
  }
  EXPECT_NE(RunTool("--frame --time 10:08:30").exitCode, 0);  // no --out
  EXPECT_EQ(RunTool("--frame --time 10:08:30 --out /nonexistent-dir/x.png").exitCode, 1);
}
