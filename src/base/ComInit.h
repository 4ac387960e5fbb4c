#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace nimbra {

// Initialises COM on the calling thread for the lifetime of the object (the
// shell's objects need it); nothing where there is no COM.
//
// A scope also keeps objects that are obtained once and used for the rest of
// the thread's COM life (the shell's desktop folder): they are released when
// the scope ends, newest first and before COM is uninitialised, never at
// static destruction when COM is long gone. Scopes may nest; the innermost
// one of a thread keeps what is asked for while it lives.
class TComInitializer {
  public:
    TComInitializer();
    ~TComInitializer();
    TComInitializer(const TComInitializer&) = delete;
    TComInitializer& operator=(const TComInitializer&) = delete;
    bool Succeeded() const { return succeeded_; }

    // The innermost live scope of the calling thread, or nullptr.
    static TComInitializer* Current() noexcept;

    // The object kept under `key`, made by `make` on the first request.
    template <class T>
    T& Keep(const void* key, const std::function<std::shared_ptr<T>()>& make) {
        for (const auto& [keptKey, object] : kept_)
            if (keptKey == key)
                return *static_cast<T*>(object.get());
        std::shared_ptr<T> object = make();
        T& result = *object;
        kept_.emplace_back(key, std::move(object));
        return result;
    }

  private:
    // The platform's half: COM for the thread, and its end.
    static bool InitializeCom() noexcept;
    static void UninitializeCom() noexcept;

    bool succeeded_ = false;
    TComInitializer* outer_;
    std::vector<std::pair<const void*, std::shared_ptr<void>>> kept_;
};

}  // namespace nimbra
