#pragma once

#include <cstdint>
#include <string>

class QWidget;

namespace orva {

class Desktop;

// Lets the user pick a program file for an item. currentPath is left holding only its
// file-name part; cancelled is 1 when nothing was chosen (cancel is silent, any other
// failure is reported), 0 when chosenPath holds the chosen file.
void ChooseExecutable(Desktop& desktop, QWidget* parent, std::string& currentPath,
                      std::string& chosenPath, std::int16_t& cancelled);

}  // namespace orva
