#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tallyer {

// What the window keeps for itself beside the options of a run: its size and
// place, the recent groups, the period preset. Values are Qt's own (paths stay
// native, never CP932). An absent value reads as an invalid QVariant.
class WindowSettings {
 public:
  virtual ~WindowSettings() = default;
  virtual QVariant Value(const QString& name) const = 0;
  virtual void SetValue(const QString& name, const QVariant& value) = 0;
  virtual void Remove(const QString& name) = 0;
};

// Held in memory; for tests and for a window that must not touch the user's store.
class MemoryWindowSettings : public WindowSettings {
 public:
  QVariant Value(const QString& name) const override { return values.value(name); }
  void SetValue(const QString& name, const QVariant& value) override { values.insert(name, value); }
  void Remove(const QString& name) override { values.remove(name); }

  QVariantMap values;
};

}  // namespace tallyer
