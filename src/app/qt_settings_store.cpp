#include "app/qt_settings_store.h"

#include <QSettings>

#include "app/qt_text.h"

namespace tallyer {
namespace {

const QString kSection = QStringLiteral("Property");

QString Key(const std::string& name) { return QString::fromStdString(name); }

}  // namespace

QtSettingsStore::QtSettingsStore() : settings_(std::make_unique<QSettings>()) {
  settings_->beginGroup(kSection);
}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {
  settings_->beginGroup(kSection);
}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::ReadInt(const std::string& name, int defaultValue) {
  const QVariant value = settings_->value(Key(name));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  const int number = value.toInt(&ok);
  // A value edited by hand into something else than a number counts as missing.
  return ok ? number : defaultValue;
}

std::string QtSettingsStore::ReadText(const std::string& name, const std::string& defaultValue) {
  const QVariant value = settings_->value(Key(name));
  if (!value.isValid()) return defaultValue;
  return ToCp932(value.toString());
}

void QtSettingsStore::WriteInt(const std::string& name, int value) {
  settings_->setValue(Key(name), value);
  settings_->sync();
}

void QtSettingsStore::WriteText(const std::string& name, const std::string& value) {
  settings_->setValue(Key(name), FromCp932(value));
  settings_->sync();
}

QVariant QtSettingsStore::Value(const QString& name) const { return settings_->value(name); }

void QtSettingsStore::SetValue(const QString& name, const QVariant& value) {
  settings_->setValue(name, value);
  settings_->sync();
}

void QtSettingsStore::Remove(const QString& name) {
  settings_->remove(name);
  settings_->sync();
}

}  // namespace tallyer
