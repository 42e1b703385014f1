#include "run/settings_store.h"

namespace tallyer {

std::string* MemorySettingsStore::Find(const std::string& name) {
  for (auto& [key, value] : values_) {
    if (key == name) return &value;
  }
  return nullptr;
}

int MemorySettingsStore::ReadInt(const std::string& name, int defaultValue) {
  const std::string* value = Find(name);
  if (!value) return defaultValue;
  try {
    return std::stoi(*value);
  } catch (...) {
    return defaultValue;  // a text stored under an integer's name
  }
}

std::string MemorySettingsStore::ReadText(const std::string& name, const std::string& defaultValue) {
  const std::string* value = Find(name);
  return value ? *value : defaultValue;
}

void MemorySettingsStore::WriteInt(const std::string& name, int value) {
  WriteText(name, std::to_string(value));
}

void MemorySettingsStore::WriteText(const std::string& name, const std::string& value) {
  writes.emplace_back(name, value);
  if (std::string* stored = Find(name)) {
    *stored = value;
  } else {
    values_.emplace_back(name, value);
  }
}

}  // namespace tallyer
