#pragma once

#include <array>

#include "catalogue/catalogue.h"

class QAction;
class QGroupBox;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QWidget;

namespace orva {

class RowMenuBar;
class SpreadGrid;

// The controls of the launcher window, by their design names. Control arrays keep their
// indexes: SSm[0] is the menu grid of category 1.
struct WindowControls {
  QWidget* client = nullptr;  // the client area every position is measured in
  QGroupBox* Frame1 = nullptr;
  QLabel* Label1 = nullptr;
  std::array<SpreadGrid*, 1> SSx{};
  SpreadGrid* SS = nullptr;
  std::array<SpreadGrid*, kCategoryCount> SSm{};  // all but [0] are created at start-up
  std::array<QLabel*, kCategoryCount> Picture1{};
  std::array<QPushButton*, kCategoryCount> Command1{};  // one button per category

  RowMenuBar* menuBar = nullptr;
  QAction* proEnd = nullptr;
  QAction* dispSELECT = nullptr;
  QMenu* DispSEt = nullptr;
  QAction* dispALL = nullptr;
  QMenu* utility = nullptr;
  QAction* setDEFORT = nullptr;
  QAction* remoto = nullptr;
  QAction* saishin = nullptr;
  QAction* HOMEPAGE = nullptr;
  QAction* SHELP = nullptr;
};

// Creates every designed control of the window, placed as designed (twips converted with
// the window's logical DPI). Only SSm[0] of the menu grids exists afterwards.
WindowControls BuildWindowDesign(QMainWindow& window);

// Gives the window its designed client area at the designed width; the window is as much
// higher as the menu bar's rows need.
void SizeToDesignedClientArea(QMainWindow& window, const WindowControls& controls);

// Creates menu grid SSm[index] as a hidden copy of the designed SSm[0].
void CreateMenuGridCopy(WindowControls& controls, int index);

}  // namespace orva
