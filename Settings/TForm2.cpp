#include "Settings/TForm2.h"

#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "Clocks/BuildClockImages.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/ClockWindowControl.h"
#include "Settings/ProgramIcon.h"
#include "Settings/SettingsSlider.h"
#include "Settings/TrayEvents.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "platform/ErrorReporting.h"
#include "platform/WindowSystem.h"

namespace {
// While a window manager takes over a new window it may mark it iconic for a moment (kwin does); only a
// minimise after this long is the user's.
constexpr int kSettleMs = 750;
constexpr int kIdleReleaseMs = 2000;

void FillMissingHooks(TForm2Hooks& hooks)
{
  const TForm2Hooks defaults = DefaultTForm2Hooks();
  if (!hooks.buildClockImages)
    hooks.buildClockImages = defaults.buildClockImages;
  if (!hooks.buildNumeralSprites)
    hooks.buildNumeralSprites = defaults.buildNumeralSprites;
  if (!hooks.screenRect)
    hooks.screenRect = defaults.screenRect;
  if (!hooks.trayAvailable)
    hooks.trayAvailable = defaults.trayAvailable;
  if (!hooks.quit)
    hooks.quit = defaults.quit;
  if (!hooks.autostartFile)
    hooks.autostartFile = defaults.autostartFile;
}
}  // namespace

TForm2Hooks DefaultTForm2Hooks()
{
  TForm2Hooks hooks;
  hooks.buildClockImages = [](ClockData& data) { BuildClockImages(data); };
  hooks.buildNumeralSprites = [](ClockData& data) { BuildNumeralSprites(data); };
  hooks.screenRect = PrimaryScreenRect;
  hooks.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  hooks.quit = [] { QCoreApplication::exit(0); };
  hooks.autostartFile = AutostartEntry::DefaultPath;
  return hooks;
}

TForm2::TForm2(ClockData& data, SettingsStore& store, ClockWindowControl& clock, bool firstStart,
               TForm2Hooks hooks, UserMessages messages, QWidget* parent)
    : QWidget(parent),
      data_(data),
      store_(store),
      clock_(clock),
      hooks_(std::move(hooks)),
      messages_(std::move(messages))
{
  FillMissingHooks(hooks_);
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QString::fromLatin1(kSettingsCaption));
  // A tool window (kept out of the taskbar when shown); it stays on top so that showing it is never
  // hidden behind the top-most clock.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(kClientWidth + 2 * kBorderWidth, kClientHeight + 2 * kBorderWidth);
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);
  const QIcon icon = ProgramIcon(data_.pictures);
  setWindowIcon(icon);

  CreateControls();
  CreatePopupMenu();
  tray_ = new TrayIcon(icon, hooks_.trayAvailable, this);
  CreateTrayMenu();
  // What only speeds up the next synthesis is let go once the sliders rest: the clock at rest holds no
  // more than its next frame needs.
  idleRelease_.setSingleShot(true);
  idleRelease_.setInterval(kIdleReleaseMs);
  connect(&idleRelease_, &QTimer::timeout, this, [this] { ReleaseSynthesisCaches(data_); });
  settleCheck_.setSingleShot(true);
  connect(&settleCheck_, &QTimer::timeout, this, &TForm2::SettleCheck);
  ConnectHandlers();
  FormCreate(firstStart);
}

TForm2::~TForm2()
{
  // The clock outlives this window in tests; leave it no handler pointing here.
  clock_.SetContextMenuHandler({});
  clock_.SetDoubleClickHandler({});
}

void TForm2::CreateTrayMenu()
{
  // A D-Bus tray shows the menu itself, from what the program publishes: the same items.
  if (!tray_->hostShowsMenu())
    return;
  trayMenu_ = new QMenu(this);
  trayMenu_->addAction(Options);
  trayMenu_->addAction(StartAtLogin);
  trayMenu_->addAction(Close1);
  connect(trayMenu_, &QMenu::aboutToShow, this, &TForm2::ShowStartAtLogin);
  tray_->SetMenu(trayMenu_);
}

