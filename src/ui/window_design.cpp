#include "ui/window_design.h"

#include <QAction>
#include <QGroupBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStyle>

#include "ui/category_band.h"
#include "ui/grid_designs.h"
#include "ui/twips.h"
#include "widgets/focus_mark.h"
#include "widgets/installed_family.h"
#include "widgets/row_menu_bar.h"
#include "widgets/spread_grid.h"

namespace orva {
namespace {

constexpr int kClientWidth = 7905;
constexpr int kBandHeight = CategoryBandHeight(kCategoryCount);

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString Caption(int index) { return Text(CategoryAt(index + 1).caption); }

void Place(QWidget& widget, int left, int top, int width, int height) {
  const double dpi = widget.logicalDpiX();
  widget.setGeometry(TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
                     TwipsToPixels(height, dpi));
}

QAction* BarCommand(RowMenuBar& bar, const char* caption, const char* name) {
  QAction* action = bar.AddCommand(Text(caption));
  action->setObjectName(QString::fromLatin1(name));
  return action;
}

// The program's own pictures are PNG files: read as such, not after every image plugin was
// loaded to be asked whether it knows them. Through QImage: a pixmap loaded by name asks
// the file's time for its cache key, and each such time reads the system's time zone.
QPixmap OwnPicture(const QString& path) {
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

QFont JapaneseFont(const QStringList& families, int points) {
  QFont font;
  SetSuiteFont(font, families, points);
  return font;
}

QFont MsPGothic(int points) { return JapaneseFont(GridFontFamilies(), points); }

// The Japanese system's default window font.
QFont WindowFont() {
  return JapaneseFont({Text("MS UI Gothic"), "IPAPGothic", "Noto Sans CJK JP"}, 9);
}

SpreadGrid* NewGrid(QWidget* parent, const char* name, const QString& accessibleName,
                    SpreadGrid::ViewJoins joins = SpreadGrid::ViewJoins::kAtOnce) {
  auto* grid = new SpreadGrid(parent, joins);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setAccessibleName(accessibleName);
  return grid;
}

// The bar wraps its items into rows rather than hide any behind an extension button.
void BuildMenuBar(QMainWindow& window, WindowControls& c) {
  c.menuBar = new RowMenuBar(&window);
  window.setMenuWidget(c.menuBar);
  RowMenuBar& bar = *c.menuBar;
  c.proEnd = BarCommand(bar, "終了(&X)", "proEnd");
  c.dispSELECT = BarCommand(bar, "画面切替(&S)", "dispSELECT");
  c.DispSEt = bar.AddMenu(Text("表示設定(&D)"));
  c.DispSEt->setObjectName("DispSEt");
  c.dispALL = c.DispSEt->addAction(Text("すべて表示"));
  c.dispALL->setObjectName("dispALL");
  c.dispALL->setCheckable(true);
  c.dispALL->setChecked(true);
  c.utility = bar.AddMenu(Text("機能(&U)"));
  c.utility->setObjectName("utility");
  c.setDEFORT = c.utility->addAction(Text("初期状態に戻す"));
  c.setDEFORT->setObjectName("setDEFORT");
  c.remoto = BarCommand(bar, "遠隔操作[TeamViewer](&R)", "remoto");
  c.saishin = BarCommand(bar, "最新データアッブデート", "saishin");
  c.HOMEPAGE = BarCommand(bar, "ホームページ(&O)", "HOMEPAGE");
  c.SHELP = BarCommand(bar, "ヘルプ(&H)", "SHELP");
}

// A caption too wide for its button wraps before its bracket, as captions of the
// Japanese system's buttons do; the accessible name keeps the caption whole.
void SetWrappedCaption(QPushButton& button, const QString& caption) {
  button.setAccessibleName(caption);
  const int room = button.width() - 2 * button.style()->pixelMetric(QStyle::PM_ButtonMargin);
  const int bracket = caption.indexOf('(');
  if (bracket > 0 && button.fontMetrics().horizontalAdvance(caption) > room) {
    button.setText(caption.left(bracket) + '\n' + caption.mid(bracket));
  } else {
    button.setText(caption);
  }
}

}  // namespace

WindowControls BuildWindowDesign(QMainWindow& window) {
  WindowControls c;
  window.setObjectName("stMenu");
  window.setWindowTitle(Text("ORVA土木積算システム"));
  window.setWindowIcon(QIcon(OwnPicture(":/icons/window.png")));
  window.setFont(WindowFont());

  c.client = new QWidget(&window);
  window.setCentralWidget(c.client);
  BuildMenuBar(window, c);

  for (int i = 0; i < kCategoryCount; ++i) {
    auto* button = new FocusMarkedButton(c.client);
    button->setObjectName(QString("Command1_%1").arg(i));
    button->setAutoFillBackground(true);
    Place(*button, 480, kCategoryButtonPitch * i, 1335, kCategoryButtonHeight);
    SetWrappedCaption(*button, Caption(i));
    c.Command1[i] = button;

    auto* picture = new QLabel(c.client);
    picture->setObjectName(QString("Picture1_%1").arg(i));
    picture->setPixmap(OwnPicture(":/icons/" + Text(CategoryAt(i + 1).icon)));
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleName(Caption(i));
    Place(*picture, 0, kCategoryButtonPitch * i, 495, 495);
    c.Picture1[i] = picture;
  }

  c.SSm[0] = NewGrid(c.client, "SSm_0", Caption(0));
  DesignMenuGrid(*c.SSm[0]);
  Place(*c.SSm[0], 1800, 0, 9375, kBandHeight);

  // Shown once a works list is asked for: its header titles are measured then.
  c.SS = NewGrid(c.client, "SS", Text("工事一覧"), SpreadGrid::ViewJoins::kWhenShown);
  DesignWorksGrid(*c.SS);
  Place(*c.SS, 0, DesignedWorksGridTop(kCategoryCount), 11175, 4455);

  c.SSx[0] = NewGrid(c.client, "SSx_0", Text("全分類の一覧"));
  DesignCombinedGrid(*c.SSx[0]);
  Place(*c.SSx[0], 3360, 0, 11175, kBandHeight);

  c.Frame1 = new QGroupBox(Text("遠隔操作ソフト"), c.client);
  c.Frame1->setObjectName("Frame1");
  c.Frame1->setAutoFillBackground(true);
  Place(*c.Frame1, 2280, 360, 4335, 1695);
  c.Label1 = new QLabel(Text("起動中\u3000しばらくお待ちください"), c.Frame1);
  c.Label1->setObjectName("Label1");
  c.Label1->setFont(MsPGothic(12));
  Place(*c.Label1, 360, 600, 3615, 735);

  // Later controls lie on top: the combined grid covers buttons and menu grids, the
  // start-up notice covers everything.
  c.SSx[0]->raise();
  c.Frame1->raise();

  // Tab order of the design: buttons, menu grid, works grid, combined grid.
  QWidget* previous = c.Command1[0];
  for (int i = 1; i < kCategoryCount; ++i) {
    QWidget::setTabOrder(previous, c.Command1[i]);
    previous = c.Command1[i];
  }
  for (QWidget* next : {static_cast<QWidget*>(c.SSm[0]), static_cast<QWidget*>(c.SS),
                        static_cast<QWidget*>(c.SSx[0])}) {
    QWidget::setTabOrder(previous, next);
    previous = next;
  }

  SizeToDesignedClientArea(window, c);
  return c;
}

void SizeToDesignedClientArea(QMainWindow& window, const WindowControls& controls) {
  const double dpi = window.logicalDpiX();
  const int width = TwipsToPixels(kClientWidth, dpi);
  window.resize(width, TwipsToPixels(DesignedClientHeight(kCategoryCount), dpi) +
                           controls.menuBar->heightForWidth(width));
}

void CreateMenuGridCopy(WindowControls& controls, int index) {
  SpreadGrid* designed = controls.SSm[0];
  // Hidden until its category is chosen, perhaps never in a session.
  SpreadGrid* grid =
      NewGrid(controls.client, "", Caption(index), SpreadGrid::ViewJoins::kWhenShown);
  grid->setObjectName(QString("SSm_%1").arg(index));
  DesignMenuGrid(*grid);
  grid->setGeometry(designed->geometry());
  grid->setFocusPolicy(designed->focusPolicy());  // none while the combined grid covers them
  grid->hide();
  grid->stackUnder(controls.SSx[0]);
  QWidget::setTabOrder(controls.SSm[index - 1], grid);
  controls.SSm[index] = grid;
}

}  // namespace orva
