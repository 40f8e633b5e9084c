#include "platform/qt/SettingsWindow.h"

#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>

#include "Clocks/ClockData.h"
#include "platform/qt/Autostart.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/ProgramIcon.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/SettingsSlider.h"
#include "platform/qt/WindowSystem.h"

namespace {
// While a window manager takes over a new window it may mark it iconic for a moment (kwin does); only a
// minimise after this long is the user's.
constexpr int kSettleMs = 750;
constexpr int kZoneChoicesWidth = 320;

SettingsWindowHooks WithDefaults(SettingsWindowHooks hooks)
{
  if (!hooks.trayAvailable)
    hooks.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  if (!hooks.quit)
    hooks.quit = [] { QCoreApplication::exit(0); };
  if (!hooks.autostartFile)
    hooks.autostartFile = AutostartEntry::DefaultPath;
  if (!hooks.zoneChoices)
    hooks.zoneChoices = [] { return QStringList(); };
  if (!hooks.zoneOfChoice)
    hooks.zoneOfChoice = [](const QString& text) { return text.trimmed().toStdString(); };
  if (!hooks.confirm)
    hooks.confirm = [](const QString& question) { return AskYesNo(question); };
  return hooks;
}
}  // namespace

SettingsWindow::SettingsWindow(ClockData& data, SettingsStore& store, TForm1& clock, bool firstStart,
                               UserMessages messages, SettingsWindowHooks hooks, TForm2Hooks synthesis,
                               QWidget* parent)
    : QWidget(parent),
      hooks_(WithDefaults(std::move(hooks))),
      tray_(ProgramIcon(data.pictures), hooks_.trayAvailable),
      form_(data, store, clock, *this, tray_, std::move(messages), std::move(synthesis))
{
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QString::fromLatin1(kSettingsCaption));
  // A tool window (kept out of the taskbar when shown); it stays on top so that showing it is never
  // hidden behind the top-most clock.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  setFixedSize(kClientWidth + 2 * kBorderWidth, kClientHeight + 2 * kBorderWidth);
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);
  setWindowIcon(tray_.systemTrayIcon().icon());

  CreateControls();
  CreatePopupMenu();
  CreateTrayMenu();
  idleRelease_.setSingleShot(true);
  connect(&idleRelease_, &QTimer::timeout, this, [this] { form_.IdleRelease(); });
  settleCheck_.setSingleShot(true);
  connect(&settleCheck_, &QTimer::timeout, this, &SettingsWindow::SettleCheck);
  ConnectHandlers();
  CreateZoneCompleter();
  form_.FormCreate(firstStart);
}

void SettingsWindow::CreateTrayMenu()
{
  // A D-Bus tray shows the menu itself, from what the program publishes: the same items.
  if (!tray_.hostShowsMenu())
    return;
  trayMenu_ = new QMenu(this);
  trayMenu_->addAction(Options);
  trayMenu_->addAction(AddClock);
  trayMenu_->addAction(StartAtLogin);
  trayMenu_->addAction(LockInPlace);
  trayMenu_->addAction(HideOverFullScreen);
  trayMenu_->addAction(Close1);
  connect(trayMenu_, &QMenu::aboutToShow, this, [this] { form_.ShowStartAtLogin(); });
  tray_.SetMenu(trayMenu_);
}

void SettingsWindow::ConnectHandlers()
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
    connect(row.slider, &SettingsSlider::scrolled, this, [this, handler = row.handler] { (form_.*handler)(); });
  // Clicks only: the program's own changes run no handler.
  connect(CheckBox1, &QCheckBox::clicked, this, [this] { form_.CheckBox1Click(); });
  connect(CheckBox2, &QCheckBox::clicked, this, [this] { form_.CheckBox2Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { form_.Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { form_.Button2Click(); });
  connect(Options, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::Options); });
  connect(AddClock, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::AddClock); });
  connect(RemoveClock, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::RemoveClock); });
  connect(StartAtLogin, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::StartAtLogin); });
  // The zone once typed out or chosen from the completions; the label as it is typed.
  connect(Edit1, &QLineEdit::editingFinished, this, [this] {
    if (Edit1->isModified()) {
      Edit1->setModified(false);
      form_.Edit1Change();
    }
  });
  connect(Edit2, &QLineEdit::textEdited, this, [this] { form_.Edit2Change(); });
  connect(LockInPlace, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::LockInPlace); });
  connect(HideOverFullScreen, &QAction::triggered, this,
          [this] { form_.MenuChosen(MenuItem::HideOverFullScreen); });
  connect(Close1, &QAction::triggered, this, [this] { form_.MenuChosen(MenuItem::Close1); });
  connect(&tray_, &QtTrayIcon::clicked, this,
          [this](TrayClick click) { form_.TrayMessage(click, FromQt(QCursor::pos())); });
  connect(&tray_, &QtTrayIcon::trayChanged, this, [this] { form_.TrayChanged(false); });
}

