#pragma once
// The FTP password without the configuration file. With
// FTP-PASSWORD-KEYRING=YES the password of a host is taken, when a job for
// it is about to be written, from what this run already knows, else from
// the desktop's keyring (service "Morvanta", key "<address>/<user>"), else
// from the user, who may have it kept in the keyring. It goes only into the
// job's script: never into a control, a message or a log. A login the host
// refuses makes the next job ask again.
// Without the key, FTP-PASSWORD is used as written, as it always was.

#include <map>
#include <set>
#include <string>

namespace morvanta {
class MainForm;
}
namespace morvanta::jobs {
struct Job;
}

namespace morvanta::app {

// Told when the password could not be kept in the keyring; the reason
// follows. The password still serves until the program ends.
inline constexpr char16_t kKeyringWriteFailedMessage[] =
    u"パスワードをキーリングに保存できませんでした。終了するまでは入力したパスワードを使います: ";
// The service name under which the passwords are kept.
inline constexpr char16_t kKeyringService[] = u"Morvanta";

// The passwords of this run, by keyring key.
struct SessionPasswords {
  std::map<std::u16string, std::u16string> known;
  // Keys whose password a host refused: the keyring's copy is not read again.
  std::set<std::u16string> refused;
};

// "<address>/<user>".
std::u16string passwordKey(const std::u16string& address, const std::u16string& user);

// Makes pub.ftpPassword the password for a job on `address`. False when
// the user gave none (cancelled, or a password a script cannot hold, which
// is told): the command then stops with nothing written.
bool preparePassword(MainForm& form, const std::u16string& address);

// After a job ended: when the host refused the login, the passwords of this
// run are forgotten, so the next job asks for them.
void forgetRefusedPasswords(MainForm& form, const jobs::Job& job);

}  // namespace morvanta::app
