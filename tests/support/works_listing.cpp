#include "support/works_listing.h"

#include "support/install_tree.h"
#include "ui/works_list.h"
#include "works/era_date.h"

namespace orva::test {

int ListWorks(SpreadGrid& grid, std::string_view fileBytes, bool costsHidden) {
  const InstallTree tree;
  constexpr std::string_view kPath = "C:\\DATA\\n_KOJI.RDM";
  tree.WriteBytes(kPath, fileBytes);
  const EraDateFormatter dates;
  return LoadWorksFile(grid, tree.Files(), std::string(kPath), costsHidden, tree.Codec(), dates);
}

}  // namespace orva::test
