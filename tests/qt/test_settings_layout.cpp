#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QFontMetricsF>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include "platform/qt/SettingsSlider.h"
#include "tests/qt/SettingsWindowRig.h"

namespace {
struct ControlRow {
  const char* name;
  QRect rect;
  const char* caption;  // nullptr for sliders
  bool bold;
  bool pointingHand;
};

const ControlRow kControls[] = {
    {"StaticText1", {7, 0, 222, 20}, "Position : cursor + arrows + leftbutton", false, false},
    {"StaticText2", {7, 26, 71, 20}, "Clock Size", true, false},
    {"TrackBar1", {0, 50, 180, 14}, nullptr, true, true},
    {"StaticText3", {7, 86, 38, 20}, "Skins", true, false},
    {"TrackBar2", {0, 110, 180, 14}, nullptr, true, true},
    {"StaticText4", {207, 26, 68, 20}, "Clock Dial", true, false},
    {"TrackBar3", {200, 50, 180, 14}, nullptr, true, true},
    {"StaticText5", {207, 86, 80, 20}, "Transparent", true, false},
    {"TrackBar4", {200, 110, 180, 14}, nullptr, true, true},
    {"CheckBox1", {7, 140, 90, 17}, "Seconds", true, true},
    {"StaticText6", {207, 146, 48, 20}, "Arrows", true, false},
    {"TrackBar5", {200, 170, 180, 14}, nullptr, true, false},
    {"CheckBox2", {7, 170, 66, 17}, "Digital", true, false},
    {"StaticText7", {7, 208, 70, 20}, "Time zone", true, false},
    {"Edit1", {80, 205, 117, 22}, nullptr, false, false},
    {"StaticText8", {207, 208, 44, 20}, "Label", true, false},
    {"Edit2", {253, 205, 120, 22}, nullptr, false, false},
    {"Button1", {8, 241, 100, 22}, "Save Settings", true, true},
    {"Button2", {312, 241, 60, 22}, "Cancel", true, true},
};

QString CaptionOf(QWidget* widget)
{
  if (auto* label = qobject_cast<QLabel*>(widget))
    return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget))
    return button->text();
  return {};
}
}  // namespace

TEST(SettingsLayout, EveryControlAtItsPlaceWithCaptionFontAndCursor)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* widget = form.clientArea()->findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), form.clientArea());
    EXPECT_EQ(widget->geometry(), row.rect);
    if (row.caption) {
      EXPECT_EQ(CaptionOf(widget), QString::fromLatin1(row.caption));
    }
    EXPECT_EQ(widget->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(widget->font().pixelSize(), 13);
    EXPECT_EQ(widget->font().bold(), row.bold);
    // Text fields keep their text cursor.
    const Qt::CursorShape plain = qobject_cast<QLineEdit*>(widget) ? Qt::IBeamCursor : Qt::ArrowCursor;
    EXPECT_EQ(widget->cursor().shape(), row.pointingHand ? Qt::PointingHandCursor : plain);
    // Static texts and check boxes are black; push buttons keep the system's button text colour.
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)) {
      EXPECT_EQ(widget->palette().color(QPalette::WindowText), QColor(Qt::black));
    }
    if (qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(widget->palette().color(QPalette::ButtonText), QApplication::palette().color(QPalette::ButtonText));
    }
  }
}

TEST(SettingsLayout, SlidersHaveTheirRangesTicksAndSteps)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const struct {
    SettingsSlider* slider;
    int minimum, maximum;
  } cases[] = {
      {form.TrackBar1, 0, 50}, {form.TrackBar2, 1, 15}, {form.TrackBar3, 0, 21},
      {form.TrackBar4, 0, 50}, {form.TrackBar5, 0, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slider->objectName().toStdString());
    EXPECT_EQ(c.slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(c.slider->minimum(), c.minimum);
    EXPECT_EQ(c.slider->maximum(), c.maximum);
    EXPECT_EQ(c.slider->tickPosition(), QSlider::TicksBelow);
    EXPECT_EQ(c.slider->tickInterval(), 1);
    EXPECT_EQ(c.slider->singleStep(), 1);
    EXPECT_EQ(c.slider->pageStep(), 2);
  }
}

TEST(SettingsLayout, WindowFrameCaptionSizeAndIcon)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Tickora Settings"));
  EXPECT_EQ(form.clientArea()->geometry(), QRect(5, 5, 380, 263));
  EXPECT_EQ(form.size(), QSize(390, 273));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());  // not resizable

  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::Tool));  // no taskbar button
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));

  EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(16, 16)));
  // The window border colour of the system, as near as the palette comes: its window colour.
  EXPECT_EQ(form.backgroundRole(), QPalette::Window);
  EXPECT_TRUE(form.autoFillBackground());
}

TEST(SettingsLayout, TabOrderRunsFromTheButtonsThroughTheSliders)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  const QWidget* expected[] = {form.Button1,   form.Button2,   form.TrackBar1, form.TrackBar2, form.TrackBar3,
                               form.TrackBar4, form.CheckBox1, form.TrackBar5, form.CheckBox2, form.Edit1,
                               form.Edit2,     form.Button1};
  QWidget* at = form.Button1;
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    do
      at = at->nextInFocusChain();
    while (!(at->focusPolicy() & Qt::TabFocus) || at->parentWidget() != form.clientArea());
    EXPECT_EQ(at, expected[i]) << "stop " << i << " is " << at->objectName().toStdString();
  }
}

// At 125 %, 150 % and 200 % (Xft.dpi 120 to 192, or Qt's own scale) the window and its fonts grow
// together; font hinting at the device size must still leave every caption room in its control.
TEST(SettingsLayout, EveryCaptionIsWholeAtEveryScale)
{
  SettingsRig rig;
  SettingsWindow& form = rig.Create(ClockSettings{});
  for (const ControlRow& row : kControls) {
    if (!row.caption)
      continue;
    QWidget* control = form.findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(control, nullptr) << row.name;
    // The part of the control the text may take.
    QRect room = control->contentsRect();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      QStyleOptionButton option;
      option.initFrom(box);
      room = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    } else if (auto* button = qobject_cast<QPushButton*>(control)) {
      QStyleOptionButton option;
      option.initFrom(button);
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    for (const qreal scale : {1.0, 1.25, 1.5, 2.0}) {
      QFont font = control->font();
      font.setPointSizeF(font.pixelSize() * scale * 72.0 / 96.0);
      const qreal text = QFontMetricsF(font).horizontalAdvance(CaptionOf(control));
      EXPECT_LE(text, room.width() * scale) << row.name << " at " << scale;
    }
  }
}
