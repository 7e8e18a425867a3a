// TPasswordStore: the three access passwords (1 Start, 2 Print, 3 View/Edit)
// kept in the data folder as salted Argon2id hashes, never as the passwords.
//
// File "Passwords.INI" (Windows-1252 text, lines ended by CR LF):
//   [Passwords]
//   1=<hash of the Start password, or empty>
//   2=<hash of the Print password, or empty>
//   3=<hash of the View/Edit password, or empty>
// Each hash is the text libsodium's crypto_pwhash_str makes
// ("$argon2id$v=19$m=...,t=...,p=...$salt$hash"). An empty or missing item
// means that password is not set; so does a store file that does not exist.
//
// Callers may rely on:
//  - Load() throws EPasswordStore with a message when the file exists but
//    cannot be read, has no [Passwords] section, or holds an item that is no
//    Argon2id hash: a damaged store never reads as "no password";
//  - Set() hashes the new password (an empty one clears the item) and writes
//    the whole file through a temporary file renamed over the old one, with
//    mode 0600; when it throws, neither the file nor this object changed;
//  - the other items keep their hashes when one item is set;
//  - Matches() compares exactly (letter case matters); an item not set
//    matches only the empty text.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace zelvora {

enum class TPasswordItem { Start = 1, Print = 2, View = 3 };

class EPasswordStore : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How much work and memory one hash costs. Interactive is libsodium's
// interactive limit; Fastest its minimum, for tests that make many hashes.
struct TPasswordCost {
  unsigned long long ops;
  std::size_t mem;
  static TPasswordCost Interactive();
  static TPasswordCost Fastest();
};

class TPasswordStore {
 public:
  static constexpr const char* kFileName = "Passwords.INI";
  static constexpr const char* kSection = "Passwords";

  explicit TPasswordStore(std::string path, TPasswordCost cost = TPasswordCost::Interactive());

  const std::string& Path() const { return path_; }
  void Load();

  bool IsSet(TPasswordItem item) const { return !Hash(item).empty(); }
  bool Matches(TPasswordItem item, const std::string& text) const;
  void Set(TPasswordItem item, const std::string& text);

  // The stored hash text, empty when the item is not set.
  const std::string& Hash(TPasswordItem item) const;

  // Whether `hash` verifies `text` (an empty hash verifies only "").
  static bool Verify(const std::string& hash, const std::string& text);
  // "1.0.18": the hashing library's version, for the About box.
  static std::string LibraryVersion();

 private:
  std::string FileText(const std::array<std::string, 3>& hashes) const;
  void WriteFile(const std::string& bytes) const;

  std::string path_;
  TPasswordCost cost_;
  std::array<std::string, 3> hashes_;
};

}  // namespace zelvora