void SettingsWindow::CreateZoneCompleter()
{
  const QStringList choices = hooks_.zoneChoices();
  if (choices.isEmpty())
    return;
  auto* completer = new QCompleter(choices, Edit1);
  completer->setCaseSensitivity(Qt::CaseInsensitive);
  // A city, a country or a zone's name anywhere in the choice finds it.
  completer->setFilterMode(Qt::MatchContains);
  completer->setMaxVisibleItems(12);
  // Wider than the field: a choice names a city, its country and the zone.
  completer->popup()->setMinimumWidth(kZoneChoicesWidth);
  Edit1->setCompleter(completer);
  connect(completer, qOverload<const QString&>(&QCompleter::activated), this, [this](const QString& choice) {
    Edit1->setText(QString::fromStdString(hooks_.zoneOfChoice(choice)));
    Edit1->setModified(false);
    form_.Edit1Change();
  });
}

std::string SettingsWindow::EditText(int index) const
{
  const QLineEdit* edit = index == kZoneEdit ? Edit1 : Edit2;
  return index == kZoneEdit ? hooks_.zoneOfChoice(edit->text()) : edit->text().toStdString();
}

void SettingsWindow::SetEditText(int index, const std::string& text)
{
  QLineEdit* edit = index == kZoneEdit ? Edit1 : Edit2;
  edit->setText(QString::fromStdString(text));
  edit->setModified(false);
}

void SettingsWindow::FocusEdit(int index)
{
  (index == kZoneEdit ? Edit1 : Edit2)->setFocus(Qt::OtherFocusReason);
}

void SettingsWindow::SetCaption(const std::string& caption)
{
  setWindowTitle(QString::fromStdString(caption));
}

bool SettingsWindow::Confirm(const std::string& question)
{
  return hooks_.confirm(QString::fromStdString(question));
}

void SettingsWindow::ShowMenuItem(MenuItem item, bool shown)
{
  if (QAction* action = item == MenuItem::AddClock ? AddClock : item == MenuItem::RemoveClock ? RemoveClock : nullptr)
    action->setVisible(shown);
}

SettingsSlider* SettingsWindow::Slider(int index) const
{
  SettingsSlider* const sliders[] = {TrackBar1, TrackBar2, TrackBar3, TrackBar4, TrackBar5};
  return sliders[index];
}

QCheckBox* SettingsWindow::Box(int index) const
{
  return index == 0 ? CheckBox1 : CheckBox2;
}

PixelRect SettingsWindow::PrimaryScreen() const
{
  return FromQt(PrimaryScreenRect());
}

int SettingsWindow::TrackBarPosition(int index) const
{
  return Slider(index)->sliderPosition();
}

void SettingsWindow::SetTrackBarPosition(int index, int position)
{
  Slider(index)->setValue(position);
}

bool SettingsWindow::IsChecked(int index) const
{
  return Box(index)->isChecked();
}

void SettingsWindow::SetChecked(int index, bool checked)
{
  Box(index)->setChecked(checked);
}

void SettingsWindow::Place(PixelPoint position)
{
  // A hidden window may have its native window already (a menu parented to it makes one); a move then
  // places its client area, not its frame, so the place it already has is left alone.
  if (pos() != ToQt(position))
    move(ToQt(position));
}

void SettingsWindow::ShowForm()
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

void SettingsWindow::HideForm()
{
  settleCheck_.stop();
  hide();
}

void SettingsWindow::OpenMenu(PixelPoint at)
{
  PopupMenu->popup(ToQt(at));
}

void SettingsWindow::MarkMenuItem(MenuItem item, bool checked)
{
  const std::pair<MenuItem, QAction*> marks[] = {{MenuItem::Options, Options},
                                                 {MenuItem::StartAtLogin, StartAtLogin},
                                                 {MenuItem::LockInPlace, LockInPlace},
                                                 {MenuItem::HideOverFullScreen, HideOverFullScreen}};
  for (const auto& [menuItem, action] : marks) {
    if (menuItem == item)
      action->setChecked(checked);
  }
}

void SettingsWindow::StartIdleRelease(int milliseconds)
{
  idleRelease_.start(milliseconds);
}

void SettingsWindow::Quit()
{
  hooks_.quit();
}

bool SettingsWindow::StartAtLoginEnabled() const
{
  return AutostartEntry(hooks_.autostartFile(), QCoreApplication::applicationFilePath()).IsEnabled();
}

void SettingsWindow::SetStartAtLogin(bool enabled)
{
  const AutostartEntry entry(hooks_.autostartFile(), QCoreApplication::applicationFilePath());
  if (enabled)
    entry.Enable();
  else
    entry.Disable();
}

void SettingsWindow::closeEvent(QCloseEvent* event)
{
  event->ignore();
  form_.FormClose();
}

void SettingsWindow::changeEvent(QEvent* event)
{
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized())
    Minimised();
}

void SettingsWindow::Minimised()
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

void SettingsWindow::SettleCheck()
{
  if (!isVisible() || !isMinimized())
    return;
  setWindowState(windowState() & ~Qt::WindowMinimized);
  if (minimiseToTray_)
    form_.FormClose();
  else
    ShowForm();
}
