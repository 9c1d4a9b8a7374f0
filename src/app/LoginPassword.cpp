#include "app/LoginPassword.h"

#include <optional>

#include "app/JobValueCheck.h"
#include "app/MainForm.h"
#include "jobs/Job.h"
#include "platform/Platform.h"

namespace morvanta::app {

namespace {

// How the job runner names a refused login in a job's reason.
constexpr char16_t kLoginRefusedReason[] = u"login refused";

std::optional<std::u16string> keptPassword(MainForm& form, const std::u16string& key) {
  forms::PasswordStore* store = form.desktop.passwordStore();
  if (store == nullptr || form.sessionPasswords.refused.contains(key)) return std::nullopt;
  try {
    return store->read(key);
  } catch (const forms::PasswordStoreError&) {
    // A keyring that cannot be reached is as good as an empty one: the
    // user is asked, and told if keeping the answer fails too.
    return std::nullopt;
  }
}

void keep(MainForm& form, const std::u16string& key, const std::u16string& password) {
  forms::PasswordStore* store = form.desktop.passwordStore();
  if (store == nullptr) {
    form.desktop.notify(std::u16string(kKeyringWriteFailedMessage) + u"キーリングがありません");
    return;
  }
  try {
    store->write(key, password);
  } catch (const forms::PasswordStoreError& e) {
    form.desktop.notify(kKeyringWriteFailedMessage + platform::fromUtf8(e.what()));
  }
}

}  // namespace

std::u16string passwordKey(const std::u16string& address, const std::u16string& user) {
  return address + u"/" + user;
}

bool preparePassword(MainForm& form, const std::u16string& address) {
  Module_pub& pub = form.pub;
  if (!pub.passwordInKeyring) return true;
  SessionPasswords& session = form.sessionPasswords;
  const std::u16string key = passwordKey(address, pub.ftpUserId);
  if (const auto known = session.known.find(key); known != session.known.end()) {
    pub.ftpPassword = known->second;
    return true;
  }
  if (const auto kept = keptPassword(form, key)) {
    session.known[key] = *kept;
    pub.ftpPassword = *kept;
    return true;
  }
  const auto reply = form.desktop.askPassword({address, pub.ftpUserId});
  if (!reply) return false;
  // Checked before it is remembered or kept: a password the script cannot
  // hold would be refused by every job.
  if (const auto refused =
          app::checkJobValues({{u"FTP-PASSWORD", &reply->password, app::JobValueUse::Login}})) {
    form.desktop.msgBox(*refused);
    return false;
  }
  session.known[key] = reply->password;
  session.refused.erase(key);
  pub.ftpPassword = reply->password;
  if (reply->keep) keep(form, key, reply->password);
  return true;
}

void forgetRefusedPasswords(MainForm& form, const jobs::Job& job) {
  if (!form.pub.passwordInKeyring || job.state != jobs::JobState::Failed) return;
  if (job.reason.find(kLoginRefusedReason) == std::u16string::npos) return;
  // The job does not say which host refused it: every password of this
  // run is asked for again, which costs a question, never a wrong login.
  SessionPasswords& session = form.sessionPasswords;
  for (const auto& [key, password] : session.known) session.refused.insert(key);
  session.known.clear();
  form.pub.ftpPassword.clear();
}

}  // namespace morvanta::app
