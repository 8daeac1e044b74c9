// Open and save dialogs. Execute goes through a replaceable handler, so tests answer it; with a
// display the default handler shows Qt's file dialog.
#pragma once

#include "platform/ui/Classes.h"

#include <functional>
#include <string>

enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofAllowMultiSelect = 1u << 4,
  ofPathMustExist = 1u << 5,
  ofFileMustExist = 1u << 6,
  ofCreatePrompt = 1u << 7,
  ofNoReadOnlyReturn = 1u << 8,
  ofEnableSizing = 1u << 9,
};
using TOpenOptions = unsigned;

struct TFileDialogRequest {
  bool Save = false;
  std::string Title;
  std::string InitialDir;
  // In: the name proposed; out: the name chosen (DefaultExt is added afterwards when it has none).
  std::string FileName;
  // "Description|*.ext;*.ext2|All files|*.*", as the dialog's Filter.
  std::string Filter;
  // 1-based index of the filter in use; out: the filter chosen.
  int FilterIndex = 1;
  std::string DefaultExt;
  TOpenOptions Options = 0;
};

// Shows a file dialog for the request and returns true when the user chose a file (FileName set).
using TFileDialogHandler = std::function<bool(TFileDialogRequest& request)>;
// Installs the handler (nullptr: the default). Returns the previous one.
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler);

class TOpenDialog : public TComponent {
public:
  explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // True when a file was chosen; FileName and FilterIndex then hold the choice.
  virtual bool Execute();

  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& name) { FFileName = name; }
  const std::string& Filter() const { return FFilter; }
  void SetFilter(const std::string& filter) { FFilter = filter; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int index) { FFilterIndex = index; }
  const std::string& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::string& dir) { FInitialDir = dir; }
  // Without a dot; added to a chosen name that has no extension.
  const std::string& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const std::string& ext) { FDefaultExt = ext; }
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& title) { FTitle = title; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions options) { FOptions = options; }

protected:
  bool Run(bool save);

private:
  std::string FFileName, FFilter, FInitialDir, FDefaultExt, FTitle;
  int FFilterIndex = 1;
  TOpenOptions FOptions = ofHideReadOnly | ofEnableSizing;
};

class TSaveDialog : public TOpenDialog {
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  bool Execute() override;
};
