#include "works/works_file.h"

#include "catalogue/categories.h"

namespace orva {

std::string_view TrimmedField(std::string_view field) {
  while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
  return field;
}

std::string WorksFileName(int category) { return CategoryAt(category).worksFile; }

std::string WorksFilePath(const std::string& dataDir, int category) {
  return dataDir + WorksFileName(category);
}

bool WorksCostsHidden(int category) { return !CategoryAt(category).costsShown; }

}  // namespace orva
