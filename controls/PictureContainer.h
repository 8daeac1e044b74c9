// Pictures that mark-up text shows with its IMG tag: a picture that keeps the bytes it was loaded
// from (BMP, ICO, JPEG or GIF, with the frames of an animated GIF), the cache of pictures a control
// loaded by address, and the container of named pictures.
#pragma once

#include "controls/PictureContainerResources.h"
#include "platform/ui/Classes.h"
#include "platform/ui/Graphics.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// A picture that cannot be turned into an image (its message says which step failed).
class EPictureError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// One animation tick of THTMLPicture::Step is worth this much time.
constexpr int PictureAnimationStepMs = 100;

struct THTMLPictureFrame;

class THTMLPicture : public TObject {
public:
  THTMLPicture();
  THTMLPicture(const THTMLPicture&) = delete;
  THTMLPicture& operator=(const THTMLPicture&) = delete;

  // ---- loading. Loading new bytes starts again at frame 1 with a fresh frame count and schedule.
  // Copies the whole stream (from its start); nothing for a null stream. Load errors propagate
  // (EPictureError) and leave the picture as it was. Fires OnChange after a load.
  void LoadFromStream(std::istream* stream);
  void LoadFromBytes(const std::string& bytes); // the same from bytes in memory
  // As LoadFromBytes, but any failure leaves the picture empty and raises nothing.
  void LoadFromFile(const std::string& fileName);
  // As LoadFromStream without OnChange (a stored picture being read back).
  void ReadData(std::istream& stream);
  // The bytes exactly as loaded.
  void WriteData(std::ostream& stream) const;
  void SaveToStream(std::ostream& stream) const { WriteData(stream); }
  // The named raw-data resource of the module; nothing when the module has none of that name.
  void LoadFromResourceName(const TRawResourceModule& module, const std::string& name);
  // The numbered raw-data resource; a missing number raises EResNotFound.
  void LoadFromResourceID(const TRawResourceModule& module, int id);
  // "res://name" loads the program's resource, "file://path" the file; other addresses (the web)
  // load nothing.
  void LoadFromURL(const std::string& url);
  // Becomes empty, then takes a copy of the source's bytes (nullptr: stays empty) and loads them.
  void Assign(const THTMLPicture* source);

  // ---- drawing. Nothing when empty. Stretched: into the whole rectangle; otherwise in its own
  // size at the rectangle's top-left corner. A GIF draws its current frame only; the caller
  // places it at FrameXPos/FrameYPos on the MaxWidth x MaxHeight screen when it wants that.
  void Draw(TCanvas& canvas, const TRect& rect) const;

  bool Empty() const { return FIsEmpty; }
  // The loaded image's size in pixels (a GIF: its current frame); 0 without an image.
  int Width() const;
  int Height() const;
  void SetWidth(int) {}
  void SetHeight(int) {}
  // A GIF's logical screen size when known, else Width / Height; 0 without an image.
  int MaxWidth() const;
  int MaxHeight() const;
  bool Stretched() const { return FStretched; }
  void SetStretched(bool stretched) { FStretched = stretched; }

  const std::string& URL() const { return FURL; }
  // What the picture cache searches.
  const std::string& ID() const { return FID; }
  void SetID(const std::string& id) { FID = id; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool asynch) { FAsynch = asynch; }
  bool ThreadBusy() const { return FThreadBusy; }
  const std::string& Data() const { return FData; }

  // ---- GIF frames, counted from 1
  bool IsGIF() const;
  // -1 for other pictures; counted once per loaded picture.
  int FrameCount();
  // Delay of frame i in hundredths of a second; -1 when not a GIF or there is no frame i.
  int FrameTime(int i);
  int Frame() const { return FFrame; }
  // Stores the number; with bytes loaded, shows that frame and fires OnFrameChange. When the
  // frame cannot be shown the error propagates and the frame shown before stays.
  void SetFrame(int frame);
  int FrameNext() const;
  int FramePrev() const;
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }
  int FrameXSize() const { return FFrameXSize; }
  int FrameYSize() const { return FFrameYSize; }
  // One animation tick (PictureAnimationStepMs); true when the frame shown changed.
  bool Step();

  TNotifyEvent OnChange;
  TNotifyEvent OnFrameChange;