void TForm2::ConnectHandlers()
{
  const struct {
    SettingsSlider* slider;
    void (TForm2::*handler)();
  } sliders[] = {
      {TrackBar1, &TForm2::TrackBar1Change}, {TrackBar2, &TForm2::TrackBar2Change},
      {TrackBar3, &TForm2::TrackBar3Change}, {TrackBar4, &TForm2::TrackBar4Change},
      {TrackBar5, &TForm2::TrackBar5Change},
  };
  for (const auto& row : sliders)
    connect(row.slider, &SettingsSlider::scrolled, this, [this, handler = row.handler] { (this->*handler)(); });
  connect(CheckBox1, &QCheckBox::toggled, this, &TForm2::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::toggled, this, &TForm2::CheckBox2Click);
  connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
  connect(Options, &QAction::triggered, this, &TForm2::OptionsClick);
  connect(StartAtLogin, &QAction::triggered, this, &TForm2::StartAtLoginClick);
  connect(PopupMenu, &QMenu::aboutToShow, this, &TForm2::ShowStartAtLogin);
  connect(Close1, &QAction::triggered, this, &TForm2::Close1Click);
  connect(tray_, &TrayIcon::mouseMessage, this, &TForm2::TrayMessage);

  // Without a tray the clock itself leads here: right click for the menu, double click for the window.
  clock_.SetContextMenuHandler([this](const QPoint& globalPos) {
    if (!tray_->trayAvailable())
      OpenMenuAt(globalPos);
  });
  clock_.SetDoubleClickHandler([this] {
    if (!tray_->trayAvailable())
      TrayMessage(kLeftButtonDoubleClick);
  });
}

void TForm2::FormCreate(bool firstStart)
{
  ClockSettings& s = data_.settings;
  SetTrackBarPosition(TrackBar1, s.sizeStep, &TForm2::TrackBar1Change);
  SetTrackBarPosition(TrackBar2, s.skin, &TForm2::TrackBar2Change);
  SetTrackBarPosition(TrackBar3, s.dialStyle, &TForm2::TrackBar3Change);
  SetTrackBarPosition(TrackBar4, s.transparency, &TForm2::TrackBar4Change);
  SetTrackBarPosition(TrackBar5, s.handWidth, &TForm2::TrackBar5Change);

  // Only 0 and 1 mean something; a box whose state changes stores its own value back.
  if (s.showSeconds == 0 || s.showSeconds == 1)
    CheckBox1->setChecked(s.showSeconds == 1);
  if (s.showNumerals == 0 || s.showNumerals == 1)
    CheckBox2->setChecked(s.showNumerals == 1);

  const QRect screen = hooks_.screenRect();
  const PixelPoint place = SettingsWindowPlace({screen.x(), screen.y(), screen.width(), screen.height()});
  move(place.x, place.y);

  if (firstStart)
    ShowWindow();
  tray_->Add();
  idleRelease_.start();  // the clock window's own synthesis ran just before
}

void TForm2::SetTrackBarPosition(SettingsSlider* slider, std::int32_t& setting, void (TForm2::*handler)())
{
  const int position = std::clamp<int>(setting, slider->minimum(), slider->maximum());
  // A stored value below the range meets a slider already at its minimum; it is brought into range
  // all the same, or the clock would keep drawing a size the slider does not show.
  if (position == slider->value() && position == setting)
    return;
  slider->setValue(position);
  (this->*handler)();
}

void TForm2::Resynthesise(bool numerals)
{
  // Restarted first: a synthesis that fails still leaves caches to release.
  idleRelease_.start();
  hooks_.buildClockImages(data_);
  if (numerals)
    hooks_.buildNumeralSprites(data_);
}

void TForm2::TrackBar1Change()
{
  RunHandler(messages_, [this] {
    data_.settings.sizeStep = TrackBar1->sliderPosition();
    const std::int32_t clientSize = ApplySizeStep(data_);
    clock_.SetClientSize(clientSize, clientSize);
    Resynthesise(false);
  });
}

void TForm2::TrackBar2Change()
{
  RunHandler(messages_, [this] {
    data_.settings.skin = TrackBar2->sliderPosition();
    Resynthesise(true);
  });
}

