#include "controls/PictureContainer.h"
#include "controls/PictureContainerGif.h"
#include "controls/ProUtilUnicode.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/ui/PictureDecode.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <iterator>

// Everything a load produces, made before any of it replaces what the picture shows.
struct THTMLPictureFrame {
  std::shared_ptr<const TBitmap> Picture;
  int FrameCount = -1;
  bool HasFrameRect = false;
  TGifFrameRect FrameRect;
  std::uint16_t MaxX = 0, MaxY = 0;
};

namespace {

const char* const InvalidFormat = "Could not load image. Invalid format";

bool StartsWith(const std::string& s, const char* prefix) {
  return s.rfind(prefix, 0) == 0;
}

std::string ReadAll(std::istream& stream) {
  stream.clear();
  stream.seekg(0);
  if (!stream) stream.clear(); // a stream that cannot seek is read from where it stands
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

// `starts` are the GIF frame starts of the data (empty for other pictures).
THTMLPictureFrame Decode(const std::string& data, const std::vector<std::size_t>& starts, int frame) {
  THTMLPictureFrame d;
  std::string image;
  const std::string* source = &data;
  if (IsGifData(data)) {
    d.FrameCount = static_cast<int>(starts.size());
    if (!starts.empty()) {
      GifScreenSize(data, d.MaxX, d.MaxY);
      if (!DropGifFramesBefore(data, starts, frame, image, d.FrameRect)) throw EPictureError(InvalidFormat);
      d.HasFrameRect = frame >= 1 && frame <= d.FrameCount;
      source = &image;
    }
  }
  auto picture = std::make_shared<TBitmap>();
  if (!DecodePicture(*source, *picture)) throw EPictureError(InvalidFormat);
  d.Picture = std::move(picture);
  return d;
}

std::vector<std::size_t> FrameStartsOf(const std::string& data) {
  return IsGifData(data) ? GifFrameStarts(data) : std::vector<std::size_t>();
}

// Decoded frames kept per picture: up to this many pixels in all, so that an animation does not
// decode its frames again on every step.
constexpr std::int64_t FrameCachePixels = MaxPicturePixels;

} // namespace

// ---------------------------------------------------------------------------------------------
// THTMLPicture

THTMLPicture::THTMLPicture() = default;

void THTMLPicture::Clear() {
  FData.clear();
  FStarts.clear();
  FFrames.clear();
  FCachedPixels = 0;
  FIsEmpty = true;
  FPicture.reset();
  FFrameCount = -1;
  FNextCount = -1;
  FTimerCount = -1;
  FFrame = 1;
  FFrameXPos = FFrameYPos = FAnimMaxX = FAnimMaxY = 0;
}

void THTMLPicture::NewData(std::string bytes, bool notify) {
  std::vector<std::size_t> starts = FrameStartsOf(bytes);
  THTMLPictureFrame d = Decode(bytes, starts, 1); // throws before anything changes
  FData = std::move(bytes);
  FStarts = std::move(starts);
  FFrames.clear();
  FCachedPixels = 0;
  Remember(1, d);
  Show(d);
  FIsEmpty = false;
  FFrame = 1;
  FNextCount = -1;
  FTimerCount = -1;
  if (notify && OnChange) OnChange(this);
}

void THTMLPicture::Remember(int frame, const THTMLPictureFrame& d) {
  const std::int64_t pixels = d.Picture ? std::int64_t(d.Picture->Width()) * d.Picture->Height() : 0;
  if (FCachedPixels + pixels > FrameCachePixels) return;
  FCachedPixels += pixels;
  FFrames[frame] = std::make_shared<const THTMLPictureFrame>(d);
}

void THTMLPicture::Show(const THTMLPictureFrame& d) {
  FFrameCount = d.FrameCount;
  FPicture = d.Picture;
  FAnimMaxX = d.MaxX;
  FAnimMaxY = d.MaxY;
  FFrameXPos = d.HasFrameRect ? d.FrameRect.Left : 0;
  FFrameYPos = d.HasFrameRect ? d.FrameRect.Top : 0;
  if (d.HasFrameRect) {
    FFrameXSize = d.FrameRect.Width;
    FFrameYSize = d.FrameRect.Height;
  }
}

void THTMLPicture::LoadPicture(int frame) {
  if (auto cached = FFrames.find(frame); cached != FFrames.end()) {
    if (!cached->second->Picture) throw EPictureError(InvalidFormat);
    Show(*cached->second);
    return;
  }
  try {
    THTMLPictureFrame d = Decode(FData, FStarts, frame);
    Remember(frame, d);
    Show(d);
  } catch (const EPictureError&) {
    FFrames[frame] = std::make_shared<const THTMLPictureFrame>(); // a frame that failed is not tried again
    throw;
  }
}

void THTMLPicture::LoadFromStream(std::istream* stream) {
  if (stream) NewData(ReadAll(*stream), true);
}

void THTMLPicture::LoadFromBytes(const std::string& bytes) {
  NewData(bytes, true);
}

void THTMLPicture::LoadFromFile(const std::string& fileName) {
  std::string bytes;
  try {
    if (ReadFileBytes(fileName, bytes)) {
      NewData(std::move(bytes), true);
      return;
    }
  } catch (const EPictureError&) {
  }
  Clear();
}

void THTMLPicture::ReadData(std::istream& stream) {
  NewData(ReadAll(stream), false);
}

void THTMLPicture::WriteData(std::ostream& stream) const {
  stream.write(FData.data(), static_cast<std::streamsize>(FData.size()));
}

void THTMLPicture::LoadFromResourceName(const TRawResourceModule& module, const std::string& name) {
  if (const std::string* bytes = module.Find(name)) NewData(*bytes, true);
}

void THTMLPicture::LoadFromResourceID(const TRawResourceModule& module, int id) {
  const std::string* bytes = module.Find(id);
  if (!bytes) throw EResNotFound(MissingResourceMessage("#" + std::to_string(id)));
  NewData(*bytes, true);
}

void THTMLPicture::LoadFromURL(const std::string& url) {
  const std::string upper = AsciiUpperCase(url);
  if (StartsWith(upper, "RES://")) {
    FID = url;
    if (url.size() > 6) LoadFromResourceName(ProgramResources(), url.substr(6));
  } else if (StartsWith(upper, "FILE://")) {
    FID = url;
    if (url.size() > 7) LoadFromFile(url.substr(7));
  } else if (!FAsynch) {
    FURL = url;
    FID = url;
  } else if (!FThreadBusy) {
    // A download would start here; there is none, so the picture stays empty and no further
    // download is ever tried for it.
    FURL = url;
    FThreadBusy = true;
  }
}

void THTMLPicture::Assign(const THTMLPicture* source) {
  if (source == this) return;
  Clear();
  if (source && !source->FData.empty()) NewData(source->FData, true);
}

void THTMLPicture::Draw(TCanvas& canvas, const TRect& rect) const {
  if (FIsEmpty || !FPicture) return;
  if (FStretched)
    canvas.StretchDraw(rect, *FPicture);
  else // the natural size at the canvas's resolution, which is the screen's (96 pixels per inch)
    canvas.Draw(rect.Left, rect.Top, *FPicture);
}

int THTMLPicture::Width() const {
  return FPicture ? FPicture->Width() : 0;
}

int THTMLPicture::Height() const {
  return FPicture ? FPicture->Height() : 0;
}

int THTMLPicture::MaxWidth() const {
  if (!FPicture) return 0;
  return FAnimMaxX ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const {
  if (!FPicture) return 0;
  return FAnimMaxY ? FAnimMaxY : Height();
}

bool THTMLPicture::IsGIF() const {
  return IsGifData(FData);
}

int THTMLPicture::FrameCount() {
  if (!IsGIF()) return -1;
  if (FFrameCount == -1) FFrameCount = static_cast<int>(FStarts.size());
  return FFrameCount;
}

int THTMLPicture::FrameTime(int i) {
  if (!IsGIF() || i < 1) return -1;
  if (i > static_cast<int>(FStarts.size())) return -1;
  return GifFrameDelay(FData, FStarts[static_cast<std::size_t>(i) - 1]);
}

void THTMLPicture::SetFrame(int frame) {
  if (FData.empty()) {
    FFrame = frame;
    return;
  }
  const int before = FFrame;
  FFrame = frame;
  try {
    LoadPicture(FFrame);
  } catch (...) {
    FFrame = before;
    throw;
  }
  if (OnFrameChange) OnFrameChange(this);
}

int THTMLPicture::FrameNext() const {
  return FFrame + 1 > FFrameCount ? 1 : FFrame + 1;
}

int THTMLPicture::FramePrev() const {
  return FFrame - 1 < 1 ? FFrameCount : FFrame - 1;
}

bool THTMLPicture::Step() {
  if (FFrameCount < 2 || FIsEmpty) return false;
  if (FNextCount == -1) FNextCount = FrameTime(FFrame);
  bool changed = false;
  if (FTimerCount * 10 >= FNextCount) {
    FFrame = FrameNext();
    try {
      LoadPicture(FFrame);
      changed = true;
    } catch (const EPictureError&) {
      // A frame that cannot be shown leaves the one before on screen; the animation goes on.
    }
    FNextCount += FrameTime(FFrame);
  }
  ++FTimerCount;
  return changed;
}

// ---------------------------------------------------------------------------------------------
// THTMLPictureCache

THTMLPicture* THTMLPictureCache::AddPicture() {
  FPictures.push_back(std::make_unique<THTMLPicture>());
  return FPictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const std::string& id) const {
  for (const auto& p : FPictures)
    if (p->ID() == id) return p.get();
  return nullptr;
}

THTMLPicture* THTMLPictureCache::Items(int index) const {
  return index >= 0 && index < Count() ? FPictures[index].get() : nullptr;
}

void THTMLPictureCache::SetItems(int index, std::unique_ptr<THTMLPicture> picture) {
  if (index >= 0 && index < Count() && picture) FPictures[index] = std::move(picture);
}

bool THTMLPictureCache::Animate() {
  bool changed = false;
  for (const auto& p : FPictures)
    changed = p->Step() || changed;
  return changed;
}

// ---------------------------------------------------------------------------------------------
// Picture items, collection and container

void TPictureItem::Assign(const TPictureItem& source) {
  if (&source == this) return;
  FName = source.FName;
  FTag = source.FTag;
  FPicture.Assign(&source.FPicture);
}

TPictureItem* TPictureCollection::Add() {
  return Insert(Count());
}

TPictureItem* TPictureCollection::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto it = FItems.insert(FItems.begin() + index, std::make_unique<TPictureItem>(this));
  return it->get();
}

TPictureItem* TPictureCollection::Items(int index) const {
  return index >= 0 && index < Count() ? FItems[index].get() : nullptr;
}

void TPictureCollection::Assign(const TPictureCollection& source) {
  if (&source == this) return;
  FItems.clear();
  for (const auto& item : source.FItems)
    Add()->Assign(*item);
}

bool TPictureCollection::Animate() {
  bool changed = false;
  for (const auto& item : FItems)
    changed = item->Picture().Step() || changed;
  return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner) : TComponent(AOwner), FItems(this) {}

THTMLPicture* TPictureContainer::FindPicture(const std::string& name) {
  const std::string wanted = AsciiUpperCase(name);
  for (int i = 0; i < FItems.Count(); ++i)
    if (AsciiUpperCase(FItems.Items(i)->Name()) == wanted) return &FItems.Items(i)->Picture();
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TPictureAnimationTicker

TPictureAnimationTicker::TPictureAnimationTicker() : FLast(Clock().NowMs()) {}

bool TPictureAnimationTicker::Run(const std::function<bool()>& tick) {
  const std::int64_t due = (Clock().NowMs() - FLast) / PictureAnimationStepMs;
  if (due <= 0) return false;
  FLast += due * PictureAnimationStepMs;
  bool changed = false;
  for (std::int64_t i = 0; i < std::min<std::int64_t>(due, MaxCatchUp); ++i)
    changed = tick() || changed;
  return changed;
}
