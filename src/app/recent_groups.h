#pragma once

#include <QString>
#include <QStringList>

namespace tallyer {

class WindowSettings;

// The last groups that loaded, newest first, at most five, kept in the
// window's settings as "RecentGroup1" … "RecentGroup5" (native paths).
class RecentGroups {
 public:
  static constexpr int kMax = 5;

  explicit RecentGroups(WindowSettings& settings);

  const QStringList& Paths() const { return paths_; }
  // Puts the path first (once), drops the oldest beyond five, and saves.
  void Add(const QString& path);
  void Remove(const QString& path);

 private:
  void Save();

  WindowSettings& settings_;
  QStringList paths_;
};

}  // namespace tallyer
