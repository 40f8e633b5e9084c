// The settings window's controls and popup menu: positions, captions, ranges, fonts, cursors, tab order.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>

#include "platform/qt/MenuPictures.h"
#include "Settings/SettingsControls.h"
#include "platform/qt/SettingsSlider.h"
#include "platform/qt/SettingsWindow.h"

namespace {
// The controls of each kind, in the order of their rows in the table.
constexpr QLabel* SettingsWindow::*kLabelMembers[] = {&SettingsWindow::StaticText1, &SettingsWindow::StaticText2, &SettingsWindow::StaticText3,
                                               &SettingsWindow::StaticText4, &SettingsWindow::StaticText5, &SettingsWindow::StaticText6,
                                               &SettingsWindow::StaticText7, &SettingsWindow::StaticText8};
constexpr SettingsSlider* SettingsWindow::*kSliderMembers[] = {&SettingsWindow::TrackBar1, &SettingsWindow::TrackBar2, &SettingsWindow::TrackBar3,
                                                        &SettingsWindow::TrackBar4, &SettingsWindow::TrackBar5};
constexpr QCheckBox* SettingsWindow::*kCheckBoxMembers[] = {&SettingsWindow::CheckBox1, &SettingsWindow::CheckBox2};
constexpr QPushButton* SettingsWindow::*kButtonMembers[] = {&SettingsWindow::Button1, &SettingsWindow::Button2};
constexpr QLineEdit* SettingsWindow::*kEditMembers[] = {&SettingsWindow::Edit1, &SettingsWindow::Edit2};
static_assert(std::size(kLabelMembers) == kStaticTexts.size() && std::size(kSliderMembers) == kTrackBars.size() &&
              std::size(kCheckBoxMembers) == kCheckBoxes.size() && std::size(kButtonMembers) == kButtons.size() &&
              std::size(kEditMembers) == kLineEdits.size());

QFont ControlFont(bool bold)
{
  // fontconfig maps Arial to Liberation Sans where Arial is missing.
  QFont font(QString::fromLatin1(kControlFontFamily));
  font.setPixelSize(kControlFontPixelHeight);
  font.setBold(bold);
  return font;
}

void SetBlackText(QWidget* widget)
{
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  palette.setColor(QPalette::Text, Qt::black);
  widget->setPalette(palette);
}

// Names a new control, places it in the client area and sets its font; the pointing hand where the
// row asks for one.
void Place(QWidget* control, const char* name, PixelRect rect, bool bold, bool pointingHand)
{
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(rect.x, rect.y, rect.width, rect.height);
  control->setFont(ControlFont(bold));
  if (pointingHand)
    control->setCursor(Qt::PointingHandCursor);
}

void CreateLabels(SettingsWindow& form, QWidget* client)
{
  for (std::size_t i = 0; i < kStaticTexts.size(); ++i) {
    const StaticTextRow& row = kStaticTexts[i];
    auto* label = new QLabel(QString::fromLatin1(row.caption), client);
    Place(label, row.name, row.rect, row.bold, false);
    SetBlackText(label);
    form.*kLabelMembers[i] = label;
  }
}

void CreateSliders(SettingsWindow& form, QWidget* client)
{
  for (std::size_t i = 0; i < kTrackBars.size(); ++i) {
    const TrackBarRow& row = kTrackBars[i];
    auto* slider = new SettingsSlider(client);
    Place(slider, row.name, row.rect, true, row.pointingHand);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.layoutPosition);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setSingleStep(kSliderLineStep);
    slider->setPageStep(kSliderPageStep);
    form.*kSliderMembers[i] = slider;
  }
}

