// The settings window's controls and popup menu: positions, captions, ranges, fonts, cursors, tab order.
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
}  // namespace

void TForm2::CreateControls()
{
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("ClientArea"));
  client_->setGeometry(kBorderWidth, kBorderWidth, kClientWidth, kClientHeight);

  const struct {
    QLabel** label;
    const char* name;
    QRect rect;
    const char* caption;
    bool bold;
  } labels[] = {
      {&StaticText1, "StaticText1", {7, 0, 222, 20}, "Position : cursor + arrows + leftbutton", false},
      {&StaticText2, "StaticText2", {7, 26, 71, 20}, "Clock Size", true},
      {&StaticText3, "StaticText3", {7, 86, 38, 20}, "Skins", true},
      {&StaticText4, "StaticText4", {207, 26, 68, 20}, "Clock Dial", true},
      {&StaticText5, "StaticText5", {207, 86, 80, 20}, "Transparent", true},
      {&StaticText6, "StaticText6", {207, 146, 48, 20}, "Arrows", true},
  };
  for (const auto& row : labels) {
    auto* label = new QLabel(QString::fromLatin1(row.caption), client_);
    label->setObjectName(QString::fromLatin1(row.name));
    label->setGeometry(row.rect);
    label->setFont(ControlFont(row.bold));
    SetBlackText(label);
    *row.label = label;
  }

  const struct {
    SettingsSlider** slider;
    const char* name;
    QRect rect;
    int minimum, maximum, layoutPosition;
    bool pointingHand;
  } sliders[] = {
      {&TrackBar1, "TrackBar1", {0, 50, 180, 14}, 0, kMaxSizeStep, 0, true},
      {&TrackBar2, "TrackBar2", {0, 110, 180, 14}, kMinSkin, kMaxSkin, 5, true},
      {&TrackBar3, "TrackBar3", {200, 50, 180, 14}, 0, kMaxDialStyle, 1, true},
      {&TrackBar4, "TrackBar4", {200, 110, 180, 14}, 0, kMaxTransparency, 1, true},
      {&TrackBar5, "TrackBar5", {200, 170, 180, 14}, 0, kMaxHandWidth, 0, false},
  };
  for (const auto& row : sliders) {
    auto* slider = new SettingsSlider(client_);
    slider->setObjectName(QString::fromLatin1(row.name));
    slider->setGeometry(row.rect);
    slider->setRange(row.minimum, row.maximum);
    slider->setValue(row.layoutPosition);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setSingleStep(kLineStep);
    slider->setPageStep(kPageStep);
    slider->setFont(ControlFont(true));
    if (row.pointingHand)
      slider->setCursor(Qt::PointingHandCursor);
    *row.slider = slider;
  }

  const struct {
    QCheckBox** box;
    const char* name;
    QRect rect;
    const char* caption;
    bool pointingHand;
  } boxes[] = {
      {&CheckBox1, "CheckBox1", {7, 140, 90, 17}, "Seconds", true},
      {&CheckBox2, "CheckBox2", {7, 170, 66, 17}, "Digital", false},
  };
  for (const auto& row : boxes) {
    auto* box = new QCheckBox(QString::fromLatin1(row.caption), client_);
    box->setObjectName(QString::fromLatin1(row.name));
    box->setGeometry(row.rect);
    box->setChecked(false);
    box->setFont(ControlFont(true));
    SetBlackText(box);
    if (row.pointingHand)
      box->setCursor(Qt::PointingHandCursor);
    *row.box = box;
  }

  const struct {
    QPushButton** button;
    const char* name;
    QRect rect;
    const char* caption;
  } buttons[] = {
      {&Button1, "Button1", {8, 205, 100, 22}, "Save Settings"},
      {&Button2, "Button2", {312, 205, 60, 22}, "Cancel"},
  };
  for (const auto& row : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(row.caption), client_);
    button->setObjectName(QString::fromLatin1(row.name));
    button->setGeometry(row.rect);
    button->setFont(ControlFont(true));
    button->setCursor(Qt::PointingHandCursor);
    button->setAutoDefault(false);
    *row.button = button;
  }

  QWidget* const tabOrder[] = {Button1, Button2, TrackBar1, TrackBar2, TrackBar3,
                               TrackBar4, CheckBox1, TrackBar5, CheckBox2};
  for (std::size_t i = 1; i < std::size(tabOrder); ++i)
    QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
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
