#pragma once
#include <functional>

#include <QPoint>

class QWidget;

// What the settings window needs of the clock window, so it does not depend on the window class.
class ClockWindowControl {
public:
  virtual ~ClockWindowControl() = default;
  virtual QWidget* widget() = 0;
  // The size slider sets the clock window's client width, then its height.
  virtual void SetClientSize(int width, int height) = 0;
  // Where no tray exists the clock itself offers the tray's menu (right click, at the pointer) and
  // shows the settings window (double click).
  virtual void SetContextMenuHandler(std::function<void(const QPoint& globalPos)> handler) = 0;
  virtual void SetDoubleClickHandler(std::function<void()> handler) = 0;
};
