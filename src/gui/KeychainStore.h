#pragma once
// The system's keyring through QtKeychain (Secret Service on Linux,
// Credential Manager on Windows): entries of the service "Morvanta". Never
// falls back to a plain file. Each request waits for its answer in a local
// event loop, as a modal dialog would.

#include "forms/PasswordStore.h"

namespace morvanta::gui {

class KeychainStore : public forms::PasswordStore {
 public:
  std::optional<std::u16string> read(const std::u16string& key) override;
  void write(const std::u16string& key, const std::u16string& password) override;
};

}  // namespace morvanta::gui
