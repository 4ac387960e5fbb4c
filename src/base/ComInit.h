#pragma once

namespace nimbra {

// Initialises COM on the calling thread for the lifetime of the object (the
// shell's objects need it); nothing where there is no COM.
class TComInitializer {
  public:
    TComInitializer();
    ~TComInitializer();
    TComInitializer(const TComInitializer&) = delete;
    TComInitializer& operator=(const TComInitializer&) = delete;
    bool Succeeded() const { return succeeded_; }

  private:
    bool succeeded_ = false;
};

}  // namespace nimbra
