// Face name to font file. Files a project registers for itself are searched first, by the
// family names their faces carry; every other name goes to fontconfig, whose aliases map the
// Windows core faces onto metric-compatible ones ("Courier New" onto Liberation Mono).

// FreeType wants its build header before any of its own.
#include <ft2build.h>

#include <fontconfig/fontconfig.h>
#include <freetype/ftsnames.h>
#include <freetype/ttnameid.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/fonts_detail.h"
#include "platform/letter_case.h"
#include "platform/text_encoding.h"

namespace platform::fonts::detail {
namespace {

struct PrivateFace {
  std::string file;
  long index = 0;
  std::vector<std::string> names;  // UTF-8, ASCII letters in lower case
  bool bold = false;
  bool italic = false;
};

// Guarded by the FreeType lock.
std::vector<PrivateFace>& PrivateFaces() {
  static std::vector<PrivateFace> faces;
  return faces;
}

void AppendCodePoint(std::string& out, uint32_t codePoint) {
  FcChar8 bytes[FC_UTF8_MAX_LEN];
  const int length = FcUcs4ToUtf8(codePoint, bytes);
  out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

// A name-table string as UTF-8: UTF-16BE for the Windows platform, one byte a character for
// the Macintosh Roman platform (names are ASCII in practice).
std::string DecodeSfntName(const FT_SfntName& name) {
  std::string text;
  if (name.platform_id == TT_PLATFORM_MICROSOFT) {
    for (FT_UInt i = 0; i + 1 < name.string_len; i += 2) {
      AppendCodePoint(text, static_cast<uint32_t>(name.string[i] << 8 | name.string[i + 1]));
    }
  } else if (name.platform_id == TT_PLATFORM_MACINTOSH) {
    for (FT_UInt i = 0; i < name.string_len; ++i) AppendCodePoint(text, name.string[i]);
  }
  return text;
}

// The names a face answers to: FreeType's family name and every legacy family name (name id 1,
// the one Windows matches) in the face's name table.
std::vector<std::string> FamilyNames(FT_Face face) {
  std::vector<std::string> names;
  auto add = [&names](const std::string& name) {
    const std::string folded = AsciiLower(name);
    if (!folded.empty() && std::find(names.begin(), names.end(), folded) == names.end()) {
      names.push_back(folded);
    }
  };
  if (face->family_name != nullptr) add(face->family_name);
  const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
  for (FT_UInt i = 0; i < count; ++i) {
    FT_SfntName name;
    if (FT_Get_Sfnt_Name(face, i, &name) == 0 && name.name_id == TT_NAME_ID_FONT_FAMILY) {
      add(DecodeSfntName(name));
    }
  }
  return names;
}

bool ResolvePrivate(const std::string& foldedName, bool bold, bool italic, FaceSource& source) {
  const PrivateFace* best = nullptr;
  int bestMismatch = 0;
  for (const PrivateFace& face : PrivateFaces()) {
    if (std::find(face.names.begin(), face.names.end(), foldedName) == face.names.end()) continue;
    // Weight matters more than slant; the first registered face wins a tie.
    const int mismatch = (face.bold != bold ? 2 : 0) + (face.italic != italic ? 1 : 0);
    if (best == nullptr || mismatch < bestMismatch) {
      best = &face;
      bestMismatch = mismatch;
    }
  }
  if (best == nullptr) return false;
  source = FaceSource{best->file, best->index, bold && !best->bold, italic && !best->italic};
  return true;
}

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// Frees fontconfig's configuration and caches when the process ends (leak checkers report them
// otherwise). Made on the first query, so it goes after everything made later.
struct FontconfigSession {
  FontconfigSession() = default;
  ~FontconfigSession() { FcFini(); }
  FontconfigSession(const FontconfigSession&) = delete;
  FontconfigSession& operator=(const FontconfigSession&) = delete;
};

bool ResolveSystem(const std::string& cp1252Face, bool bold, bool italic, FaceSource& source) {
  static FontconfigSession session;
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return false;
  const std::string family = Utf8FromCp1252(cp1252Face);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  // Glyphs are rendered from outlines.
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return false;
  int index = 0;
  int weight = FC_WEIGHT_REGULAR;
  int slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(match.get(), FC_SLANT, 0, &slant);
  source = FaceSource{reinterpret_cast<const char*>(file), index, bold && weight < FC_WEIGHT_DEMIBOLD,
                      italic && slant == FC_SLANT_ROMAN};
  return true;
}

}  // namespace

bool ResolveFace(const std::string& cp1252Face, bool bold, bool italic, FaceSource& source) {
  return ResolvePrivate(AsciiLower(Utf8FromCp1252(cp1252Face)), bold, italic, source) ||
         ResolveSystem(cp1252Face, bold, italic, source);
}

bool AddPrivateFile(FT_Library library, const std::string& hostPath) {
  std::vector<PrivateFace> added;
  FT_Long faceCount = 1;
  for (FT_Long index = 0; index < faceCount; ++index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, hostPath.c_str(), index, &face) != 0) break;
    faceCount = face->num_faces;
    added.push_back(PrivateFace{hostPath, index, FamilyNames(face), (face->style_flags & FT_STYLE_FLAG_BOLD) != 0,
                                (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0});
    FT_Done_Face(face);
  }
  PrivateFaces().insert(PrivateFaces().end(), added.begin(), added.end());
  return !added.empty();
}

void ForgetPrivateFiles() { PrivateFaces().clear(); }

}  // namespace platform::fonts::detail
