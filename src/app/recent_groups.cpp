#include "app/recent_groups.h"

#include <QDir>

#include "app/window_settings.h"

namespace tallyer {
namespace {

QString ValueName(int i) { return QStringLiteral("RecentGroup%1").arg(i + 1); }

// The same file spelled twice (a/./b, a/../a/b) is one entry; Windows names
// ignore letter case.
bool SamePath(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
  constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
  constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
  return QDir::cleanPath(a).compare(QDir::cleanPath(b), kCase) == 0;
}

}  // namespace

RecentGroups::RecentGroups(WindowSettings& settings) : settings_(settings) {
  for (int i = 0; i < kMax; ++i) {
    const QString path = settings_.Value(ValueName(i)).toString();
    if (!path.isEmpty() && paths_.size() < kMax) paths_ << path;
  }
}

void RecentGroups::Add(const QString& path) {
  paths_.removeIf([&](const QString& p) { return SamePath(p, path); });
  paths_.prepend(path);
  while (paths_.size() > kMax) paths_.removeLast();
  Save();
}

void RecentGroups::Remove(const QString& path) {
  paths_.removeIf([&](const QString& p) { return SamePath(p, path); });
  Save();
}

void RecentGroups::Save() {
  for (int i = 0; i < kMax; ++i) {
    if (i < paths_.size()) {
      settings_.SetValue(ValueName(i), paths_[i]);
    } else {
      settings_.Remove(ValueName(i));
    }
  }
}

}  // namespace tallyer
