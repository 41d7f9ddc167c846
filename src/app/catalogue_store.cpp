#include "app/catalogue_store.h"

#include "catalogue/catalogue_files.h"

namespace orva {

CatalogueStore::CatalogueStore(const FileSystem& files, const InstallPaths& paths)
    : files_(files), paths_(paths) {}

void CatalogueStore::StartFirstReading() {
  if (readingStarted_) return;
  readingStarted_ = true;
  firstReading_ = std::async(std::launch::async | std::launch::deferred,
                             [this, application = application_.get_future().share()] {
                               return ReadFilesAndTestPrograms(application);
                             });
}

err::Number CatalogueStore::FinishFirstReading() {
  StartFirstReading();
  ApplicationStands();  // a reading with no thread of its own runs here, and needs it
  return firstReading_.get();
}

err::Number CatalogueStore::ReadAgain() { return ReadFiles(); }

err::Number CatalogueStore::ReadFiles() {
  userFileError_ = LoadUserMenu(catalogue_, files_, paths_.userMenuIniPath, codec_, &userFileSeen_);
  return LoadSuiteMenu(catalogue_, files_, paths_.menuIniPath, paths_.driveRoot, codec_);
}

void CatalogueStore::ApplicationStands() {
  if (applicationStands_) return;
  applicationStands_ = true;
  application_.set_value();
}

err::Number CatalogueStore::ReadFilesAndTestPrograms(std::shared_future<void> application) {
  const err::Number suiteError = ReadFiles();
  // A user file that has to be reported is reported before any program is tested; a suite
  // file that could not be read ends the start-up untested.
  if (suiteError != err::kNone || userFileError_ != err::kNone) return suiteError;
  firstRows_.emplace(TestedRows());
  try {
    application.get();
  } catch (const std::future_error&) {
    firstRows_.reset();  // the store is going: no window will show them
    return suiteError;
  }
  firstRows_->FindIcons(catalogue_);
  return suiteError;
}

MenuRows CatalogueStore::TestedRows() const {
  return MenuRows(catalogue_, files_, IconFinder(files_, paths_.iconDir, paths_.installDir));
}

MenuRows CatalogueStore::TakeRows() {
  if (firstRows_) {
    MenuRows rows = std::move(*firstRows_);
    firstRows_.reset();  // a later fill tests anew
    return rows;
  }
  MenuRows rows = TestedRows();
  rows.FindIcons(catalogue_);
  return rows;
}

}  // namespace orva
