#pragma once
#include <functional>
#include <optional>
#include <string>

#include "FullScreen/ClockTick.h"
#include "FullScreen/ClockWindowShell.h"
#include "FullScreen/FrameComposer.h"
#include "model/UserMessages.h"

class ClockCompany;
class SettingsStore;
struct ClockData;

// The clock window's behaviour on any window system: creation, the frame at every tick in the clock's
// time zone, the walk back inside its monitor, the timer's pace and the position saved once the clock
// rests at a new place. A shell turns its platform's events into these calls and carries out what
// `shell` is asked. One of several clocks shares `company` with the others; without it, the clock is
// alone and shows local time.
class TForm1 {
public:
  TForm1(ClockData& data, SettingsStore& store, ClockWindowShell& shell, UserMessages messages,
         ClockCompany* company = nullptr);
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // The creation handler: loads the settings (the first clock's; another clock's were loaded into its
  // data before), sizes and places the window, synthesises the clock and
  // presents the first frame. What goes wrong is shown once the event loop runs: no box holds up the
  // first frame.
  void FormCreate();
  // Composes the frame for the current time and the pointer where it is, and presents what changed.
  void Draw();
  // One tick of the timer.
  void TimerTimer();
  // Something the frame shows or the walk back reads has changed (a setting, the monitors, their
  // scale, the wall clock): a tick runs as soon as the event loop does, not at the next wake of a
  // sleeping clock, and the ticks after it are counted from then.
  void Wake();
  // The size slider sets the client width, then the height; the next frame sets them to D.
  void SetClientSize(int width, int height);

  // Reports from the window system.
  void WindowMoved(PixelPoint position);
  // The pointer came onto a pixel of the clock that takes clicks, or left one. While it is over the
  // clock the ticks come every half second and the frame has its hole; the clock looks for the pointer
  // only then, and stops once a tick finds it off the window.
  void PointerEntered();
  void PointerLeft();
  // The user drags the clock (whoever moves the window): a modal box would end the drag, so an
  // error waits for its end.
  void DragStarted();
  void DragEnded();
  // Clicks on the clock's drawn pixels, passed on to whoever listens (the settings window, while no
  // tray icon offers its menu).
  void RightButtonUp(PixelPoint at);
  void DoubleClick();
  void SetContextMenuHandler(std::function<void(PixelPoint at)> handler) { contextMenuHandler_ = std::move(handler); }
  void SetDoubleClickHandler(std::function<void()> handler) { doubleClickHandler_ = std::move(handler); }
  // Told when a tick finds the monitor the clock was on unplugged, with the monitors now: whoever
  // places the clocks together (ClockSet) brings every clock of that monitor back (ComeBackAt). A
  // clock without one comes back onto the primary by itself.
  using MonitorGoneHandler = std::function<void(const std::vector<PixelRect>& screens, PixelRect primary)>;
  void SetMonitorGoneHandler(MonitorGoneHandler handler) { monitorGoneHandler_ = std::move(handler); }
  // Whether the monitor the clock was on at its last tick is none of `screens` (and the user is not
  // dragging it): it is to come back.
  bool Stranded(const std::vector<PixelRect>& screens) const;
  // Where a stranded clock would like to come back to on `primary`, at its size (desktop pixels).
  PixelRect WantedAfterUnplug(PixelRect primary, const std::vector<PixelRect>& screens) const;
  // Moves a stranded clock onto `primary` at `target`, storing the place once the window is there.
  void ComeBackAt(PixelPoint target, PixelRect primary, std::size_t screenCount);

  // "Lock in place": while locked every click goes through to the window below, so the clock is
  // neither dragged nor clicked; it still walks back inside the screen. The choice is stored at once
  // (throws TickoraError when it cannot be; it holds for this run all the same).
  void SetLocked(bool locked);
  bool locked() const { return locked_; }

  // "Hide over full-screen windows": while the active window is full screen on the clock's monitor
  // the clock hides. Stored at once, as SetLocked.
  void SetHideOverFullScreen(bool on);
  bool hidesOverFullScreen() const { return hideOverFullScreen_; }
  // Report from the window system: the rectangle (desktop pixels) the active window covers while it
  // is full screen, nothing while the active window is not.
  void ActiveWindowChanged(std::optional<PixelRect> fullScreen);

