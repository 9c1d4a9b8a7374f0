#include "gui/DemoRun.h"

#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <utility>

#include "gui/ControlWidgets.h"
#include "gui/MainWindow.h"
#include "gui/QtControls.h"
#include "platform/Platform.h"

namespace morvanta::gui {

namespace {

void say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string utf8(const QString& text) {
  return text.toStdString();
}

}  // namespace

DemoRun::DemoRun(MainWindow& window, LaunchOptions options)
    : QObject(&window), window_(window), options_(std::move(options)) {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &DemoRun::pollToc);
}

void DemoRun::start() {
  QTimer::singleShot(0, this, [this] {
    say("loaded: " + platform::toUtf8(window_.form().pub.appFolder));
    if (options_.tocFile.empty()) {
      finish();
    } else {
      requestToc();
    }
  });
}

// As a user would: pick the first host, type the file, press the button.
void DemoRun::requestToc() {
  const auto& controls = window_.controls();
  auto* host = controls.find<QComboBox>(u"Combo_host", 0);
  auto* file = controls.find<LineEdit>(u"Text_2200file", 0);
  auto* toc = controls.find<QPushButton>(u"Command_toc", 0);
  if (host == nullptr || file == nullptr || toc == nullptr) {
    say("pane 0 has no host box, file box or TOC button");
    return finish();
  }
  if (host->count() > 0) {
    host->setCurrentIndex(0);
    say("host: " + utf8(host->currentText()));
  } else {
    say("host: none configured");
  }
  file->setText(toQString(options_.tocFile));
  say("typed: " + utf8(file->text()));
  toc->click();
  say("clicked: Command_toc(0)");
  if (!window_.form().Timer1[0]->enabled()) {
    say("TOC not started");
    return finish();
  }
  waited_.start();
  poll_.start();
}

void DemoRun::pollToc() {
  if (!window_.form().Timer1[0]->enabled()) return tocDone(true);
  if (waited_.elapsed() >= kTocWaitMs) tocDone(false);
}

void DemoRun::tocDone(bool finished) {
  poll_.stop();
  const auto& elements = *window_.form().List_elt[0];
  say(std::string(finished ? "TOC finished" : "TOC still pending") + " after " +
      std::to_string(waited_.elapsed()) + " ms: " + std::to_string(elements.count()) +
      " element(s) in List_elt(0)");
  finish();
}

void DemoRun::finish() {
  if (options_.screenshot.empty()) return;
  const QString file = toQString(options_.screenshot);
  QApplication::processEvents();
  if (!window_.grab().save(file, "PNG")) {
    say("screenshot: cannot write " + utf8(file));
    QApplication::exit(1);
    return;
  }
  say("screenshot: " + utf8(file));
  QApplication::exit(0);
}

}  // namespace morvanta::gui
