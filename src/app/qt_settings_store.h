#pragma once

#include <QString>
#include <memory>

#include "app/window_settings.h"
#include "run/settings_store.h"

class QSettings;

namespace tallyer {

// The settings store on QSettings, section "Property". Qt's native per-user
// store is the registry key Software\Zanbo\Planwell 集計ツール on Windows and a
// file under ~/.config/Zanbo on Linux. Texts are kept in Unicode there and
// converted from and to the core's CP932 here. The window's own values live in
// the same section. Every write reaches the store at once, so the options of a
// run survive whatever happens after it.
class QtSettingsStore : public SettingsStore, public WindowSettings {
 public:
  // The program's own per-user store (organisation and application names of
  // the QCoreApplication).
  QtSettingsStore();
  // An INI file at `iniPath`; used by tests, never touching the user's store.
  explicit QtSettingsStore(const QString& iniPath);
  ~QtSettingsStore() override;

  int ReadInt(const std::string& name, int defaultValue) override;
  std::string ReadText(const std::string& name, const std::string& defaultValue) override;
  void WriteInt(const std::string& name, int value) override;
  void WriteText(const std::string& name, const std::string& value) override;

  QVariant Value(const QString& name) const override;
  void SetValue(const QString& name, const QVariant& value) override;
  void Remove(const QString& name) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tallyer
