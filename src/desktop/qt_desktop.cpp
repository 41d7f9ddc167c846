#include "desktop/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "desktop/handover_failure.h"
#include "desktop/host_path_text.h"
#include "desktop/log_categories.h"
#include "desktop/program_start.h"
#include "platform/detached_process.h"
#include "platform/drive_table.h"
#include "platform/error_codes.h"

namespace orva {
namespace {

Qt::CursorShape Shape(Desktop::Cursor cursor) {
  switch (cursor) {
    case Desktop::Cursor::Wait: return Qt::WaitCursor;
    case Desktop::Cursor::ArrowWait: return Qt::BusyCursor;
    case Desktop::Cursor::Default: break;
  }
  return Qt::ArrowCursor;
}

QMessageBox::Icon BoxIcon(Desktop::Icon icon) {
  switch (icon) {
    case Desktop::Icon::Information: return QMessageBox::Information;
    case Desktop::Icon::Warning: return QMessageBox::Warning;
    case Desktop::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

// Qt reads a filter's pattern list only from these characters and splits it at blanks;
// anything else (a blank, a Japanese letter) stands as "?" so one name stays one pattern.
QString QtPattern(const QString& pattern) {
  static const QString kKept = QStringLiteral("_.,*?+;#-[]@{}/!<>$%&=^~:|");
  QString result;
  for (QChar c : pattern) {
    const bool kept = (c.unicode() < 128 && c.isLetterOrNumber()) || kKept.contains(c);
    result += kept ? c : QChar(u'?');
  }
  return result;
}

// "description|pattern" pairs in Qt's "description (pattern)" form; a pair without a
// pattern offers nothing and is left out.
QStringList QtNameFilters(const QStringList& pairs) {
  QStringList filters;
  for (int i = 0; i + 1 < pairs.size(); i += 2) {
    if (pairs[i + 1].isEmpty()) continue;
    filters << QString("%1 (%2)").arg(pairs[i], QtPattern(pairs[i + 1]));
  }
  return filters;
}

// Room the window manager takes beside the title: the window icon and three title-bar
// buttons, with some spare for a theme's larger ones.
constexpr int kTitleBarDecoration = 160;

// The title as the window manager shows it: Qt adds the application's display name.
QString DisplayedTitle(const QString& title) {
  const QString application = QGuiApplication::applicationDisplayName();
  if (application.isEmpty() || title == application) return title;
  return title + QString::fromUtf8(" \u2014 ") + application;
}

// Qt sizes a message box for its text alone and fixes that size; a box shorter than its
// title has the title cut. A spacer in the box's own layout widens it, within the screen.
void FitTitle(QMessageBox& box) {
  auto* layout = qobject_cast<QGridLayout*>(box.layout());
  if (!layout) return;
  const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
  int width = metrics.horizontalAdvance(DisplayedTitle(box.windowTitle())) + kTitleBarDecoration;
  const QScreen* screen = box.screen();
  if (screen) width = std::min(width, screen->availableGeometry().width());
  const QMargins margins = box.contentsMargins() + layout->contentsMargins();
  width -= margins.left() + margins.right();
  if (width <= 0) return;
  layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                  layout->rowCount(), 0, 1, layout->columnCount());
}

}  // namespace

void QtDesktop::ShowMessage(QWidget* parent, const QString& text, const QString& title, Icon icon) {
  QMessageBox box(BoxIcon(icon), title, text, QMessageBox::Ok, parent);
  FitTitle(box);
  box.exec();
}

bool QtDesktop::AskOkCancel(QWidget* parent, const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  FitTitle(box);
  return box.exec() == QMessageBox::Ok;
}

Result<QString> QtDesktop::ChooseOpenFile(QWidget* parent, const OpenFileRequest& request) {
  QString folder;
  if (auto host = drives_.ToHost(request.initialFolder.toStdString())) {
    folder = HostPathText(*host);
  }
  QFileDialog dialog(parent, request.title, folder);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setNameFilters(QtNameFilters(request.filters));
  if (!request.fileName.isEmpty()) {
    if (auto host = drives_.ToHost(request.fileName.toStdString())) {
      dialog.selectFile(QFileInfo(HostPathText(*host)).fileName());
    }
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return err::kCancel;
  }
  auto windows = drives_.ToWindows(HostPathOfText(dialog.selectedFiles().first()));
  if (!windows) return err::kBadFileName;
  return QString::fromStdString(*windows);
}

bool QtDesktop::StartProgram(QWidget* parent, const Handover& program) {
  ProgramStart start = StartProgramFile(program.target, feedback_.Announce(program.target));
  if (!start) {
    const FailureReason why = start.wineMissing      ? WineMissing()
                              : start.wineLacks32Bit ? WineLacks32Bit()
                                                     : NotExecuted(start.error);
    TellFailure(parent, program, Kind::Program, why.forUser, why.forLog);
    return false;
  }
  feedback_.Begin();
  if (!start.watch) return true;
  return WatchFirstMoments(program, std::move(*start.watch),
                           [this, parent = QPointer<QWidget>(parent), program](int status) {
                             const FailureReason why = ProgramEndedAtOnce(status);
                             TellFailure(parent, program, Kind::Program, why.forUser, why.forLog);
                           });
}

bool QtDesktop::WatchFirstMoments(const Handover& handover, StartWatch watch,
                                  EarlyFailureWatch::Failed tell) {
  const auto failed = std::make_shared<bool>(false);
  const EarlyFailureWatch::Ticket ticket =
      watch_.Watch(std::move(watch), [failed, tell = std::move(tell)](int status) {
        *failed = true;
        tell(status);
      });
  if (!handover.awaitFirstMoments) return true;
  QApplication::setOverrideCursor(Qt::BusyCursor);
  watch_.WaitFor(ticket);
  QApplication::restoreOverrideCursor();
  return !*failed;
}

bool QtDesktop::OpenDocument(QWidget* parent, const Handover& document) {
  QUrl url(document.target);
  if (url.scheme().size() <= 1) url = QUrl::fromLocalFile(document.target);
  const Kind kind = url.isLocalFile() ? Kind::Document : Kind::Address;
  const bool address = kind == Kind::Address;
#ifndef Q_OS_WIN
  // Qt's own opener would hand the browser or viewer the launcher's blocked signals and
  // open descriptors; the desktop's opener started cleanly gets neither.
  const QString opener = QStandardPaths::findExecutable("xdg-open");
  if (!opener.isEmpty()) {
    const QString target = url.isLocalFile() ? url.toLocalFile() : url.toString();
    DetachedStart start =
        StartDetachedProcess(opener.toStdString(), {target.toStdString()}, kFirstMoments);
    if (start.error != 0) {
      const FailureReason why = NotExecuted(start.error);
      TellFailure(parent, document, kind, why.forUser, "xdg-open: " + why.forLog);
      return false;
    }
    return WatchFirstMoments(
        document, std::move(*start.watch),
        [this, parent = QPointer<QWidget>(parent), document, kind, address](int status) {
          const FailureReason why = OpenerEndedAtOnce(status, address);
          TellFailure(parent, document, kind, why.forUser, why.forLog);
        });
  }
#endif
  if (QDesktopServices::openUrl(url)) return true;
  const FailureReason why = NoOpener(address);
  TellFailure(parent, document, kind, why.forUser, why.forLog);
  return false;
}

void QtDesktop::TellFailure(QPointer<QWidget> parent, const Handover& handover, Kind kind,
                            const QString& forUser, const QString& forLog) {
  const bool program = kind == Kind::Program;
  const QString shown = handover.windowsPath.isEmpty() ? handover.target : handover.windowsPath;
  const QLoggingCategory& category = program ? lcStart() : lcOpen();
  if (kind == Kind::Address) {
    qCWarning(category).noquote() << "cannot open" << handover.target << "-" << forLog;
  } else {
#ifdef Q_OS_WIN
    qCWarning(category).noquote() << (program ? "cannot start" : "cannot open") << shown << "-"
                                  << forLog;
#else
    qCWarning(category).noquote() << (program ? "cannot start" : "cannot open") << shown
                                  << "(host path" << handover.target + ")"
                                  << "-" << forLog;
#endif
  }
  if (program) feedback_.End();
  // A window that is closed by now leaves the box on its own.
  QWidget* over = parent && parent->isVisible() ? parent.data() : nullptr;
  if (program) {
    ShowMessage(over, StartFailureText(shown, forUser), QString::fromUtf8("起動エラー"),
                Icon::Warning);
  } else {
    ShowMessage(over, OpenFailureText(shown, kind == Kind::Address, forUser),
                QString::fromUtf8("エラー"), Icon::Warning);
  }
}

bool QtDesktop::Watching() const { return watch_.Watching(); }

void QtDesktop::FinishWatching() { watch_.WaitForAll(); }

void QtDesktop::SetWindowCursor(QWidget* window, Cursor cursor) {
  if (cursor == Cursor::Default) {
    window->unsetCursor();
  } else {
    window->setCursor(Shape(cursor));
  }
}

void QtDesktop::SetApplicationCursor(Cursor cursor) {
  if (cursor == Cursor::Default) {
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  } else {
    QApplication::setOverrideCursor(Shape(cursor));
  }
}

void QtDesktop::ProcessEvents() { QApplication::processEvents(); }

}  // namespace orva
