#pragma once

#include <thread>

namespace orva {

// Reads the system's font configuration on a thread of its own. That is most of the first
// font lookup, and it needs nothing of Qt: begun before the application connects to the
// display, it is done, or nearly, when the window first asks for a font.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp() { Finish(); }
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  // Waits for the reading: a font lookup meanwhile would read the configuration a second
  // time instead of waiting for this one.
  void Finish();

 private:
  std::thread thread_;
};

}  // namespace orva
