#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/catalogue_files.h"
#include "catalogue/install_paths.h"
#include "platform/error_number.h"
#include "platform/file_system.h"

namespace orva {

class Cp932Codec;

struct UserMenuSaveResult {
  err::Number error = err::kNone;
  FileSystem::SaveNotes notes;
  // Another program had changed the file since this run last read or wrote it.
  bool changedElsewhere = false;
  bool written = false;
};

// The close's save of the user catalogue file. A file still as this run last read or wrote
// it (`seen`) takes the whole catalogue, and so does one that cannot be read now. A file
// another program changed meanwhile keeps that change: the executables this run chose are
// written on top of it as it now is, merged with the suite file as at start-up (an entry it
// no longer holds comes back with them); when this run chose none, it stays as it is. After
// a whole write, `seen` is what was written.
UserMenuSaveResult SaveUserMenuAtClose(const Catalogue& catalogue, const FileSystem& files,
                                       const InstallPaths& paths, const Cp932Codec& codec,
                                       UserFileSeen& seen);

}  // namespace orva
