#include "platform/win32_messages.h"

#include "platform/text_encoding.h"

namespace platform::win32 {
namespace {

constexpr uint64_t kLow32 = 0xFFFFFFFFull;

}  // namespace

std::optional<Message> EngineMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
  const Message same{id, wParam & kLow32, static_cast<int64_t>(static_cast<uint64_t>(lParam) & kLow32)};
  switch (id) {
    case kWmKeyDown:
    case kWmKeyUp:
    case kWmChar:
    case kWmMouseMove:
    case kWmLButtonDown:
    case kWmLButtonUp:
    case kWmLButtonDblClk:
    case kWmRButtonDown:
    case kWmRButtonUp:
    case kWmRButtonDblClk:
    case kWmMButtonDown:
    case kWmMButtonUp:
    case kWmMButtonDblClk:
    case kWmMouseWheel: return same;
    case kWmClose: return Message{kWmClose, 0, 0};
    case kWmCommand:
      // Menus (high word 0) and accelerators (1) carry the command id; controls notify with
      // their own window in lParam and are not commands.
      if (lParam != 0 || ((wParam >> 16) & 0xFFFF) > 1) return std::nullopt;
      return Message{kWmCommand, wParam & 0xFFFF, 0};
    default: return std::nullopt;
  }
}

uint64_t CharFromUtf16(uint64_t wParam) {
  const std::optional<uint8_t> byte = Cp1252FromUnicode(static_cast<char32_t>(wParam & 0xFFFF));
  return byte ? *byte : static_cast<uint64_t>('?');
}

}  // namespace platform::win32
