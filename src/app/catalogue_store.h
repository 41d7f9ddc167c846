#pragma once

#include <future>
#include <memory>
#include <optional>

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/install_paths.h"
#include "catalogue/user_menu_save.h"
#include "grids/menu_grid_filler.h"
#include "platform/cp932_codec.h"
#include "platform/error_number.h"

namespace orva {

class FileSystem;

// The catalogue the window shows for the whole run, with the codec its files are read
// through. Its first reading, with the programs' tests, needs neither display nor widget:
// it runs on a thread of its own from before the application connects to the display.
class CatalogueStore {
 public:
  CatalogueStore(const FileSystem& files, const InstallPaths& paths);
  CatalogueStore(const CatalogueStore&) = delete;
  CatalogueStore& operator=(const CatalogueStore&) = delete;
  ~CatalogueStore() = default;  // a reading still running is waited for

  // Begins the first reading: both files, then the programs' tests and icons when nothing
  // has to be reported first. With no thread to be had, it runs when it is finished.
  void StartFirstReading();
  // Says that the application stands. Icons are decoded through Qt's image plugins, which
  // may not be looked for while the application is being made: the first reading waits for
  // this before the icons.
  void ApplicationStands();
  // Waits for the first reading (or runs it, if never started): the suite file's error.
  // On the window's thread, once the application stands.
  err::Number FinishFirstReading();
  // Reads both files again on the caller's thread: the suite file's error.
  err::Number ReadAgain();
  // Saves the user file at close, on top of a change another program made since it was
  // last read or written here.
  UserMenuSaveResult Save() {
    return SaveUserMenuAtClose(catalogue_, files_, paths_, codec_, userFileSeen_);
  }

  // What the grids are filled from: the first reading's rows, once; later, tested and
  // looked for anew.
  MenuRows TakeRows();

  Catalogue& Entries() { return catalogue_; }
  const Catalogue& Entries() const { return catalogue_; }
  const Cp932Codec& Codec() const { return codec_; }
  // The user file's error at its last reading; when the file is there but could not be
  // read, it is kept (UserMenuLeftUnread).
  err::Number UserFileError() const { return userFileError_; }

 private:
  err::Number ReadFiles();
  err::Number ReadFilesAndTestPrograms(std::shared_future<void> application);

  MenuRows TestedRows() const;

  const FileSystem& files_;
  const InstallPaths paths_;
  Cp932Codec codec_;
  Catalogue catalogue_;
  err::Number userFileError_ = err::kNone;
  UserFileSeen userFileSeen_;
  // Prepared by the first reading when both files were read as they are: until then no
  // program is tested.
  std::optional<MenuRows> firstRows_;
  bool readingStarted_ = false;
  std::future<err::Number> firstReading_;
  // Destroyed before the reading is waited for: a reading still waiting for the
  // application then ends without icons.
  std::promise<void> application_;
  bool applicationStands_ = false;
};

}  // namespace orva