// The check boxes or the buttons, each kept in its row's member of the form.
template <typename Control, std::size_t N>
void CreateClickables(SettingsWindow& form, QWidget* client, const std::array<ClickableRow, N>& rows,
                      Control* SettingsWindow::* const (&members)[N])
{
  for (std::size_t i = 0; i < N; ++i) {
    auto* control = new Control(QString::fromLatin1(rows[i].caption), client);
    Place(control, rows[i].name, rows[i].rect, true, rows[i].pointingHand);
    form.*members[i] = control;
  }
}

void CreateEdits(SettingsWindow& form, QWidget* client)
{
  for (std::size_t i = 0; i < kLineEdits.size(); ++i) {
    auto* edit = new QLineEdit(client);
    Place(edit, kLineEdits[i].name, kLineEdits[i].rect, false, false);
    edit->setPlaceholderText(QString::fromLatin1(kLineEdits[i].placeholder));
    form.*kEditMembers[i] = edit;
  }
  form.Edit2->setMaxLength(static_cast<int>(kMaxLabelBytes));
}

QWidget* ControlAt(const SettingsWindow& form, ControlRef ref)
{
  switch (ref.kind) {
  case ControlKind::StaticText:
    return form.*kLabelMembers[ref.index];
  case ControlKind::TrackBar:
    return form.*kSliderMembers[ref.index];
  case ControlKind::CheckBox:
    return form.*kCheckBoxMembers[ref.index];
  case ControlKind::Button:
    return form.*kButtonMembers[ref.index];
  case ControlKind::LineEdit:
    return form.*kEditMembers[ref.index];
  }
  return nullptr;
}

void ChainTabOrder(const SettingsWindow& form)
{
  QWidget* previous = nullptr;
  for (const ControlRef ref : kTabOrder) {
    QWidget* widget = ControlAt(form, ref);
    if (previous)
      QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}
}  // namespace

void SettingsWindow::CreateControls()
{
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  client_->setGeometry(kBorderWidth, kBorderWidth, kClientWidth, kClientHeight);
  CreateLabels(*this, client_);
  CreateSliders(*this, client_);
  CreateClickables(*this, client_, kCheckBoxes, kCheckBoxMembers);
  for (QCheckBox* box : {CheckBox1, CheckBox2})
    SetBlackText(box);
  CreateClickables(*this, client_, kButtons, kButtonMembers);
  for (QPushButton* button : {Button1, Button2})
    button->setAutoDefault(false);
  CreateEdits(*this, client_);
  ChainTabOrder(*this);
  ControlAt(*this, kTabOrder.front())->setFocus();
}

void SettingsWindow::CreatePopupMenu()
{
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  Options = PopupMenu->addAction(QStringLiteral("Settings"));
  Options->setObjectName(QStringLiteral("Options"));
  Options->setCheckable(true);  // its mark flips each time it is chosen, before OptionsClick runs
  AddClock = PopupMenu->addAction(QStringLiteral("Add clock"));
  AddClock->setObjectName(QStringLiteral("AddClock"));
  RemoveClock = PopupMenu->addAction(QStringLiteral("Remove this clock"));
  RemoveClock->setObjectName(QStringLiteral("RemoveClock"));
  RemoveClock->setVisible(false);
  StartAtLogin = PopupMenu->addAction(QStringLiteral("Start at login"));
  StartAtLogin->setObjectName(QStringLiteral("StartAtLogin"));
  StartAtLogin->setCheckable(true);
  LockInPlace = PopupMenu->addAction(QStringLiteral("Lock in place"));
  LockInPlace->setObjectName(QStringLiteral("LockInPlace"));
  LockInPlace->setCheckable(true);
  HideOverFullScreen = PopupMenu->addAction(QStringLiteral("Hide over full-screen windows"));
  HideOverFullScreen->setObjectName(QStringLiteral("HideOverFullScreen"));
  HideOverFullScreen->setCheckable(true);
  Close1 = PopupMenu->addAction(QIcon(QPixmap::fromImage(CloseMenuPicture())), QStringLiteral("Close"));
  Close1->setObjectName(QStringLiteral("Close1"));
}
