// The settings window's controls and popup menu: positions, captions, ranges, fonts, cursors, tab order.
#include <initializer_list>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>

#include "Settings/MenuPictures.h"
#include "model/ClockSettings.h"
#include "Settings/SettingsSlider.h"
#include "Settings/TForm2.h"

namespace {
constexpr char kFontFamily[] = "Arial";  // fontconfig maps it to Liberation Sans where Arial is missing
constexpr int kFontPixelHeight = 13;
constexpr int kLineStep = 1;
constexpr int kPageStep = 2;

QFont ControlFont(bool bold)
{
  QFont font(QString::fromLatin1(kFontFamily));
  font.setPixelSize(kFontPixelHeight);
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
void Place(QWidget* control, const char* name, QRect rect, bool bold, bool pointingHand)
{
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(rect);
  control->setFont(ControlFont(bold));
  if (pointingHand)
    control->setCursor(Qt::PointingHandCursor);
}

struct LabelRow {
  QLabel* TForm2::*label;
  const char* name;
  QRect rect;
  const char* caption;
  bool bold;
};
constexpr LabelRow kLabels[] = {
    {&TForm2::StaticText1, "StaticText1", {7, 0, 222, 20}, "Position : cursor + arrows + leftbutton", false},
    {&TForm2::StaticText2, "StaticText2", {7, 26, 71, 20}, "Clock Size", true},
    {&TForm2::StaticText3, "StaticText3", {7, 86, 38, 20}, "Skins", true},
    {&TForm2::StaticText4, "StaticText4", {207, 26, 68, 20}, "Clock Dial", true},
    {&TForm2::StaticText5, "StaticText5", {207, 86, 80, 20}, "Transparent", true},
    {&TForm2::StaticText6, "StaticText6", {207, 146, 48, 20}, "Arrows", true},
};

struct SliderRow {
  SettingsSlider* TForm2::*slider;
  const char* name;
  QRect rect;
  int minimum, maximum, layoutPosition;
  bool pointingHand;
};
constexpr SliderRow kSliders[] = {
    {&TForm2::TrackBar1, "TrackBar1", {0, 50, 180, 14}, 0, kMaxSizeStep, 0, true},
    {&TForm2::TrackBar2, "TrackBar2", {0, 110, 180, 14}, kMinSkin, kMaxSkin, 5, true},
    {&TForm2::TrackBar3, "TrackBar3", {200, 50, 180, 14}, 0, kMaxDialStyle, 1, true},
    {&TForm2::TrackBar4, "TrackBar4", {200, 110, 180, 14}, 0, kMaxTransparency, 1, true},
    {&TForm2::TrackBar5, "TrackBar5", {200, 170, 180, 14}, 0, kMaxHandWidth, 0, false},
};

struct CheckBoxRow {
  QCheckBox* TForm2::*box;
  const char* name;
  QRect rect;
  const char* caption;
  bool pointingHand;
};
constexpr CheckBoxRow kCheckBoxes[] = {
    {&TForm2::CheckBox1, "CheckBox1", {7, 140, 90, 17}, "Seconds", true},
    {&TForm2::CheckBox2, "CheckBox2", {7, 170, 66, 17}, "Digital", false},
};

struct ButtonRow {
  QPushButton* TForm2::*button;
  const char* name;
  QRect rect;
  const char* caption;
};
constexpr ButtonRow kButtons[] = {
    {&TForm2::Button1, "Button1", {8, 205, 100, 22}, "Save Settings"},
    {&TForm2::Button2, "Button2", {312, 205, 60, 22}, "Cancel"},
};

void CreateLabels(TForm2& form, QWidget* client)
{
  for (const LabelRow& row : kLabels) {
    auto* label = new QLabel(QString::fromLatin1(row.caption), client);
    Place(label, row.name, row.rect, row.bold, false);
    SetBlackText(label);
    form.*row.label = label;
  }
}

void CreateSliders(TForm2& form, QWidget* client)
{
  for (const SliderRow& row : kSliders) {
    auto* slider = new SettingsSlider(client);
    Place(slider, row.name, row.rect, true, row.pointingHand);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.layoutPosition);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setSingleStep(kLineStep);
    slider->setPageStep(kPageStep);
    form.*row.slider = slider;
  }
}

void CreateCheckBoxes(TForm2& form, QWidget* client)
{
  for (const CheckBoxRow& row : kCheckBoxes) {
    auto* box = new QCheckBox(QString::fromLatin1(row.caption), client);
    Place(box, row.name, row.rect, true, row.pointingHand);
    box->setChecked(false);
    SetBlackText(box);
    form.*row.box = box;
  }
}

void CreateButtons(TForm2& form, QWidget* client)
{
  for (const ButtonRow& row : kButtons) {
    auto* button = new QPushButton(QString::fromLatin1(row.caption), client);
    Place(button, row.name, row.rect, true, true);
    button->setAutoDefault(false);
    form.*row.button = button;
  }
}

void ChainTabOrder(std::initializer_list<QWidget*> order)
{
  QWidget* previous = nullptr;
  for (QWidget* widget : order) {
    if (previous)
      QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}
}  // namespace

void TForm2::CreateControls()
{
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  client_->setGeometry(kBorderWidth, kBorderWidth, kClientWidth, kClientHeight);
  CreateLabels(*this, client_);
  CreateSliders(*this, client_);
  CreateCheckBoxes(*this, client_);
  CreateButtons(*this, client_);
  ChainTabOrder({Button1, Button2, TrackBar1, TrackBar2, TrackBar3, TrackBar4, CheckBox1, TrackBar5, CheckBox2});
  Button1->setFocus();  // the first in the tab order has the focus when the window comes up
}

void TForm2::CreatePopupMenu()
{
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  Options = PopupMenu->addAction(QStringLiteral("Settings"));
  Options->setObjectName(QStringLiteral("Options"));
  Options->setCheckable(true);  // its mark flips each time it is chosen, before OptionsClick runs
  StartAtLogin = PopupMenu->addAction(QStringLiteral("Start at login"));
  StartAtLogin->setObjectName(QStringLiteral("StartAtLogin"));
  StartAtLogin->setCheckable(true);
  ShowStartAtLogin();
  Close1 = PopupMenu->addAction(QIcon(QPixmap::fromImage(CloseMenuPicture())), QStringLiteral("Close"));
  Close1->setObjectName(QStringLiteral("Close1"));
}
