#pragma once

#include <QEvent>
#include <QObject>

namespace orva::bench {

// Counts paints, to be sure a timed stretch ends with a painted widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace orva::bench
