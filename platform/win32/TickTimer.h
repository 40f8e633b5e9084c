#pragma once
#include <functional>
#include <vector>

#include <windows.h>

#include "FullScreen/TickSchedule.h"

// The process's one tick timer on a hidden message-only window: single shot, armed by the schedule
// for the nearest tick of all the clocks. The window also runs tasks once the message loop runs again.
class TickTimer {
public:
  TickTimer();
  ~TickTimer();
  TickTimer(const TickTimer&) = delete;
  TickTimer& operator=(const TickTimer&) = delete;

  TickSchedule& schedule() { return schedule_; }
  void Later(std::function<void()> task);

private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Arm(int delay);

  HWND window_ = nullptr;
  std::vector<std::function<void()>> later_;
  TickSchedule schedule_;
};
