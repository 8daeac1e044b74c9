// Grid drop data from other programs: a column and a grid-cell block are read without leaving
// their bytes, and a cell block gives its stream only when its length fits.
#include "grid/AsgDD.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(AsText(data, size));
  auto object = std::make_shared<TDataObject>();
  object->SetGlobal(CF_GRIDCELLS(), bytes);
  object->SetGlobal(CF_GRIDCOL(), bytes);
  object->SetGlobal(CF_HDROP, bytes);
  TEnumFormats reader(object);
  const auto stream = reader.Stream();
  if (stream)
    FuzzCheck(stream->Size() + 8 <= static_cast<std::int64_t>(bytes.size()),
              "the cells lie inside the block");
  FuzzCheck(bytes.size() >= 4 || reader.Col() == -1, "a short column block reads as -1");
  if (reader.HasFile()) reader.ReadFiles();
  return 0;
}
