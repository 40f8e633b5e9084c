#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/Utf16.h"
#include "tests/win32/Win32TestSupport.h"

namespace {
constexpr PixelRect kScreen{0, 0, 1920, 1080};
constexpr const char* kNames[] = {"Size", "Algoritm", "Clock_F", "Clock_FF", "Seconds",
                                  "Arrows_Width", "Dig_On_Off", "Left", "Top"};

SettingsStore StoreOn(const ScratchKey& key)
{
  return SettingsStore(std::make_unique<RegistrySettingsBackend>(key.path()));
}

void StoreAll(const ScratchKey& key, const ClockSettings& s)
{
  const std::int32_t values[] = {s.sizeStep,  s.skin,         s.dialStyle, s.transparency, s.showSeconds,
                                 s.handWidth, s.showNumerals, s.left,      s.top};
  for (std::size_t i = 0; i < std::size(kNames); ++i)
    key.SetDword(kNames[i], values[i]);
}

std::string LoadError(SettingsStore& store, ClockSettings& settings)
{
  try {
    store.LoadSettings(settings, kScreen);
  } catch (const TickoraError& e) {
    return e.what();
  }
  return {};
}

const ClockSettings kStored{20, 3, 9, 10, 0, 5, 0, -300, -20};
}  // namespace

TEST(RegistrySettings, FirstStartStoresTheCentredDefaultsAndTheNextStartFindsThem)
{
  ScratchKey key;
  ClockSettings loaded;
  SettingsStore first = StoreOn(key);
  first.LoadSettings(loaded, kScreen);
  EXPECT_TRUE(first.firstStart());
  EXPECT_EQ(loaded, (ClockSettings{32, 14, 11, 50, 1, 3, 1, 876, 456}));
  for (const char* name : kNames) {
    const ScratchKey::Value value = key.Get(name);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD)) << name;
    EXPECT_EQ(value.size, 4u) << name;
  }

  ClockSettings again;
  SettingsStore second = StoreOn(key);
  second.LoadSettings(again, kScreen);
  EXPECT_FALSE(second.firstStart());
  EXPECT_EQ(again, loaded);
}

TEST(RegistrySettings, SavedValuesComeBackSignedAndWhole)
{
  ScratchKey key;
  SettingsStore store = StoreOn(key);
  store.SaveSettings(kStored);
  EXPECT_EQ(key.Get("Left").number, -300);
  EXPECT_EQ(key.Get("Top").number, -20);

  ClockSettings loaded;
  SettingsStore next = StoreOn(key);
  next.LoadSettings(loaded, kScreen);
  EXPECT_FALSE(next.firstStart());
  EXPECT_EQ(loaded, kStored);
}

TEST(RegistrySettings, UnreadableValuesGiveTheStoresMessages)
{
  const std::int16_t shortNumber = 40;
  const std::int64_t longNumber = 40;
  const BYTE binary[4] = {40, 0, 0, 0};
  const struct {
    const char* what;
    std::function<void(const ScratchKey&)> spoil;  // applied over all nine stored values
    const char* message;
    std::optional<std::int32_t> loadedSize;
  } cases[] = {
      {"missing Clock_FF", [](const ScratchKey& k) { RegDeleteKeyValueA(HKEY_CURRENT_USER, k.path().c_str(), "Clock_FF"); },
       "Failed to get data for 'Clock_FF'", 20},
      {"two-digit string", [](const ScratchKey& k) { k.Set("Size", REG_SZ, "32", 3); }, "Invalid data type for 'Size'",
       std::nullopt},
      {"four-digit string", [](const ScratchKey& k) { k.Set("Size", REG_SZ, "1234", 5); },
       "Failed to get data for 'Size'", std::nullopt},
      {"four binary bytes", [&](const ScratchKey& k) { k.Set("Size", REG_BINARY, binary, sizeof binary); },
       "Invalid data type for 'Size'", std::nullopt},
      {"two-byte number", [&](const ScratchKey& k) { k.Set("Size", REG_DWORD, &shortNumber, sizeof shortNumber); },
       "Invalid data type for 'Size'", std::nullopt},
      {"eight-byte number", [&](const ScratchKey& k) { k.Set("Size", REG_QWORD, &longNumber, sizeof longNumber); },
       "Failed to get data for 'Size'", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchKey key;
    StoreAll(key, kStored);
    c.spoil(key);
    ClockSettings loaded;
    SettingsStore store = StoreOn(key);
    EXPECT_EQ(LoadError(store, loaded), c.message);
    EXPECT_FALSE(store.firstStart());
    // Values read before the failing one are kept, the rest keep their first-start defaults.
    EXPECT_EQ(loaded.sizeStep, c.loadedSize.value_or(ClockSettings{}.sizeStep));
    EXPECT_EQ(loaded.handWidth, ClockSettings{}.handWidth);
  }
}

TEST(RegistrySettings, KeyMadeAgainByAPositionSaveLacksTheOtherValues)
{
  ScratchKey key;
  SettingsStore store = StoreOn(key);
  store.SavePosition(kStored);
  EXPECT_EQ(key.Get("Left").number, -300);
  EXPECT_EQ(key.Get("Size").type, static_cast<DWORD>(REG_NONE));
  ClockSettings loaded;
  SettingsStore next = StoreOn(key);
  EXPECT_EQ(LoadError(next, loaded), "Failed to get data for 'Size'");
}

TEST(RegistrySettings, AStoreThatCannotBeWrittenSaysSoAndAFirstStartGoesOn)
{
  // A root that is no key: nothing can be opened or made under it.
  const auto noKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7FFF1234));
  const struct {
    const char* what;
    std::function<void(SettingsStore&)> act;
    const char* message;
  } cases[] = {
      {"save", [](SettingsStore& s) { s.SaveSettings(kStored); }, "Failed to set data for 'Size'"},
      {"position", [](SettingsStore& s) { s.SavePosition(kStored); }, "Failed to set data for 'Left'"},
      {"first start", [](SettingsStore& s) { ClockSettings loaded; s.LoadSettings(loaded, kScreen); }, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsStore store(std::make_unique<RegistrySettingsBackend>("Software\\Tickora", noKey));
    std::string message;
    try {
      c.act(store);
    } catch (const TickoraError& e) {
      message = e.what();
    }
    EXPECT_EQ(message, c.message);
  }
}

