#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace orva::test {

struct LogLine {
  QString category;
  QString text;
};

// The launcher's own log lines (categories "orva.*") while it lives.
class LogCatcher {
 public:
  LogCatcher() {
    current_ = this;
    previous_ = qInstallMessageHandler(&Handle);
  }
  ~LogCatcher() {
    qInstallMessageHandler(previous_);
    current_ = nullptr;
  }
  LogCatcher(const LogCatcher&) = delete;
  LogCatcher& operator=(const LogCatcher&) = delete;
  std::vector<LogLine> lines;

 private:
  static void Handle(QtMsgType, const QMessageLogContext& context, const QString& text) {
    const QString category = QString::fromUtf8(context.category ? context.category : "");
    if (current_ && category.startsWith("orva.")) current_->lines.push_back({category, text});
  }
  static inline LogCatcher* current_ = nullptr;
  QtMessageHandler previous_ = nullptr;
};

}  // namespace orva::test
