#include "gui/KeychainStore.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>

#include "app/LoginPassword.h"

namespace morvanta::gui {

namespace {

QString serviceName() {
  return QString::fromStdU16String(app::kKeyringService);
}

// Starts the job and waits for it; the caller reads its error, which names
// the keyring's own reason.
void runJob(QKeychain::Job& job, const std::u16string& key) {
  job.setAutoDelete(false);
  job.setInsecureFallback(false);
  job.setKey(QString::fromStdU16String(key));
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec();
}

}  // namespace

std::optional<std::u16string> KeychainStore::read(const std::u16string& key) {
  QKeychain::ReadPasswordJob job(serviceName());
  runJob(job, key);
  if (job.error() == QKeychain::EntryNotFound) return std::nullopt;
  if (job.error() != QKeychain::NoError) {
    throw forms::PasswordStoreError(job.errorString().toStdString());
  }
  return job.textData().toStdU16String();
}

void KeychainStore::write(const std::u16string& key, const std::u16string& password) {
  QKeychain::WritePasswordJob job(serviceName());
  job.setTextData(QString::fromStdU16String(password));
  runJob(job, key);
  if (job.error() != QKeychain::NoError) {
    throw forms::PasswordStoreError(job.errorString().toStdString());
  }
}

}  // namespace morvanta::gui
