// Font entry points: the FreeType library, the cache of opened fonts and private registration.
// Every font the engine draws with goes through OpenFont, from the game-loop thread and from
// script threads alike, so the cache and FreeType sit behind one lock.
#include "platform/fonts.h"

#include <map>
#include <tuple>
#include <utility>

#include "platform/fonts_detail.h"

namespace platform::fonts {
namespace detail {

FreeTypeState::FreeTypeState() {
  if (FT_Init_FreeType(&library) != 0) library = nullptr;
}

FreeTypeState::~FreeTypeState() {
  if (library != nullptr) FT_Done_FreeType(library);
}

std::shared_ptr<FreeTypeState> SharedFreeType() {
  static const std::shared_ptr<FreeTypeState> state = std::make_shared<FreeTypeState>();
  return state;
}

}  // namespace detail

namespace {

using FontKey = std::tuple<std::string, int, bool, bool>;
using FontCache = std::map<FontKey, std::shared_ptr<const Font>>;

// Guarded by the FreeType lock. Fonts are destroyed outside the lock (a font takes the lock to
// close its face), hence the swaps below.
FontCache& Cache() {
  static FontCache cache;
  return cache;
}

std::shared_ptr<const Font> BuildFont(const std::shared_ptr<detail::FreeTypeState>& freeType, const std::string& face,
                                      int points, bool bold, bool italic) {
  detail::FaceSource source;
  if (freeType->library == nullptr || !detail::ResolveFace(face, bold, italic, source)) {
    return detail::CreateEmptyFont();
  }
  return detail::CreateFreeTypeFont(freeType, source, FontHeightForPoints(points));
}

}  // namespace

std::shared_ptr<const Font> OpenFont(const std::string& face, int points, bool bold, bool italic) {
  const std::shared_ptr<detail::FreeTypeState> freeType = detail::SharedFreeType();
  std::lock_guard<std::mutex> lock(freeType->lock);
  std::shared_ptr<const Font>& slot = Cache()[FontKey{face, points, bold, italic}];
  if (!slot) slot = BuildFont(freeType, face, points, bold, italic);
  return slot;
}

bool RegisterPrivateFontFile(const std::string& hostPath) {
  const std::shared_ptr<detail::FreeTypeState> freeType = detail::SharedFreeType();
  FontCache dropped;
  bool added = false;
  {
    std::lock_guard<std::mutex> lock(freeType->lock);
    if (freeType->library != nullptr) added = detail::AddPrivateFile(freeType->library, hostPath);
    // A new face may now win a name that an earlier font resolved elsewhere.
    if (added) std::swap(dropped, Cache());
  }
  return added;
}

void ResetFonts() {
  const std::shared_ptr<detail::FreeTypeState> freeType = detail::SharedFreeType();
  FontCache dropped;
  {
    std::lock_guard<std::mutex> lock(freeType->lock);
    detail::ForgetPrivateFiles();
    std::swap(dropped, Cache());
  }
}

}  // namespace platform::fonts
