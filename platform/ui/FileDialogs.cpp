#include "platform/ui/FileDialogs.h"

#include "platform/ui/Application.h"
#include "platform/ui/Headless.h"

#include <QFileDialog>
#include <QStringList>

#include <utility>

namespace {

// "Text|*.txt;*.log|All|*.*" as Qt's "Text (*.txt *.log);;All (*.*)".
QString QtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << QString("%1 (%2)").arg(parts[i], patterns);
  }
  return out.join(";;");
}

bool QtFileDialog(TFileDialogRequest& r) {
  if (Application->Headless()) {
    Headless::ReportFailure("a file dialog (\"" + r.Title +
                            "\") was opened with no answer installed; it is cancelled");
    return false;
  }
  QString filters = QtFilter(r.Filter);
  QStringList list = filters.split(";;");
  QString selected = r.FilterIndex >= 1 && r.FilterIndex <= list.size() ? list[r.FilterIndex - 1] : QString();
  QString start = QString::fromStdString(r.FileName.empty()     ? r.InitialDir
                                         : r.InitialDir.empty() ? r.FileName
                                                                : r.InitialDir + "/" + r.FileName);
  QFileDialog::Options options;
  if (r.Save && !(r.Options & ofOverwritePrompt)) options |= QFileDialog::DontConfirmOverwrite;
  QString chosen = r.Save ? QFileDialog::getSaveFileName(nullptr, QString::fromStdString(r.Title), start,
                                                         filters, &selected, options)
                          : QFileDialog::getOpenFileName(nullptr, QString::fromStdString(r.Title), start,
                                                         filters, &selected, options);
  if (chosen.isEmpty()) return false;
  r.FileName = chosen.toStdString();
  if (qsizetype i = list.indexOf(selected); i >= 0) r.FilterIndex = static_cast<int>(i) + 1;
  return true;
}

TFileDialogHandler& Handler() {
  static auto* handler = new TFileDialogHandler(QtFileDialog);
  return *handler;
}

} // namespace

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler) {
  TFileDialogHandler previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : TFileDialogHandler(QtFileDialog);
  return previous;
}

bool TOpenDialog::Execute() {
  return Run(false);
}
bool TSaveDialog::Execute() {
  return Run(true);
}

bool TOpenDialog::Run(bool save) {
  Application->Initialize();
  TFileDialogRequest r;
  r.Save = save;
  r.Title = FTitle;
  r.InitialDir = FInitialDir;
  r.FileName = FFileName;
  r.Filter = FFilter;
  r.FilterIndex = FFilterIndex;
  r.DefaultExt = FDefaultExt;
  r.Options = FOptions;
  if (!Handler()(r) || r.FileName.empty()) return false;
  std::string name = r.FileName;
  if (!FDefaultExt.empty()) {
    auto slash = name.find_last_of('/');
    auto base = slash == std::string::npos ? name : name.substr(slash + 1);
    if (base.find('.') == std::string::npos) name += "." + FDefaultExt;
  }
  FFileName = name;
  FFilterIndex = r.FilterIndex;
  return true;
}
