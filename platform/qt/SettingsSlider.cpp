#include "platform/qt/SettingsSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {
bool IsScrollKey(int key)
{
  switch (key) {
  case Qt::Key_Left:
  case Qt::Key_Right:
  case Qt::Key_Up:
  case Qt::Key_Down:
  case Qt::Key_PageUp:
  case Qt::Key_PageDown:
  case Qt::Key_Home:
  case Qt::Key_End:
    return true;
  default:
    return false;
  }
}
}  // namespace

SettingsSlider::SettingsSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
  // actionTriggered comes after the slider position has moved and before the value follows, for
  // every user action, whether or not the position changed.
  connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
    if (action != SliderNoAction)
      emit scrolled(sliderPosition());
  });
}

void SettingsSlider::mousePressEvent(QMouseEvent* event)
{
  QSlider::mousePressEvent(event);
  if (event->button() == Qt::LeftButton)
    pressed_ = true;
}

void SettingsSlider::mouseReleaseEvent(QMouseEvent* event)
{
  QSlider::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    emit scrolled(sliderPosition());
  }
}

void SettingsSlider::keyReleaseEvent(QKeyEvent* event)
{
  QSlider::keyReleaseEvent(event);
  // Held keys repeat presses; only the real release ends the key action.
  if (!event->isAutoRepeat() && IsScrollKey(event->key()))
    emit scrolled(sliderPosition());
}
