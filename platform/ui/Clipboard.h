// The clipboard: one data object at a time, placed whole and read by format.
//
//   Clipboard()->Open();
//   Clipboard()->SetAsText("a\tb\r\n");                          // empties it first
//   Clipboard()->SetBuffer(RegisterClipboardFormat("TProStringGrid Cells"), bytes);
//   Clipboard()->Close();                                        // both formats placed together
//
// Code that has its own data object places it with OleSetClipboard and is told that the
// clipboard let go of it by the object's destruction. The content lives behind a backend: the
// system's clipboard (Qt) by default, or an in-process one that tests install (Headless.h).
#pragma once

#include "platform/ui/DataObject.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class IClipboardBackend {
public:
  virtual ~IClipboardBackend() = default;
  // Places the object (nullptr empties); false when the clipboard cannot be opened.
  virtual bool SetContent(IDataObjectPtr data) = 0;
  // What the clipboard holds; an object of no formats when it is empty, nullptr when it cannot
  // be opened. Data placed by this program is answered with the very object placed.
  virtual IDataObjectPtr Content() = 0;
  // Renders every format of the placed object into the clipboard and lets go of the object.
  virtual void Flush() = 0;
  // The object placed by this program that the clipboard still holds, or nullptr.
  virtual IDataObjectPtr Placed() = 0;
};

// Installs a backend and returns the one it replaces (nullptr for the default one, which is made
// on first use). nullptr goes back to the default.
std::unique_ptr<IClipboardBackend> SetClipboardBackend(std::unique_ptr<IClipboardBackend> backend);
IClipboardBackend& ClipboardBackend();
// The in-process clipboard (what tests drive): it holds the object placed, nothing more.
std::unique_ptr<IClipboardBackend> NewMemoryClipboard();

// The system's calls on data objects. CLIPBRD_E_CANT_OPEN when the clipboard cannot be opened.
HRESULT OleSetClipboard(IDataObjectPtr data);
HRESULT OleGetClipboard(IDataObjectPtr& data);
// Leaves the data of the placed object on the clipboard and lets go of the object.
HRESULT OleFlushClipboard();
// S_OK when the object is what the clipboard holds, else S_FALSE.
HRESULT OleIsCurrentClipboard(const IDataObjectPtr& data);

class EClipboardException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The runtime's clipboard object. Between Open and the matching Close the formats set are
// gathered and placed together at the last Close; the first one set empties the clipboard.
// Outside Open each set places at once. EClipboardException when the clipboard cannot be opened.
class TClipboard {
public:
  void Open();
  void Close();
  void Clear();
  bool HasFormat(TClipFormat format) const;
  int FormatCount() const;
  TClipFormat Formats(int index) const;
  // The text (CF_UNICODETEXT, else CF_TEXT), as UTF-8; "" when there is none.
  std::string AsText() const;
  // Sets the text as CF_UNICODETEXT and CF_TEXT, emptying the clipboard first.
  void SetAsText(const std::string& text);
  // The bytes of a format ("" when absent; HasFormat tells an empty block from none).
  std::string GetBuffer(TClipFormat format) const;
  // Adds the format's bytes (emptying the clipboard first unless something was set since Open).
  void SetBuffer(TClipFormat format, std::string_view bytes);

private:
  void Adding();
  IDataObjectPtr Reading() const;
  int FOpenCount = 0;
  bool FEmptied = false;
  std::shared_ptr<TDataObject> FPending;
};

TClipboard* Clipboard();

// ---- formats of the system that programs exchange
// "HTML Format": the HTML wrapped in the clipboard's envelope (a header of byte offsets, then the
// page with the fragment marked), and the page out of such a block ("" when it is none).
std::string ClipboardHtmlBlock(std::string_view html);
std::string HtmlFromClipboardBlock(std::string_view block);
// CF_HDROP: a file list (wide names), and the names out of such a block.
std::string DropFilesBlock(const std::vector<std::string>& files);
std::vector<std::string> FilesFromDropBlock(std::string_view block);
