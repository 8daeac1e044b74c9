// Qt side of data objects, for platform code only: data objects to and from QMimeData, and the
// clipboard backend on QClipboard.
#pragma once

#include "platform/ui/Clipboard.h"
#include "platform/ui/DataObject.h"

#include <memory>

class QMimeData;

// The formats of a data object as MIME data: text as text/plain, "HTML Format" as text/html,
// "Rich Text Format" as text/rtf, URLs and file lists as text/uri-list, and every registered
// format also under its own name (so other instances of the program read it back unchanged).
QMimeData* MimeFromDataObject(IDataObject& data);
// MIME data of any program as a data object with the formats above.
std::shared_ptr<TDataObject> DataObjectFromMime(const QMimeData& mime);
// A data object holding every offered format of `data` as a memory block.
std::shared_ptr<TDataObject> RenderedCopy(IDataObject& data);
std::unique_ptr<IClipboardBackend> NewQtClipboard();
