#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FullScreen/ClockSet.h"
#include "FullScreen/ClockTick.h"
#include "Settings/SettingsControls.h"
#include "tests/FullScreen/FakeClockShell.h"
#include "tests/Settings/SettingsTestSupport.h"

namespace {

constexpr PixelRect kPrimary{0, 0, 1920, 1080};
constexpr PixelRect kSecondary{1920, 0, 1920, 1080};

// The fake window system, its clock's ticks on the set's one timer.
struct ScheduledShell : FakeClockShell {
  ScheduledTicks* ticks = nullptr;
  void SetTimerInterval(int milliseconds) override { ticks->SetInterval(milliseconds); }
};

// A clock of the set.
class FakeClockHost : public ClockHost {
public:
  FakeClockHost(ClockData& data, SettingsStore& store, ClockCompany& company, int& ticks,
                const std::vector<PixelRect>& screens, UserMessages messages)
      : ticks_(company.schedule(), [this, &ticks] { ++ticks, form_.TimerTimer(); }, kSecondInterval),
        form_(data, store, shell, std::move(messages), &company)
  {
    shell.ticks = &ticks_;
    shell.form = &form_;
    shell.screens = screens;
    shell.primary = kPrimary;
    form_.FormCreate();
  }
  TForm1& form() override { return form_; }
  ScheduledShell shell;

private:
  ScheduledTicks ticks_;
  TForm1 form_;
};

class FixedZones : public TimeZones {
public:
  ZoneTime Now(const std::string& zone) const override
  {
    if (zone == "Asia/Tokyo")
      return {{2, 8, 30}, 1, true};
    return {{1, 8, 30}, 0, false};
  }
  std::string CityOf(const std::string& zone) const override { return zone == "Asia/Tokyo" ? "Tokyo" : ""; }
};

// Several clocks over one in-memory store and one timer whose wall clock the test turns.
struct SetRig : FakeTimer {
  FakeBackend* backend = nullptr;
  std::unique_ptr<SettingsStore> store;
  FixedZones zones;
  std::vector<FakeClockHost*> hosts;
  std::map<int, int> ticks;  // by clock number
  std::deque<std::function<void()>> later;
  std::vector<std::string> told;
  std::vector<PixelRect> screens{kPrimary};
  std::unique_ptr<ClockSet> set;

  SetRig()
  {
    auto fake = std::make_unique<FakeBackend>();
    backend = fake.get();
    store = std::make_unique<SettingsStore>(std::move(fake));
    ClockSettings first;
    first.left = 100;
    first.top = 100;
    store->SaveSettings(first);
  }
  void StoreClock(int number, PixelPoint at, const std::string& zone = {})
  {
    ClockSettings settings;
    settings.left = at.x;
    settings.top = at.y;
    store->SaveSettings(settings, number);
    store->SaveZone({zone, {}}, number);
  }
  ClockSet& Start()
  {
    UserMessages messages;
    messages.error = [this](const std::string& text) { told.push_back(text); };
    set = std::make_unique<ClockSet>(
        *store, schedule, &zones,
        [this, messages](ClockData& data, ClockCompany& company) -> std::unique_ptr<ClockHost> {
          auto host = std::make_unique<FakeClockHost>(data, *store, company, ticks[data.number], screens, messages);
          hosts.push_back(host.get());
          return host;
        },
        [this](std::function<void()> task) { later.push_back(std::move(task)); }, messages);
    set->Start();
    return *set;
  }
  FakeClockHost& Host(int number)
  {
    for (FakeClockHost* host : hosts) {
      if (set->DataOf(host->form()) && host->form().number() == number)
        return *host;
    }
    throw std::runtime_error("no clock " + std::to_string(number));
  }
  void SetScreens(std::vector<PixelRect> now)
  {
    screens = now;
    for (FakeClockHost* host : hosts)
      host->shell.screens = now;
  }
  PixelRect RectOf(int number)
  {
    const TForm1& form = Host(number).form();
    return {form.position().x, form.position().y, form.DesktopSize().width, form.DesktopSize().height};
  }
};

}  // namespace

