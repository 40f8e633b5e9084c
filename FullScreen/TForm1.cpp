#include "FullScreen/TForm1.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/ClockCompany.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"

TForm1::TForm1(ClockData& data, SettingsStore& store, ClockWindowShell& shell, UserMessages messages,
               ClockCompany* company)
    : data_(data), store_(store), shell_(shell), messages_(std::move(messages)),
      later_{[this](const std::string& text) { ShowLater(true, text); },
             [this](const std::string& text) { ShowLater(false, text); }},
      company_(company)
{
}

int TForm1::number() const
{
  return data_.number;
}

void TForm1::FormCreate()
{
  // The timer runs with the window; its first tick comes once the event loop runs.
  shell_.SetTimerInterval(interval_);
  // An error ends the creation handler; the window is still shown, and then the box.
  RunHandler(later_, [this] {
    // A store that cannot be read is reported; the clock starts on what could be read and the defaults.
    // The first place is centred on the primary monitor at its own density.
    const PixelRect primary = shell_.PrimaryScreen();
    const long double primaryScale = shell_.PlacesInDevicePixels() ? shell_.ScaleAt(CentreOf(primary)) : 1.0L;
    if (data_.number == kFirstClock) {
      try {
        store_.LoadSettings(data_.settings, primary, primaryScale);
      } catch (const TickoraError& e) {
        ShowLater(true, ErrorBoxText(e.what()));
      }
      data_.zone = store_.LoadZone();
    }
    // A locked clock takes no click from its first frame on.
    locked_ = store_.LoadChoice(kLockInPlace, false);
    shell_.SetClickThrough(locked_);
    hideOverFullScreen_ = store_.LoadChoice(kHideOverFullScreen, true);
    const std::int32_t clientSize = CreateClockResources(data_);
    SetClientSize(clientSize, clientSize);
    const std::vector<PixelRect> screens = shell_.Screens();
    screenCount_ = screens.size();
    const PixelPoint stored{data_.settings.left, data_.settings.top};
    const PixelSize startSize = DesktopSizeAt(shell_.ScaleAt(stored));
    position_ = PlaceWithinReach(stored, startSize, primary, screens);
    home_ = HomeMonitor({position_.x, position_.y, startSize.width, startSize.height}, primary, screens);
    MoveWindow(position_, PlacedBy::Clock);
    data_.deviceScale = shell_.DeviceScale();
    BuildClockImages(data_);
    BuildNumeralSprites(data_);
    Draw();
    Pace(RestInterval());
  });
}

void TForm1::SetClientSize(int width, int height)
{
  size_ = {width, height};
  shell_.Resize(size_);
}

void TForm1::Draw()
{
  // No hole while the pointer is elsewhere: it is not looked for.
  const PixelPoint nowhere{ClampToInt(std::int64_t{position_.x} - 1), ClampToInt(std::int64_t{position_.y} - 1)};
  PixelPoint cursor = nowhere;
  if (pointerOver_) {
    cursor = shell_.CursorPos();
    // Gone from the window (it may have left by a transparent pixel, which tells nothing).
    if (!DesktopRect().contains(cursor)) {
      pointerOver_ = false;
      cursor = nowhere;
    }
  }
  DrawAt(cursor);
}

int TForm1::RestInterval() const
{
  if (pointerOver_)
    return kPointerInterval;
  return data_.settings.showSeconds != 0 ? kSecondInterval : kMinuteInterval;
}

void TForm1::Pace(int interval)
{
  if (std::exchange(interval_, interval) != interval)
    shell_.SetTimerInterval(interval);
}

void TForm1::Wake()
{
  if (std::exchange(wakePending_, true))
    return;
  shell_.Later([this] {
    wakePending_ = false;
    TimerTimer();
    // The next tick counts from the wall clock as it reads now, whatever it read before.
    if (!closed_)
      shell_.SetTimerInterval(interval_);
  });
}

void TForm1::PointerEntered()
{
  pointerOver_ = true;
  if (interval_ != kReturnInterval)
    Pace(kPointerInterval);
}

void TForm1::PointerLeft()
{
  // Looked for once: still on the window, it is followed as before; gone, the hole goes with it.
  Wake();
}

