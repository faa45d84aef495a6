#pragma once
// The program's way to the clip decoder. Its module is loaded the first time a clip is decoded,
// on the decoding thread, never at start. Without the module, or without the libraries it needs,
// decoding gives the reason instead of a clip, and the program goes on.

#include <filesystem>
#include <functional>
#include <string>

#include "clip_decoder.h"

namespace crestaverde {

using ClipDecode = std::function<DecodedClip(const std::string& path, const ClipLimits& limits)>;

// Decodes with the module at the given path; callable from any thread.
[[nodiscard]] ClipDecode clipModuleDecoder(std::filesystem::path module);

}  // namespace crestaverde
