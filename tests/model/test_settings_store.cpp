#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/qt/IniSettingsBackend.h"
#include "tests/model/FakeBackend.h"

namespace {

const ScreenRect kFullHd{0, 0, 1920, 1080};

struct StoreDir {
  QTemporaryDir dir;
  QString path() const { return dir.filePath("Tickora/Tickora.conf"); }
};

void WriteFile(const QString& path, const QByteArray& text)
{
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
}

QByteArray ReadFile(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray StoredText(const QByteArray& size, const QByteArray& clockFF = "50", const QByteArray& top = "456")
{
  return "[General]\nSize=" + size + "\nAlgoritm=7\nClock_F=3\nClock_FF=" + clockFF +
         "\nSeconds=0\nArrows_Width=9\nDig_On_Off=0\nLeft=-40\nTop=" + top + "\n";
}

// Runs LoadSettings and returns the error text, empty when it succeeded.
std::string LoadError(SettingsStore& store, ClockSettings& settings, ScreenRect screen = kFullHd)
{
  try {
    store.LoadSettings(settings, screen);
  } catch (const TickoraError& e) {
    return e.what();
  }
  return {};
}

}  // namespace

TEST(SettingsStore, FirstStartStoresCentredDefaultsInOrder)
{
  StoreDir dir;
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings{};
  settings.sizeStep = 0;
  EXPECT_EQ(LoadError(store, settings), "");
  EXPECT_TRUE(store.firstStart());
  const ClockSettings expected{32, 14, 11, 50, 1, 3, 1, 876, 456};
  EXPECT_EQ(settings, expected);
  EXPECT_EQ(ReadFile(dir.path()),
            "[General]\nSize=32\nAlgoritm=14\nClock_F=11\nClock_FF=50\nSeconds=1\nArrows_Width=3\n"
            "Dig_On_Off=1\nLeft=876\nTop=456\n");

  // The next start finds the store.
  SettingsStore next = IniSettingsStore(dir.path());
  ClockSettings again{};
  EXPECT_EQ(LoadError(next, again, ScreenRect{0, 0, 800, 600}), "");
  EXPECT_FALSE(next.firstStart());
  EXPECT_EQ(again, expected);
}

TEST(SettingsStore, FirstStartCentring)
{
  const struct { int x, y, width, height, left, top; } cases[] = {
      {0, 0, 1920, 1080, 876, 456}, {0, 0, 1366, 768, 600, 300}, {0, 0, 1280, 1024, 556, 428},
      {0, 0, 1024, 768, 428, 300}, {0, 0, 800, 600, 316, 216},
      {0, 0, 300, 167, 66, 0},   // D = H: 150 - 83.5 rounds to even
      {0, 0, 300, 100, 100, 0},  // a display lower than the clock
      {0, 0, 167, 400, 0, 116},  // 116.5 rounds to even
      // A primary monitor right of another, or below-left of it: centred on the primary itself.
      {1280, 0, 1280, 1024, 1836, 428}, {-1920, 600, 1920, 1080, -1044, 1056},
  };
  for (const auto& c : cases) {
    const ClockSettings s = FirstStartSettings(ScreenRect{c.x, c.y, c.width, c.height});
    EXPECT_EQ(s.left, c.left) << c.x << "," << c.y << " " << c.width << "x" << c.height;
    EXPECT_EQ(s.top, c.top) << c.x << "," << c.y << " " << c.width << "x" << c.height;
  }
}

TEST(SettingsStore, ReadingStopsAtTheFirstBadValue)
{
  const struct {
    QByteArray text;
    std::string error;
    std::int32_t sizeStep, skin, dialStyle, transparency;
  } cases[] = {
      // Missing "Clock_FF": the three before it are taken, the rest keep the defaults.
      {"[General]\nSize=10\nAlgoritm=3\nClock_F=20\nSeconds=0\nArrows_Width=1\nDig_On_Off=0\nLeft=1\nTop=2\n",
       "Failed to get data for 'Clock_FF'", 10, 3, 20, 50},
      {StoredText("abc"), "Invalid data type for 'Size'", 32, 14, 11, 50},
      {StoredText("12.5"), "Invalid data type for 'Size'", 32, 14, 11, 50},
      {StoredText(""), "Invalid data type for 'Size'", 32, 14, 11, 50},
      {StoredText("-"), "Invalid data type for 'Size'", 32, 14, 11, 50},
      {StoredText("2147483648"), "Failed to get data for 'Size'", 32, 14, 11, 50},
      {StoredText("-2147483649"), "Failed to get data for 'Size'", 32, 14, 11, 50},
      {StoredText("99999999999999999999999"), "Failed to get data for 'Size'", 32, 14, 11, 50},
      {StoredText("5", "x1"), "Invalid data type for 'Clock_FF'", 5, 7, 3, 50},
      {StoredText("5", "20", "4294967296"), "Failed to get data for 'Top'", 5, 7, 3, 20},
      {"", "Failed to get data for 'Size'", 32, 14, 11, 50},
      {"\x01\xff garbage \n=\n[", "Failed to get data for 'Size'", 32, 14, 11, 50},
      // Too large to be the clock's: not read at all, and not written over by a save.
      {StoredText("5") + QByteArray(IniSettingsBackend::kMaxFileBytes, ';'), "Failed to get data for 'Size'", 32, 14, 11, 50},
  };
  for (const auto& c : cases) {
    StoreDir dir;
    WriteFile(dir.path(), c.text);
    SettingsStore store = IniSettingsStore(dir.path());
    ClockSettings settings;
    EXPECT_EQ(LoadError(store, settings), c.error) << c.text.toStdString();
    EXPECT_FALSE(store.firstStart());
    EXPECT_EQ(settings.sizeStep, c.sizeStep) << c.text.toStdString();
    EXPECT_EQ(settings.skin, c.skin) << c.text.toStdString();
    EXPECT_EQ(settings.dialStyle, c.dialStyle) << c.text.toStdString();
    EXPECT_EQ(settings.transparency, c.transparency) << c.text.toStdString();
    if (c.text.size() > IniSettingsBackend::kMaxFileBytes) {
      EXPECT_THROW(store.SavePosition(settings), TickoraError);
    }
    // Nothing is written over a store that failed to load.
    EXPECT_EQ(ReadFile(dir.path()), c.text);
  }
}

TEST(SettingsStore, ValuesNotReadKeepTheCentredDefaults)
{
  StoreDir dir;
  WriteFile(dir.path(), "[General]\nSize=0\n");
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings{};
  EXPECT_EQ(LoadError(store, settings), "Failed to get data for 'Algoritm'");
  EXPECT_EQ(settings, (ClockSettings{0, 14, 11, 50, 1, 3, 1, 876, 456}));
}

TEST(SettingsStore, LoadedValuesAreBroughtIntoTheSettingsWindowRanges)
{
  const struct { QByteArray text; ClockSettings expected; } cases[] = {
      {"Size=70\nAlgoritm=0\nClock_F=-1\nClock_FF=51\nSeconds=7\nArrows_Width=21\nDig_On_Off=-1\nLeft=-9\nTop=99999\n",
       {50, 1, 0, 50, 7, 20, -1, -9, 99999}},
      {"Size=-5\nAlgoritm=16\nClock_F=22\nClock_FF=-3\nSeconds=0\nArrows_Width=-2\nDig_On_Off=2\nLeft=0\nTop=0\n",
       {0, 15, 21, 0, 0, 0, 2, 0, 0}},
      {"Size=50\nAlgoritm=15\nClock_F=21\nClock_FF=0\nSeconds=1\nArrows_Width=20\nDig_On_Off=1\nLeft=3\nTop=4\n",
       {50, 15, 21, 0, 1, 20, 1, 3, 4}},
  };
  for (const auto& c : cases) {
    StoreDir dir;
    WriteFile(dir.path(), "[General]\n" + c.text);
    SettingsStore store = IniSettingsStore(dir.path());
    ClockSettings settings;
    EXPECT_EQ(LoadError(store, settings), "");
    EXPECT_EQ(settings, c.expected) << c.text.toStdString();
  }
  // Clamped only in memory: the stored text stays as it was.
  StoreDir dir;
  WriteFile(dir.path(), "[General]\n" + cases[0].text);
  ClockSettings settings;
  IniSettingsStore(dir.path()).LoadSettings(settings, kFullHd);
  EXPECT_EQ(ReadFile(dir.path()), "[General]\n" + cases[0].text);
}

TEST(SettingsStore, SaveAndPositionRoundTripSigned32BitValues)
{
  StoreDir dir;
  SettingsStore store = IniSettingsStore(dir.path());
  const ClockSettings saved{0, 1, 21, 0, 0, 20, 0, -300, -2147483647 - 1};
  store.SaveSettings(saved);
  ClockSettings loaded;
  SettingsStore next = IniSettingsStore(dir.path());
  EXPECT_EQ(LoadError(next, loaded), "");
  EXPECT_FALSE(next.firstStart());
  EXPECT_EQ(loaded, saved);

  ClockSettings moved = saved;
  moved.left = 2147483647;
  moved.top = -5;
  moved.sizeStep = 40;  // not part of a position save
  store.SavePosition(moved);
  SettingsStore third = IniSettingsStore(dir.path());
  EXPECT_EQ(LoadError(third, loaded), "");
  EXPECT_EQ(loaded.sizeStep, 0);
  EXPECT_EQ(loaded.left, 2147483647);
  EXPECT_EQ(loaded.top, -5);
  // Written through a temporary file: nothing else is left in the folder.
  EXPECT_EQ(QDir(QFileInfo(dir.path()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"Tickora.conf"});
}

TEST(SettingsStore, PositionSavedIntoADeletedStoreHoldsOnlyThePosition)
{
  StoreDir dir;
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings;
  store.LoadSettings(settings, kFullHd);
  ASSERT_TRUE(QFile::remove(dir.path()));
  settings.left = 12;
  store.SavePosition(settings);
  EXPECT_EQ(ReadFile(dir.path()), "[General]\nLeft=12\nTop=456\n");
  SettingsStore next = IniSettingsStore(dir.path());
  EXPECT_EQ(LoadError(next, settings), "Failed to get data for 'Size'");
}

TEST(SettingsStore, UnknownKeysSurviveASave)
{
  StoreDir dir;
  WriteFile(dir.path(), StoredText("5") + "Extra=abc\n\n[Other]\nKey=1\n");
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings;
  store.LoadSettings(settings, kFullHd);
  store.SaveSettings(settings);
  EXPECT_EQ(ReadFile(dir.path()), StoredText("5") + "Extra=abc\n\n[Other]\nKey=1\n");
}

TEST(SettingsStore, AStoreThatCannotBeWrittenIsReported)
{
  // A regular file where the folder should be stops even a privileged user.
  QTemporaryDir dir;
  WriteFile(dir.filePath("Tickora"), "not a folder");
  const QString path = dir.filePath("Tickora/Tickora.conf");

  // First start: nothing stored, nothing reported, the clock runs on its defaults.
  SettingsStore store = IniSettingsStore(path);
  ClockSettings settings;
  EXPECT_EQ(LoadError(store, settings), "");
  EXPECT_TRUE(store.firstStart());
  EXPECT_EQ(settings, FirstStartSettings(kFullHd));

  const struct { void (SettingsStore::*save)(const ClockSettings&, int); std::string error; } saves[] = {
      {&SettingsStore::SaveSettings, "Failed to set data for 'Size'"},
      {&SettingsStore::SavePosition, "Failed to set data for 'Left'"},
  };
  for (const auto& s : saves) {
    try {
      (store.*s.save)(settings, kFirstClock);
      ADD_FAILURE() << "no error for " << s.error;
    } catch (const TickoraError& e) {
      EXPECT_EQ(e.what(), s.error);
    }
  }
}

TEST(SettingsStore, AReadOnlyFolderKeepsTheStoredFile)
{
  if (geteuid() == 0)
    GTEST_SKIP() << "permissions do not bind a privileged user";
  StoreDir dir;
  const QByteArray text = StoredText("5");
  WriteFile(dir.path(), text);
  const QString folder = QFileInfo(dir.path()).absolutePath();
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings;
  EXPECT_EQ(LoadError(store, settings), "");
  settings.left = 77;
  EXPECT_THROW(store.SavePosition(settings), TickoraError);
  EXPECT_THROW(store.SaveSettings(settings), TickoraError);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  EXPECT_EQ(ReadFile(dir.path()), text);
}

TEST(SettingsStore, AnUnreadableStoreIsAnErrorNotAFirstStart)
{
  StoreDir dir;
  QDir().mkpath(dir.path());  // a folder where the file should be cannot be read
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings{};
  EXPECT_EQ(LoadError(store, settings), "Failed to get data for 'Size'");
  EXPECT_FALSE(store.firstStart());
  EXPECT_EQ(settings, FirstStartSettings(kFullHd));
}

TEST(SettingsStore, AFifoIsAStoreThatCannotBeReadAndIsNeverWrittenOver)
{
  StoreDir dir;
  QDir().mkpath(QFileInfo(dir.path()).absolutePath());
  const QByteArray fifo = QFile::encodeName(dir.path());
  ASSERT_EQ(mkfifo(fifo.constData(), 0600), 0);
  SettingsStore store = IniSettingsStore(dir.path());
  ClockSettings settings{};
  auto load = std::async(std::launch::async, [&] { return LoadError(store, settings); });
  if (load.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "the start waits for a writer to the FIFO";
    // A writer that comes and goes ends the read.
    ::close(::open(fifo.constData(), O_WRONLY));
  }
  EXPECT_EQ(load.get(), "Failed to get data for 'Size'");
  EXPECT_FALSE(store.firstStart());
  EXPECT_EQ(settings, FirstStartSettings(kFullHd));
  EXPECT_THROW(store.SavePosition(settings), TickoraError);
  EXPECT_THROW(store.SaveSettings(settings), TickoraError);
  struct stat status = {};
  ASSERT_EQ(stat(fifo.constData(), &status), 0);
  EXPECT_TRUE(S_ISFIFO(status.st_mode));
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHome)
{
  const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/tmp/xdg-test");
  EXPECT_EQ(IniSettingsBackend::DefaultPath(), "/tmp/xdg-test/Tickora/Tickora.conf");
  qputenv("XDG_CONFIG_HOME", "relative/dir");
  EXPECT_EQ(IniSettingsBackend::DefaultPath(), QDir::homePath() + "/.config/Tickora/Tickora.conf");
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(IniSettingsBackend::DefaultPath(), QDir::homePath() + "/.config/Tickora/Tickora.conf");
  if (!saved.isNull())
    qputenv("XDG_CONFIG_HOME", saved);
}

namespace {
StoredValue Integer(long long n)
{
  StoredValue value;
  value.kind = StoredValue::Kind::Integer;
  value.integer = n;
  return value;
}
}  // namespace

TEST(SettingsStore, ValueKindsFromAnyBackend)
{
  using Kind = StoredValue::Kind;
  const struct {
    const char* what;
    Kind kind;
    long long integer;
    const char* text;
    std::string error;
    std::int32_t sizeStep;
  } cases[] = {
      {"an integer", Kind::Integer, 20, "", "", 20},
      {"text digits", Kind::Text, 0, "+7", "", 7},
      {"an integer beyond 32 bits", Kind::Integer, 1LL << 32, "", "Failed to get data for 'Size'", 32},
      {"another type", Kind::OtherType, 0, "", "Invalid data type for 'Size'", 32},
      {"missing", Kind::Missing, 0, "", "Failed to get data for 'Size'", 32},
  };
  for (const auto& c : cases) {
    auto backend = std::make_unique<FakeBackend>();
    backend->values = {{"Algoritm", Integer(3)},     {"Clock_F", Integer(9)},    {"Clock_FF", Integer(0)},
                       {"Seconds", Integer(0)},      {"Arrows_Width", Integer(2)}, {"Dig_On_Off", Integer(0)},
                       {"Left", Integer(-5)},        {"Top", Integer(6)}};
    StoredValue size;
    size.kind = c.kind;
    size.integer = c.integer;
    size.text = c.text;
    backend->values["Size"] = size;
    SettingsStore store(std::move(backend));
    ClockSettings settings;
    EXPECT_EQ(LoadError(store, settings), c.error) << c.what;
    EXPECT_EQ(settings.sizeStep, c.sizeStep) << c.what;
  }
}

TEST(SettingsStore, BackendFailuresAreTheStoresOwnMessages)
{
  auto unreadable = std::make_unique<FakeBackend>();
  unreadable->readable = false;
  SettingsStore cannotRead(std::move(unreadable));
  ClockSettings settings;
  EXPECT_EQ(LoadError(cannotRead, settings), "Failed to get data for 'Size'");

  auto full = std::make_unique<FakeBackend>();
  full->exists = false;
  full->refuseAt = 0;
  SettingsStore cannotWrite(std::move(full));
  EXPECT_EQ(LoadError(cannotWrite, settings), "");  // the first start runs on its defaults
  EXPECT_TRUE(cannotWrite.firstStart());
}

// A store that refuses a value midway (the registry writes value by value) names that value; the
// values before it are stored, those after it are not tried.
TEST(SettingsStore, ARefusedWriteNamesTheValueRefused)
{
  ClockSettings settings = FirstStartSettings({0, 0, 1920, 1080});
  const struct {
    const char* what;
    bool position;
    std::size_t refuseAt;
    const char* error;
    std::vector<std::string> stored;
  } cases[] = {
      {"all nine, refused at once", false, 0, "Failed to set data for 'Size'", {}},
      {"all nine, refused at the fourth", false, 3, "Failed to set data for 'Clock_FF'",
       {"Size=32", "Algoritm=14", "Clock_F=11"}},
      {"the position, refused at once", true, 0, "Failed to set data for 'Left'", {}},
      {"the position, refused at the top", true, 1, "Failed to set data for 'Top'", {"Left=876"}},
      {"the position, all stored", true, SIZE_MAX, "", {"Left=876", "Top=456"}},
  };
  for (const auto& c : cases) {
    auto fake = std::make_unique<FakeBackend>();
    fake->refuseAt = c.refuseAt;
    FakeBackend& backend = *fake;
    SettingsStore store(std::move(fake));
    std::string error;
    try {
      if (c.position)
        store.SavePosition(settings);
      else
        store.SaveSettings(settings);
    } catch (const TickoraError& e) {
      error = e.what();
    }
    EXPECT_EQ(error, c.error) << c.what;
    EXPECT_EQ(backend.written, c.stored) << c.what;
  }
}

// A choice beside the nine values: what cannot be read as a number is the default, so a store from
// before the choice still starts the clock as it was.
TEST(SettingsStore, ChoicesFallBackToTheirDefault)
{
  const struct {
    std::optional<StoredValue> stored;
    bool fallback, loaded;
  } cases[] = {{std::nullopt, true, true}, {Integer(1), false, true}, {Integer(0), true, false},
               {StoredValue{StoredValue::Kind::Text, 0, "yes"}, false, false}};
  for (const auto& c : cases) {
    auto fake = std::make_unique<FakeBackend>();
    if (c.stored)
      fake->values[kLockInPlace] = *c.stored;
    EXPECT_EQ(SettingsStore(std::move(fake)).LoadChoice(kLockInPlace, c.fallback), c.loaded);
  }
  auto refusing = std::make_unique<FakeBackend>();
  refusing->refuseAt = 0;
  EXPECT_THROW(SettingsStore(std::move(refusing)).SaveChoice(kLockInPlace, true), TickoraError);
}

// Clocks beyond the first each have a section; reading them leaves the file as it is, a damaged one is
// lost alone, and writing one clock touches no other.
TEST(SettingsStore, EveryOtherClockHasASectionOfItsOwn)
{
  StoreDir dir;
  const QByteArray nine = "Size=20\nAlgoritm=3\nClock_F=9\nClock_FF=10\nSeconds=1\nArrows_Width=4\nDig_On_Off=1\n";
  const QByteArray text = StoredText("5") + "\n[Clock2]\n" + nine + "Left=2000\nTop=100\nZone=Asia/Kathmandu\n" +
                          "Label=Office = Kathmandu\n\n[Clock3]\nSize=big\n\n[Clock5]\n" + nine +
                          "Left=-300\nTop=40\nZone=../../etc/Mars\n\n[Clock05]\n" + nine + "\n[Other]\nx=1\n";
  WriteFile(dir.path(), text);
  SettingsStore store = IniSettingsStore(dir.path());

  ClockSettings first;
  EXPECT_EQ(LoadError(store, first), "");
  EXPECT_EQ(first, (ClockSettings{5, 7, 3, 50, 0, 9, 0, -40, 456}));
  EXPECT_EQ(store.LoadZone(), ClockZone{});
  EXPECT_EQ(store.StoredClockNumbers(), (std::vector<int>{2, 3, 5}));

  ClockSettings settings;
  ClockZone zone;
  store.LoadClock(2, settings, zone);
  EXPECT_EQ(settings, (ClockSettings{20, 3, 9, 10, 1, 4, 1, 2000, 100}));
  EXPECT_EQ(zone, (ClockZone{"Asia/Kathmandu", "Office = Kathmandu"}));
  EXPECT_THROW(store.LoadClock(3, settings, zone), TickoraError);
  // A zone's name is kept as stored, whatever it holds.
  store.LoadClock(5, settings, zone);
  EXPECT_EQ(zone.zone, "../../etc/Mars");
  EXPECT_EQ(ReadFile(dir.path()), text);

  settings.left = 77;
  store.SavePosition(settings, 5);
  store.SaveZone({"Europe/Berlin", "Zürich\tbüro"}, 5);
  store.RemoveClock(2);
  EXPECT_EQ(store.StoredClockNumbers(), (std::vector<int>{3, 5}));
  EXPECT_EQ(store.LoadZone(5), (ClockZone{"Europe/Berlin", "Zürich büro"}));
  EXPECT_EQ(LoadError(store, first), "");
  EXPECT_EQ(first, (ClockSettings{5, 7, 3, 50, 0, 9, 0, -40, 456}));
  const QByteArray after = ReadFile(dir.path());
  EXPECT_TRUE(after.startsWith(StoredText("5"))) << after.toStdString();
  EXPECT_TRUE(after.contains("\n[Clock3]\nSize=big\n"));
  EXPECT_TRUE(after.contains("Left=77\nTop=40\nZone=Europe/Berlin\n"));
  EXPECT_FALSE(after.contains("[Clock2]"));
}