void TForm1::MoveWindow(PixelPoint position, PlacedBy by)
{
  dropped_ = false;
  requested_ = position;
  requestedBy_ = by;
  shell_.MoveTo(position);
}

void TForm1::DrawAt(PixelPoint cursor)
{
  // The pointer's hole is found in the frame's device pixels, from the window's corner.
  const long double scale = data_.deviceScale;
  const auto toDevice = [scale](std::int64_t logical) {
    return static_cast<int>(std::floor(static_cast<long double>(logical) * scale));
  };
  const bool devicePlaces = shell_.PlacesInDevicePixels();
  const auto offsetToDevice = [&](std::int64_t offset) {
    return devicePlaces ? static_cast<int>(std::clamp<std::int64_t>(offset, INT_MIN, INT_MAX)) : toDevice(offset);
  };
  const PixelRect window{0, 0, toDevice(size_.width), toDevice(size_.height)};
  const TimeOfDay time = ClockTime();
  const PixelRect changed = composer_.Present(data_, time, window,
                                              {offsetToDevice(std::int64_t{cursor.x} - position_.x),
                                               offsetToDevice(std::int64_t{cursor.y} - position_.y)});
  const DeviceImage& frame = composer_.frame();
  if (frame.isNull())
    return;
  // The window takes D logical pixels with the first frame of a size; the frame is D x scale.
  const std::int32_t d = DiameterOf(data_.settings.sizeStep);
  const bool resized = frame.size() != frameSize_ || size_ != PixelSize{d, d};
  // A frame identical to the one on screen costs nothing more.
  if (changed.isEmpty() && !resized)
    return;
  frameSize_ = frame.size();
  if (resized)
    SetClientSize(d, d);
  if (shell_.Present(frame, changed, resized, composer_.clicks(), composer_.clicksChanged()))
    ++presentedCount_;
}

TimeOfDay TForm1::ClockTime()
{
  const TimeZones* zones = company_ ? company_->zones() : nullptr;
  if (data_.zone.zone.empty() || !zones) {
    data_.dialLabel = data_.zone.label;
    data_.dialMark.clear();
    return shell_.LocalTime();
  }
  const ZoneTime now = zones->Now(data_.zone.zone);
  if (cityZone_ != data_.zone.zone) {
    cityZone_ = data_.zone.zone;
    cityName_ = zones->CityOf(cityZone_);
  }
  DialLabel label = LabelFor(data_.zone.zone, data_.zone.label, cityName_, now);
  data_.dialLabel = std::move(label.name);
  data_.dialMark = std::move(label.mark);
  return now.time;
}

void TForm1::TimerTimer()
{
  // A box opened here would run its own event loop inside the timer's callback.
  RunHandler(later_, [this] { Tick(); });
}

PixelSize TForm1::DesktopSizeAt(long double scale) const
{
  if (!shell_.PlacesInDevicePixels())
    return size_;
  return {DeviceDiameterOf(size_.width, scale), DeviceDiameterOf(size_.height, scale)};
}

std::optional<PixelPoint> TForm1::Rescale(long double scale)
{
  const PixelSize before = DesktopSizeAt(data_.deviceScale);
  data_.deviceScale = scale;
  BuildClockImages(data_);
  const PixelSize after = DesktopSizeAt(scale);
  // A dragged clock is placed by whoever drags it (Windows keeps it under the pointer).
  if (dragging_ || after == before)
    return std::nullopt;
  // The clock belongs to the monitor that holds its centre. It keeps its corner while its centre
  // stays on that monitor at the new size; else it keeps its centre, so that it cannot swing between
  // two sizes where two densities meet.
  if (shell_.ScaleAt(CentreOf(PixelRect{position_.x, position_.y, after.width, after.height})) == scale)
    return std::nullopt;
  const PixelPoint centre = CentreOf(PixelRect{position_.x, position_.y, before.width, before.height});
  const PixelPoint target{ClampToInt(std::int64_t{centre.x} - after.width / 2),
                          ClampToInt(std::int64_t{centre.y} - after.height / 2)};
  MoveWindow(target, placedBy_);
  return target;
}

