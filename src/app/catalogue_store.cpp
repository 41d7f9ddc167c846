#include "app/catalogue_store.h"

#include "catalogue/catalogue_files.h"

namespace orva {

CatalogueStore::CatalogueStore(const FileSystem& files, const InstallPaths& paths)
    : files_(files), paths_(paths) {}

void CatalogueStore::StartFirstReading() {
  if (firstReading_.valid()) return;
  firstReading_ = std::async(std::launch::async | std::launch::deferred,
                             [this] { return ReadFilesAndTestPrograms(); });
}

err::Number CatalogueStore::FinishFirstReading() {
  StartFirstReading();
  return firstReading_.get();
}

err::Number CatalogueStore::ReadAgain() { return ReadFiles(); }

err::Number CatalogueStore::ReadFiles() {
  userFileError_ = LoadUserMenu(catalogue_, files_, paths_.userMenuIniPath, codec_);
  return LoadSuiteMenu(catalogue_, files_, paths_.menuIniPath, paths_.driveRoot, codec_);
}

err::Number CatalogueStore::ReadFilesAndTestPrograms() {
  const err::Number suiteError = ReadFiles();
  // A user file that has to be reported is reported before any program is tested; a suite
  // file that could not be read ends the start-up untested.
  if (suiteError == err::kNone && userFileError_ == err::kNone) {
    firstRows_.emplace(TestedRows());
  }
  return suiteError;
}

MenuRows CatalogueStore::TestedRows() const {
  return MenuRows(catalogue_, files_, IconFinder(files_, paths_.iconDir, paths_.installDir));
}

MenuRows CatalogueStore::TakeRows() {
  MenuRows rows = firstRows_ ? std::move(*firstRows_) : TestedRows();
  firstRows_.reset();  // a later fill tests anew
  return rows;
}

}  // namespace orva
