#pragma once
#include <functional>

#include <QAbstractNativeEventFilter>
#include <QByteArray>

// Whether an X selection of the clock's screen has an owner, kept up to date from the X server's own
// notices of it changing hands, so no tick has to ask: "_NET_WM_CM_S" (a compositing manager runs),
// "_NET_SYSTEM_TRAY_S" (a system tray). Without X11 the selection counts as owned.
class SelectionWatch : public QAbstractNativeEventFilter {
public:
  // `prefix` is completed with the screen number; `changed` runs whenever the selection gains or loses
  // its owner.
  SelectionWatch(const QByteArray& prefix, std::function<void(bool owned)> changed);
  ~SelectionWatch() override;
  SelectionWatch(const SelectionWatch&) = delete;
  SelectionWatch& operator=(const SelectionWatch&) = delete;

  bool owned() const { return owned_; }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
  std::function<void(bool)> changed_;
  bool owned_ = true;
  unsigned long selection_ = 0;  // the selection's atom
  int selectionNotify_ = -1;     // the XFixes event that reports a new owner
};
