#pragma once
#include <QSlider>

// A horizontal slider that reports every scroll notification the user causes: each thumb move, each
// arrow or page step (also at an end of the range, where the position does not change), and once more
// when the drag, the page repeat or the key ends. Positions set by the program are not reported.
class SettingsSlider : public QSlider {
  Q_OBJECT
public:
  explicit SettingsSlider(QWidget* parent = nullptr);

signals:
  void scrolled(int position);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

private:
  bool pressed_ = false;  // the left button went down on this slider
};
