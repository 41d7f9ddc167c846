#include "bench/works_setup.h"

#include <QApplication>

#include "bench/bench_data.h"
#include "bench/paint_counter.h"
#include "platform/error_number.h"
#include "ui/grid_designs.h"
#include "ui/works_list.h"
#include "widgets/spread_grid.h"
#include "works/works_file.h"

namespace orva::bench {

WorksSetup::WorksSetup(int records) {
  if (records > 0) prefix_.Write(kWorksFile, BuildWorksFile(records, codec_));
}

void WorksSetup::Design(SpreadGrid& grid) const {
  DesignWorksGrid(grid);
  grid.resize(1000, 560);
  grid.show();
  QCoreApplication::processEvents();
}

void WorksSetup::Load(SpreadGrid& grid) const {
  PaintCounter counter;
  grid.viewport()->installEventFilter(&counter);
  const FileSystem& files = prefix_.Files();
  // The launcher lists whatever could be read and says nothing of the rest; so does this.
  if (files.IsPlainFile(kWorksFile)) {
    static_cast<void>(LoadWorksFile(grid, files, kWorksFile, false, codec_, dates_));
  }
  // A grid whose look did not change schedules no paint; then paint it directly.
  for (int pass = 0; counter.paints == 0 && pass < 100; ++pass) QCoreApplication::processEvents();
  if (counter.paints == 0) grid.viewport()->repaint();
  grid.viewport()->removeEventFilter(&counter);
}

}  // namespace orva::bench