void TForm1::Tick()
{
  // A hidden clock shows nothing and goes nowhere: it sleeps, and is drawn again when shown.
  if (hidden_) {
    if (!closed_)
      Pace(kMinuteInterval);
    return;
  }
  // The reports of the drop have come: what moves the window from now on is not the user's drag.
  if (dropped_ && droppedReported_)
    dropped_ = false;
  // On a monitor of another density (moved there, or its scale changed): drawn anew for it.
  std::optional<PixelPoint> rescaledTo;
  if (const long double scale = shell_.DeviceScale(); scale != data_.deviceScale)
    rescaledTo = Rescale(scale);
  Draw();
  // The walk goes on from where the window system reports the clock.
  if (rescaledTo && *rescaledTo != position_)
    return;
  const std::vector<PixelRect> screens = shell_.Screens();
  const PixelRect primary = shell_.PrimaryScreen();
  if (RehomeAfterUnplug(screens, primary))
    return;
  // Each clock stays on the monitor it is on (home_, as the look for an unplugged one found it).
  const TickDecision tick = DecideTick({position_, DesktopSize(), home_, {data_.settings.left, data_.settings.top}});
  Pace(tick.returning ? kReturnInterval : RestInterval());
  pendingSave_.reset();
  const bool mayStore = tick.save && placedBy_ != PlacedBy::WindowSystem;
  if (tick.position == position_) {
    if (mayStore)
      SaveNewPosition(tick.position);
    return;
  }
  // A window system may refuse or alter the move: the place is stored once the window is reported
  // there, which may be before MoveTo returns.
  if (mayStore)
    pendingSave_ = tick.position;
  MoveWindow(tick.position, placedBy_);
}

bool TForm1::Stranded(const std::vector<PixelRect>& screens) const
{
  return screens.size() < screenCount_ && !dragging_ && std::find(screens.begin(), screens.end(), home_) == screens.end();
}

PixelRect TForm1::WantedAfterUnplug(PixelRect primary, const std::vector<PixelRect>& screens) const
{
  const PixelSize size = DesktopSize();
  const PixelPoint at = PlaceWithinReach(position_, size, primary, screens);
  return {at.x, at.y, size.width, size.height};
}

void TForm1::ComeBackAt(PixelPoint target, PixelRect primary, std::size_t screenCount)
{
  screenCount_ = screenCount;
  home_ = primary;
  if (closed_)
    return;
  Pace(RestInterval());
  if (target == position_)
    return;
  pendingSave_ = target;
  cameBack_ = true;
  MoveWindow(target, PlacedBy::Clock);
}

bool TForm1::RehomeAfterUnplug(const std::vector<PixelRect>& screens, PixelRect primary)
{
  // Only the clocks of the monitor that went move; wherever the window system put them meanwhile,
  // they come onto the primary, all of them decided at once so that none lands on another.
  // Brought back by another clock's tick: this one's walk waits for the window system's report.
  if (std::exchange(cameBack_, false))
    return true;
  if (Stranded(screens)) {
    if (monitorGoneHandler_)
      monitorGoneHandler_(screens, primary);
    else
      ComeBackAt(FreePlace(WantedAfterUnplug(primary, screens).topLeft(), DesktopSize(), primary, {}), primary,
                 screens.size());
    if (std::exchange(cameBack_, false))
      return true;
  }
  screenCount_ = screens.size();
  home_ = HomeMonitor(DesktopRect(), primary, screens);
  return false;
}

void TForm1::WindowMoved(PixelPoint position)
{
  const bool moved = position != position_;
  // While the clock walks back it moves the window itself, and a window system may report the steps
  // in its own way where two densities meet: they stay the walk's. The last of a drag's moves may be
  // reported after the button is up.
  if (dragging_ || dropped_) {
    placedBy_ = PlacedBy::User;
    droppedReported_ = dropped_;
  } else if (requested_ && *requested_ == position)
    placedBy_ = requestedBy_;
  else if (moved && interval_ != kReturnInterval)
    placedBy_ = PlacedBy::WindowSystem;
  position_ = position;
  // A new place is looked at within half a second: it may need the walk back, or storing.
  if (moved && interval_ > kPointerInterval)
    Pace(kPointerInterval);
  // Moved onto another monitor: that one's active window is what counts now.
  if (fullScreen_)
    FollowFullScreen();
  if (pendingSave_ && *pendingSave_ == position)
    RunHandler(later_, [this] { SaveNewPosition(*std::exchange(pendingSave_, std::nullopt)); });
}

