#pragma once
// Where the FTP password is kept when it is not written in the
// configuration file: the system's keyring in the window, a map in tests.
// The commands only see this interface; none of them knows the keyring.

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace morvanta::forms {

// The keyring cannot be reached or refused the request; what() says why
// (UTF-8) and never holds the password.
class PasswordStoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PasswordStore {
 public:
  virtual ~PasswordStore() = default;
  // The password kept under `key`, nothing when none is. Throws
  // PasswordStoreError.
  virtual std::optional<std::u16string> read(const std::u16string& key) = 0;
  // Keeps `password` under `key`, replacing what was there. Throws
  // PasswordStoreError.
  virtual void write(const std::u16string& key, const std::u16string& password) = 0;
};

// A store in memory: tests, and a desktop without a keyring.
class MemoryPasswordStore : public PasswordStore {
 public:
  std::map<std::u16string, std::u16string> entries;
  int reads = 0;
  int writes = 0;
  // When set, every request fails with this reason, as an absent keyring.
  std::string failure;

  std::optional<std::u16string> read(const std::u16string& key) override {
    ++reads;
    if (!failure.empty()) throw PasswordStoreError(failure);
    const auto found = entries.find(key);
    if (found == entries.end()) return std::nullopt;
    return found->second;
  }
  void write(const std::u16string& key, const std::u16string& password) override {
    ++writes;
    if (!failure.empty()) throw PasswordStoreError(failure);
    entries[key] = password;
  }
};

// What the password question shows: whose password is asked for.
struct PasswordRequest {
  std::u16string host;  // the address the job opens
  std::u16string user;
};

// What the user typed, and whether to keep it in the keyring.
struct PasswordReply {
  std::u16string password;
  bool keep = false;
};

}  // namespace morvanta::forms
