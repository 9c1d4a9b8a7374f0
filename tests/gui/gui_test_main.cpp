// One QApplication for every test; the offscreen platform unless the caller
// chose another, so the tests also run by hand without a display. The tests
// run in a Japanese locale, as the users do.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QtGlobal>

#include "gui/Translations.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  morvanta::gui::installQtTranslations(application, QLocale());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