  // A notice of the shell's own, shown once the event loop runs.
  void NoticeLater(const std::string& text);
  // An error or notice shown once the event loop runs.
  void ShowLater(bool error, const std::string& text);
  // The clock is removed: hidden for good, it ticks no more; its window goes once the event loop runs.
  void Close();
  // The monitor the clock belongs to (the one that holds its centre), in the desktop's pixels.
  PixelRect HomeScreen() const;

  const DeviceImage& frame() const { return composer_.frame(); }
  const ClickMask& clicks() const { return composer_.clicks(); }
  int interval() const { return interval_; }
  // Where the window is, as the window system last reported it (desktop pixels), and its client size
  // (logical pixels).
  PixelPoint position() const { return position_; }
  PixelSize size() const { return size_; }
  // The window's size in the desktop's pixels, at the density it is drawn at.
  PixelSize DesktopSize() const { return DesktopSizeAt(data_.deviceScale); }
  // Where the window is and what it covers, in the desktop's pixels.
  PixelRect DesktopRect() const { return {position_.x, position_.y, DesktopSize().width, DesktopSize().height}; }
  int presentedCount() const { return presentedCount_; }
  int number() const;
  ClockCompany* company() const { return company_; }

private:
  // Who put the window where it is. A place the window manager or compositor chose (at a show, or
  // every move on some) is not the user's: it is never stored, nor is the walk back from it.
  enum class PlacedBy { Clock, User, WindowSystem };

  PixelSize DesktopSizeAt(long double scale) const;
  // Draws the clock anew at the density of the monitor it now belongs to; returns the place it is
  // moved to, if any.
  std::optional<PixelPoint> Rescale(long double scale);
  void Tick();
  // The time the clock shows, in its zone; sets the dial's label to go with it.
  TimeOfDay ClockTime();
  // Looks for an unplugged monitor under the clock; true when the clock is being brought back.
  bool RehomeAfterUnplug(const std::vector<PixelRect>& screens, PixelRect primary);
  void DrawAt(PixelPoint cursor);
  // The interval at rest: as often as the picture can change.
  int RestInterval() const;
  void Pace(int interval);
  void MoveWindow(PixelPoint position, PlacedBy by);
  void SaveNewPosition(PixelPoint position);
  // Hides or shows the clock as the active window and the clock's monitor now stand.
  void FollowFullScreen();

  ClockData& data_;
  SettingsStore& store_;
  ClockWindowShell& shell_;
  UserMessages messages_;
  UserMessages later_;  // the same, shown once the event loop runs: no box inside a tick
  ClockCompany* company_;
  FrameComposer composer_;
  std::size_t screenCount_ = 0;  // at the last tick
  PixelRect home_;               // the monitor the clock was on at the last tick
  std::string cityZone_;         // the zone whose city cityName_ holds
  std::string cityName_;
  int interval_ = kSecondInterval;
  int presentedCount_ = 0;
  PixelPoint position_;  // desktop pixels
  PixelSize size_;       // logical
  PixelSize frameSize_;  // device, of the frame on screen
  bool pointerOver_ = false;
  bool wakePending_ = false;
  PlacedBy placedBy_ = PlacedBy::Clock;
  std::optional<PixelPoint> requested_;  // the last place the clock asked for
  PlacedBy requestedBy_ = PlacedBy::Clock;
  PixelPoint shownAt_;                   // where a hidden clock comes back
  PlacedBy shownBy_ = PlacedBy::Clock;
  std::optional<PixelPoint> pendingSave_;  // a place to store once the window is reported there
  bool dragging_ = false;
  // After a drop the window system's reports are still the user's move (the last may come after the
  // button is up), until the first tick after one of them, or until the clock moves the window itself.
  bool dropped_ = false;
  bool droppedReported_ = false;
  bool cameBack_ = false;  // ComeBackAt moved the window during this tick
  bool locked_ = false;
  bool hideOverFullScreen_ = true;
  bool hidden_ = false;
  bool closed_ = false;
  std::optional<PixelRect> fullScreen_;    // the active window's, while it is full screen
  bool positionErrorShown_ = false;        // until a save succeeds
  std::string pendingPositionError_;       // shown when the drag ends
  std::function<void(PixelPoint)> contextMenuHandler_;
  std::function<void()> doubleClickHandler_;
  MonitorGoneHandler monitorGoneHandler_;
};