void TForm1::SaveNewPosition(PixelPoint position)
{
  // A removed clock's section stays deleted.
  if (closed_)
    return;
  // The record takes the place first, so a place that cannot be stored is not tried again.
  data_.settings.left = position.x;
  data_.settings.top = position.y;
  try {
    store_.SavePosition(data_.settings, data_.number);
    // A failure earlier in the same drag is over: nothing to tell at the drop.
    positionErrorShown_ = false;
    pendingPositionError_.clear();
  } catch (const TickoraError& e) {
    // Told once until a save succeeds: the clock saves at every new place it rests at.
    if (std::exchange(positionErrorShown_, true))
      return;
    // Saved from a tick or a move report: the box comes after it.
    if (dragging_)
      pendingPositionError_ = ErrorBoxText(e.what());
    else
      ShowLater(true, ErrorBoxText(e.what()));
  }
}

void TForm1::DragStarted()
{
  dragging_ = true;
}

void TForm1::DragEnded()
{
  if (!std::exchange(dragging_, false))
    return;
  dropped_ = true;
  droppedReported_ = false;
  if (!pendingPositionError_.empty())
    ShowLater(true, std::exchange(pendingPositionError_, {}));
}

void TForm1::SetLocked(bool locked)
{
  locked_ = locked;
  shell_.SetClickThrough(locked);
  Wake();
  store_.SaveChoice(kLockInPlace, locked);
}

void TForm1::SetHideOverFullScreen(bool on)
{
  hideOverFullScreen_ = on;
  FollowFullScreen();
  store_.SaveChoice(kHideOverFullScreen, on);
}

void TForm1::ActiveWindowChanged(std::optional<PixelRect> fullScreen)
{
  fullScreen_ = fullScreen;
  FollowFullScreen();
}

void TForm1::FollowFullScreen()
{
  // The clock's monitor is the one that holds its centre; a full-screen window on another one leaves
  // it alone.
  const PixelPoint centre = CentreOf(DesktopRect());
  PixelRect monitor = shell_.PrimaryScreen();
  for (const PixelRect& screen : shell_.Screens()) {
    if (screen.contains(centre))
      monitor = screen;
  }
  if (closed_)
    return;
  const bool hide = hideOverFullScreen_ && fullScreen_ && fullScreen_->intersected(monitor) == monitor;
  if (hide == std::exchange(hidden_, hide))
    return;
  if (hide) {
    shownAt_ = position_;
    shownBy_ = placedBy_;
  }
  shell_.SetHidden(hide);
  if (hide)
    return;
  // A window manager may place a window anew when it is shown: the clock comes back where it was,
  // showing the time now.
  MoveWindow(shownAt_, shownBy_);
  Wake();
}

void TForm1::RightButtonUp(PixelPoint at)
{
  // A click that reached a locked clock on its way through is not the clock's.
  if (contextMenuHandler_ && !locked_)
    RunHandler(messages_, [this, at] { contextMenuHandler_(at); });
}

void TForm1::DoubleClick()
{
  if (doubleClickHandler_ && !locked_)
    RunHandler(messages_, [this] { doubleClickHandler_(); });
}

void TForm1::NoticeLater(const std::string& text)
{
  ShowLater(false, text);
}

void TForm1::Close()
{
  closed_ = true;
  pendingSave_.reset();
  hidden_ = true;
  shell_.SetHidden(true);
}

PixelRect TForm1::HomeScreen() const
{
  return HomeMonitor(DesktopRect(), shell_.PrimaryScreen(), shell_.Screens());
}

void TForm1::ShowLater(bool error, const std::string& text)
{
  shell_.Later([this, error, text] {
    const auto& show = error ? messages_.error : messages_.notice;
    if (show)
      show(text);
  });
}