// One timer for all: a clock walking back at 40 ms leaves the others at their own pace.
TEST(ClockSet, OneTimerEachClockAtItsOwnPace)
{
  SetRig rig;
  rig.StoreClock(2, {-120, 300});  // half off the left edge: it walks back
  rig.Start();
  for (auto& [number, count] : rig.ticks)
    count = 0;
  rig.Run(5010);
  EXPECT_EQ(rig.ticks[1], 5);
  EXPECT_GT(rig.ticks[2], 60);
  EXPECT_EQ(rig.Host(2).shell.position.x, kScreenMargin + 1);
  EXPECT_EQ(rig.Host(1).shell.position, (PixelPoint{100, 100}));
}

// Woken by the wall clock set forward, a clock without its second hand shows the new minute at once
// and then turns with it, not at the minute it waited for before.
TEST(ClockSet, AWakeCountsTheNextTicksFromTheWallClockAsItIsNow)
{
  SetRig rig;
  ClockSet& set = rig.Start();
  set.DataOf(set.first())->settings.showSeconds = 0;
  rig.Run(2'500);
  rig.wall += 25'000;
  set.first().Wake();  // the wall-clock watch
  rig.Host(1).shell.RunLater();
  rig.ticks[1] = 0;
  rig.Run(60'000 - rig.wall % 60'000 + kTickLag + 1);
  EXPECT_EQ(rig.ticks[1], 1);
}

// On two monitors each clock stays on its own; unplugged, the second monitor's clocks come onto the
// primary beside the first and apart from each other, though the window system reports their moves
// late, and are stored there.
TEST(ClockSet, ClocksStayOnTheirMonitorAndComeBackBesideTheOthers)
{
  SetRig rig;
  rig.screens = {kPrimary, kSecondary};
  rig.StoreClock(2, {3000, 300});
  rig.StoreClock(3, {3010, 310});
  // Clock 1 at the primary's right edge, where clock 2 would come.
  ClockSettings first;
  first.left = 1740;
  first.top = 320;
  rig.store->SaveSettings(first);
  rig.Start();
  rig.Run(3000);
  EXPECT_EQ(rig.Host(2).shell.position, (PixelPoint{3000, 300}));

  for (const int number : {2, 3})
    rig.Host(number).shell.reportMoves = false;
  rig.SetScreens({kPrimary});
  rig.Run(1000);
  for (const int number : {2, 3})
    rig.Host(number).shell.Report(rig.Host(number).shell.movedTo);
  rig.Run(2000);
  for (const int number : {2, 3}) {
    SCOPED_TRACE(number);
    const PixelRect rect = rig.RectOf(number);
    EXPECT_FALSE(rect.intersects(rig.RectOf(1)));
    EXPECT_FALSE(rect.intersects(rig.RectOf(5 - number)));
    EXPECT_FALSE(IsOutsideMargin(rect.topLeft(), rect.size(), kPrimary));
    const std::string section = "Clock" + std::to_string(number);
    EXPECT_EQ((PixelPoint{static_cast<int>(rig.backend->Read(section + "/Left").integer),
                          static_cast<int>(rig.backend->Read(section + "/Top").integer)}),
              rect.topLeft());
  }
  EXPECT_EQ(rig.RectOf(1).topLeft(), (PixelPoint{1740, 320}));
}

// A damaged section loses that clock alone; each clock shows its own zone's time and label.
TEST(ClockSet, EachClockItsZoneAndADamagedOneAlone)
{
  SetRig rig;
  rig.StoreClock(2, {400, 100}, "Asia/Tokyo");
  rig.backend->values["Clock3/Size"] = {StoredValue::Kind::Text, 0, "big"};
  rig.StoreClock(5, {700, 100}, "Mars/Olympus");
  ClockSet& set = rig.Start();
  ASSERT_EQ(set.count(), 3u);
  const struct { int number; std::string label, mark; } cases[] = {
      {1, "", ""}, {2, "Tokyo", "+1"}, {5, "Olympus", "UTC"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    TForm1& form = rig.Host(c.number).form();
    form.TimerTimer();
    EXPECT_EQ(set.DataOf(form)->dialLabel, c.label);
    EXPECT_EQ(set.DataOf(form)->dialMark, c.mark);
  }
  // Told once the event loop runs.
  EXPECT_EQ(rig.told, std::vector<std::string>{});
  rig.Host(1).shell.RunLater();
  ASSERT_EQ(rig.told.size(), 1u);
  EXPECT_NE(rig.told[0].find("'Clock3/Size'"), std::string::npos) << rig.told[0];
  EXPECT_EQ(rig.backend->Read("Clock3/Size").text, "big");
}

// "Add clock" from a clock's menu copies its look beside it and opens the window on it; "Remove this
// clock" asks first, is never offered for the first clock, and deletes the clock's section.
TEST(ClockSet, AddAndRemoveFromTheClocksMenu)
{
  SetRig rig;
  rig.StoreClock(999, {700, 700});
  ClockSet& set = rig.Start();
  std::vector<std::string> log;
  FakeSettingsShell shell(log);
  ClockData& firstData = *set.DataOf(set.first());
  firstData.settings.skin = 9;
  TForm2 form(firstData, *rig.store, set.first(), shell, shell, {});
  form.FormCreate(false);
  form.AttachClocks(set);

  set.first().RightButtonUp({150, 150});
  EXPECT_FALSE(shell.shownItems[MenuItem::RemoveClock]);
  form.MenuChosen(MenuItem::AddClock);
  ASSERT_EQ(set.count(), 3u);  // the lowest free number, below 999
  TForm1& added = *set.clocks().back();
  EXPECT_EQ(set.DataOf(added)->settings.skin, 9);
  EXPECT_FALSE(rig.RectOf(2).intersects(rig.RectOf(1)));
  EXPECT_EQ(rig.backend->Read("Clock2/Algoritm").integer, 9);
  EXPECT_EQ(&form.editedClock(), &added);
  EXPECT_EQ(shell.caption, "Tickora Settings: clock 2");
  EXPECT_TRUE(shell.visible);
  EXPECT_EQ(log.back(), "focus 0");

  // A change left unsaved is offered for saving when the window turns to another clock.
  shell.positions[1] = 4;
  form.TrackBar2Change();
  set.first().DoubleClick();
  EXPECT_EQ(CountOf(log, "ask Save the changes to clock 2?"), 1);
  EXPECT_EQ(rig.backend->Read("Clock2/Algoritm").integer, 4);
  EXPECT_EQ(&form.editedClock(), &set.first());
  // A place the clock asks for after its removal is not stored.
  FakeClockShell& addedShell = rig.Host(2).shell;
  addedShell.reportMoves = false;
  addedShell.Drop({4, 300});
  rig.Run(1000);
  ASSERT_EQ(addedShell.movedTo, (PixelPoint{6, 300}));

  // With several clocks each one's menu opens, tray or not.
  added.RightButtonUp({2, 2});
  EXPECT_TRUE(shell.shownItems[MenuItem::RemoveClock]);
  shell.confirms = false;
  form.MenuChosen(MenuItem::RemoveClock);
  EXPECT_EQ(set.count(), 3u);
  shell.confirms = true;
  form.MenuChosen(MenuItem::RemoveClock);
  EXPECT_EQ(log.back(), "ask Remove clock 2? Its settings are deleted.");
  EXPECT_EQ(set.count(), 2u);
  addedShell.Report({6, 300});
  EXPECT_EQ(rig.store->StoredClockNumbers(), std::vector<int>{999});
  EXPECT_EQ(&form.editedClock(), &set.first());
  for (auto& task : rig.later)
    task();
}

// Every number taken, even by sections that cannot be read: "Add clock" says so.
TEST(ClockSet, AddSaysWhenNoNumberIsLeft)
{
  SetRig rig;
  for (int number = 2; number <= kMaxClockNumber; ++number)
    rig.backend->values["Clock" + std::to_string(number) + "/Size"] = {StoredValue::Kind::Text, 0, "big"};
  ClockSet& set = rig.Start();
  try {
    set.Add(set.first());
    ADD_FAILURE() << "a clock was added";
  } catch (const TickoraError& e) {
    EXPECT_STREQ(e.what(), "No clock can be added: all 999 clocks are in use");
  }
  EXPECT_EQ(set.count(), 1u);
}