private:
  void NewData(std::string bytes, bool notify);
  void Clear();
  // Shows that frame of the loaded bytes, decoding it only the first time; all or nothing.
  void LoadPicture(int frame);
  void Show(const THTMLPictureFrame& decoded);
  void Remember(int frame, const THTMLPictureFrame& decoded);

  std::string FData;
  std::vector<std::size_t> FStarts;                                // GIF frame starts of FData
  std::map<int, std::shared_ptr<const THTMLPictureFrame>> FFrames; // decoded frames; no picture: it failed
  std::int64_t FCachedPixels = 0;
  bool FIsEmpty = true;
  bool FStretched = false;
  std::shared_ptr<const TBitmap> FPicture; // the decoded image; null when nothing is loaded
  std::string FURL, FID;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  int FFrameCount = -1;
  std::uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  std::uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
  std::int64_t FNextCount = -1, FTimerCount = -1; // hundredths of a second and ticks
};

// The pictures a control loaded for IMG sources given as addresses; owns them.
class THTMLPictureCache {
public:
  THTMLPictureCache() = default;
  THTMLPictureCache(const THTMLPictureCache&) = delete;
  THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

  THTMLPicture* AddPicture();
  // The first picture whose ID is `id` exactly (letter case counts), or nullptr.
  THTMLPicture* FindPicture(const std::string& id) const;
  int Count() const { return static_cast<int>(FPictures.size()); }
  THTMLPicture* Items(int index) const;
  // Replaces the i-th picture, freeing the one it held.
  void SetItems(int index, std::unique_ptr<THTMLPicture> picture);
  void ClearPictures() { FPictures.clear(); }
  // One tick for every picture; true when any showed another frame.
  bool Animate();

private:
  std::vector<std::unique_ptr<THTMLPicture>> FPictures;
};

class TPictureCollection;

class TPictureItem {
public:
  explicit TPictureItem(TPictureCollection* collection) : FCollection(collection) {}
  TPictureItem(const TPictureItem&) = delete;
  TPictureItem& operator=(const TPictureItem&) = delete;

  // Name, tag and picture of the source.
  void Assign(const TPictureItem& source);
  THTMLPicture& Picture() { return FPicture; }
  const THTMLPicture& Picture() const { return FPicture; }
  // Copies the given picture into the item's own.
  void SetPicture(const THTMLPicture* picture) { FPicture.Assign(picture); }
  std::int32_t Tag() const { return FTag; }
  void SetTag(std::int32_t tag) { FTag = tag; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& name) { FName = name; }
  TPictureCollection* Collection() const { return FCollection; }

private:
  TPictureCollection* FCollection;
  THTMLPicture FPicture;
  std::int32_t FTag = 0;
  std::string FName;
};

class TPictureCollection {
public:
  explicit TPictureCollection(TComponent* owner) : FOwner(owner) {}
  TPictureCollection(const TPictureCollection&) = delete;
  TPictureCollection& operator=(const TPictureCollection&) = delete;

  TPictureItem* Add();
  // A new item at `index` (clamped to 0 .. Count).
  TPictureItem* Insert(int index);
  int Count() const { return static_cast<int>(FItems.size()); }
  TPictureItem* Items(int index) const;
  TComponent* GetOwner() const { return FOwner; }
  // Replaces the items by copies of the source's items.
  void Assign(const TPictureCollection& source);
  bool Animate();

private:
  TComponent* FOwner;
  std::vector<std::unique_ptr<TPictureItem>> FItems;
};

class TPictureContainer : public TComponent {
public:
  explicit TPictureContainer(TComponent* AOwner);

  TPictureCollection& Items() { return FItems; }
  const TPictureCollection& Items() const { return FItems; }
  // Takes copies of the given items (the container keeps its own collection).
  void SetItems(const TPictureCollection& items) { FItems.Assign(items); }
  // The picture of the first item whose name is `name` without regard to letter case, or nullptr.
  virtual THTMLPicture* FindPicture(const std::string& name);

private:
  TPictureCollection FItems;
};

// Turns time on the program clock into whole animation ticks, so that an owner's timer of any
// rate animates at the pictures' own pace.
class TPictureAnimationTicker {
public:
  TPictureAnimationTicker(); // counts from now
  // Calls `tick` once per whole PictureAnimationStepMs passed since the last call (at most
  // MaxCatchUp times; a longer pause is not made up for). True when any call returned true.
  bool Run(const std::function<bool()>& tick);
  static constexpr int MaxCatchUp = 50;

private:
  std::int64_t FLast;
};
