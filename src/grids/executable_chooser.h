#pragma once

#include <optional>
#include <string>

class QWidget;

namespace orva {

class Desktop;

// Lets the user pick a program file for an item: the chosen file, or nullopt when nothing
// was chosen (cancel is silent, any other failure is reported). currentPath is left holding
// only its file-name part.
std::optional<std::string> ChooseExecutable(Desktop& desktop, QWidget* parent,
                                            std::string& currentPath);

}  // namespace orva
