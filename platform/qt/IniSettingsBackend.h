#pragma once
#include <memory>

#include <QString>
#include <QVariantMap>

#include "model/SettingsBackend.h"
#include "model/SettingsStore.h"

// The store as a readable INI file: [General] with the first clock's values in their order, a section
// for each other clock, kept whole by
// writing a temporary file and renaming it. A missing file is the first start; anything there that is
// not a regular file is a store that cannot be read, and is never written over.
class IniSettingsBackend : public SettingsBackend {
public:
  // The store holds nine short lines; a file larger than this is not the clock's and is neither read
  // nor written over, so a runaway file costs no memory.
  static constexpr qint64 kMaxFileBytes = 1 << 20;

  explicit IniSettingsBackend(QString filePath = DefaultPath());
  ~IniSettingsBackend() override;
  // $XDG_CONFIG_HOME (default ~/.config) /Tickora/Tickora.conf
  static QString DefaultPath();
  const QString& filePath() const { return filePath_; }

  bool Exists() const override;
  bool OpenForReading() override;
  StoredValue Read(std::string_view name) const override;
  std::size_t Write(std::span<const std::pair<std::string_view, std::int32_t>> values) override;
  bool WriteTexts(std::span<const std::pair<std::string_view, std::string_view>> values) override;
  std::vector<std::string> Sections() const override;
  bool RemoveSection(std::string_view section) override;

private:
  // Something is there, but no regular file (a FIFO, a device, a folder).
  bool IsOtherThanAFile() const;

  QString filePath_;
  QVariantMap values_;  // as last read
};

// The settings store over the INI file at `filePath`.
SettingsStore IniSettingsStore(const QString& filePath = IniSettingsBackend::DefaultPath());
