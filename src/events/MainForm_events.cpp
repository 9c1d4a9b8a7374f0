// Each handler forwards the event to its command.
#include "analysis/BrowserPathInput.h"
#include "analysis/ClipboardCommand.h"
#include "analysis/ListingDrop.h"
#include "analysis/UseAnalysis.h"
#include "app/JobOutcome.h"
#include "app/Layout.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "catalogue/ElementSearch.h"
#include "catalogue/TocRequest.h"
#include "transfer/BulkReceive.h"
#include "transfer/ReceiveElement.h"
#include "transfer/ReceiveTyped.h"
#include "transfer/SendElement.h"

namespace morvanta {

void MainForm::Form_Load() {
  app::startUp(*this);
}
void MainForm::Form_Resize() {
  app::layoutPanes(*this);
}
void MainForm::Check_date_Click(int) {
  app::layoutPanes(*this);
}
void MainForm::Check_mdir_Click() {
  mdirMode = Check_mdir->checked() ? 1 : 0;
}
void MainForm::Command_toc_Click(int i) {
  catalogue::requestToc(*this, i);
}
void MainForm::Timer1_Timer(int i) {
  catalogue::pollToc(*this, i);
}
void MainForm::Command_SEL_Click(int i) {
  catalogue::searchElements(*this, i);
}
void MainForm::List_elt_Click(int i) {
  analysis::copyElementCommand(*this, i);
}
void MainForm::List_elt_DblClick(int i) {
  transfer::receiveElement(*this, i);
}
void MainForm::Command_file_elt_Click() {
  transfer::receiveTyped(*this);
}
void MainForm::List_send_DblClick(int i) {
  transfer::sendElement(*this, i);
}
void MainForm::Command_new_elt_Click(int i) {
  transfer::setUpNewElement(*this, i);
}
void MainForm::Command_AUTO_Click(int i) {
  transfer::bulkReceiveSettings(*this, i);
}
void MainForm::Command_AUTO_recv_Click(int i) {
  transfer::bulkReceive(*this, i);
}
void MainForm::List_2200file_OLEDragDrop(int i, const std::vector<std::u16string>& files) {
  analysis::dropListing(*this, i, files);
}
void MainForm::Command_jcl_phase_Click() {
  analysis::analyseUse(*this);
}
void MainForm::Text_2200file_LostFocus(int i) {
  analysis::fileBoxLostFocus(*this, i);
}
void MainForm::Text_file_elt_LostFocus() {
  analysis::fileEltBoxLostFocus(*this);
}
void MainForm::Jobs_Tick() {
  app::followJobs(*this);
}
void MainForm::Job_Cancel(int id) {
  app::cancelJob(*this, id);
}

}  // namespace morvanta
