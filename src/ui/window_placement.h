#pragma once

#include <QObject>

class QSettings;
class QWidget;

namespace orva {

// The window's place and size between runs, in the user's own settings (never in the
// suite's folder, which other users share). The first run keeps the designed size as far as
// the screen holds it; a place that is off the screens now (a monitor gone, a lower
// resolution, a larger scale) is moved onto one.
class WindowPlacementKeeper : public QObject {
 public:
  // Places `window`, not shown yet, as the last run left it, and keeps its placement when
  // it closes. The works grid's part is not kept: the list opens by growing the window.
  WindowPlacementKeeper(QWidget& window, const QWidget& worksGrid, QSettings& settings);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Restore();
  void Save();

  QWidget& window_;
  const QWidget& worksGrid_;
  QSettings& settings_;
};

}  // namespace orva