void TForm2::TrackBar3Change()
{
  RunHandler(messages_, [this] {
    data_.settings.dialStyle = TrackBar3->sliderPosition();
    Resynthesise(true);
  });
}

void TForm2::TrackBar4Change()
{
  RunHandler(messages_, [this] {
    data_.settings.transparency = TrackBar4->sliderPosition();
    Resynthesise(false);
  });
}

void TForm2::TrackBar5Change()
{
  data_.settings.handWidth = TrackBar5->sliderPosition();
  SetHandSizes(data_.geometry, data_.settings.handWidth);
}

void TForm2::CheckBox1Click()
{
  data_.settings.showSeconds = CheckBox1->isChecked() ? 1 : 0;
}

void TForm2::CheckBox2Click()
{
  data_.settings.showNumerals = CheckBox2->isChecked() ? 1 : 0;
}

void TForm2::Button1Click()
{
  RunHandler(messages_, [this] { store_.SaveSettings(data_.settings); });
}

void TForm2::Button2Click()
{
  HideWindow();
}

void TForm2::closeEvent(QCloseEvent* event)
{
  // Closing only hides this window; the program goes on.
  event->ignore();
  HideWindow();
}

void TForm2::changeEvent(QEvent* event)
{
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized())
    Minimised();
}

void TForm2::Minimised()
{
  // The state change may come twice (ours and the window system's); a hidden window is done with. A
  // switch to another virtual desktop hides the window there, which is no minimise either.
  if (!isVisible() || !OnCurrentDesktop(*this))
    return;
  // Some window managers offer to minimise any window; with no taskbar button it would be out of
  // reach, so the user's minimise goes to the tray like the close box. A window manager's own passing
  // state while it takes the window over is let be: the window was asked for, so if it is still
  // iconic once settled, it comes back.
  const qint64 shownFor = shownAt_.isValid() ? shownAt_.elapsed() : 0;
  minimiseToTray_ = shownFor >= kSettleMs;
  settleCheck_.start(minimiseToTray_ ? 0 : static_cast<int>(kSettleMs - shownFor));
}

void TForm2::SettleCheck()
{
  if (!isVisible() || !isMinimized())
    return;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  if (minimiseToTray_)
    HideWindow();
  else
    ShowWindow();
}

void TForm2::OptionsClick()
{
  tray_->Remove();
  ShowWindow();
}

void TForm2::StartAtLoginClick()
{
  // The mark has already flipped to what the user asks for.
  const bool wanted = StartAtLogin->isChecked();
  RunHandler(messages_, [this, wanted] {
    const AutostartEntry entry = Autostart();
    if (wanted)
      entry.Enable();
    else
      entry.Disable();
  });
  ShowStartAtLogin();
}

void TForm2::ShowStartAtLogin()
{
  StartAtLogin->setChecked(Autostart().IsEnabled());
}

AutostartEntry TForm2::Autostart() const
{
  return {hooks_.autostartFile(), QCoreApplication::applicationFilePath()};
}

void TForm2::Close1Click()
{
  tray_->Remove();
  ShowWindow();
  hooks_.quit();
}

void TForm2::TrayMessage(int mouseMessage)
{
  const QPoint cursor = QCursor::pos();
  switch (TrayActionFor(mouseMessage)) {
  case TrayAction::ShowWindow:
    tray_->Remove();
    ShowWindow();
    break;
  case TrayAction::OpenMenu:
    if (!tray_->hostShowsMenu())
      OpenMenuAt(cursor);
    break;
  case TrayAction::None:
    break;
  }
}

void TForm2::ShowWindow()
{
  // The window manager drops a hidden window's states, so ask again at every showing. (This creates
  // the native window at the first showing, after the placement, which keeps the frame where it was put.)
  if (!isVisible()) {
    KeepOffTaskbar(*this);
    shownAt_.start();
  }
  show();
  raise();
  activateWindow();
}

void TForm2::HideWindow()
{
  settleCheck_.stop();
  tray_->Add();
  hide();
}

void TForm2::OpenMenuAt(const QPoint& globalPos)
{
  PopupMenu->popup(globalPos);
}
