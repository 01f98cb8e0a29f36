// Windows only: putting a text on the clipboard for the operator to paste.
#pragma once

#include <string>

namespace platform {

// Replaces the clipboard's content with `text` (code page 936) both as ANSI
// text and as Unicode text, so that programs that read either get it right.
// `owner` is the window that owns the clipboard's content (the system needs
// one). False when the clipboard could not be opened or written.
bool CopyTextToClipboard(void* owner, const std::string& text);

}  // namespace platform
