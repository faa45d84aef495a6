#include "clip_module.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <variant>

namespace crestaverde {
namespace {

using Entry = std::variant<DecodeClipEntry*, std::string>;  // the entry point or why there is none

// A module once loaded stays for the rest of the process: a decode may still run on a worker
// thread after the window that asked for it is gone, and FFmpeg's libraries are not made to be
// unloaded. So every handle is kept here, one for each path, and never closed.
Entry loadedEntry(const std::filesystem::path& module) {
    static std::mutex guard;
    static std::map<std::filesystem::path, DecodeClipEntry*> loaded;
    const std::lock_guard lock(guard);
    if (const auto found = loaded.find(module); found != loaded.end()) return found->second;
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = ::dlerror();
        std::string error = "no se puede cargar el descodificador (" +
                            std::string(why != nullptr ? why : module.string()) + ")";
        // The message stays allocated until dlerror is asked again, and the pool's thread that
        // asked may live on to the end of the program.
        ::dlerror();
        return error;
    }
    auto* entry = reinterpret_cast<DecodeClipEntry*>(::dlsym(handle, kDecodeClipSymbol));
    if (entry == nullptr) {
        ::dlclose(handle);
        return "el descodificador no sirve (" + module.string() + ")";
    }
    loaded.emplace(module, entry);
    return entry;
}

}  // namespace

ClipDecode clipModuleDecoder(std::filesystem::path module) {
    return [module = std::move(module)](const std::string& path, const ClipLimits& limits) {
        Entry entry = loadedEntry(module);
        if (auto* error = std::get_if<std::string>(&entry)) return DecodedClip(std::move(*error));
        DecodedClip decoded;
        std::get<DecodeClipEntry*>(entry)(&path, &limits, &decoded);
        return decoded;
    };
}

}  // namespace crestaverde