TEST(RegistrySettings, AKeyTheUserMayNotWriteKeepsItsSettings)
{
  // Access lists (SDDL) a policy may leave: everyone may read and nobody write; nobody may do anything.
  const struct { const char* access; const char* loadError; } cases[] = {
      {"D:P(A;;KR;;;WD)", ""}, {"D:P", "Failed to get data for 'Size'"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.access);
    ScratchKey key;
    StoreAll(key, kStored);
    key.SetAccess(c.access);
    ClockSettings loaded;
    SettingsStore store = StoreOn(key);
    EXPECT_EQ(LoadError(store, loaded), c.loadError);
    EXPECT_FALSE(store.firstStart());
    EXPECT_EQ(loaded == kStored, !*c.loadError);
    EXPECT_THROW(store.SaveSettings(ClockSettings{}), TickoraError);
    key.SetAccess("D:P(A;;KA;;;WD)");  // as its owner may
    EXPECT_EQ(key.Get("Size").number, kStored.sizeStep);
  }
}

TEST(RegistrySettings, EachFurtherClockIsASubkeyAndADamagedOneIsLeftAsItIs)
{
  ScratchKey key;
  StoreAll(key, kStored);
  const struct {
    int number;
    ClockZone zone;
  } clocks[] = {{2, {"Nepal Standard Time", "Z\xC3\xBCrich"}}, {5, {"Tokyo Standard Time", ""}}};
  SettingsStore store = StoreOn(key);
  for (const auto& c : clocks) {
    store.SaveSettings(kStored, c.number);
    store.SaveZone(c.zone, c.number);
  }
  // A hand edit left a text where a number belongs.
  store.SaveSettings(kStored, 3);
  HKEY clock3 = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key.path() + "\\Clock3").c_str(), 0, KEY_SET_VALUE, &clock3), ERROR_SUCCESS);
  RegSetValueExA(clock3, "Size", 0, REG_SZ, reinterpret_cast<const BYTE*>("32"), 3);
  RegCloseKey(clock3);

  SettingsStore next = StoreOn(key);
  EXPECT_EQ(next.StoredClockNumbers(), (std::vector<int>{2, 3, 5}));
  ClockSettings settings;
  ClockZone zone;
  try {
    next.LoadClock(3, settings, zone);
    ADD_FAILURE() << "clock 3 loaded";
  } catch (const TickoraError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Clock3/Size'");
  }
  for (const auto& c : clocks) {
    SCOPED_TRACE(c.number);
    next.LoadClock(c.number, settings, zone);
    EXPECT_EQ(settings, kStored);
    EXPECT_EQ(zone, c.zone);
  }
  // The label is a REG_SZ the system reads in UTF-16.
  wchar_t label[16] = {};
  DWORD size = sizeof label;
  RegGetValueW(HKEY_CURRENT_USER, Utf16(key.path() + "\\Clock2").c_str(), L"Label", RRF_RT_REG_SZ, nullptr, label, &size);
  EXPECT_STREQ(label, L"Z\u00fcrich");

  next.RemoveClock(3);
  next.RemoveClock(4);  // never stored: gone all the same
  EXPECT_EQ(next.StoredClockNumbers(), (std::vector<int>{2, 5}));
  EXPECT_EQ(key.Get("Size").number, kStored.sizeStep);
}
