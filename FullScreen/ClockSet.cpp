#include "FullScreen/ClockSet.h"

#include <algorithm>
#include <utility>

#include "Clocks/ClockData.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"

ClockSet::ClockSet(SettingsStore& store, TickSchedule& schedule, const TimeZones* zones, WindowFactory factory,
                   Later later, UserMessages messages)
    : store_(store), schedule_(schedule), zones_(zones), factory_(std::move(factory)), later_(std::move(later)),
      messages_(std::move(messages))
{
}

ClockSet::~ClockSet()
{
  // Windows go before their data.
  for (Clock& clock : closing_)
    clock.host.reset();
  for (Clock& clock : clocks_)
    clock.host.reset();
}

TForm1& ClockSet::Open(std::unique_ptr<ClockData> data)
{
  ClockData& held = *data;
  clocks_.push_back({std::move(data), nullptr});
  clocks_.back().host = factory_(held, *this);
  TForm1& form = clocks_.back().host->form();
  form.SetMonitorGoneHandler(
      [this](const std::vector<PixelRect>& screens, PixelRect primary) { BringBack(screens, primary); });
  return form;
}

void ClockSet::BringBack(const std::vector<PixelRect>& screens, PixelRect primary)
{
  // Decided from the places asked for, not from the window system's reports, which come later.
  std::vector<TForm1*> stranded;
  std::vector<PixelRect> taken;
  for (TForm1* clock : clocks()) {
    if (clock->Stranded(screens))
      stranded.push_back(clock);
    else
      taken.push_back(clock->DesktopRect());
  }
  for (TForm1* clock : stranded) {
    const PixelRect wanted = clock->WantedAfterUnplug(primary, screens);
    const PixelPoint target = FreePlace(wanted.topLeft(), wanted.size(), primary, taken);
    taken.push_back({target.x, target.y, wanted.width, wanted.height});
    clock->ComeBackAt(target, primary, screens.size());
  }
}

void ClockSet::Start()
{
  Open(std::make_unique<ClockData>());
  std::string unread;
  for (const int number : store_.StoredClockNumbers()) {
    auto data = std::make_unique<ClockData>();
    data->number = number;
    try {
      store_.LoadClock(number, data->settings, data->zone);
    } catch (const TickoraError& e) {
      // That clock only is lost; its section stays as it is for the user to mend.
      unread += (unread.empty() ? "" : "\n") + ErrorBoxText(e.what());
      continue;
    }
    Open(std::move(data));
  }
  // Told once the first frames are up, as the first clock tells its own.
  if (!unread.empty())
    first().ShowLater(true, unread);
}

int ClockSet::NextNumber()
{
  // The sections that could not be read keep their numbers too.
  std::vector<int> used = store_.StoredClockNumbers();
  for (const Clock& clock : clocks_)
    used.push_back(clock.data->number);
  std::sort(used.begin(), used.end());
  int number = kFirstClock + 1;
  for (const int taken : used) {
    if (taken == number)
      ++number;
    else if (taken > number)
      break;
  }
  if (number > kMaxClockNumber)
    throw TickoraError(FormatMessage("No clock can be added: all %d clocks are in use", kMaxClockNumber));
  return number;
}

TForm1* ClockSet::Add(const TForm1& from)
{
  const ClockData* source = DataOf(from);
  if (!source)
    return nullptr;
  const int number = NextNumber();
  auto data = std::make_unique<ClockData>();
  data->number = number;
  data->settings = source->settings;
  // Beside the clock it copies, on its monitor, clear of every clock.
  const PixelRect fromRect = from.DesktopRect();
  std::vector<PixelRect> taken = PlacesOfOthers(from);
  taken.push_back(fromRect);
  const PixelPoint place = FreePlace({ClampToInt(fromRect.right() + kScreenMargin), fromRect.y}, fromRect.size(),
                                     from.HomeScreen(), taken);
  data->settings.left = place.x;
  data->settings.top = place.y;
  try {
    store_.SaveSettings(data->settings, number);
    store_.SaveZone(data->zone, number);
  } catch (const TickoraError& e) {
    if (messages_.error)
      messages_.error(ErrorBoxText(e.what()));
  }
  ClockData& held = *data;
  TForm1& clock = Open(std::move(data));
  if (added_)
    added_(held, clock);
  return &clock;
}

void ClockSet::Remove(const TForm1& clock)
{
  const auto found = std::find_if(clocks_.begin(), clocks_.end(), [&](const Clock& c) { return &c.host->form() == &clock; });
  if (found == clocks_.end() || found->data->number == kFirstClock)
    return;
  store_.RemoveClock(found->data->number);
  found->host->form().Close();
  closing_.push_back(std::move(*found));
  clocks_.erase(found);
  // Its window may be in the middle of one of its own handlers.
  later_([this] {
    for (Clock& closed : closing_)
      closed.host.reset();
    closing_.clear();
  });
}

std::vector<TForm1*> ClockSet::clocks()
{
  std::vector<TForm1*> forms;
  for (Clock& clock : clocks_)
    forms.push_back(&clock.host->form());
  return forms;
}

ClockData* ClockSet::DataOf(const TForm1& clock)
{
  return const_cast<ClockData*>(std::as_const(*this).DataOf(clock));
}

const ClockData* ClockSet::DataOf(const TForm1& clock) const
{
  for (const Clock& c : clocks_) {
    if (&c.host->form() == &clock)
      return c.data.get();
  }
  return nullptr;
}

std::vector<PixelRect> ClockSet::PlacesOfOthers(const TForm1& clock) const
{
  std::vector<PixelRect> places;
  for (const Clock& c : clocks_) {
    const TForm1& other = c.host->form();
    if (&other != &clock)
      places.push_back(other.DesktopRect());
  }
  return places;
}
