#include "platform/OfficeAutomation.h"

namespace {

TOfficeAutomation* Installed = nullptr;

[[noreturn]] void NotRegistered() {
  throw EOleSysError(OleInvalidClassString, CO_E_CLASSSTRING);
}

} // namespace

std::unique_ptr<ISpreadsheetApp> TOfficeAutomation::CreateSpreadsheet() {
  NotRegistered();
}

std::unique_ptr<IWordApp> TOfficeAutomation::CreateWord() {
  NotRegistered();
}

std::unique_ptr<IDbConnection> TOfficeAutomation::CreateConnection() {
  NotRegistered();
}

TOfficeAutomation& OfficeAutomation() {
  static TOfficeAutomation none;
  return Installed ? *Installed : none;
}

void SetOfficeAutomation(TOfficeAutomation* Backend) {
  Installed = Backend;
}
