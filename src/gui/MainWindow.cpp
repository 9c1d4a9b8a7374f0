#include "gui/MainWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <exception>
#include <stdexcept>
#include <vector>

#include "app/ControlTable.h"
#include "app/Fatal.h"
#include "gui/ControlWidgets.h"
#include "gui/DropHint.h"
#include "gui/ElementListView.h"
#include "gui/EmptyClickFilter.h"
#include "gui/QtControls.h"
#include "platform/Platform.h"

namespace morvanta::gui {

namespace {

// Japanese Gothic faces: the Windows one first, then the free one.
const QStringList kWindowFonts = {QStringLiteral("MS UI Gothic"), QStringLiteral("IPAPGothic"),
                                  QStringLiteral("IPAGothic")};
const QStringList kElementListFonts = {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic")};
constexpr int kFontPoints = 9;

constexpr char16_t kOpenCrossReferenceCaption[] = u"クロスリファレンスを開く";

// Put before the reason of a failure no command expected.
constexpr char16_t kHandlerFailedMessage[] = u"処理を続けられません: ";

// A frame's caption sits on its top border and the border starts at the
// frame's top, so that controls placed inside keep their designed look.
const QString kFrameStyle = QStringLiteral(
    "QGroupBox { border: 1px solid palette(mid); margin-top: 0.6em; }"
    "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
    " left: 6px; padding: 0 2px; }");

}  // namespace

MainWindow::MainWindow(const std::u16string& programFolder, forms::Desktop* desktop)
    : ownDesktop_(desktop == nullptr ? std::make_unique<QtDesktop>(this) : nullptr),
      desktop_(desktop == nullptr ? *ownDesktop_ : *desktop),
      factory_(*this) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(toQString(app::kMainFormCaption));
  resize(twipsToPixels(kClientWidthTwips),
         twipsToPixels(kClientHeightTwips) + JobBar::kHeightPixels);
  setFonts();
  form_ = std::make_unique<MainForm>(factory_, desktop_, programFolder);
  for (int i = 0; i < MainForm::kPanes; ++i) connectPane(i);
  connectShared();
  jobBar_ = new JobBar(*form_, this);
  placeJobBar();
  if (ownDesktop_) {
    ownDesktop_->setNoticeSink([this](const std::u16string& text) { jobBar_->showNotice(text); });
  }
  jobTimer_.setInterval(MainForm::kJobTickMs);
  connect(&jobTimer_, &QTimer::timeout, this, &MainWindow::followJobs);
  jobTimer_.start();
}

void MainWindow::followJobs() {
  forward([this] { form_->Jobs_Tick(); });
  jobBar_->refresh();
  // A pane waiting for its TOC shows it under the mouse.
  for (int i = 0; i < MainForm::kPanes; ++i) {
    const bool waiting = form_->jobs.unfinished(jobs::JobKind::Toc, i) != nullptr;
    if (auto* list = factory_.find<ListWidget>(u"List_elt", i)) {
      if (waiting) {
        list->setCursor(Qt::BusyCursor);
      } else {
        list->unsetCursor();
      }
    }
  }
}

void MainWindow::placeJobBar() {
  if (jobBar_ == nullptr) return;
  jobBar_->setGeometry(0, height() - JobBar::kHeightPixels, width(), JobBar::kHeightPixels);
}

MainWindow::~MainWindow() = default;

void MainWindow::setFonts() {
  QFont windowFont = font();
  windowFont.setFamilies(kWindowFonts);
  windowFont.setPointSize(kFontPoints);
  setFont(windowFont);
  setStyleSheet(kFrameStyle);
}

namespace {

// The widget the factory made for a control; a missing one is a wiring
// fault found the first time the window is built.
template <class T>
T* widgetOf(const QtControlFactory& factory, const std::u16string& name, int index = -1) {
  T* widget = factory.find<T>(name, index);
  if (widget == nullptr) {
    throw std::logic_error("no widget for " + platform::toUtf8(name) + " " + std::to_string(index));
  }
  return widget;
}

std::vector<std::u16string> toPaths(const QStringList& files) {
  std::vector<std::u16string> paths;
  paths.reserve(static_cast<std::size_t>(files.size()));
  for (const QString& file : files) paths.push_back(toU16(file));
  return paths;
}

}  // namespace

void MainWindow::connectPane(int i) {
  MainForm& f = *form_;
  auto onClick = [&](const std::u16string& name, void (MainForm::*handler)(int)) {
    connect(widgetOf<QPushButton>(factory_, name, i), &QPushButton::clicked, this,
            [this, &f, handler, i] { forward([&] { (f.*handler)(i); }); });
  };
  onClick(u"Command_toc", &MainForm::Command_toc_Click);
  onClick(u"Command_SEL", &MainForm::Command_SEL_Click);
  onClick(u"Command_AUTO", &MainForm::Command_AUTO_Click);
  onClick(u"Command_AUTO_recv", &MainForm::Command_AUTO_recv_Click);
  onClick(u"Command_new_elt", &MainForm::Command_new_elt_Click);

  connect(widgetOf<QCheckBox>(factory_, u"Check_date", i), &QCheckBox::clicked, this,
          [this, &f, i] { forward([&] { f.Check_date_Click(i); }); });

  auto* elements = widgetOf<ElementListView>(factory_, u"List_elt", i);
  QFont listFont = elements->font();
  listFont.setFamilies(kElementListFonts);
  listFont.setPointSize(kFontPoints);
  elements->setFont(listFont);
  connect(elements, &QListView::clicked, this,
          [this, &f, i] { forward([&] { f.List_elt_Click(i); }); });
  connect(elements, &QListView::doubleClicked, this,
          [this, &f, i] { forward([&] { f.List_elt_DblClick(i); }); });
  // A click on no element takes nothing to the clipboard, so whatever an
  // earlier click put there must not be pasted as if it were chosen now.
  EmptyClickFilter::watch(elements, [this] { forward([this] { desktop_.clipboardClear(); }); });
  // Context menu: the element's cross-reference page, when one was made.
  elements->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(elements, &QWidget::customContextMenuRequested, this,
          [this, &f, i, elements](const QPoint& at) {
            if (const QModelIndex row = elements->indexAt(at); row.isValid()) {
              elements->setCurrentIndex(row);
            }
            QMenu menu(elements);
            connect(menu.addAction(toQString(kOpenCrossReferenceCaption)), &QAction::triggered,
                    this, [this, &f, i] { forward([&] { f.List_elt_OpenCrossReference(i); }); });
            menu.exec(elements->viewport()->mapToGlobal(at));
          });

  connect(widgetOf<ListWidget>(factory_, u"List_send", i), &QListWidget::itemDoubleClicked, this,
          [this, &f, i] { forward([&] { f.List_send_DblClick(i); }); });

  auto* dropTarget = widgetOf<ListWidget>(factory_, u"List_2200file", i);
  dropTarget->acceptFileDrops();
  showDropHint(dropTarget, toQString(app::kDropBoxShortHint));
  connect(dropTarget, &ListWidget::filesDropped, this, [this, &f, i](const QStringList& files) {
    forward([&] { f.List_2200file_OLEDragDrop(i, toPaths(files)); });
  });

  connect(widgetOf<LineEdit>(factory_, u"Text_2200file", i), &LineEdit::lostFocus, this,
          [this, &f, i] { forward([&] { f.Text_2200file_LostFocus(i); }); });

  connect(widgetOf<QTimer>(factory_, u"Timer1", i), &QTimer::timeout, this, [this, i] { tick(i); });
}

void MainWindow::connectShared() {
  MainForm& f = *form_;
  connect(widgetOf<QPushButton>(factory_, u"Command_file_elt"), &QPushButton::clicked, this,
          [this, &f] { forward([&] { f.Command_file_elt_Click(); }); });
  connect(widgetOf<QPushButton>(factory_, u"Command_jcl_phase"), &QPushButton::clicked, this,
          [this, &f] { forward([&] { f.Command_jcl_phase_Click(); }); });
  connect(widgetOf<QCheckBox>(factory_, u"Check_mdir"), &QCheckBox::clicked, this,
          [this, &f] { forward([&] { f.Check_mdir_Click(); }); });
  connect(widgetOf<LineEdit>(factory_, u"Text_file_elt"), &LineEdit::lostFocus, this,
          [this, &f] { forward([&] { f.Text_file_elt_LostFocus(); }); });
}

void MainWindow::forward(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const forms::ProgramEnded& end) {
    // Unwound to here, the event loop ends and main returns the status.
    QCoreApplication::exit(end.status);
  } catch (const std::exception& e) {
    desktop_.msgBox(kHandlerFailedMessage + platform::fromUtf8(e.what()));
  }
}

void MainWindow::tick(int i) {
  auto& busy = ticking_[static_cast<std::size_t>(i)];
  if (busy) return;
  busy = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{busy};
  forward([this, i] { form_->Timer1_Timer(i); });
}

void MainWindow::keepSizeInForm() {
  form_->windowWidth = pixelsToTwips(width());
  // The job strip is not part of the form's design area.
  form_->windowHeight = pixelsToTwips(height() - JobBar::kHeightPixels);
}

// Start-up runs before the window first appears, so a configuration error
// is told before an empty window is seen. A start-up that fails in a way
// it did not tell itself ends the program after saying why.
void MainWindow::setVisible(bool visible) {
  if (visible && !loaded_) {
    loaded_ = true;
    keepSizeInForm();
    try {
      form_->Form_Load();
    } catch (const std::exception& e) {
      desktop_.msgBox(kHandlerFailedMessage + platform::fromUtf8(e.what()));
      desktop_.endProgram(app::kFatalExitStatus);
    }
  }
  QWidget::setVisible(visible);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeJobBar();
  if (!form_) return;
  keepSizeInForm();
  if (loaded_) forward([this] { form_->Form_Resize(); });
}

}  // namespace morvanta::gui
